#include "datalib/RegUtils.h"

namespace vk {

std::string ReadRegString(platform::RootKey root, std::string_view key, std::string_view name) {
    auto opened = platform::openRegistryKey(root, key, false);
    return opened ? opened->readString(name).value_or("") : std::string();
}

}  // namespace vk
