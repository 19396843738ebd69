#include "Driver.h"

#include <commctrl.h>

#include <algorithm>

#include "WindowDump.h"
#include "WindowQueries.h"
#include "forms/Form.h"
#include "forms/MessageDlg.h"
#include "platform/win32/Wide.h"
#include "view/WindowNames.h"
#include "view/WindowPicture.h"

namespace vk::uidrive {

using forms::ControlKind;
using forms::Step;
using forms::StepKind;

namespace {

constexpr auto kSettleTime = std::chrono::seconds(30);
constexpr DWORD kPollMs = 5;  // how often a waiting driver looks at the windows again
// A step that keeps the program busy (the installation) is looked at less and
// less often, up to this: every look costs the program's server round trips,
// and a driver looking every few milliseconds slowed the program it drove.
// The end of a step's messages and of the program still wake it at once.
constexpr DWORD kLongestPollMs = 40;

bool isMessageForm(const std::string& name) { return name == forms::kMessageDialogName || name == forms::kErrorReportName; }

// Answers queue up for messages still to come.
bool isQueued(const Step& step) { return step.kind == StepKind::Answer || step.kind == StepKind::Choose; }

}  // namespace

Driver::Driver(TargetProgram& program, forms::Transcript& transcript)
    : program_(program), transcript_(transcript) {}

Driver::~Driver() {
    // A send still waiting ends with the program.
    if (!program_.ended()) program_.terminate();
}

void Driver::waitForMainForm() {
    deadline_ = Clock::now() + kSettleTime;
    WaitForInputIdle(program_.process(), kAnswerTimeoutMs);
    while (!main_) {
        for (HWND window : program_.windows())
            if (isForm(window)) main_ = window;
        if (main_) break;
        if (program_.ended()) throw DriveError("the program ended before it showed a form");
        if (Clock::now() > deadline_) throw DriveError("the program showed no form in 30 s");
        WaitForSingleObject(program_.process(), kPollMs);
    }
    mainName_ = view::windowName(main_);
    if (isMessageForm(mainName_)) return;
    pages_ = findMarked(main_, view::kPagesProperty);
    settle(main_);
    reportedPage_ = currentPage();
}

void Driver::play(const std::vector<Step>& steps) {
    auto stepStarted = Clock::now();
    for (auto step = steps.begin(); step != steps.end(); ++step) {
        current_ = &*step;
        stepSends_ = sending_.count();
        HWND before = front();
        apply(*step);
        // A run of answers is queued whole: the messages they answer may
        // follow each other without a step between them.
        if (isQueued(*step) && step + 1 != steps.end() && isQueued(step[1])) continue;
        settle(before);
        reportPage();
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - stepStarted);
        if (took > longestStep_.took) longestStep_ = {step->line, took};
        program_.notePeakWorkingSet();
        stepStarted = Clock::now();
    }
    for (const auto* queue : {&answers_, &choices_})
        if (!queue->empty()) {
            current_ = &queue->front();
            fail("the answer \"" + current_->text + "\" was never asked for");
        }
}

void Driver::apply(const Step& step) {
    switch (step.kind) {
    case StepKind::Answer: answers_.push_back(step); return;
    case StepKind::Choose:
        if (step.text != "ok" && step.text != "cancel")
            fail("the driver can only accept or cancel a chooser (choose ok, choose cancel)");
        choices_.push_back(step);
        return;
    case StepKind::AwaitWindow: return awaitWindow(step);
    default: break;
    }
    if (!IsWindow(main_)) fail("the form " + mainName_ + " is closed");
    switch (step.kind) {
    case StepKind::Shot:
        if (!view::saveWindowPicture(front(), step.name + ".bmp")) fail("no picture of the window for " + step.name);
        return;
    case StepKind::Dump:
        makeAllControls(front());
        for (std::string& line : dumpWindow(front(), program_.process())) note(std::move(line));
        return;
    case StepKind::Expect:
    case StepKind::ExpectText:
    case StepKind::ExpectPage: expect(step); return;
    default: {
        HWND control = target(step, true);
        act(step, control, forms::kindName(*controlKind(control)));
    }
    }
}

