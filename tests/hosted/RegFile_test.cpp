#include <gtest/gtest.h>

#include "hosted/HostedTestSupport.h"
#include "platform/hosted/RegFile.h"

namespace vk::platform::hosted {
namespace {

const char kSample[] =
    "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; written by hand\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Borland\\Database Engine]\r\n"
    "\"DLLPATH\"=\"C:\\\\Program Files\\\\Common Files\\\\Borland Shared\\\\BDE\"\r\n"
    "@=\"say \\\"hi\\\"\"\r\n"
    "\"Count\"=dword:0000002a\r\n"
    "\"Multi\"=hex(7):41,00,00,00,\\\r\n"
    "  00,00\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Talvex\\Vorkast\\System]\r\n"
    "\"Путь\"=\"D:\\\\Кронта\"\r\n"
    "\"Lines\"=hex(1):61,00,0d,00,0a,00,62,00,00,00\r\n";

TEST(RegFile, ReadsWhatRegeditWritesAndKeepsOtherTypes) {
    RegistryTree tree = parseRegFile(kSample, "registry.reg");
    RegistryNode* bde = tree.find(RootKey::LocalMachine, {"software", "BORLAND", "database engine"});
    ASSERT_NE(bde, nullptr);
    EXPECT_EQ(bde->name(), "Database Engine");
    EXPECT_EQ(bde->value("dllpath")->data, "C:\\Program Files\\Common Files\\Borland Shared\\BDE");
    EXPECT_EQ(bde->value("")->data, "say \"hi\"");
    EXPECT_FALSE(bde->value("Count")->isString);
    EXPECT_EQ(bde->value("Multi")->data, "hex(7):41,00,00,00,00,00");
    RegistryNode* system = tree.find(RootKey::CurrentUser, {"Software", "Talvex", "Vorkast", "System"});
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->value("путь")->data, "D:\\Кронта");
    EXPECT_EQ(system->value("Lines")->data, "a\r\nb");
    EXPECT_TRUE(system->value("Lines")->isString);
}

TEST(RegFile, WritingAndReadingBackGivesTheSameRegistry) {
    RegistryTree tree = parseRegFile(kSample, "registry.reg");
    tree.root(RootKey::ClassesRoot).childOrNew("Empty Key");
    std::string text = formatRegFile(tree);
    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\n", 0), 0u);

    std::string again = formatRegFile(parseRegFile(text, "registry.reg"));
    EXPECT_EQ(again, text);
    EXPECT_NE(text.find("[HKEY_CLASSES_ROOT\\Empty Key]\n"), std::string::npos);
    EXPECT_NE(text.find("\"Lines\"=hex(1):61,00,0d,00,0a,00,62,00,00,00\n"), std::string::npos);
    EXPECT_NE(text.find("\"Multi\"=hex(7):41,00,00,00,00,00\n"), std::string::npos);
}

TEST(RegFile, DamageIsReportedWithTheFileAndLine) {
    const std::string header = "Windows Registry Editor Version 5.00\n";
    struct Case {
        std::string text;
        const char* expected;
    } cases[] = {
        {"REGEDIT4\n", "r.reg, line 1: not a registry file"},
        {header + "\"a\"=\"b\"\n", "r.reg, line 2: a value before the first [key] line"},
        {header + "[HKEY_USERS\\x]\n", "r.reg, line 2: unknown root key \"HKEY_USERS\""},
        {header + "[HKEY_CURRENT_USER\\a\n", "r.reg, line 2: a key line must end with \"]\""},
        {header + "[HKEY_CURRENT_USER\\a\\\\b]\n", "r.reg, line 2: empty key name"},
        {header + "[-HKEY_CURRENT_USER\\a]\n", "r.reg, line 2: key deletions"},
        {header + "[HKEY_CURRENT_USER]\n\"a\"=-\n", "r.reg, line 3: value deletions"},
        {header + "[HKEY_CURRENT_USER]\n\"a\"=\"b\n", "r.reg, line 3: missing closing quote"},
        {header + "[HKEY_CURRENT_USER]\n\"a\"=\"b\\n\"\n", "r.reg, line 3: unknown escape"},
        {header + "[HKEY_CURRENT_USER]\n\"a\"=\"b\" junk\n", "r.reg, line 3: unexpected text"},
        {header + "[HKEY_CURRENT_USER]\nname=\"b\"\n", "r.reg, line 3: expected a quoted value name"},
        {header + "[HKEY_CURRENT_USER]\n\"a\" \"b\"\n", "r.reg, line 3: expected \"=\""},
        {header + "[HKEY_CURRENT_USER]\n\"a\"=dword:123\n", "r.reg, line 3: a dword needs eight hex digits"},
        {header + "[HKEY_CURRENT_USER]\n\"a\"=qword:1\n", "r.reg, line 3: unknown value data"},
        {header + "[HKEY_CURRENT_USER]\n\"a\"=hex:01,zz\n", "r.reg, line 3: bad hex byte \"zz\""},
        {header + "[HKEY_CURRENT_USER]\n\"a\"=hex:01,\\\n", "r.reg, line 3: the file ends inside hex data"},
        {header + "[HKEY_CURRENT_USER]\n\"a\"=hex:01,\\\n 02,,03\n", "r.reg, line 4: bad hex byte"},
        {header + "[HKEY_CURRENT_USER]\n\"a\"=hex(1):41,00,42\n", "r.reg, line 3: a hex(1) string needs"},
        {header + "[HKEY_CURRENT_USER]\n\"a\"=hex(1):00,d8\n", "r.reg, line 3: a hex(1) string is not valid UTF-16"},
        {header + "[HKEY_CURRENT_USER]\n\"a\"=\"\xE0\x80\"\n", "r.reg, line 3: the text is not UTF-8"},
    };
    for (const auto& c : cases) test::expectErrorStartingWith([&] { parseRegFile(c.text, "r.reg"); }, c.expected);
}

}  // namespace
}  // namespace vk::platform::hosted
