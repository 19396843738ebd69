#include "dbenv/ExchangeFolder.h"

#include <gtest/gtest.h>

#include "hosted/HostedTestSupport.h"
#include "platform/FileSystem.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

TEST(ExchangeFolder, AWritableFolderKeepsItsClientsFolderAndNoTestFile) {
    test::TestMachine machine;
    std::filesystem::create_directories(platform::hosted::machineFolder() / "UNC" / "srv" / "share");
    TestExchangeFolder("\\\\srv\\share\\Обмен");
    EXPECT_TRUE(platform::directoryExists("\\\\srv\\share\\Обмен\\Clients"));
    EXPECT_FALSE(platform::fileExists("\\\\srv\\share\\Обмен\\Clients\\Vorkast.tmp"));
}

TEST(ExchangeFolder, AFolderThatCannotBeWrittenIsRefusedWithTheOneMessage) {
    test::TestMachine machine;
    platform::createDirectory("C:\\Shared");
    platform::createDirectory("C:\\Shared\\Clients");
    platform::hosted::test::reconfigure("[ReadOnly]\nFolder=C:\\Shared\n");
    for (const char* folder : {"C:\\Shared", "C:\\Shared\\New"})
        platform::hosted::test::expectErrorStartingWith([&] { TestExchangeFolder(folder); },
                                                        "Папка обмена не доступна для записи");
}

TEST(ExchangeFolder, NoFolderMeansNoTest) {
    test::TestMachine machine;
    EXPECT_NO_THROW(TestExchangeFolder(""));
}

}  // namespace
}  // namespace vk
