#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/MessageChannel.h"
#include "support/Eventually.h"

namespace vk::platform {
namespace {

constexpr std::uint32_t kEarlier = kFirstUserMessage + 1;
constexpr std::uint32_t kReport = kFirstUserMessage + 2;

struct Report : MessageHandler {
    bool seen = false;
    void handleMessage(std::uint32_t code, std::uintptr_t, std::intptr_t) override { seen = seen || code == kReport; }
};

// The install thread posts its report, then sends its end. Windows hands the
// send over first and then the earliest post, which need not be the report
// (here one made before it); the wait the send ends must still deliver it.
TEST(MessageChannelOnWindows, AWaitEndedByASendDeliversThePostItOvertook) {
    Report report;
    MessageWindow window(report);
    bool ended = false;
    postMessage(window.handle(), kEarlier, 0, 0);
    std::thread worker([&, handle = window.handle()] {
        postMessage(handle, kReport, 0, 0);
        sendCall(handle, [&] { ended = true; });
    });
    // Both are queued before the pump looks: the send waits, the post before it.
    ASSERT_TRUE(test::eventually([] { return (HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) != 0; },
                                 std::chrono::seconds(10)));
    window.pumpUntil([&] { return ended; });
    worker.join();
    EXPECT_TRUE(report.seen);
}

}  // namespace
}  // namespace vk::platform
