#include "engine/ProgressMessage.h"

namespace vk {

void ProgressDispatcher::handleMessage(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) {
    const auto value = static_cast<std::uint32_t>(wParam);
    switch (code) {
    case WM_PROCESS_STATUS:
        receiver_.processStatus(value, value == psText ? reinterpret_cast<const char*>(lParam) : nullptr);
        break;
    case WM_PROCESS_RANGE: receiver_.processRange(value); break;
    case WM_PROCESS_STEP: receiver_.processStep(); break;
    case WM_PROCESS_ENDPHASE: receiver_.processEndPhase(value); break;
    case WM_PROCESS_SYSTEM: receiver_.processSystem(); break;
    case WM_PROCESS_FINISHED: receiver_.processFinished(value != 0); break;
    default: break;
    }
}

void ProgressSender::status(ProcessStatus status) const { platform::sendMessage(window_, WM_PROCESS_STATUS, status, 0); }

void ProgressSender::text(const std::string& item) const {
    platform::sendMessage(window_, WM_PROCESS_STATUS, psText, reinterpret_cast<std::intptr_t>(item.c_str()));
}

void ProgressSender::clearText() const { platform::sendMessage(window_, WM_PROCESS_STATUS, psText, 0); }
void ProgressSender::range(std::uint32_t steps) const { platform::sendMessage(window_, WM_PROCESS_RANGE, steps, 0); }
void ProgressSender::step() const { platform::sendMessage(window_, WM_PROCESS_STEP, 0, 0); }
void ProgressSender::endPhase(std::uint32_t value) const { platform::sendMessage(window_, WM_PROCESS_ENDPHASE, value, 0); }
void ProgressSender::system() const { platform::sendMessage(window_, WM_PROCESS_SYSTEM, 0, 0); }
void ProgressSender::finished(bool failed) const { platform::postMessage(window_, WM_PROCESS_FINISHED, failed ? 1 : 0, 0); }

}  // namespace vk
