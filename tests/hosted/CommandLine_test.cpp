#include <gtest/gtest.h>

#include "platform/hosted/CommandLine.h"
#include "platform/hosted/Wildcard.h"

namespace vk::platform::hosted {
namespace {

TEST(CommandLine, ArgumentsSplitAsTheCRuntimeSplitsThem) {
    using Args = std::vector<std::string>;
    EXPECT_EQ(splitArguments("  /s   /i  "), (Args{"/s", "/i"}));
    EXPECT_EQ(splitArguments("\"C:\\Program Files\\x\" tail"), (Args{"C:\\Program Files\\x", "tail"}));
    EXPECT_EQ(splitArguments("a\\\\b c\\d"), (Args{"a\\\\b", "c\\d"}));  // backslashes alone stay
    EXPECT_EQ(splitArguments("\"a\\\\\" b"), (Args{"a\\", "b"}));          // 2n before a quote: n
    EXPECT_EQ(splitArguments("a\\\"b"), (Args{"a\"b"}));                  // 2n+1: a literal quote
    EXPECT_EQ(splitArguments("\"say \"\"hi\"\"\""), (Args{"say \"hi\""}));
    EXPECT_EQ(splitArguments("x\"y z\"w"), (Args{"xy zw"}));
    EXPECT_EQ(splitArguments("\"\""), (Args{""}));
    EXPECT_EQ(splitArguments("\"open"), (Args{"open"}));
}

TEST(CommandLine, AnUnquotedProgramIsTriedAtEverySpace) {
    auto candidates = programCandidates("  C:\\Program Files\\App.exe  /q x");
    ASSERT_EQ(candidates.size(), 4u);
    EXPECT_EQ(candidates[0].program, "C:\\Program");
    EXPECT_EQ(candidates[0].arguments, "Files\\App.exe  /q x");
    EXPECT_EQ(candidates[1].program, "C:\\Program Files\\App.exe");
    EXPECT_EQ(candidates[1].arguments, "/q x");
    EXPECT_EQ(candidates[3].arguments, "");

    auto quoted = programCandidates("\"C:\\Program Files\\App.exe\"/q");
    ASSERT_EQ(quoted.size(), 1u);
    EXPECT_EQ(quoted[0].program, "C:\\Program Files\\App.exe");
    EXPECT_EQ(quoted[0].arguments, "/q");
    EXPECT_TRUE(programCandidates("   ").empty());
}

TEST(Wildcard, MatchesAsFindFirstFileDoes) {
    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"GDS32.DLL", "gds32.dll", true}, {"a.ocx", "*.OCX", true},   {"a.ocx.bak", "*.ocx", false},
        {"README", "*.*", true},          {"abc", "a?c", true},       {"ac", "a?c", false},
        {"Файл.txt", "ФАЙЛ.*", true},     {"x", "*", true},           {"aXbXc", "a*b*c", true},
        {"aXbX", "a*b*c", false},         {"\xFF", "*", false},       {"", "*", true},
    };
    for (const auto& c : cases) EXPECT_EQ(matchesWildcard(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

}  // namespace
}  // namespace vk::platform::hosted
