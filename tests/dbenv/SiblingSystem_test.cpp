#include "dbenv/SiblingSystem.h"

#include <gtest/gtest.h>

#include "dbenv/RegStrings.h"
#include "hosted/HostedTestSupport.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

using platform::RootKey;

const std::string kUrm = "SOFTWARE\\Talvex\\URM";
const std::string kProject = "SOFTWARE\\Talvex\\CompoundProject";
const std::string kNorval = "SOFTWARE\\Talvex\\NorvalAx";

class SiblingSystemTest : public ::testing::Test {
protected:
    void remoteWorkplace(const std::string& database) {
        WriteRegString(RootKey::LocalMachine, kUrm, "CurrentVersionDirectory", "C:\\URM");
        WriteRegString(RootKey::LocalMachine, kUrm, "CurrentVersion", "5.2");
        WriteRegString(RootKey::CurrentUser, kProject, "database", database);
        WriteRegString(RootKey::CurrentUser, kProject, "username", "OPER");
    }
    void direct(const std::string& databaseName) {
        WriteRegString(RootKey::CurrentUser, kNorval, "DataBaseName", databaseName);
    }

    test::TestMachine machine;
    LinkSettings link;
};

TEST_F(SiblingSystemTest, TheRemoteWorkplacesYearPicksItsDatabase) {
    const std::pair<const char*, const char*> cases[] = {
        {"budget 2004 and 2005", "C:\\URM\\DataBase\\norvalrm2004.gdb"},
        {"norval2005", "C:\\URM\\DataBase\\norvalrm2005.gdb"},
        {"norval", "C:\\URM\\DataBase\\norvalrm.gdb"},
    };
    for (const auto& [database, expected] : cases) {
        remoteWorkplace(database);
        LinkSettings found;
        DetectSiblingSystem(found);
        EXPECT_EQ(found.LinkConnections[0].DatabasePath, expected);
        EXPECT_EQ(found.LinkConnections[0].UserName, "OPER");
        EXPECT_EQ(found.LinkConnections[0].Password, "qolvantez");
        EXPECT_EQ(found.RemoteVersion, "5.2");
        EXPECT_EQ(found.LinkKind, lkRemoteWorkplace);
    }
    EXPECT_FALSE(platform::openRegistryKey(RootKey::CurrentUser, kNorval, false));  // looked for, not made
}

TEST_F(SiblingSystemTest, AWorkplaceWithoutItsSettingsCountsAsAbsent) {
    WriteRegString(RootKey::LocalMachine, kUrm, "CurrentVersionDirectory", "C:\\URM");
    WriteRegString(RootKey::LocalMachine, kUrm, "CurrentVersion", "5.2");
    DetectSiblingSystem(link);
    EXPECT_EQ(link.LinkConnections[0].DatabasePath, "");
    EXPECT_EQ(link.RemoteVersion, "5.2");
    EXPECT_EQ(LinkQuestion(link), std::nullopt);
}

TEST_F(SiblingSystemTest, OnlyTheDirectSystemMakesTheLinkDirectAndTheQuestionNamesIt) {
    direct("e:\\norval\\budget.gdb");
    WriteRegString(RootKey::CurrentUser, kNorval, "UserName", "BUH");
    DetectSiblingSystem(link);
    EXPECT_EQ(link.LinkKind, lkDirect);
    EXPECT_EQ(link.LinkConnections[1].DatabasePath, "e:\\norval\\budget.gdb");
    EXPECT_EQ(link.LinkConnections[1].UserName, "BUH");
    EXPECT_EQ(LinkQuestion(link), "Программа установки обнаружила на компьютере систему: АС \"Норвал\".\r\n"
                                  "Вы хотите установить связь с этим приложением?");
}

TEST_F(SiblingSystemTest, BothFoundKeepTheRemoteWorkplaceAndTheQuestionNamesItOnItsOwnLine) {
    remoteWorkplace("2005");
    direct("E:\\NORVAL.GDB");
    DetectSiblingSystem(link);
    EXPECT_EQ(link.LinkKind, lkRemoteWorkplace);
    EXPECT_EQ(LinkQuestion(link), "Программа установки обнаружила на компьютере систему: \r\n"
                                  "\"Удаленное рабочее место бюджетополучателя\".\r\n"
                                  "Вы хотите установить связь с этим приложением?");
}

TEST_F(SiblingSystemTest, ANameIsResolvedByTheEnginesAliasesOrMustBeADatabaseFile) {
    platform::hosted::test::reconfigure("[EngineAliases]\nNORVAL=SRV:D:\\Norval\\NORVAL.GDB\n");
    const std::pair<const char*, const char*> cases[] = {
        {"norval", "SRV:D:\\Norval\\NORVAL.GDB"},
        {"OtherAlias", ""},
        {"D:\\Base\\budget.Gdb", "D:\\Base\\budget.Gdb"},
    };
    for (const auto& [name, expected] : cases) {
        direct(name);
        LinkSettings found;
        DetectSiblingSystem(found);
        EXPECT_EQ(found.LinkConnections[1].DatabasePath, expected) << name;
        EXPECT_EQ(found.LinkKind, *expected ? lkDirect : lkRemoteWorkplace) << name;
    }
}

TEST_F(SiblingSystemTest, AnEngineThatCannotBeAskedKnowsNoAlias) {
    direct("NORVAL");
    DetectSiblingSystem(link, [](std::string_view) -> std::optional<std::string> { throw std::runtime_error("no engine"); });
    EXPECT_EQ(link.LinkConnections[1].DatabasePath, "");
    EXPECT_EQ(LinkQuestion(link), std::nullopt);
}

}  // namespace
}  // namespace vk
