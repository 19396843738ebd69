#include "platform/MessageChannel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/Error.h"

namespace vk::platform {
namespace {

constexpr std::uint32_t kText = kFirstUserMessage + 1;
constexpr std::uint32_t kFail = kFirstUserMessage + 2;
constexpr std::uint32_t kLast = kFirstUserMessage + 3;

// Records what arrived, on which thread, copying texts passed by address.
struct Recorder : MessageHandler {
    std::vector<std::string> seen;
    std::vector<std::thread::id> threads;
    bool last = false;
    void handleMessage(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) override {
        threads.push_back(std::this_thread::get_id());
        if (code == kFail) throw Error("handler failed");
        if (code == kLast) last = true;
        seen.push_back(lParam ? reinterpret_cast<const char*>(lParam) : std::to_string(wParam));
    }
};

// Windows hands a sent message to the window before anything posted earlier,
// so only the order that holds on both platforms is checked: sends in order,
// each finished before the sender goes on, and a post made after them last.
TEST(MessageChannel, SendsWaitForTheOwnerAndALaterPostComesAfterThem) {
    Recorder recorder;
    MessageWindow window(recorder);
    std::atomic<int> sendsReturned = 0;
    std::thread worker([&, handle = window.handle()] {
        for (int i = 0; i < 3; ++i) {
            std::string text = "item " + std::to_string(i);
            sendMessage(handle, kText, 0, reinterpret_cast<std::intptr_t>(text.c_str()));
            text.assign("overwritten");  // the receiver has copied it by now
            ++sendsReturned;
        }
        postMessage(handle, kLast, 2, 0);
    });
    window.pumpUntil([&] { return recorder.last; });
    worker.join();
    EXPECT_EQ(recorder.seen, (std::vector<std::string>{"item 0", "item 1", "item 2", "2"}));
    EXPECT_EQ(sendsReturned, 3);
    for (std::thread::id id : recorder.threads) EXPECT_EQ(id, std::this_thread::get_id());
}

TEST(MessageChannel, AHandlersFailureStaysWithTheOwnerWhileACallsFailureReachesTheCaller) {
    Recorder recorder;
    MessageWindow window(recorder);
    bool senderWentOn = false;
    bool callerSawFailure = false;
    std::thread::id callThread;
    std::thread worker([&, handle = window.handle()] {
        sendMessage(handle, kFail, 0, 0);
        senderWentOn = true;
        try {
            sendCall(handle, [&] {
                callThread = std::this_thread::get_id();
                throw Error("call failed");
            });
        } catch (const Error&) {
            callerSawFailure = true;
        }
        postMessage(handle, kLast, 0, 0);
    });
    EXPECT_THROW(window.pumpUntil([] { return false; }), Error);
    window.pumpUntil([&] { return recorder.last; });
    worker.join();
    EXPECT_TRUE(senderWentOn);
    EXPECT_TRUE(callerSawFailure);
    EXPECT_EQ(callThread, std::this_thread::get_id());
}

TEST(MessageChannel, ASendFromTheOwnersThreadIsHandledAtOnce) {
    Recorder recorder;
    MessageWindow window(recorder);
    sendMessage(window.handle(), kText, 7, 0);
    ASSERT_EQ(recorder.seen, std::vector<std::string>{"7"});
    EXPECT_THROW(sendMessage(window.handle(), kFail, 0, 0), Error);
}

}  // namespace
}  // namespace vk::platform
