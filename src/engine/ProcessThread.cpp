#include "engine/ProcessThread.h"

#include <exception>
#include <thread>

#include "engine/CopyPhase.h"
#include "engine/InstallLog.h"
#include "engine/ProgressMessage.h"
#include "engine/RegistrationPhase.h"

namespace vk {

void TProcessThread::Resume(std::unique_ptr<TProcessThread> thread) {
    TProcessThread* self = thread.get();
    std::thread([self] {
        std::unique_ptr<TProcessThread> owned(self);
        owned->Execute();
        // Free the object before telling the owner, so that nothing of it is
        // touched once the owner knows the thread has ended.
        const platform::WindowHandle window = owned->Window;
        const auto onTerminate = std::move(owned->OnTerminate);
        const std::string failure = std::move(owned->failure_);
        owned.reset();
        if (onTerminate) platform::sendCall(window, [&] { onTerminate(failure); });
    }).detach();
    thread.release();  // only once the thread runs: if it could not start, the object is freed here
}

void TProcessThread::Execute() {
    const ProgressSender progress(Window);
    bool failed = false;
    // The first entries are guarded like the phases: a failure there must still
    // reach the wizard as a failed run rather than leave it waiting.
    try {
        AddLogEntry(InstallFolder(), logkind::Target, 0);
        AddLogEntry(BdeFolder, logkind::BdeDir, 0);
        AddLogEntry(DataBaseFolder, logkind::DbDir, 0);
        RunCopyPhase(*this, progress);
        RunRegistrationPhase(*this, progress);
        progress.system();
    } catch (const std::exception& e) {
        failed = true;
        failure_ = e.what();
    } catch (...) {
        failed = true;
        failure_ = "unknown failure";
    }
    progress.finished(failed);
}

}  // namespace vk
