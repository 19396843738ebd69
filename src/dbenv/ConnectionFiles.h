#pragma once
// The product's connection files: made from each selected configuration's
// template at the end of an installation, found for an existing installation
// at start-up, and, for an update package, copied under new names and
// repointed. Every operation sets the storage's file name first and clears
// it at its end.
#include <functional>
#include <string>
#include <vector>

#include "dbenv/ConfigTable.h"
#include "dbenv/ConnectionParams.h"
#include "dbenv/ConnectionSets.h"
#include "forms/Controls.h"

namespace vk {

// The wizard's choices that the prepared connection files carry.
struct ConnectionChoices {
    ServerNaming Naming;              // edDataBase, cbNetWork, the protocol of TfmNet
    std::string LocalPath;            // edLocalPath
    const LinkSettings* Link = nullptr;  // cbURM checked: the link to add as connection 2
    std::string ExchangeFolder;       // of TfmNet; empty for none
};

// What the install log learns of a prepared connection file: the wizard adds
// a file entry for the copied file and a folder entry for its folder.
struct ConnectionFileLog {
    std::function<void(const std::string& path)> FileCreated;
    std::function<void(const std::string& path)> FolderUsed;
};

// For every selected configuration, in table order: loads its template
// (database folder + "\Setup<n>.dbx"; a missing one is skipped), points
// connections 0 and 1 at the database folder, adds the link and the exchange
// folder, saves, copies the result into "<program folder>\Подключения" under
// the row's ConnectionFile (when it has one and the folder can be made) and
// deletes the template. Failures while loading, editing, copying or saving
// propagate.
void PrepareConnectionFiles(ConnectionStorage& storage, const ConfigTable& configs, const ConnectionChoices& choices,
                            const ConnectionFileLog& log);

// The connection of an existing installation, as start-up finds it.
struct ExistingConnection {
    std::string DatabaseFolder;   // the configuration database's folder; empty when not found
    std::string ConnectionFile;   // for edDBX; empty when no candidate exists
    std::string ConfigDatabase;   // for edConfig; empty unless the file exists
    std::string ExchangeFolder;   // DataExchangeServer of the file; empty when none
};

// Looks for the file named by DBName (HKEY_CURRENT_USER) as it stands, in
// the program folder, then in its "Подключения", and reads its configuration
// database and exchange folder. Never fails: a damaged file gives what was
// found before the damage and no database folder.
ExistingConnection FindExistingConnection(ConnectionStorage& storage, const std::string& localPath);

// The DBX page's browse buttons, asking through the front end. The connection
// file chooser fills edDBX and, from the chosen file's configuration
// connection, edConfig; the database chooser fills edConfig. A cancelled
// chooser changes nothing.
void btDBXClick(ConnectionStorage& storage, forms::Edit& edDBX, forms::Edit& edConfig);
void btConfigClick(forms::Edit& edConfig);

// Why the DBX page cannot be left: a connection file or configuration
// database that is not named or does not exist; empty when all is well or
// the package does not update an existing connection.
std::string ConnectionPageError(std::uint32_t packageFlags, const std::string& edDBX, const std::string& edConfig);

// Next on the DBX page: false, after an error message naming what is
// missing, keeps the user on the page.
bool ValidateConnectionPage(std::uint32_t packageFlags, const std::string& edDBX, const std::string& edConfig);

// A correction file handed over by the install thread: its name and bytes.
struct CorrectionRow {
    std::string Name;
    std::string Bytes;
};

// Copies the connection file edDBX and the configuration database edConfig
// under their RenamedCopyName names (never onto themselves), makes the copy
// the product's current connection file (DBName), points its configuration
// connection at the copied database, replaces its corrections and names the
// product in it. Nothing happens when edDBX does not exist.
void RewriteExistingConnection(ConnectionStorage& storage, const std::string& edDBX, const std::string& edConfig,
                               const std::vector<CorrectionRow>& corrections, std::string_view renameRule = kRenameRule);

// The product's settings key under HKEY_CURRENT_USER, holding DBName.
inline constexpr std::string_view kProductSettingsKey = "SoftWare\\Talvex\\Vorkast\\System";

}  // namespace vk
