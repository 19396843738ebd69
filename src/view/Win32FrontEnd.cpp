#include "view/Win32FrontEnd.h"

#include <commctrl.h>

#include "forms/MessageDlg.h"
#include "platform/Dialogs.h"
#include "platform/win32/Wide.h"
#include "view/WindowNames.h"

namespace vk::view {

using platform::win32::wide;

Win32FrontEnd::Win32FrontEnd(int dpi) : metrics_(dpi) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                                           ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
}

int Win32FrontEnd::showModal(forms::Form& form) { return show(form, false); }

int Win32FrontEnd::show(forms::Form& form, bool programEnds) {
    HWND owner = shown_.empty() ? nullptr : shown_.back()->handle();
    FormWindow window(form, owner, metrics_);
    if (programEnds) window.leaveToProgramEnd();
    shown_.push_back(&window);
    if (owner) EnableWindow(owner, FALSE);
    // Shown before its onShow runs, so that what onShow asks comes over it.
    window.show();
    form.beginShowing();
    // Not GetMessage: a message sent from another thread or program (a
    // click the UI driver sends) is handled inside it, and when that ends the
    // form GetMessage would go on waiting for a posted one. PeekMessage
    // handles the sent messages and returns, so ended() is looked at again.
    MSG message;
    while (!form.ended()) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (onIdle) onIdle(window);
            if (!form.ended()) MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            continue;
        }
        if (message.message == WM_QUIT) {
            // The loops under this one end too.
            PostQuitMessage(static_cast<int>(message.wParam));
            form.setModalResult(forms::mrCancel);
            break;
        }
        if (!window.translate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The owner comes back before this window goes, so that it is activated;
    // it keeps the result for programs outside, which see the dialog only go.
    if (owner) {
        EnableWindow(owner, TRUE);
        setWindowNumber(owner, kResultProperty, form.modalResult());
    }
    shown_.pop_back();
    return form.modalResult();
}

forms::TextExtent Win32FrontEnd::measure(std::string_view text, int maxWidth) const {
    const std::wstring wideText = wide(text);
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, metrics_.font());
    RECT rect = {0, 0, metrics_.scale(maxWidth), 0};
    DrawTextW(screen, wideText.c_str(), static_cast<int>(wideText.size()), &rect,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    // A pixel to spare each way against rounding at other DPIs.
    return {metrics_.unscale(rect.right) + 1, metrics_.unscale(rect.bottom) + 1};
}

int Win32FrontEnd::showMessage(const std::string& text, forms::MsgDlgType type, forms::MsgButtons buttons) {
    auto dialog = forms::createMessageDialog(text, type, buttons,
                                             [this](std::string_view part, int width) { return measure(part, width); });
    return showModal(*dialog);
}

void Win32FrontEnd::showError(const std::string& text) {
    auto report = forms::createErrorReport(text, [this](std::string_view part, int width) { return measure(part, width); });
    showModal(*report);
}

std::optional<std::string> Win32FrontEnd::browseForFolder(std::string_view initial, int rootCsidl) {
    return platform::choosers().browseForFolder(initial, rootCsidl);
}

std::optional<std::string> Win32FrontEnd::openFile(std::string_view initialPath, std::string_view filter,
                                                   std::string_view title) {
    return platform::choosers().openFile(initialPath, filter, title);
}

}  // namespace vk::view
