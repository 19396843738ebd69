#include "platform/Registry.h"

#include <vector>

#include "platform/win32/SystemFunction.h"
#include "platform/win32/Wide.h"

#include <shlwapi.h>

namespace vk::platform {

namespace {

HKEY rootHandle(RootKey root) {
    switch (root) {
        case RootKey::LocalMachine: return HKEY_LOCAL_MACHINE;
        case RootKey::CurrentUser: return HKEY_CURRENT_USER;
        case RootKey::ClassesRoot: return HKEY_CLASSES_ROOT;
    }
    return HKEY_CURRENT_USER;
}

// The registry takes a path relative to the root; a leading "\" (the root
// itself) or a trailing one would make the call fail.
std::string_view relativePath(std::string_view path) {
    while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    return path;
}

class Win32RegistryKey final : public RegistryKey {
public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}
    ~Win32RegistryKey() override { RegCloseKey(key_); }

    std::optional<std::string> readString(std::string_view name) override {
        std::wstring valueName = win32::wide(name);
        // The value may grow between the size query and the read; ask again then.
        for (;;) {
            DWORD type = 0;
            DWORD bytes = 0;
            if (RegQueryValueExW(key_, valueName.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
                return std::nullopt;
            if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
            std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
            LONG status = RegQueryValueExW(key_, valueName.c_str(), nullptr, &type,
                                           reinterpret_cast<BYTE*>(buffer.data()), &bytes);
            if (status == ERROR_MORE_DATA) continue;
            if (status != ERROR_SUCCESS) return std::nullopt;
            // Stored strings need not end with a NUL; the spare element provides one.
            return win32::narrow(buffer.data());
        }
    }

    bool writeString(std::string_view name, std::string_view value) override {
        std::wstring text = win32::wide(value);
        DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(key_, win32::wide(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
    }

private:
    HKEY key_;
};

}  // namespace

std::unique_ptr<RegistryKey> openRegistryKey(RootKey root, std::string_view path, bool create) {
    std::wstring subKey = win32::wide(relativePath(path));
    HKEY key = nullptr;
    LONG status;
    if (create) {
        status = RegCreateKeyExW(rootHandle(root), subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    } else {
        status = RegOpenKeyExW(rootHandle(root), subKey.c_str(), 0, KEY_READ | KEY_WRITE, &key);
        // A key the user may read but not change still reads; its writes then fail.
        if (status == ERROR_ACCESS_DENIED)
            status = RegOpenKeyExW(rootHandle(root), subKey.c_str(), 0, KEY_READ, &key);
    }
    if (status != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegistryKey>(key);
}

bool deleteRegistryKey(RootKey root, std::string_view path) {
    const std::wstring subKey = win32::wide(relativePath(path));
    if (subKey.empty()) return false;
    static const auto deleteTree = win32::systemFunction<decltype(SHDeleteKeyW)>(L"shlwapi.dll", "SHDeleteKeyW");
    const DWORD status = deleteTree(rootHandle(root), subKey.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace vk::platform
