#pragma once
// The demo installation on Windows: the engine installs the demo package from
// this program's own TRSData resource, as the installer reads its payload,
// into scratch folders and the real Windows and system folders, registry and
// class registrations; the fixture puts back whatever it found there.
#include <windows.h>
#include <shlwapi.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "DemoClasses.h"
#include "engine/DemoPackageRun.h"
#include "platform/Error.h"
#include "platform/Resources.h"
#include "platform/win32/Wide.h"

namespace vk::test {

using platform::win32::narrow;
using platform::win32::wide;

// Files outside the scratch folder that a run may replace, create or delete:
// put back as they were, or removed, when the test ends.
class KeptFiles {
public:
    explicit KeptFiles(const std::vector<std::string>& paths) {
        for (const std::string& path : paths)
            kept_.push_back({path, platform::fileExists(path) ? std::optional(readFile(path)) : std::nullopt});
    }
    ~KeptFiles() {
        for (const auto& [path, bytes] : kept_) {
            try {
                if (bytes)
                    writeFile(path, *bytes);
                else
                    platform::deleteFile(path);
            } catch (const Error& e) {
                ADD_FAILURE() << "cannot put back " << path << ": " << e.what();
            }
        }
    }
    KeptFiles(const KeptFiles&) = delete;
    KeptFiles& operator=(const KeptFiles&) = delete;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> kept_;
};

// A key of HKEY_LOCAL_MACHINE that a run writes: copied aside (under a key
// the test machine removes) and put back, or removed, when the test ends.
class KeptKey {
public:
    KeptKey(std::string_view path, const std::string& aside) : path_(wide(path)), aside_(wide(aside)) {
        HKEY existing;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, KEY_READ, &existing) != ERROR_SUCCESS) return;
        kept_ = copyTree(existing, aside_);
        RegCloseKey(existing);
    }
    ~KeptKey() {
        SHDeleteKeyW(HKEY_LOCAL_MACHINE, path_.c_str());
        HKEY copy;
        if (!kept_ || RegOpenKeyExW(HKEY_LOCAL_MACHINE, aside_.c_str(), 0, KEY_READ, &copy) != ERROR_SUCCESS) return;
        if (!copyTree(copy, path_)) ADD_FAILURE() << "cannot put back HKEY_LOCAL_MACHINE\\" << platform::win32::narrow(path_);
        RegCloseKey(copy);
    }
    KeptKey(const KeptKey&) = delete;
    KeptKey& operator=(const KeptKey&) = delete;

private:
    static bool copyTree(HKEY from, const std::wstring& to) {
        HKEY target;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr) !=
            ERROR_SUCCESS)
            return false;
        const bool copied = SHCopyKeyW(from, nullptr, target, 0) == ERROR_SUCCESS;
        RegCloseKey(target);
        return copied;
    }

    std::wstring path_;
    std::wstring aside_;
    bool kept_ = false;
};

// The demo installation writes to places every test program shares (the
// Windows and system folders, HKEY_LOCAL_MACHINE): one at a time, across the
// test programs ctest runs side by side.
class MachineWideLock {
public:
    MachineWideLock() : mutex_(CreateMutexW(nullptr, FALSE, L"VorkastTestsDemoInstallation")) {
        WaitForSingleObject(mutex_, INFINITE);  // an abandoned lock is ours as well
    }
    ~MachineWideLock() {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
    MachineWideLock(const MachineWideLock&) = delete;
    MachineWideLock& operator=(const MachineWideLock&) = delete;

private:
    HANDLE mutex_;
};

// The class keys the demo's servers and controls register (HKEY_CLASSES_ROOT
// lands in HKEY_LOCAL_MACHINE\Software\Classes).
inline std::vector<std::string> registeredClassKeys() {
    std::vector<std::string> keys;
    for (const demo::RegisteredClass& registered : demo::kRegisteredClasses)
        keys.push_back("Software\\Classes\\CLSID\\" + platform::win32::narrow(registered.clsid));
    return keys;
}

class Win32DemoPackage : public DemoPackageRun {
protected:
    Win32DemoPackage() : DemoPackageRun([] { return platform::ownResource("TRSData"); }) {}

    // The folder the test started in, which the registration phase changed.
    void leaveProgramFolder() { platform::setCurrentFolder(startFolder_); }

    // The registration phase makes the program folder the current one; the
    // scratch folder can only go once it no longer is. The copy phase leaves
    // its folder in the temporary folder, as the installer does.
    void TearDown() override {
        leaveProgramFolder();
        if (!hadCopyFolder_) platform::removeDirectory(copyFolder_);
    }

private:
    MachineWideLock lock_;
    const std::string startFolder_ = platform::currentFolder();
    const std::string copyFolder_ = TempDir() + "Vorkast";
    const bool hadCopyFolder_ = platform::directoryExists(copyFolder_);
    // The log, the uninstaller and the runtime packages go to the Windows and system folders.
    KeptFiles outsideScratch_{{InstallLogPath(), WindowsDir() + "VksUnSt.exe", SystemDir() + "Kerno1.bpl",
                               SystemDir() + "Kerno2.bpl", SystemDir() + "Luvak1.bpl", SystemDir() + "Luvak2.bpl",
                               SystemDir() + "Luvak3.bpl"}};
    KeptKey uninstallKey_{kUninstallKey, machine.registryScratch(platform::RootKey::LocalMachine) + "\\Uninstall"};
    std::vector<std::unique_ptr<KeptKey>> classKeys_ = [this] {
        std::vector<std::unique_ptr<KeptKey>> kept;
        int aside = 0;
        for (const std::string& key : registeredClassKeys())
            kept.push_back(std::make_unique<KeptKey>(
                key, machine.registryScratch(platform::RootKey::LocalMachine) + "\\Class" + std::to_string(++aside)));
        return kept;
    }();
};

}  // namespace vk::test
