// The folder dialog's tree, read from the machine.
#include "wizard/DirectoryTree.h"

#include <gtest/gtest.h>

#include "datalib/WinUtils.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

std::vector<std::string> shown(const DirectoryTree& tree) {
    std::vector<std::string> lines;
    for (const DirectoryTree::Item& item : tree.items())
        lines.push_back(std::string(static_cast<std::size_t>(item.level) * 2, ' ') + item.name +
                        (item.open ? " (open)" : ""));
    return lines;
}

TEST(DirectoryTree, ShowsTheWayDownAndTheSubfoldersSortedAsTheSystemSorts) {
    test::TestMachine machine;
    for (const char* folder : {"C:\\Talvex\\Vorkast\\Отчеты", "C:\\Talvex\\Vorkast\\docs", "C:\\Talvex\\Vorkast\\Base"})
        ASSERT_TRUE(ForceDir(folder));
    platform::openFile("C:\\Talvex\\Vorkast\\Vorkast.exe", platform::FileMode::Create);

    DirectoryTree tree;
    tree.setDirectory("c:\\TALVEX\\vorkast\\");
    EXPECT_EQ(tree.directory(), "c:\\Talvex\\Vorkast");
    EXPECT_EQ(tree.drive(), "c:");
    EXPECT_EQ(shown(tree), (std::vector<std::string>{"c:\\ (open)", "  Talvex (open)", "    Vorkast (open)",
                                                     "      Base", "      docs", "      Отчеты"}));
    EXPECT_EQ(tree.currentIndex(), 2);

    tree.openItem(5);
    EXPECT_EQ(tree.directory(), "c:\\Talvex\\Vorkast\\Отчеты");
    tree.openItem(0);
    EXPECT_EQ(tree.directory(), "c:\\");
    EXPECT_EQ(tree.items()[0].path, "c:\\");
    EXPECT_EQ(tree.currentIndex(), 0);
}

TEST(DirectoryTree, AMissingFolderIsRefusedAndTheTreeStaysAsItWas) {
    test::TestMachine machine;
    DirectoryTree tree;
    tree.setDirectory("C:\\");
    const auto before = tree.items().size();
    EXPECT_THROW(tree.setDirectory("C:\\Нет такой"), Error);
    EXPECT_THROW(tree.setDirectory(""), Error);
    EXPECT_EQ(tree.directory(), "C:\\");
    EXPECT_EQ(tree.items().size(), before);
    EXPECT_THROW(tree.setDrive("Q:"), Error);
    EXPECT_EQ(tree.directory(), "C:\\");
}

TEST(DirectoryTree, ChangingTheDriveGoesToItsRoot) {
    test::TestMachine machine;
    ASSERT_TRUE(ForceDir("D:\\Data"));
    DirectoryTree tree;
    tree.setDirectory("C:\\Scratch");
    tree.setDrive("C:");
    EXPECT_EQ(tree.directory(), "C:\\Scratch");
    tree.setDrive("d:");
    EXPECT_EQ(tree.directory(), "d:\\");
    ASSERT_EQ(tree.items().size(), 2u);
    EXPECT_EQ(tree.items()[1].path, "d:\\Data");
}

}  // namespace
}  // namespace vk
