#pragma once
// The SZDD layout shared by the expander and the compressor: the 14-byte
// header and the LZSS body's window. The body is a sequence of groups: a
// control byte whose bits, least significant first, announce eight items; a
// set bit is one literal byte, a clear bit a two-byte reference (window
// position, low 8 bits in the first byte and high 4 bits in the top of the
// second; length - 3 in the low 4 bits of the second).
#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/LittleEndian.h"

namespace vk::szdd {

constexpr std::array<std::uint8_t, 8> kMagic = {0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33};
constexpr std::uint8_t kModeA = 0x41;
constexpr std::size_t kHeaderSize = 14;

constexpr std::uint32_t kWindowSize = 4096;
constexpr std::uint32_t kWindowMask = kWindowSize - 1;
// The window starts filled with this byte and is first written at kStartPosition.
constexpr std::uint8_t kInitialFill = 0x20;
constexpr std::uint32_t kStartPosition = 4080;

constexpr std::uint32_t kMinMatch = 3;
constexpr std::uint32_t kMaxMatch = 18;
// The most bytes one group can take in the body (control byte + 8 references).
constexpr std::size_t kMaxGroupSize = 1 + 8 * 2;

struct Header {
    std::uint8_t missingChar = 0;
    std::uint32_t expandedSize = 0;
};

inline bool hasMagic(const std::uint8_t* bytes) {
    for (std::size_t i = 0; i < kMagic.size(); ++i)
        if (bytes[i] != kMagic[i]) return false;
    return true;
}

inline std::array<std::uint8_t, kHeaderSize> encodeHeader(const Header& header) {
    std::array<std::uint8_t, kHeaderSize> bytes{};
    for (std::size_t i = 0; i < kMagic.size(); ++i) bytes[i] = kMagic[i];
    bytes[8] = kModeA;
    bytes[9] = header.missingChar;
    storeLe32(bytes.data() + 10, header.expandedSize);
    return bytes;
}

// The window position that the n-th expanded byte (counting from 0) is stored at.
constexpr std::uint32_t windowPositionOf(std::uint64_t n) {
    return static_cast<std::uint32_t>((kStartPosition + n) & kWindowMask);
}

}  // namespace vk::szdd
