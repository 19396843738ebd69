#pragma once
// Folders and files, addressed by Windows paths ("C:\Dir\File.ext") in UTF-8.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Stream.h"

namespace vk::platform {

// The folders as the system reports them. Empty on failure.
std::string windowsFolder();   // GetWindowsDirectory, without trailing "\"
std::string systemFolder();    // GetSystemDirectory, without trailing "\"
std::string tempFolder();      // GetTempPath, as the system gives it (normally with "\")
std::string computerName();    // GetComputerName

// File attribute bits as Windows defines them.
constexpr std::uint32_t kAttrReadOnly = 0x01;
constexpr std::uint32_t kAttrHidden = 0x02;
constexpr std::uint32_t kAttrDirectory = 0x10;
constexpr std::uint32_t kAttrArchive = 0x20;

// nullopt when the path does not exist.
std::optional<std::uint32_t> fileAttributes(std::string_view path);
bool fileExists(std::string_view path);       // a file, not a directory
bool directoryExists(std::string_view path);

// Single-level directory creation (CreateDirectory): false when it exists or cannot be made.
bool createDirectory(std::string_view path);
bool deleteFile(std::string_view path);
bool removeDirectory(std::string_view path);   // empty directories only
// CopyFile: false on failure; with failIfExists an existing target is kept.
bool copyFile(std::string_view from, std::string_view to, bool failIfExists);
// Whether both paths name one existing file, however they are spelt (letter
// case, "." and "..", another route to it): copying one onto the other would
// destroy it.
bool sameFile(std::string_view a, std::string_view b);
// MoveFileEx with MOVEFILE_REPLACE_EXISTING: renames a file on the same
// volume, replacing a file of the target's name in one step (never a folder).
// false on failure, and nothing has changed then.
bool moveFile(std::string_view from, std::string_view to);

enum class FileMode {
    OpenRead,         // must exist
    OpenReadWrite,    // must exist, position 0
    Create,           // created or truncated
};
// Throws Error with the system's message and the path on failure.
std::unique_ptr<Stream> openFile(std::string_view path, FileMode mode);

struct FoundFile {
    std::string name;            // the name only, as stored
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
};
// FindFirstFile/FindNextFile over a pattern such as "C:\Dir\*.ocx", in the
// order the file system lists. A missing folder gives an empty list.
std::vector<FoundFile> findFiles(std::string_view pattern);

std::string currentFolder();
bool setCurrentFolder(std::string_view path);

}  // namespace vk::platform
