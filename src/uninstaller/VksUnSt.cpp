// VksUnSt.exe, the product's uninstaller: installed into the Windows folder
// beside the install log "VksUnSt.trs" and started by the system's list of
// removable programs as "VksUnSt.exe REMOVE". It asks before it touches
// anything; what it removes, keeps and refuses is decided by the engine's
// uninstall plan from the log. Its messages are the installer's: the form
// kit's message dialog through the Win32 view.
#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "datalib/Paths.h"
#include "datalib/WinUtils.h"
#include "engine/InstallLog.h"
#include "engine/InstallLogReader.h"
#include "engine/Uninstaller.h"
#include "forms/FrontEnd.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "platform/win32/Wide.h"
#include "uninstaller/ProgressWindow.h"
#include "uninstaller/SelfDelete.h"
#include "view/Win32FrontEnd.h"

namespace {

using vk::platform::win32::narrow;
using vk::platform::win32::wide;

// Exit codes, for whoever starts the uninstaller from a script.
constexpr int kRemoved = 0;        // everything the log lists is gone
constexpr int kIncomplete = 1;     // something stays (listed in the closing message)
constexpr int kUsage = 2;          // started without REMOVE
constexpr int kNotStarted = 3;     // the log is unreadable, or the user said No

std::wstring ownPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, length);
}

// The product's name as the list of removable programs shows it.
std::string productName() {
    auto key = vk::platform::openRegistryKey(vk::platform::RootKey::LocalMachine, vk::kUninstallKey, false);
    const std::optional<std::string> name = key ? key->readString("DisplayName") : std::nullopt;
    return name && !name->empty() ? *name : "АС Кронта";
}

bool removeRequested() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const bool requested =
        arguments && count == 2 && lstrcmpiW(arguments[1], wide(vk::kUninstallArgument).c_str()) == 0;
    LocalFree(arguments);
    return requested;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using vk::forms::MsgDlgType;
    using vk::forms::ShowMessageDlg;
    vk::view::Win32FrontEnd frontEnd;
    vk::forms::FrontEndScope shown(frontEnd);
    const std::string product = productName();
    if (!removeRequested()) {
        ShowMessageDlg("Программа удаления " + product + ".\n\nЗапуск: VksUnSt.exe REMOVE\n\nОна удаляет то, что "
                       "перечислено в журнале установки VksUnSt.trs рядом с ней.",
                       MsgDlgType::Information, vk::forms::mbOK);
        return kUsage;
    }

    const std::string self = narrow(ownPath());
    const std::string log = vk::ExtractFileDir(self) + "\\" + std::string(vk::kInstallLogName);
    std::vector<vk::InstallLogEntry> entries;
    try {
        entries = vk::ReadInstallLog(vk::platform::openFile(log, vk::platform::FileMode::OpenRead));
    } catch (const vk::Error& e) {
        ShowMessageDlg("Журнал установки не прочитан, поэтому ничего не удалено.\n\n" + std::string(e.what()),
                       MsgDlgType::Error, vk::forms::mbOK);
        return kNotStarted;
    }
    const vk::UninstallPlan plan = vk::PlanUninstall(entries, {vk::WindowsDir(), vk::SystemDir(), log, self});

    if (ShowMessageDlg("Удалить программу " + product + " и все её компоненты с этого компьютера?\n\nПапка баз "
                       "данных и файлы подключения будут сохранены.",
                       MsgDlgType::Confirmation, vk::forms::mbYesNo) != vk::forms::mrYes)
        return kNotStarted;

    // A server started from here, or a folder removed, must not find this process inside the installation.
    vk::platform::setCurrentFolder(vk::WindowsDir());
    vk::UninstallReport report;
    {
        vk::uninstaller::ProgressWindow progress(instance, wide("Удаление программы " + product));
        report = vk::RunUninstall(plan, [&](std::size_t done, std::size_t total, const std::string& path) {
            progress.show(done, total, wide(path));
        });
    }
    const bool complete = report.notRemoved.empty() && plan.refused.empty();
    ShowMessageDlg(vk::UninstallSummary(plan, report), complete ? MsgDlgType::Information : MsgDlgType::Warning,
                   vk::forms::mbOK);
    // Last, so that the batch file's retries last no longer than this process's exit.
    if (!vk::uninstaller::deleteWhenEnded(wide(self))) return kIncomplete;
    return complete ? kRemoved : kIncomplete;
}
