#include "dbenv/ConnectionFiles.h"

#include <gtest/gtest.h>

#include "dbenv/ConnectionTestSupport.h"
#include "dbenv/RegStrings.h"
#include "forms/Form.h"
#include "platform/FileSystem.h"
#include "support/ExternalTool.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

using platform::hosted::toHostPath;
using platform::hosted::test::readHostFile;
using platform::hosted::test::reconfigure;
using platform::hosted::test::writeHostFile;

const std::string kLocal = "C:\\Program Files\\Talvex\\Vorkast";
const std::string kDatabase = kLocal + "\\DataBase";
const std::string kTemplate = kDatabase + "\\Setup1.dbx";
const std::string kConnections = kLocal + "\\Подключения";

// The wizard's list of configurations, on a form of its own.
struct ListForm : forms::Form {
    ListForm() : Form("fmTest", "", 400, 200) {}
    forms::ListView lvConfigs{*this, "lvConfigs", {0, 0, 355, 100}};
};

// A machine called ALPHA with the package's configuration ticked.
class PrepareTest : public ::testing::Test {
protected:
    PrepareTest() {
        reconfigure("[Machine]\nComputerName=ALPHA\n");
        configs.FillConfigList(kPackageFlags);
        choices.Naming = {kDatabase, true, npTcpIp};
        choices.LocalPath = kLocal;
        log.FileCreated = [this](const std::string& path) { logged.push_back("FILE " + path); };
        log.FolderUsed = [this](const std::string& path) { logged.push_back("FOLDER " + path); };
    }

    void prepare() { PrepareConnectionFiles(storage, configs, choices, log); }

    test::TestMachine machine;
    ListForm form;
    ConfigTable configs{packageConfigs(), form.lvConfigs};
    ConnectionChoices choices;
    ConnectionFileLog log;
    std::vector<std::string> logged;
    ConnectionStorage storage;
};

TEST_F(PrepareTest, TheTemplateBecomesTheConnectionFileInItsFolder) {
    test::placeTemplate(kTemplate);
    LinkSettings link;
    link.LinkConnections[0].DatabasePath = "C:\\URM\\DataBase\\norvalrm.gdb";
    link.RemoteVersion = "5.2";
    choices.Link = &link;
    choices.ExchangeFolder = "\\\\srv\\Обмен";
    prepare();

    const std::string copy = kConnections + "\\Vorkast.dbx";
    EXPECT_EQ(logged, (std::vector<std::string>{"FILE " + copy, "FOLDER " + kConnections}));
    EXPECT_FALSE(platform::fileExists(kTemplate));
    test::LoadedConnection result(copy);
    EXPECT_EQ(result.params.at({cnData, "SERVER NAME"}), "ALPHA:" + kDatabase + "\\VkData.gdb");
    EXPECT_EQ(result.params.at({cnConfig, "SERVER NAME"}), "ALPHA:" + kDatabase + "\\VkConfig.gdb");
    EXPECT_EQ(result.params.at({cnLink, "SERVER NAME"}), "C:\\URM\\DataBase\\norvalrm.gdb");
    EXPECT_EQ(result.params.at({cnLink, "REMOTE VERSION"}), "5.2");
    EXPECT_EQ(result.sysParams.at("DataExchangeServer"), "\\\\srv\\Обмен");
    EXPECT_EQ(result.sysParams.at("Application"), "АС Кронта 3.1");
}

