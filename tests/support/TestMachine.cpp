// The hosted side of the test machine: a fresh machine folder under the host's
// temporary folder for every test.
#include "support/TestMachine.h"

#include "hosted/HostedTestSupport.h"
#include "platform/FileSystem.h"

namespace vk::test {

TestMachine::TestMachine()
    : root_(makeTempHostFolder("vk-machine")), scratch_("C:\\Scratch"), registryScratch_("Software\\Talvex\\Tests") {
    platform::hosted::useMachine(root_);
    platform::createDirectory(scratch_);
}

TestMachine::~TestMachine() {
    platform::hosted::useNoMachine();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

// Every machine is new, so the same names serve every test.
std::string TestMachine::registryScratch(platform::RootKey root) {
    return root == platform::RootKey::ClassesRoot ? "Vorkast.TestScratch" : registryScratch_;
}

void TestMachine::allowPrograms() {
    platform::hosted::test::reconfigure("[Machine]\nAllowPrograms=yes\nAllowLibraries=yes\n");
}

std::string TestMachine::exitingCommand(int exitCode) {
    std::string folder = scratch_ + "\\Test Tools";
    platform::createDirectory(folder);
    platform::hosted::test::writeHostFile(platform::hosted::toHostPath(folder + "\\exit.exe"), "#!/bin/sh\n: > ran\nexit \"$1\"\n");
    return "\"" + folder + "\\exit.exe\" " + std::to_string(exitCode);
}

}  // namespace vk::test
