#pragma once
#include <string_view>

namespace vk::platform::hosted {

// Whether a file name matches a FindFirstFile pattern: "*" any run of
// characters, "?" any one, the rest without regard to case; "*.*" matches
// every name, with or without a dot. A name that is not UTF-8 matches nothing.
bool matchesWildcard(std::string_view name, std::string_view pattern);

}  // namespace vk::platform::hosted
