// RCDATA resources of the executable named by useOwnImage, handed out as a
// window onto the image file: the payload is far too large to copy.
#include "platform/Resources.h"

#include <fcntl.h>

#include "platform/PeImage.h"
#include "platform/hosted/HostFileStream.h"
#include "platform/hosted/Machine.h"

namespace vk::platform {

std::unique_ptr<Stream> ownResource(std::string_view name) {
    std::filesystem::path imagePath = hosted::ownImagePath();
    if (imagePath.empty()) return nullptr;
    return rcDataResource(std::make_unique<hosted::HostFileStream>(imagePath, O_RDONLY, imagePath.string()), name,
                          std::string(name));
}

}  // namespace vk::platform
