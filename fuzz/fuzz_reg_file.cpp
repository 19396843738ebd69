// registry.reg as the hosted machine reads it: any text either parses or
// gives an Error, and what parses writes back to text that parses the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/Error.h"
#include "platform/hosted/RegFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vk::platform::hosted;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        std::string written = formatRegFile(parseRegFile(text, "registry.reg"));
        if (formatRegFile(parseRegFile(written, "registry.reg")) != written) std::abort();
    } catch (const vk::Error&) {
    }
    return 0;
}
