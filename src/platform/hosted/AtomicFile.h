#pragma once
#include <filesystem>
#include <string_view>

namespace vk::platform::hosted {

// How far a replacement must have gone when writeFileAtomically returns.
enum class Durability {
    // The new content is on the disk before it replaces the old: a power cut
    // leaves the old file or the new one.
    Flushed,
    // The system writes it out later, as Windows does with its registry: a
    // power cut may lose the latest change. A process that stops at any
    // point still leaves the old file or the new one.
    Lazy,
};

// Replaces file with content so that a failed write leaves the old file as it
// was and never a mixture: the content goes to "<file>.new", which is renamed
// over file (with Flushed, after a flush to the disk; the folder itself is
// not flushed, so a power cut just after the rename may bring back the old
// file). Throws Error naming the file and the system's reason.
void writeFileAtomically(const std::filesystem::path& file, std::string_view content, Durability durability);

// The whole file; Error naming it when it cannot be read.
std::string readWholeFile(const std::filesystem::path& file);

}  // namespace vk::platform::hosted
