#include <gtest/gtest.h>

#include "platform/hosted/WindowsPath.h"

namespace vk::platform::hosted {
namespace {

struct PathCase {
    const char* path;
    const char* current;
    const char* expected;  // nullptr: not a path
};

TEST(WindowsPath, ParsesEveryFormWindowsAccepts) {
    const PathCase cases[] = {
        {"C:\\Windows\\System32", "", "C:\\Windows\\System32"},
        {"c:/windows/", "", "C:\\windows"},
        {"C:\\", "", "C:\\"},
        {"C:\\a\\..\\..\\b", "", "C:\\b"},              // ".." stops at the root
        {"C:\\a\\.\\b.\\c  ", "", "C:\\a\\b\\c"},        // trailing dots and spaces drop
        {"\\\\Server\\Share\\Dir", "", "\\\\Server\\Share\\Dir"},
        {"//server/share", "", "\\\\server\\share"},
        {"file.txt", "D:\\Work", "D:\\Work\\file.txt"},
        {"..\\up", "D:\\Work\\Deep", "D:\\Work\\up"},
        {"\\rooted", "\\\\h\\s\\Dir", "\\\\h\\s\\rooted"},
        {"D:name", "D:\\Work", "D:\\Work\\name"},         // drive-relative on the current drive
        {"E:name", "D:\\Work", "E:\\name"},
        {"Кронта\\Базы", "C:\\Программы", "C:\\Программы\\Кронта\\Базы"},
        {"file.txt", "", nullptr},                       // relative with nothing to resolve against
        {"", "C:\\", nullptr},
        {"C:\\bad|name", "", nullptr},
        {"C:\\a*b", "", nullptr},
        {"\\\\host", "", nullptr},                        // a share needs both names
        {"\\\\?\\C:\\x", "", nullptr},
        {"\\\\..\\share", "", nullptr},
    };
    for (const auto& c : cases) {
        auto parsed = parseWindowsPath(c.path, c.current);
        if (!c.expected) {
            EXPECT_FALSE(parsed.has_value()) << c.path << " gave " << parsed->text();
        } else {
            EXPECT_EQ(parsed ? parsed->text() : "(not a path)", c.expected) << c.path;
        }
    }
}

TEST(WindowsPath, ContainmentIgnoresCaseAndRespectsNameBoundaries) {
    auto folder = *parseWindowsPath("C:\\Program Files", "");
    EXPECT_TRUE(parseWindowsPath("c:\\PROGRAM FILES\\x", "")->isWithin(folder));
    EXPECT_TRUE(folder.isWithin(folder));
    EXPECT_FALSE(parseWindowsPath("C:\\Program Files2", "")->isWithin(folder));
    EXPECT_FALSE(parseWindowsPath("D:\\Program Files", "")->isWithin(folder));
    auto share = *parseWindowsPath("\\\\host\\share", "");
    EXPECT_TRUE(parseWindowsPath("\\\\HOST\\Share\\a", "")->isWithin(share));
    EXPECT_FALSE(parseWindowsPath("\\\\host\\other\\a", "")->isWithin(share));
}

}  // namespace
}  // namespace vk::platform::hosted
