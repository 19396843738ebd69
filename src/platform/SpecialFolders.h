#pragma once
#include <string>

namespace vk::platform {

// The file-system path of a shell folder by CSIDL number (23 common programs,
// 28 local application data, ...), without trailing "\"; empty when the
// folder has no file-system location.
std::string specialFolderPath(int csidl);

}  // namespace vk::platform
