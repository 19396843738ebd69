#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vk::platform {

// A string of a file's version resource from the string table 040904E4
// ("FileDescription", "FileVersion", ...); nullopt when the file, the resource
// or the value is missing.
std::optional<std::string> fileVersionString(std::string_view path, std::string_view key);

}  // namespace vk::platform
