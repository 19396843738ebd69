// The install thread as the wizard sees it: the exact message sequence, and
// what each run leaves in the folders and the install log.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "InstallFixture.h"
#include "datalib/Crc32.h"
#include "datalib/Paths.h"
#include "support/TestNames.h"
#include "engine/InstallLog.h"
#include "platform/Registry.h"
#include "platform/hosted/HostedMachine.h"

namespace vk::test {
namespace {

using Lines = std::vector<std::string>;

// The messages of a registration phase over the given controls, then the end of the run.
Lines registrationOf(const std::string& folder, const std::vector<std::string>& controls) {
    Lines lines{"STATUS 2", "STATUS 3", "RANGE " + std::to_string(controls.size() + 4)};
    for (const std::string& control : controls) lines.insert(lines.end(), {"STATUS 2 " + folder + "\\" + control, "STEP"});
    for (const char* server : {"Korvex.exe", "Lumtra.exe", "Tablica.exe", "Nadzor.exe"})
        lines.insert(lines.end(), {"STATUS 2 " + folder + "\\" + server, "STEP"});
    lines.insert(lines.end(), {"ENDPHASE " + std::to_string(controls.size() + 4), "SYSTEM", "FINISHED 0"});
    return lines;
}

Lines concat(Lines first, const Lines& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class ProcessThreadTest : public InstallFixture {};

TEST_F(ProcessThreadTest, AServerRunReportsEveryRecordThenRegistersControlsBeforeTheServers) {
    addRecord("Vorkast.exe", fkProgram, "main program");
    addRecord("Other.dat", 0x1000, "not in this package");
    addRecord("Grid.ocx", fkProgram, "a control");
    run(serverThread());

    EXPECT_EQ(recorder.lines, concat({"STATUS 1", "RANGE 3", "STATUS 2 Vorkast.exe", "STEP", "STATUS 2 Other.dat",
                                      "STEP", "STATUS 2 Grid.ocx", "STEP", "ENDPHASE 0"},
                                     registrationOf(local, {"Grid.ocx"})));
    EXPECT_EQ(recorder.failure, "");
    EXPECT_EQ(readFile(local + "\\Vorkast.exe"), "main program");
    EXPECT_FALSE(platform::fileExists(local + "\\Other.dat"));

    const std::vector<LogEntry> expected{
        {logkind::Target, local, 0},
        {logkind::BdeDir, machine.scratch() + "\\BDE", 0},
        {logkind::DbDir, local + "\\DataBase", 0},
        {logkind::File, local + "\\Vorkast.exe", fkProgram},
        {logkind::File, local + "\\Grid.ocx", fkProgram},
        {logkind::Folder, local, 0},
        {logkind::OcxReg, local + "\\Grid.ocx", 0},
        {logkind::SrvReg, local + "\\Korvex.exe", 0},
        {logkind::SrvReg, local + "\\Lumtra.exe", 0},
        {logkind::SrvReg, local + "\\Tablica.exe", 0},
        {logkind::SrvReg, local + "\\Nadzor.exe", 0},
    };
    EXPECT_EQ(entries(), expected);
}

TEST_F(ProcessThreadTest, AClientRunInstallsOnlyTheEngineAndTheChosenClientVariant) {
    addRecord("Vorkast.exe", fkProgram, "main program");
    addRecord("idapi32.dll", fkBDE, "engine");
    addRecord("!1gds32.dll", fkDBClient, "firebird client");
    addRecord("!2gds32.dll", fkDBClient, "yaffil client");
    addRecord("gds32.dll", fkDBClient, "never: no variant");
    auto thread = serverThread();
    thread->InstallOptions = ioClientPart | ioBDE | ioIBClient | ioFirebird;
    // The engine's folder under folders the run creates too: all of them are
    // logged, outermost first, so that a removal can take them away again;
    // the scratch folder above them was there and is not.
    const std::string borland = machine.scratch() + "\\Borland";
    thread->BdeFolder = borland + "\\Common files\\BDE";
    const std::string net = thread->NetPath, bde = thread->BdeFolder;
    run(std::move(thread));

    EXPECT_EQ(recorder.lines.back(), "FINISHED 0");
    const std::string systemCopy = SystemDir() + "\\gds32.dll";
    EXPECT_EQ(readFile(systemCopy), "firebird client");
    EXPECT_EQ(readFile(bde + "\\idapi32.dll"), "engine");
    EXPECT_FALSE(platform::fileExists(local + "\\Vorkast.exe"));
    const std::vector<LogEntry> expected{
        {logkind::Target, net, 0},
        {logkind::BdeDir, bde, 0},
        {logkind::DbDir, local + "\\DataBase", 0},
        {logkind::File, bde + "\\idapi32.dll", fkBDE},
        {logkind::File, systemCopy, fkDBClient},
        {logkind::Folder, borland, 0},
        {logkind::Folder, borland + "\\Common files", 0},
        {logkind::Folder, bde, 0},
        {logkind::Folder, SystemDir(), 0},
    };
    EXPECT_EQ(entries(), expected);
}

TEST_F(ProcessThreadTest, WithoutATemporaryFolderTheCopyPhaseIsSkippedAndTheRunGoesOn) {
    addRecord("Vorkast.exe", fkProgram, "main program");
    writeFile(TempDir() + "Vorkast", "a file where the folder should be");
    auto thread = serverThread();
    thread->InstallOptions &= ~ioRegister;
    run(std::move(thread));

    EXPECT_EQ(recorder.lines, (Lines{"STATUS 1", "STATUS 2", "STATUS 3", "SYSTEM", "FINISHED 0"}));
    EXPECT_FALSE(platform::fileExists(local + "\\Vorkast.exe"));
}

class RegistrationSwitchTest : public InstallFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(RegistrationSwitchTest, EitherBitMissingMeansNoRegistrationYetTheStageIsShown) {
    addRecord("Grid.ocx", fkProgram, "a control");
    auto thread = serverThread();
    if (GetParam())
        thread->InstallOptions &= ~ioRegister;
    else
        thread->PackageFlags &= ~pfRegisterComponents;
    run(std::move(thread));

    EXPECT_EQ(recorder.lines, (Lines{"STATUS 1", "RANGE 1", "STATUS 2 Grid.ocx", "STEP", "ENDPHASE 0", "STATUS 2",
                                     "STATUS 3", "SYSTEM", "FINISHED 0"}));
    EXPECT_TRUE(entriesOf(logkind::OcxReg).empty());
    EXPECT_TRUE(entriesOf(logkind::SrvReg).empty());
}

INSTANTIATE_TEST_SUITE_P(OptionOrPackage, RegistrationSwitchTest, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "WithoutTheInstallOption" : "WithoutThePackageFlag");
});

TEST_F(ProcessThreadTest, RecordsGoToTheFoldersOfTheirKindAndFoldersAreLoggedAfterTheFiles) {
    addRecord("Vorkast.exe", fkProgram, "program");
    addRecord("VKSUNST.EXE", fkProgram, "uninstaller");
    addRecord("!2VksUnSt.exe", fkProgram, "not the uninstaller: its stored name differs");
    addRecord("Config.gdb", fkConfiguration, "chosen configuration", 1);
    addRecord("Other.gdb", fkConfiguration, "configuration not ticked", 2);
    addRecord("Data.gdb", fkDatabase, "filled database", 1);
    addRecord("NoIndex.gdb", fkDatabase, "null index matches no row");
    addRecord("Kerno1.bpl", fkSystemPackage, "package");
    addRecord("idapi32.dll", fkBDE, "engine");
    addRecord("!1gds32.dll", fkDBClient, "client, server part: never");
    addRecord("Fix1.sql", fkCorrection, "update table");
    addRecord("Guide.CHM", fkDocument, "help");
    addRecord("Manual.pdf", fkDocument, "manual");
    addRecord("Extra.dat", 0x40, "a kind this package holds");
    auto thread = serverThread();
    thread->InstallOptions &= ~ioRegister;
    thread->PackageFlags |= fkCorrection;  // a package that carries corrections
    const std::string bde = thread->BdeFolder, database = thread->DataBaseFolder;
    run(std::move(thread));
    ASSERT_EQ(recorder.lines.back(), "FINISHED 0") << recorder.failure;

    const std::string windowsCopy = WindowsDir() + "\\VKSUNST.EXE";
    EXPECT_EQ(readFile(windowsCopy), "uninstaller");
    EXPECT_EQ(readFile(local + "\\VksUnSt.exe"), "not the uninstaller: its stored name differs");
    EXPECT_EQ(readFile(SystemDir() + "Kerno1.bpl"), "package");
    EXPECT_FALSE(platform::fileExists(database + "\\Other.gdb"));
    EXPECT_FALSE(platform::fileExists(database + "\\NoIndex.gdb"));
    EXPECT_FALSE(platform::fileExists(SystemDir() + "\\gds32.dll"));
    const std::vector<LogEntry> expected{
        {logkind::Target, local, 0},
        {logkind::BdeDir, bde, 0},
        {logkind::DbDir, database, 0},
        {logkind::File, local + "\\Vorkast.exe", fkProgram},
        {logkind::File, windowsCopy, fkProgram},
        {logkind::File, local + "\\VksUnSt.exe", fkProgram},
        {logkind::File, database + "\\Config.gdb", fkConfiguration},
        {logkind::File, database + "\\Data.gdb", fkDatabase},
        {logkind::File, local + "\\Kerno1.bpl", fkSystemPackage},
        {logkind::File, SystemDir() + "Kerno1.bpl", fkSystemPackage},
        {logkind::File, bde + "\\idapi32.dll", fkBDE},
        {logkind::File, local + "\\Корректировки\\Fix1.sql", fkCorrection},
        {logkind::File, local + "\\Help\\Guide.CHM", fkDocument},
        {logkind::File, local + "\\Docs\\Manual.pdf", fkDocument},
        {logkind::File, local + "\\Extra.dat", 0x40},
        {logkind::Folder, local, 0},
        {logkind::Folder, database, 0},
        {logkind::Folder, bde, 0},
        {logkind::Folder, local + "\\Корректировки", 0},
        {logkind::Folder, local + "\\Help", 0},
        {logkind::Folder, local + "\\Docs", 0},
    };
    EXPECT_EQ(entries(), expected);
    ASSERT_EQ(corrections.size(), 1u);
    EXPECT_EQ(corrections[0].name, "Fix1.sql");
    EXPECT_EQ(std::string(corrections[0].data->bytes().begin(), corrections[0].data->bytes().end()), "update table");
    EXPECT_TRUE(platform::directoryExists(TempDir() + "Vorkast"));
    EXPECT_FALSE(platform::fileExists(TempDir() + "Vorkast\\Vorkast.exe"));
}

// The runtime packages are deleted from the system folder first, so their
// system copies are new on every run.
TEST_F(ProcessThreadTest, ASecondRunOverwritesButLogsNoFileThatAlreadyExisted) {
    addRecord("Vorkast.exe", fkProgram, "program");
    addRecord("Kerno1.bpl", fkSystemPackage, "package");
    ForceDir(local);
    writeFile(local + "\\Vorkast.exe", "an older program");
    run(serverThread());
    ASSERT_EQ(recorder.lines.back(), "FINISHED 0");
    EXPECT_EQ(readFile(local + "\\Vorkast.exe"), "program");
    EXPECT_EQ(entriesOf(logkind::File),
              (std::vector<LogEntry>{{logkind::File, local + "\\Kerno1.bpl", fkSystemPackage},
                                     {logkind::File, SystemDir() + "Kerno1.bpl", fkSystemPackage}}));

    log = newLog();
    recorder = ProgressRecorder();
    run(serverThread());
    ASSERT_EQ(recorder.lines.back(), "FINISHED 0");
    EXPECT_EQ(entriesOf(logkind::File),
              (std::vector<LogEntry>{{logkind::File, SystemDir() + "Kerno1.bpl", fkSystemPackage}}));
    EXPECT_EQ(entriesOf(logkind::Folder), (std::vector<LogEntry>{{logkind::Folder, local, 0}}));
}

// A record that cannot be installed as shipped ends the run: nothing after
// it is copied, registered or applied, and the wizard hears of the failure.
// A name that would leave its folder is refused before copying begins.
struct BadRecord {
    const char* what;
    std::string name;
    std::string data;
    bool refusedBeforeCopying = false;

