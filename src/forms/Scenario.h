#pragma once
// The scenario language: one step a line, "#" starts a comment. Parsed once,
// played by the hosted player and by the Windows UI driver alike.
//   next | prior | exit                 click btNext, btPrior, btExit
//   click NAME                          a button, link, check box or radio button
//   check NAME | uncheck NAME           a check box; check also a radio button
//   check NAME:ROW | uncheck NAME:ROW   a row (1-based) of a list view
//   set NAME TEXT                       an edit's text (rest of the line, may be empty)
//   select NAME INDEX                   a drop-down list's item (0-based)
//   answer yes|no|ok|cancel|...         the answer to the next message dialog
//   choose PATH | choose ok | choose cancel   the answer to the next chooser
//   expect NAME checked|unchecked|enabled|disabled|visible|hidden
//   expect NAME = TEXT                  caption or text, exactly ("\n" for a line break)
//   expect page INDEX                   the page of the main form's notebook
//   dump                                every control of the form in front
//   shot NAME                           a picture of the window (Windows driver only)
//   window TITLE                        waits for a window of that title that another
//                                       program shows, one the played program started
//                                       (Windows driver only: the hosted machine starts none)
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vk::forms {

enum class StepKind { Click, Check, Uncheck, Set, Select, Answer, Choose, Expect, ExpectText, ExpectPage, Dump, Shot, AwaitWindow };

enum class ExpectedState { Checked, Unchecked, Enabled, Disabled, Visible, Hidden };

struct Step {
    int line = 0;
    StepKind kind = StepKind::Click;
    std::string name;        // the control (Click ... Select, Expect, ExpectText); the picture (Shot)
    int row = 0;             // Check/Uncheck of a list view row, 1-based; 0 for none
    int number = 0;          // Select: the item; ExpectPage: the page
    std::string text;        // Set, ExpectText: the text; Answer: the button word; Choose: PATH, "ok" or "cancel";
                             // AwaitWindow: the title
    ExpectedState state = ExpectedState::Checked;  // Expect
};

// A scenario that cannot be read: the message names the source, the line and what is wrong.
class ScenarioError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// source names the scenario in messages (a file name).
std::vector<Step> parseScenario(std::string_view text, const std::string& source);

// The words of an expected state and their meaning.
const char* stateName(ExpectedState state);

}  // namespace vk::forms
