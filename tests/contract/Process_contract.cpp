// Starting programs as every platform must.
#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "support/TestMachine.h"

namespace vk::platform {
namespace {

TEST(ProcessContract, AProgramRunsInTheGivenFolderAndItsExitCodeIsReturned) {
    test::TestMachine machine;
    machine.allowPrograms();
    std::string command = machine.exitingCommand(7);
    EXPECT_EQ(startProcess(command, machine.scratch(), Wait::Forever), std::optional<std::uint32_t>(7));
    EXPECT_TRUE(fileExists(machine.scratch() + "\\ran"));
}

TEST(ProcessContract, AMissingProgramIsNotStarted) {
    test::TestMachine machine;
    machine.allowPrograms();
    EXPECT_EQ(startProcess("\"" + machine.scratch() + "\\NoSuchProgram.exe\" /s", machine.scratch(), Wait::Forever),
              std::nullopt);
    EXPECT_EQ(startProcess(machine.exitingCommand(0), machine.scratch() + "\\NoSuchFolder", Wait::Forever),
              std::nullopt);
}

}  // namespace
}  // namespace vk::platform
