#pragma once
// Plays a scenario against a running program's windows, by window messages
// and the names the Win32 view left on them, and writes the same transcript
// as the hosted player. Each step's messages are sent from a thread of their
// own (SendingThreads.h), so that a step that opens a modal dialog goes on while the next steps
// play in that dialog; after each step the driver waits until the program
// has handled it (or waits in a dialog it opened) and is idle, answering
// message dialogs and choosers from the queued answers meanwhile.
#include <windows.h>

#include <chrono>
#include <deque>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "SendingThreads.h"
#include "TargetProgram.h"
#include "forms/Scenario.h"
#include "forms/Transcript.h"

namespace vk::uidrive {

// A step that failed: the line and why.
class DriveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Driver {
public:
    Driver(TargetProgram& program, forms::Transcript& transcript);
    ~Driver();

    // Waits (30 s at most) for the program's first form. A program that
    // opens with a message waits in it for the scenario's answers.
    void waitForMainForm();
    void play(const std::vector<forms::Step>& steps);
    // The step that took longest until the program had handled it (its
    // scenario line, 0 before any), for the figures of where a run's time went.
    struct StepTime {
        int line = 0;
        std::chrono::milliseconds took{0};
    };
    StepTime longestStep() const { return longestStep_; }
    // Writes the processes the program started since the last look as run
    // lines: before each line of the driver's own, and once the program has
    // ended, so that they keep their place and none is left out.
    void noteStartedProcesses();

private:
    using Clock = std::chrono::steady_clock;

    void apply(const forms::Step& step);
    void act(const forms::Step& step, HWND control, const std::string& kind);
    void expect(const forms::Step& step);
    void awaitWindow(const forms::Step& step);
    HWND target(const forms::Step& step, bool mustBeUsable);
    HWND findControl(HWND form, const std::string& name);

    void note(std::string line);
    void send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void sendText(HWND window, const std::string& text);
    void setRowCheck(HWND list, int row, bool checked);
    void settle(HWND before);
    bool stepDone() const;
    void noteDialogs();
    void answerMessage(HWND dialog);
    void answerChooser(HWND dialog);
    void reportPage();
    int currentPage() const;

    HWND front() const;
    bool isForm(HWND window) const;
    [[noreturn]] void fail(const std::string& why) const;

    TargetProgram& program_;
    forms::Transcript& transcript_;
    HWND main_ = nullptr;
    std::string mainName_;
    HWND pages_ = nullptr;  // the main form's page notebook
    std::vector<std::pair<HWND, std::string>> dialogs_;  // shown over the main form, the front one last
    std::vector<HWND> answered_;                          // message dialogs and choosers already pressed
    std::map<std::pair<HWND, std::string>, HWND> found_;  // controls found by form and name
    SendingThreads sending_;
    std::size_t stepSends_ = 0;  // the number of the current step's first send
    std::deque<forms::Step> answers_;
    std::deque<forms::Step> choices_;
    const forms::Step* current_ = nullptr;
    int reportedPage_ = -1;
    Clock::time_point deadline_;
    StepTime longestStep_;
};

}  // namespace vk::uidrive
