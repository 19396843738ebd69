// Files and folders as every platform must offer them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "support/TestFiles.h"
#include "support/TestMachine.h"

namespace vk::platform {
namespace {

using test::readFile;
using test::writeFile;

class FileSystemContract : public ::testing::Test {
protected:
    std::string at(const std::string& name) const { return machine.scratch() + "\\" + name; }

    test::TestMachine machine;
};

TEST_F(FileSystemContract, FilesAreCreatedCopiedAndDeleted) {
    writeFile(at("Данные.txt"), "first");
    EXPECT_TRUE(fileExists(at("Данные.txt")));
    EXPECT_FALSE(directoryExists(at("Данные.txt")));
    auto attributes = fileAttributes(at("Данные.txt"));
    ASSERT_TRUE(attributes.has_value());
    EXPECT_EQ(*attributes & kAttrDirectory, 0u);

    writeFile(at("Copy.txt"), "kept");
    EXPECT_FALSE(copyFile(at("Данные.txt"), at("Copy.txt"), true));
    EXPECT_EQ(readFile(at("Copy.txt")), "kept");
    EXPECT_TRUE(copyFile(at("Данные.txt"), at("Copy.txt"), false));
    EXPECT_EQ(readFile(at("Copy.txt")), "first");
    EXPECT_FALSE(copyFile(at("Missing.txt"), at("Other.txt"), false));
    EXPECT_FALSE(fileExists(at("Other.txt")));

    EXPECT_TRUE(deleteFile(at("Данные.txt")));
    EXPECT_FALSE(fileExists(at("Данные.txt")));
    EXPECT_FALSE(fileAttributes(at("Данные.txt")).has_value());
    EXPECT_FALSE(deleteFile(at("Данные.txt")));
}

TEST_F(FileSystemContract, MoveFileRenamesAndReplacesButNeverTakesAFolder) {
    writeFile(at("Новый.part"), "new");
    writeFile(at("Target.txt"), "old");
    EXPECT_TRUE(moveFile(at("новый.PART"), at("TARGET.TXT")));
    EXPECT_FALSE(fileExists(at("Новый.part")));
    EXPECT_EQ(readFile(at("Target.txt")), "new");

    EXPECT_TRUE(moveFile(at("Target.txt"), at("Fresh.txt")));
    EXPECT_EQ(readFile(at("Fresh.txt")), "new");
    EXPECT_FALSE(moveFile(at("Target.txt"), at("Other.txt")));  // the source is gone
    EXPECT_FALSE(fileExists(at("Other.txt")));

    ASSERT_TRUE(createDirectory(at("Folder")));
    EXPECT_FALSE(moveFile(at("Fresh.txt"), at("Folder")));
    EXPECT_TRUE(directoryExists(at("Folder")));
    EXPECT_EQ(readFile(at("Fresh.txt")), "new");
    EXPECT_FALSE(moveFile(at("Fresh.txt"), at("NoFolder\\Fresh.txt")));
    EXPECT_EQ(readFile(at("Fresh.txt")), "new");
}

TEST_F(FileSystemContract, NamesMatchWithoutRegardToCase) {
    writeFile(at("Mixed Case.TXT"), "x");
    EXPECT_TRUE(fileExists(at("mixed case.txt")));
    EXPECT_EQ(readFile(at("MIXED CASE.txt")), "x");
    ASSERT_TRUE(createDirectory(at("Папка")));
    EXPECT_TRUE(directoryExists(at("ПАПКА")));
    writeFile(at("папка\\inner.txt"), "y");
    auto found = findFiles(at("Папка\\*"));
    EXPECT_TRUE(std::any_of(found.begin(), found.end(), [](const FoundFile& f) { return f.name == "inner.txt"; }));
}

TEST_F(FileSystemContract, SameFileSeesThroughSpellingsButNotCopies) {
    ASSERT_TRUE(createDirectory(at("Папка")));
    writeFile(at("Папка\\База.gdb"), "data");
    writeFile(at("Другая.gdb"), "data");
    EXPECT_TRUE(sameFile(at("Папка\\База.gdb"), at("папка\\.\\..\\ПАПКА\\база.GDB")));
    EXPECT_FALSE(sameFile(at("Папка\\База.gdb"), at("Другая.gdb")));
    EXPECT_FALSE(sameFile(at("Папка\\База.gdb"), at("Нет.gdb")));
    EXPECT_FALSE(sameFile(at("Нет.gdb"), at("Нет.gdb")));
}

TEST_F(FileSystemContract, CreateDirectoryMakesOneLevelOnly) {
    EXPECT_TRUE(createDirectory(at("New")));
    EXPECT_TRUE(directoryExists(at("New")));
    EXPECT_FALSE(createDirectory(at("New")));  // it exists
    EXPECT_FALSE(createDirectory(at("Missing\\Child")));
    EXPECT_FALSE(directoryExists(at("Missing")));

    writeFile(at("New\\file.bin"), "z");
    EXPECT_FALSE(removeDirectory(at("New")));  // not empty
    EXPECT_FALSE(deleteFile(at("New")));       // a folder is not a file
    EXPECT_TRUE(deleteFile(at("New\\file.bin")));
    EXPECT_TRUE(removeDirectory(at("New")));
    EXPECT_FALSE(directoryExists(at("New")));
}

TEST_F(FileSystemContract, OpenModesKeepOrReplaceTheContent) {
    EXPECT_THROW(openFile(at("absent.dat"), FileMode::OpenRead), Error);
    EXPECT_THROW(openFile(at("absent.dat"), FileMode::OpenReadWrite), Error);
    try {
        openFile(at("absent.dat"), FileMode::OpenRead);
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("absent.dat"), std::string::npos) << error.what();
    }

