#include "forms/Scenario.h"

#include <gtest/gtest.h>

namespace vk::forms {
namespace {

TEST(Scenario, ReadsEveryKindOfStep) {
    const auto steps = parseScenario("# comment\n\n  next\r\nprior\nexit\nclick btX\ncheck cbA\nuncheck lvB:2\n"
                                     "set edC  two words \nset edD\nselect cbE 3\nanswer notoall\nchoose C:\\My Folder\n"
                                     "expect cbA unchecked\nexpect lbF = Текст = с равенством\nexpect page 4\ndump\nshot first\n"
                                     "window  АС Кронта 3.1 \n",
                                     "s.txt");
    ASSERT_EQ(steps.size(), 17u);
    EXPECT_EQ(steps[0].line, 3);
    EXPECT_EQ(steps[0].name, "btNext");
    EXPECT_EQ(steps[1].name, "btPrior");
    EXPECT_EQ(steps[2].name, "btExit");
    EXPECT_EQ(steps[3].kind, StepKind::Click);
    EXPECT_EQ(steps[4].kind, StepKind::Check);
    EXPECT_EQ(steps[5].kind, StepKind::Uncheck);
    EXPECT_EQ(steps[5].name, "lvB");
    EXPECT_EQ(steps[5].row, 2);
    EXPECT_EQ(steps[6].text, " two words ");  // the rest of the line after one blank
    EXPECT_EQ(steps[7].text, "");
    EXPECT_EQ(steps[8].number, 3);
    EXPECT_EQ(steps[9].text, "notoall");
    EXPECT_EQ(steps[10].text, "C:\\My Folder");
    EXPECT_EQ(steps[11].state, ExpectedState::Unchecked);
    EXPECT_EQ(steps[12].kind, StepKind::ExpectText);
    EXPECT_EQ(steps[12].text, "Текст = с равенством");
    EXPECT_EQ(steps[13].kind, StepKind::ExpectPage);
    EXPECT_EQ(steps[13].number, 4);
    EXPECT_EQ(steps[14].kind, StepKind::Dump);
    EXPECT_EQ(steps[15].name, "first");
    EXPECT_EQ(steps[15].line, 18);
    EXPECT_EQ(steps[16].kind, StepKind::AwaitWindow);
    EXPECT_EQ(steps[16].text, "АС Кронта 3.1");
}

TEST(Scenario, BadLinesAreNamedWithWhatIsWrong) {
    const struct {
        const char* line;
        const char* message;
    } cases[] = {
        {"press btNext", "s.txt:2: unknown step \"press\""},
        {"click", "s.txt:2: missing a control name"},
        {"click btA btB", "s.txt:2: unexpected \"btB\" at the end"},
        {"check lvA:0", "s.txt:2: rows count from 1"},
        {"check lvA:x", "s.txt:2: wants a row number from 1, not \"x\""},
        {"select cbA -1", "s.txt:2: wants an item index, not \"-1\""},
        {"select cbA", "s.txt:2: wants an item index, not \"\""},
        {"answer maybe", "s.txt:2: \"maybe\" is not an answer (yes, no, ok, cancel, ...)"},
        {"choose", "s.txt:2: missing a path, ok or cancel"},
        {"expect cbA ticked", "s.txt:2: expect wants a state (checked, unchecked, enabled, disabled, visible, "
                              "hidden) or \"= TEXT\", not \"ticked\""},
        {"expect page two", "s.txt:2: wants a page index, not \"two\""},
        {"shot", "s.txt:2: missing a picture name"},
        {"window ", "s.txt:2: missing a window title"},
    };
    for (const auto& test : cases) {
        try {
            parseScenario(std::string("next\n") + test.line, "s.txt");
            ADD_FAILURE() << test.line << " was read";
        } catch (const ScenarioError& error) {
            EXPECT_STREQ(error.what(), test.message);
        }
    }
}

}  // namespace
}  // namespace vk::forms
