#pragma once
// Windows paths taken apart: a root (a drive "C:" or a share "\\host\share")
// and the names under it, with "." and ".." already applied. Both "\" and "/"
// separate names, as on Windows.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vk::platform::hosted {

struct WindowsPath {
    char drive = 0;              // 'C' for "C:\...", 0 for a share
    std::string host, share;     // for "\\host\share\..."
    std::vector<std::string> names;

    bool isShare() const { return drive == 0; }
    bool isRoot() const { return names.empty(); }
    // "C:\Dir\File", "C:\" for a drive's root, "\\host\share\Dir".
    std::string text() const;
    // The same folder or file, or one inside it (without regard to case).
    bool isWithin(const WindowsPath& folder) const;
};

// Parses path; a relative one ("Dir\File", "\Dir", "C:File") is taken from
// currentFolder, which must be absolute. nullopt when the path names no
// drive or share, or holds a character Windows does not allow in a name.
std::optional<WindowsPath> parseWindowsPath(std::string_view path, std::string_view currentFolder);

}  // namespace vk::platform::hosted
