// Shortcuts on the hosted machine are real .lnk files in the Shell Link
// Binary format, so that the tools (and lnkinfo) can read what was made.
#include "platform/ShellLink.h"

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/ShellLinkFile.h"

namespace vk::platform {

bool saveShellLink(const ShellLinkData& link, std::string_view lnkPath) {
    try {
        std::vector<std::uint8_t> bytes = encodeShellLink(link);
        auto file = openFile(lnkPath, FileMode::Create);
        file->write(bytes.data(), bytes.size());
        return true;
    } catch (const Error&) {
        return false;
    }
}

std::optional<ShellLinkData> readShellLink(std::string_view lnkPath) {
    try {
        auto file = openFile(lnkPath, FileMode::OpenRead);
        return decodeShellLink(*file);
    } catch (const Error&) {
        return std::nullopt;
    }
}

}  // namespace vk::platform
