#include "forms/Player.h"

#include <gtest/gtest.h>

#include <utility>

#include "DemoForm.h"
#include "forms/Dump.h"
#include "support/TestFiles.h"

namespace vk::forms {
namespace {

std::string readSource(const std::string& name) {
    return test::readHostFile(std::string(VK_SOURCE_DIR) + "/tests/forms/" + name);
}

// Plays a scenario against a fresh demonstration form; the failure, if any.
struct DemoRun {
    demo::TfmDemo form;
    Transcript transcript;
    std::string failure;

    explicit DemoRun(const std::string& scenario) {
        Player player(transcript);
        try {
            player.play(form, parseScenario(scenario, "test"));
        } catch (const ScenarioError& error) {
            failure = error.what();
        }
    }
};

TEST(Player, TheDemoScenarioGivesTheExpectedTranscript) {
    DemoRun run(readSource("demo.scenario"));
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.transcript.text(), readSource("demo.transcript"));
    EXPECT_EQ(run.form.modalResult(), mrCancel);
    EXPECT_FALSE(run.form.fmOptions.cbSave.checked());
}

TEST(Player, StepsThatCannotBeAppliedStopTheScenarioNamingTheLine) {
    const struct {
        const char* scenario;
        const char* failure;
    } cases[] = {
        {"click btNowhere", "line 1: no control btNowhere on fmDemo"},
        {"# disabled until cbOption is checked\nclick btOptions", "line 2: btOptions is disabled"},
        {"click cbKind", "line 1: cbKind is hidden"},
        {"click lnHelp", "line 1: a message with no queued answer: information: Это демонстрационная форма."},
        {"answer yes\nclick lnHelp", "line 2: the answer \"yes\" of line 1 is no button of the message: "
                                     "Это демонстрационная форма."},
        {"expect cbOption checked", "line 1: expect failed: cbOption is not checked"},
        {"expect lbTitle = Вторая", "line 1: expect failed: lbTitle = \"Первая страница\", expected \"Вторая\""},
        {"expect page 1", "line 1: expect failed: page is 0, expected 1"},
        {"exit\nexpect page 0", "line 2: the form fmDemo is closed"},
        {"check cbOption\nclick btOptions\nset edValue 1", "line 2: the scenario ends while the dialog fmOptions is open"},
        {"answer no", "line 1: the answer \"no\" was never asked for"},
        {"choose C:\\Data", "line 1: the answer \"C:\\Data\" was never asked for"},
        {"click lbTitle", "line 1: lbTitle is a label and cannot be clicked"},
        {"uncheck rbLeft", "line 1: rbLeft is a radio button: check another one of its group"},
        {"next\ncheck lvRows:4", "line 2: lvRows has 3 rows, not 4"},
        {"next\nselect cbKind 3", "line 2: cbKind has 3 items, not an item 3"},
        {"set cbOption x", "line 1: cbOption is a checkbox and takes no text"},
    };
    for (const auto& test : cases) {
        DemoRun run(test.scenario);
        EXPECT_EQ(run.failure, test.failure) << test.scenario;
    }
}

TEST(Player, AFailedExpectIsWrittenToTheTranscript) {
    DemoRun run("check cbOption\nexpect btOptions disabled");
    EXPECT_EQ(run.transcript.text(), "expect failed: btOptions is not disabled\n");
}

TEST(Player, TheChoosersTakeTheQueuedAnswers) {
    demo::TfmDemo form;
    Transcript transcript;
    Player player(transcript);
    std::vector<std::optional<std::string>> chosen;
    form.lnHelp.onClick = [&] {
        chosen.push_back(frontEnd().browseForFolder("C:\\Start", 0));
        chosen.push_back(frontEnd().openFile("C:\\a.dbx", "Все|*.*", "Файл"));
    };
    player.play(form, parseScenario("choose D:\\Новая папка\nchoose cancel\nclick lnHelp\n"
                                    "choose ok\nchoose ok\nclick lnHelp",
                                    "test"));
    EXPECT_EQ(chosen, (std::vector<std::optional<std::string>>{"D:\\Новая папка", std::nullopt, "C:\\Start", "C:\\a.dbx"}));
}

TEST(Player, SettlesAfterEveryStepAndReportsEachNewPageOnce) {
    demo::TfmDemo form;
    Transcript transcript;
    Player player(transcript);
    int settled = 0;
    player.settle = [&] { ++settled; };
    player.play(form, parseScenario("next\nexpect page 1\nprior\nanswer no\nnext\nnext\n", "test"));
    EXPECT_EQ(settled, 6);
    EXPECT_EQ(transcript.text(), "page 1 Second\npage 0 First\npage 1 Second\n"
                                 "message confirmation: Открыть настройки? -> no\n");
}

// Processes started inside a handler come before the message it shows next,
// and those started after it before the next page.
TEST(Player, RunLinesKeepTheirPlaceAmongTheOtherLines) {
    demo::TfmDemo form;
    Transcript transcript;
    Player player(transcript);
    std::vector<std::string> started;
    player.startedProcesses = [&] { return std::exchange(started, {}); };
    form.lnHelp.onClick = [&] {
        started.push_back("\"C:\\Program Files\\A.exe\" -regserver");
        ShowMessageDlg("Готово.", MsgDlgType::Information, mbOK);
        started.push_back("B.exe");
        form.btNext.click();
    };
    player.play(form, parseScenario("answer ok\nclick lnHelp\n", "test"));
    EXPECT_EQ(transcript.text(), "run \"C:\\Program Files\\A.exe\" -regserver\n"
                                 "message information: Готово. -> ok\nrun B.exe\npage 1 Second\n");
}

TEST(Player, OutsideAScenarioAQuestionIsAFault) {
    Transcript transcript;
    Player player(transcript);
    demo::TfmOptions dialog;
    EXPECT_THROW(player.showMessage("?", MsgDlgType::Confirmation, mbYesNo), std::logic_error);
    EXPECT_THROW(player.showModal(dialog), std::logic_error);
    EXPECT_THROW(player.browseForFolder("C:\\", 0), std::logic_error);
}

TEST(Player, DumpsTheFormInFront) {
    DemoRun run("next\ndump");
    const auto& lines = run.transcript.lines();
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(lines[1], "form fmDemo \"Демонстрация\"");
    auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has("  nbMain notebook \"\" page 1"));
    EXPECT_TRUE(has("      btOptions button \"Настройки ...\" disabled"));
    EXPECT_TRUE(has("      rbLeft radio \"Слева\" checked"));
    EXPECT_TRUE(has("      cbKind combo \"Первый\""));
    EXPECT_TRUE(has("        row 2 [ ] \"Вторая\" \"2\""));
    EXPECT_TRUE(has("      pbMain progress \"\" 40/100"));
    EXPECT_TRUE(has("  btNext button \"Далее >>\" default"));
}

}  // namespace
}  // namespace vk::forms
