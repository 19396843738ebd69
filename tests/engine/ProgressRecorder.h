#pragma once
// A wizard stand-in for the install thread's tests: records every progress
// message as one line ("STATUS 2 name", "RANGE 5", "STEP", ...) and runs a
// thread to its end on the test's own thread, as the wizard's window would.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/ProcessThread.h"
#include "engine/ProgressMessage.h"

namespace vk::test {

class ProgressRecorder final : public ProgressReceiver {
public:
    std::vector<std::string> lines;
    bool finished = false;
    bool failed = false;
    std::string failure;  // as the thread's end notification gave it
    // Run inside WM_PROCESS_STATUS and WM_PROCESS_SYSTEM, while the thread waits.
    std::function<void(std::uint32_t status)> onStatus;
    std::function<void()> onSystem;

    void processStatus(std::uint32_t status, const char* text) override {
        lines.push_back("STATUS " + std::to_string(status) + (text ? std::string(" ") + text : ""));
        if (onStatus) onStatus(status);
    }
    void processRange(std::uint32_t steps) override { lines.push_back("RANGE " + std::to_string(steps)); }
    void processStep() override { lines.push_back("STEP"); }
    void processEndPhase(std::uint32_t value) override { lines.push_back("ENDPHASE " + std::to_string(value)); }
    void processSystem() override {
        lines.push_back("SYSTEM");
        if (onSystem) onSystem();
    }
    void processFinished(bool runFailed) override {
        lines.push_back(runFailed ? "FINISHED 1" : "FINISHED 0");
        finished = true;
        failed = runFailed;
    }

    // Resumes the thread and handles its messages until it has finished and ended.
    void run(std::unique_ptr<TProcessThread> thread) {
        ProgressDispatcher dispatcher(*this);
        platform::MessageWindow window(dispatcher);
        bool ended = false;
        thread->Window = window.handle();
        thread->OnTerminate = [&](const std::string& text) {
            ended = true;
            failure = text;
        };
        TProcessThread::Resume(std::move(thread));
        window.pumpUntil([&] { return ended && finished; });
    }
};

}  // namespace vk::test
