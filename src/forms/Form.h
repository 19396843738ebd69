#pragma once
// A form: a window's worth of named controls with a caption, a fixed client
// size and a modal result. Form classes derive from it, hold their controls as
// members and their event handlers as methods; a front end shows them.
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "forms/Control.h"

namespace vk::forms {

class Button;
class Notebook;

// Modal results, as buttons and message dialogs return them.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrAbort = 3;
inline constexpr int mrRetry = 4;
inline constexpr int mrIgnore = 5;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;
inline constexpr int mrAll = 8;
inline constexpr int mrNoToAll = 9;
inline constexpr int mrYesToAll = 10;

// The word a transcript uses for a modal result ("ok", "cancel", ...; other numbers as digits).
std::string modalResultName(int result);

// What a view implements to follow a form. Implemented by the Win32 view and
// the scenario player.
class FormObserver {
public:
    // A control's property changed; index is the row for row properties, else -1.
    virtual void controlChanged(Control& control, Property property, int index) = 0;
    // The form's caption changed.
    virtual void formCaptionChanged(Form&) {}

protected:
    ~FormObserver() = default;
};

class Form : public Container {
public:
    Form(std::string name, std::string caption, int clientWidth, int clientHeight);
    ~Form() override;

    Form& form() override { return *this; }
    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }

    // Handlers of the form itself: onShow runs each time a front end shows
    // it; onCloseQuery may refuse a close by returning false.
    std::function<void()> onShow;
    std::function<bool()> onCloseQuery;

    // Shows this form modally through the front end in force; its modal result.
    int ShowModal();
    int modalResult() const { return modalResult_; }
    // Nonzero ends the form once its close query agrees.
    void setModalResult(int result) { modalResult_ = result; }
    // Asks to close: the form ends with mrCancel unless its close query refuses.
    void Close() { modalResult_ = mrCancel; }

    // For front ends: starts a showing (clears the result, runs onShow) and,
    // after each event, whether the form has ended; a refused close clears
    // the result again.
    void beginShowing();
    bool ended();

    // Every control of the form, in the order they were made, or those of one kind.
    const std::vector<Control*>& allControls() const { return all_; }
    std::vector<Control*> controlsOf(ControlKind kind) const;
    // The control of that name anywhere on the form, or nullptr.
    Control* find(std::string_view name) const;
    // The visible, enabled button that Enter or Esc presses, or nullptr.
    Button* defaultButton() const;
    Button* cancelButton() const;
    // The notebook whose page a transcript follows (the wizard's pages).
    Notebook* pageNotebook() const { return pageNotebook_; }
    void setPageNotebook(Notebook* notebook) { pageNotebook_ = notebook; }

    void addObserver(FormObserver& observer);
    void removeObserver(FormObserver& observer);
    void notify(Control& control, Property property, int index);

protected:
    // For forms laid out at run time (the message dialog).
    void setClientSize(int width, int height) {
        clientWidth_ = width;
        clientHeight_ = height;
    }

private:
    friend class Control;
    void adopt(Control& control);
    void forget(Control& control);
    Button* findButton(bool (Button::*role)() const) const;

    std::string name_;
    std::string caption_;
    int clientWidth_;
    int clientHeight_;
    int modalResult_ = mrNone;
    Notebook* pageNotebook_ = nullptr;
    std::unordered_map<std::string_view, Control*> byName_;
    std::vector<Control*> all_;
    std::vector<FormObserver*> observers_;
};

}  // namespace vk::forms
