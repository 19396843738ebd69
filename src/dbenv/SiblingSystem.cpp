#include "dbenv/SiblingSystem.h"

#include "forms/Form.h"
#include "forms/FrontEnd.h"
#include "platform/EngineAliases.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace vk {

namespace {

using platform::RootKey;

// The string of an open key; empty when missing.
std::string valueOf(platform::RegistryKey& key, std::string_view name) { return key.readString(name).value_or(""); }

// The remote workplace's database: its folder, then "\DataBase\" and the
// file of the year named by the workplace's settings (2004 before 2005).
std::string remoteWorkplaceDatabase(const std::string& folder, const std::string& database) {
    const char* file = database.find("2004") != std::string::npos   ? "norvalrm2004.gdb"
                       : database.find("2005") != std::string::npos ? "norvalrm2005.gdb"
                                                                     : "norvalrm.gdb";
    return folder + "\\DataBase\\" + file;
}

// An alias of the engine, else a name that is a database file itself, else nothing.
std::string resolveDatabaseName(const std::string& name, const AliasLookup& aliases) {
    std::optional<std::string> serverName;
    try {
        if (aliases) serverName = aliases(name);
    } catch (...) {
        serverName.reset();  // an engine that cannot be asked knows no alias
    }
    if (serverName) return *serverName;
    return ansiUpper(name).find(".GDB") != std::string::npos ? name : std::string();
}

}  // namespace

std::optional<std::string> EngineAliasServerName(std::string_view alias) {
    return platform::engineAliasServerName(alias);
}

void DetectSiblingSystem(LinkSettings& link, const AliasLookup& aliases) {
    TConnectInfo& remote = link.LinkConnections[lkRemoteWorkplace];
    TConnectInfo& direct = link.LinkConnections[lkDirect];

    if (auto urm = platform::openRegistryKey(RootKey::LocalMachine, "SOFTWARE\\Talvex\\URM", false)) {
        remote.DatabasePath = valueOf(*urm, "CurrentVersionDirectory");
        link.RemoteVersion = valueOf(*urm, "CurrentVersion");
    }
    if (!remote.DatabasePath.empty()) {
        if (auto project = platform::openRegistryKey(RootKey::CurrentUser, "SOFTWARE\\Talvex\\CompoundProject", false)) {
            remote.DatabasePath = remoteWorkplaceDatabase(remote.DatabasePath, valueOf(*project, "database"));
            if (std::string user = valueOf(*project, "username"); !user.empty()) remote.UserName = user;
        } else {
            remote.DatabasePath.clear();  // a workplace without its settings counts as absent
        }
    }

    auto norval = platform::openRegistryKey(RootKey::CurrentUser, "SOFTWARE\\Talvex\\NorvalAx", false);
    if (!norval) return;
    direct.DatabasePath = resolveDatabaseName(valueOf(*norval, "DataBaseName"), aliases);
    if (std::string user = valueOf(*norval, "UserName"); !user.empty()) direct.UserName = user;
    if (!direct.DatabasePath.empty() && remote.DatabasePath.empty()) link.LinkKind = lkDirect;
}

std::optional<std::string> LinkQuestion(const LinkSettings& link) {
    if (link.LinkConnections[lkRemoteWorkplace].DatabasePath.empty() &&
        link.LinkConnections[lkDirect].DatabasePath.empty())
        return std::nullopt;
    const std::string system = link.LinkKind == lkDirect ? "АС \"Норвал\"."
                                                         : "\r\n\"Удаленное рабочее место бюджетополучателя\".";
    return "Программа установки обнаружила на компьютере систему: " + system +
           "\r\nВы хотите установить связь с этим приложением?";
}

bool AskForLink(const LinkSettings& link) {
    const auto question = LinkQuestion(link);
    return question &&
           forms::ShowMessageDlg(*question, forms::MsgDlgType::Information, forms::mbYesNo) == forms::mrYes;
}

}  // namespace vk
