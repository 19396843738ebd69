#pragma once
// The one place where the logic asks the user anything: showing a form
// modally, a message, the standard error report and the choosers. Two front
// ends implement it: the Win32 view (the installer) and the scenario player
// (setup-host and the tests). The logic reaches the one in force through
// frontEnd() or the free functions below.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "forms/MessageDlg.h"

namespace vk::forms {

class Form;

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // Shows the form until it ends; its modal result.
    virtual int showModal(Form& form) = 0;
    // A message dialog; the modal result of the button chosen.
    virtual int showMessage(const std::string& text, MsgDlgType type, MsgButtons buttons) = 0;
    // The standard error report: the text of a failure, with OK.
    virtual void showError(const std::string& text) = 0;
    // The shell's folder chooser rooted at the special folder rootCsidl,
    // starting at initial; the folder chosen, or nullopt when cancelled.
    virtual std::optional<std::string> browseForFolder(std::string_view initial, int rootCsidl) = 0;
    // The file chooser with a filter ("Text|*.txt|All|*.*"); nullopt when cancelled.
    virtual std::optional<std::string> openFile(std::string_view initialPath, std::string_view filter,
                                                std::string_view title) = 0;
};

// The front end in force. With none installed, every question throws
// std::logic_error: nothing may ask a user who is not there.
FrontEnd& frontEnd();
void setFrontEnd(FrontEnd* frontEnd);  // nullptr: none

// Installs a front end for a scope and puts the previous one back.
class FrontEndScope {
public:
    explicit FrontEndScope(FrontEnd& frontEnd);
    ~FrontEndScope();
    FrontEndScope(const FrontEndScope&) = delete;
    FrontEndScope& operator=(const FrontEndScope&) = delete;

private:
    FrontEnd* previous_;
};

int ShowMessageDlg(const std::string& text, MsgDlgType type, MsgButtons buttons);

// Runs an event handler as a front end does: a failure that escapes it
// (a std::exception) is shown as the standard error report.
void runHandler(const std::function<void()>& handler);

}  // namespace vk::forms
