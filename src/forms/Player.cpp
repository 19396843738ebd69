#include "forms/Player.h"

#include <stdexcept>

#include "forms/Controls.h"
#include "forms/Dump.h"
#include "forms/ListView.h"
#include "forms/Notebook.h"

namespace vk::forms {

namespace {

// A step that cannot go on. Not a std::exception, so that it passes through
// the handlers it interrupts and their standard error report.
struct StepFailure {
    std::string message;
};

std::string quoted(std::string_view text) { return "\"" + oneLine(text) + "\""; }

}  // namespace

void Player::play(Form& mainForm, const std::vector<Step>& steps) {
    FrontEndScope scope(*this);
    steps_ = &steps;
    next_ = 0;
    current_ = nullptr;
    main_ = &mainForm;
    forms_ = {&mainForm};
    mainEnded_ = false;
    answers_.clear();
    choices_.clear();
    const Notebook* pages = mainForm.pageNotebook();
    reportedPage_ = pages ? pages->pageIndex() : -1;
    try {
        mainForm.beginShowing();
        while (next_ < steps.size()) runNextStep();
        for (const auto* queue : {&answers_, &choices_})
            if (!queue->empty()) {
                current_ = &queue->front();
                fail("the answer \"" + current_->text + "\" was never asked for");
            }
    } catch (const StepFailure& failure) {
        steps_ = nullptr;
        throw ScenarioError(failure.message);
    }
    steps_ = nullptr;
}

void Player::runNextStep() {
    const Step& step = (*steps_)[next_++];
    current_ = &step;
    apply(step);
    current_ = &step;  // a dialog the step opened played steps of its own
    afterStep();
}

void Player::afterStep() {
    if (settle) settle();
    noteStartedProcesses();
    if (const Notebook* pages = main_->pageNotebook(); pages && pages->pageIndex() != reportedPage_) {
        reportedPage_ = pages->pageIndex();
        write(pageLine(reportedPage_, pages->activePage()->name()));
    }
    if (forms_.size() == 1 && !mainEnded_) mainEnded_ = main_->ended();
}

void Player::write(std::string line) {
    noteStartedProcesses();
    transcript_.add(std::move(line));
}

void Player::noteStartedProcesses() {
    if (!startedProcesses) return;
    for (const std::string& commandLine : startedProcesses()) transcript_.add(runLine(commandLine));
}

Form& Player::front() const { return *forms_.back(); }

void Player::apply(const Step& step) {
    switch (step.kind) {
    case StepKind::Answer: answers_.push_back(step); return;
    case StepKind::Choose: choices_.push_back(step); return;
    case StepKind::Shot: return;         // pictures are the Windows driver's
    case StepKind::AwaitWindow: return;  // so are other programs' windows: the hosted machine starts none
    default: break;
    }
    if (mainEnded_) fail("the form " + main_->name() + " is closed");
    switch (step.kind) {
    case StepKind::Dump:
        for (std::string& line : dumpForm(front())) write(std::move(line));
        return;
    case StepKind::Expect:
    case StepKind::ExpectText:
    case StepKind::ExpectPage: expect(step); return;
    default: act(step, target(step, true));
    }
}

Control& Player::target(const Step& step, bool mustBeUsable) const {
    Control* control = front().find(step.name);
    if (!control) fail("no control " + step.name + " on " + front().name());
    if (mustBeUsable && !control->showing()) fail(step.name + " is hidden");
    if (mustBeUsable && !control->usable()) fail(step.name + " is disabled");
    return *control;
}

void Player::act(const Step& step, Control& control) {
    const std::string kind = kindName(control.kind());
    auto* checkBox = dynamic_cast<CheckBox*>(&control);
    auto* radio = dynamic_cast<RadioButton*>(&control);
    switch (step.kind) {
    case StepKind::Click:
        if (auto* button = dynamic_cast<Button*>(&control)) return runHandler([button] { button->click(); });
        if (auto* link = dynamic_cast<LinkLabel*>(&control)) return runHandler([link] { link->click(); });
        if (checkBox) return runHandler([checkBox] { checkBox->click(); });
        if (radio) return runHandler([radio] { radio->click(); });
        fail(step.name + " is a " + kind + " and cannot be clicked");
    case StepKind::Check:
    case StepKind::Uncheck: {
        const bool check = step.kind == StepKind::Check;
        if (step.row > 0) {
            auto* list = dynamic_cast<ListView*>(&control);
            if (!list) fail(step.name + " is a " + kind + " and has no rows");
            if (step.row > list->count())
                fail(step.name + " has " + std::to_string(list->count()) + " rows, not " + std::to_string(step.row));
            return runHandler([list, &step, check] { list->userSetChecked(step.row - 1, check); });
        }
        if (checkBox) return runHandler([checkBox, check] { checkBox->setChecked(check); });
        if (radio && check) return runHandler([radio] { radio->setChecked(true); });
        if (radio) fail(step.name + " is a radio button: check another one of its group");
        fail(step.name + " is a " + kind + " and has no check mark");
    }
    case StepKind::Set:
        if (auto* edit = dynamic_cast<Edit*>(&control))
            return runHandler([edit, &step] { edit->setText(step.text); });
        fail(step.name + " is a " + kind + " and takes no text");
    case StepKind::Select:
        if (auto* combo = dynamic_cast<ComboBox*>(&control)) {
            if (step.number >= static_cast<int>(combo->items().size()))
                fail(step.name + " has " + std::to_string(combo->items().size()) + " items, not an item " +
                     std::to_string(step.number));
            return runHandler([combo, &step] { combo->userSelect(step.number); });
        }
        fail(step.name + " is a " + kind + ", not a drop-down list");
    default: fail("this step does not act on a control");
    }
}

void Player::expect(const Step& step) {
    std::string failure;
    if (step.kind == StepKind::ExpectPage) {
        const Notebook* pages = main_->pageNotebook();
        if (!pages) fail(main_->name() + " has no pages");
        if (pages->pageIndex() != step.number)
            failure = "page is " + std::to_string(pages->pageIndex()) + ", expected " + std::to_string(step.number);
    } else if (step.kind == StepKind::ExpectText) {
        const std::string actual = oneLine(target(step, false).text());
        if (actual != step.text) failure = step.name + " = " + quoted(actual) + ", expected " + quoted(step.text);
    } else {
        Control& control = target(step, false);
        bool holds = false;
        auto* checkBox = dynamic_cast<CheckBox*>(&control);
        auto* radio = dynamic_cast<RadioButton*>(&control);
        switch (step.state) {
        case ExpectedState::Checked:
        case ExpectedState::Unchecked:
            if (!checkBox && !radio) fail(step.name + " is a " + kindName(control.kind()) + " and has no check mark");
            holds = (checkBox ? checkBox->checked() : radio->checked()) == (step.state == ExpectedState::Checked);
            break;
        case ExpectedState::Enabled: holds = control.usable(); break;
        case ExpectedState::Disabled: holds = !control.usable(); break;
        case ExpectedState::Visible: holds = control.showing(); break;
        case ExpectedState::Hidden: holds = !control.showing(); break;
        }
        if (!holds) failure = step.name + " is not " + stateName(step.state);
    }
    if (failure.empty()) return;
    write("expect failed: " + failure);
    fail("expect failed: " + failure);
}

int Player::showModal(Form& form) {
    if (!steps_) fail("a dialog " + form.name() + " outside a scenario");
    write(dialogShownLine(form.name()));
    const Step* opener = current_;
    form.beginShowing();
    forms_.push_back(&form);
    while (!form.ended()) {
        if (next_ >= steps_->size()) {
            current_ = opener;
            fail("the scenario ends while the dialog " + form.name() + " is open");
        }
        runNextStep();
    }
    forms_.pop_back();
    write(dialogClosedLine(form.name(), form.modalResult()));
    return form.modalResult();
}

int Player::showMessage(const std::string& text, MsgDlgType type, MsgButtons buttons) {
    if (answers_.empty() && defaultAnswer)
        if (const std::optional<MsgDlgBtn> button = defaultAnswer(text, type, buttons)) {
            write(messageLine(type, text, buttonWord(*button)));
            return buttonResult(*button);
        }
    if (answers_.empty()) fail(std::string("a message with no queued answer: ") + messageTypeName(type) + ": " + oneLine(text));
    const Step answer = answers_.front();
    answers_.pop_front();
    const MsgDlgBtn button = *buttonByWord(answer.text);
    if ((buttons & buttonBit(button)) == 0)
        fail("the answer \"" + answer.text + "\" of line " + std::to_string(answer.line) +
             " is no button of the message: " + oneLine(text));
    write(messageLine(type, text, answer.text));
    return buttonResult(button);
}

void Player::showError(const std::string& text) { write(errorLine(text)); }

std::optional<std::string> Player::choose(std::string_view initial, const std::string& what) {
    if (choices_.empty()) fail("a " + what + " chooser with no queued answer, starting at " + quoted(initial));
    const Step choice = choices_.front();
    choices_.pop_front();
    if (choice.text == "cancel") return std::nullopt;
    if (choice.text == "ok") return std::string(initial);
    return choice.text;
}

std::optional<std::string> Player::browseForFolder(std::string_view initial, int) { return choose(initial, "folder"); }

std::optional<std::string> Player::openFile(std::string_view initialPath, std::string_view, std::string_view) {
    return choose(initialPath, "file");
}

void Player::fail(const std::string& why) const {
    // Outside play() no scenario could catch the failure: asking then is a fault of the caller.
    if (!steps_) throw std::logic_error("the scenario player is not playing: " + why);
    throw StepFailure{current_ ? "line " + std::to_string(current_->line) + ": " + why : why};
}

}  // namespace vk::forms
