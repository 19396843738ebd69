#include "platform/hosted/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/Error.h"

namespace vk::platform::hosted {

namespace {

[[noreturn]] void fail(const std::string& displayName, int error) {
    throw Error(displayName + ": " + std::strerror(error));
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, so that a failing close is seen.
    int close() {
        int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path,
                                                       const std::string& displayName) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return std::nullopt;
        fail(displayName, errno);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) fail(displayName, errno);
    if (S_ISDIR(info.st_mode)) fail(displayName, EISDIR);
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[64 * 1024];
    for (;;) {
        ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) fail(displayName, errno);
        if (got == 0) return bytes;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
}

void replaceFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes,
                 const std::string& displayName) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temporary = path;
    temporary += ".~" + std::to_string(::getpid()) + "." + std::to_string(counter++);
    {
        Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (fd.get() < 0) fail(displayName, errno);
        auto discard = [&](int error) {
            ::unlink(temporary.c_str());
            fail(displayName, error);
        };
        std::size_t written = 0;
        while (written < bytes.size()) {
            ssize_t n = ::write(fd.get(), bytes.data() + written, bytes.size() - written);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) discard(errno);
            written += static_cast<std::size_t>(n);
        }
        if (::fsync(fd.get()) != 0) discard(errno);
        if (fd.close() != 0) discard(errno);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        int error = errno;
        ::unlink(temporary.c_str());
        fail(displayName, error);
    }
    // The rename itself becomes durable with the folder's entry.
    std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

}  // namespace vk::platform::hosted
