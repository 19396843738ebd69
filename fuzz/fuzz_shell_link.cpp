// Feeds arbitrary bytes to the shell link reader: it must answer or throw
// vk::Error, never crash, hang or allocate by an unchecked size.
#include <cstddef>
#include <cstdint>

#include "platform/Error.h"
#include "platform/ShellLinkFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vk::ByteViewStream stream(data, size, "fuzz.lnk");
    try {
        vk::platform::decodeShellLink(stream);
    } catch (const vk::Error&) {
    }
    return 0;
}
