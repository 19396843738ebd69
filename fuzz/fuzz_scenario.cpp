// The scenario reader over arbitrary text: steps or a ScenarioError, nothing else.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "forms/Scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        vk::forms::parseScenario(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz");
    } catch (const vk::forms::ScenarioError&) {
    }
    return 0;
}
