// The Windows side of the test machine: the real machine, with a scratch
// folder under the temporary folder and a scratch key Software\VorkastTests\<unique>
// (under any root), both removed afterwards.
#include <windows.h>
#include <shlwapi.h>

#include <atomic>
#include <string>

#include "platform/FileSystem.h"
#include "platform/win32/Wide.h"
#include "support/TestMachine.h"

namespace vk::test {

namespace {

constexpr const wchar_t* kTestsKey = L"Software\\VorkastTests";
const HKEY kRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT};

// A file of the test build, beside the test program.
std::string besideTests(const std::string& name) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string path = platform::win32::narrow(self);
    return path.substr(0, path.rfind('\\') + 1) + name;
}

std::string uniqueName() {
    static std::atomic<int> counter{0};
    return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "-" +
           std::to_string(++counter);
}

void removeTree(const std::string& folder) {
    for (const auto& entry : platform::findFiles(folder + "\\*")) {
        std::string path = folder + "\\" + entry.name;
        if (entry.attributes & platform::kAttrDirectory) {
            removeTree(path);
        } else {
            SetFileAttributesW(platform::win32::wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
            platform::deleteFile(path);
        }
    }
    platform::removeDirectory(folder);
}

}  // namespace

TestMachine::TestMachine() {
    std::string name = "VorkastTests-" + uniqueName();
    scratch_ = platform::tempFolder() + name;
    platform::createDirectory(scratch_);
    registryScratch_ = "Software\\VorkastTests\\" + name;
}

TestMachine::~TestMachine() {
    removeTree(scratch_);
    // The same path serves every root; deleting where nothing was made is harmless.
    for (HKEY root : kRoots) {
        SHDeleteKeyW(root, platform::win32::wide(registryScratch_).c_str());
        // Gone only once no other test machine holds a key below it.
        SHDeleteEmptyKeyW(root, kTestsKey);
    }
}

std::string TestMachine::registryScratch(platform::RootKey) { return registryScratch_; }

void TestMachine::allowPrograms() {}

std::string TestMachine::exitingCommand(int exitCode) {
    std::string folder = scratch_ + "\\Test Tools";
    platform::createDirectory(folder);
    platform::copyFile(besideTests("VkExitWith.exe"), folder + "\\exit.exe", false);
    return "\"" + folder + "\\exit.exe\" " + std::to_string(exitCode);
}

}  // namespace vk::test
