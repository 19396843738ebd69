#include "dbenv/BdeConfig.h"

#include <vector>

#include "datalib/Paths.h"
#include "dbenv/RegStrings.h"
#include "platform/FileSystem.h"

namespace vk {

namespace {

constexpr std::string_view kEngineKey = "SoftWare\\Borland\\DataBase Engine";

// A value's data: text, or a file of the engine's folder, or the folder itself.
struct BdeValue {
    enum class Data { Text, Folder, FolderFile };
    const char* name;
    Data data;
    const char* text;
};

struct BdeKey {
    const char* path;
    std::vector<BdeValue> values;
};

constexpr BdeValue text(const char* name, const char* value) { return {name, BdeValue::Data::Text, value}; }
constexpr BdeValue folder(const char* name) { return {name, BdeValue::Data::Folder, ""}; }
constexpr BdeValue folderFile(const char* name, const char* file) { return {name, BdeValue::Data::FolderFile, file}; }

// The engine's configuration in writing order. The names are the engine's
// own, misspellings (STRICTINTEGRTY, MILSECONDS) included.
const std::vector<BdeKey> kBdeConfiguration = {
    {"SOFTWARE\\Borland\\BLW32",
     {folder("BLAPIPATH"), folderFile("LOCALE_LIB1", "CEEUROPE.BLL"), folderFile("LOCALE_LIB2", "CHARSET.BLL"),
      folderFile("LOCALE_LIB3", "EUROPE.BLL"), folderFile("LOCALE_LIB4", "FAREAST.BLL"),
      folderFile("LOCALE_LIB5", "JAPAN.BLL"), folderFile("LOCALE_LIB6", "OTHER.BLL"),
      folderFile("LOCALE_LIB7", "USA.BLL")}},
    {"SOFTWARE\\Borland\\Database Engine",
     {folder("DLLPATH"), text("UseCount", "1"), folderFile("CONFIGFILE01", "IDAPI32.CFG"), text("SaveConfig", "WIN32"),
      text("RESOURCE", "0009")}},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\DBASE\\INIT",
     {text("VERSION", "4.0"), text("TYPE", "FILE"), text("LANGDRIVER", "db866ru0")}},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\DBASE\\TABLE CREATE",
     {text("LEVEL", "5"), text("MDX BLOCK SIZE", "1024"), text("MEMO FILE BLOCK SIZE", "1024")}},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\PARADOX\\INIT",
     {text("VERSION", "4.0"), text("TYPE", "FILE"), text("LANGDRIVER", "DBWINUS0")}},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\PARADOX\\TABLE CREATE",
     {text("LEVEL", "4"), text("BLOCK SIZE", "2048"), text("FILL FACTOR", "95"), text("STRICTINTEGRTY", "TRUE")}},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN",
     {text("SERVER NAME", "IB_SERVER:/PATH/DATABASE.GDB"), text("USER NAME", "SYSDBA"), text("OPEN MODE", "READ/WRITE"),
      text("SCHEMA CACHE SIZE", "8"), text("LANGDRIVER", "ancyrr"), text("SQLQRYMODE", ""),
      text("SQLPASSTHRU MODE", "SHARED AUTOCOMMIT"), text("SCHEMA CACHE TIME", "-1"), text("MAX ROWS", "-1"),
      text("BATCH COUNT", "200"), text("ENABLE SCHEMA CACHE", "FALSE"), text("SCHEMA CACHE DIR", ""),
      text("ENABLE BCD", "FALSE"), text("BLOBS TO CACHE", "64"), text("BLOB SIZE", "32")}},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\INIT",
     {text("VERSION", "4.0"), text("TYPE", "SERVER"), text("DLL32", "SQLINT32.DLL"), text("DRIVER FLAGS", ""),
      text("TRACE MODE", "0")}},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\DATE",
     {text("SEPARATOR", "/"), text("MODE", "0"), text("FOURDIGITYEAR", "FALSE"), text("YEARBIASED", "TRUE"),
      text("LEADINGZEROM", "FALSE"), text("LEADINGZEROD", "FALSE")}},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\NUMBER",
     {text("DECIMALSEPARATOR", "."), text("THOUSANDSEPARATOR", ","), text("DECIMALDIGITS", "2"),
      text("LEADINGZERON", "TRUE")}},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\TIME",
     {text("TWELVEHOUR", "TRUE"), text("AMSTRING", "AM"), text("PMSTRING", "PM"), text("SECONDS", "TRUE"),
      text("MILSECONDS", "FALSE")}},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT",
     {text("VERSION", "4.0"), text("LOCAL SHARE", "FALSE"), text("MINBUFSIZE", "128"), text("MAXBUFSIZE", "2048"),
      text("LANGDRIVER", "DBWINUS0"), text("MAXFILEHANDLES", "48"), text("SYSFLAGS", "0"),
      text("LOW MEMORY USAGE LIMIT", "32"), text("AUTO ODBC", "FALSE"), text("DEFAULT DRIVER", "PARADOX"),
      text("MEMSIZE", "16"), text("SHAREDMEMSIZE", "2048"), text("SHAREDMEMLOCATION", ""), text("DATA REPOSITORY", ""),
      text("SQLQRYMODE", "")}},
};

std::string valueData(const BdeValue& value, std::string_view bdeFolder) {
    switch (value.data) {
    case BdeValue::Data::Folder: return std::string(bdeFolder);
    case BdeValue::Data::FolderFile: return std::string(bdeFolder) + "\\" + value.text;
    case BdeValue::Data::Text: break;
    }
    return value.text;
}

}  // namespace

std::string DetectBdeFolder() { return ReadRegString(platform::RootKey::LocalMachine, kEngineKey, "DLLPATH"); }

bool BdeInstalledIn(std::string_view bdeFolder) {
    return !bdeFolder.empty() && platform::fileExists(IncludeTrailingBackslash(bdeFolder) + "IDAPI32.DLL");
}

std::string DefaultBdeFolder(std::string_view windowsDir) {
    return ExtractFileDrive(windowsDir) + "\\Program files\\Borland\\Common files\\BDE";
}

void ConfigureBde(std::string_view bdeFolder) {
    for (const BdeKey& key : kBdeConfiguration)
        for (const BdeValue& value : key.values)
            WriteRegString(platform::RootKey::LocalMachine, key.path, value.name, valueData(value, bdeFolder));
}

}  // namespace vk
