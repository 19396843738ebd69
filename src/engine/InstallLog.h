#pragma once
// The install log: everything an installation creates or registers, in the
// order it happened, for the product's uninstaller. Entries are only appended.
// This header is the log's one schema: its table, field names, entry kinds,
// file name and the uninstall entry that points at it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "datalib/DataSet.h"
#include "engine/InstallLogReader.h"

namespace vk {

class TStaticSet;

// One field of the log's table.
struct InstallLogField {
    std::string_view name;
    FieldType type;
    std::uint16_t size;
};

namespace logfield {
inline constexpr InstallLogField Value{"Value", FieldType::Memo, 0};        // the path (or other value)
inline constexpr InstallLogField ValType{"ValType", FieldType::Integer, 0};  // the file kind of a copied file, else 0
inline constexpr InstallLogField InfType{"InfType", FieldType::String, 8};  // the entry's kind: one of logkind
// In their stored order, as the installer writes them and the uninstaller requires them.
inline constexpr InstallLogField InOrder[] = {Value, ValType, InfType};
}  // namespace logfield

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

// Makes set the log's table (the wizard's ssLog): closed, named ssLog, the
// fields above and no index. The owner opens it; it lives without storage.
void defineLog(TStaticSet& set);

void AddLogEntry(DataSet& log, std::string_view value, std::string_view kind, std::int64_t number);

// The log lies beside the uninstaller in the Windows folder; the system's
// list of removable programs starts it with kUninstallArgument.
inline constexpr std::string_view kInstallLogName = "VksUnSt.trs";
inline constexpr std::string_view kPendingLogName = "VksUnSt.pending.trs";
inline constexpr std::string_view kUninstallerName = "VksUnSt.exe";
inline constexpr std::string_view kUninstallArgument = "REMOVE";
inline constexpr std::string_view kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorkast";

// WindowsDir + kInstallLogName.
std::string InstallLogPath();

// WindowsDir + kPendingLogName: what a run was about to create, saved
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
