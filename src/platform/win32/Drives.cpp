#include "platform/Drives.h"

#include <windows.h>

namespace vk::platform {

std::vector<std::string> logicalDrives() {
    const DWORD mask = GetLogicalDrives();
    std::vector<std::string> drives;
    for (int letter = 0; letter < 26; ++letter)
        if (mask & (1u << letter)) drives.push_back(std::string(1, static_cast<char>('A' + letter)) + ":");
    return drives;
}

}  // namespace vk::platform
