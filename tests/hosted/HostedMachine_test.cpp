// The machine folder: where Windows paths land, what machine.ini changes.
#include <gtest/gtest.h>

#include "hosted/HostedTestSupport.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/SpecialFolders.h"
#include "support/TestMachine.h"

namespace vk::platform::hosted {
namespace {

using test::writeHostFile;

class HostedMachine : public ::testing::Test {
protected:
    vk::test::TestMachine machine;
};

TEST_F(HostedMachine, ExistingNamesAreFoundWithoutRegardToCaseAndNewOnesKeepTheirSpelling) {
    std::filesystem::path root = machineFolder();
    std::filesystem::create_directories(root / "C" / "Program Files" / "Талвекс");
    EXPECT_EQ(toHostPath("c:\\PROGRAM FILES\\талвекс\\New Dir\\File.TXT"),
              root / "C" / "Program Files" / "Талвекс" / "New Dir" / "File.TXT");
    EXPECT_EQ(toHostPath("C:/windows/SYSTEM32"), root / "C" / "WINDOWS" / "system32");

    ASSERT_TRUE(setCurrentFolder("C:\\Program Files"));
    EXPECT_EQ(toHostPath("..\\x"), root / "C" / "x");
    EXPECT_THROW(toHostPath("C:\\a?b"), Error);
}

TEST_F(HostedMachine, AFolderRenamedOnTheHostIsFoundUnderItsNewSpelling) {
    std::filesystem::path root = machineFolder();
    std::filesystem::create_directories(root / "C" / "Data");
    EXPECT_EQ(toHostPath("C:\\data\\a.txt"), root / "C" / "Data" / "a.txt");
    std::filesystem::rename(root / "C" / "Data", root / "C" / "DATA");
    EXPECT_EQ(toHostPath("C:\\data\\a.txt"), root / "C" / "DATA" / "a.txt");
    std::filesystem::remove(root / "C" / "DATA");
    EXPECT_EQ(toHostPath("C:\\data\\a.txt"), root / "C" / "data" / "a.txt");
}

TEST_F(HostedMachine, SharesLiveUnderUnc) {
    EXPECT_FALSE(createDirectory("\\\\Server\\Share\\Dir"));  // no such share
    std::filesystem::create_directories(machineFolder() / "UNC" / "server" / "share");
    EXPECT_TRUE(createDirectory("\\\\SERVER\\Share\\Dir"));
    EXPECT_TRUE(std::filesystem::is_directory(machineFolder() / "UNC" / "server" / "share" / "Dir"));
    EXPECT_FALSE(removeDirectory("\\\\server\\share"));  // a share is not a folder to remove
    EXPECT_THROW(toHostPath("\\\\server"), Error);
}

TEST_F(HostedMachine, TheStandardFoldersAreMadeWhenTheMachineIsSelected) {
    for (const std::string& folder : {windowsFolder(), systemFolder(), tempFolder(), specialFolderPath(23)})
        EXPECT_TRUE(std::filesystem::is_directory(toHostPath(folder))) << folder;
    EXPECT_EQ(currentFolder(), "C:\\");
}

TEST_F(HostedMachine, ReadOnlyFoldersCanBeReadButNotChanged) {
    writeHostFile(toHostPath("C:\\WINDOWS\\win.ini"), "[windows]\n");
    test::reconfigure("[ReadOnly]\nFolder=C:\\Windows\n");
    EXPECT_TRUE(fileExists("C:\\windows\\WIN.INI"));
    EXPECT_NO_THROW(openFile("C:\\WINDOWS\\win.ini", FileMode::OpenRead));
    EXPECT_THROW(openFile("C:\\WINDOWS\\win.ini", FileMode::OpenReadWrite), Error);
    EXPECT_THROW(openFile("C:\\WINDOWS\\new.txt", FileMode::Create), Error);
    EXPECT_FALSE(createDirectory("C:\\WINDOWS\\Dir"));
    EXPECT_FALSE(deleteFile("C:\\WINDOWS\\win.ini"));
    EXPECT_FALSE(copyFile("C:\\WINDOWS\\win.ini", "C:\\WINDOWS\\copy.ini", false));
    EXPECT_TRUE(copyFile("C:\\WINDOWS\\win.ini", machine.scratch() + "\\win.ini", false));
}

TEST_F(HostedMachine, ADamagedMachineIniIsReportedAndTheMachineStaysAsItWas) {
    std::filesystem::path root = machineFolder();
    writeHostFile(root / "machine.ini", "[Machine]\nComputerName=NEW\nAllowPrograms=perhaps\n");
    test::expectErrorStartingWith([&] { useMachine(root); }, (root / "machine.ini").string() + ", line 3: expected yes or no");
    EXPECT_EQ(machineFolder(), root);
    EXPECT_NE(computerName(), "NEW");
}

TEST(HostedWithoutMachine, PathsAreHostPathsUsedAsGiven) {
    useNoMachine();
    EXPECT_EQ(toHostPath("relative/file.txt"), std::filesystem::path("relative/file.txt"));
    EXPECT_EQ(windowsFolder(), "");
    EXPECT_EQ(specialFolderPath(23), "");
    EXPECT_FALSE(tempFolder().empty());
    auto found = findFiles(std::string(VK_SOURCE_DIR) + "/src/platform/hosted/Machine.*");
    EXPECT_EQ(found.size(), 2u);
}

}  // namespace
}  // namespace vk::platform::hosted
