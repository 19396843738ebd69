// The uninstaller VksUnSt.exe, run as the system's list of removable programs
// runs it, its questions answered as a user would: after the demo
// installation it leaves the machine as it found it, the databases apart, and
// a damaged or crafted log makes it touch nothing it must not.
#include <chrono>
#include <functional>

#include "DemoInstallation.h"
#include "MachineState.h"
#include "ProgramDriver.h"
#include "datalib/Paths.h"
#include "support/Eventually.h"

namespace vk::test {
namespace {

// The registry the installation and the removal touch.
const std::vector<std::string> kTouchedKeys{"HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID",
                                            "HKEY_LOCAL_MACHINE\\" + std::string(kUninstallKey)};

// The uninstaller deletes its own file through a batch file just after it
// ends: true once the file is gone, false after a minute.
bool awaitDeletion(const std::string& path) {
    return eventually([&] { return !platform::fileExists(path); }, std::chrono::seconds(60));
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class Win32Uninstaller : public Win32DemoPackage {
protected:
    MachineState machineState() { return readMachineState({machine.scratch()}, kTouchedKeys); }

    // The uninstaller of the build and a log of these entries, side by side in the scratch folder.
    std::string uninstallerWithLog(const std::vector<LogEntry>& entries, std::size_t cutBytes = 0) {
        const std::string program = machine.scratch() + "\\VksUnSt.exe";
        EXPECT_TRUE(platform::copyFile(VK_BINARY_DIR "\\demo-programs\\VksUnSt.exe", program, false));
        std::unique_ptr<TStaticSet> crafted = newLog();
        for (const LogEntry& entry : entries) AddLogEntry(*crafted, entry.value, entry.kind, entry.number);
        MemoryStream bytes;
        SaveDataSetToStream(crafted.get(), &bytes);
        writeFile(machine.scratch() + "\\VksUnSt.trs",
                  std::string(bytes.bytes().begin(), bytes.bytes().end() - static_cast<std::ptrdiff_t>(cutBytes)));
        return program;
    }
};

TEST_F(Win32Uninstaller, RemovesTheDemoInstallationAndLeavesTheMachineAsItWasButTheDatabases) {
    const MachineState before = machineState();
    auto thread = demoThread();
    const std::string database = thread->DataBaseFolder;
    runDemo(std::move(thread));
    ASSERT_EQ(recorder.lines.back(), "FINISHED 0") << recorder.failure;
    RegisterUninstallAndSaveLog(*log, kProductCaption, local);
    leaveProgramFolder();
    ASSERT_NE(differences(before, machineState()), "");

    const std::string uninstaller = WindowsDir() + "VksUnSt.exe";
    const ProgramRun run = runAnswering(uninstaller + " REMOVE", {"Yes", "OK"});
    ASSERT_EQ(run.messages.size(), 2u);
    EXPECT_TRUE(contains(run.messages[0], "Удалить программу АС Кронта 3.1")) << run.messages[0];
    EXPECT_TRUE(contains(run.messages[1], "Программа удалена с компьютера.")) << run.messages[1];
    EXPECT_TRUE(contains(run.messages[1], database)) << run.messages[1];
    EXPECT_EQ(run.exitCode, 0u) << run.messages[1];
    ASSERT_TRUE(awaitDeletion(uninstaller));

    for (const char* kept : {"VkConfig.gdb", "VkData.gdb", "Setup1.dbx"})
        EXPECT_TRUE(platform::fileExists(database + "\\" + kept)) << kept;
    // What stays on purpose: the database folder with its files, and so the
    // installation folder that holds it.
    MachineState after = machineState();
    std::erase_if(after.lines, [&](const std::string& line) {
        return line == "folder " + local || contains(line, " " + database);
    });
    EXPECT_EQ(differences(before, after), "");
}

TEST_F(Win32Uninstaller, ExplainsItselfRefusesADamagedLogAndNeverActsOnSystemOrRelativePaths) {
    const ProgramRun usage = runAnswering(VK_BINARY_DIR "\\demo-programs\\VksUnSt.exe", {"OK"});
    ASSERT_EQ(usage.messages.size(), 1u);
    EXPECT_TRUE(contains(usage.messages[0], "VksUnSt.exe REMOVE")) << usage.messages[0];
    EXPECT_EQ(usage.exitCode, 2u);

    ForceDir(local);
    writeFile(local + "\\Vorkast.exe", "installed");
    const std::vector<LogEntry> installed{{logkind::Target, local, 0}, {logkind::File, local + "\\Vorkast.exe", 1}};
    const std::string program = uninstallerWithLog(installed, 3);
    const ProgramRun damaged = runAnswering(program + " REMOVE", {"OK"});
    ASSERT_EQ(damaged.messages.size(), 1u);
    EXPECT_TRUE(contains(damaged.messages[0], "Журнал установки не прочитан, поэтому ничего не удалено."))
        << damaged.messages[0];
    EXPECT_TRUE(contains(damaged.messages[0], "VksUnSt.trs")) << damaged.messages[0];
    EXPECT_EQ(damaged.exitCode, 3u);
    EXPECT_TRUE(platform::fileExists(local + "\\Vorkast.exe"));
    EXPECT_TRUE(platform::fileExists(program));

    // The uninstaller works in the Windows folder, where a relative name would find the system's own program.
    ASSERT_TRUE(platform::fileExists(WindowsDir() + "notepad.exe"));
    const std::string system = ExcludeTrailingBackslash(SystemDir());
    std::vector<LogEntry> crafted = installed;
    crafted.insert(crafted.end(), {{logkind::File, "notepad.exe", 1},
                                   {logkind::File, system, 0},
                                   {logkind::Folder, system, 0},
                                   {logkind::Folder, "C:\\", 0},
                                   {logkind::Folder, local, 0}});
    uninstallerWithLog(crafted);
    const ProgramRun refused = runAnswering(program + " REMOVE", {"Yes", "OK"});
    ASSERT_EQ(refused.messages.size(), 2u);
    EXPECT_TRUE(contains(refused.messages[1], "FOLDER C:\\\nFILE " + system + "\nFILE notepad.exe"))
        << refused.messages[1];
    EXPECT_EQ(refused.exitCode, 1u);
    EXPECT_TRUE(platform::fileExists(WindowsDir() + "notepad.exe"));
    EXPECT_TRUE(platform::directoryExists(system));
    EXPECT_FALSE(platform::directoryExists(local)) << "what the log rightly lists is gone";
    EXPECT_TRUE(awaitDeletion(program));
}

}  // namespace
}  // namespace vk::test