TEST_F(PrepareTest, IndependentReadersSeeTheTablesAndTheProductsStreamsUntouched) {
    const std::string python = test::haveProgram("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    if (test::runTool(python + " -c 'import olefile'").status != 0) GTEST_SKIP() << "python3-olefile is not installed";
    test::placeTemplate(kTemplate);
    prepare();
    const std::filesystem::path copy = toHostPath(kConnections + "\\Vorkast.dbx");

    // Every stream's name and, for the product's own, its bytes in hex.
    const std::string script =
        "import olefile,sys\n"
        "f=olefile.OleFileIO(sys.argv[1])\n"
        "for e in sorted(f.listdir()):\n"
        "  n=e[0]\n"
        "  print(n, f.openstream(n).read().hex() if not n.startswith(('ssDBParams','ssSysParams','ssUpdates')) else '')\n";
    auto listing = [&](const std::filesystem::path& file) {
        return test::runTool(python + " -c " + test::shellQuoted(script) + " " + test::shellQuoted(file));
    };
    const auto ours = listing(copy);
    const auto original = listing(std::filesystem::path(VK_SOURCE_DIR) / "package" / "Setup1.dbx");
    ASSERT_EQ(ours.status, 0) << ours.output;
    EXPECT_EQ(ours.output, original.output);
    EXPECT_NE(ours.output.find("ssWorkSpace"), std::string::npos) << ours.output;

    const auto dump = test::runTool(test::shellQuoted(std::filesystem::path(VK_BINARY_DIR) / "tools" / "dbx") + " dump " +
                                    test::shellQuoted(copy));
    ASSERT_EQ(dump.status, 0) << dump.output;
    EXPECT_NE(dump.output.find("ALPHA:" + kDatabase + "\\VkConfig.gdb"), std::string::npos) << dump.output;
}

TEST_F(PrepareTest, AMissingTemplateIsSkippedWithoutATrace) {
    prepare();
    EXPECT_TRUE(logged.empty());
    EXPECT_FALSE(platform::directoryExists(kConnections));
}

TEST_F(PrepareTest, AFolderThatCannotBeMadeGetsNoCopyButTheTemplateGoes) {
    choices.Naming.DataBaseFolder = "D:\\Data";
    test::placeTemplate("D:\\Data\\Setup1.dbx");
    reconfigure("[Machine]\nComputerName=ALPHA\n[ReadOnly]\nFolder=" + kLocal + "\n");
    prepare();
    EXPECT_TRUE(logged.empty());
    EXPECT_FALSE(platform::directoryExists(kConnections));
    EXPECT_FALSE(platform::fileExists("D:\\Data\\Setup1.dbx"));
}

TEST_F(PrepareTest, ATemplateThatIsItsOwnCopyIsKept) {
    choices.Naming.DataBaseFolder = kConnections;
    configs.rows()[0].ConnectionFile = "setup1.DBX";
    test::placeTemplate(kConnections + "\\Setup1.dbx");
    prepare();
    ASSERT_TRUE(platform::fileExists(kConnections + "\\Setup1.dbx"));
    EXPECT_EQ(test::LoadedConnection(kConnections + "\\Setup1.dbx").params.at({cnData, "SERVER NAME"}),
              "ALPHA:" + kConnections + "\\VkData.gdb");
}

class ExistingTest : public ::testing::Test {
protected:
    void setDbName(const std::string& name) {
        WriteRegString(platform::RootKey::CurrentUser, kProductSettingsKey, "DBName", name);
    }
    // A connection file whose configuration connection names database.
    void makeConnection(const std::string& file, const std::string& database, const std::string& exchange = "") {
        test::placeTemplate(file);
        storage.FileStorage1.setFileName(file);
        storage.FileStorage1.loadSets();
        UpsertParam(storage.sets.dbParams, cnConfig, "SERVER NAME", database);
        StoreExchangeFolder(storage.sets.sysParams, exchange);
        storage.FileStorage1.saveSets();
        storage.FileStorage1.setFileName({});
    }

    test::TestMachine machine;
    ConnectionStorage storage;
};

TEST_F(ExistingTest, TheFileIsLookedForAsNamedThenInTheProgramFolderThenInItsConnections) {
    reconfigure("[Machine]\nComputerName=ALPHA\n");
    writeHostFile(toHostPath("D:\\Base\\CONFIG.GDB"), "db");
    const std::string candidates[] = {"C:\\Elsewhere\\Vorkast.dbx", kLocal + "\\Vorkast.dbx", kConnections + "\\Vorkast.dbx"};
    for (const std::string& file : candidates) {
        SCOPED_TRACE(file);
        makeConnection(file, "ALPHA:D:\\Base\\CONFIG.GDB", "\\\\srv\\x");
        setDbName(&file == &candidates[0] ? file : "Vorkast.dbx");
        const ExistingConnection found = FindExistingConnection(storage, kLocal);
        EXPECT_EQ(found.ConnectionFile, file);
        EXPECT_EQ(found.ConfigDatabase, "D:\\Base\\CONFIG.GDB");
        EXPECT_EQ(found.DatabaseFolder, "D:\\Base");
        EXPECT_EQ(found.ExchangeFolder, "\\\\srv\\x");
        EXPECT_FALSE(storage.sets.dbParams.active());
        platform::deleteFile(file);
    }
}

TEST_F(ExistingTest, AMissingDatabaseOrADamagedFileGivesNoFolder) {
    makeConnection(kLocal + "\\Vorkast.dbx", "D:\\Gone\\CONFIG.GDB");
    setDbName("Vorkast.dbx");
    ExistingConnection found = FindExistingConnection(storage, kLocal);
    EXPECT_EQ(found.ConnectionFile, kLocal + "\\Vorkast.dbx");
    EXPECT_EQ(found.ConfigDatabase, "");
    EXPECT_EQ(found.DatabaseFolder, "");

    writeHostFile(toHostPath(kLocal + "\\Vorkast.dbx"), "not a compound file");
    EXPECT_NO_THROW(found = FindExistingConnection(storage, kLocal));
    EXPECT_EQ(found.DatabaseFolder, "");
    EXPECT_EQ(storage.FileStorage1.storedFileName(), "");

    setDbName("Absent.dbx");
    found = FindExistingConnection(storage, kLocal);
    EXPECT_EQ(found.ConnectionFile, "");
}

TEST(ConnectionPage, NamesTheFirstMissingFile) {
    test::TestMachine machine;
    writeHostFile(toHostPath("C:\\Vorkast.dbx"), "x");
    writeHostFile(toHostPath("C:\\CONFIG.GDB"), "x");
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"", "", "Файл подключений не указан."},
        {"C:\\Absent.dbx", "C:\\CONFIG.GDB", "Указанный файл подключений не найден."},
        {"C:\\Vorkast.dbx", "", "Файл базы данных конфигурации не указан."},
        {"C:\\Vorkast.dbx", "C:\\Absent.gdb", "Указанный файл базы данных конфигурации не найден."},
        {"C:\\Vorkast.dbx", "C:\\CONFIG.GDB", ""},
    };
    for (const auto& [dbx, config, message] : cases) {
        EXPECT_EQ(ConnectionPageError(kPackageFlags | pfUpdateConnection, dbx, config), message) << dbx << " " << config;
        EXPECT_EQ(ConnectionPageError(kPackageFlags & ~pfUpdateConnection, dbx, config), "");
    }
}

