#pragma once
// The install thread's progress protocol: the window messages it sends to the
// wizard's window and the reactions they ask for.
//
// WM_PROCESS_STATUS .. WM_PROCESS_SYSTEM are sent (the worker waits until the
// reaction has returned); WM_PROCESS_FINISHED is posted. A text passed by
// address lives only while its send lasts.
#include <cstdint>
#include <string>

#include "platform/MessageChannel.h"

namespace vk {

enum ProgressMessage : std::uint32_t {
    WM_PROCESS_STATUS = platform::kFirstUserMessage + 1,  // wParam: ProcessStatus; lParam: text or 0 (psText)
    WM_PROCESS_RANGE,                                      // wParam: number of steps of the phase
    WM_PROCESS_STEP,                                       // one step done
    WM_PROCESS_ENDPHASE,                                   // wParam: not interpreted
    WM_PROCESS_SYSTEM,                                     // apply the system settings now
    WM_PROCESS_FINISHED,                                   // wParam: 0 success, 1 failure (posted)
};

enum ProcessStatus : std::uint32_t {
    psCopying = 1,      // the copy phase begins
    psText = 2,         // the current item (lParam: zero-terminated UTF-8 text, or 0)
    psRegistering = 3,  // the registration phase begins
};

// The reactions to the protocol. Implemented by the wizard form (TfmSetup),
// the headless runner of setup-host and the tests' recording receiver.
class ProgressReceiver {
public:
    virtual ~ProgressReceiver() = default;
    // status is psCopying, psText or psRegistering; text is null unless a
    // psText message carried one, and is valid only during the call.
    virtual void processStatus(std::uint32_t status, const char* text) = 0;
    virtual void processRange(std::uint32_t steps) = 0;
    virtual void processStep() = 0;
    virtual void processEndPhase(std::uint32_t value) = 0;
    virtual void processSystem() = 0;
    virtual void processFinished(bool failed) = 0;
};

// Turns the window messages back into receiver calls; other codes are ignored.
class ProgressDispatcher final : public platform::MessageHandler {
public:
    explicit ProgressDispatcher(ProgressReceiver& receiver) : receiver_(receiver) {}
    void handleMessage(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    ProgressReceiver& receiver_;
};

// The worker's side: one call per message, to the given window.
class ProgressSender {
public:
    explicit ProgressSender(platform::WindowHandle window) : window_(window) {}
    void status(ProcessStatus status) const;
    void text(const std::string& item) const;
    void clearText() const;
    void range(std::uint32_t steps) const;
    void step() const;
    void endPhase(std::uint32_t value) const;
    void system() const;
    void finished(bool failed) const;

private:
    platform::WindowHandle window_;
};

}  // namespace vk
