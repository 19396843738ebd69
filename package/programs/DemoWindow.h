#pragma once
// The one window every demo program shows: a caption and a few lines of text,
// closed by its close box or by Esc. Returns the program's exit code.
#include <windows.h>

#include <string>

namespace vk::demo {

int runDemoWindow(HINSTANCE instance, const std::wstring& caption, const std::wstring& text);

// The folder of this program's own file, without a trailing "\".
std::wstring ownFolder();

}  // namespace vk::demo
