#pragma once
// UTF-8 in the program, UTF-16 at every W function: the conversions at that
// boundary, and the system's text for an error code.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/Text.h"

namespace vk::platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W functions take UTF-16");

inline std::wstring wide(std::string_view utf8) {
    std::u16string utf16 = toUtf16(utf8);
    return std::wstring(utf16.begin(), utf16.end());
}

inline std::string narrow(std::wstring_view text) {
    return fromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

// Up to the first NUL of a fixed buffer the system filled.
inline std::string narrow(const wchar_t* text) { return narrow(std::wstring_view(text)); }

// FormatMessage's text for a GetLastError code, without the closing line break.
std::string systemMessage(DWORD code);

}  // namespace vk::platform::win32