void Driver::noteStartedProcesses() {
    for (const std::string& commandLine : program_.takeStartedProcesses()) transcript_.add(forms::runLine(commandLine));
}

void Driver::note(std::string line) {
    noteStartedProcesses();
    transcript_.add(std::move(line));
}

HWND Driver::target(const Step& step, bool mustBeUsable) {
    HWND form = front();
    HWND control = form ? findControl(form, step.name) : nullptr;
    if (!control || !controlKind(control)) fail("no control " + step.name + " on " + view::windowName(form));
    if (mustBeUsable && !IsWindowVisible(control)) fail(step.name + " is hidden");
    if (mustBeUsable && !usable(control)) fail(step.name + " is disabled");
    return control;
}

// A control's window lasts as long as its form's, so one found is looked up
// again by its form and name rather than among all the form's windows; it is
// checked, for a closed dialog's handle may have been given to another.
HWND Driver::findControl(HWND form, const std::string& name) {
    HWND& known = found_[{form, name}];
    if (known && IsWindow(known) && GetAncestor(known, GA_ROOT) == form && view::windowName(known) == name)
        return known;
    known = findNamed(form, name);
    if (!known) {
        // It may be on a page that has not shown yet.
        makeAllControls(form);
        known = findNamed(form, name);
    }
    return known;
}

void Driver::act(const Step& step, HWND control, const std::string& kind) {
    const ControlKind controlKind = *uidrive::controlKind(control);
    const bool button = controlKind == ControlKind::Button;
    const bool checkBox = controlKind == ControlKind::CheckBox;
    const bool radio = controlKind == ControlKind::RadioButton;
    switch (step.kind) {
    case StepKind::Click:
        if (button || checkBox || radio) return send(control, BM_CLICK, 0, 0);
        if (controlKind == ControlKind::LinkLabel)
            return send(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), STN_CLICKED),
                        reinterpret_cast<LPARAM>(control));
        fail(step.name + " is a " + kind + " and cannot be clicked");
    case StepKind::Check:
    case StepKind::Uncheck: {
        const bool check = step.kind == StepKind::Check;
        if (step.row > 0) {
            if (controlKind != ControlKind::ListView) fail(step.name + " is a " + kind + " and has no rows");
            DWORD_PTR rows = 0;
            SendMessageTimeoutW(control, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &rows);
            if (step.row > static_cast<int>(rows))
                fail(step.name + " has " + std::to_string(rows) + " rows, not " + std::to_string(step.row));
            return setRowCheck(control, step.row - 1, check);
        }
        if (radio && !check) fail(step.name + " is a radio button: check another one of its group");
        if (!checkBox && !radio) fail(step.name + " is a " + kind + " and has no check mark");
        DWORD_PTR state = 0;
        SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &state);
        if ((state == BST_CHECKED) != check) send(control, BM_CLICK, 0, 0);
        return;
    }
    case StepKind::Set:
        if (controlKind != ControlKind::Edit) fail(step.name + " is a " + kind + " and takes no text");
        return sendText(control, step.text);
    case StepKind::Select: {
        if (controlKind != ControlKind::ComboBox) fail(step.name + " is a " + kind + ", not a drop-down list");
        DWORD_PTR items = 0;
        SendMessageTimeoutW(control, CB_GETCOUNT, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &items);
        if (step.number >= static_cast<int>(items))
            fail(step.name + " has " + std::to_string(items) + " items, not an item " + std::to_string(step.number));
        HWND parent = GetParent(control);
        const int index = step.number;
        sending_.run([control, parent, index] {
            SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
            SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(control));
        });
        return;
    }
    default: fail("this step does not act on a control");
    }
}

