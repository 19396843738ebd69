#pragma once
// A picture of a window as the screen shows it, saved as a 24-bit .bmp file.
#include <windows.h>

#include <string>

namespace vk::view {

// False when the window or the file could not be had.
bool saveWindowPicture(HWND window, const std::string& path);

}  // namespace vk::view
