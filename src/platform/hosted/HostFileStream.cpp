#include "platform/hosted/HostFileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Error.h"

namespace vk::platform::hosted {

HostFileStream::HostFileStream(const std::filesystem::path& hostPath, int flags, std::string name)
    : name_(std::move(name)),
      fd_(::open(hostPath.c_str(), flags | O_CLOEXEC, 0666)),
      writable_((flags & O_ACCMODE) != O_RDONLY) {
    if (!fd_.valid()) fail(errno);
    struct stat info {};
    if (::fstat(fd_.get(), &info) != 0) fail(errno);
    if (S_ISDIR(info.st_mode)) fail(EISDIR);
}

HostFileStream::HostFileStream(int fd, std::string name) : name_(std::move(name)), fd_(fd), writable_(true) {}

void HostFileStream::flushToDisk() {
    if (::fsync(fd_.get()) != 0) fail(errno);
}

void HostFileStream::close() {
    if (::close(fd_.release()) != 0) fail(errno);
}

void HostFileStream::fail(int error) const { throw Error(name_ + ": " + std::strerror(error)); }

std::size_t HostFileStream::read(void* buffer, std::size_t count) {
    while (true) {
        ssize_t got = ::read(fd_.get(), buffer, count);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) fail(errno);
    }
}

void HostFileStream::write(const void* buffer, std::size_t count) {
    if (!writable_) throw Error(name_ + ": the file is open for reading only");
    const auto* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        ssize_t written = ::write(fd_.get(), bytes, count);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) fail(written < 0 ? errno : EIO);
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
}

std::int64_t HostFileStream::seek(std::int64_t offset, SeekOrigin origin) {
    int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
    off_t position = ::lseek(fd_.get(), static_cast<off_t>(offset), whence);
    if (position < 0) {
        if (errno == EINVAL) throw Error(name_ + ": seek before the beginning");
        fail(errno);
    }
    return static_cast<std::int64_t>(position);
}

std::int64_t HostFileStream::size() {
    struct stat info {};
    if (::fstat(fd_.get(), &info) != 0) fail(errno);
    return static_cast<std::int64_t>(info.st_size);
}

void HostFileStream::setSize(std::int64_t newSize) {
    if (!writable_) throw Error(name_ + ": the file is open for reading only");
    if (newSize < 0) throw Error(name_ + ": negative size");
    if (::ftruncate(fd_.get(), static_cast<off_t>(newSize)) != 0) fail(errno);
}

}  // namespace vk::platform::hosted
