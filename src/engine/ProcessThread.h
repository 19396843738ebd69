#pragma once
// The install thread: copies the payload, registers components, has the
// wizard apply the system settings, and reports every step to the wizard's
// window (ProgressMessage.h). It never touches the wizard otherwise.
//
// Made suspended: the owner sets the fields (the job it carries out, the
// window and OnTerminate), then hands the object to Resume,
// which runs Execute on a thread of its own. From then on the fields are only
// read, by the thread. When Execute has ended the thread frees the object and
// then runs OnTerminate on the window's thread (waiting for it); the owner
// clears its reference there and must not use the object after Resume.
// OnTerminate receives the text of the failure that ended the run early, or
// an empty text; the wizard only learns success or failure from
// WM_PROCESS_FINISHED, tools also show why.
#include <functional>
#include <memory>
#include <string>

#include "engine/InstallJob.h"
#include "platform/MessageChannel.h"

namespace vk {

class TProcessThread : public InstallJob {
public:
    platform::WindowHandle Window = nullptr;
    // Runs on the window's thread once the thread has ended.
    std::function<void(const std::string& failure)> OnTerminate;

    // Starts the thread; it owns and frees the object from now on. When no
    // thread can be started, throws and frees the object.
    static void Resume(std::unique_ptr<TProcessThread> thread);

    void Execute();

private:
    std::string failure_;
};

}  // namespace vk
