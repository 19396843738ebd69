#include "datalib/RegUtils.h"

#include <gtest/gtest.h>

#include "support/TestMachine.h"

namespace vk {
namespace {

TEST(RegUtils, ReadRegStringReadsMissingKeysAndValuesAsEmptyWithoutCreatingThem) {
    test::TestMachine machine;
    const std::string key = machine.registryScratch() + "\\Кронта";
    EXPECT_EQ(ReadRegString(platform::RootKey::CurrentUser, key, "RootDir"), "");
    EXPECT_EQ(platform::openRegistryKey(platform::RootKey::CurrentUser, key, false), nullptr);

    auto written = platform::openRegistryKey(platform::RootKey::CurrentUser, key, true);
    ASSERT_TRUE(written);
    ASSERT_TRUE(written->writeString("RootDir", "C:\\Талвекс"));
    ASSERT_TRUE(written->writeString("", "по умолчанию"));
    EXPECT_EQ(ReadRegString(platform::RootKey::CurrentUser, key, "RootDir"), "C:\\Талвекс");
    EXPECT_EQ(ReadRegString(platform::RootKey::CurrentUser, key, "rootdir"), "C:\\Талвекс");
    EXPECT_EQ(ReadRegString(platform::RootKey::CurrentUser, key, ""), "по умолчанию");
    EXPECT_EQ(ReadRegString(platform::RootKey::CurrentUser, key, "Other"), "");
}

}  // namespace
}  // namespace vk
