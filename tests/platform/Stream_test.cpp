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

}  // namespace
}  // namespace vk
