#include "platform/hosted/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Error.h"
#include "platform/SiblingName.h"
#include "platform/hosted/FileDescriptor.h"
#include "platform/hosted/HostFileStream.h"

namespace vk::platform::hosted {

namespace {

[[noreturn]] void failWith(const std::string& shown, int error) { throw Error(shown + ": " + std::strerror(error)); }

// A new, empty file beside file that nobody else has opened: O_EXCL refuses
// any existing name, a symbolic link included, so nothing is followed.
int createSibling(const std::filesystem::path& file, const std::string& shown, std::filesystem::path& fresh) {
    for (int attempt = 0; attempt < kSiblingNameAttempts; ++attempt) {
        fresh = siblingName(file.string());
        const int fd = ::open(fresh.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) failWith(shown, errno);
    }
    failWith(shown, EEXIST);
}

}  // namespace

void replaceHostFile(const std::filesystem::path& file, const std::string& shown,
                     const std::function<void(Stream&)>& fill, Durability durability) {
    std::filesystem::path fresh;
    HostFileStream out(createSibling(file, shown, fresh), shown);
    try {
        fill(out);
        if (durability == Durability::Flushed) out.flushToDisk();
        out.close();
        if (::rename(fresh.c_str(), file.c_str()) != 0) failWith(shown, errno);
    } catch (...) {
        ::unlink(fresh.c_str());
        throw;
    }
}

std::string readWholeFile(const std::filesystem::path& file) {
    // Without O_NONBLOCK opening a pipe would wait for a writer.
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) failWith(file.string(), errno);
    // A device or pipe may never end: only a file of known size is read whole.
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) failWith(file.string(), errno);
    if (!S_ISREG(info.st_mode)) throw Error(file.string() + ": not a regular file");
    std::string content;
    char chunk[64 * 1024];
    while (true) {
        ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) failWith(file.string(), errno);
        if (got == 0) return content;
        content.append(chunk, static_cast<std::size_t>(got));
    }
}

}  // namespace vk::platform::hosted
