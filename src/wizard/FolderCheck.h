#pragma once
// The check the wizard makes of a folder typed by the user before it moves
// on: a folder that is not a full path would be taken from whatever the
// current folder happens to be, and a character Windows refuses in a name
// would stop the installation half-way.
#include <optional>
#include <string>
#include <string_view>

namespace vk {

// A full path starts with a drive ("C:\") or a share ("\\server\share").
bool IsFullPath(std::string_view path);

// nullopt for a usable folder; otherwise the message to show, naming it.
std::optional<std::string> FolderPathProblem(std::string_view path);

}  // namespace vk
