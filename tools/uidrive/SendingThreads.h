#pragma once
// The threads the UI driver sends its messages to the program from. A send
// returns only once the program has handled the message, which may open a
// dialog that a later send answers: each send has a thread of its own while
// it waits. A thread that has sent waits for the next send instead of
// ending: under Wine a new thread took 3-7 ms to start, time the program
// spent waiting for the driver's click.
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace vk::uidrive {

class SendingThreads {
public:
    // ACTIVITY is set each time a send has returned.
    explicit SendingThreads(HANDLE activity);
    // Waits for the sends still waiting: the program must have handled or
    // ended them.
    ~SendingThreads();
    SendingThreads(const SendingThreads&) = delete;
    SendingThreads& operator=(const SendingThreads&) = delete;

    // Runs SEND on a thread that is free (a new one when none is), then sets
    // DONE and the activity event. DONE must outlive the send.
    void run(std::function<void()> send, std::atomic<bool>& done);

private:
    class Thread;

    HANDLE activity_;
    std::vector<std::unique_ptr<Thread>> threads_;
};

}  // namespace vk::uidrive
