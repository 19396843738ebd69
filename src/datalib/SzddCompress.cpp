// SZDD compression with an optimal parse: within each block, the choice
// between a literal (9 bits with its control bit) and a reference (17 bits)
// at every position is made by dynamic programming over the longest match
// found there, so the body is as small as the format allows for that block.
#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "datalib/Szdd.h"
#include "datalib/SzddFormat.h"
#include "datalib/SzddMatchFinder.h"
#include "platform/Error.h"

namespace vk {

namespace {

using namespace szdd;

constexpr std::size_t kMaxBlockSize = 256 * 1024;
constexpr std::uint32_t kLiteralCost = 9;
constexpr std::uint32_t kReferenceCost = 17;

// Packs items into groups of eight behind their control byte.
class GroupWriter {
public:
    GroupWriter(Stream& out, std::size_t chunk) : out_(out), chunk_(chunk), buffer_(chunk + kMaxGroupSize) {}

    void literal(std::uint8_t byte) {
        beginItem(true);
        buffer_[size_++] = byte;
    }

    void reference(std::uint32_t windowPosition, std::uint32_t length) {
        beginItem(false);
        buffer_[size_++] = static_cast<std::uint8_t>(windowPosition);
        buffer_[size_++] = static_cast<std::uint8_t>(((windowPosition >> 4) & 0xF0) | (length - kMinMatch));
    }

    void finish() { flush(); }

private:
    void beginItem(bool isLiteral) {
        if (items_ == 8) {
            // Flushing only between groups keeps each control byte with its items.
            if (size_ >= chunk_) flush();
            control_ = size_++;
            buffer_[control_] = 0;
            items_ = 0;
        }
        if (isLiteral) buffer_[control_] |= static_cast<std::uint8_t>(1u << items_);
        ++items_;
    }

    void flush() {
        if (size_ > 0) out_.write(buffer_.data(), size_);
        size_ = 0;
    }

    Stream& out_;
    std::size_t chunk_;
    std::vector<std::uint8_t> buffer_;
    std::size_t size_ = 0;
    std::size_t control_ = 0;
    int items_ = 8;
};

class Compressor {
public:
    Compressor(Stream& in, Stream& out, std::uint32_t size)
        : in_(in), writer_(out, std::clamp<std::size_t>(size, 1, kMaxBlockSize)),
          blockSize_(std::clamp<std::size_t>(size, 1, kMaxBlockSize)),
          buffer_(kWindowSize + blockSize_ + kMaxMatch), longest_(blockSize_), cost_(blockSize_ + 1),
          choice_(blockSize_) {
        // The positions before the data are the window's initial fill, which references may use.
        std::memset(buffer_.data(), kInitialFill, kWindowSize);
        bufferEnd_ = kWindowSize;
    }

    // Returns the number of input bytes compressed.
    std::uint64_t run() {
        std::uint64_t blockStart = kWindowSize;
        for (;;) {
            fill();
            std::uint64_t complete = endOfInput_ ? bufferEnd_ : bufferEnd_ - kMaxMatch;
            std::uint64_t blockEnd = std::min<std::uint64_t>(complete, blockStart + blockSize_);
            if (blockEnd > blockStart) {
                while (inserted_ < blockStart) insert(inserted_);
                parseBlock(blockStart, blockEnd);
                blockStart = blockEnd;
            }
            if (endOfInput_ && blockStart == bufferEnd_) break;
            keepHistoryBefore(blockStart);
        }
        writer_.finish();
        return bufferEnd_ - kWindowSize;
    }

private:
    std::uint8_t* at(std::uint64_t position) { return buffer_.data() + (position - bufferStart_); }

    void fill() {
        auto capacity = bufferStart_ + buffer_.size();
        while (!endOfInput_ && bufferEnd_ < capacity) {
            std::size_t got = in_.read(at(bufferEnd_), static_cast<std::size_t>(capacity - bufferEnd_));
            if (got == 0) endOfInput_ = true;
            bufferEnd_ += got;
        }
    }

    void keepHistoryBefore(std::uint64_t position) {
        std::uint64_t keepFrom = position - kWindowSize;
        std::memmove(buffer_.data(), at(keepFrom), static_cast<std::size_t>(bufferEnd_ - keepFrom));
        bufferStart_ = keepFrom;
    }

    Match insert(std::uint64_t position) {
        ++inserted_;
        return finder_.insert(position, at(position), static_cast<std::size_t>(bufferEnd_ - position));
    }

    void parseBlock(std::uint64_t start, std::uint64_t end) {
        auto count = static_cast<std::size_t>(end - start);
        for (std::size_t i = 0; i < count; ++i) {
            Match match = insert(start + i);
            match.length = std::min<std::uint32_t>(match.length, static_cast<std::uint32_t>(count - i));
            longest_[i] = match.length >= kMinMatch ? match : Match{};
        }
        // cost_[i]: the fewest bits that encode the block from i to its end.
        cost_[count] = 0;
        for (std::size_t i = count; i-- > 0;) {
            std::uint32_t best = cost_[i + 1] + kLiteralCost;
            std::uint8_t bestLength = 0;
            for (std::uint32_t length = kMinMatch; length <= longest_[i].length; ++length) {
                std::uint32_t viaReference = cost_[i + length] + kReferenceCost;
                if (viaReference < best) {
                    best = viaReference;
                    bestLength = static_cast<std::uint8_t>(length);
                }
            }
            cost_[i] = best;
            choice_[i] = bestLength;
        }
        for (std::size_t i = 0; i < count;) {
            std::uint64_t dataIndex = start + i - kWindowSize;
            if (choice_[i] == 0) {
                writer_.literal(*at(start + i));
                ++i;
                continue;
            }
            // A shorter prefix of the longest match is a match at the same distance.
            std::uint32_t source = (windowPositionOf(dataIndex) - longest_[i].distance) & kWindowMask;
            writer_.reference(source, choice_[i]);
            i += choice_[i];
        }
    }

    Stream& in_;
    GroupWriter writer_;
    MatchFinder finder_;
    std::size_t blockSize_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t bufferStart_ = 0;
    std::uint64_t bufferEnd_ = 0;
    // Of the initial fill only the last kMaxMatch positions are worth finding:
    // every earlier one starts with as many blanks as a match can be long, the
    // same string as the first of those, which is nearer.
    std::uint64_t inserted_ = kWindowSize - kMaxMatch;
    bool endOfInput_ = false;
    std::vector<Match> longest_;
    std::vector<std::uint32_t> cost_;
    std::vector<std::uint8_t> choice_;
};

}  // namespace

void szddCompress(Stream& in, Stream& out, char missingChar) {
    std::int64_t remaining = in.size() - in.position();
    if (remaining > std::numeric_limits<std::uint32_t>::max())
        throw Error(in.name() + ": too large for SZDD compression (4 GiB at most)");
    Header header;
    header.missingChar = static_cast<std::uint8_t>(missingChar);
    header.expandedSize = static_cast<std::uint32_t>(std::max<std::int64_t>(remaining, 0));
    auto headerBytes = encodeHeader(header);
    out.write(headerBytes.data(), headerBytes.size());
    std::uint64_t compressed = Compressor(in, out, header.expandedSize).run();
    if (compressed != header.expandedSize)
        throw Error(in.name() + ": the size changed while it was being compressed");
}

}  // namespace vk
