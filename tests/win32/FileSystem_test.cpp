#include <gtest/gtest.h>

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

TEST(Win32Folders, EndAsTheSystemGivesThem) {
    std::string windows = windowsFolder();
    std::string system = systemFolder();
    std::string temp = tempFolder();
    ASSERT_FALSE(windows.empty());
    EXPECT_NE(windows.back(), '\\');
    EXPECT_NE(system.back(), '\\');
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_EQ(system.rfind(windows + "\\", 0), 0u) << system << " is not inside " << windows;
    EXPECT_TRUE(directoryExists(windows));
    EXPECT_TRUE(directoryExists(system));
    EXPECT_TRUE(directoryExists(temp));
    EXPECT_FALSE(computerName().empty());
}

TEST(Win32Files, CreateCopyAndDeleteKeepTheSystemsRules) {
    test::TestMachine machine;
    std::string folder = machine.scratch() + "\\Кронта";
    EXPECT_TRUE(createDirectory(folder));
    EXPECT_FALSE(createDirectory(folder)) << "an existing folder is not made again";
    EXPECT_FALSE(createDirectory(machine.scratch() + "\\Missing\\Child")) << "one level only";
    EXPECT_TRUE(directoryExists(folder));
    EXPECT_FALSE(fileExists(folder));

    std::string original = folder + "\\Данные.txt";
    std::string copy = folder + "\\Copy.txt";
    writeFile(original, "first");
    writeFile(copy, "old");
    EXPECT_TRUE(fileExists(original));
    EXPECT_FALSE(copyFile(original, copy, true));
    EXPECT_EQ(readFile(copy), "old");
    EXPECT_TRUE(copyFile(original, copy, false));
    EXPECT_EQ(readFile(copy), "first");
    EXPECT_FALSE(copyFile(folder + "\\Missing.txt", copy, false));

    EXPECT_FALSE(removeDirectory(folder)) << "a folder with files stays";
    EXPECT_TRUE(deleteFile(original));
    EXPECT_TRUE(deleteFile(copy));
    EXPECT_FALSE(deleteFile(copy));
    EXPECT_TRUE(removeDirectory(folder));
    EXPECT_EQ(fileAttributes(folder), std::nullopt);
}

TEST(Win32Files, StreamReadsWritesSeeksAndResizes) {
    test::TestMachine machine;
    std::string path = machine.scratch() + "\\stream.bin";
    {
        auto stream = openFile(path, FileMode::Create);
        stream->write("abcdef", 6);
        EXPECT_EQ(stream->seek(-2, SeekOrigin::End), 4);
        EXPECT_THROW(stream->seek(-1, SeekOrigin::Begin), Error);
        stream->setSize(8);
        EXPECT_EQ(stream->position(), 4) << "resizing keeps the position";
        EXPECT_THROW(stream->setSize(-1), Error);
    }
    auto stream = openFile(path, FileMode::OpenReadWrite);
    EXPECT_EQ(stream->position(), 0);
    char bytes[10] = {};
    EXPECT_EQ(stream->read(bytes, sizeof(bytes)), 8u);
    EXPECT_EQ(std::string(bytes, 8), std::string("abcdef\0\0", 8));
    EXPECT_EQ(stream->read(bytes, 1), 0u);
    stream->seek(0, SeekOrigin::Begin);
    stream->write("X", 1);
    stream->setSize(3);
    stream.reset();
    EXPECT_EQ(readFile(path), "Xbc");
}

TEST(Win32Files, OpenFailuresNameThePath) {
    test::TestMachine machine;
    std::string missing = machine.scratch() + "\\Нет такого.bin";
    for (FileMode mode : {FileMode::OpenRead, FileMode::OpenReadWrite}) {
        try {
            openFile(missing, mode);
            ADD_FAILURE() << "a missing file opened";
        } catch (const Error& error) {
            std::string message = error.what();
            EXPECT_NE(message.find(missing), std::string::npos) << message;
            EXPECT_GT(message.size(), missing.size() + 2) << "the system's reason follows the path";
        }
    }
    EXPECT_THROW(openFile(machine.scratch() + "\\Missing\\new.bin", FileMode::Create), Error);
}

TEST(Win32Files, SearchMatchesWildcardsWithoutTheDotEntries) {
    test::TestMachine machine;
    const std::string& dir = machine.scratch();
    writeFile(dir + "\\Grid.ocx", "1234");
    writeFile(dir + "\\Отчёт.OCX", "");
    writeFile(dir + "\\Vorkast.exe", "");
    ASSERT_TRUE(createDirectory(dir + "\\Sub.ocx"));

    std::set<std::string> names;
    for (const auto& file : findFiles(dir + "\\*.ocx")) {
        names.insert(file.name);
        if (file.name == "Grid.ocx") {
            EXPECT_EQ(file.size, 4u);
        }
        if (file.name == "Sub.ocx") {
            EXPECT_TRUE(file.attributes & kAttrDirectory);
        }
    }
    EXPECT_EQ(names, (std::set<std::string>{"Grid.ocx", "Отчёт.OCX", "Sub.ocx"}));
    EXPECT_EQ(findFiles(dir + "\\*").size(), 4u);
    EXPECT_TRUE(findFiles(dir + "\\Missing\\*").empty());
    EXPECT_TRUE(findFiles(dir + "\\*.dll").empty());
}

TEST(Win32Files, CurrentFolderFollowsTheProcess) {
    test::TestMachine machine;
    std::string before = currentFolder();
    ASSERT_TRUE(setCurrentFolder(machine.scratch()));
    EXPECT_TRUE(sameText(currentFolder(), machine.scratch()));
    EXPECT_FALSE(setCurrentFolder(machine.scratch() + "\\Missing"));
    EXPECT_TRUE(setCurrentFolder(before));
}

}  // namespace
}  // namespace vk::platform
