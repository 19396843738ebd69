#pragma once
// Byte streams: the one abstraction through which payloads, logs, static-set
// streams, compound-file streams and resources are read and written.
// Failures are vk::Error with the stream's name in the message.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vk {

enum class SeekOrigin { Begin, Current, End };

class Stream {
public:
    virtual ~Stream() = default;

    // Reads up to count bytes; returns how many were read (0 at the end).
    virtual std::size_t read(void* buffer, std::size_t count) = 0;
    // Writes all count bytes or throws.
    virtual void write(const void* buffer, std::size_t count) = 0;
    // Returns the new position; a position before 0 throws.
    virtual std::int64_t seek(std::int64_t offset, SeekOrigin origin) = 0;
    virtual std::int64_t size() = 0;
    // Truncates or extends (with zeros); read-only streams throw.
    virtual void setSize(std::int64_t newSize) = 0;
    // What failures name: a file path or a resource name.
    virtual std::string name() const = 0;

    std::int64_t position() { return seek(0, SeekOrigin::Current); }
    // Reads exactly count bytes or throws "unexpected end" naming the stream.
    void readExact(void* buffer, std::size_t count);
    // Copies count bytes (all remaining when count < 0) from source; returns the count copied.
    std::int64_t copyFrom(Stream& source, std::int64_t count = -1);
};

// A growable in-memory stream.
class MemoryStream final : public Stream {
public:
    explicit MemoryStream(std::string name = "memory") : name_(std::move(name)) {}
    MemoryStream(std::vector<std::uint8_t> bytes, std::string name = "memory")
        : bytes_(std::move(bytes)), name_(std::move(name)) {}

    std::size_t read(void* buffer, std::size_t count) override;
    void write(const void* buffer, std::size_t count) override;
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t size() override { return static_cast<std::int64_t>(bytes_.size()); }
    void setSize(std::int64_t newSize) override;
    std::string name() const override { return name_; }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
    std::string name_;
};

// A read-only view over bytes owned elsewhere (a mapped resource, a test array).
class ByteViewStream final : public Stream {
public:
    ByteViewStream(const std::uint8_t* data, std::size_t size, std::string name)
        : data_(data), size_(size), name_(std::move(name)) {}

    std::size_t read(void* buffer, std::size_t count) override;
    void write(const void* buffer, std::size_t count) override;
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t size() override { return static_cast<std::int64_t>(size_); }
    void setSize(std::int64_t newSize) override;
    std::string name() const override { return name_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    std::string name_;
};

// A read-only window [offset, offset + size) of a stream it owns: how a
// resource is handed out as a stream of its own without copying it.
class StreamWindow final : public Stream {
public:
    StreamWindow(std::unique_ptr<Stream> base, std::int64_t offset, std::int64_t size, std::string name);

    std::size_t read(void* buffer, std::size_t count) override;
    void write(const void* buffer, std::size_t count) override;
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t size() override { return size_; }
    void setSize(std::int64_t newSize) override;
    std::string name() const override { return name_; }

private:
    std::unique_ptr<Stream> base_;
    std::int64_t offset_;
    std::int64_t size_;
    std::int64_t position_ = 0;
    std::string name_;
};

}  // namespace vk
