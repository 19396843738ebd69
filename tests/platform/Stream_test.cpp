#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/Stream.h"

namespace vk {
namespace {

TEST(MemoryStream, WritesPastEndGrowAndSeeksStayInBounds) {
    MemoryStream s;
    s.seek(4, SeekOrigin::Begin);
    s.write("ab", 2);
    EXPECT_EQ(s.size(), 6);
    EXPECT_EQ(s.bytes()[0], 0);
    EXPECT_THROW(s.seek(-7, SeekOrigin::End), Error);
    s.seek(0, SeekOrigin::Begin);
    char buffer[8];
    EXPECT_THROW(s.readExact(buffer, 7), Error);
}

TEST(Stream, CopyFromFailsWhenTheSourceIsShort) {
    MemoryStream source(std::vector<std::uint8_t>{1, 2, 3});
    MemoryStream target;
    EXPECT_THROW(target.copyFrom(source, 4), Error);
    source.seek(0, SeekOrigin::Begin);
    MemoryStream all;
    EXPECT_EQ(all.copyFrom(source), 3);
    EXPECT_EQ(all.bytes(), source.bytes());
}

TEST(StreamWindow, ReadsOnlyItsWindow) {
    auto base = std::make_unique<MemoryStream>(std::vector<std::uint8_t>{'a', 'b', 'c', 'd', 'e', 'f'}, "f.bin");
    StreamWindow window(std::move(base), 2, 3, "f.bin:window");
    char buffer[8] = {};
    EXPECT_EQ(window.read(buffer, sizeof buffer), 3u);
    EXPECT_EQ(std::string(buffer), "cde");
    window.seek(-1, SeekOrigin::End);
    EXPECT_EQ(window.read(buffer, sizeof buffer), 1u);
    EXPECT_EQ(buffer[0], 'e');
    EXPECT_THROW(window.write("x", 1), Error);
    EXPECT_THROW(StreamWindow(std::make_unique<MemoryStream>(std::vector<std::uint8_t>(4)), 2, 3, "w"), Error);
}

}  // namespace
}  // namespace vk
