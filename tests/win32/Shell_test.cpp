#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/ShellLink.h"
#include "platform/SpecialFolders.h"
#include "support/TestMachine.h"

namespace vk::platform {
namespace {

TEST(Win32SpecialFolders, CommonProgramsAndLocalAppDataAreFolders) {
    for (int csidl : {23, 28}) {
        std::string path = specialFolderPath(csidl);
        ASSERT_FALSE(path.empty()) << csidl;
        EXPECT_NE(path.back(), '\\') << path;
        EXPECT_TRUE(directoryExists(path)) << path;
    }
    // The desktop's parent, "My Computer", has no file-system location.
    EXPECT_EQ(specialFolderPath(17), "");
}

TEST(Win32ShellLink, SavedLinkReadsBackFieldForField) {
    test::TestMachine machine;
    ShellLinkData link;
    // Shortcuts are made to installed files. The target path stays ASCII: Wine
    // keeps it only in the ANSI code page, which on the test prefix is not Cyrillic.
    ASSERT_TRUE(createDirectory(machine.scratch() + "\\Vorkast"));
    link.path = machine.scratch() + "\\Vorkast\\Vorkast.exe";
    openFile(link.path, FileMode::Create);
    link.arguments = "/config \"Учёт 1\"";
    link.workingFolder = machine.scratch() + "\\Рабочая папка";
    link.description = "Система автоматизированного учета";
    std::string lnk = machine.scratch() + "\\Кронта.lnk";

    ASSERT_TRUE(saveShellLink(link, lnk));
    EXPECT_TRUE(fileExists(lnk));
    auto read = readShellLink(lnk);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->path, link.path);
    EXPECT_EQ(read->arguments, link.arguments);
    EXPECT_EQ(read->workingFolder, link.workingFolder);
    EXPECT_EQ(read->description, link.description);
}

TEST(Win32ShellLink, MissingOrForeignFilesAreNoLinks) {
    test::TestMachine machine;
    EXPECT_EQ(readShellLink(machine.scratch() + "\\Missing.lnk"), std::nullopt);
    std::string notALink = machine.scratch() + "\\text.lnk";
    openFile(notALink, FileMode::Create)->write("not a shell link", 16);
    EXPECT_EQ(readShellLink(notALink), std::nullopt);
    EXPECT_FALSE(saveShellLink({"C:\\x.exe", "", "", ""}, machine.scratch() + "\\Missing\\x.lnk"));
}

}  // namespace
}  // namespace vk::platform
