#pragma once
// The parameter edits that turn a connection file's template into this
// installation's connection file, and the name rules around it.
#include <string>
#include <string_view>

#include "datalib/StaticSet.h"
#include "dbenv/LinkSettings.h"
#include "dbenv/NetSettings.h"
#include "package/PackageDefinition.h"

namespace vk {

// Connections of ssDBParams.
enum ConnectNoValue : int {
    cnData = 0,    // the working database
    cnConfig = 1,  // the configuration database
    cnLink = 2,    // the link to the sibling system
};

// What of the wizard's choices decides a database's server name.
struct ServerNaming {
    std::string DataBaseFolder;  // edDataBase
    bool NetWork = false;        // cbNetWork: multi-user mode adds this computer as the host
    int NetProtocol = npTcpIp;
};

// Sets the row (connectNo, name) of ssDBParams to value, inserting it when missing.
void UpsertParam(TStaticSet& dbParams, int connectNo, std::string_view name, std::string_view value);

// Points the connection's SERVER NAME at the database folder: the file name
// of sourcePath (or, when that is empty, of the current value) in the
// database folder, with this computer as host in multi-user mode. A
// connection without a SERVER NAME row is left alone.
void SetServerName(TStaticSet& dbParams, int connectNo, std::string_view sourcePath, const ServerNaming& naming);

// Adds connection 2: a copy of every parameter of connection 0, then the
// chosen link's database, user, password, alias, caption and RESERVED, and
// for the remote workplace its version.
void AddLinkConnection(TStaticSet& dbParams, const LinkSettings& link);

// Sets the row name of ssSysParams to value, inserting it when missing.
void UpsertSysParam(TStaticSet& sysParams, std::string_view name, std::string_view value);

// Sets ssSysParams' DataExchangeServer to folder; an empty folder changes nothing.
void StoreExchangeFolder(TStaticSet& sysParams, std::string_view folder);

// path without a leading "\\THIS-COMPUTER\" or, failing that, "THIS-COMPUTER:"
// (letter case ignored); any other path as it is.
std::string StripLocalHost(std::string_view path);

// The name of the renamed copy of path under rule "old=new": old replaced by
// new in the file name when the name contains old (letter case counts),
// otherwise new inserted before the extension.
std::string RenamedCopyName(std::string_view path, std::string_view rule = kRenameRule);

}  // namespace vk
