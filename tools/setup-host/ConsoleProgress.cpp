#include "ConsoleProgress.h"

#include "platform/Text.h"

namespace vk::host {

namespace {
constexpr int kBarWidth = 30;
constexpr std::size_t kItemChars = 38;
}  // namespace

void ConsoleProgress::processStatus(std::uint32_t status, const char* text) {
    switch (status) {
    case psCopying: std::fprintf(out_, "Copying files\n"); break;
    case psRegistering:
        endBar();
        std::fprintf(out_, "Registering components\n");
        break;
    case psText:
        item_ = text ? text : "";
        if (terminal_)
            drawBar();
        else if (!item_.empty())
            std::fprintf(out_, "  %s\n", item_.c_str());
        break;
    default: break;
    }
    std::fflush(out_);
}

void ConsoleProgress::processRange(std::uint32_t steps) {
    range_ = steps;
    position_ = 0;
    if (!terminal_) std::fprintf(out_, "  %u steps\n", steps);
}

void ConsoleProgress::processStep() {
    ++position_;
    if (terminal_) drawBar();
}

void ConsoleProgress::processEndPhase(std::uint32_t) {
    endBar();
    range_ = 0;
    position_ = 0;
}

void ConsoleProgress::processSystem() {
    endBar();
    std::fprintf(out_, "System settings: left to the wizard\n");
    std::fflush(out_);
}

void ConsoleProgress::processFinished(bool failed) {
    endBar();
    finished_ = true;
    failed_ = failed;
}

void ConsoleProgress::drawBar() {
    const int filled = range_ ? static_cast<int>(static_cast<std::uint64_t>(position_) * kBarWidth / range_) : 0;
    const std::string item = truncateChars(item_, kItemChars);
    std::fprintf(out_, "\r  [%s%s] %u/%u %s\033[K", std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(kBarWidth - filled), '.').c_str(), position_, range_,
                 item.c_str());
    std::fflush(out_);
    barShown_ = true;
}

void ConsoleProgress::endBar() {
    if (!barShown_) return;
    std::fprintf(out_, "\n");
    barShown_ = false;
}

}  // namespace vk::host
