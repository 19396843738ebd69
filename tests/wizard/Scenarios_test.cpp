// The wizard played by setup-host, as package makers run it: a machine
// prepared for the case, a scenario file from tests/wizard/scenarios, the
// exit status, the transcript and what the machine holds afterwards.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>

#include "datalib/WinUtils.h"
#include "engine/IMDTools.h"
#include "engine/InstallFixture.h"
#include "hosted/HostedTestSupport.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/ShellLink.h"
#include "support/Eventually.h"
#include "support/ExternalTool.h"

namespace vk::test {
namespace {

namespace fs = std::filesystem;
using platform::RootKey;

constexpr const char* kProgram = "C:\\Program Files\\Talvex\\Vorkast";
constexpr const char* kGroup = "C:\\Documents and Settings\\All Users\\Главное меню\\Программы\\НПО Талвекс";

struct Played {
    int status = -1;
    std::string output;

    // The transcript's page lines, in order.
    std::vector<std::string> pages() const {
        std::vector<std::string> lines;
        std::istringstream in(output);
        for (std::string line; std::getline(in, line);)
            if (line.rfind("page ", 0) == 0) lines.push_back(line);
        return lines;
    }

    int count(const std::string& text) const {
        int found = 0;
        for (auto at = output.find(text); at != std::string::npos; at = output.find(text, at + 1)) ++found;
        return found;
    }
};

class WizardScenario : public ::testing::Test {
protected:
    ~WizardScenario() override { platform::hosted::useNoMachine(); }

    // Runs steps with the platform on the test's machine.
    void onMachine(const std::function<void()>& steps) {
        platform::hosted::useMachine(root_ / "m");
        steps();
        platform::hosted::useNoMachine();
    }

    Played play(const std::string& scenario, const std::string& options = "") {
        const fs::path out = root_ / "out.txt";
        const std::string command = std::string(VK_BINARY_DIR) + "/tools/setup-host --machine " +
                                    shellQuoted(root_ / "m") + " --script " +
                                    shellQuoted(fs::path(VK_SOURCE_DIR) / "tests/wizard/scenarios" / scenario) +
                                    " " + options + " > " + shellQuoted(out) + " 2>&1";
        const ToolRun run = runTool(command);
        Played played{WIFEXITED(run.status) ? WEXITSTATUS(run.status) : -1, readHostFile(out)};
        return played;
    }

