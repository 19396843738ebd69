#pragma once
// Finds the longest match for every position of the SZDD compressor's input,
// within the format's window and length limits. The strings of the window are
// kept in binary search trees (one per hash of their first three bytes), so
// that each position is found and inserted in one walk down its tree.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vk::szdd {

struct Match {
    std::uint32_t length = 0;    // 0 when no match of at least kMinMatch bytes
    std::uint32_t distance = 0;  // 1..kWindowSize bytes back
};

class MatchFinder {
public:
    MatchFinder();

    // Positions are given in increasing order, each once; bytes points at the
    // position's byte, with `available` bytes readable from there and the
    // kWindowSize bytes before it readable too. Returns the longest match.
    Match insert(std::uint64_t position, const std::uint8_t* bytes, std::size_t available);

private:
    std::vector<std::uint64_t> heads_;
    // Two children per position, indexed by the position modulo its size.
    std::vector<std::uint64_t> children_;
};

}  // namespace vk::szdd
