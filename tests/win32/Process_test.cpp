#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/Process.h"

namespace vk::platform {
namespace {

std::string cmd() { return systemFolder() + "\\cmd.exe"; }

TEST(Win32Process, WaitingGivesTheExitCode) {
    EXPECT_EQ(startProcess("\"" + cmd() + "\" /c exit 3", "", Wait::Forever), 3u);
    EXPECT_EQ(startProcess("\"" + cmd() + "\" /c exit 0", "", Wait::Forever), 0u);
}

TEST(Win32Process, NotWaitingGivesZero) {
    EXPECT_EQ(startProcess("\"" + cmd() + "\" /c exit 3", "", Wait::None), 0u);
}

}  // namespace
}  // namespace vk::platform
