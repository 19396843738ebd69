#include "datalib/StrUtils.h"

#include <gtest/gtest.h>

#include "platform/Error.h"

namespace vk {
namespace {

struct Replacement {
    const char* text;
    const char* oldText;
    const char* newText;
    const char* expected;
};

TEST(StrUtils, ReplaceTextScansWithoutRestartingInsideAPartialMatch) {
    const Replacement cases[] = {
        {"aab", "ab", "X", "aab"},                 // the match starting at the second a is not seen
        {"xab", "ab", "X", "xX"},
        {"abab", "ab", "X", "XX"},
        {"a-ab", "ab", "X", "a-X"},
        {"ab", "ABC", "X", "ab"},                  // a partial match at the end is kept
        {"Path\\SETUP.exe", "setup", "Vorkast", "Path\\Vorkast.exe"},
        {"one PATH two", "path", "Folder", "one Folder two"},  // neighbours keep their case
        {"Папка ПРОГРАММ и программ", "программ", "Кронта", "Папка Кронта и Кронта"},
        {"ёлка ЁЛКА", "Ёлка", "ель", "ель ель"},
        {"日本 text", "TEXT", "日", "日本 日"},   // characters outside Windows-1251 pass through whole
        {"same", "SAME", "same", "same"},          // old equals new ignoring case: nothing to do
        {"keep", "", "x", "keep"},
        {"", "a", "b", ""},
    };
    for (const auto& c : cases) {
        std::string s = c.text;
        ReplaceText(s, c.oldText, c.newText);
        EXPECT_EQ(s, c.expected) << c.text << " / " << c.oldText;
    }
}

TEST(StrUtils, ReplaceTextRejectsMalformedText) {
    std::string s = "ab\xD0";
    EXPECT_THROW(ReplaceText(s, "b", "c"), Error);
}

TEST(StrUtils, PairsSplitAtTheFirstEquals) {
    const struct {
        const char* text;
        const char* name;
        const char* value;
    } cases[] = {
        {"A=B=C", "A", "B=C"}, {"NoEquals", "NoEquals", ""}, {"=v", "", "v"}, {"n=", "n", ""},
        {"Путь=C:\\Кронта", "Путь", "C:\\Кронта"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NameOfPair(c.text), c.name) << c.text;
        EXPECT_EQ(ValueOfPair(c.text), c.value) << c.text;
    }
}

TEST(StrUtils, SmallChoices) {
    EXPECT_TRUE(InRange(5, 5, 7));
    EXPECT_TRUE(InRange(7, 5, 7));
    EXPECT_FALSE(InRange(8, 5, 7));
    EXPECT_FALSE(InRange(4, 5, 7));
    EXPECT_EQ(Iif(true, 1, 2), 1);
    EXPECT_EQ(Iif(false, 1, 2), 2);
    EXPECT_EQ(IifStr(false, "a", "b"), "b");
    EXPECT_EQ(IfEmpty("", "default"), "default");
    EXPECT_EQ(IfEmpty("set", "default"), "set");
}

}  // namespace
}  // namespace vk
