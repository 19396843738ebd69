// Saving the install log: the earlier log survives a save that fails, and the
// caller learns whether the product was listed for removal.
#include <gtest/gtest.h>

#include "InstallFixture.h"
#include "engine/InstallLog.h"
#include "hosted/HostedTestSupport.h"
#include "platform/Error.h"
#include "platform/Text.h"
#include "support/FileSizeLimit.h"

namespace vk::test {
namespace {

TEST(InstallLog, ASaveThatFailsKeepsTheEarlierLogWhole) {
    TestMachine machine;
    auto first = newLog();
    AddLogEntry(*first, "C:\\Program Files\\Talvex\\Vorkast", logkind::Target, 0);
    ASSERT_TRUE(RegisterUninstallAndSaveLog(*first, kProductCaption, "C:\\Program Files\\Talvex\\Vorkast"));
    const std::string earlier = readFile(InstallLogPath());

    auto second = newLog();
    for (int i = 0; i < 200; ++i) AddLogEntry(*second, "C:\\Vorkast\\file" + std::to_string(i), logkind::File, 1);
    {
        FileSizeLimit diskFull(earlier.size() + 16);
        EXPECT_THROW(RegisterUninstallAndSaveLog(*second, kProductCaption, "C:\\Vorkast"), Error);
    }
    EXPECT_EQ(readFile(InstallLogPath()), earlier);
    EXPECT_EQ(platform::findFiles(InstallLogPath() + "*").size(), 1u) << "the new file is removed again";
}

TEST(InstallLog, SaysWhetherTheUninstallEntryWasWritten) {
    TestMachine machine;
    platform::hosted::test::reconfigure("[ReadOnly]\nRegistry=HKEY_LOCAL_MACHINE\n");
    auto log = newLog();
    EXPECT_FALSE(RegisterUninstallAndSaveLog(*log, kProductCaption, "C:\\Vorkast"));
    EXPECT_FALSE(platform::openRegistryKey(platform::RootKey::LocalMachine, kUninstallKey, false));
    EXPECT_TRUE(platform::fileExists(InstallLogPath())) << "the log is written all the same";
}

std::vector<LogEntry> savedLog() {
    TTransporter saved;
    saved.OpenStream(platform::openFile(InstallLogPath(), platform::FileMode::OpenRead));
    return readLog(saved);
}

// A rerun logs only the files new to it; what the earlier run made and what
// is still there stays in the log for the uninstaller, before its last entry.
TEST(InstallLog, ARerunKeepsTheEarlierEntriesWhoseFilesAreStillThere) {
    TestMachine machine;
    const std::string folder = machine.scratch() + "\\Vorkast";
    ForceDir(folder);
    for (const char* name : {"\\a.exe", "\\b.exe", "\\c.ocx"}) writeFile(folder + name, "x");
    auto first = newLog();
    AddLogEntry(*first, folder, logkind::Target, 0);
    AddLogEntry(*first, folder + "\\a.exe", logkind::File, 1);
    AddLogEntry(*first, folder + "\\b.exe", logkind::File, 1);
    AddLogEntry(*first, folder + "\\c.ocx", logkind::File, 1);
    AddLogEntry(*first, folder, logkind::Folder, 0);
    AddLogEntry(*first, folder + "\\c.ocx", logkind::OcxReg, 0);
    RegisterUninstallAndSaveLog(*first, kProductCaption, folder);
    platform::deleteFile(folder + "\\b.exe");  // gone since: nothing to remove

    writeFile(folder + "\\d.exe", "x");
    auto second = newLog();
    AddLogEntry(*second, folder, logkind::Target, 0);
    AddLogEntry(*second, folder + "\\d.exe", logkind::File, 1);
    AddLogEntry(*second, folder, logkind::Folder, 0);
    AddLogEntry(*second, ansiUpper(folder + "\\c.ocx"), logkind::OcxReg, 0);
    RegisterUninstallAndSaveLog(*second, kProductCaption, folder);

    EXPECT_EQ(savedLog(), (std::vector<LogEntry>{{logkind::Target, folder, 0},
                                                 {logkind::File, folder + "\\d.exe", 1},
                                                 {logkind::Folder, folder, 0},
                                                 {logkind::OcxReg, ansiUpper(folder + "\\c.ocx"), 0},
                                                 {logkind::File, folder + "\\a.exe", 1},
                                                 {logkind::File, folder + "\\c.ocx", 1},
                                                 {logkind::File, InstallLogPath(), 0}}));
}

}  // namespace
}  // namespace vk::test
