#pragma once
// One machine per test. On the hosted platform a fresh machine folder with
// defaults; on Windows the real machine. Either way a scratch folder that the
// test owns and that is removed afterwards.
#include <filesystem>
#include <string>

#include "platform/Registry.h"

namespace vk::test {

class TestMachine {
public:
    TestMachine();
    ~TestMachine();
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    // Windows path (no trailing "\") of an empty folder for this test.
    const std::string& scratch() const { return scratch_; }
    // A registry path under HKEY_CURRENT_USER that this test may use and that is removed afterwards.
    const std::string& registryScratch() const { return registryScratch_; }
    // The same under any root: a key path of this test's own, removed
    // afterwards (on Windows HKEY_LOCAL_MACHINE is shared by every program).
    std::string registryScratch(platform::RootKey root);

    // Lets programs start and libraries load: the hosted machine refuses both
    // unless its machine.ini allows them; Windows always does.
    void allowPrograms();
    // A command line (with a quoted program path holding a space) whose
    // program creates an empty file "ran" in its current folder and exits
    // with exitCode (0..255).
    std::string exitingCommand(int exitCode);

private:
    std::filesystem::path root_;  // the hosted machine's folder; unused on Windows
    std::string scratch_;
    std::string registryScratch_;
};

}  // namespace vk::test