void Driver::expect(const Step& step) {
    std::string failure;
    if (step.kind == StepKind::ExpectPage) {
        if (!pages_) fail(mainName_ + " has no pages");
        const int page = currentPage();
        if (page != step.number) failure = "page is " + std::to_string(page) + ", expected " + std::to_string(step.number);
    } else if (step.kind == StepKind::ExpectText) {
        const std::string actual = forms::oneLine(windowText(target(step, false)));
        if (actual != step.text) failure = step.name + " = \"" + actual + "\", expected \"" + step.text + "\"";
    } else {
        HWND control = target(step, false);
        const ControlKind kind = *controlKind(control);
        bool holds = false;
        switch (step.state) {
        case forms::ExpectedState::Checked:
        case forms::ExpectedState::Unchecked: {
            if (kind != ControlKind::CheckBox && kind != ControlKind::RadioButton)
                fail(step.name + " is a " + forms::kindName(kind) + " and has no check mark");
            DWORD_PTR state = 0;
            SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &state);
            holds = (state == BST_CHECKED) == (step.state == forms::ExpectedState::Checked);
            break;
        }
        case forms::ExpectedState::Enabled: holds = usable(control); break;
        case forms::ExpectedState::Disabled: holds = !usable(control); break;
        case forms::ExpectedState::Visible: holds = IsWindowVisible(control); break;
        case forms::ExpectedState::Hidden: holds = !IsWindowVisible(control); break;
        }
        if (!holds) failure = step.name + " is not " + forms::stateName(step.state);
    }
    if (failure.empty()) return;
    note("expect failed: " + failure);
    fail("expect failed: " + failure);
}

// The played program may have ended already: the window is another's.
void Driver::awaitWindow(const Step& step) {
    const DWORD own = GetProcessId(program_.process());
    for (const auto deadline = Clock::now() + kSettleTime; !findOthersWindow(step.text, own);) {
        if (Clock::now() > deadline) fail("no window \"" + step.text + "\" in 30 s");
        Sleep(kPollMs);
    }
}

void Driver::send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    sending_.run([window, message, wParam, lParam] { SendMessageW(window, message, wParam, lParam); });
}

void Driver::sendText(HWND window, const std::string& text) {
    // WM_SETTEXT's string crosses to the program with the message; the edit
    // reports the change to the form as a user's typing would.
    sending_.run([window, text = platform::win32::wide(text)] {
        SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    });
}

void Driver::setRowCheck(HWND list, int row, bool checked) {
    // The item state lives in the program's memory, where the list reads it.
    LVITEMW state = {};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    HANDLE process = program_.process();
    void* remote = VirtualAllocEx(process, nullptr, sizeof(state), MEM_COMMIT, PAGE_READWRITE);
    if (!remote || !WriteProcessMemory(process, remote, &state, sizeof(state), nullptr))
        fail("cannot reach the list's memory: " + platform::win32::systemMessage(GetLastError()));
    sending_.run([list, row, remote, process] {
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    });
}

bool Driver::stepDone() const {
    return sending_.returnedSince(stepSends_);
}

// Until the program has handled the step, or waits in a dialog the step
// opened, and is idle: message dialogs and choosers are answered meanwhile.
void Driver::settle(HWND before) {
    deadline_ = Clock::now() + kSettleTime;
    DWORD poll = kPollMs;
    while (true) {
        if (Clock::now() > deadline_) fail("the program did not settle in 30 s");
        if (program_.ended()) return;
        noteDialogs();
        HWND window = front();
        const bool busy = !window || (window == before && !stepDone()) ||
                          std::find(answered_.begin(), answered_.end(), window) != answered_.end();
        if (!busy && isSystemDialog(window)) {
            answerChooser(window);
            poll = kPollMs;
            continue;
        }
        if (!busy && isMessageForm(view::windowName(window))) {
            answerMessage(window);
            poll = kPollMs;
            continue;
        }
        if (!busy) {
            // A round trip through the window: everything posted before is handled.
            DWORD_PTR ignored = 0;
            if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &ignored) &&
                front() == window) {
                WaitForInputIdle(program_.process(), kAnswerTimeoutMs);
                noteDialogs();
                return;
            }
            continue;
        }
        HANDLE events[] = {sending_.activity(), program_.process()};
        WaitForMultipleObjects(2, events, FALSE, poll);
        poll = std::min(2 * poll, kLongestPollMs);
    }
}