    friend void PrintTo(const BadRecord& bad, std::ostream* out) { *out << bad.what; }
};

class BadRecordTest : public InstallFixture, public ::testing::WithParamInterface<BadRecord> {};

TEST_P(BadRecordTest, EndsTheRunWithTheFailureFlagAndWritesNothingOutside) {
    const BadRecord& bad = GetParam();
    addRawRecord(bad.name, fkProgram, bad.data);
    addRecord("After.exe", fkProgram, "never reached");
    run(serverThread());

    const Lines progress = bad.refusedBeforeCopying
                               ? Lines{"STATUS 1", "FINISHED 1"}
                               : Lines{"STATUS 1", "RANGE 2", "STATUS 2 " + bad.name, "FINISHED 1"};
    EXPECT_EQ(recorder.lines, progress) << bad.what;
    EXPECT_NE(recorder.failure, "");
    EXPECT_FALSE(platform::fileExists(local + "\\After.exe"));
    EXPECT_FALSE(platform::fileExists(local + "\\" + bad.name)) << "a half-expanded file stays behind";
    EXPECT_FALSE(platform::fileExists(machine.scratch() + "\\evil.exe"));
    EXPECT_TRUE(entriesOf(logkind::File).empty());
}

const std::string kBody = compressed(std::string(3000, 'x') + "tail of the file");

INSTANTIATE_TEST_SUITE_P(
    Payload, BadRecordTest,
    ::testing::Values(BadRecord{"truncated body", "Short.exe", kBody.substr(0, kBody.size() - 4)},
                      BadRecord{"header size larger than the body", "Long.exe",
                                kBody.substr(0, 10) + std::string("\xFF\xFF\x00\x00", 4) + kBody.substr(14)},
                      BadRecord{"parent folder", "..\\evil.exe", compressed("x"), true},
                      BadRecord{"forward slash", "../evil.exe", compressed("x"), true},
                      BadRecord{"drive", "C:evil.exe", compressed("x"), true},
                      BadRecord{"dot dot after the variant prefix", "!1..", compressed("x"), true}),
    NamedByWhat());

TEST_F(ProcessThreadTest, ADestinationThatCannotBeWrittenFailsTheRun) {
    addRecord("Vorkast.exe", fkProgram, "program");
    ForceDir(local + "\\Vorkast.exe");  // a folder stands where the file goes
    run(serverThread());
    EXPECT_EQ(recorder.lines.back(), "FINISHED 1");
    EXPECT_EQ(std::count(recorder.lines.begin(), recorder.lines.end(), "SYSTEM"), 0);
}

// A failed system copy costs only that copy: the run goes on and succeeds.
TEST_F(ProcessThreadTest, AFailedSystemCopyIsAbsorbed) {
    addRecord("Shared.bpl", fkSystemPackage, "package");
    addRecord("Vorkast.exe", fkProgram, "program");
    auto thread = serverThread();
    thread->InstallOptions &= ~ioRegister;
    ForceDir(SystemDir() + "Shared.bpl");  // a folder where the system copy goes
    run(std::move(thread));

    EXPECT_EQ(recorder.lines.back(), "FINISHED 0");
    EXPECT_EQ(readFile(local + "\\Shared.bpl"), "package");
    EXPECT_EQ(entriesOf(logkind::File), (std::vector<LogEntry>{{logkind::File, local + "\\Shared.bpl", fkSystemPackage},
                                                               {logkind::File, local + "\\Vorkast.exe", fkProgram}}));
}

// A record whose folder cannot be made would leave the product without its
// file while the run reports success: the run fails there instead.
TEST_F(ProcessThreadTest, ADestinationFolderThatCannotBeMadeFailsTheRun) {
    addRecord("Vorkast.exe", fkProgram, "program");
    addRecord("idapi32.dll", fkBDE, "engine");
    addRecord("After.exe", fkProgram, "never reached");
    auto thread = serverThread();
    const std::string bde = thread->BdeFolder;
    writeFile(bde, "a file where the engine's folder should be");
    run(std::move(thread));

    EXPECT_EQ(recorder.lines, (Lines{"STATUS 1", "RANGE 3", "STATUS 2 Vorkast.exe", "STEP", "STATUS 2 idapi32.dll",
                                     "FINISHED 1"}));
    EXPECT_NE(recorder.failure.find(bde), std::string::npos) << recorder.failure;
    EXPECT_FALSE(platform::fileExists(local + "\\After.exe"));
}

// The Windows folder is logged under no spelling: the uninstaller would remove it.
TEST_F(ProcessThreadTest, AProgramFolderThatIsTheWindowsFolderIsNeverLogged) {
    addRecord("Vorkast.exe", fkProgram, "program");
    auto thread = serverThread();
    thread->InstallOptions &= ~ioRegister;
    thread->LocalPath = ExcludeTrailingBackslash(WindowsDir());
    run(std::move(thread));

    ASSERT_EQ(recorder.lines.back(), "FINISHED 0") << recorder.failure;
    EXPECT_TRUE(entriesOf(logkind::Folder).empty());
}

// A control that faults while it registers ends the run with the failure
// flag before its entry is logged; the installer lives on to report it.
TEST_F(ProcessThreadTest, AControlThatFaultsWhileRegisteringFailsTheRun) {
    machine.allowPrograms();
    ForceDir(local);
    std::filesystem::copy_file(VK_TEST_FAULTING_REGISTRAR, platform::hosted::toHostPath(local + "\\Broken.ocx"));
    run(serverThread());

    EXPECT_EQ(recorder.lines.back(), "FINISHED 1");
    EXPECT_EQ(std::count(recorder.lines.begin(), recorder.lines.end(), "SYSTEM"), 0);
    EXPECT_NE(recorder.failure.find(local + "\\Broken.ocx: DllRegisterServer: the call ended with"), std::string::npos)
        << recorder.failure;
    EXPECT_TRUE(entriesOf(logkind::OcxReg).empty());
}

// A payload whose bytes differ from the check the installer carries is
// refused before anything on the machine changes; one without a check is
// installed as it is.
TEST_F(ProcessThreadTest, APayloadThatFailsItsCheckIsRefusedBeforeAnythingIsWritten) {
    addRecord("Vorkast.exe", fkProgram, std::string(2000, 'v') + "program");
    writeFile(SystemDir() + "Kerno1.bpl", "a runtime package the run would delete");
    auto thread = serverThread();
    const auto original = thread->OpenPayload();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(original->size()));
    original->readExact(bytes.data(), bytes.size());
    thread->PayloadCheck = crc32Of(*thread->OpenPayload());
    bytes[bytes.size() - 100] ^= 0x10;  // one bit inside the record's compressed bytes
    thread->OpenPayload = [bytes] { return std::make_unique<MemoryStream>(bytes, "TRSData"); };
    run(std::move(thread));

