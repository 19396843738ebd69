#include <windows.h>

#include <gtest/gtest.h>

#include "platform/FileVersion.h"
#include "platform/Library.h"
#include "platform/win32/Wide.h"

namespace vk::platform {
namespace {

// The test library is built beside this program.
std::string testLibrary() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string path = win32::narrow(self);
    return path.substr(0, path.rfind('\\')) + "\\VkTestLibrary.dll";
}

TEST(Win32Library, CallsAnExportAndGivesItsResult) {
    auto library = loadLibrary(testLibrary());
    ASSERT_NE(library, nullptr) << testLibrary();
    EXPECT_TRUE(library->hasExport("DllRegisterServer"));
    EXPECT_FALSE(library->hasExport("DllUnregisterServer"));
    EXPECT_EQ(library->callHresultExport("DllRegisterServer"), std::int32_t(0x80040201));
    EXPECT_EQ(library->callHresultExport("DllUnregisterServer"), std::nullopt);
}

TEST(Win32Library, MissingLibraryDoesNotLoad) {
    EXPECT_EQ(loadLibrary("C:\\Missing\\GDS32.DLL"), nullptr);
    EXPECT_EQ(loadLibrary("VkNoSuchLibrary.dll"), nullptr);
}

TEST(Win32FileVersion, ReadsTheUsEnglishStringTable) {
    EXPECT_EQ(fileVersionString(testLibrary(), "FileVersion"), "1.0.3.972");
    EXPECT_EQ(fileVersionString(testLibrary(), "FileDescription"), "Библиотека для проверки");
    EXPECT_EQ(fileVersionString(testLibrary(), "CompanyName"), std::nullopt);
    EXPECT_EQ(fileVersionString("C:\\Missing\\GDS32.DLL", "FileVersion"), std::nullopt);
}

}  // namespace
}  // namespace vk::platform
