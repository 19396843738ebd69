// The hosted side of the test machine: a fresh machine folder under the host's
// temporary folder for every test.
#include "support/TestMachine.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "platform/FileSystem.h"
#include "platform/hosted/HostedMachine.h"

namespace vk::test {

namespace {

std::filesystem::path makeMachineFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vk-machine-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder for a test machine");
    return pattern;
}

void writeHostFile(const std::filesystem::path& file, const std::string& content) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace

TestMachine::TestMachine() : root_(makeMachineFolder()), scratch_("C:\\Scratch"), registryScratch_("Software\\Talvex\\Tests") {
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
    writeHostFile(root_ / "machine.ini", "[Machine]\nAllowPrograms=yes\nAllowLibraries=yes\n");
    platform::hosted::useMachine(root_);
}

std::string TestMachine::exitingCommand(int exitCode) {
    std::string folder = scratch_ + "\\Test Tools";
    platform::createDirectory(folder);
    writeHostFile(platform::hosted::toHostPath(folder + "\\exit.exe"), "#!/bin/sh\n: > ran\nexit \"$1\"\n");
    return "\"" + folder + "\\exit.exe\" " + std::to_string(exitCode);
}

}  // namespace vk::test