    EXPECT_EQ(recorder.lines, (Lines{"STATUS 1", "FINISHED 1"}));
    EXPECT_NE(recorder.failure.find("Пакет установки повреждён: контрольная сумма TRSData"), std::string::npos)
        << recorder.failure;
    EXPECT_FALSE(platform::directoryExists(local));
    EXPECT_TRUE(platform::fileExists(SystemDir() + "Kerno1.bpl"));

    thread = serverThread();
    thread->PayloadCheck = crc32Of(*thread->OpenPayload());
    recorder = ProgressRecorder();
    run(std::move(thread));
    EXPECT_EQ(recorder.lines.back(), "FINISHED 0") << recorder.failure;
    EXPECT_EQ(readFile(local + "\\Vorkast.exe"), std::string(2000, 'v') + "program");
}

// A run that ends early saves no install log; the files it created before
// it stopped would be "already there" to the next run, which logs only what
// it creates. The pending log bridges the two.
TEST_F(ProcessThreadTest, TheFilesOfAnUnfinishedRunReachTheNextRunsLog) {
    addRecord("Vorkast.exe", fkProgram, "program");
    addRawRecord("Broken.exe", fkProgram, kBody.substr(0, kBody.size() - 4));
    run(serverThread());
    ASSERT_EQ(recorder.lines.back(), "FINISHED 1");
    ASSERT_TRUE(platform::fileExists(local + "\\Vorkast.exe"));
    EXPECT_FALSE(platform::fileExists(InstallLogPath()));

    log = newLog();
    recorder = ProgressRecorder();
    auto thread = serverThread();
    const std::vector<std::uint8_t> fixed = makePayload({payloadRow("Vorkast.exe", fkProgram, compressed("program")),
                                                         payloadRow("Lumtra.exe", fkProgram, compressed("server"))});
    thread->OpenPayload = [fixed] { return std::make_unique<MemoryStream>(fixed, "TRSData"); };
    thread->InstallOptions &= ~ioRegister;
    run(std::move(thread));
    ASSERT_EQ(recorder.lines.back(), "FINISHED 0") << recorder.failure;
    RegisterUninstallAndSaveLog(*log, kProductCaption, local);

    TTransporter saved;
    saved.OpenStream(platform::openFile(InstallLogPath(), platform::FileMode::OpenRead));
    std::vector<LogEntry> files;
    for (const LogEntry& entry : readLog(saved))
        if (entry.kind == logkind::File) files.push_back(entry);
    EXPECT_EQ(files, (std::vector<LogEntry>{{logkind::File, local + "\\Lumtra.exe", fkProgram},
                                            {logkind::File, local + "\\Vorkast.exe", fkProgram},
                                            {logkind::File, InstallLogPath(), 0}}));
    EXPECT_FALSE(platform::fileExists(PendingLogPath())) << "the pending log has done its work";
}

