#include "platform/Resources.h"

#include "platform/win32/Wide.h"

namespace vk::platform {

std::unique_ptr<Stream> ownResource(std::string_view name) {
    std::wstring resourceName = win32::wide(name);
    HRSRC resource = FindResourceW(nullptr, resourceName.c_str(), RT_RCDATA);
    if (!resource) return nullptr;
    HGLOBAL loaded = LoadResource(nullptr, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return nullptr;
    // The image stays mapped for the life of the process: a view, no copy.
    return std::make_unique<ByteViewStream>(static_cast<const std::uint8_t*>(data),
                                            SizeofResource(nullptr, resource), std::string(name));
}

}  // namespace vk::platform
