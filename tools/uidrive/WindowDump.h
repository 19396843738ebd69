#pragma once
// The dump of a form read from its windows, in the hosted player's format
// (forms/Dump.h): the controls in the order the view made them.
#include <windows.h>

#include <string>
#include <vector>

namespace vk::uidrive {

// process: the program's, whose memory holds a list view's texts.
std::vector<std::string> dumpWindow(HWND form, HANDLE process);

}  // namespace vk::uidrive
