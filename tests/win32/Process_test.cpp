#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "support/TestMachine.h"

namespace vk::platform {
namespace {

std::string cmd() { return systemFolder() + "\\cmd.exe"; }

TEST(Win32Process, WaitingGivesTheExitCode) {
    EXPECT_EQ(startProcess("\"" + cmd() + "\" /c exit 3", "", Wait::Forever), 3u);
    EXPECT_EQ(startProcess("\"" + cmd() + "\" /c exit 0", "", Wait::Forever), 0u);
}

TEST(Win32Process, RunsInTheGivenFolder) {
    test::TestMachine machine;
    openFile(machine.scratch() + "\\marker.txt", FileMode::Create);
    std::string probe = "\"" + cmd() + "\" /c if exist marker.txt exit 7";
    EXPECT_EQ(startProcess(probe, machine.scratch(), Wait::Forever), 7u);
    EXPECT_EQ(startProcess(probe, systemFolder(), Wait::Forever), 0u);
}

TEST(Win32Process, NotWaitingOrNotStarting) {
    test::TestMachine machine;
    EXPECT_EQ(startProcess("\"" + cmd() + "\" /c exit 3", "", Wait::None), 0u);
    EXPECT_EQ(startProcess("\"" + machine.scratch() + "\\Missing.exe\"", "", Wait::Forever), std::nullopt);
    EXPECT_EQ(startProcess("\"" + cmd() + "\" /c exit 3", machine.scratch() + "\\Missing", Wait::Forever),
              std::nullopt);
}

}  // namespace
}  // namespace vk::platform