    writeFile(at("data.dat"), "0123456789");
    {
        auto file = openFile(at("data.dat"), FileMode::OpenReadWrite);
        EXPECT_EQ(file->position(), 0);
        file->write("ab", 2);
        EXPECT_EQ(file->size(), 10);
    }
    EXPECT_EQ(readFile(at("data.dat")), "ab23456789");
    {
        auto file = openFile(at("data.dat"), FileMode::OpenRead);
        EXPECT_THROW(file->write("x", 1), Error);
    }
    openFile(at("data.dat"), FileMode::Create);
    EXPECT_EQ(readFile(at("data.dat")), "");
}

TEST_F(FileSystemContract, FindFilesMatchesWildcardsWithoutRegardToCase) {
    writeFile(at("a.ocx"), "1");
    writeFile(at("B.OCX"), "22");
    writeFile(at("c.txt"), "333");
    writeFile(at("c.ocx.bak"), "");
    ASSERT_TRUE(createDirectory(at("sub.ocx")));

    auto names = [](const std::vector<FoundFile>& found) {
        std::set<std::string> out;
        for (const auto& file : found)
            if (file.name != "." && file.name != "..") out.insert(file.name);
        return out;
    };
    EXPECT_EQ(names(findFiles(at("*.OcX"))), (std::set<std::string>{"a.ocx", "B.OCX", "sub.ocx"}));
    EXPECT_EQ(names(findFiles(at("?.txt"))), (std::set<std::string>{"c.txt"}));
    EXPECT_EQ(names(findFiles(at("*.*"))).size(), 5u);
    EXPECT_TRUE(findFiles(at("*.none")).empty());
    EXPECT_TRUE(findFiles(at("NoFolder\\*")).empty());

    for (const auto& file : findFiles(at("*"))) {
        if (file.name == "B.OCX") {
            EXPECT_EQ(file.size, 2u);
            EXPECT_EQ(file.attributes & kAttrDirectory, 0u);
        }
        if (file.name == "sub.ocx") {
            EXPECT_NE(file.attributes & kAttrDirectory, 0u);
        }
    }
}

TEST_F(FileSystemContract, RelativePathsResolveAgainstTheCurrentFolder) {
    std::string before = currentFolder();
    ASSERT_FALSE(before.empty());
    ASSERT_TRUE(setCurrentFolder(machine.scratch()));
    EXPECT_TRUE(sameText(currentFolder(), machine.scratch())) << currentFolder();
    writeFile("relative.txt", "r");
    EXPECT_TRUE(fileExists(at("relative.txt")));
    EXPECT_FALSE(setCurrentFolder(at("NoSuchFolder")));
    EXPECT_TRUE(sameText(currentFolder(), machine.scratch()));
    ASSERT_TRUE(setCurrentFolder(before));
}

}  // namespace
}  // namespace vk::platform
