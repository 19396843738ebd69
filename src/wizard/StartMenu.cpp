#include "wizard/StartMenu.h"

#include "dbenv/RegStrings.h"
#include "datalib/StrUtils.h"
#include "datalib/WinUtils.h"
#include "engine/InstallLog.h"
#include "platform/FileSystem.h"
#include "platform/ShellLink.h"

namespace vk {

namespace {

constexpr int kCommonPrograms = 23;
constexpr std::string_view kShellFoldersKey = "SoftWare\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace

std::string StartMenuGroup() {
    std::string programs = GetSpecialFolder(kCommonPrograms);
    if (programs.empty()) programs = ReadRegString(platform::RootKey::CurrentUser, kShellFoldersKey, "Programs");
    return programs + "\\НПО Талвекс";
}

void CreateShortcut(DataSet& log, std::string_view installFolder, std::string_view name, std::string_view target,
                    std::string_view description) {
    platform::ShellLinkData link;
    link.path = std::string(installFolder) + "\\" + std::string(target);
    link.workingFolder = std::string(installFolder);
    link.description = std::string(description);

    const std::string group = StartMenuGroup();
    if (!ForceDir(group)) {
        AddLogEntry(log, group, logkind::Shortcut, 0);
        return;
    }
    const std::string file = group + "\\" + std::string(name) + ".lnk";
    platform::saveShellLink(link, file);  // a shortcut that cannot be written is passed over
    AddLogEntry(log, file, logkind::Shortcut, 0);
}

void CreateStartMenuShortcuts(DataSet& log, std::string_view installFolder, std::string_view productCaption,
                              bool manuals, const ConfigTable& configs) {
    AddLogEntry(log, StartMenuGroup(), logkind::Folder, 0);
    CreateShortcut(log, installFolder, IfEmpty(productCaption, "АС Кронта"), "Vorkast.exe",
                   "Система автоматизированного учета");
    CreateShortcut(log, installFolder, "Редактор шаблонов", "Tablica.exe", "");
    CreateShortcut(log, installFolder, "Администратор подключений", "Nadzor.exe", "");
    CreateShortcut(log, installFolder, "Описание версии", "Vorkast.htm", "");
    if (!manuals) return;
    for (std::size_t row = 0; row < configs.rows().size(); ++row) {
        if (!configs.IsConfigSelected(static_cast<int>(row))) continue;
        const TConfigInfo& config = configs.rows()[row];
        CreateShortcut(log, installFolder, config.Caption + " (Руководство пользователя)",
                       "Docs\\" + config.ManualFile, "");
    }
}

}  // namespace vk
