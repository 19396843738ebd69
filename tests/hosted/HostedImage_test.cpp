// What the hosted machine reads from PE images: the own executable's
// resources and the version strings of a file on the machine.
#include <gtest/gtest.h>

#include "hosted/HostedTestSupport.h"
#include "platform/FileSystem.h"
#include "platform/FileVersion.h"
#include "platform/Resources.h"
#include "support/TestMachine.h"

namespace vk::platform::hosted {
namespace {

class HostedImage : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef VK_TEST_PE_IMAGE
        GTEST_SKIP() << "the MinGW cross tools are not installed, so there is no test image";
#endif
    }
    void TearDown() override { useOwnImage({}); }

    vk::test::TestMachine machine;
};

#ifdef VK_TEST_PE_IMAGE
TEST_F(HostedImage, OwnResourcesAreWindowsOntoTheImageFile) {
    EXPECT_EQ(ownResource("TRSData"), nullptr);  // no own image yet
    useOwnImage(VK_TEST_PE_IMAGE);
    auto payload = ownResource("trsdata");
    ASSERT_NE(payload, nullptr);
    std::string start(17, '\0');
    payload->readExact(start.data(), start.size());
    EXPECT_EQ(start, "TRS payload bytes");
    EXPECT_LT(payload->size(), 64);  // the resource, not the image
    EXPECT_ANY_THROW(payload->write("x", 1));
    EXPECT_EQ(ownResource("Absent"), nullptr);
}

TEST_F(HostedImage, VersionStringsComeFromTheImageOnTheMachine) {
    std::filesystem::copy_file(VK_TEST_PE_IMAGE, toHostPath(systemFolder() + "\\GDS32.DLL"));
    EXPECT_EQ(fileVersionString("C:\\windows\\system32\\gds32.dll", "FileDescription"), "Тестовая библиотека");
    EXPECT_EQ(fileVersionString(systemFolder() + "\\GDS32.DLL", "FileVersion"), "1.0.3.972");
    EXPECT_EQ(fileVersionString(systemFolder() + "\\GDS32.DLL", "Comments"), std::nullopt);
    EXPECT_EQ(fileVersionString(systemFolder() + "\\Missing.dll", "FileVersion"), std::nullopt);
    test::writeHostFile(toHostPath(machine.scratch() + "\\text.dll"), "MZ but nothing more");
    EXPECT_EQ(fileVersionString(machine.scratch() + "\\text.dll", "FileVersion"), std::nullopt);
}
#endif

}  // namespace
}  // namespace vk::platform::hosted
