// The system's folders, computer name and special folders.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/SpecialFolders.h"
#include "platform/Text.h"
#include "support/TestMachine.h"

namespace vk::platform {
namespace {

bool endsWithBackslash(const std::string& path) { return !path.empty() && path.back() == '\\'; }

TEST(FoldersContract, SystemFoldersExistAndEndAsTheSystemGivesThem) {
    test::TestMachine machine;
    std::string windows = windowsFolder(), system = systemFolder(), temp = tempFolder();
    ASSERT_FALSE(windows.empty());
    ASSERT_FALSE(system.empty());
    EXPECT_FALSE(endsWithBackslash(windows));
    EXPECT_FALSE(endsWithBackslash(system));
    EXPECT_TRUE(endsWithBackslash(temp)) << temp;
    EXPECT_TRUE(directoryExists(windows));
    EXPECT_TRUE(directoryExists(system));
    EXPECT_TRUE(directoryExists(temp));
    EXPECT_TRUE(sameText(system.substr(0, windows.size() + 1), windows + "\\")) << system;
    EXPECT_FALSE(computerName().empty());
}

TEST(FoldersContract, SpecialFoldersHaveNoTrailingBackslashAndVirtualOnesAreEmpty) {
    test::TestMachine machine;
    for (int csidl : {23 /* common programs */, 28 /* local application data */, 26, 35}) {
        std::string folder = specialFolderPath(csidl);
        EXPECT_FALSE(folder.empty()) << csidl;
        EXPECT_FALSE(endsWithBackslash(folder)) << csidl << ": " << folder;
    }
    EXPECT_EQ(specialFolderPath(18), "");  // the network neighbourhood has no folder
}

TEST(FoldersContract, TheDriveListHoldsTheWindowsDriveOnceInLetterOrder) {
    test::TestMachine machine;
    const std::vector<std::string> drives = logicalDrives();
    ASSERT_FALSE(drives.empty());
    EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
    EXPECT_EQ(std::adjacent_find(drives.begin(), drives.end()), drives.end());
    const std::string windowsDrive = ansiUpper(windowsFolder().substr(0, 2));
    EXPECT_EQ(std::count(drives.begin(), drives.end(), windowsDrive), 1) << windowsDrive;
    EXPECT_TRUE(directoryExists(windowsDrive + "\\"));
}

TEST(FoldersContract, TheShortDateCarriesDayMonthAndYear) {
    const std::string date = shortDateText(2007, 8, 22);
    EXPECT_NE(date.find("22"), std::string::npos) << date;
    EXPECT_NE(date.find("8"), std::string::npos) << date;
    EXPECT_NE(date.find("07"), std::string::npos) << date;
}

}  // namespace
}  // namespace vk::platform
