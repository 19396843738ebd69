#include "dbenv/ServerDetection.h"

#include <gtest/gtest.h>

#include "hosted/HostedTestSupport.h"
#include "platform/FileSystem.h"
#include "platform/hosted/HostedProgram.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

using platform::hosted::toHostPath;
using platform::hosted::test::readHostFile;
using platform::hosted::test::reconfigure;
using platform::hosted::test::writeHostFile;

#ifdef VK_TEST_GDS_IMAGES
// Places one of the built client libraries as the system folder's GDS32.DLL.
void installClient(const std::string& image) {
    writeHostFile(toHostPath("C:\\WINDOWS\\system32\\GDS32.DLL"),
                  readHostFile(std::string(VK_TEST_GDS_IMAGES) + "/" + image + ".dll"));
}
#endif

class ServerDetectionTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef VK_TEST_GDS_IMAGES
        GTEST_SKIP() << "the test client libraries need the MinGW tools";
#endif
    }
    ~ServerDetectionTest() override { platform::hosted::useProgramPath({}); }

    test::TestMachine machine;
    ServerInfo info;
};

#ifdef VK_TEST_GDS_IMAGES
TEST_F(ServerDetectionTest, TheClientLibrarysVersionStringsDecideTheChoices) {
    struct Case {
        const char* image;
        const char* description;
        const char* version;
        bool yaffil;
        bool serverWanted;
    };
    const Case cases[] = {
        {"GdsFirebird", "Firebird Client Library", "1.0.3.972", false, false},
        {"GdsYaffil", "yaffil client dll", "1.1.3.854", true, false},
        {"GdsInterBase", "InterBase Server", "6.0.1.6", false, true},
        // Only a Russian string table: nothing is read, so no server is assumed.
        {"GdsRussianOnly", "", "", false, true},
    };
    reconfigure("[Machine]\nLoadImages=yes\nProgramPath=D:\\Setup.exe\n");
    writeHostFile(toHostPath("D:\\Firebird_6-2-3-972-Win32.exe"), "installer");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        installClient(c.image);
        const ClientChoice choice = InitServerChoices(info, kPackageFlags);
        EXPECT_EQ(info.GdsDescription, c.description);
        EXPECT_EQ(info.GdsVersion, c.version);
        EXPECT_EQ(choice.YaffilChecked, c.yaffil);
        EXPECT_FALSE(choice.IBClientChecked);  // a library loads
        EXPECT_TRUE(choice.IBClientEnabled);
        EXPECT_EQ(NeedsServerInstall(info, true), c.serverWanted);
        EXPECT_FALSE(NeedsServerInstall(info, false));
    }
}
#endif

TEST_F(ServerDetectionTest, WithoutALibraryTheClientIsOfferedAndTheServerPageSaysSo) {
    const ClientChoice choice = InitServerChoices(info, kPackageFlags);
    EXPECT_TRUE(choice.IBClientChecked);
    EXPECT_TRUE(choice.IBClientEnabled);
    EXPECT_EQ(ServerPageText(info), "Программа установки определила, что на компьютере не установлен Interbase cервер.");

    const ClientChoice notOffered = InitServerChoices(info, kPackageFlags & ~pfClientOffered);
    EXPECT_FALSE(notOffered.IBClientChecked);
    EXPECT_FALSE(notOffered.IBClientEnabled);
}

TEST_F(ServerDetectionTest, TheMismatchTextNamesTheLibraryWithALatinC) {
    info.GdsDescription = "InterBase Server";
    info.GdsVersion = "6.0.1.6";
    const std::string text = ServerPageText(info);
    EXPECT_EQ(text, "Программа установки определила, что на компьютере установлена несоответствующая версия "
                    "Interbase cервера (InterBase Server 6.0.1.6).");
    EXPECT_EQ(text.find("\xD1\x81""ервер"), std::string::npos);  // no Cyrillic с
}

TEST_F(ServerDetectionTest, TheInstallerMustLieBesideTheSetupProgram) {
    platform::hosted::useProgramPath("E:\\Дистрибутив\\Setup.exe");
    EXPECT_FALSE(NeedsServerInstall(info, true));
    EXPECT_EQ(info.ServerInstaller, "E:\\Дистрибутив\\Firebird_6-2-3-972-Win32.exe");
    writeHostFile(toHostPath(info.ServerInstaller), "installer");
    EXPECT_TRUE(NeedsServerInstall(info, true));
}

TEST_F(ServerDetectionTest, TheInstallerRunsToItsEndAndAFailedStartIsNotReported) {
    machine.allowPrograms();
    info.ServerInstaller = "C:\\Dist\\Firebird_6-2-3-972-Win32.exe";
    writeHostFile(toHostPath(info.ServerInstaller), "#!/bin/sh\nsleep 0.2\n: > finished\n");
    ASSERT_TRUE(platform::setCurrentFolder("C:\\Dist"));
    RunServerInstaller(info);
    EXPECT_TRUE(platform::fileExists("C:\\Dist\\finished"));  // waited for, not merely started

    info.ServerInstaller = "C:\\Dist\\Absent.exe";
    EXPECT_NO_THROW(RunServerInstaller(info));
}

}  // namespace
}  // namespace vk
