// The hosted message window: a queue that the owning thread empties. A send
// waits on a future of its own, whose promise travels with the message: once
// the owner has kept it, neither side touches the other's objects again, so
// the window may go away while a released sender is still waking up.
#include "platform/MessageChannel.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <future>
#include <mutex>
#include <optional>
#include <thread>

namespace vk::platform {

namespace {

struct QueuedMessage {
    std::uint32_t code = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    const std::function<void()>* call = nullptr;   // set for sendCall
    std::optional<std::promise<void>> handled;     // none for posted messages
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
        std::future<void> handled = message.handled.emplace().get_future();
        post(std::move(message));
        handled.get();  // rethrows a call's failure
    }

    void post(QueuedMessage message) {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(message));
        changed_.notify_all();
    }

    void pumpUntil(const std::function<bool()>& done) {
        while (!done()) {
            QueuedMessage message;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return !queue_.empty(); });
                message = std::move(queue_.front());
                queue_.pop_front();
            }
            if (!message.handled) {
                deliver(message);
                continue;
            }
            std::exception_ptr failure;
            try {
                deliver(message);
            } catch (...) {
                failure = std::current_exception();
            }
            if (failure && message.call)
                message.handled->set_exception(failure);
            else
                message.handled->set_value();
            if (failure && !message.call) std::rethrow_exception(failure);
        }
    }

private:
    MessageHandler& handler_;
    std::thread::id owner_;
    std::mutex mutex_;
    std::condition_variable changed_;  // the queue is no longer empty
    std::deque<QueuedMessage> queue_;
};

MessageWindow::MessageWindow(MessageHandler& handler) : impl_(std::make_unique<Impl>(handler)) {}
MessageWindow::~MessageWindow() = default;

WindowHandle MessageWindow::handle() const { return impl_.get(); }

void MessageWindow::pumpUntil(const std::function<bool()>& done) { impl_->pumpUntil(done); }

static MessageWindow::Impl& windowOf(WindowHandle window) { return *static_cast<MessageWindow::Impl*>(window); }

void sendMessage(WindowHandle window, std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) {
    windowOf(window).send({code, wParam, lParam, nullptr, std::nullopt});
}

void postMessage(WindowHandle window, std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) {
    windowOf(window).post({code, wParam, lParam, nullptr, std::nullopt});
}

void sendCall(WindowHandle window, const std::function<void()>& call) {
    QueuedMessage message;
    message.call = &call;
    windowOf(window).send(std::move(message));
}

}  // namespace vk::platform
