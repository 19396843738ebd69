// SZDD expansion, streaming: the memory used is the window's history plus one
// input and one output buffer, whatever the size of the data.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "datalib/Szdd.h"
#include "datalib/SzddFormat.h"
#include "platform/Error.h"
#include "platform/LittleEndian.h"

namespace vk {

namespace {

using namespace szdd;

constexpr std::size_t kInputChunk = 256 * 1024;
constexpr std::size_t kOutputChunk = 1024 * 1024;
// Room for one whole group, including the up to 7 bytes a reference copy writes past its end.
constexpr std::size_t kOutputReserve = 8 * kMaxMatch + 8;

// Reads up to count bytes, fewer only at the end of the stream.
std::size_t readUpTo(Stream& in, std::uint8_t* buffer, std::size_t count) {
    std::size_t have = 0;
    while (have < count) {
        std::size_t got = in.read(buffer + have, count - have);
        if (got == 0) break;
        have += got;
    }
    return have;
}

Header parseHeader(Stream& in, const std::uint8_t* bytes, std::size_t size) {
    if (size < kMagic.size() || !hasMagic(bytes)) throw Error(in.name() + ": not SZDD compressed data");
    if (size < kHeaderSize) throw Error(in.name() + ": the SZDD header is truncated");
    if (bytes[8] != kModeA)
        throw Error(in.name() + ": unsupported SZDD compression mode " + std::to_string(bytes[8]));
    Header header;
    header.missingChar = bytes[9];
    header.expandedSize = loadLe32(bytes + 10);
    return header;
}

// Bytes that are not zero-filled first: every one is written before it is read.
class Buffer {
public:
    explicit Buffer(std::size_t size) : bytes_(std::make_unique_for_overwrite<std::uint8_t[]>(size)), size_(size) {}
    std::uint8_t* data() const { return bytes_.get(); }
    std::size_t size() const { return size_; }

private:
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t size_;
};

// Expands the body into a linear buffer whose first kWindowSize bytes hold the
// window's history (at first the initial fill), so that a reference is a copy
// from a fixed distance back and the ring never has to be wrapped.
class BodyExpander {
public:
    // Small files get small buffers; a wrong size in the header only costs buffer space.
    BodyExpander(Stream& in, Stream& out, std::uint32_t expectedSize)
        : in_(in), out_(out), expectedSize_(expectedSize),
          input_(static_cast<std::size_t>(std::clamp<std::int64_t>(in.size() - in.position(), kMaxGroupSize, kInputChunk))),
          output_(kWindowSize + std::min<std::size_t>(expectedSize, kOutputChunk) + kOutputReserve) {
        std::memset(output_.data(), kInitialFill, kWindowSize);
        ip_ = inputEnd_ = input_.data();
        op_ = output_.data() + kWindowSize;
        setBias();
    }

    void run() {
        for (;;) {
            if (inputLeft() < kMaxGroupSize) {
                refill();
                if (inputLeft() < kMaxGroupSize) break;
            }
            makeRoom();
            expandGroup<false>();
        }
        // Fewer bytes than a whole group are left: the last group, checked item by item.
        while (inputLeft() > 0) {
            makeRoom();
            expandGroup<true>();
        }
        flush();
        if (written_ != expectedSize_)
            throw Error(in_.name() + ": the SZDD data is truncated: it expands to " + std::to_string(written_) +
                        " bytes, its header gives " + std::to_string(expectedSize_));
    }

private:
    std::size_t inputLeft() const { return static_cast<std::size_t>(inputEnd_ - ip_); }

    void refill() {
        std::size_t left = inputLeft();
        std::memmove(input_.data(), ip_, left);
        ip_ = input_.data();
        inputEnd_ = ip_ + left + readUpTo(in_, input_.data() + left, input_.size() - left);
    }

    void makeRoom() {
        if (static_cast<std::size_t>(output_.data() + output_.size() - op_) < kOutputReserve) flush();
    }

