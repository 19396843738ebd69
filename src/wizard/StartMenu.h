#pragma once
// The product's start-menu group and its shortcuts. Every shortcut points
// into the program folder, starts there, and is logged for the uninstaller;
// one that cannot be written is passed over without a word.
#include <string>
#include <string_view>

#include "datalib/DataSet.h"
#include "dbenv/ConfigTable.h"

namespace vk {

// The all-users Programs folder (or, when the shell has none, the user's
// "Programs" of the Explorer's shell folders) + "\НПО Талвекс". Computed
// anew on every call.
std::string StartMenuGroup();

// Saves StartMenuGroup\name.lnk pointing to installFolder\target, working in
// installFolder, with the description, replacing an older one; makes the
// group when missing. Logs the file as a logkind::Shortcut, or the group itself when
// the group cannot be made.
void CreateShortcut(DataSet& log, std::string_view installFolder, std::string_view name, std::string_view target,
                    std::string_view description);

// The group (logged as a logkind::Folder), then the shortcuts to the main program, the
// template editor, the connection manager and the version description, and,
// with manuals, one shortcut to the user manual of each selected
// configuration in the order of the table.
void CreateStartMenuShortcuts(DataSet& log, std::string_view installFolder, std::string_view productCaption,
                              bool manuals, const ConfigTable& configs);

}  // namespace vk