// The dialogs that came and went since the last look, in the transcript.
void Driver::noteDialogs() {
    // Each window's name is read once: a dialog that goes meanwhile loses
    // its marks, and is then either seen with its name or not at all.
    std::vector<std::pair<HWND, std::string>> shown;  // bottom first
    for (HWND window : program_.windows()) {
        std::string name = view::windowName(window);
        if (window != main_ && !name.empty() && !isMessageForm(name)) shown.emplace(shown.begin(), window, std::move(name));
    }
    const auto isShown = [&shown](HWND window) {
        return std::any_of(shown.begin(), shown.end(), [window](const auto& dialog) { return dialog.first == window; });
    };
    while (!dialogs_.empty() && !isShown(dialogs_.back().first)) {
        const std::string name = dialogs_.back().second;
        dialogs_.pop_back();
        HWND owner = dialogs_.empty() ? main_ : dialogs_.back().first;
        note(forms::dialogClosedLine(name, view::windowNumber(owner, view::kResultProperty).value_or(0)));
    }
    for (auto& [window, name] : shown)
        if (std::none_of(dialogs_.begin(), dialogs_.end(), [window](const auto& dialog) { return dialog.first == window; })) {
            dialogs_.emplace_back(window, name);
            note(forms::dialogShownLine(name));
        }
}

void Driver::answerMessage(HWND dialog) {
    const std::string text = windowText(findNamed(dialog, "Message"));
    answered_.push_back(dialog);
    if (view::windowName(dialog) == forms::kErrorReportName) {
        note(forms::errorLine(text));
        return send(findNamed(dialog, "OK"), BM_CLICK, 0, 0);
    }
    const std::string caption = windowText(dialog);
    auto type = forms::MsgDlgType::Warning;
    for (auto candidate : {forms::MsgDlgType::Warning, forms::MsgDlgType::Error, forms::MsgDlgType::Information,
                           forms::MsgDlgType::Confirmation})
        if (caption == forms::messageCaption(candidate)) type = candidate;
    if (answers_.empty())
        fail(std::string("a message with no queued answer: ") + forms::messageTypeName(type) + ": " + forms::oneLine(text));
    const Step answer = answers_.front();
    answers_.pop_front();
    HWND button = findNamed(dialog, forms::buttonName(*forms::buttonByWord(answer.text)));
    if (!button)
        fail("the answer \"" + answer.text + "\" of line " + std::to_string(answer.line) +
             " is no button of the message: " + forms::oneLine(text));
    note(forms::messageLine(type, text, answer.text));
    send(button, BM_CLICK, 0, 0);
}

void Driver::answerChooser(HWND dialog) {
    if (choices_.empty()) fail("a chooser with no queued answer: " + windowText(dialog));
    const bool accept = choices_.front().text == "ok";
    choices_.pop_front();
    answered_.push_back(dialog);
    PostMessageW(dialog, WM_COMMAND, accept ? IDOK : IDCANCEL, 0);
}

int Driver::currentPage() const {
    if (!pages_ || !IsWindow(pages_)) return -1;
    for (HWND page = GetWindow(pages_, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT))
        if (visibleStyle(page))
            if (auto index = view::windowNumber(page, view::kPageProperty)) return *index;
    return -1;
}

void Driver::reportPage() {
    const int page = currentPage();
    if (page < 0 || page == reportedPage_) return;
    reportedPage_ = page;
    for (HWND child = GetWindow(pages_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (view::windowNumber(child, view::kPageProperty) == page)
            note(forms::pageLine(page, view::windowName(child)));
}

HWND Driver::front() const {
    for (HWND window : program_.windows())
        if (IsWindowEnabled(window) && (isForm(window) || isSystemDialog(window))) return window;
    return nullptr;
}

bool Driver::isForm(HWND window) const { return !view::windowName(window).empty(); }

void Driver::fail(const std::string& why) const {
    throw DriveError(current_ ? "line " + std::to_string(current_->line) + ": " + why : why);
}

}  // namespace vk::uidrive
