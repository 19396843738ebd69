#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vk::platform {

enum class Wait { None, Forever };

// CreateProcess with a command line ("path" args) and a current folder (empty:
// the caller's). nullopt when the process could not be started; otherwise its
// exit code with Wait::Forever, or 0 with Wait::None.
std::optional<std::uint32_t> startProcess(std::string_view commandLine, std::string_view currentFolder,
                                          Wait wait);

// The command line that starts the program at path, before its arguments:
// quoted when the path holds a blank, so that the system does not start a
// program named by its first words ("C:\Program.exe" for "C:\Program Files\...").
inline std::string programCommandLine(std::string_view path) {
    if (path.find(' ') == std::string_view::npos) return std::string(path);
    return "\"" + std::string(path) + "\"";
}

}  // namespace vk::platform
