#pragma once
// Where the product goes by default, and where an earlier installation of it
// lives: the start-up questions of the wizard about program folders.
#include <string>
#include <string_view>

namespace vk {

// The drive of the Windows folder + "\Program Files\Talvex\Vorkast".
std::string DefaultProgramFolder();

// The path with every name spelt as the file system stores it, short (8.3)
// names replaced by long ones: C:\PROGRA~1\TALVEX\VORKAST gives
// C:\Program Files\Talvex\Vorkast. Names are looked up from the last one up
// to the first that cannot be found (the drive root always ends the walk);
// the drive part is kept as given. A path whose last name is not found
// (a drive root among them) is returned as given.
std::string LongPathName(std::string_view path);

// The program folder of an earlier installation, or "": the RootDir the
// product keeps under HKEY_CURRENT_USER, taken as stored; otherwise the folder
// of the product's in-process server, when "Vorkast.exe" is still beside it.
std::string FindPreviousInstall();

}  // namespace vk
