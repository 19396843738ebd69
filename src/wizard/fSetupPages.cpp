// Moving through the wizard's pages, the checks that hold the user on a page,
// the folder choosers and the version history.
#include "datalib/WholeFile.h"
#include "datalib/WinUtils.h"
#include "dbenv/ConnectionFiles.h"
#include "dbenv/ServerDetection.h"
#include "dbenv/SiblingSystem.h"
#include "forms/FrontEnd.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "wizard/FolderCheck.h"
#include "wizard/SldCtrls.h"
#include "wizard/fSetup.h"

namespace vk {

namespace {

constexpr int kDesktop = 0;
constexpr int kNetworkNeighbourhood = 18;

}  // namespace

void TfmSetup::showPage(int index) { nbMain.setPageIndex(index); }

bool TfmSetup::folderUsable(const std::string& folder) {
    const auto problem = FolderPathProblem(folder);
    if (problem) forms::ShowMessageDlg(*problem, forms::MsgDlgType::Error, forms::mbOK);
    return !problem;
}

void TfmSetup::btNextClick() {
    switch (nbMain.pageIndex()) {
    case pgWelcome:
        if (rbServer.checked()) {
            if (!LinkQuestionAsked) {
                LinkQuestionAsked = true;
                if (AskForLink(Link)) {
                    cbURM.setChecked(true);
                    btURMClick();
                }
            }
            showPage(pgServer);
        } else {
            showPage(pgClient);
        }
        btPrior.setEnabled(true);
        break;
    case pgServer:
        if (!folderUsable(edLocalPath.text())) break;
        if (cbURM.checked() && Link.chosen().DatabasePath.empty()) {
            if (forms::ShowMessageDlg("Не установлены параметры удаленного рабочего места, вы хотите настроить их "
                                      "позже?",
                                      forms::MsgDlgType::Warning, forms::mbYesNo) == forms::mrYes)
                showPage(pgAdditional);
            else
                btURMClick();
            break;
        }
        showPage(pgAdditional);
        break;
    case pgClient:
        // An empty folder is left to the program check below, which names no folder.
        if (!edNetPath.text().empty() && !folderUsable(edNetPath.text())) break;
        if (platform::fileExists(edNetPath.text() + "\\Vorkast.exe")) {
            showPage(pgAdditional);
        } else {
            forms::ShowMessageDlg("Программа в указанной папке не установлена, или папка не существует.",
                                  forms::MsgDlgType::Error, forms::mbOK);
        }
        break;
    case pgAdditional:
        if (rbServer.checked() && !folderUsable(edDataBase.text())) break;
        if (!ValidateConnectionPage(PackageFlags, edDBX.text(), edConfig.text())) break;
        showPage(pgInstall);
        btNext.setCaption("Установить");
        break;
    case pgInstall:
        StartWorker();
        btPrior.setVisible(false);
        // The window stays responsive while the thread runs: its messages,
        // and the window's own, are delivered here until it has ended. So
        // Next returns with the run over, for every front end alike.
        DeliverWorkerMessages();
        break;
    case pgDatabaseServer:
        if (cbIBServer.checked()) RunServerInstaller(Server);
        btExit.setDefault(true);
        btNext.setVisible(false);
        showPage(pgFinish);
        break;
    default: break;
    }
}

void TfmSetup::btPriorClick() {
    switch (nbMain.pageIndex()) {
    case pgServer:
    case pgClient:
        showPage(pgWelcome);
        btPrior.setEnabled(false);
        break;
    case pgAdditional: showPage(rbServer.checked() ? pgServer : pgClient); break;
    case pgInstall:
        showPage(pgAdditional);
        btNext.setCaption("Далее >>");
        break;
    default: break;
    }
}

void TfmSetup::btExitClick() {
    if (nbMain.pageIndex() == pgFinish && cbLaunch.checked()) LaunchProgram();
    Close();
}

void TfmSetup::rbServerClick() {
    if (rbServer.checked()) {
        if (lvConfigs.enabled() && (PackageFlags & pfConfigList))
            for (const TConfigInfo& row : Configs.rows())
                if (row.Item >= 0) lvConfigs.setChecked(row.Item, row.SavedChecked);
        if (cbDBAndMenu.enabled()) cbDBAndMenu.setChecked(PackageFlags & pfMainProgram);
        nbInfo.setActivePage(PackageFlags & pfUpdateConnection ? "DBX" : "DataBase");
    } else {
        if (lvConfigs.enabled())
            for (TConfigInfo& row : Configs.rows()) {
                if (row.Item < 0) continue;
                row.SavedChecked = lvConfigs.item(row.Item)->checked;
                lvConfigs.setChecked(row.Item, false);
            }
        if (cbDBAndMenu.enabled()) cbDBAndMenu.setChecked(false);
        nbInfo.setActivePage("GDS");
    }
}

// A chosen item without a file-system path comes back empty and changes nothing, as a cancel.
void TfmSetup::btLocalPathClick() {
    const auto chosen = forms::frontEnd().browseForFolder(edLocalPath.text(), kDesktop);
    if (chosen && !chosen->empty()) edLocalPath.setText(*chosen);
}

void TfmSetup::btNetPathClick() {
    const auto chosen = forms::frontEnd().browseForFolder(edNetPath.text(), kNetworkNeighbourhood);
    if (chosen && !chosen->empty()) edNetPath.setText(*chosen);
}

void TfmSetup::btDataBaseClick() {
    TDirDialog dialog;
    dialog.Dir = edDataBase.text();
    if (dialog.Execute()) edDataBase.setText(dialog.Dir);
}

void TfmSetup::lbHistoryClick() {
    const std::string path = TempDir() + "History.htm";
    auto history = openResource_("History");
    if (!history) return;
    writeFileReplacing(path, [&](Stream& out) { out.copyFrom(*history); });
    platform::shellOpen(path);  // what the shell does with it is not our concern
}

}  // namespace vk
