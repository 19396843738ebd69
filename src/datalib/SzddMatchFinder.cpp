#include "datalib/SzddMatchFinder.h"

#include <algorithm>

#include "datalib/SzddFormat.h"

namespace vk::szdd {

namespace {

constexpr unsigned kHashBits = 14;
// Twice the window, so that a node still in the window is never reused.
constexpr std::uint64_t kTreeSlots = 2 * kWindowSize;
// Positions are stored shifted by this much so that 0 can mean "no node".
constexpr std::uint64_t kOrigin = kTreeSlots;
constexpr std::uint64_t kNone = 0;
// How many nodes one walk may visit: the longest match is almost always
// found long before this, and it bounds the time on unlucky input.
constexpr unsigned kMaxDepth = 64;

unsigned hashOf(const std::uint8_t* bytes) {
    std::uint32_t key = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16);
    return (key * 2654435761u) >> (32 - kHashBits);
}

}  // namespace

MatchFinder::MatchFinder() : heads_(std::size_t{1} << kHashBits, kNone), children_(2 * kTreeSlots, kNone) {}

Match MatchFinder::insert(std::uint64_t position, const std::uint8_t* bytes, std::size_t available) {
    Match best;
    if (available < kMinMatch) return best;
    const std::uint32_t limit = static_cast<std::uint32_t>(std::min<std::size_t>(available, kMaxMatch));
    const std::uint64_t current = position + kOrigin;

    std::uint64_t& head = heads_[hashOf(bytes)];
    std::uint64_t candidate = head;
    head = current;

    // The walk splits the tree around the new string: smaller strings hang on
    // the new node's left, greater ones on its right.
    std::uint64_t* left = &children_[2 * (current % kTreeSlots)];
    std::uint64_t* right = left + 1;
    std::uint32_t leftLength = 0;   // bytes known equal to every string on the left path
    std::uint32_t rightLength = 0;  // the same on the right path
    for (unsigned depth = 0;; ++depth) {
        std::uint64_t distance = current - candidate;
        if (candidate == kNone || distance > kWindowSize || depth == kMaxDepth) {
            *left = *right = kNone;
            break;
        }
        std::uint64_t* node = &children_[2 * (candidate % kTreeSlots)];
        const std::uint8_t* other = bytes - distance;
        std::uint32_t length = std::min(leftLength, rightLength);
        while (length < limit && other[length] == bytes[length]) ++length;
        if (length > best.length) {
            best.length = length;
            best.distance = static_cast<std::uint32_t>(distance);
        }
        if (length == limit) {
            // Equal as far as matches go: the new node takes the old one's place.
            *left = node[0];
            *right = node[1];
            break;
        }
        if (other[length] < bytes[length]) {
            *left = candidate;
            left = node + 1;
            candidate = *left;
            leftLength = length;
        } else {
            *right = candidate;
            right = node;
            candidate = *right;
            rightLength = length;
        }
    }
    if (best.length < kMinMatch) best = Match{};
    return best;
}

}  // namespace vk::szdd
