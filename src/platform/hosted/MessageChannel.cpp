// The hosted message window: a queue that the owning thread empties. A send
// waits on its own completion record until the owner has handled it.
#include "platform/MessageChannel.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace vk::platform {

namespace {

struct Completion {
    bool done = false;
    std::exception_ptr failure;
};

struct QueuedMessage {
    std::uint32_t code = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    const std::function<void()>* call = nullptr;  // set for sendCall
    Completion* completion = nullptr;              // null for posted messages
};

}  // namespace

class MessageWindow::Impl {
public:
    explicit Impl(MessageHandler& handler) : handler_(handler), owner_(std::this_thread::get_id()) {}

    void deliver(const QueuedMessage& message) {
        if (message.call)
            (*message.call)();
        else
            handler_.handleMessage(message.code, message.wParam, message.lParam);
    }

    void send(QueuedMessage message) {
        if (std::this_thread::get_id() == owner_) {
            deliver(message);
            return;
        }
        Completion completion;
        message.completion = &completion;
        std::unique_lock lock(mutex_);
        queue_.push_back(message);
        changed_.notify_all();
        changed_.wait(lock, [&] { return completion.done; });
        if (completion.failure) std::rethrow_exception(completion.failure);
    }

    void post(const QueuedMessage& message) {
        std::lock_guard lock(mutex_);
        queue_.push_back(message);
        changed_.notify_all();
    }

    void pumpUntil(const std::function<bool()>& done) {
        while (!done()) {
            QueuedMessage message;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return !queue_.empty(); });
                message = queue_.front();
                queue_.pop_front();
            }
            if (!message.completion) {
                deliver(message);
                continue;
            }
            std::exception_ptr failure;
            try {
                deliver(message);
            } catch (...) {
                failure = std::current_exception();
            }
            {
                std::lock_guard lock(mutex_);
                if (message.call) message.completion->failure = failure;
                message.completion->done = true;
                changed_.notify_all();
            }
            if (failure && !message.call) std::rethrow_exception(failure);
        }
    }

private:
    MessageHandler& handler_;
    std::thread::id owner_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<QueuedMessage> queue_;
};

MessageWindow::MessageWindow(MessageHandler& handler) : impl_(std::make_unique<Impl>(handler)) {}
MessageWindow::~MessageWindow() = default;

WindowHandle MessageWindow::handle() const { return impl_.get(); }

void MessageWindow::pumpUntil(const std::function<bool()>& done) { impl_->pumpUntil(done); }

static MessageWindow::Impl& windowOf(WindowHandle window) { return *static_cast<MessageWindow::Impl*>(window); }

void sendMessage(WindowHandle window, std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) {
    windowOf(window).send({code, wParam, lParam});
}

void postMessage(WindowHandle window, std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) {
    windowOf(window).post({code, wParam, lParam});
}

void sendCall(WindowHandle window, const std::function<void()>& call) {
    QueuedMessage message;
    message.call = &call;
    windowOf(window).send(message);
}

}  // namespace vk::platform
