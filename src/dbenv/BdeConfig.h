#pragma once
// The database engine's folder and its registry configuration. Everything
// here is under HKEY_LOCAL_MACHINE and nothing of it reports a failure: a key
// that cannot be written is skipped value by value.
#include <string>
#include <string_view>

namespace vk {

// DLLPATH of the installed engine; empty when none is found.
std::string DetectBdeFolder();

// Whether the engine's library is in that folder. Its configuration can
// outlive its files (a removal of the product keeps the configuration and
// takes the files it installed), and a configuration alone is no engine.
bool BdeInstalledIn(std::string_view bdeFolder);

// Where the engine goes when none is installed: the drive of windowsDir (its
// letter and colon, or "\\server\share" for a network Windows folder)
// followed by "\Program files\Borland\Common files\BDE".
std::string DefaultBdeFolder(std::string_view windowsDir);

// Writes the engine's whole configuration (76 string values under 12 keys)
// with bdeFolder as the engine's folder, in a fixed order, overwriting what
// is there. Creates missing keys; deletes nothing.
void ConfigureBde(std::string_view bdeFolder);

}  // namespace vk
