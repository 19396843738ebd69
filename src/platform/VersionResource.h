#pragma once
// The layout of a version resource (VS_VERSIONINFO): nested blocks of
// length, value length, type, UTF-16 key and value, each aligned to 32 bits.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vk::platform {

// The value of key in string table (for example "040904E4") of a version
// resource; nullopt when the table or key is absent. Keys and tables match
// without regard to case. A malformed resource throws Error naming source.
std::optional<std::string> findVersionString(const std::vector<std::uint8_t>& resource, std::string_view table,
                                             std::string_view key, const std::string& source);

}  // namespace vk::platform
