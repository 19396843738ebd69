#pragma once
#include <filesystem>
#include <string>

#include "platform/Stream.h"
#include "platform/hosted/FileDescriptor.h"

namespace vk::platform::hosted {

// A stream over a host file. Failures throw Error with the system's message
// and the stream's name (the Windows path the caller gave).
class HostFileStream final : public Stream {
public:
    // flags as for open(2); throws when the file cannot be opened or is a folder.
    HostFileStream(const std::filesystem::path& hostPath, int flags, std::string name);
    // Takes over a descriptor open for reading and writing.
    HostFileStream(int fd, std::string name);

    // fsync: the bytes written so far are on the disk when it returns.
    void flushToDisk();
    // Closes the file now, so that a failure to write out is reported; the
    // stream cannot be used afterwards.
    void close();

    std::size_t read(void* buffer, std::size_t count) override;
    void write(const void* buffer, std::size_t count) override;
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t size() override;
    void setSize(std::int64_t newSize) override;
    std::string name() const override { return name_; }

private:
    [[noreturn]] void fail(int error) const;

    std::string name_;
    FileDescriptor fd_;
    bool writable_;
};

}  // namespace vk::platform::hosted