    const TempHostFolder folder_{"vk-wizard"};
    const fs::path& root_ = folder_.path();
};

std::string readValue(RootKey root, const std::string& key, const std::string& name) {
    auto opened = platform::openRegistryKey(root, key, false);
    return opened ? opened->readString(name).value_or("<none>") : "<no key>";
}

std::vector<std::string_view> kindsOf(const std::vector<LogEntry>& entries) {
    std::vector<std::string_view> kinds;
    for (const LogEntry& entry : entries)
        if (kinds.empty() || kinds.back() != entry.kind) kinds.push_back(entry.kind);
    return kinds;
}

TEST_F(WizardScenario, AFreshServerInstallationWritesEverySetting) {
    const Played played = play("server-defaults.scn");
    ASSERT_EQ(played.status, 0) << played.output;
    EXPECT_EQ(played.pages(), (std::vector<std::string>{"page 1 Server", "page 3 Additional", "page 4 Install",
                                                        "page 6 Finish"}))
        << played.output;
    EXPECT_EQ(played.count("message "), 0) << played.output;

    onMachine([] {
        const std::string program = kProgram;
        const std::string settings = "SoftWare\\Talvex\\Vorkast\\System";
        EXPECT_EQ(readValue(RootKey::CurrentUser, settings, "UserName"), "Администратор");
        EXPECT_EQ(readValue(RootKey::CurrentUser, settings, "DefaultPassword"), "qolvantez");
        EXPECT_EQ(readValue(RootKey::CurrentUser, settings, "DBName"), "Vorkast.dbx");
        EXPECT_EQ(readValue(RootKey::CurrentUser, settings, "WorkPlace"), "Администратор");
        EXPECT_EQ(readValue(RootKey::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorkast",
                            "DisplayName"),
                  "АС Кронта 3.1");
        EXPECT_EQ(readValue(RootKey::LocalMachine, "SOFTWARE\\Borland\\Database Engine", "DLLPATH"),
                  "C:\\Program files\\Borland\\Common files\\BDE");

        EXPECT_EQ(readFile(program + "\\Vorkast.htm"), readHostFile(VK_SOURCE_DIR "/package/files/History.htm"));
        const auto main = platform::readShellLink(std::string(kGroup) + "\\АС Кронта 3.1.lnk");
        ASSERT_TRUE(main);
        EXPECT_EQ(main->path, program + "\\Vorkast.exe");
        EXPECT_EQ(main->workingFolder, program);

        TTransporter log;
        log.OpenStream(platform::openFile("C:\\WINDOWS\\VksUnSt.trs", platform::FileMode::OpenRead));
        const std::vector<LogEntry> entries = readLog(log);
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(entries.back(), (LogEntry{logkind::File, "C:\\WINDOWS\\VksUnSt.trs", 0}));
        EXPECT_EQ(entries[entries.size() - 2], (LogEntry{logkind::File, program + "\\Vorkast.htm", 0}));
        const std::vector<std::string_view> kinds = kindsOf(entries);
        ASSERT_GE(kinds.size(), 4u);
        EXPECT_EQ(std::vector<std::string_view>(kinds.begin(), kinds.begin() + 3),
                  (std::vector<std::string_view>{logkind::Target, logkind::BdeDir, logkind::DbDir}));
        EXPECT_NE(std::find(entries.begin(), entries.end(), LogEntry{logkind::Folder, kGroup, 0}), entries.end());
    });
}

// The files the run left, read by tools that are not ours: lnkinfo for the
// shortcuts, Python's olefile for the connection file; the registry file as text.
TEST_F(WizardScenario, AFreshServerInstallationReadsBackWithOtherTools) {
    ASSERT_EQ(play("default.scn").status, 0);
    int engineValues = 0;
    bool inEngine = false;
    std::istringstream registry(readHostFile(root_ / "m" / "registry.reg"));
    for (std::string line; std::getline(registry, line);) {
        if (line.rfind("[", 0) == 0) inEngine = line.rfind("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Borland", 0) == 0;
        engineValues += inEngine && line.rfind("\"", 0) == 0;
    }
    EXPECT_EQ(engineValues, 76);

    const fs::path group = root_ / "m" / "C" / "Documents and Settings" / "All Users" / "Главное меню" / "Программы" /
                           "НПО Талвекс";
    if (haveProgram("lnkinfo")) {
        const ToolRun shown = runTool("lnkinfo " + shellQuoted(group / "АС Кронта 3.1.lnk"));
        EXPECT_NE(shown.output.find("Local path\t\t\t: C:\\Program Files\\Talvex\\Vorkast\\Vorkast.exe"),
                  std::string::npos)
            << shown.output;
        EXPECT_NE(shown.output.find("Working directory\t\t: C:\\Program Files\\Talvex\\Vorkast\n"),
                  std::string::npos)
            << shown.output;
        EXPECT_NE(shown.output.find("Description\t\t\t: Система автоматизированного учета"), std::string::npos)
            << shown.output;
    }
    const fs::path connection =
        root_ / "m" / "C" / "Program Files" / "Talvex" / "Vorkast" / "Подключения" / "Vorkast.dbx";
    ASSERT_TRUE(fs::exists(connection));
    if (runTool("/usr/bin/python3 -c 'import olefile'").status == 0) {
        const ToolRun listed = runTool("/usr/bin/python3 -c 'import olefile, sys; "
                                       "print(sorted(\"/\".join(e) for e in olefile.OleFileIO(sys.argv[1]).listdir()))' " +
                                       shellQuoted(connection));
        EXPECT_EQ(listed.status, 0) << listed.output;
        for (const char* stream : {"'ssDBParams'", "'ssSysParams'", "'ssUpdates'"})
            EXPECT_NE(listed.output.find(stream), std::string::npos) << listed.output;
    }
}

TEST_F(WizardScenario, GoingBackAndForthThenEscapeInstallsNothing) {
    const Played played = play("back-and-forth.scn");
    ASSERT_EQ(played.status, 0) << played.output;
    onMachine([] {
        // The version history link wrote the history where the shell was to open it.
        EXPECT_EQ(readFile("C:\\WINDOWS\\TEMP\\History.htm"), readHostFile(VK_SOURCE_DIR "/package/files/History.htm"));
        EXPECT_FALSE(platform::directoryExists(kProgram));
        EXPECT_FALSE(platform::fileExists("C:\\WINDOWS\\VksUnSt.trs"));
    });
}

TEST_F(WizardScenario, TheLinkQuestionComesOncePerRun) {
    onMachine([] {
        auto key = platform::openRegistryKey(RootKey::CurrentUser, "SOFTWARE\\Talvex\\NorvalAx", true);
        ASSERT_TRUE(key && key->writeString("DataBaseName", "C:\\Norval\\NORVAL.GDB"));
    });
    const Played played = play("link-question.scn");
    ASSERT_EQ(played.status, 0) << played.output;
    EXPECT_EQ(played.count("message information: Программа установки обнаружила на компьютере систему: АС "
                           "\"Норвал\".\\nВы хотите установить связь с этим приложением? -> no"),
              1)
        << played.output;
}

TEST_F(WizardScenario, TheLinkDialogOpensOnYesAndAnIncompleteLinkIsAskedAbout) {
    onMachine([] {
        auto key = platform::openRegistryKey(RootKey::CurrentUser, "SOFTWARE\\Talvex\\NorvalAx", true);
        ASSERT_TRUE(key && key->writeString("DataBaseName", "C:\\Norval\\NORVAL.GDB"));
    });
    const Played played = play("link-yes.scn");
    ASSERT_EQ(played.status, 0) << played.output;
    EXPECT_EQ(played.count("dialog fmURM shown"), 2) << played.output;
    EXPECT_EQ(played.count("dialog fmURM closed ok"), 1) << played.output;
    EXPECT_EQ(played.count("dialog fmURM closed cancel"), 1) << played.output;
    EXPECT_EQ(played.count("message warning: Не установлены параметры удаленного рабочего места, вы хотите "
                           "настроить их позже?"),
              2)
        << played.output;
}

TEST_F(WizardScenario, AnEarlierInstallationProposesItsFolders) {
    onMachine([] {
        auto key = platform::openRegistryKey(RootKey::CurrentUser, "SOFTWARE\\Vorkast\\RunInfo", true);
        ASSERT_TRUE(key && key->writeString("RootDir", "C:\\PROGRA~1\\X"));
    });
    Played played = play("previous-short-names.scn");
    EXPECT_EQ(played.status, 0) << played.output;

    onMachine([] {
        auto runInfo = platform::openRegistryKey(RootKey::CurrentUser, "SOFTWARE\\Vorkast\\RunInfo", true);
        ASSERT_TRUE(runInfo && runInfo->writeString("RootDir", ""));
        auto server = platform::openRegistryKey(
            RootKey::ClassesRoot, "CLSID\\{B03F1D31-B556-11D4-A571-0000E8D9CBDB}\\InprocServer32", true);
        ASSERT_TRUE(server && server->writeString("", "c:\\program files\\кронта\\VkCom.dll"));
        ASSERT_TRUE(ForceDir("C:\\Program Files\\Кронта"));
        writeFile("C:\\Program Files\\Кронта\\Vorkast.exe", "program");
        auto engine = platform::openRegistryKey(RootKey::LocalMachine, "SoftWare\\Borland\\DataBase Engine", true);
        ASSERT_TRUE(engine && engine->writeString("DLLPATH", "C:\\BDE"));
        ASSERT_TRUE(ForceDir("C:\\BDE"));
        writeFile("C:\\BDE\\IDAPI32.DLL", "engine");
    });
    played = play("previous-server-entry.scn");
    EXPECT_EQ(played.status, 0) << played.output;
}

TEST_F(WizardScenario, TheClientPartRunsFromTheMainComputersFolder) {
    writeHostFile(root_ / "m" / "C" / "Сервер" / "Vorkast" / "Vorkast.exe", "program");
    const Played played = play("client.scn", "--package-flags 0x357F --transcript " + shellQuoted(root_ / "t.txt"));
    ASSERT_EQ(played.status, 0) << played.output;
    // client.transcript is also what the UI driver must write under Wine.
    EXPECT_EQ(readHostFile(root_ / "t.txt"),
              readHostFile(fs::path(VK_SOURCE_DIR) / "tests/wizard/scenarios/client.transcript"));
    onMachine([] {
        const auto main = platform::readShellLink(std::string(kGroup) + "\\АС Кронта 3.1.lnk");
        ASSERT_TRUE(main);
        EXPECT_EQ(main->path, "C:\\Сервер\\Vorkast\\Vorkast.exe");
        EXPECT_EQ(main->workingFolder, "C:\\Сервер\\Vorkast");
        EXPECT_FALSE(platform::fileExists("C:\\Сервер\\Vorkast\\Vorkast.htm"));
    });
}

TEST_F(WizardScenario, WithoutAConfigurationTheProductSettingsAreNotWritten) {
    const Played played = play("no-configuration.scn");
    ASSERT_EQ(played.status, 0) << played.output;
    onMachine([] {
        EXPECT_EQ(platform::openRegistryKey(RootKey::CurrentUser, "SoftWare\\Talvex\\Vorkast\\System", false),
                  nullptr);
        EXPECT_TRUE(platform::fileExists(std::string(kGroup) + "\\Редактор шаблонов.lnk"));
    });
}

TEST_F(WizardScenario, AnUpdateAsksForTheCurrentConnectionWithFourMessages) {
    onMachine([] {
        ASSERT_TRUE(ForceDir("C:\\Current"));
        writeFile("C:\\Current\\Vorkast.dbx", "connection");
        writeFile("C:\\Current\\VkConfig.gdb", "database");
    });
    const Played played = play("update-connection.scn", "--package-flags 0x2F7F");
    ASSERT_EQ(played.status, 0) << played.output;
    for (const char* text : {"Файл подключений не указан.", "Указанный файл подключений не найден.",
                             "Файл базы данных конфигурации не указан.",
                             "Указанный файл базы данных конфигурации не найден."})
        EXPECT_EQ(played.count(std::string("message error: ") + text + " -> ok"), 1) << text << "\n" << played.output;
}

TEST_F(WizardScenario, AFailedRunShowsOneMessageAndClosesWithoutRegistering) {
    const fs::path payload = root_ / "bad.trs";
    // A compressed file cut off inside its header.
    writeHostFile(payload, makePayload({payloadRow("Vorkast.exe", 1, std::string("SZDD\x88\xF0\x27\x33") + "A")}));
    const Played played =
        play("failed-run.scn", "--payload " + shellQuoted(payload) + " --transcript " + shellQuoted(root_ / "t.txt"));
    ASSERT_EQ(played.status, 1) << played.output;
    // failed-run.transcript is also what the UI driver must write under Wine.
    EXPECT_EQ(readHostFile(root_ / "t.txt"),
              readHostFile(fs::path(VK_SOURCE_DIR) / "tests/wizard/scenarios/failed-run.transcript"));
    const std::string message =
        "message error: Установка прошла с ошибками, возможно вы не обладаете достаточными правами для выполнения "
        "подобных операций. -> ok\n";
    ASSERT_EQ(played.count(message), 1) << played.output;
    EXPECT_EQ(played.output.find("page ", played.output.find(message)), std::string::npos) << played.output;
    onMachine([] {
        EXPECT_FALSE(platform::fileExists("C:\\WINDOWS\\VksUnSt.trs"));
        EXPECT_FALSE(platform::directoryExists(kGroup));
    });
}

TEST_F(WizardScenario, AFailureInTheSystemSettingsIsReportedAndTheRunStillSucceeds) {
    const fs::path payload = root_ / "damaged-template.trs";
    writeHostFile(payload, makePayload({payloadRow("Vorkast.exe", 1, compressed("program")),
                                        payloadRow("Setup1.dbx", 2, compressed("not a dbx"), 1)}));
    const Played played = play("default.scn", "--payload " + shellQuoted(payload));
    ASSERT_EQ(played.status, 0) << played.output;
    EXPECT_EQ(played.count("\nerror: "), 1) << played.output;
    EXPECT_EQ(played.pages().back(), "page 6 Finish") << played.output;
    onMachine([] {
        // The settings after the failing step are skipped: no engine configuration.
        EXPECT_EQ(platform::openRegistryKey(RootKey::LocalMachine, "SOFTWARE\\Borland\\Database Engine", false),
                  nullptr);
        EXPECT_TRUE(platform::fileExists(std::string(kGroup) + "\\Описание версии.lnk"));
        EXPECT_TRUE(platform::fileExists("C:\\WINDOWS\\VksUnSt.trs"));
    });
}

// default.transcript is also what the UI driver must write for Setup.exe under Wine.
TEST_F(WizardScenario, TheDefaultPathWithoutAScenarioIsTheDefaultScenario) {
    const Played scripted = play("default.scn", "--transcript " + shellQuoted(root_ / "transcript.txt"));
    ASSERT_EQ(scripted.status, 0) << scripted.output;
    EXPECT_EQ(readHostFile(root_ / "transcript.txt"),
              readHostFile(fs::path(VK_SOURCE_DIR) / "tests/wizard/scenarios/default.transcript"));
    fs::remove_all(root_ / "m");
    const fs::path out = root_ / "default.txt";
    const ToolRun run = runTool(std::string(VK_BINARY_DIR) + "/tools/setup-host --machine " + shellQuoted(root_ / "m") +
                                " > " + shellQuoted(out) + " 2>&1");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(readHostFile(out), scripted.output);
}

// The server's installer lies beside the setup program (machine.ini's
// ProgramPath, D:\Setup.exe by default); the client library found at start
// decides the page and its text.
TEST_F(WizardScenario, TheServerPageComesWhenNoSuitableServerIsFound) {
    const std::string none = "Программа установки определила, что на компьютере не установлен Interbase cервер.";
    const std::string mismatch =
        "Программа установки определила, что на компьютере установлена несоответствующая версия Interbase "
        "cервера (InterBase Server 6.0.1.6).";
    const struct {
        const char* library;  // a test library as GDS32.DLL, or none
        std::string text;     // lbIBServer; empty: no server page
    } cases[] = {{nullptr, none}, {"GdsInterBase", mismatch}, {"GdsFirebird", ""}, {"GdsYaffil", ""},
                 {"GdsRussianOnly", none}};
    for (const auto& c : cases) {
#ifndef VK_TEST_GDS_IMAGES
        if (c.library) continue;
#else
        if (c.library)
            writeHostFile(root_ / "m" / "C" / "WINDOWS" / "system32" / "GDS32.DLL",
                          readHostFile(std::string(VK_TEST_GDS_IMAGES) + "/" + c.library + ".dll"));
#endif
        writeHostFile(root_ / "m" / "D" / "Firebird_6-2-3-972-Win32.exe", "installer");
        const Played played = play(c.text.empty() ? "default.scn" : "server-page.scn");
        EXPECT_EQ(played.status, 0) << played.output;
        if (!c.text.empty()) {
            EXPECT_EQ(played.count("lbIBServer label \"" + c.text + "\""), 1)
                << (c.library ? c.library : "no library") << "\n" << played.output;
        }
        const std::vector<std::string> pages = played.pages();
        EXPECT_EQ(std::count(pages.begin(), pages.end(), "page 5 Server"), c.text.empty() ? 0 : 1) << played.output;
        fs::remove_all(root_ / "m");
    }
}

// Unquoted, the system would first try to start "D:\Setup.exe".
TEST_F(WizardScenario, TheServerInstallerIsStartedByItsWholePathThoughItHoldsBlanks) {
    writeHostFile(root_ / "m" / "machine.ini", "[Machine]\nProgramPath=D:\\Setup Disk\\Setup.exe\n");
    writeHostFile(root_ / "m" / "D" / "Setup Disk" / "Firebird_6-2-3-972-Win32.exe", "installer");
    const Played played = play("server-page.scn");
    ASSERT_EQ(played.status, 0) << played.output;
    EXPECT_EQ(played.count("\nrun \"D:\\Setup Disk\\Firebird_6-2-3-972-Win32.exe\"\n"), 1) << played.output;
}

TEST_F(WizardScenario, ExitOnTheFinishPageStartsTheProgramWhenAsked) {
    const fs::path payload = root_ / "script-program.trs";
    writeHostFile(payload, makePayload({payloadRow("Vorkast.exe", 1, compressed("#!/bin/sh\n: > launched\n"))}));
    writeHostFile(root_ / "m" / "machine.ini", "[Machine]\nAllowPrograms=yes\n");
    const Played run = play("default.scn", "--payload " + shellQuoted(payload));
    ASSERT_EQ(run.status, 0) << run.output;
    // The program is started, not waited for: give it up to ten seconds to
    // leave its mark in its current folder (the installer's, which is the
    // program folder by then).
    const fs::path mark = root_ / "m" / "C" / "Program Files" / "Talvex" / "Vorkast" / "launched";
    EXPECT_TRUE(eventually([&] { return fs::exists(mark); }, std::chrono::seconds(10))) << run.output;

    fs::remove(mark);
    ASSERT_EQ(play("no-configuration.scn", "--payload " + shellQuoted(payload)).status, 0);  // cbLaunch unticked
    EXPECT_FALSE(fs::exists(mark));
}

TEST_F(WizardScenario, FoldersThatAreNoFullPathsHoldThePage) {
    const Played played = play("folder-checks.scn");
    ASSERT_EQ(played.status, 0) << played.output;
    EXPECT_EQ(played.count("message error: Папка \"Vorkast\" указана не полностью."), 1) << played.output;
    EXPECT_EQ(played.count("message error: Путь к папке \"C:\\Vor?kast\" содержит недопустимый символ \"?\"."), 1)
        << played.output;
    EXPECT_EQ(played.count("message error: Папка \"\\DataBase\" указана не полностью."), 1) << played.output;
}

}  // namespace
}  // namespace vk::test
