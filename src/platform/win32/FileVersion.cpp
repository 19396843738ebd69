#include "platform/FileVersion.h"

#include <vector>

#include "platform/win32/Wide.h"

namespace vk::platform {

std::optional<std::string> fileVersionString(std::string_view path, std::string_view key) {
    std::wstring file = win32::wide(path);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<std::uint8_t> block(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return std::nullopt;
    std::wstring query = L"\\StringFileInfo\\040904E4\\" + win32::wide(key);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || !value) return std::nullopt;
    // The length counts characters and may or may not include the closing NUL.
    std::wstring_view text(static_cast<const wchar_t*>(value), length);
    return win32::narrow(text.substr(0, text.find(L'\0')));
}

}  // namespace vk::platform
