#include "SendingThreads.h"

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
SendingThreads::SendingThreads(HANDLE activity) : activity_(activity) {
    threads_.push_back(std::make_unique<Thread>(activity_));
}

SendingThreads::~SendingThreads() = default;

void SendingThreads::run(std::function<void()> send, std::atomic<bool>& done) {
    for (const auto& thread : threads_)
        if (thread->take(send, done)) return;
    threads_.push_back(std::make_unique<Thread>(activity_));
    threads_.back()->take(send, done);
}

}  // namespace vk::uidrive
