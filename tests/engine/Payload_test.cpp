#include <gtest/gtest.h>

#include "engine/Payload.h"

namespace vk {
namespace {

TEST(PayloadNames, OnlyPlainFileNamesPass) {
    for (const char* name : {"Vorkast.exe", "!1GDS32.DLL", "Корректировка1.txt", "a..b", "NULL.txt", "COM10"})
        EXPECT_EQ(payload::unsafeFileNameReason(name), "") << name;
    for (const char* name : {"", ".", "..", "../x", "..\\x", "C:x", "sub/x", "a\tb", "a?", "x.", "x ", "nul",
                             "Com1.txt", "LPT9"})
        EXPECT_NE(payload::unsafeFileNameReason(name), "") << name;
}

}  // namespace
}  // namespace vk
