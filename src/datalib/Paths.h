#pragma once
// Windows path parts, taken apart at "\" and the drive colon. Paths are UTF-8;
// "\", ":" and "." are ASCII and never occur inside a multi-byte character,
// so cutting at them never splits one.
#include <string>
#include <string_view>

namespace vk {

// The folder part: everything before the last "\" or ":". The "\" is dropped
// unless it follows a drive colon or is part of a leading "\\", so
// "C:\Dir\File" gives "C:\Dir", "C:\File" gives "C:\", "\\host" gives "\\".
std::string ExtractFileDir(std::string_view path);
// The drive part: "C:" of "C:\Dir", "\\host\share" of "\\host\share\Dir";
// empty when the path names neither.
std::string ExtractFileDrive(std::string_view path);
// The part after the last "\" or ":".
std::string ExtractFileName(std::string_view path);
// The extension with its dot ("" when the name has none).
std::string ExtractFileExt(std::string_view path);
// The path with its extension replaced by ext (which carries its dot), or ext appended.
std::string ChangeFileExt(std::string_view path, std::string_view ext);
std::string IncludeTrailingBackslash(std::string_view path);
std::string ExcludeTrailingBackslash(std::string_view path);

}  // namespace vk
