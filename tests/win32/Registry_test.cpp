#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "platform/Registry.h"
#include "platform/win32/Wide.h"
#include "support/TestMachine.h"
#include "support/TestNames.h"

namespace vk::platform {
namespace {

using win32::wide;

// The test machine's scratch key path under another root, deleted with its
// subkeys afterwards, and its parent with it once empty.
class ScratchKey {
public:
    ScratchKey(HKEY handle, std::string path) : path(std::move(path)), handle_(handle) {}
    ~ScratchKey() {
        SHDeleteKeyW(handle_, wide(path).c_str());
        SHDeleteEmptyKeyW(handle_, L"Software\\VorkastTests");
    }
    const std::string path;

private:
    HKEY handle_;
};

// Reads a value with the system's own call, to check what our writes stored.
std::optional<std::wstring> systemRead(HKEY root, const std::string& path, const wchar_t* name) {
    wchar_t buffer[256];
    DWORD bytes = sizeof(buffer);
    DWORD type = 0;
    if (SHGetValueW(root, wide(path).c_str(), name, &type, buffer, &bytes) != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return std::wstring(buffer);
}

class RegistryRoots : public ::testing::TestWithParam<std::pair<RootKey, HKEY>> {};

TEST_P(RegistryRoots, CreatedKeyHoldsStringsTheSystemReadsBack) {
    test::TestMachine machine;
    auto [root, handle] = GetParam();
    // Under HKEY_LOCAL_MACHINE a 32-bit program lands in Wow6432Node on a 64-bit system; the
    // same view is used for reading, so the path reads the same.
    ScratchKey scratch(handle, machine.registryScratch());
    std::string path = scratch.path + "\\Product\\System";
    EXPECT_EQ(openRegistryKey(root, path, false), nullptr);

    auto key = openRegistryKey(root, path, true);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->writeString("Путь", "C:\\Программы\\Кронта"));
    EXPECT_TRUE(key->writeString("", "default"));
    key.reset();

    EXPECT_EQ(systemRead(handle, path, L"Путь"), L"C:\\Программы\\Кронта");
    auto again = openRegistryKey(root, "\\" + path + "\\", false);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->readString("путь"), "C:\\Программы\\Кронта");
    EXPECT_EQ(again->readString(""), "default");
    EXPECT_EQ(again->readString("Missing"), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Win32, RegistryRoots,
                         ::testing::Values(std::pair{RootKey::LocalMachine, HKEY_LOCAL_MACHINE},
                                           std::pair{RootKey::CurrentUser, HKEY_CURRENT_USER},
                                           std::pair{RootKey::ClassesRoot, HKEY_CLASSES_ROOT}),
                         [](const auto& info) { return std::string(rootKeyName(info.param.first)); });

TEST(Win32Registry, ReadsExpandableStringsButNotOtherTypes) {
    test::TestMachine machine;
    auto key = openRegistryKey(RootKey::CurrentUser, machine.registryScratch(), true);
    ASSERT_NE(key, nullptr);
    std::wstring path = wide(machine.registryScratch());
    const wchar_t expandable[] = L"%TEMP%\\Vorkast";
    DWORD number = 5;
    // A stored string without its closing NUL must not read past its end.
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    ASSERT_EQ(SHSetValueW(HKEY_CURRENT_USER, path.c_str(), L"Expand", REG_EXPAND_SZ, expandable, sizeof(expandable)),
              ERROR_SUCCESS);
    ASSERT_EQ(SHSetValueW(HKEY_CURRENT_USER, path.c_str(), L"Number", REG_DWORD, &number, sizeof(number)),
              ERROR_SUCCESS);
    ASSERT_EQ(SHSetValueW(HKEY_CURRENT_USER, path.c_str(), L"Raw", REG_SZ, unterminated, sizeof(unterminated)),
              ERROR_SUCCESS);
    EXPECT_EQ(key->readString("Expand"), "%TEMP%\\Vorkast");
    EXPECT_EQ(key->readString("Number"), std::nullopt);
    EXPECT_EQ(key->readString("Raw"), "abc");
}

TEST(Win32Registry, OverwritesAnExistingValue) {
    test::TestMachine machine;
    auto key = openRegistryKey(RootKey::CurrentUser, machine.registryScratch(), true);
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->writeString("Version", "1.0"));
    ASSERT_TRUE(key->writeString("Version", "2"));
    EXPECT_EQ(key->readString("Version"), "2");
}

}  // namespace
}  // namespace vk::platform
