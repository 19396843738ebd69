#include "forms/Form.h"

#include <algorithm>
#include <stdexcept>

#include "forms/Controls.h"
#include "forms/FrontEnd.h"

namespace vk::forms {

std::string modalResultName(int result) {
    static const char* const names[] = {"none", "ok",    "cancel", "abort",   "retry",   "ignore",
                                        "yes",  "no",    "all",    "notoall", "yestoall"};
    if (result >= 0 && result < static_cast<int>(std::size(names))) return names[result];
    return std::to_string(result);
}

Form::Form(std::string name, std::string caption, int clientWidth, int clientHeight)
    : name_(std::move(name)), caption_(std::move(caption)), clientWidth_(clientWidth),
      clientHeight_(clientHeight) {}

Form::~Form() = default;

void Form::setCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    for (FormObserver* observer : std::vector(observers_)) observer->formCaptionChanged(*this);
}

int Form::ShowModal() { return frontEnd().showModal(*this); }

void Form::beginShowing() {
    modalResult_ = mrNone;
    if (onShow) onShow();
}

bool Form::ended() {
    if (modalResult_ == mrNone) return false;
    if (onCloseQuery && !onCloseQuery()) {
        modalResult_ = mrNone;
        return false;
    }
    return true;
}

std::vector<Control*> Form::controlsOf(ControlKind kind) const {
    std::vector<Control*> found;
    for (Control* control : all_)
        if (control->kind() == kind) found.push_back(control);
    return found;
}

Control* Form::find(std::string_view name) const {
    auto found = byName_.find(name);
    return found == byName_.end() ? nullptr : found->second;
}

Button* Form::findButton(bool (Button::*role)() const) const {
    for (Control* control : all_) {
        auto* button = dynamic_cast<Button*>(control);
        if (button && (button->*role)() && button->showing() && button->usable()) return button;
    }
    return nullptr;
}

Button* Form::defaultButton() const { return findButton(&Button::isDefault); }
Button* Form::cancelButton() const { return findButton(&Button::isCancel); }

void Form::addObserver(FormObserver& observer) { observers_.push_back(&observer); }

void Form::removeObserver(FormObserver& observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), &observer), observers_.end());
}

void Form::notify(Control& control, Property property, int index) {
    // A copy: an observer may leave while it is told.
    for (FormObserver* observer : std::vector(observers_)) observer->controlChanged(control, property, index);
}

void Form::adopt(Control& control) {
    // Pages are named by their notebook, where names may repeat.
    if (control.kind() != ControlKind::Page &&
        (control.name().empty() || !byName_.emplace(control.name(), &control).second))
        throw std::logic_error("form " + name_ + ": a control needs a name of its own, not \"" + control.name() +
                               "\"");
    all_.push_back(&control);
}

void Form::forget(Control& control) {
    all_.erase(std::remove(all_.begin(), all_.end(), &control), all_.end());
    auto found = byName_.find(control.name());
    if (found != byName_.end() && found->second == &control) byName_.erase(found);
}

}  // namespace vk::forms
