// The Windows side of the test machine: the real machine, with a scratch
// folder under the temporary folder and a scratch key under
// HKEY_CURRENT_USER\Software\VorkastTests, both removed afterwards.
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
    SHDeleteKeyW(HKEY_CURRENT_USER, platform::win32::wide(registryScratch_).c_str());
    // Gone only once no other test machine holds a key below it.
    RegDeleteKeyW(HKEY_CURRENT_USER, kTestsKey);
}

}  // namespace vk::test
