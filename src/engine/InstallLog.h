#pragma once
// The install log: everything an installation creates or registers, in the
// order it happened, for the product's uninstaller. Entries are only appended.
// The table (the wizard's ssLog) has the fields Value (memo), ValType
// (integer) and InfType (string of 8).
#include <cstdint>
#include <string>
#include <string_view>

#include <vector>

#include "datalib/DataSet.h"
#include "engine/InstallLogReader.h"

namespace vk {

namespace logkind {
inline constexpr std::string_view Target = "TARGET";    // InstallFolder
inline constexpr std::string_view BdeDir = "BDEDIR";    // BdeFolder, possibly empty
inline constexpr std::string_view DbDir = "DBDIR";      // the database folder
inline constexpr std::string_view File = "FILE";        // a file the installation created
inline constexpr std::string_view Folder = "FOLDER";    // a folder the installation used
inline constexpr std::string_view OcxReg = "OCXREG";    // a control registered in-process
inline constexpr std::string_view SrvReg = "SRVREG";    // a server started with " -regserver"
inline constexpr std::string_view Shortcut = "SHORTCUT";
}  // namespace logkind

void AddLogEntry(DataSet& log, std::string_view value, std::string_view kind, std::int64_t number);

// WindowsDir + "VksUnSt.trs".
std::string InstallLogPath();
inline constexpr std::string_view kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorkast";

// WindowsDir + "VksUnSt.pending.trs": what a run was about to create, saved
// before it wrote anything. A run that is interrupted or fails leaves it
// behind; the next successful one carries over what of it is still there.
std::string PendingLogPath();

// Saves the pending log: these entries, then those of a pending log left by
// an earlier unfinished run that these do not name and that are still there.
// Does nothing when there is nothing to save. Throws Error when the file
// cannot be written (before anything is installed, so the run ends clean).
void SavePendingLog(const std::vector<InstallLogEntry>& entries);

// The wizard's last step after a successful installation: lists the product
// among the removable programs (skipped when the key cannot be opened),
// carries over from an earlier log, and from a pending log an unfinished run
// left, the entries this one does not name whose files or folders are still
// there (an installation over an earlier one logs only what is new to it,
// and an unfinished run saved no log), logs the log file itself last and
// saves the log there as a transport stream, replacing an earlier one only
// once the new one is complete on the disk; the pending log is deleted then.
// Returns whether the uninstall entry was written, so that whatever reports
// the outcome says what happened. Throws Error when the log cannot be
// written (the earlier log stays), or when an entry could not be stored (the
// rest of the log is saved first).
bool RegisterUninstallAndSaveLog(DataSet& log, std::string_view productCaption, std::string_view installFolder);

}  // namespace vk
