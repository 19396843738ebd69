#include <gtest/gtest.h>

#include <string>

#include "datalib/Crc32.h"

namespace vk {
namespace {

// The check value of the CRC-32 catalogue, and the same bytes fed in pieces
// of every size, so that the eight-at-a-time path meets every alignment.
TEST(Crc32, GivesTheStandardCheckValueHoweverTheBytesArrive) {
    const std::string text = "123456789";
    Crc32 whole;
    whole.update(text.data(), text.size());
    EXPECT_EQ(whole.value(), 0xCBF43926u);
    EXPECT_EQ(Crc32().value(), 0u);

    std::string long_text;
    for (int i = 0; i < 1000; ++i) long_text += static_cast<char>(i * 7 + 3);
    Crc32 reference;
    reference.update(long_text.data(), long_text.size());
    for (std::size_t piece = 1; piece <= 17; ++piece) {
        Crc32 split;
        for (std::size_t at = 0; at < long_text.size(); at += piece)
            split.update(long_text.data() + at, std::min(piece, long_text.size() - at));
        EXPECT_EQ(split.value(), reference.value()) << piece;
    }
    MemoryStream stream(std::vector<std::uint8_t>(long_text.begin(), long_text.end()));
    EXPECT_EQ(crc32Of(stream), reference.value());
}

}  // namespace
}  // namespace vk
