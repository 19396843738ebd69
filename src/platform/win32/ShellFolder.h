#pragma once
// Shell item ID lists as file-system paths.
#include <shlobj.h>

#include <string>

namespace vk::platform::win32 {

// The path of an item ID list without trailing "\" (a drive root keeps its
// "C:\"); empty when the item is not in the file system.
std::string itemPath(LPCITEMIDLIST list);

}  // namespace vk::platform::win32
