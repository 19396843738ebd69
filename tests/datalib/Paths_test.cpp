#include "datalib/Paths.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(Paths, ExtractFileDirKeepsTheBackslashOnlyAfterADriveOrALeadingPair) {
    const struct {
        const char* path;
        const char* dir;
    } cases[] = {
        {"C:\\Dir\\File.exe", "C:\\Dir"}, {"C:\\File.exe", "C:\\"}, {"C:\\", "C:\\"}, {"C:File", "C:"},
        {"C:\\Dir\\", "C:\\Dir"},         {"\\\\host\\share\\f", "\\\\host\\share"},
        {"\\\\host\\share", "\\\\host"},  {"\\\\host", "\\\\"},    {"\\\\", "\\\\"},   {"\\File", "\\"},
        {"File", ""},                     {"", ""},                 {"C:\\Талвекс\\Кронта", "C:\\Талвекс"},
    };
    for (const auto& c : cases) EXPECT_EQ(ExtractFileDir(c.path), c.dir) << c.path;
}

TEST(Paths, NamesAndExtensions) {
    EXPECT_EQ(ExtractFileName("C:\\Dir\\Кронта.exe"), "Кронта.exe");
    EXPECT_EQ(ExtractFileName("C:File"), "File");
    EXPECT_EQ(ExtractFileName("C:\\Dir\\"), "");
    EXPECT_EQ(ExtractFileExt("C:\\Dir.d\\File.tar.gz"), ".gz");
    EXPECT_EQ(ExtractFileExt("C:\\Dir.d\\File"), "");
    EXPECT_EQ(ChangeFileExt("C:\\Dir.d\\File.exe", ".htm"), "C:\\Dir.d\\File.htm");
    EXPECT_EQ(ChangeFileExt("C:\\Dir.d\\File", ".htm"), "C:\\Dir.d\\File.htm");
    EXPECT_EQ(ChangeFileExt("Setup.exe", ""), "Setup");
}

TEST(Paths, ExtractFileDriveTakesTheLetterOrTheServerAndShare) {
    EXPECT_EQ(ExtractFileDrive("D:\\WINDOWS\\"), "D:");
    EXPECT_EQ(ExtractFileDrive("\\\\srv\\apps\\WINDOWS\\"), "\\\\srv\\apps");
    EXPECT_EQ(ExtractFileDrive("\\\\srv\\apps"), "\\\\srv\\apps");
    EXPECT_EQ(ExtractFileDrive("\\\\srv"), "");
    EXPECT_EQ(ExtractFileDrive("\\\\srv\\\\WINDOWS"), "");
    EXPECT_EQ(ExtractFileDrive("WINDOWS\\"), "");
}

TEST(Paths, TrailingBackslash) {
    EXPECT_EQ(IncludeTrailingBackslash("C:\\Dir"), "C:\\Dir\\");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\Dir\\"), "C:\\Dir\\");
    EXPECT_EQ(IncludeTrailingBackslash(""), "\\");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\Dir\\"), "C:\\Dir");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\Dir"), "C:\\Dir");
}

}  // namespace
}  // namespace vk
