// The dbx tool as its users run it, and the demo package's template it builds.
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

#include "datalib/FileStorage.h"
#include "dbenv/ConnectionSets.h"
#include "platform/StructuredStorage.h"
#include "support/ExternalTool.h"
#include "support/TestFiles.h"

namespace vk {
namespace {

namespace fs = std::filesystem;

const fs::path kDbx = fs::path(VK_BINARY_DIR) / "tools" / "dbx";
const fs::path kTemplate = fs::path(VK_SOURCE_DIR) / "package" / "Setup1.dbx";
const fs::path kDescription = fs::path(VK_SOURCE_DIR) / "package" / "Setup1.dbx.txt";

test::ToolRun dbx(const std::string& arguments) { return test::runTool(test::shellQuoted(kDbx) + " " + arguments); }

using test::readHostFile;

class Dbx : public ::testing::Test {
protected:
    const test::TempHostFolder folder{"vk-dbx"};
    const fs::path& dir = folder.path();
};

TEST_F(Dbx, TemplateIsWhatItsDescriptionBuilds) {
    const fs::path built = dir / "Setup1.dbx";
    auto result = dbx("build " + test::shellQuoted(kDescription) + " " + test::shellQuoted(built));
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(readHostFile(built), readHostFile(kTemplate)) << "rebuild package/Setup1.dbx from its description";
}

TEST_F(Dbx, TemplateHoldsTheParametersTheInstallerNeedsAndForeignStreams) {
    ConnectionSets sets;
    TFileStorage storage;
    storage.setReadOnly(true);
    storage.setFileName(kTemplate.string());
    sets.attachTo(&storage);
    storage.loadSets();
    TStaticSet& dbParams = sets.dbParams;
    TStaticSet& sysParams = sets.sysParams;
    for (int connection : {0, 1}) {
        dbParams.setRange({connection});
        EXPECT_EQ(dbParams.recordCount(), 18) << "connection " << connection;
        EXPECT_TRUE(dbParams.findKey({connection, "SERVER NAME"}));
    }
    dbParams.cancelRange();
    for (const char* name : {"Application", "DriverName", "GUID"}) EXPECT_TRUE(sysParams.findKey({name})) << name;
    storage.setFileName({});

    std::vector<std::string> names;
    for (const auto& element : platform::openStorage(kTemplate.string(), platform::StorageAccess::Read)->elements())
        names.push_back(element.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"ssDBParams", "ssSysParams", "ssUpdates", "ssUsers", "ssWorkPlace",
                                                "ssWorkPlaces", "ssWorkSpace"}));
}

TEST_F(Dbx, ListAndDumpShowTheFile) {
    auto listing = dbx("list " + test::shellQuoted(kTemplate));
    ASSERT_EQ(listing.status, 0) << listing.output;
    EXPECT_NE(listing.output.find("136\tssUpdates"), std::string::npos) << listing.output;

    auto dump = dbx("dump --json " + test::shellQuoted(kTemplate));
    ASSERT_EQ(dump.status, 0) << dump.output;
    EXPECT_NE(dump.output.find("\"Name\": \"SERVER NAME\", \"Value\": \"C:\\\\Vorkast\\\\DataBase\\\\CONFIG.GDB\", "
                               "\"ConnectNo\": 1"),
              std::string::npos)
        << dump.output;
    if (!test::haveProgram("python3")) return;
    fs::path json = dir / "dump.json";
    test::writeHostFile(json, dump.output);
    EXPECT_EQ(test::runTool("python3 -c 'import json,sys; json.load(open(sys.argv[1]))' " + test::shellQuoted(json)).status, 0);
}

TEST_F(Dbx, MemosShowBySizeOrInFull) {
    const fs::path description = dir / "updates.txt";
    test::writeHostFile(description, "[ssUpdates]\n1 | Fix.sql | first line\\nsecond | with bar\n");
    const fs::path file = dir / "u.dbx";
    ASSERT_EQ(dbx("build " + test::shellQuoted(description) + " " + test::shellQuoted(file)).status, 0);
    EXPECT_NE(dbx("dump " + test::shellQuoted(file)).output.find("<28 bytes>"), std::string::npos);
    EXPECT_NE(dbx("dump --full " + test::shellQuoted(file)).output.find("\"first line\\nsecond | with bar\""),
              std::string::npos);
}

