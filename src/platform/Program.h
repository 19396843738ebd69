#pragma once
// The running program's own file.
#include <string>

namespace vk::platform {

// The full path of the program's executable (GetModuleFileName).
std::string programPath();
// Its folder with the trailing separator: "C:\Setup\" for "C:\Setup\Setup.exe".
std::string programFolder();

}  // namespace vk::platform
