#include "HostFile.h"

#include "platform/Error.h"
#include "platform/FileSystem.h"

namespace vk::trs {

std::unique_ptr<Stream> openForReading(const std::filesystem::path& path) {
    const std::string name = displayPath(path);
    // Windows would only say that access is denied.
    if (platform::directoryExists(name)) throw Error(name + ": is a folder, not a file");
    return platform::openFile(name, platform::FileMode::OpenRead);
}

}  // namespace vk::trs
