#include "platform/Stream.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/Error.h"

namespace vk {

namespace {

std::int64_t resolveSeek(std::int64_t offset, SeekOrigin origin, std::int64_t position,
                         std::int64_t size, const std::string& name) {
    std::int64_t base = origin == SeekOrigin::Begin ? 0 : origin == SeekOrigin::Current ? position : size;
    std::int64_t target = base + offset;
    if (target < 0) throw Error(name + ": seek before the beginning");
    return target;
}

}  // namespace

void Stream::readExact(void* buffer, std::size_t count) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    while (count > 0) {
        std::size_t got = read(out, count);
        if (got == 0) throw Error(name() + ": unexpected end of data");
        out += got;
        count -= got;
    }
}

std::int64_t Stream::copyFrom(Stream& source, std::int64_t count) {
    // No larger than the copy and not zero-filled: a log copies hundreds of
    // values of a few bytes each.
    constexpr std::int64_t kChunk = 64 * 1024;
    const std::size_t chunkSize = static_cast<std::size_t>(count < 0 ? kChunk : std::min(count, kChunk));
    const auto chunk = std::make_unique_for_overwrite<std::uint8_t[]>(chunkSize);
    std::int64_t copied = 0;
    while (count < 0 || copied < count) {
        std::size_t want = chunkSize;
        if (count >= 0) want = static_cast<std::size_t>(std::min<std::int64_t>(want, count - copied));
        std::size_t got = source.read(chunk.get(), want);
        if (got == 0) {
            if (count >= 0) throw Error(source.name() + ": unexpected end of data");
            break;
        }
        write(chunk.get(), got);
        copied += static_cast<std::int64_t>(got);
    }
    return copied;
}

std::size_t MemoryStream::read(void* buffer, std::size_t count) {
    if (position_ >= bytes_.size()) return 0;
    std::size_t n = std::min(count, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

void MemoryStream::write(const void* buffer, std::size_t count) {
    if (count == 0) return;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    if (position_ > bytes_.size()) bytes_.resize(position_);  // a seek beyond the end leaves zeros between
    // What lies past the end is appended, not zero-filled first and then overwritten.
    const std::size_t overwritten = std::min(count, bytes_.size() - position_);
    if (overwritten > 0) std::memcpy(bytes_.data() + position_, bytes, overwritten);
    bytes_.insert(bytes_.end(), bytes + overwritten, bytes + count);
    position_ += count;
}

std::int64_t MemoryStream::seek(std::int64_t offset, SeekOrigin origin) {
    position_ = static_cast<std::size_t>(
        resolveSeek(offset, origin, static_cast<std::int64_t>(position_), size(), name_));
    return static_cast<std::int64_t>(position_);
}

void MemoryStream::setSize(std::int64_t newSize) {
    if (newSize < 0) throw Error(name_ + ": negative size");
    bytes_.resize(static_cast<std::size_t>(newSize));
}

std::size_t ByteViewStream::read(void* buffer, std::size_t count) {
    if (position_ >= size_) return 0;
    std::size_t n = std::min(count, size_ - position_);
    std::memcpy(buffer, data_ + position_, n);
    position_ += n;
    return n;
}

void ByteViewStream::write(const void*, std::size_t) { throw Error(name_ + ": the stream is read-only"); }

std::int64_t ByteViewStream::seek(std::int64_t offset, SeekOrigin origin) {
    position_ = static_cast<std::size_t>(
        resolveSeek(offset, origin, static_cast<std::int64_t>(position_), size(), name_));
    return static_cast<std::int64_t>(position_);
}

void ByteViewStream::setSize(std::int64_t) { throw Error(name_ + ": the stream is read-only"); }

StreamWindow::StreamWindow(std::unique_ptr<Stream> base, std::int64_t offset, std::int64_t size, std::string name)
    : base_(std::move(base)), offset_(offset), size_(size), name_(std::move(name)) {
    if (offset < 0 || size < 0 || offset > base_->size() - size) throw Error(name_ + ": lies past the end of its file");
}

std::size_t StreamWindow::read(void* buffer, std::size_t count) {
    if (position_ >= size_) return 0;
    const auto left = static_cast<std::uint64_t>(size_ - position_);
    const std::size_t n = left < count ? static_cast<std::size_t>(left) : count;
    base_->seek(offset_ + position_, SeekOrigin::Begin);
    const std::size_t got = base_->read(buffer, n);
    position_ += static_cast<std::int64_t>(got);
    return got;
}

void StreamWindow::write(const void*, std::size_t) { throw Error(name_ + ": is read-only"); }

void StreamWindow::setSize(std::int64_t) { throw Error(name_ + ": is read-only"); }

std::int64_t StreamWindow::seek(std::int64_t offset, SeekOrigin origin) {
    position_ = resolveSeek(offset, origin, position_, size_, name_);
    return position_;
}

}  // namespace vk
