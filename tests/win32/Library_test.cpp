#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/FileVersion.h"
#include "platform/Library.h"
#include "platform/win32/Wide.h"

namespace vk::platform {
namespace {

// The test libraries are built beside this program.
std::string besideProgram(const std::string& name) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string path = win32::narrow(self);
    return path.substr(0, path.rfind('\\')) + "\\" + name;
}
std::string testLibrary() { return besideProgram("VkTestLibrary.dll"); }

TEST(Win32Library, CallsAnExportAndGivesItsResult) {
    auto library = loadLibrary(testLibrary());
    ASSERT_NE(library, nullptr) << testLibrary();
    EXPECT_TRUE(library->hasExport("DllRegisterServer"));
    EXPECT_FALSE(library->hasExport("DllUnregisterServer"));
    EXPECT_EQ(library->callHresultExport("DllRegisterServer"), std::int32_t(0x80040201));
    EXPECT_EQ(library->callHresultExport("DllUnregisterServer"), std::nullopt);
}

// A control that faults in its registration fails that call; the process
// goes on, and calls after it are guarded and answered as before.
TEST(Win32Library, AFaultInsideAnExportFailsTheCallNotTheProcess) {
    const std::string control = besideProgram("VkFaultingControl.dll");
    auto faulting = loadLibrary(control);
    ASSERT_NE(faulting, nullptr) << control;
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            faulting->callHresultExport("DllRegisterServer");
            ADD_FAILURE() << "the fault went unnoticed";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(control + ": DllRegisterServer: the call ended with an access violation"),
                      std::string::npos) << e.what();
        }
    }
    faulting.reset();
    EXPECT_EQ(loadLibrary(testLibrary())->callHresultExport("DllRegisterServer"), std::int32_t(0x80040201));
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
