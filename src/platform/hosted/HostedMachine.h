#pragma once
// The hosted machine: a folder that stands for one Windows machine. "C/..."
// is drive C, "UNC/host/share/..." is \\host\share, "registry.reg" is the
// registry and "machine.ini" holds the computer's name, folders and rights.
// Until a machine is selected, paths are host paths used as given, so that
// tools work on ordinary files.
#include <filesystem>
#include <string_view>

namespace vk::platform::hosted {

// Selects the machine folder, creating it (with defaults) when missing.
void useMachine(const std::filesystem::path& root);
void useNoMachine();
// The selected machine's folder; empty when none is selected.
std::filesystem::path machineFolder();
// The host path of a Windows path on the selected machine, resolved without
// regard to case; throws Error for a path that names no drive or share.
std::filesystem::path toHostPath(std::string_view windowsPath);
// The executable whose RCDATA resources ownResource() reads.
void useOwnImage(const std::filesystem::path& peImage);

}  // namespace vk::platform::hosted
