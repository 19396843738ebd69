#pragma once
// The database client library found at start-up (GDS32.DLL in the system
// folder), the choices it suggests, and the database server's installer that
// may run after a server-part installation.
#include <cstdint>
#include <string>
#include <string_view>

#include "package/PackageDefinition.h"

namespace vk {

// What start-up learned of the client library, and where the server's
// installer is looked for. Read once; never refreshed.
struct ServerInfo {
    std::string GdsDescription;  // FileDescription of GDS32.DLL; empty when none
    std::string GdsVersion;      // FileVersion of GDS32.DLL
    std::string ServerInstaller{kServerInstallerName};  // a full path once NeedsServerInstall has looked
};

// A string of GDS32.DLL's version resource in the system folder, from the
// U.S. English / code page 1252 table only; empty when there is none.
std::string ReadGdsVersionString(std::string_view name);

// Whether GDS32.DLL loads by its plain name (the system's search order).
bool ClientLibraryLoads();

// The "GDS" page's start: whether the client library is to be installed
// (offered by the package and none loads), whether that may be changed, and
// whether the installed library is Yaffil's.
struct ClientChoice {
    bool IBClientChecked = false;  // cbIBClient; rbFirebird and rbYaffil are enabled exactly when it is checked
    bool IBClientEnabled = false;
    bool YaffilChecked = false;    // rbYaffil; otherwise rbFirebird keeps its check
};

// Reads GdsDescription and GdsVersion into info and gives the page's start.
ClientChoice InitServerChoices(ServerInfo& info, std::uint32_t packageFlags);

// After a successful installation: true when the server part was installed,
// the client library found at start-up is neither Firebird's nor Yaffil's,
// and the server's installer lies beside the setup program (ServerInstaller
// then holds its full path).
bool NeedsServerInstall(ServerInfo& info, bool serverPart);

// The server page's finding (lbIBServer) for a server to be installed.
std::string ServerPageText(const ServerInfo& info);

// Starts ServerInstaller and waits for it without a time limit. Nothing is
// reported when it cannot start; its exit code is not looked at.
void RunServerInstaller(const ServerInfo& info);

}  // namespace vk
