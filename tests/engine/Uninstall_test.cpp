// The uninstaller's logic: reading the log back, the plan it makes of it, and
// the plan carried out on a machine.
#include <gtest/gtest.h>

#include <filesystem>

#include "InstallFixture.h"
#include "datalib/Paths.h"
#include "engine/InstallLog.h"
#include "engine/InstallLogReader.h"
#include "engine/Uninstaller.h"
#include "hosted/HostedTestSupport.h"
#include "platform/Error.h"
#include "platform/Registry.h"

namespace vk::test {
namespace {

using Entries = std::vector<InstallLogEntry>;

std::vector<std::uint8_t> savedLog(const Entries& entries) {
    std::unique_ptr<TStaticSet> log = newLog();
    for (const InstallLogEntry& entry : entries) AddLogEntry(*log, entry.value, entry.kind, entry.number);
    MemoryStream out;
    SaveDataSetToStream(log.get(), &out);
    return out.bytes();
}

Entries readBack(std::vector<std::uint8_t> bytes) {
    return ReadInstallLog(std::make_unique<MemoryStream>(std::move(bytes), "VksUnSt.trs"));
}

std::string readError(std::vector<std::uint8_t> bytes) {
    try {
        readBack(std::move(bytes));
    } catch (const Error& e) {
        return e.what();
    }
    return "<read without error>";
}

TEST(InstallLogReader, ReadsWhatTheInstallerSavesAndRefusesADamagedLogWhole) {
    const Entries entries{{logkind::Target, "C:\\Vorkast", 0},
                          {logkind::BdeDir, "", 0},
                          {logkind::DbDir, "C:\\Vorkast\\DataBase", 0},
                          {logkind::File, "C:\\Vorkast\\Корректировки\\Корректировка1.txt", 2048},
                          {logkind::Folder, "C:\\Vorkast", 0}};
    const std::vector<std::uint8_t> bytes = savedLog(entries);
    EXPECT_EQ(readBack(bytes), entries);

    std::vector<std::uint8_t> truncated(bytes.begin(), bytes.end() - 5);
    EXPECT_NE(readError(truncated).find("VksUnSt.trs: "), std::string::npos);
    EXPECT_NE(readError({}).find("VksUnSt.trs"), std::string::npos) << "an empty file";

    EXPECT_NE(readError(savedLog({{logkind::Target, "C:\\Vorkast", 0}, {"ERASEALL", "C:\\", 0}}))
                  .find("record 2: unknown entry kind \"ERASEALL\""),
              std::string::npos);
    EXPECT_NE(readError(savedLog({{logkind::File, "C:\\Vorkast\\Vorkast.exe", 1}})).find("no installation folder"),
              std::string::npos);
    // A payload is a transport stream too, but not a log.
    EXPECT_NE(readError(makePayload({payloadRow("Vorkast.exe", 1, "x")})).find("no field Value"), std::string::npos);
}

const UninstallPlaces kPlaces{"C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM32\\", "C:\\WINDOWS\\VksUnSt.trs",
                              "C:\\WINDOWS\\VksUnSt.exe"};

TEST(UninstallPlan, UndoesInReverseKeepsTheUsersDataAndRemovesFoldersDeepestFirst) {
    const std::string local = "C:\\Program Files\\Vorkast";
    const Entries log{
        {logkind::Target, local, 0},
        {logkind::BdeDir, "", 0},
        {logkind::DbDir, local + "\\DataBase", 0},
        {logkind::File, local + "\\Vorkast.exe", 1},
        {logkind::File, "C:\\Windows\\\\VksUnSt.exe", 1},  // as the installer logs it
        {logkind::File, local + "\\VkGrid.ocx", 1},
        {logkind::File, local + "\\Korvex.exe", 1},
        {logkind::File, local + "\\DataBase\\VkData.gdb", 4},
        {logkind::File, local + "\\Help\\Vorkast.chm", 8192},
        {logkind::File, "C:\\Windows\\System32\\Kerno1.bpl", 8},
        {logkind::Folder, local, 0},
        {logkind::Folder, "C:\\Windows", 0},
        {logkind::Folder, local + "\\DataBase", 0},
        {logkind::Folder, local + "\\Help", 0},
        {logkind::Folder, "c:\\windows\\system32", 0},
        {logkind::OcxReg, local + "\\VkGrid.ocx", 0},
        {logkind::SrvReg, local + "\\Korvex.exe", 0},
        {logkind::Folder, "C:\\ProgramData\\Start Menu\\Кронта", 0},
        {logkind::Shortcut, "C:\\ProgramData\\Start Menu\\Кронта\\Кронта.lnk", 0},
        {logkind::File, local + "\\Подключения\\Кронта.dbx", 0},
        {logkind::Folder, local + "\\Подключения", 0},
        {logkind::File, local + "\\Version.txt", 0},
        {logkind::File, "C:\\windows\\VksUnSt.trs", 0},
    };
    const UninstallPlan plan = PlanUninstall(log, kPlaces);
    using enum UninstallAction;
    const std::vector<UninstallStep> expected{
        {DeleteFile, local + "\\Version.txt"},
        {DeleteShortcut, "C:\\ProgramData\\Start Menu\\Кронта\\Кронта.lnk"},
        {UnregisterServer, local + "\\Korvex.exe"},
        {UnregisterControl, local + "\\VkGrid.ocx"},
        {DeleteFile, "C:\\Windows\\System32\\Kerno1.bpl"},
        {DeleteFile, local + "\\Help\\Vorkast.chm"},
        {DeleteFile, local + "\\Korvex.exe"},
        {DeleteFile, local + "\\VkGrid.ocx"},
        {DeleteFile, local + "\\Vorkast.exe"},
        {RemoveFolder, "C:\\ProgramData\\Start Menu\\Кронта"},
        {RemoveFolder, local + "\\Help"},
        {RemoveFolder, local},
        {DeleteUninstallKey, std::string(kUninstallKey)},
        {DeleteFile, "C:\\WINDOWS\\VksUnSt.trs"},
    };
    EXPECT_EQ(plan.steps, expected);
    EXPECT_EQ(plan.keptFolders, (std::vector<std::string>{local + "\\Подключения", local + "\\DataBase"}));
    EXPECT_TRUE(plan.refused.empty());
}

TEST(UninstallPlan, NeverActsOnARelativePathARootOrTheWindowsAndSystemFolders) {
    for (const std::string path :
         {"Vorkast.exe", "Program Files\\Vorkast", "\\Vorkast\\Vorkast.exe", "C:Vorkast.exe", "C:\\", "C:", "d:\\\\",
          "\\\\server\\share", "\\\\server\\share\\", "C:\\Windows", "c:\\windows\\system32\\", "C:\\Vorkast\\..\\Windows",
          "C:\\Vorkast\\.\\x", "C:\\\\", "C:\\\\Windows\\\\", "\\\\?\\C:\\Vorkast", ""}) {
        EXPECT_FALSE(IsRemovablePath(path, kPlaces)) << path;
        const UninstallPlan plan = PlanUninstall(
            {{logkind::Target, "C:\\Vorkast", 0}, {logkind::File, path, 1}, {logkind::SrvReg, path, 0}}, kPlaces);
        EXPECT_EQ(plan.refused, (std::vector<std::string>{"SRVREG " + path, "FILE " + path})) << path;
        EXPECT_EQ(plan.steps.size(), 2u) << "only the key and the log: " << path;
    }
    // The installer logs files of the Windows folder with a doubled "\".
    for (const std::string path : {"C:\\Vorkast", "C:\\Windows\\System32\\Kerno1.bpl", "\\\\server\\share\\Vorkast",
                                   "C:\\Windows\\Help", "C:\\WINDOWS\\\\Kerno1.bpl"})
        EXPECT_TRUE(IsRemovablePath(path, kPlaces)) << path;
}

// The plan carried out on a hosted machine where programs may run.
class UninstallRun : public ::testing::Test {
protected:
    UninstallRun() { machine.allowPrograms(); }

