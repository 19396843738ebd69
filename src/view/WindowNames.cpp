#include "view/WindowNames.h"

#include "platform/win32/Wide.h"

namespace vk::view {

namespace {

// Numbers are kept one up, so that a missing property (0) reads as none.
HANDLE encoded(int value) { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(value) + 1); }

}  // namespace

UINT makeAllControlsMessage() {
    static const UINT message = RegisterWindowMessageW(kMakeAllControlsMessage);
    return message;
}

ATOM setWindowName(HWND window, const std::string& name) {
    const ATOM atom = GlobalAddAtomW(platform::win32::wide(name).c_str());
    if (atom) SetPropW(window, kNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
    return atom;
}

std::string windowName(HWND window) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(window, kNameProperty)));
    if (!atom) return {};
    wchar_t name[256];
    const UINT length = GlobalGetAtomNameW(atom, name, 256);
    return platform::win32::narrow(std::wstring(name, length));
}

void setWindowNumber(HWND window, const wchar_t* property, int value) { SetPropW(window, property, encoded(value)); }

std::optional<int> windowNumber(HWND window, const wchar_t* property) {
    const auto stored = reinterpret_cast<INT_PTR>(GetPropW(window, property));
    if (stored == 0) return std::nullopt;
    return static_cast<int>(stored - 1);
}

}  // namespace vk::view
