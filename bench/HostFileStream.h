#pragma once
// A vk::Stream over a host file, for the benchmark drivers: they time the
// codec on ordinary files, outside any machine of the platform layer.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/Error.h"
#include "platform/Stream.h"

namespace vk::bench {

class HostFileStream final : public Stream {
public:
    HostFileStream(std::string path, bool create) : path_(std::move(path)) {
        fd_ = create ? ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644) : ::open(path_.c_str(), O_RDONLY);
        if (fd_ < 0) fail("cannot open");
    }
    ~HostFileStream() override { ::close(fd_); }
    HostFileStream(const HostFileStream&) = delete;
    HostFileStream& operator=(const HostFileStream&) = delete;

    std::size_t read(void* buffer, std::size_t count) override {
        ssize_t got = ::read(fd_, buffer, count);
        if (got < 0) fail("cannot read");
        return static_cast<std::size_t>(got);
    }
    void write(const void* buffer, std::size_t count) override {
        const auto* bytes = static_cast<const char*>(buffer);
        while (count > 0) {
            ssize_t done = ::write(fd_, bytes, count);
            if (done <= 0) fail("cannot write");
            bytes += done;
            count -= static_cast<std::size_t>(done);
        }
    }
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override {
        int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
        off_t at = ::lseek(fd_, offset, whence);
        if (at < 0) fail("cannot seek");
        return at;
    }
    std::int64_t size() override {
        struct stat info {};
        if (::fstat(fd_, &info) != 0) fail("cannot stat");
        return info.st_size;
    }
    void setSize(std::int64_t newSize) override {
        if (::ftruncate(fd_, newSize) != 0) fail("cannot resize");
    }
    std::string name() const override { return path_; }

private:
    [[noreturn]] void fail(const char* what) const { throw Error(path_ + ": " + what + ": " + std::strerror(errno)); }

    std::string path_;
    int fd_ = -1;
};

}  // namespace vk::bench
