#include <gtest/gtest.h>

#include "platform/FileSystem.h"
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

}  // namespace
}  // namespace vk::platform
