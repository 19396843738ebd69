#include "dbenv/BdeConfig.h"

#include <gtest/gtest.h>

#include "dbenv/BdeExpectations.h"
#include "dbenv/RegStrings.h"
#include "hosted/HostedTestSupport.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

using platform::RootKey;

// The "name"= lines under HKEY_LOCAL_MACHINE\SOFTWARE\Borland in the hosted registry.
int storedBorlandValues(const std::filesystem::path& machine) {
    std::istringstream lines(platform::hosted::test::readHostFile(machine / "registry.reg"));
    bool inBorland = false;
    int values = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("[")) inBorland = line.starts_with("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Borland");
        else if (inBorland && line.starts_with("\"")) ++values;
    }
    return values;
}

TEST(BdeConfig, WritesTheWholeConfigurationWithTheDefaultFolder) {
    test::TestMachine machine;
    EXPECT_EQ(DetectBdeFolder(), "");
    const std::string folder = DefaultBdeFolder("C:\\WINDOWS\\");
    EXPECT_EQ(folder, "C:\\Program files\\Borland\\Common files\\BDE");
    ConfigureBde(folder);
    test::expectBdeConfiguration(folder);
    EXPECT_EQ(storedBorlandValues(platform::hosted::machineFolder()), 76);
    EXPECT_EQ(DetectBdeFolder(), folder);
}

TEST(BdeConfig, AnInstalledEngineKeepsItsFolderAndItsUseCountBecomesOne) {
    test::TestMachine machine;
    const std::string engineKey = "SOFTWARE\\Borland\\Database Engine";
    WriteRegString(RootKey::LocalMachine, engineKey, "DLLPATH", "F:\\Engine");
    WriteRegString(RootKey::LocalMachine, engineKey, "UseCount", "3");
    WriteRegString(RootKey::LocalMachine, engineKey, "OtherProduct", "kept");

    ConfigureBde(DetectBdeFolder());
    test::expectBdeConfiguration("F:\\Engine");
    EXPECT_EQ(ReadRegString(RootKey::LocalMachine, engineKey, "OtherProduct"), "kept");
}

TEST(BdeConfig, TheDefaultFolderIsOnTheWindowsFoldersDriveOrShare) {
    EXPECT_EQ(DefaultBdeFolder("D:\\WINNT\\"), "D:\\Program files\\Borland\\Common files\\BDE");
    EXPECT_EQ(DefaultBdeFolder("\\\\srv\\sys\\WINDOWS\\"), "\\\\srv\\sys\\Program files\\Borland\\Common files\\BDE");
}

TEST(BdeConfig, ALimitedUserGetsNoValuesAndNoFailure) {
    test::TestMachine machine;
    platform::hosted::test::reconfigure("[ReadOnly]\nRegistry=HKEY_LOCAL_MACHINE\n");
    EXPECT_NO_THROW(ConfigureBde("C:\\BDE"));
    EXPECT_FALSE(platform::openRegistryKey(RootKey::LocalMachine, "SOFTWARE\\Borland", false));
    EXPECT_EQ(DetectBdeFolder(), "");
}

}  // namespace
}  // namespace vk
