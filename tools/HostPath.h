#pragma once
// Host paths of the tools: arguments and names arrive in UTF-8 on every system,
// std::filesystem takes them apart, and the platform's files take them back
// in UTF-8 (a tool selects no hosted machine, so they are the host's own).
#include <filesystem>
#include <string>
#include <string_view>

namespace vk::tools {

inline std::filesystem::path hostPath(std::string_view utf8) {
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

inline std::string displayPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace vk::tools
