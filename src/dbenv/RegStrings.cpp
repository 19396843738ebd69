#include "dbenv/RegStrings.h"

namespace vk {

std::string ReadRegString(platform::RootKey root, std::string_view key, std::string_view name) {
    auto opened = platform::openRegistryKey(root, key, false);
    return opened ? opened->readString(name).value_or("") : "";
}

void WriteRegString(platform::RootKey root, std::string_view key, std::string_view name, std::string_view value) {
    auto opened = platform::openRegistryKey(root, key, true);
    if (opened) opened->writeString(name, value);
}

}  // namespace vk
