#pragma once
// The scenario player: the front end of setup-host and the tests. It plays
// the steps of a scenario against the form in front (the main form, or the
// dialog the last step opened) as a user would, answers message dialogs and
// choosers from the answers queued, and writes the transcript.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/FrontEnd.h"
#include "forms/Scenario.h"
#include "forms/Transcript.h"

namespace vk::forms {

class Player final : public FrontEnd {
public:
    explicit Player(Transcript& transcript) : transcript_(transcript) {}

    // Runs after every step: delivers what the worker has sent until it has
    // ended or waits for nothing.
    std::function<void()> settle;
    // Answers a message that no step queued an answer for; nullopt (or no
    // function) fails the step as usual. setup-host's default path answers as
    // a user who takes every default.
    std::function<std::optional<MsgDlgBtn>(const std::string& text, MsgDlgType type, MsgButtons buttons)>
        defaultAnswer;
    // Hands over the command lines of the processes started since the last
    // call, oldest first. The player asks before each line it writes and
    // after each step, and writes them as run lines, so that they keep their
    // place among its own.
    std::function<std::vector<std::string>()> startedProcesses;

    // Plays the steps against mainForm, installed as the front end meanwhile.
    // Throws ScenarioError naming the line and why when a step cannot be
    // applied, a dialog has no queued answer, an expect fails, a dialog is
    // left open or an answer is left unused.
    void play(Form& mainForm, const std::vector<Step>& steps);

    int showModal(Form& form) override;
    int showMessage(const std::string& text, MsgDlgType type, MsgButtons buttons) override;
    void showError(const std::string& text) override;
    std::optional<std::string> browseForFolder(std::string_view initial, int rootCsidl) override;
    std::optional<std::string> openFile(std::string_view initialPath, std::string_view filter,
                                        std::string_view title) override;

private:
    void write(std::string line);
    void noteStartedProcesses();
    void runNextStep();
    void apply(const Step& step);
    void afterStep();
    Form& front() const;
    Control& target(const Step& step, bool mustBeUsable) const;
    void act(const Step& step, Control& control);
    void expect(const Step& step);
    std::optional<std::string> choose(std::string_view initial, const std::string& what);
    [[noreturn]] void fail(const std::string& why) const;

    Transcript& transcript_;
    const std::vector<Step>* steps_ = nullptr;
    std::size_t next_ = 0;
    const Step* current_ = nullptr;
    std::vector<Form*> forms_;  // the main form, then the dialogs shown over it
    Form* main_ = nullptr;
    bool mainEnded_ = false;
    int reportedPage_ = -1;
    std::deque<Step> answers_;
    std::deque<Step> choices_;
};

}  // namespace vk::forms