// A tool resolves its arguments against the current folder, and refuses
// what is not a file rather than read it without end.
TEST_F(Dbx, ArgumentsAreFilesOfTheCurrentFolder) {
    fs::copy_file(kTemplate, dir / "Local.dbx");
    auto dump = test::runTool("cd " + test::shellQuoted(dir) + " && " + test::shellQuoted(kDbx) + " dump Local.dbx");
    ASSERT_EQ(dump.status, 0) << dump.output;
    EXPECT_NE(dump.output.find("SERVER NAME"), std::string::npos) << dump.output;
    auto missing = test::runTool("cd " + test::shellQuoted(dir) + " && " + test::shellQuoted(kDbx) + " dump Absent.dbx");
    EXPECT_EQ(WEXITSTATUS(missing.status), 1);
    EXPECT_NE(missing.output.find("Absent.dbx: the file does not exist"), std::string::npos) << missing.output;

    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    for (const std::string& device : {std::string("/dev/zero"), (dir / "pipe").string()})
        for (const char* command : {"list ", "dump "}) {
            auto result = dbx(command + test::shellQuoted(device));
            EXPECT_EQ(WEXITSTATUS(result.status), 1) << command << device;
            EXPECT_NE(result.output.find(device + ": not a regular file"), std::string::npos) << result.output;
        }
}

TEST_F(Dbx, BadInputIsNamedWithANonZeroStatus) {
    const fs::path missing = dir / "missing.dbx";
    auto result = dbx("dump " + test::shellQuoted(missing));
    EXPECT_EQ(WEXITSTATUS(result.status), 1);
    EXPECT_NE(result.output.find(missing.string()), std::string::npos) << result.output;

    result = dbx("list " + test::shellQuoted(kDescription));
    EXPECT_EQ(WEXITSTATUS(result.status), 1);
    EXPECT_NE(result.output.find("not a compound file"), std::string::npos) << result.output;

    const fs::path description = dir / "bad.txt";
    test::writeHostFile(description, "[ssDBParams]\n0 | SERVER NAME | x\nzero | USER NAME | y\n");
    result = dbx("build " + test::shellQuoted(description) + " " + test::shellQuoted(dir / "out.dbx"));
    EXPECT_EQ(WEXITSTATUS(result.status), 1);
    EXPECT_NE(result.output.find("bad.txt:3: an ssDBParams row"), std::string::npos) << result.output;
    EXPECT_FALSE(fs::exists(dir / "out.dbx")) << "nothing is written from a bad description";

    // A text the file cannot hold fails the build at its line, and the
    // connection file built before stays as it was.
    const fs::path good = dir / "good.dbx";
    ASSERT_EQ(dbx("build " + test::shellQuoted(kDescription) + " " + test::shellQuoted(good)).status, 0);
    for (const std::string& value : {std::string("中文"), std::string("\xFF\xFE")}) {
        test::writeHostFile(description, "[ssSysParams]\nApplication | Vorkast\n\nGUID | " + value + "\n");
        result = dbx("build " + test::shellQuoted(description) + " " + test::shellQuoted(good));
        EXPECT_EQ(WEXITSTATUS(result.status), 1);
        EXPECT_NE(result.output.find("bad.txt:4: "), std::string::npos) << result.output;
        EXPECT_EQ(test::readHostFile(good), test::readHostFile(kTemplate));
    }

    // Names alike as the compound file compares them (é and É are one name
    // there, though Windows-1251 holds neither) are one stream described twice.
    test::writeHostFile(description, "[stream é]\ntext: one\n[stream É]\ntext: two\n");
    result = dbx("build " + test::shellQuoted(description) + " " + test::shellQuoted(dir / "twice.dbx"));
    EXPECT_EQ(WEXITSTATUS(result.status), 1);
    EXPECT_NE(result.output.find("bad.txt:3: stream \"É\" is described twice"), std::string::npos) << result.output;

    EXPECT_EQ(WEXITSTATUS(dbx("frobnicate").status), 2);
    EXPECT_EQ(dbx("--help").status, 0);
}

}  // namespace
}  // namespace vk
