// Version strings of a PE image on the hosted machine, read the way the
// system reads them: a file that is no readable image has none.
#include "platform/FileVersion.h"

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/PeImage.h"

namespace vk::platform {

std::optional<std::string> fileVersionString(std::string_view path, std::string_view key) {
    try {
        auto file = openFile(path, FileMode::OpenRead);
        return PeImage(*file).versionString("040904E4", key);
    } catch (const Error&) {
        return std::nullopt;  // GetFileVersionInfo fails alike on a missing or damaged file
    }
}

}  // namespace vk::platform
