// Feeds arbitrary bytes to the PE reader: it must answer or throw vk::Error,
// never crash, hang or allocate by an unchecked size.
#include <cstddef>
#include <cstdint>

#include "platform/Error.h"
#include "platform/PeImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vk::ByteViewStream stream(data, size, "fuzz.exe");
    try {
        vk::platform::PeImage image(stream);
        for (const vk::platform::ResourceId& name : {vk::platform::ResourceId("TRSDATA"), vk::platform::ResourceId(1)}) {
            if (auto where = image.findResource(vk::platform::kResourceTypeRcData, name)) image.readResource(*where);
        }
        image.versionString("040904E4", "FileVersion");
    } catch (const vk::Error&) {
    }
    return 0;
}
