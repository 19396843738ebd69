#pragma once
// Whole-file reads and crash-safe replacement of host files. displayName is
// the path that messages show; failures carry the system's message.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vk::platform::hosted {

// The file's bytes; nullopt when it does not exist.
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path,
                                                       const std::string& displayName);
// Writes bytes to a temporary file in the same folder, flushes it to disk and
// renames it over path, so that a crash leaves the old file or the new one.
void replaceFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes,
                 const std::string& displayName);

}  // namespace vk::platform::hosted
