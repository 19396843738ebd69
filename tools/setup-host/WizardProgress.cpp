#include "WizardProgress.h"

#include "platform/Text.h"

namespace vk::host {

namespace {
constexpr int kBarWidth = 30;
constexpr std::size_t kItemChars = 38;
}  // namespace

WizardProgress::WizardProgress(TfmSetup& wizard, std::FILE* out, bool terminal)
    : wizard_(wizard), out_(out), terminal_(terminal) {
    wizard_.addObserver(*this);
}

WizardProgress::~WizardProgress() {
    endBar();
    wizard_.removeObserver(*this);
}

void WizardProgress::controlChanged(forms::Control& control, forms::Property property, int) {
    const bool stage = &control == &wizard_.lbCopying || &control == &wizard_.lbRegister ||
                       &control == &wizard_.lbSystem;
    if (stage && property == forms::Property::Bold && control.bold()) {
        endBar();
        std::fprintf(out_, "%s\n", control.caption().c_str());
    } else if (&control == &wizard_.lbProcess && property == forms::Property::Caption) {
        if (terminal_ && wizard_.pbMain.visible())
            drawBar();
        else if (!control.caption().empty())
            std::fprintf(out_, "  %s\n", control.caption().c_str());
    } else if (&control == &wizard_.pbMain) {
        if (property == forms::Property::Visible && !control.visible()) endBar();
        if (property == forms::Property::Maximum && !terminal_ && wizard_.pbMain.maximum() > 0)
            std::fprintf(out_, "  %d steps\n", wizard_.pbMain.maximum());
        if (property == forms::Property::Position && terminal_ && control.visible()) drawBar();
    }
    std::fflush(out_);
}

void WizardProgress::drawBar() {
    const int range = wizard_.pbMain.maximum();
    const int position = wizard_.pbMain.position();
    const int filled = range > 0 ? static_cast<int>(static_cast<long long>(position) * kBarWidth / range) : 0;
    const std::string item = truncateChars(wizard_.lbProcess.caption(), kItemChars);
    std::fprintf(out_, "\r  [%s%s] %d/%d %s\033[K", std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(kBarWidth - filled), '.').c_str(), position, range,
                 item.c_str());
    barShown_ = true;
}

void WizardProgress::endBar() {
    if (!barShown_) return;
    std::fprintf(out_, "\n");
    barShown_ = false;
}

}  // namespace vk::host
