#pragma once
// The installer's front end: forms shown as native windows (FormWindow),
// messages as the kit's message dialog with the Russian button texts, the
// standard error report, and the system's choosers (platform/Dialogs.h).
// Modal forms disable the form under them until they end.
#include <windows.h>

#include <vector>

#include "forms/FrontEnd.h"
#include "view/FormWindow.h"
#include "view/Metrics.h"

namespace vk::view {

class Win32FrontEnd final : public forms::FrontEnd {
public:
    // Loads the common controls; the screen's DPI unless one is given.
    explicit Win32FrontEnd(int dpi = screenDpi());

    // Shows the main form and runs the message loop until it ends; its modal
    // result. The program ends then: the form's window is left to the process's
    // end (FormWindow::leaveToProgramEnd).
    int run(forms::Form& mainForm) { return show(mainForm, true); }

    int showModal(forms::Form& form) override;
    int showMessage(const std::string& text, forms::MsgDlgType type, forms::MsgButtons buttons) override;
    void showError(const std::string& text) override;
    std::optional<std::string> browseForFolder(std::string_view initial, int rootCsidl) override;
    std::optional<std::string> openFile(std::string_view initialPath, std::string_view filter,
                                        std::string_view title) override;

    const Metrics& metrics() const { return metrics_; }
    // The windows of the forms being shown, the one in front last.
    const std::vector<FormWindow*>& shown() const { return shown_; }
    // Runs after each message of a modal loop once the queue is empty: for
    // programs that watch their forms (the tests' pictures).
    std::function<void(FormWindow&)> onIdle;

private:
    int show(forms::Form& form, bool programEnds);
    forms::TextExtent measure(std::string_view text, int maxWidth) const;

    Metrics metrics_;
    std::vector<FormWindow*> shown_;
};

}  // namespace vk::view