TEST_F(ProcessThreadTest, TheSavedLogListsItselfLastAndTheProductIsRegisteredForRemoval) {
    addRecord("Vorkast.exe", fkProgram, "program");
    auto thread = serverThread();
    thread->InstallOptions &= ~ioRegister;
    recorder.onSystem = [&] { AddLogEntry(*log, "C:\\Menu\\Кронта.lnk", logkind::Shortcut, 0); };
    run(std::move(thread));
    RegisterUninstallAndSaveLog(*log, kProductCaption, local);

    const std::string path = WindowsDir() + "VksUnSt.trs";
    TTransporter saved;
    saved.OpenStream(platform::openFile(path, platform::FileMode::OpenRead));
    ASSERT_EQ(saved.fieldCount(), 3);
    EXPECT_EQ(saved.fieldDefs()[0].type, FieldType::Memo);
    EXPECT_EQ(saved.fieldDefs()[1].type, FieldType::Integer);
    EXPECT_EQ(saved.fieldDefs()[2].size, 8);
    const std::vector<LogEntry> onDisk = readLog(saved);
    EXPECT_EQ(saved.recordCount(), static_cast<int>(onDisk.size()));
    EXPECT_EQ(onDisk, entries());
    ASSERT_GE(onDisk.size(), 6u);
    EXPECT_EQ(onDisk[5], (LogEntry{logkind::Shortcut, "C:\\Menu\\Кронта.lnk", 0}));
    EXPECT_EQ(onDisk.back(), (LogEntry{logkind::File, path, 0}));

    auto key = platform::openRegistryKey(platform::RootKey::LocalMachine, kUninstallKey, false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readString("DisplayName"), "АС Кронта 3.1");
    EXPECT_EQ(key->readString("DisplayIcon"), local + "\\Vorkast.exe");
    EXPECT_EQ(key->readString("UninstallString"), WindowsDir() + "VksUnSt.exe REMOVE");
}

}  // namespace
}  // namespace vk::test
