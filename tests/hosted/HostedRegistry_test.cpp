// The registry file of the hosted machine: how it is written, reread and guarded.
#include <gtest/gtest.h>

#include <thread>

#include "hosted/HostedTestSupport.h"
#include "platform/Error.h"
#include "platform/Registry.h"
#include "support/FileSizeLimit.h"
#include "support/TestMachine.h"

namespace vk::platform::hosted {
namespace {

using test::readHostFile;
using test::writeHostFile;

class HostedRegistry : public ::testing::Test {
protected:
    std::filesystem::path registryFile() const { return machineFolder() / "registry.reg"; }

    vk::test::TestMachine machine;
};

TEST_F(HostedRegistry, EveryChangeIsWrittenAtomicallyInTheSpellingFirstGiven) {
    auto key = openRegistryKey(RootKey::CurrentUser, "Software\\Talvex\\Vorkast", true);
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->writeString("DBName", "C:\\Базы\\one.dbx"));
    ASSERT_TRUE(openRegistryKey(RootKey::CurrentUser, "SOFTWARE\\TALVEX\\VORKAST", true)->writeString("DBNAME", "two"));

    std::string text = readHostFile(registryFile());
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Talvex\\Vorkast]\n\"DBName\"=\"two\"\n"), std::string::npos) << text;
    for (const auto& entry : std::filesystem::directory_iterator(machineFolder()))
        EXPECT_NE(entry.path().extension(), ".new") << entry.path();
}

TEST_F(HostedRegistry, AFailedWriteLeavesTheFileAndTheValueAsTheyWere) {
    auto key = openRegistryKey(RootKey::CurrentUser, "Software\\Talvex", true);
    ASSERT_TRUE(key->writeString("Value", "old"));
    std::string before = readHostFile(registryFile());

    {
        vk::test::FileSizeLimit diskFull(before.size() / 2);  // the new file cannot be written whole
        EXPECT_FALSE(key->writeString("Value", "new"));
        EXPECT_EQ(openRegistryKey(RootKey::CurrentUser, "Software\\Talvex\\Child", true), nullptr);
    }
    EXPECT_EQ(readHostFile(registryFile()), before);
    EXPECT_EQ(key->readString("Value"), "old");
    for (const auto& entry : std::filesystem::directory_iterator(machineFolder()))
        EXPECT_NE(entry.path().extension(), ".new") << entry.path();

    EXPECT_TRUE(key->writeString("Value", "new"));
    EXPECT_EQ(key->readString("Value"), "new");
}

TEST_F(HostedRegistry, ChangesMadeToTheFileOutsideAreSeen) {
    auto key = openRegistryKey(RootKey::LocalMachine, "Software\\Borland", true);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->readString("Root"), std::nullopt);
    writeHostFile(registryFile(),
                  "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Borland]\n\"Root\"=\"D:\\\\BDE\"\n");
    EXPECT_EQ(key->readString("Root"), "D:\\BDE");
}

TEST_F(HostedRegistry, ADamagedFileIsReportedNotReplaced) {
    std::string damaged = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software]\n\"a\"=\"unterminated\n";
    writeHostFile(registryFile(), damaged);
    test::expectErrorStartingWith([] { openRegistryKey(RootKey::CurrentUser, "Software", true); },
                                  registryFile().string() + ", line 4: missing closing quote");
    EXPECT_EQ(readHostFile(registryFile()), damaged);
}

TEST_F(HostedRegistry, ReadOnlyKeysCanBeReadButNotWrittenOrCreated) {
    writeHostFile(registryFile(),
                  "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Talvex]\n\"Installed\"=\"1\"\n");
    test::reconfigure("[ReadOnly]\nRegistry=HKEY_LOCAL_MACHINE\nRegistry=HKEY_CURRENT_USER\\Software\\Policies\n");
    std::string before = readHostFile(registryFile());

    EXPECT_EQ(openRegistryKey(RootKey::LocalMachine, "Software\\Talvex", true), nullptr);
    EXPECT_EQ(openRegistryKey(RootKey::LocalMachine, "Software\\New", true), nullptr);
    auto existing = openRegistryKey(RootKey::LocalMachine, "software\\talvex", false);
    ASSERT_NE(existing, nullptr);
    EXPECT_EQ(existing->readString("Installed"), "1");
    EXPECT_FALSE(existing->writeString("Installed", "2"));
    EXPECT_EQ(openRegistryKey(RootKey::CurrentUser, "Software\\Policies\\Talvex", true), nullptr);
    EXPECT_EQ(readHostFile(registryFile()), before);

    EXPECT_NE(openRegistryKey(RootKey::CurrentUser, "Software\\PoliciesOther", true), nullptr);
}

TEST_F(HostedRegistry, NamesAndTextsThatCannotBeStoredAreRefused) {
    auto key = openRegistryKey(RootKey::CurrentUser, "Software", true);
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(key->writeString("two\nlines", "x"));
    EXPECT_FALSE(key->writeString("name", "\xC3"));
    EXPECT_EQ(openRegistryKey(RootKey::CurrentUser, "Software\\bad\rkey", true), nullptr);
    EXPECT_TRUE(key->writeString("fine", "tab\there"));
    EXPECT_EQ(key->readString("fine"), "tab\there");
}

TEST_F(HostedRegistry, TwoThreadsWritingAtOnceLoseNothing) {
    auto writeMany = [](const char* keyName) {
        auto key = openRegistryKey(RootKey::CurrentUser, keyName, true);
        for (int i = 0; i < 8; ++i) key->writeString("v" + std::to_string(i), std::to_string(i));
    };
    std::thread worker(writeMany, "Worker");
    writeMany("Window");
    worker.join();
    for (const char* keyName : {"Worker", "Window"}) {
        auto key = openRegistryKey(RootKey::CurrentUser, keyName, false);
        ASSERT_NE(key, nullptr);
        for (int i = 0; i < 8; ++i) EXPECT_EQ(key->readString("v" + std::to_string(i)), std::to_string(i));
    }
}

TEST(HostedRegistryWithoutMachine, HasNoKeys) {
    useNoMachine();
    EXPECT_EQ(openRegistryKey(RootKey::CurrentUser, "Software", true), nullptr);
}

}  // namespace
}  // namespace vk::platform::hosted
