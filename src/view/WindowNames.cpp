#include "view/WindowNames.h"

#include "platform/win32/Wide.h"

namespace vk::view {

void setWindowName(HWND window, const std::string& name) {
    const ATOM atom = GlobalAddAtomW(platform::win32::wide(name).c_str());
    if (atom) SetPropW(window, kNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

void clearWindowName(HWND window) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropW(window, kNameProperty)));
    if (atom) GlobalDeleteAtom(atom);
}

std::string windowName(HWND window) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(window, kNameProperty)));
    if (!atom) return {};
    wchar_t name[256];
    const UINT length = GlobalGetAtomNameW(atom, name, 256);
    return platform::win32::narrow(std::wstring(name, length));
}

}  // namespace vk::view
