#pragma once
// The transcript of a scenario: one line per event, in order, the same from
// the hosted player and the Windows UI driver:
//   page N NAME                  the main form's notebook shows page N
//   message TYPE: TEXT -> ANSWER a message dialog and the answer given
//   dialog NAME shown            a form shown modally
//   dialog NAME closed RESULT    ... and ended with this modal result
//   error: TEXT                  the standard error report
//   run COMMAND LINE             a process started (noted by whoever starts it)
//   expect failed: ...           the check that stopped the scenario
// and the lines of a dump. Line breaks inside a text read "\n".
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/MessageDlg.h"

namespace vk::forms {

class Transcript {
public:
    void add(std::string line);
    const std::vector<std::string>& lines() const { return lines_; }
    // Every line, each ended by "\n".
    std::string text() const;
    // Called with each line as it is added (a tool prints it at once).
    std::function<void(const std::string&)> onLine;

private:
    std::vector<std::string> lines_;
};

// A text on one line: CR LF, CR and LF each become "\n".
std::string oneLine(std::string_view text);

std::string pageLine(int index, const std::string& pageName);
std::string messageLine(MsgDlgType type, std::string_view text, std::string_view answer);
std::string dialogShownLine(const std::string& formName);
std::string dialogClosedLine(const std::string& formName, int modalResult);
std::string errorLine(std::string_view text);
std::string runLine(std::string_view commandLine);

}  // namespace vk::forms
