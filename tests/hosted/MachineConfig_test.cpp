#include <gtest/gtest.h>

#include "hosted/HostedTestSupport.h"
#include "platform/hosted/MachineConfig.h"

namespace vk::platform::hosted {
namespace {

TEST(MachineConfig, AnEmptyFileIsAWindowsXpMachineThatRunsNothing) {
    MachineConfig config = parseMachineConfig("", "machine.ini");
    EXPECT_EQ(config.windowsFolder, "C:\\WINDOWS");
    EXPECT_EQ(config.systemFolder, "C:\\WINDOWS\\system32");
    EXPECT_EQ(config.tempFolder, "C:\\WINDOWS\\TEMP\\");
    EXPECT_FALSE(config.computerName.empty());
    EXPECT_FALSE(config.allowPrograms);
    EXPECT_FALSE(config.allowLibraries);
    EXPECT_TRUE(config.readOnlyRegistry.empty());
    for (int csidl : {0, 2, 5, 23, 26, 28, 35}) EXPECT_TRUE(config.specialFolders.contains(csidl)) << csidl;
    EXPECT_FALSE(config.specialFolders.contains(18));
    EXPECT_EQ(config.specialFolders.at(36), "C:\\WINDOWS");
}

TEST(MachineConfig, SettingsReplaceDefaultsAndFoldersAreNormalised) {
    MachineConfig config = parseMachineConfig(
        "\xEF\xBB\xBF; a limited user on a machine with D: as its system drive\r\n"
        "[Machine]\r\n"
        "computername = BUH-01\r\n"
        "WindowsFolder=D:\\WINNT\\\n"
        "SystemFolder=d:/winnt/system32\n"
        "TempFolder=D:\\Temp\n"
        "AllowPrograms=Yes\n"
        "# comments of both kinds\n"
        "[SpecialFolders]\n"
        "23=D:\\Menu\\Программы\\\n"
        "28=\n"
        "[ReadOnly]\n"
        "Registry=HKEY_LOCAL_MACHINE\n"
        "Registry=HKCR\\CLSID\n"
        "Folder=D:\\WINNT\n",
        "machine.ini");
    EXPECT_EQ(config.computerName, "BUH-01");
    EXPECT_EQ(config.windowsFolder, "D:\\WINNT");
    EXPECT_EQ(config.systemFolder, "D:\\winnt\\system32");
    EXPECT_EQ(config.tempFolder, "D:\\Temp\\");
    EXPECT_TRUE(config.allowPrograms);
    EXPECT_FALSE(config.allowLibraries);
    EXPECT_EQ(config.specialFolders.at(23), "D:\\Menu\\Программы");
    EXPECT_FALSE(config.specialFolders.contains(28));
    EXPECT_EQ(config.specialFolders.at(36), "D:\\WINNT");  // follows the Windows folder
    ASSERT_EQ(config.readOnlyRegistry.size(), 2u);
    EXPECT_TRUE(config.readOnlyRegistry[0].contains(RootKey::LocalMachine, {"Software", "Talvex"}));
    EXPECT_FALSE(config.readOnlyRegistry[0].contains(RootKey::CurrentUser, {}));
    EXPECT_TRUE(config.readOnlyRegistry[1].contains(RootKey::ClassesRoot, {"clsid", "{1}"}));
    EXPECT_FALSE(config.readOnlyRegistry[1].contains(RootKey::ClassesRoot, {"CLSIDX"}));
    ASSERT_EQ(config.readOnlyFolders.size(), 1u);
    EXPECT_EQ(config.readOnlyFolders[0].text(), "D:\\WINNT");
}

TEST(MachineConfig, TheInstallersPlaceImagesAndEngineAliases) {
    MachineConfig defaults = parseMachineConfig("", "machine.ini");
    EXPECT_EQ(defaults.programPath, "D:\\Setup.exe");
    EXPECT_FALSE(defaults.loadImages);
    EXPECT_TRUE(defaults.engineAliases.empty());

    MachineConfig config = parseMachineConfig(
        "[Machine]\nProgramPath=E:\\Дистрибутив\\Setup.exe\nLoadImages=yes\n"
        "[EngineAliases]\nNORVAL=SRV:D:\\Norval\\NORVAL.GDB\nEmpty=\n",
        "machine.ini");
    EXPECT_EQ(config.programPath, "E:\\Дистрибутив\\Setup.exe");
    EXPECT_TRUE(config.loadImages);
    using Alias = std::pair<std::string, std::string>;
    EXPECT_EQ(config.engineAliases, (std::vector<Alias>{{"NORVAL", "SRV:D:\\Norval\\NORVAL.GDB"}, {"Empty", ""}}));
}

TEST(MachineConfig, DamageIsReportedWithTheFileAndLine) {
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"[Machine]\nComputerName\n", "m.ini, line 2: expected name=value"},
        {"ComputerName=X\n", "m.ini, line 1: a setting before the first [section]"},
        {"[Machine]\n\n[Network\n", "m.ini, line 3: a section line must end"},
        {"[Printers]\n", "m.ini, line 1: unknown section [Printers]"},
        {"[Machine]\nColour=red\n", "m.ini, line 2: unknown setting Colour"},
        {"[Machine]\nAllowPrograms=maybe\n", "m.ini, line 2: expected yes or no"},
        {"[Machine]\nWindowsFolder=WINDOWS\n", "m.ini, line 2: \"WINDOWS\" is not a full Windows path"},
        {"[Machine]\nComputerName=A\ncomputername=B\n", "m.ini, line 3: computername is given twice"},
        {"[Machine]\nComputerName=\n", "m.ini, line 2: ComputerName must not be empty"},
        {"[SpecialFolders]\nDesktop=C:\\x\n", "m.ini, line 2: a special folder is named by its CSIDL number"},
        {"[SpecialFolders]\n5=C:\\a\n05=C:\\b\n", "m.ini, line 3: special folder 5 is given twice"},
        {"[ReadOnly]\nRegistry=HKEY_USERS\n", "m.ini, line 2: a registry key must start with"},
        {"[ReadOnly]\nFile=C:\\x\n", "m.ini, line 2: unknown setting File"},
        {"[Machine]\nComputerName=\xC0\xC1\n", "m.ini, line 2: the text is not UTF-8"},
        {"[Machine]\nProgramPath=Setup.exe\n", "m.ini, line 2: \"Setup.exe\" is not a full Windows path"},
        {"[EngineAliases]\nNorval=A\nNORVAL=B\n", "m.ini, line 3: engine alias NORVAL is given twice"},
        {"[EngineAliases]\n=A\n", "m.ini, line 2: an engine alias needs a name"},
    };
    for (const auto& c : cases) test::expectErrorStartingWith([&] { parseMachineConfig(c.text, "m.ini"); }, c.expected);
}

}  // namespace
}  // namespace vk::platform::hosted
