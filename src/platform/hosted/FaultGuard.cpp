#include "platform/hosted/FaultGuard.h"

#include <csetjmp>
#include <csignal>
#include <cstring>
#include <mutex>

#include "platform/Error.h"

namespace vk::platform::hosted {

namespace {

constexpr int kFaults[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE};

// Where a fault on this thread returns to, while a guarded call runs on it,
// and the signal that took it there.
thread_local sigjmp_buf* activeGuard = nullptr;
thread_local int caughtSignal = 0;

void onFault(int signal) {
    if (sigjmp_buf* guard = activeGuard) {
        caughtSignal = signal;
        siglongjmp(*guard, 1);
    }
    // A fault of the program's own: let the faulting instruction meet the
    // default action when this handler returns.
    std::signal(signal, SIG_DFL);
}

}  // namespace

std::int32_t callGuarded(std::int32_t (*entry)(), const std::string& what) {
    // The handlers belong to the process: one guarded call at a time.
    static std::mutex oneAtATime;
    std::lock_guard lock(oneAtATime);

    struct sigaction guarded {};
    guarded.sa_handler = onFault;
    sigemptyset(&guarded.sa_mask);
    struct sigaction previous[std::size(kFaults)];
    for (std::size_t i = 0; i < std::size(kFaults); ++i) sigaction(kFaults[i], &guarded, &previous[i]);
    auto restore = [&] {
        activeGuard = nullptr;
        for (std::size_t i = 0; i < std::size(kFaults); ++i) sigaction(kFaults[i], &previous[i], nullptr);
    };

    sigjmp_buf landing;
    if (sigsetjmp(landing, 1) == 0) {
        activeGuard = &landing;
        const std::int32_t result = entry();
        restore();
        return result;
    }
    restore();
    throw Error(what + ": the call ended with " + strsignal(caughtSignal));
}

}  // namespace vk::platform::hosted
