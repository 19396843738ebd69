#pragma once
#include <filesystem>
#include <string_view>

namespace vk::platform::hosted {

// Replaces file with content so that a crash or a failed write leaves either
// the old file or the new one, never a mixture: the content goes to
// "<file>.new", is flushed to the disk, then renamed over file. Throws Error
// (naming the file and the system's reason) and leaves the old file as it was.
void writeFileAtomically(const std::filesystem::path& file, std::string_view content);

// The whole file; Error naming it when it cannot be read.
std::string readWholeFile(const std::filesystem::path& file);

}  // namespace vk::platform::hosted
