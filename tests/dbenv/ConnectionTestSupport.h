#pragma once
// The demo package's connection-file template on a test machine, and reading
// parameters back from connection files.
#include <map>
#include <string>
#include <utility>

#include "dbenv/ConnectionSets.h"
#include "hosted/HostedTestSupport.h"

namespace vk::test {

// Places the template built from package/Setup1.dbx.txt at windowsPath.
inline void placeTemplate(const std::string& windowsPath) {
    const std::string bytes = platform::hosted::test::readHostFile(VK_SOURCE_DIR "/package/Setup1.dbx");
    platform::hosted::test::writeHostFile(platform::hosted::toHostPath(windowsPath), bytes);
}

// (connection, name) -> value of a connection file's ssDBParams.
using Params = std::map<std::pair<int, std::string>, std::string>;

inline Params readParams(TStaticSet& dbParams) {
    Params params;
    for (dbParams.first(); !dbParams.eof(); dbParams.next())
        params[{static_cast<int>(dbParams.field("ConnectNo").asInteger()), dbParams.field("Name").asString()}] =
            dbParams.field("Value").asString();
    return params;
}

// The parameters of one connection.
inline std::map<std::string, std::string> connection(const Params& params, int connectNo) {
    std::map<std::string, std::string> rows;
    for (const auto& [key, value] : params)
        if (key.first == connectNo) rows[key.second] = value;
    return rows;
}

// The rows of a connection file, loaded through a storage of its own.
struct LoadedConnection {
    explicit LoadedConnection(const std::string& file) {
        storage.FileStorage1.setFileName(file);
        storage.FileStorage1.loadSets();
        params = readParams(storage.sets.dbParams);
        TStaticSet& set = storage.sets.sysParams;
        for (set.first(); !set.eof(); set.next())
            sysParams[set.field("Name").asString()] = set.field("Value").asString();
        storage.FileStorage1.setFileName({});
    }

    ConnectionStorage storage;
    Params params;
    std::map<std::string, std::string> sysParams;
};

}  // namespace vk::test
