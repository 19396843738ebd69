// The installation engine on Windows: a server installation of the demo
// package, read from this program's own TRSData resource as the installer
// reads its payload, reported over the real message window pumped on the
// test's thread, into scratch folders and the real Windows and system folders
// and HKEY_LOCAL_MACHINE, which the tests leave as they found them.
#include <windows.h>
#include <shlwapi.h>

#include <optional>

#include "engine/DemoPackageRun.h"
#include "engine/RegistrationPhase.h"
#include "platform/Error.h"
#include "platform/Resources.h"
#include "platform/win32/Wide.h"

namespace vk::test {
namespace {

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

class Win32DemoPackage : public DemoPackageRun {
protected:
    Win32DemoPackage() : DemoPackageRun([] { return platform::ownResource("TRSData"); }) {}

    // Wine starts a program that is not a Windows one, such as the demo's
    // automation servers (scripts for the hosted machine), on the host and
    // keeps its file open in the starting process for good, where Windows
    // refuses to start it. Held open while the registration runs, the servers
    // start on neither, and stay free for the next run to overwrite.
    void registrationBegins() override {
        for (const char* server : kAutomationServers) {
            HANDLE held = CreateFileW(wide(local + "\\" + server).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                      nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE) << server;
            heldServers_.push_back(held);
        }
    }
    void runEnded() override {
        for (HANDLE held : heldServers_) CloseHandle(held);
        heldServers_.clear();
    }

    // The registration phase makes the program folder the current one; the
    // scratch folder can only go once it no longer is. The copy phase leaves
    // its folder in the temporary folder, as the installer does.
    void TearDown() override {
        runEnded();
        platform::setCurrentFolder(startFolder_);
        if (!hadCopyFolder_) platform::removeDirectory(copyFolder_);
    }

private:
    std::vector<HANDLE> heldServers_;
    const std::string startFolder_ = platform::currentFolder();
    const std::string copyFolder_ = TempDir() + "Vorkast";
    const bool hadCopyFolder_ = platform::directoryExists(copyFolder_);
    // The log, the uninstaller and the runtime packages go to the Windows and system folders.
    KeptFiles outsideScratch_{{InstallLogPath(), WindowsDir() + "VksUnSt.exe", SystemDir() + "Kerno1.bpl",
                               SystemDir() + "Kerno2.bpl", SystemDir() + "Luvak1.bpl", SystemDir() + "Luvak2.bpl",
                               SystemDir() + "Luvak3.bpl"}};
    KeptKey uninstallKey_{kUninstallKey, machine.registryScratch(platform::RootKey::LocalMachine) + "\\Uninstall"};
};

// The value as Windows itself reads it, in UTF-16.
std::wstring uninstallValue(const wchar_t* name) {
    wchar_t value[256] = {};
    DWORD size = sizeof value;
    if (SHGetValueW(HKEY_LOCAL_MACHINE, wide(kUninstallKey).c_str(), name, nullptr, value, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return value;
}

TEST_F(Win32DemoPackage, AServerRunFromTheOwnResourcePlacesEveryFileAndSavesALogTheUninstallerCanRead) {
    checkServerRun();
    EXPECT_EQ(uninstallValue(L"DisplayName"), std::wstring(L"АС Кронта 3.1"));
    EXPECT_EQ(uninstallValue(L"UninstallString"), wide(WindowsDir() + "VksUnSt.exe REMOVE"));
}

TEST_F(Win32DemoPackage, ASecondRunLogsOnlyTheSystemCopiesItDeletedFirst) { checkSecondRun(); }

// The installer links the same resources: the build's payload and the
// version history, byte for byte.
TEST(Win32PackageResources, TheProgramCarriesTheBuildsPayloadAndHistory) {
    for (const auto& [resource, file] : {std::pair{"TRSData", VK_BINARY_DIR "/payload.trs"},
                                         std::pair{"History", VK_SOURCE_DIR "/package/files/History.htm"}}) {
        std::unique_ptr<Stream> stream = platform::ownResource(resource);
        ASSERT_NE(stream, nullptr) << resource;
        std::string bytes(static_cast<std::size_t>(stream->size()), '\0');
        stream->readExact(bytes.data(), bytes.size());
        const std::string expected = readHostFile(file);
        EXPECT_FALSE(expected.empty()) << file;
        EXPECT_TRUE(bytes == expected) << resource << " differs from " << file;
    }
}

}  // namespace
}  // namespace vk::test
