#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace vk::platform {

enum class Wait { None, Forever };

// CreateProcess with a command line ("path" args) and a current folder (empty:
// the caller's). nullopt when the process could not be started; otherwise its
// exit code with Wait::Forever, or 0 with Wait::None.
std::optional<std::uint32_t> startProcess(std::string_view commandLine, std::string_view currentFolder,
                                          Wait wait);

}  // namespace vk::platform
