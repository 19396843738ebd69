// machine.ini as the hosted machine reads it: any text either parses or gives an Error.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/Error.h"
#include "platform/hosted/MachineConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        vk::platform::hosted::parseMachineConfig(std::string_view(reinterpret_cast<const char*>(data), size), "machine.ini");
    } catch (const vk::Error&) {
    }
    return 0;
}
