#pragma once
// System folders and the file routines of the installer, over the platform
// interfaces. Folders the system reports are empty when it cannot say.
#include <string>
#include <string_view>

namespace vk {

// The system and Windows folders, always with "\" appended ("" on failure).
std::string SystemDir();
std::string WindowsDir();
// The temporary folder as the system gives it (normally with "\").
std::string TempDir();
// The shell folder with that CSIDL number, without trailing "\"; "" when it has no file-system location.
std::string GetSpecialFolder(int csidl);
std::string ComputerName();

// The folder chooser rooted at rootCsidl, starting at path. True when the
// user chose a folder with a file-system path, which then replaces path;
// otherwise path is left as it was.
bool BrowseForFolder(std::string& path, int rootCsidl);

// The full path of path as GetFullPathName makes it: a relative path is taken
// from the current folder, a leading "\" from its drive, "X:name" from the
// current folder when that is on X (else from X:\); "." and ".." are applied
// and ".." stops at the drive or share. "" stays "".
std::string ExpandFileName(std::string_view path);

// Makes the folder with every missing parent; true when it exists afterwards
// (it does not throw). Pass paths without a trailing "\".
bool ForceDir(std::string_view path);

// Copies source's content to dest (at dest's end when append is true). A
// missing source does nothing. Failing to open or create either file throws
// Error naming it; without append, dest ends up an exact copy.
void CopyFileTo(std::string_view source, std::string_view dest, bool append);

}  // namespace vk
