#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/Text.h"

namespace vk {
namespace {

TEST(Text, Cp1251RoundTripsEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(toCp1251(fromCp1251(all)), all);
    EXPECT_EQ(toCp1251("Кронта"), "\xCA\xF0\xEE\xED\xF2\xE0");
    EXPECT_EQ(fromCp1251("\xA8\xB8\xB9"), "Ёё№");
}

TEST(Text, UnrepresentableCharacterFailsLoudlyWhereStored) {
    EXPECT_THROW(toCp1251("日本"), Error);
    EXPECT_EQ(toCp1251Lossy("a日b"), "a?b");
    EXPECT_THROW(toCp1251("\xC3"), Error);        // cut sequence
    EXPECT_THROW(toCp1251("\xC0\x80"), Error);    // overlong
    EXPECT_THROW(toCp1251("\xED\xA0\x80"), Error);  // surrogate
}

TEST(Text, Utf16RoundTripIncludingSurrogates) {
    std::string text = "Установка \xF0\x9F\x98\x80";
    std::u16string wide = toUtf16(text);
    EXPECT_EQ(wide.size(), 12u);
    EXPECT_EQ(fromUtf16(wide), text);
    EXPECT_THROW(fromUtf16(u"\xD800x"), Error);
}

TEST(Text, AnsiCaseMappingCoversCyrillic) {
    EXPECT_EQ(ansiUpper("подключения ёжик ђ ґ i"), "ПОДКЛЮЧЕНИЯ ЁЖИК Ђ Ґ I");
    EXPECT_EQ(ansiLower("ПОДКЛЮЧЕНИЯ Ё"), "подключения ё");
    EXPECT_TRUE(sameText("Application", "APPLICATION"));
    EXPECT_TRUE(sameText("Индекс", "иНДЕКС"));
    EXPECT_FALSE(sameText("Индекс", "Индекс1"));
}

TEST(Text, CollationOrdersLatinBeforeCyrillicAndYoAfterYe) {
    EXPECT_LT(compareText("zeta", "альфа"), 0);
    EXPECT_LT(compareText("Ель", "Ёж"), 0);
    EXPECT_LT(compareText("Ёж", "Жук"), 0);
    EXPECT_LT(compareText("abc", "ABCD"), 0);
    EXPECT_EQ(compareText("ёж", "ЁЖ"), 0);
}

TEST(Text, TruncateCountsCharactersNotBytes) {
    EXPECT_EQ(truncateChars("Привет", 3), "При");
    EXPECT_EQ(truncateChars("ab", 5), "ab");
    EXPECT_EQ(utf8CharCount("Я1\xF0\x9F\x98\x80"), 3u);
    EXPECT_EQ(utf8CharLength(static_cast<unsigned char>("Я"[0])), 2u);
}

TEST(Text, HexDigitsBothWays) {
    EXPECT_EQ(toHex(std::string_view("\x00\x7F\xAB", 3)), "007FAB");
    EXPECT_EQ(toHex("\x0A\xFF", HexCase::Lower, ","), "0a,ff");
    EXPECT_EQ(toHex(""), "");
    EXPECT_EQ(hexDigitValue('7'), 7);
    EXPECT_EQ(hexDigitValue('b'), 11);
    EXPECT_EQ(hexDigitValue('F'), 15);
    EXPECT_EQ(hexDigitValue('g'), -1);
    EXPECT_EQ(hexDigitValue('/'), -1);
}

}  // namespace
}  // namespace vk
