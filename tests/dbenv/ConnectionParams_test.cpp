#include "dbenv/ConnectionParams.h"

#include <gtest/gtest.h>

#include "dbenv/ConnectionTestSupport.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

using test::connection;

class ConnectionParamsTest : public ::testing::Test {
protected:
    ConnectionParamsTest() {
        platform::hosted::test::reconfigure("[Machine]\nComputerName=ALPHA\n");
        test::placeTemplate(file);
        storage.FileStorage1.setFileName(file);
        storage.FileStorage1.loadSets();
    }

    TStaticSet& dbParams() { return storage.sets.dbParams; }

    test::TestMachine machine;
    const std::string file = "C:\\Template.dbx";
    ConnectionStorage storage;
};

TEST_F(ConnectionParamsTest, ServerNamesFollowTheDatabaseFolderAndTheProtocol) {
    struct Case {
        bool netWork;
        int protocol;
        const char* expected;
    };
    const Case cases[] = {
        {true, npTcpIp, "ALPHA:D:\\Data\\VkData.gdb"},
        {true, npNetBeui, "\\\\ALPHA\\D:\\Data\\VkData.gdb"},
        {true, 7, "D:\\Data\\VkData.gdb"},
        {false, npNetBeui, "D:\\Data\\VkData.gdb"},
    };
    for (const Case& c : cases) {
        SetServerName(dbParams(), cnData, "X:\\Build\\VkData.gdb", {"D:\\Data", c.netWork, c.protocol});
        EXPECT_EQ(connection(test::readParams(dbParams()), cnData).at("SERVER NAME"), c.expected);
    }
}

TEST_F(ConnectionParamsTest, WithoutASourceTheCurrentFileNameStaysAndAMissingRowIsNotMade) {
    SetServerName(dbParams(), cnConfig, "", {"E:\\Db", false, npTcpIp});
    SetServerName(dbParams(), cnLink, "X:\\Link.gdb", {"E:\\Db", false, npTcpIp});
    const auto params = test::readParams(dbParams());
    EXPECT_EQ(connection(params, cnConfig).at("SERVER NAME"), "E:\\Db\\CONFIG.GDB");
    EXPECT_TRUE(connection(params, cnLink).empty());
}

TEST_F(ConnectionParamsTest, TheLinkCopiesConnectionZeroAndReplacesItsIdentity) {
    for (std::int32_t kind : {lkRemoteWorkplace, lkDirect}) {
        SCOPED_TRACE(kind);
        storage.FileStorage1.loadSets();
        LinkSettings link;
        link.LinkKind = kind;
        link.LinkConnections[0].DatabasePath = "C:\\URM\\DataBase\\norvalrm.gdb";
        link.LinkConnections[1].DatabasePath = "NORVAL:E:\\Norval.gdb";
        link.LinkConnections[1].UserName = "BUH";
        link.RemoteVersion = "5.2";
        AddLinkConnection(dbParams(), link);

        const auto params = test::readParams(dbParams());
        const auto data = connection(params, cnData);
        const auto linked = connection(params, cnLink);
        ASSERT_EQ(data.size(), 18u);
        for (const auto& [name, value] : data) {
            const bool replaced = name == "SERVER NAME" || name == "USER NAME" || name == "ALIAS NAME" || name == "CONNECTION NAME";
            EXPECT_EQ(linked.at(name), replaced ? linked.at(name) : value) << name;
        }
        EXPECT_EQ(linked.at("SERVER NAME"), link.chosen().DatabasePath);
        EXPECT_EQ(linked.at("USER NAME"), kind == lkDirect ? "BUH" : "SYSDBA");
        EXPECT_EQ(linked.at("PASSWORD"), "qolvantez");
        EXPECT_EQ(linked.at("ALIAS NAME"), kind == lkDirect ? "Norval" : "URM");
        EXPECT_EQ(linked.at("CONNECTION NAME"), kind == lkDirect ? "АС Норвал" : "УРМ");
        EXPECT_EQ(linked.at("RESERVED"), "YES");
        EXPECT_EQ(linked.count("REMOTE VERSION"), kind == lkDirect ? 0u : 1u);
        EXPECT_EQ(linked.size(), kind == lkDirect ? 20u : 21u);
    }
}

TEST_F(ConnectionParamsTest, AValueWithEqualsSignsIsCopiedWhole) {
    UpsertParam(dbParams(), cnData, "SQLQRYMODE", "a=b=c");
    AddLinkConnection(dbParams(), LinkSettings{});
    EXPECT_EQ(connection(test::readParams(dbParams()), cnLink).at("SQLQRYMODE"), "a=b=c");
}

TEST_F(ConnectionParamsTest, TheExchangeFolderIsStoredOnlyWhenThereIsOne) {
    TStaticSet& sys = storage.sets.sysParams;
    StoreExchangeFolder(sys, "");
    EXPECT_FALSE(sys.findKey({"DataExchangeServer"}));
    StoreExchangeFolder(sys, "\\\\srv\\Обмен");
    StoreExchangeFolder(sys, "\\\\srv\\Обмен2");
    ASSERT_TRUE(sys.findKey({"DataExchangeServer"}));
    EXPECT_EQ(sys.field("Value").asString(), "\\\\srv\\Обмен2");
    EXPECT_EQ(sys.recordCount(), 4);
}

TEST(StripLocalHost, RemovesOnlyThisComputerAtTheStart) {
    test::TestMachine machine;
    platform::hosted::test::reconfigure("[Machine]\nComputerName=ALPHA\n");
    const std::pair<const char*, const char*> cases[] = {
        {"ALPHA:D:\\Data\\CONFIG.GDB", "D:\\Data\\CONFIG.GDB"},
        {"alpha:D:\\Data\\CONFIG.GDB", "D:\\Data\\CONFIG.GDB"},
        {"\\\\Alpha\\D:\\Data\\CONFIG.GDB", "D:\\Data\\CONFIG.GDB"},
        {"BETA:D:\\Data\\CONFIG.GDB", "BETA:D:\\Data\\CONFIG.GDB"},
        {"\\\\ALPHABET\\D:\\CONFIG.GDB", "\\\\ALPHABET\\D:\\CONFIG.GDB"},
        {"D:\\ALPHA:\\CONFIG.GDB", "D:\\ALPHA:\\CONFIG.GDB"},
        {"ALPHЯ", "ALPHЯ"},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(StripLocalHost(path), expected) << path;
}

TEST(RenamedCopyName, ReplacesTheOldPartOrInsertsTheNewOneBeforeTheExtension) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"C:\\Bases\\Vorkast2005.dbx", "2005=2006", "C:\\Bases\\Vorkast2006.dbx"},
        {"C:\\Bases\\Vorkast.dbx", "2005=2006", "C:\\Bases\\Vorkast2006.dbx"},
        // The test for the old part counts letter case; a miss inserts.
        {"C:\\Bases\\CONFIG_old.gdb", "OLD=new", "C:\\Bases\\CONFIG_oldnew.gdb"},
        // Only the file name is searched; the folder keeps its text.
        {"C:\\2005\\Vorkast2005.dbx", "2005=2006", "C:\\2005\\Vorkast2006.dbx"},
        {"C:\\Bases\\Vorkast", "=_copy", "C:\\Bases\\Vorkast_copy"},
    };
    for (const auto& [path, rule, expected] : cases) EXPECT_EQ(RenamedCopyName(path, rule), expected) << path << " " << rule;
}

}  // namespace
}  // namespace vk
