// Where the wizard proposes to install: the default folder and an earlier
// installation found through the registry.
#include "wizard/PreviousInstall.h"

#include <gtest/gtest.h>

#include "datalib/Paths.h"
#include "datalib/WinUtils.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

using platform::RootKey;

constexpr const char* kServerKey = "CLSID\\{B03F1D31-B556-11D4-A571-0000E8D9CBDB}\\InprocServer32";

void touch(const std::string& path) {
    ASSERT_TRUE(ForceDir(ExtractFileDir(path)));
    platform::openFile(path, platform::FileMode::Create);
}

void writeValue(RootKey root, const char* key, const char* name, const std::string& value) {
    auto opened = platform::openRegistryKey(root, key, true);
    ASSERT_TRUE(opened);
    ASSERT_TRUE(opened->writeString(name, value));
}

TEST(PreviousInstall, AFreshMachineProposesTheDefaultFolderOnTheWindowsDrive) {
    test::TestMachine machine;
    EXPECT_EQ(DefaultProgramFolder(), "C:\\Program Files\\Talvex\\Vorkast");
    EXPECT_EQ(FindPreviousInstall(), "");
}

TEST(PreviousInstall, RootDirIsTakenAsStoredEvenWithShortNames) {
    test::TestMachine machine;
    writeValue(RootKey::CurrentUser, "SOFTWARE\\Vorkast\\RunInfo", "RootDir", "C:\\PROGRA~1\\X");
    writeValue(RootKey::ClassesRoot, kServerKey, "", "C:\\Other\\VkCom.dll");
    touch("C:\\Other\\Vorkast.exe");
    EXPECT_EQ(FindPreviousInstall(), "C:\\PROGRA~1\\X");
}

TEST(PreviousInstall, TheServerEntryCountsOnlyWithTheProgramBesideIt) {
    test::TestMachine machine;
    writeValue(RootKey::ClassesRoot, kServerKey, "", "c:\\program files\\ТАЛВЕКС\\vorkast\\VkCom.dll");
    ASSERT_TRUE(ForceDir("C:\\Program Files\\Талвекс\\Vorkast"));
    EXPECT_EQ(FindPreviousInstall(), "");

    touch("C:\\Program Files\\Талвекс\\Vorkast\\Vorkast.exe");
    // The folder comes back as the file system spells it, the drive as the entry has it.
    EXPECT_EQ(FindPreviousInstall(), "c:\\Program Files\\Талвекс\\Vorkast");
}

TEST(PreviousInstall, TheServerEntryIsCompletedFromTheCurrentFolder) {
    test::TestMachine machine;
    touch("C:\\Work\\Vorkast\\Vorkast.exe");
    ASSERT_TRUE(platform::setCurrentFolder("C:\\Work"));
    writeValue(RootKey::ClassesRoot, kServerKey, "", "Vorkast\\.\\VkCom.dll");
    EXPECT_EQ(FindPreviousInstall(), "C:\\Work\\Vorkast");
}

TEST(PreviousInstall, AnEmptyServerEntryDoesNotLookAtTheDriveRoot) {
    test::TestMachine machine;
    touch("C:\\Vorkast.exe");
    writeValue(RootKey::ClassesRoot, kServerKey, "", "");
    EXPECT_EQ(FindPreviousInstall(), "");
}

TEST(PreviousInstall, LongPathNameSpellsEachNameAsStored) {
    test::TestMachine machine;
    ASSERT_TRUE(ForceDir("C:\\Program Files\\Talvex\\Vorkast"));
    EXPECT_EQ(LongPathName("c:\\PROGRAM FILES\\talvex\\VORKAST"), "c:\\Program Files\\Talvex\\Vorkast");
    EXPECT_EQ(LongPathName("C:\\"), "C:\\");
    EXPECT_EQ(LongPathName("C:\\Missing\\Folder"), "C:\\Missing\\Folder");
    EXPECT_EQ(LongPathName("C:\\Program Files\\talvex"), "C:\\Program Files\\Talvex");
}

}  // namespace
}  // namespace vk
