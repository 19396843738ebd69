// The start-menu group and shortcuts of the system settings.
#include "wizard/StartMenu.h"

#include <gtest/gtest.h>

#include "datalib/Paths.h"
#include "engine/InstallFixture.h"
#include "forms/Form.h"
#include "forms/ListView.h"
#include "hosted/HostedTestSupport.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/ShellLink.h"

namespace vk {
namespace {

using test::LogEntry;

constexpr const char* kGroup = "C:\\Documents and Settings\\All Users\\Главное меню\\Программы\\НПО Талвекс";
constexpr const char* kFolder = "C:\\Program Files\\Talvex\\Vorkast";

struct ListForm : forms::Form {
    ListForm() : Form("fmTest", "", 400, 200) {}
    forms::ListView lvConfigs{*this, "lvConfigs", {0, 0, 355, 100}};
};

struct Shortcuts : ::testing::Test {
    test::TestMachine machine;
    std::unique_ptr<TStaticSet> log = test::newLog();
    ListForm form;
    ConfigTable configs{packageConfigs(), form.lvConfigs};
};

TEST_F(Shortcuts, TheFourShortcutsPointIntoTheProgramFolderAndAreLoggedInOrder) {
    configs.FillConfigList(0x0002);
    CreateStartMenuShortcuts(*log, kFolder, "АС Кронта 3.1", false, configs);
    const std::string group = kGroup;
    EXPECT_EQ(test::readLog(*log), (std::vector<LogEntry>{
                                       {logkind::Folder, group, 0},
                                       {logkind::Shortcut, group + "\\АС Кронта 3.1.lnk", 0},
                                       {logkind::Shortcut, group + "\\Редактор шаблонов.lnk", 0},
                                       {logkind::Shortcut, group + "\\Администратор подключений.lnk", 0},
                                       {logkind::Shortcut, group + "\\Описание версии.lnk", 0},
                                   }));
    const auto main = platform::readShellLink(group + "\\АС Кронта 3.1.lnk");
    ASSERT_TRUE(main);
    EXPECT_EQ(main->path, std::string(kFolder) + "\\Vorkast.exe");
    EXPECT_EQ(main->workingFolder, kFolder);
    EXPECT_EQ(main->description, "Система автоматизированного учета");
    EXPECT_EQ(main->arguments, "");
    const auto history = platform::readShellLink(group + "\\Описание версии.lnk");
    ASSERT_TRUE(history);
    EXPECT_EQ(history->path, std::string(kFolder) + "\\Vorkast.htm");
    EXPECT_EQ(history->description, "");
}

TEST_F(Shortcuts, ManualsFollowTheSelectedConfigurationsAndAnEmptyCaptionGetsTheShortName) {
    configs.rows().push_back({2, "Вторая", "", "", "", "Вторая.pdf", 0});
    configs.rows().push_back({3, "Третья", "", "", "", "", 0});
    configs.FillConfigList(0x0002);
    form.lvConfigs.setChecked(configs.rows()[1].Item, false);

    CreateStartMenuShortcuts(*log, "\\\\Сервер\\Vorkast", "", true, configs);
    std::vector<std::string> values;
    for (const LogEntry& entry : test::readLog(*log)) values.push_back(ExtractFileName(entry.value));
    const std::string first = configs.rows()[0].Caption;
    EXPECT_EQ(values, (std::vector<std::string>{"НПО Талвекс", "АС Кронта.lnk", "Редактор шаблонов.lnk",
                                                "Администратор подключений.lnk", "Описание версии.lnk",
                                                first + " (Руководство пользователя).lnk",
                                                "Третья (Руководство пользователя).lnk"}));
    const auto manual = platform::readShellLink(std::string(kGroup) + "\\Третья (Руководство пользователя).lnk");
    ASSERT_TRUE(manual);
    EXPECT_EQ(manual->path, "\\\\Сервер\\Vorkast\\Docs\\");
    EXPECT_EQ(manual->workingFolder, "\\\\Сервер\\Vorkast");
}

TEST_F(Shortcuts, WithoutTheCommonProgramsFolderTheUsersShellFolderServes) {
    platform::hosted::test::reconfigure("[SpecialFolders]\n23=\n");
    auto key = platform::openRegistryKey(platform::RootKey::CurrentUser,
                                         "SoftWare\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->writeString("Programs", "C:\\Меню\\Программы"));
    EXPECT_EQ(StartMenuGroup(), "C:\\Меню\\Программы\\НПО Талвекс");
    CreateShortcut(*log, kFolder, "Редактор шаблонов", "Tablica.exe", "");
    EXPECT_TRUE(platform::fileExists("C:\\Меню\\Программы\\НПО Талвекс\\Редактор шаблонов.lnk"));
}

TEST_F(Shortcuts, AGroupThatCannotBeMadeIsLoggedInsteadOfTheFile) {
    platform::hosted::test::reconfigure("[ReadOnly]\nFolder=C:\\Documents and Settings\n");
    CreateShortcut(*log, kFolder, "Редактор шаблонов", "Tablica.exe", "");
    EXPECT_EQ(test::readLog(*log), (std::vector<LogEntry>{{logkind::Shortcut, kGroup, 0}}));
    EXPECT_FALSE(platform::directoryExists(kGroup));
}

}  // namespace
}  // namespace vk
