#include "platform/InstanceLock.h"

#include <string>

#include "platform/Error.h"
#include "platform/win32/Wide.h"

namespace vk::platform {

namespace {

class MutexLock final : public InstanceLock {
public:
    explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}
    ~MutexLock() override { CloseHandle(mutex_); }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;

private:
    HANDLE mutex_;
};

}  // namespace

std::unique_ptr<InstanceLock> lockInstance(std::string_view name) {
    // The mutex exists while any program holds a handle to it: whoever made
    // it first holds the lock; a second CreateMutex only opens it.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, win32::wide(std::string(name)).c_str());
    if (!mutex) throw Error(std::string(name) + ": " + win32::systemMessage(GetLastError()));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return nullptr;
    }
    return std::make_unique<MutexLock>(mutex);
}

}  // namespace vk::platform
