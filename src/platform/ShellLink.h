#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vk::platform {

struct ShellLinkData {
    std::string path;            // the target
    std::string arguments;
    std::string workingFolder;
    std::string description;
};

// Saves a .lnk file (IShellLink + IPersistFile); false when it cannot be written.
bool saveShellLink(const ShellLinkData& link, std::string_view lnkPath);
// Reads one back; nullopt when the file is missing or not a shell link.
std::optional<ShellLinkData> readShellLink(std::string_view lnkPath);

}  // namespace vk::platform
