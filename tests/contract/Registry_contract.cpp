// The registry as every platform must offer it.
#include <gtest/gtest.h>

#include "platform/Registry.h"
#include "support/TestMachine.h"
#include "support/TestNames.h"

namespace vk::platform {
namespace {

class RegistryContract : public ::testing::TestWithParam<RootKey> {
protected:
    test::TestMachine machine;
};

TEST_P(RegistryContract, ValuesRoundTripAndKeysMatchWithoutRegardToCase) {
    std::string path = machine.registryScratch(GetParam()) + "\\Кронта\\Settings";
    {
        auto key = openRegistryKey(GetParam(), path, true);
        ASSERT_NE(key, nullptr);
        EXPECT_TRUE(key->writeString("Path", "C:\\Program Files\\Талвекс\\Vorkast"));
        EXPECT_TRUE(key->writeString("", "по умолчанию"));
        EXPECT_TRUE(key->writeString("Tricky", "quote \" backslash \\ line\r\nnext"));
        EXPECT_TRUE(key->writeString("Replaced", "old"));
        EXPECT_TRUE(key->writeString("replaced", "new"));
    }
    std::string otherCase = machine.registryScratch(GetParam()) + "\\КРОНТА\\settings";
    auto key = openRegistryKey(GetParam(), otherCase, false);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->readString("PATH"), "C:\\Program Files\\Талвекс\\Vorkast");
    EXPECT_EQ(key->readString(""), "по умолчанию");
    EXPECT_EQ(key->readString("Tricky"), "quote \" backslash \\ line\r\nnext");
    EXPECT_EQ(key->readString("Replaced"), "new");
    EXPECT_EQ(key->readString("Missing"), std::nullopt);
}

TEST_P(RegistryContract, DeletingAKeyTakesItsSubkeysAndSparesItsSiblings) {
    const std::string parent = machine.registryScratch(GetParam()) + "\\Удаляемый";
    ASSERT_NE(openRegistryKey(GetParam(), parent + "\\Inner\\Deeper", true), nullptr);
    openRegistryKey(GetParam(), parent, false)->writeString("Value", "x");
    ASSERT_NE(openRegistryKey(GetParam(), parent + "Sibling", true), nullptr);

    EXPECT_TRUE(deleteRegistryKey(GetParam(), parent));
    EXPECT_EQ(openRegistryKey(GetParam(), parent, false), nullptr);
    EXPECT_EQ(openRegistryKey(GetParam(), parent + "\\Inner\\Deeper", false), nullptr);
    EXPECT_NE(openRegistryKey(GetParam(), parent + "Sibling", false), nullptr);
    EXPECT_TRUE(deleteRegistryKey(GetParam(), parent)) << "a missing key is gone already";
    EXPECT_FALSE(deleteRegistryKey(GetParam(), "")) << "never the root itself";
    EXPECT_FALSE(deleteRegistryKey(GetParam(), "\\"));
}

INSTANTIATE_TEST_SUITE_P(EachRoot, RegistryContract,
                         ::testing::Values(RootKey::LocalMachine, RootKey::CurrentUser, RootKey::ClassesRoot),
                         [](const auto& info) { return std::string(rootKeyName(info.param)); });

TEST(RegistryContract, MissingKeysReadAbsentAndCreationMakesEveryParent) {
    test::TestMachine machine;
    std::string deep = machine.registryScratch() + "\\One\\Two\\Three";
    EXPECT_EQ(openRegistryKey(RootKey::CurrentUser, deep, false), nullptr);
    ASSERT_NE(openRegistryKey(RootKey::CurrentUser, deep, true), nullptr);
    EXPECT_NE(openRegistryKey(RootKey::CurrentUser, machine.registryScratch() + "\\One", false), nullptr);

    auto parent = openRegistryKey(RootKey::CurrentUser, machine.registryScratch() + "\\One\\Two", false);
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(parent->readString(""), std::nullopt);  // a new key has no default value
}

}  // namespace
}  // namespace vk::platform
