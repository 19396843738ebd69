#pragma once
// The string values of the registry as the installer reads and writes them:
// a fresh key handle for every value, released at once, and nothing reported
// when a key cannot be opened.
#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace vk {

// The value's text; empty when the key or the value is missing or not a string.
std::string ReadRegString(platform::RootKey root, std::string_view key, std::string_view name);

// Opens the key, creating it and its parents when missing, and writes the
// value as a string (replacing any value of that name). A key that cannot be
// opened or created, or a value that cannot be written, is skipped silently.
void WriteRegString(platform::RootKey root, std::string_view key, std::string_view name, std::string_view value);

}  // namespace vk
