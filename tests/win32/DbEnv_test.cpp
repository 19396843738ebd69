// The database environment against the real Windows: the engine's registry
// configuration, the client library's version strings read by version.dll,
// its load test, and the server installer started and waited for.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "datalib/WinUtils.h"
#include "dbenv/BdeConfig.h"
#include "dbenv/BdeExpectations.h"
#include "dbenv/RegStrings.h"
#include "dbenv/ServerDetection.h"
#include "platform/FileSystem.h"
#include "platform/win32/Wide.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

// A file of the test build, beside the test program.
std::string besideTests(const std::string& name) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string path = platform::win32::narrow(self);
    return path.substr(0, path.rfind('\\') + 1) + name;
}

// The engine's values as they were before a test, put back afterwards (Wine
// itself sets one of them), and the keys the test made removed.
class EngineRegistrySnapshot {
public:
    EngineRegistrySnapshot() {
        for (const auto& [key, name, data] : test::kExpectedBde) {
            auto opened = platform::openRegistryKey(platform::RootKey::LocalMachine, key, false);
            before_.push_back(opened ? opened->readString(name) : std::nullopt);
        }
    }
    ~EngineRegistrySnapshot() {
        std::size_t index = 0;
        for (const auto& [key, name, data] : test::kExpectedBde) {
            const auto& value = before_[index++];
            if (value) WriteRegString(platform::RootKey::LocalMachine, key, name, *value);
            else SHDeleteValueW(HKEY_LOCAL_MACHINE, platform::win32::wide(key).c_str(), platform::win32::wide(name).c_str());
        }
        // Deepest keys first: a key goes only once it is empty.
        for (auto row = std::rbegin(test::kExpectedBde); row != std::rend(test::kExpectedBde); ++row)
            for (std::wstring key = platform::win32::wide((*row)[0]); key.size() > 9; key.resize(key.rfind(L'\\')))
                deleteIfEmpty(key);
    }

private:
    // Wine's SHDeleteEmptyKey looks at subkeys only; values count too.
    static void deleteIfEmpty(const std::wstring& key) {
        HKEY opened = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return;
        DWORD subkeys = 1, values = 1;
        RegQueryInfoKeyW(opened, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr);
        RegCloseKey(opened);
        if (subkeys == 0 && values == 0) RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str());
    }

    std::vector<std::optional<std::string>> before_;
};

TEST(Win32DbEnv, ConfiguresTheEngineInTheRegistry) {
    if (!DetectBdeFolder().empty()) GTEST_SKIP() << "an engine is installed on this machine; its settings are not touched";
    EngineRegistrySnapshot snapshot;
    ConfigureBde("C:\\Engine");
    test::expectBdeConfiguration("C:\\Engine");
    // The empty values exist, as strings.
    DWORD type = 0, size = 0;
    EXPECT_EQ(SHGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT",
                          L"DATA REPOSITORY", &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(DetectBdeFolder(), "C:\\Engine");
}

// The client library is placed beside this program, where the system looks
// first for a library named without a folder, and not in the system folder,
// where the engine's tests running meanwhile expect none. One test, so that
// no other test sees it there.
TEST(Win32ClientLibrary, VersionStringsComeFromTheUsEnglishTableOnlyAndTheLibraryLoadsByName) {
    const std::string folder = besideTests("");
    const std::string library = folder + "GDS32.DLL";
    if (platform::fileExists(library) || platform::fileExists(SystemDir() + "GDS32.DLL"))
        GTEST_SKIP() << "a GDS32.DLL exists on this machine and is not touched";
    EXPECT_FALSE(ClientLibraryLoads());
    EXPECT_EQ(ReadGdsVersionString("FileDescription", folder), "");

    struct Case {
        const char* image;
        const char* description;
        const char* version;
    };
    const Case cases[] = {
        {"GdsFirebird.dll", "Firebird Client Library", "1.0.3.972"},
        {"GdsYaffil.dll", "yaffil client dll", "1.1.3.854"},
        {"GdsRussianOnly.dll", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        ASSERT_TRUE(platform::copyFile(besideTests(c.image), library, false));
        EXPECT_EQ(ReadGdsVersionString("FileDescription", folder), c.description);
        EXPECT_EQ(ReadGdsVersionString("FileVersion", folder), c.version);
        EXPECT_TRUE(ClientLibraryLoads());
    }
    EXPECT_TRUE(platform::deleteFile(library));
    EXPECT_FALSE(ClientLibraryLoads());
}

TEST(Win32DbEnv, TheServerInstallerRunsToItsEnd) {
    test::TestMachine machine;
    ServerInfo info;
    info.ServerInstaller = machine.scratch() + "\\Firebird_6-2-3-972-Win32.exe";
    ASSERT_TRUE(platform::copyFile(besideTests("VkExitWith.exe"), info.ServerInstaller, false));
    const std::string caller = platform::currentFolder();
    ASSERT_TRUE(platform::setCurrentFolder(machine.scratch()));
    RunServerInstaller(info);
    platform::setCurrentFolder(caller);
    EXPECT_TRUE(platform::fileExists(machine.scratch() + "\\ran"));

    info.ServerInstaller = machine.scratch() + "\\Absent.exe";
    EXPECT_NO_THROW(RunServerInstaller(info));
}

}  // namespace
}  // namespace vk
