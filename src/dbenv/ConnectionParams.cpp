#include "dbenv/ConnectionParams.h"

#include <utility>
#include <vector>

#include "datalib/Paths.h"
#include "datalib/StrUtils.h"
#include "datalib/WinUtils.h"
#include "platform/Text.h"

namespace vk {

namespace {

constexpr std::string_view kServerName = "SERVER NAME";

void setValue(TStaticSet& set, std::string_view value) {
    set.field("Value").setString(value);
    set.post();
}

// The host prefix of a server name in multi-user mode.
std::string hostPrefix(const ServerNaming& naming) {
    if (!naming.NetWork) return {};
    switch (naming.NetProtocol) {
    case npTcpIp: return ComputerName() + ":";
    case npNetBeui: return "\\\\" + ComputerName() + "\\";
    default: return {};
    }
}

// Whether text starts with prefix, letter case ignored.
bool startsWithText(std::string_view text, std::string_view prefix) {
    if (prefix.empty() || text.size() < prefix.size()) return false;
    // A cut inside a character cannot match a whole prefix.
    const bool cutInsideCharacter = text.size() > prefix.size() && (static_cast<unsigned char>(text[prefix.size()]) & 0xC0) == 0x80;
    return !cutInsideCharacter && sameText(text.substr(0, prefix.size()), prefix);
}

}  // namespace

void UpsertParam(TStaticSet& dbParams, int connectNo, std::string_view name, std::string_view value) {
    if (dbParams.findKey({connectNo, name})) {
        dbParams.edit();
    } else {
        dbParams.insert();
        dbParams.field("ConnectNo").setInteger(connectNo);
        dbParams.field("Name").setString(name);
    }
    setValue(dbParams, value);
}

void SetServerName(TStaticSet& dbParams, int connectNo, std::string_view sourcePath, const ServerNaming& naming) {
    if (!dbParams.findKey({connectNo, kServerName})) return;
    const std::string fileName =
        ExtractFileName(sourcePath.empty() ? dbParams.field("Value").asString() : std::string(sourcePath));
    dbParams.edit();
    setValue(dbParams, hostPrefix(naming) + naming.DataBaseFolder + "\\" + fileName);
}

void AddLinkConnection(TStaticSet& dbParams, const LinkSettings& link) {
    std::vector<std::pair<std::string, std::string>> dataParams;
    dbParams.setRange({cnData});
    for (dbParams.first(); !dbParams.eof(); dbParams.next())
        dataParams.emplace_back(dbParams.field("Name").asString(), dbParams.field("Value").asString());
    dbParams.cancelRange();
    for (const auto& [name, value] : dataParams) {
        dbParams.insert();
        dbParams.field("ConnectNo").setInteger(cnLink);
        dbParams.field("Name").setString(name);
        setValue(dbParams, value);
    }

    const TConnectInfo& info = link.chosen();
    UpsertParam(dbParams, cnLink, kServerName, info.DatabasePath);
    UpsertParam(dbParams, cnLink, "USER NAME", info.UserName);
    UpsertParam(dbParams, cnLink, "PASSWORD", info.Password);
    UpsertParam(dbParams, cnLink, "ALIAS NAME", info.AliasName);
    UpsertParam(dbParams, cnLink, "CONNECTION NAME", info.ConnectionName);
    UpsertParam(dbParams, cnLink, "RESERVED", "YES");
    if (link.LinkKind == lkRemoteWorkplace) UpsertParam(dbParams, cnLink, "REMOTE VERSION", link.RemoteVersion);
}

void UpsertSysParam(TStaticSet& sysParams, std::string_view name, std::string_view value) {
    if (sysParams.findKey({name})) {
        sysParams.edit();
    } else {
        sysParams.insert();
        sysParams.field("Name").setString(name);
    }
    setValue(sysParams, value);
}

void StoreExchangeFolder(TStaticSet& sysParams, std::string_view folder) {
    if (!folder.empty()) UpsertSysParam(sysParams, "DataExchangeServer", folder);
}

std::string StripLocalHost(std::string_view path) {
    const std::string computer = ComputerName();
    if (computer.empty()) return std::string(path);
    for (const std::string& prefix : {"\\\\" + computer + "\\", computer + ":"})
        if (startsWithText(path, prefix)) return std::string(path.substr(prefix.size()));
    return std::string(path);
}

std::string RenamedCopyName(std::string_view path, std::string_view rule) {
    const std::string oldPart = NameOfPair(rule);
    const std::string newPart = ValueOfPair(rule);
    std::string fileName = ExtractFileName(path);
    if (!oldPart.empty() && fileName.find(oldPart) != std::string::npos) {
        const std::string_view folder = path.substr(0, path.size() - fileName.size());
        ReplaceText(fileName, oldPart, newPart);
        return std::string(folder) + fileName;
    }
    return ChangeFileExt(path, "") + newPart + ExtractFileExt(path);
}

}  // namespace vk
