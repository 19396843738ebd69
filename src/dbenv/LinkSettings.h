#pragma once
// How the product is to reach the maker's sibling system Норвал: through the
// remote workplace's server (kind 0) or directly (kind 1), with the database
// of each way. The settings live in memory only; they reach the connection
// files as connection 2 when the link is asked for.
#include <array>
#include <cstdint>
#include <string>

namespace vk {

struct TConnectInfo {
    std::string DatabasePath;
    std::string UserName;
    std::string Password;
    std::string ConnectionName;  // written as CONNECTION NAME
    std::string AliasName;       // written as ALIAS NAME
};

enum LinkKindValue : std::int32_t {
    lkRemoteWorkplace = 0,  // through the remote workplace's server (УРМ)
    lkDirect = 1,           // straight to the sibling system's database
};

struct LinkSettings {
    std::int32_t LinkKind = lkRemoteWorkplace;
    std::array<TConnectInfo, 2> LinkConnections{{
        {"", "SYSDBA", "qolvantez", "УРМ", "URM"},
        {"", "SYSDBA", "qolvantez", "АС Норвал", "Norval"},
    }};
    std::string RemoteVersion;  // the remote workplace's version; empty when none was found

    // The record of the chosen way. A kind outside 0 and 1 counts as the remote workplace.
    const TConnectInfo& chosen() const { return LinkConnections[LinkKind == lkDirect ? 1 : 0]; }
};

}  // namespace vk
