#pragma once
// Reading the registry the way every registry read of the installer does:
// a key or value that is missing (or cannot be opened) reads as empty text.
#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace vk {

// Opens root\key without creating it and reads the named string value; an
// empty name reads the key's default value. "" when the key does not open
// or the value is missing.
std::string ReadRegString(platform::RootKey root, std::string_view key, std::string_view name);

}  // namespace vk