TEST_F(ExistingTest, AnUpdateCopiesAndRepointsTheConnection) {
    reconfigure("[Machine]\nComputerName=ALPHA\n");
    const std::string dbx = "D:\\Base\\Vorkast2005.dbx";
    const std::string config = "D:\\Base\\CONFIG2005.GDB";
    writeHostFile(toHostPath(config), "configuration");
    makeConnection(dbx, "ALPHA:" + config);
    storage.FileStorage1.setFileName(dbx);
    storage.FileStorage1.loadSets();
    UpsertSysParam(storage.sets.sysParams, "DisableUpdates", "1");
    storage.FileStorage1.saveSets();
    storage.FileStorage1.setFileName({});

    RewriteExistingConnection(storage, dbx, config, {{"Корректировка1.txt", "\xCA\xEE\xF0"}}, "2005=2006");

    EXPECT_EQ(readHostFile(toHostPath("D:\\Base\\CONFIG2006.GDB")), "configuration");
    EXPECT_EQ(ReadRegString(platform::RootKey::CurrentUser, kProductSettingsKey, "DBName"), "Vorkast2006.dbx");
    test::LoadedConnection copy("D:\\Base\\Vorkast2006.dbx");
    EXPECT_EQ(copy.params.at({cnConfig, "SERVER NAME"}), "ALPHA:D:\\Base\\CONFIG2006.GDB");
    EXPECT_EQ(copy.sysParams.at("Application"), "АС Кронта 3.1");
    EXPECT_EQ(copy.sysParams.count("DisableUpdates"), 0u);
    TStaticSet& updates = copy.storage.sets.updates;
    ASSERT_EQ(updates.recordCount(), 1);
    updates.first();
    EXPECT_EQ(updates.field("OrderNo").asInteger(), 1);
    EXPECT_EQ(updates.field("Name").asString(), "Корректировка1.txt");
    EXPECT_EQ(updates.field("Info").asString(), "Кор");
    // The original keeps its own connection.
    EXPECT_EQ(test::LoadedConnection(dbx).params.at({cnConfig, "SERVER NAME"}), "ALPHA:" + config);
}

TEST_F(ExistingTest, ACopyThatWouldBeTheFileItselfIsSkipped) {
    const std::string dbx = "D:\\Base\\Vorkast.dbx";
    const std::string config = "D:\\Base\\CONFIG.GDB";
    writeHostFile(toHostPath(config), "configuration");
    makeConnection(dbx, config);
    // A rule whose new part is empty names the file itself when the old part is missing.
    RewriteExistingConnection(storage, "d:\\base\\.\\VORKAST.dbx", "D:\\Base\\..\\Base\\config.gdb", {}, "2005=");
    EXPECT_EQ(readHostFile(toHostPath(config)), "configuration");
    EXPECT_EQ(test::LoadedConnection(dbx).sysParams.at("Application"), "АС Кронта 3.1");
}

TEST_F(ExistingTest, NothingHappensWithoutTheConnectionFile) {
    RewriteExistingConnection(storage, "D:\\Absent.dbx", "D:\\Absent.gdb", {}, "a=b");
    EXPECT_EQ(ReadRegString(platform::RootKey::CurrentUser, kProductSettingsKey, "DBName"), "");
}

}  // namespace
}  // namespace vk
