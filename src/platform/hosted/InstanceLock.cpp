#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/Error.h"
#include "platform/hosted/FileDescriptor.h"
#include "platform/hosted/HostedMachine.h"

namespace vk::platform {

namespace {

// flock belongs to the open file, so a second opening, in this program or
// another, does not get it; the system drops it when the program ends.
class FileLock final : public InstanceLock {
public:
    explicit FileLock(int fd) : fd_(fd) {}

private:
    hosted::FileDescriptor fd_;
};

}  // namespace

std::unique_ptr<InstanceLock> lockInstance(std::string_view name) {
    std::filesystem::path folder = hosted::machineFolder();
    if (folder.empty()) folder = std::filesystem::temp_directory_path();
    const std::filesystem::path file = folder / (std::string(name) + ".lock");
    hosted::FileDescriptor fd(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (!fd.valid()) throw Error(file.string() + ": " + std::strerror(errno));
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) return nullptr;
        throw Error(file.string() + ": " + std::strerror(errno));
    }
    return std::make_unique<FileLock>(fd.release());
}

}  // namespace vk::platform
