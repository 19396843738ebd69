#include "SendingThreads.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

namespace vk::uidrive {

class SendingThreads::Thread {
public:
    explicit Thread(HANDLE activity) : activity_(activity), thread_([this] { serve(); }) {}

    ~Thread() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

    // False while the last send given is still waiting.
    bool take(std::function<void()>& send, std::atomic<bool>& done) {
        {
            std::lock_guard lock(mutex_);
            if (send_) return false;
            send_ = std::move(send);
            done_ = &done;
        }
        wake_.notify_one();
        return true;
    }

private:
    void serve() {
        std::unique_lock lock(mutex_);
        while (true) {
            wake_.wait(lock, [this] { return send_ || stopping_; });
            if (!send_) return;
            lock.unlock();
            send_();
            lock.lock();
            *done_ = true;
            send_ = nullptr;
            SetEvent(activity_);
        }
    }

    HANDLE activity_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::function<void()> send_;  // the send given, empty while free
    std::atomic<bool>* done_ = nullptr;
    bool stopping_ = false;
    std::thread thread_;  // last: it starts on the members above
};

// One thread is started at once, while the program itself starts.
SendingThreads::SendingThreads() : activity_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    threads_.push_back(std::make_unique<Thread>(activity_));
}

SendingThreads::~SendingThreads() {
    threads_.clear();  // they set the event until they end
    CloseHandle(activity_);
}

void SendingThreads::run(std::function<void()> send) {
    std::atomic<bool>& returned = returned_.emplace_back(false);
    for (const auto& thread : threads_)
        if (thread->take(send, returned)) return;
    threads_.push_back(std::make_unique<Thread>(activity_));
    threads_.back()->take(send, returned);
}

bool SendingThreads::returnedSince(std::size_t first) const {
    return std::all_of(returned_.begin() + static_cast<std::ptrdiff_t>(first), returned_.end(),
                       [](const std::atomic<bool>& returned) { return returned.load(); });
}

}  // namespace vk::uidrive
