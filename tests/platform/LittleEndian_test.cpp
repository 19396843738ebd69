#include <gtest/gtest.h>

#include "platform/LittleEndian.h"

namespace vk {
namespace {

TEST(LittleEndian, LowByteComesFirstAtEveryWidth) {
    std::uint8_t bytes[8] = {};
    storeLe64(bytes, 0x0807060504030201ull);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(bytes[i], i + 1);
    EXPECT_EQ(loadLe16(bytes), 0x0201);
    EXPECT_EQ(loadLe32(bytes), 0x04030201u);
    EXPECT_EQ(loadLe64(bytes), 0x0807060504030201ull);
    EXPECT_EQ(loadLe(bytes, 3), 0x030201u);
    std::vector<std::uint8_t> appended;
    appendLe16(appended, 0x0201);
    appendLe32(appended, 0x06050403);
    EXPECT_EQ(appended, std::vector<std::uint8_t>(bytes, bytes + 6));
}

TEST(LittleEndian, SignedAndDoubleValuesRoundTrip) {
    std::uint8_t bytes[8] = {};
    storeLeInt32(bytes, -2);
    EXPECT_EQ(loadLe32(bytes), 0xFFFFFFFEu);
    EXPECT_EQ(loadLeInt32(bytes), -2);
    storeLeDouble(bytes, -1.5);
    EXPECT_EQ(loadLe64(bytes), 0xBFF8000000000000ull);
    EXPECT_EQ(loadLeDouble(bytes), -1.5);
    storeLe(bytes, 0xAABBCCDD, 2);
    EXPECT_EQ(loadLe16(bytes), 0xCCDD);
    EXPECT_EQ(bytes[2], 0x00);  // what lies past the width is left alone
}

}  // namespace
}  // namespace vk
