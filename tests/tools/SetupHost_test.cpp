// setup-host as its users run it: a machine folder, a payload file, an exit status.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "../engine/InstallFixture.h"
#include "engine/InstallationLock.h"
#include "platform/hosted/HostedMachine.h"

namespace vk::test {
namespace {

namespace fs = std::filesystem;

class SetupHostTest : public ::testing::Test {
protected:
    fs::path writePayload(const std::string& name, const std::vector<RowsDataSet::Row>& records) {
        writeHostFile(root / name, makePayload(records));
        return root / name;
    }

    // The exit status; the output goes to output.
    int setupHost(const std::string& arguments) {
        const std::string command = std::string(VK_BINARY_DIR) + "/tools/setup-host " + arguments + " > " +
                                    (root / "out.txt").string() + " 2>&1";
        const int status = std::system(command.c_str());
        output = readHostFile(root / "out.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    const TempHostFolder folder{"vk-setup-host"};
    const fs::path& root = folder.path();
    std::string output;
};

TEST_F(SetupHostTest, InstallsTheServerPartSavesTheLogAndReportsIt) {
    const fs::path payload = writePayload("p.trs", {payloadRow("Vorkast.exe", fkProgram, compressed("program")),
                                                    payloadRow("Config.gdb", fkConfiguration, compressed("db"), 1)});
    ASSERT_EQ(setupHost("--machine " + (root / "m").string() + " --payload " + payload.string()), 0) << output;
    const fs::path program = root / "m" / "C" / "Program Files" / "Talvex" / "Vorkast";
    EXPECT_EQ(readHostFile(program / "Vorkast.exe"), "program");
    EXPECT_EQ(readHostFile(program / "DataBase" / "Config.gdb"), "db");
    EXPECT_TRUE(fs::exists(root / "m" / "C" / "WINDOWS" / "VksUnSt.trs"));
    EXPECT_NE(output.find("page 4 Install\nКопирование файлов\n"), std::string::npos) << output;
    EXPECT_NE(output.find("page 6 Finish\n"), std::string::npos) << output;
}

TEST_F(SetupHostTest, ADamagedPayloadOrABadCommandLineIsNotASuccess) {
    const fs::path payload = writePayload("bad.trs", {payloadRow("Vorkast.exe", fkProgram, "SZDD\x88\xF0\x27\x33" "A")});
    EXPECT_EQ(setupHost("--machine " + (root / "m").string() + " --payload " + payload.string()), 1);
    EXPECT_NE(output.find("Установка прошла с ошибками"), std::string::npos) << output;
    EXPECT_FALSE(fs::exists(root / "m" / "C" / "WINDOWS" / "VksUnSt.trs"));

    EXPECT_EQ(setupHost("--payload " + payload.string()), 2);
    EXPECT_EQ(setupHost("--machine " + (root / "m").string() + " --part client"), 2);
    EXPECT_EQ(setupHost("--machine " + (root / "m").string() + " --package-flags 0x1FFFFFFFF"), 2);
    EXPECT_EQ(setupHost("--machine " + (root / "m").string() + " --payload " + (root / "missing.trs").string()), 2);

    writeHostFile(root / "bad.scn", "next\nwobble btNext\n");
    EXPECT_EQ(setupHost("--machine " + (root / "m").string() + " --script " + (root / "bad.scn").string()), 2);
    EXPECT_NE(output.find("bad.scn:2: unknown step \"wobble\""), std::string::npos) << output;
    // A scenario that leaves the wizard open, or clicks what is not there.
    writeHostFile(root / "open.scn", "next\n");
    EXPECT_EQ(setupHost("--machine " + (root / "m").string() + " --script " + (root / "open.scn").string()), 3);
    writeHostFile(root / "unknown.scn", "click btNowhere\n");
    EXPECT_EQ(setupHost("--machine " + (root / "m").string() + " --script " + (root / "unknown.scn").string()), 3);
    EXPECT_NE(output.find("line 1: no control btNowhere"), std::string::npos) << output;
}

// What the tool reports is what happened: a program folder the user may not
// write fails the run, an uninstall entry without rights is not claimed.
TEST_F(SetupHostTest, ReportsWhatTheRunCouldNotDo) {
    const fs::path payload = writePayload("p.trs", {payloadRow("Vorkast.exe", fkProgram, compressed("program")),
                                                    payloadRow("idapi32.dll", fkBDE, compressed("engine"))});
    const fs::path locked = root / "locked";
    fs::create_directories(locked);
    writeHostFile(locked / "machine.ini", "[ReadOnly]\nFolder=C:\\Program Files\n");
    EXPECT_EQ(setupHost("--machine " + locked.string() + " --payload " + payload.string()), 1) << output;
    EXPECT_NE(output.find("Установка прошла с ошибками"), std::string::npos) << output;
    EXPECT_NE(output.find("C:\\Program Files\\Talvex\\Vorkast"), std::string::npos) << output;
    EXPECT_EQ(output.find("page 6 Finish"), std::string::npos) << output;
    EXPECT_FALSE(fs::exists(locked / "C" / "WINDOWS" / "VksUnSt.trs"));

    const fs::path limited = root / "limited";
    fs::create_directories(limited);
    writeHostFile(limited / "machine.ini", "[ReadOnly]\nRegistry=HKEY_LOCAL_MACHINE\n");
    ASSERT_EQ(setupHost("--machine " + limited.string() + " --payload " + payload.string()), 0) << output;
    EXPECT_NE(output.find("Uninstall entry: not written, no rights to HKEY_LOCAL_MACHINE\\SOFTWARE"), std::string::npos)
        << output;
}

// A second installer on the machine says so and changes nothing.
TEST_F(SetupHostTest, OneInstallationAtATime) {
    const fs::path payload = writePayload("p.trs", {payloadRow("Vorkast.exe", fkProgram, compressed("program"))});
    const fs::path machine = root / "m";
    platform::hosted::useMachine(machine);
    auto running = LockInstallation();
    ASSERT_NE(running, nullptr);
    EXPECT_EQ(setupHost("--machine " + machine.string() + " --payload " + payload.string()), 1);
    EXPECT_NE(output.find(kAnotherInstallationRuns), std::string::npos) << output;
    EXPECT_FALSE(fs::exists(machine / "C" / "Program Files" / "Talvex" / "Vorkast" / "Vorkast.exe"));
    EXPECT_FALSE(fs::exists(machine / "registry.reg"));

    running.reset();
    platform::hosted::useNoMachine();
    EXPECT_EQ(setupHost("--machine " + machine.string() + " --payload " + payload.string()), 0) << output;
}

}  // namespace
}  // namespace vk::test