    void file(const std::string& path, const std::string& content = "x") {
        ForceDir(ExtractFileDir(path));
        writeFile(path, content);
    }
    void script(const std::string& path, int exitCode) {
        file(path, "#!/bin/sh\nexit " + std::to_string(exitCode) + "\n");
    }

    TestMachine machine;
    const std::string local = machine.scratch() + "\\Vorkast";
};

TEST_F(UninstallRun, RemovesWhatTheLogListsKeepsTheDataAndReportsWhatStays) {
    file(local + "\\Vorkast.exe");
    file(local + "\\DataBase\\VkData.gdb", "the user's accounts");
    file(local + "\\Подключения\\Кронта.dbx", "the user's connection");
    file(local + "\\Help\\Vorkast.chm");
    file(local + "\\Help\\Заметки пользователя.txt", "not installed: stays");
    script(local + "\\Korvex.exe", 0);
    script(local + "\\Lumtra.exe", 3);
    std::filesystem::copy_file(VK_TEST_REGISTRAR, platform::hosted::toHostPath(local + "\\VkGrid.ocx"));
    file(SystemDir() + "Kerno1.bpl");
    file(SystemDir() + "kernel32.dll", "the system's own");
    platform::setCurrentFolder(local);  // a relative entry would name a file here

    std::unique_ptr<TStaticSet> log = newLog();
    const Entries entries{
        {logkind::Target, local, 0},
        {logkind::BdeDir, "", 0},
        {logkind::DbDir, local + "\\DataBase", 0},
        {logkind::File, local + "\\Vorkast.exe", 1},
        {logkind::File, local + "\\Korvex.exe", 1},
        {logkind::File, local + "\\Lumtra.exe", 1},
        {logkind::File, local + "\\VkGrid.ocx", 1},
        {logkind::File, local + "\\DataBase\\VkData.gdb", 4},
        {logkind::File, local + "\\Help\\Vorkast.chm", 8192},
        {logkind::File, SystemDir() + "Kerno1.bpl", 8},
        {logkind::File, "Vorkast.exe", 1},  // crafted: relative
        {logkind::Folder, ExcludeTrailingBackslash(SystemDir()), 0},
        {logkind::File, ExcludeTrailingBackslash(SystemDir()), 0},  // crafted: the system folder itself
        {logkind::Folder, local + "\\DataBase", 0},
        {logkind::Folder, local + "\\Help", 0},
        {logkind::Folder, local, 0},
        {logkind::OcxReg, local + "\\VkGrid.ocx", 0},
        {logkind::SrvReg, local + "\\Korvex.exe", 0},
        {logkind::SrvReg, local + "\\Lumtra.exe", 0},
        {logkind::File, local + "\\Подключения\\Кронта.dbx", 0},
        {logkind::Folder, local + "\\Подключения", 0},
    };
    for (const InstallLogEntry& entry : entries) AddLogEntry(*log, entry.value, entry.kind, entry.number);
    RegisterUninstallAndSaveLog(*log, "АС Кронта 3.1", local);
    ASSERT_TRUE(platform::openRegistryKey(platform::RootKey::LocalMachine, kUninstallKey, false));

    const UninstallPlan plan = PlanUninstall(
        ReadInstallLog(platform::openFile(InstallLogPath(), platform::FileMode::OpenRead)),
        {WindowsDir(), SystemDir(), InstallLogPath(), WindowsDir() + "VksUnSt.exe"});
    std::vector<std::string> shown;
    const UninstallReport report =
        RunUninstall(plan, [&](std::size_t done, std::size_t total, const std::string& path) {
            EXPECT_EQ(total, plan.steps.size());
            EXPECT_EQ(done, shown.size());
            shown.push_back(path);
        });

    EXPECT_EQ(shown.size(), plan.steps.size());
    for (const std::string& gone : {local + "\\Vorkast.exe", local + "\\Korvex.exe", local + "\\VkGrid.ocx",
                                    local + "\\Help\\Vorkast.chm", SystemDir() + "Kerno1.bpl", InstallLogPath()})
        EXPECT_FALSE(platform::fileExists(gone)) << gone;
    for (const std::string& kept : {local + "\\DataBase\\VkData.gdb", local + "\\Подключения\\Кронта.dbx",
                                    local + "\\Help\\Заметки пользователя.txt", SystemDir() + "kernel32.dll",
                                    local + "\\Lumtra.exe"})
        EXPECT_TRUE(platform::fileExists(kept)) << kept;
    EXPECT_TRUE(platform::directoryExists(SystemDir()));
    EXPECT_FALSE(platform::openRegistryKey(platform::RootKey::LocalMachine, kUninstallKey, false));

    // Lumtra's unregistration failed, so its file stays with its registration.
    EXPECT_EQ(report.notRemoved,
              (std::vector<std::string>{local + "\\Lumtra.exe: регистрация не отменена (код 3), файл оставлен",
                                        local + "\\Help: папка не пуста или занята"}))
        << "the installation folder stays without a word: it holds the kept database folder";
    EXPECT_EQ(report.keptFolders, (std::vector<std::string>{local + "\\Подключения", local + "\\DataBase"}));
    const std::string summary = UninstallSummary(plan, report);
    EXPECT_NE(summary.find("не полностью"), std::string::npos) << summary;
    EXPECT_NE(summary.find("папки:\n" + local + "\\Подключения\n" + local + "\\DataBase"), std::string::npos) << summary;
    EXPECT_NE(summary.find("пропущены:\nFILE " + ExcludeTrailingBackslash(SystemDir()) + "\nFILE Vorkast.exe"),
              std::string::npos)
        << summary;
}

}  // namespace
}  // namespace vk::test
