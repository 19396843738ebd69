#pragma once
// The window of one form: a native control for every control of the form,
// bound both ways. A user's action runs the control's operation (and so its
// handler); a property the form reports changed is shown at once. Enter
// presses the default button and Esc the cancel button (through
// translate()); the close box asks the form to close.
//
// The controls of a page its notebook does not show are made when the page
// first shows (or when a program outside asks for every control, see
// kMakeAllControlsMessage): a form with many pages comes up with what its
// first page needs. Each control's id is its place in the form's tab order
// whenever it is made.
//
// A progress bar is the exception to "at once": its position is drawn at
// most once a frame (kProgressFrame), the last one on the frame's timer, and
// its ends (0 and the maximum) at once. Under Wine each drawing took the
// install thread, which waits for its message, most of a millisecond a file.
#include <windows.h>

#include <chrono>
#include <memory>
#include <unordered_map>
#include <vector>

#include "forms/Controls.h"
#include "forms/Form.h"
#include "view/Metrics.h"

namespace vk::view {

class FormWindow final : private forms::FormObserver {
public:
    // Made hidden, centred on the screen, owned by owner (may be null).
    FormWindow(forms::Form& form, HWND owner, const Metrics& metrics);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND handle() const { return window_; }
    forms::Form& form() const { return form_; }
    const Metrics& metrics() const { return metrics_; }
    void show();
    // The dialog keys (Enter, Esc, Tab) of a message taken from the queue; true when handled.
    bool translate(MSG& message);
    // The native window of a control; null while its page has not shown.
    HWND windowOf(const forms::Control& control) const;
    // Makes the controls of every page that has not shown yet.
    void makeAllControls();
    // For a form whose end is the program's: once this object goes, its
    // window is hidden and left for the system to take with the process,
    // which under Wine took a fraction of destroying every control.
    void leaveToProgramEnd() { leftToProgramEnd_ = true; }

private:
    static LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK containerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void numberControls(const forms::Container& parent);
    void createChildren(forms::Container& parent, HWND parentWindow);
    void makePageControls(const forms::Control& page);
    HWND createNative(forms::Control& control, HWND parentWindow, int id);
    void fill(forms::Control& control, HWND native);

    void controlChanged(forms::Control& control, forms::Property property, int index) override;
    void formCaptionChanged(forms::Form& form) override;
    void showState(forms::Control& control, HWND native);
    void showPosition(const forms::ProgressBar& bar, HWND native);
    void drawPendingPositions();
    static void markButton(const forms::Button& button, HWND native);
    void showRows(HWND native, const forms::Control& control);
    void showRowCheck(HWND native, int row, bool checked);

    void command(HWND child, int code);
    void notified(const NMHDR& header);
    forms::Control* controlOf(HWND native) const;

    forms::Form& form_;
    const Metrics& metrics_;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    HBRUSH face_;
    std::unordered_map<HWND, forms::Control*> controls_;
    std::unordered_map<const forms::Control*, HWND> natives_;
    std::vector<ATOM> nameAtoms_;  // released once the windows are gone
    std::unordered_map<const forms::Control*, int> ids_;
    std::vector<forms::Control*> unmade_;  // pages whose controls are not made yet
    std::vector<const forms::ProgressBar*> pendingPositions_;  // to draw on the frame's timer
    std::chrono::steady_clock::time_point positionDrawn_;    // when a position was last drawn
    bool leftToProgramEnd_ = false;
    int updating_ = 0;  // native changes made from the model, whose notifications are echoes
};

}  // namespace vk::view
