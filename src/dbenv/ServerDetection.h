#pragma once
// The database client library found at start-up (GDS32.DLL in the system
// folder), the choices it suggests, and the database server's installer that
// may run after a server-part installation.
#include <cstdint>
#include <string>
#include <string_view>

#include "forms/Controls.h"
#include "package/PackageDefinition.h"

namespace vk {

// What start-up learned of the client library, and where the server's
// installer is looked for. Read once; never refreshed.
struct ServerInfo {
    std::string GdsDescription;  // FileDescription of GDS32.DLL; empty when none
    std::string GdsVersion;      // FileVersion of GDS32.DLL
    std::string ServerInstaller{kServerInstallerName};  // a full path once NeedsServerInstall has looked
};

// A string of GDS32.DLL's version resource in folder (the system folder when
// empty), from the U.S. English / code page 1252 table only; empty when there
// is none.
std::string ReadGdsVersionString(std::string_view name, std::string_view folder = {});

// Whether GDS32.DLL loads by its plain name (the system's search order).
bool ClientLibraryLoads();

// The wizard's "GDS" page controls that the client library decides.
struct ClientControls {
    forms::CheckBox& cbIBClient;
    forms::RadioButton& rbFirebird;
    forms::RadioButton& rbYaffil;
};

// Reads GdsDescription and GdsVersion into info and sets the page: the client
// library is to be installed when the package offers it and none loads (the
// choice is open only when offered), Yaffil is chosen when the installed
// library is Yaffil's, and the two kinds are usable exactly while the box is
// checked.
void InitServerChoices(ServerInfo& info, std::uint32_t packageFlags, const ClientControls& controls);

// cbIBClient's click handler: the two kinds are usable exactly while it is checked.
void cbIBClientClick(const ClientControls& controls);

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
