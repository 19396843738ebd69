#pragma once
// The threads the UI driver sends its messages to the program from. A send
// returns only once the program has handled the message, which may open a
// dialog that a later send answers: each send has a thread of its own while
// it waits. A thread that has sent waits for the next send instead of
// ending: under Wine a new thread took 3-7 ms to start, time the program
// spent waiting for the driver's click.
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace vk::uidrive {

class SendingThreads {
public:
    SendingThreads();
    // Waits for the sends still waiting: the program must have handled or
    // ended them.
    ~SendingThreads();
    SendingThreads(const SendingThreads&) = delete;
    SendingThreads& operator=(const SendingThreads&) = delete;

    // Set each time a send has returned.
    HANDLE activity() const { return activity_; }
    // Runs SEND on a thread that is free (a new one when none is).
    void run(std::function<void()> send);
    // How many sends were run so far; the number of the next one.
    std::size_t count() const { return returned_.size(); }
    // Whether every send from number FIRST on has returned.
    bool returnedSince(std::size_t first) const;

private:
    class Thread;

    HANDLE activity_;
    std::deque<std::atomic<bool>> returned_;  // one for each send, in order
    std::vector<std::unique_ptr<Thread>> threads_;
};

}  // namespace vk::uidrive