    // Writes the expanded bytes and keeps the last kWindowSize of them as history.
    void flush() {
        std::uint8_t* start = output_.data() + kWindowSize;
        auto pending = static_cast<std::size_t>(op_ - start);
        if (written_ + pending > expectedSize_)
            throw Error(in_.name() + ": the SZDD data is corrupt: it expands to more than the " +
                        std::to_string(expectedSize_) + " bytes its header gives");
        if (pending == 0) return;
        out_.write(start, pending);
        written_ += pending;
        std::memmove(output_.data(), op_ - kWindowSize, kWindowSize);
        op_ = start;
        setBias();
    }

    // The window position of output_[i] is (i + bias_) & kWindowMask.
    void setBias() {
        bias_ = static_cast<std::uint32_t>(windowPositionOf(written_) - kWindowSize) & kWindowMask;
    }

    // One control byte and its items. Unchecked, the caller guarantees a whole
    // group of input; checked, the input may end before any item.
    template <bool kChecked>
    void expandGroup() {
        const std::uint8_t* ip = ip_;
        std::uint8_t* op = op_;
        unsigned control = *ip++;
        for (int item = 0; item < 8; ++item, control >>= 1) {
            if (kChecked && ip == inputEnd_) break;
            if (control & 1) {
                *op++ = *ip++;
                continue;
            }
            if (kChecked && inputEnd_ - ip < 2)
                throw Error(in_.name() + ": the SZDD data is truncated inside a reference");
            unsigned source = ip[0] | ((ip[1] & 0xF0u) << 4);
            unsigned length = (ip[1] & 0x0Fu) + kMinMatch;
            ip += 2;
            unsigned here = (static_cast<unsigned>(op - output_.data()) + bias_) & kWindowMask;
            unsigned distance = ((here - source - 1) & kWindowMask) + 1;
            copyReference(op, op - distance, distance, length);
            op += length;
        }
        ip_ = ip;
        op_ = op;
    }

    // Byte by byte, each byte read after the ones before it were stored, so a
    // reference may overlap the bytes it produces. Far enough back, whole
    // words do the same (and may write up to 7 bytes beyond the end).
    static void copyReference(std::uint8_t* op, const std::uint8_t* from, unsigned distance, unsigned length) {
        if (distance >= 8) {
            std::memcpy(op, from, 8);
            if (length > 8) std::memcpy(op + 8, from + 8, 8);
            if (length > 16) std::memcpy(op + 16, from + 16, 8);
        } else {
            for (unsigned i = 0; i < length; ++i) op[i] = from[i];
        }
    }

    Stream& in_;
    Stream& out_;
    std::uint32_t expectedSize_;
    Buffer input_;
    Buffer output_;
    const std::uint8_t* ip_;
    const std::uint8_t* inputEnd_;
    std::uint8_t* op_;
    std::uint64_t written_ = 0;
    std::uint32_t bias_ = 0;
};

void expandBody(Stream& in, Stream& out, const Header& header) {
    BodyExpander(in, out, header.expandedSize).run();
}

}  // namespace

bool isSzdd(Stream& in) {
    std::int64_t start = in.position();
    std::uint8_t bytes[kMagic.size()];
    std::size_t got = readUpTo(in, bytes, sizeof bytes);
    in.seek(start, SeekOrigin::Begin);
    return got == sizeof bytes && hasMagic(bytes);
}

void szddExpand(Stream& in, Stream& out) {
    std::uint8_t bytes[kHeaderSize];
    std::size_t got = readUpTo(in, bytes, sizeof bytes);
    expandBody(in, out, parseHeader(in, bytes, got));
}

void expandOrCopy(Stream& in, Stream& out) {
    std::uint8_t bytes[kHeaderSize];
    std::size_t got = readUpTo(in, bytes, sizeof bytes);
    if (got >= kMagic.size() && hasMagic(bytes)) {
        expandBody(in, out, parseHeader(in, bytes, got));
        return;
    }
    if (got > 0) out.write(bytes, got);
    out.copyFrom(in);
}

}  // namespace vk
