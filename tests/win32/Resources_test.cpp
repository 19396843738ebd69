#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/Resources.h"

namespace vk::platform {
namespace {

TEST(Win32Resources, OwnRcdataReadsAsAStream) {
    auto stream = ownResource("TestData");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->name(), "TestData");
    std::string text(static_cast<std::size_t>(stream->size()), '\0');
    stream->readExact(text.data(), text.size());
    EXPECT_EQ(text.substr(0, 8), std::string("Vorkast\0", 8));
    EXPECT_THROW(stream->write("x", 1), Error);
    EXPECT_EQ(ownResource("NoSuchData"), nullptr);
}

}  // namespace
}  // namespace vk::platform
