#pragma once
// The component name every native window of a form carries, so that a
// program outside (the UI driver) can find it: a window property holding a
// global atom of the name.
#include <windows.h>

#include <string>

namespace vk::view {

inline constexpr wchar_t kNameProperty[] = L"VkName";

void setWindowName(HWND window, const std::string& name);
// Removes the property and releases its atom; before the window goes.
void clearWindowName(HWND window);
// The name, or empty for a window that carries none.
std::string windowName(HWND window);

}  // namespace vk::view
