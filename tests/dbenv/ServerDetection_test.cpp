#include "dbenv/ServerDetection.h"

#include <gtest/gtest.h>

#include "dbenv/GdsPage.h"
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
        test::GdsPage page;
        InitServerChoices(info, kPackageFlags, page.controls());
        EXPECT_EQ(info.GdsDescription, c.description);
        EXPECT_EQ(info.GdsVersion, c.version);
        EXPECT_EQ(page.rbYaffil.checked(), c.yaffil);
        EXPECT_EQ(page.rbFirebird.checked(), !c.yaffil);
        EXPECT_FALSE(page.cbIBClient.checked());  // a library loads
        EXPECT_TRUE(page.cbIBClient.enabled());
        EXPECT_FALSE(page.rbYaffil.enabled());
        EXPECT_EQ(NeedsServerInstall(info, true), c.serverWanted);
        EXPECT_FALSE(NeedsServerInstall(info, false));
    }
}
#endif

TEST_F(ServerDetectionTest, WithoutALibraryTheClientIsOfferedAndTheServerPageSaysSo) {
    test::GdsPage page;
    InitServerChoices(info, kPackageFlags, page.controls());
    EXPECT_TRUE(page.cbIBClient.checked());
    EXPECT_TRUE(page.cbIBClient.enabled());
    EXPECT_TRUE(page.rbFirebird.enabled() && page.rbFirebird.checked());
    EXPECT_EQ(ServerPageText(info), "Программа установки определила, что на компьютере не установлен Interbase cервер.");
    page.cbIBClient.click();
    EXPECT_FALSE(page.rbFirebird.enabled() || page.rbYaffil.enabled());

    test::GdsPage notOffered;
    InitServerChoices(info, kPackageFlags & ~pfClientOffered, notOffered.controls());
    EXPECT_FALSE(notOffered.cbIBClient.checked());
    EXPECT_FALSE(notOffered.cbIBClient.enabled());
    EXPECT_FALSE(notOffered.rbFirebird.enabled());
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
