#include "platform/hosted/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Error.h"
#include "platform/hosted/FileDescriptor.h"

namespace vk::platform::hosted {

namespace {

[[noreturn]] void failWith(const std::filesystem::path& file, int error) {
    throw Error(file.string() + ": " + std::strerror(error));
}

void writeAll(int fd, std::string_view content, const std::filesystem::path& file) {
    while (!content.empty()) {
        ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) failWith(file, written < 0 ? errno : EIO);
        content.remove_prefix(static_cast<std::size_t>(written));
    }
}

}  // namespace

void writeFileAtomically(const std::filesystem::path& file, std::string_view content, Durability durability) {
    std::filesystem::path fresh = file;
    fresh += ".new";
    try {
        FileDescriptor fd(::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
        if (fd.get() < 0) failWith(fresh, errno);
        writeAll(fd.get(), content, fresh);
        if (durability == Durability::Flushed && ::fsync(fd.get()) != 0) failWith(fresh, errno);
        if (::close(fd.release()) != 0) failWith(fresh, errno);
        if (::rename(fresh.c_str(), file.c_str()) != 0) failWith(file, errno);
    } catch (const Error&) {
        ::unlink(fresh.c_str());
        throw;
    }
}

std::string readWholeFile(const std::filesystem::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) failWith(file, errno);
    std::string content;
    char chunk[64 * 1024];
    while (true) {
        ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) failWith(file, errno);
        if (got == 0) return content;
        content.append(chunk, static_cast<std::size_t>(got));
    }
}

}  // namespace vk::platform::hosted
