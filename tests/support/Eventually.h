#pragma once
// Waiting for what another process does without a signal to wait on (a file
// it makes or deletes): the condition is checked at once and then every few
// milliseconds, and the wait ends as soon as it holds.
#include <chrono>
#include <thread>

namespace vk::test {

// Whether condition() held before timeout ran out.
template <typename Condition>
bool eventually(Condition condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace vk::test
