#include "forms/FrontEnd.h"

#include <exception>
#include <stdexcept>

namespace vk::forms {

namespace {

// Stands in while no front end is installed: a question then is a fault of the program.
class AbsentFrontEnd final : public FrontEnd {
public:
    int showModal(Form&) override { refuse(); }
    int showMessage(const std::string& text, MsgDlgType, MsgButtons) override { refuse(": " + text); }
    void showError(const std::string& text) override { refuse(": " + text); }
    std::optional<std::string> browseForFolder(std::string_view, int) override { refuse(); }
    std::optional<std::string> openFile(std::string_view, std::string_view, std::string_view) override { refuse(); }

private:
    [[noreturn]] static void refuse(const std::string& what = {}) {
        throw std::logic_error("no front end to ask the user" + what);
    }
};

AbsentFrontEnd absent;
FrontEnd* installed = nullptr;

}  // namespace

FrontEnd& frontEnd() { return installed ? *installed : absent; }

void setFrontEnd(FrontEnd* frontEnd) { installed = frontEnd; }

FrontEndScope::FrontEndScope(FrontEnd& frontEnd) : previous_(installed) { installed = &frontEnd; }

FrontEndScope::~FrontEndScope() { installed = previous_; }

int ShowMessageDlg(const std::string& text, MsgDlgType type, MsgButtons buttons) {
    return frontEnd().showMessage(text, type, buttons);
}

void runHandler(const std::function<void()>& handler) {
    try {
        if (handler) handler();
    } catch (const std::exception& failure) {
        frontEnd().showError(failure.what());
    }
}

}  // namespace vk::forms
