#pragma once
// The database engine's configuration as the product's documentation lists
// it, written down apart from the code that writes it, and a check of the
// registry against it.
#include <string>

#include <gtest/gtest.h>

#include "platform/Registry.h"

namespace vk::test {

// The engine's configuration as the product's documentation lists it, key by
// key; "<F>" stands for the engine folder.
inline const char* const kExpectedBde[][3] = {
    {"SOFTWARE\\Borland\\BLW32", "BLAPIPATH", "<F>"},
    {"SOFTWARE\\Borland\\BLW32", "LOCALE_LIB1", "<F>\\CEEUROPE.BLL"},
    {"SOFTWARE\\Borland\\BLW32", "LOCALE_LIB2", "<F>\\CHARSET.BLL"},
    {"SOFTWARE\\Borland\\BLW32", "LOCALE_LIB3", "<F>\\EUROPE.BLL"},
    {"SOFTWARE\\Borland\\BLW32", "LOCALE_LIB4", "<F>\\FAREAST.BLL"},
    {"SOFTWARE\\Borland\\BLW32", "LOCALE_LIB5", "<F>\\JAPAN.BLL"},
    {"SOFTWARE\\Borland\\BLW32", "LOCALE_LIB6", "<F>\\OTHER.BLL"},
    {"SOFTWARE\\Borland\\BLW32", "LOCALE_LIB7", "<F>\\USA.BLL"},
    {"SOFTWARE\\Borland\\Database Engine", "DLLPATH", "<F>"},
    {"SOFTWARE\\Borland\\Database Engine", "UseCount", "1"},
    {"SOFTWARE\\Borland\\Database Engine", "CONFIGFILE01", "<F>\\IDAPI32.CFG"},
    {"SOFTWARE\\Borland\\Database Engine", "SaveConfig", "WIN32"},
    {"SOFTWARE\\Borland\\Database Engine", "RESOURCE", "0009"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\DBASE\\INIT", "VERSION", "4.0"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\DBASE\\INIT", "TYPE", "FILE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\DBASE\\INIT", "LANGDRIVER", "db866ru0"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\DBASE\\TABLE CREATE", "LEVEL", "5"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\DBASE\\TABLE CREATE", "MDX BLOCK SIZE", "1024"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\DBASE\\TABLE CREATE", "MEMO FILE BLOCK SIZE", "1024"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\PARADOX\\INIT", "VERSION", "4.0"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\PARADOX\\INIT", "TYPE", "FILE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\PARADOX\\INIT", "LANGDRIVER", "DBWINUS0"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\PARADOX\\TABLE CREATE", "LEVEL", "4"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\PARADOX\\TABLE CREATE", "BLOCK SIZE", "2048"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\PARADOX\\TABLE CREATE", "FILL FACTOR", "95"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\PARADOX\\TABLE CREATE", "STRICTINTEGRTY", "TRUE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "SERVER NAME", "IB_SERVER:/PATH/DATABASE.GDB"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "USER NAME", "SYSDBA"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "OPEN MODE", "READ/WRITE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "SCHEMA CACHE SIZE", "8"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "LANGDRIVER", "ancyrr"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "SQLQRYMODE", ""},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "SQLPASSTHRU MODE", "SHARED AUTOCOMMIT"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "SCHEMA CACHE TIME", "-1"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "MAX ROWS", "-1"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "BATCH COUNT", "200"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "ENABLE SCHEMA CACHE", "FALSE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "SCHEMA CACHE DIR", ""},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "ENABLE BCD", "FALSE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "BLOBS TO CACHE", "64"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\DB OPEN", "BLOB SIZE", "32"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\INIT", "VERSION", "4.0"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\INIT", "TYPE", "SERVER"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\INIT", "DLL32", "SQLINT32.DLL"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\INIT", "DRIVER FLAGS", ""},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\DRIVERS\\INTRBASE\\INIT", "TRACE MODE", "0"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\DATE", "SEPARATOR", "/"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\DATE", "MODE", "0"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\DATE", "FOURDIGITYEAR", "FALSE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\DATE", "YEARBIASED", "TRUE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\DATE", "LEADINGZEROM", "FALSE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\DATE", "LEADINGZEROD", "FALSE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\NUMBER", "DECIMALSEPARATOR", "."},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\NUMBER", "THOUSANDSEPARATOR", ","},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\NUMBER", "DECIMALDIGITS", "2"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\NUMBER", "LEADINGZERON", "TRUE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\TIME", "TWELVEHOUR", "TRUE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\TIME", "AMSTRING", "AM"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\TIME", "PMSTRING", "PM"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\TIME", "SECONDS", "TRUE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\FORMATS\\TIME", "MILSECONDS", "FALSE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "VERSION", "4.0"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "LOCAL SHARE", "FALSE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "MINBUFSIZE", "128"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "MAXBUFSIZE", "2048"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "LANGDRIVER", "DBWINUS0"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "MAXFILEHANDLES", "48"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "SYSFLAGS", "0"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "LOW MEMORY USAGE LIMIT", "32"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "AUTO ODBC", "FALSE"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "DEFAULT DRIVER", "PARADOX"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "MEMSIZE", "16"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "SHAREDMEMSIZE", "2048"},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "SHAREDMEMLOCATION", ""},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "DATA REPOSITORY", ""},
    {"SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "SQLQRYMODE", ""},
};

static_assert(sizeof kExpectedBde / sizeof kExpectedBde[0] == 76);

// Every value of the table, read back from HKEY_LOCAL_MACHINE; a missing one reads as nullopt.
inline void expectBdeConfiguration(const std::string& folder) {
    for (const auto& [key, name, data] : kExpectedBde) {
        auto opened = platform::openRegistryKey(platform::RootKey::LocalMachine, key, false);
        ASSERT_TRUE(opened) << key;
        std::string expected = data;
        if (expected.starts_with("<F>")) expected.replace(0, 3, folder);
        EXPECT_EQ(opened->readString(name), expected) << key << " " << name;
    }
}

}  // namespace vk::test
