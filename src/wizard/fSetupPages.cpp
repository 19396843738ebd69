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
                const auto question = LinkQuestion(Link);
                if (question && forms::ShowMessageDlg(*question, forms::MsgDlgType::Information, forms::mbYesNo) ==
                                    forms::mrYes) {
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
        if (const std::string error = ConnectionPageError(PackageFlags, edDBX.text(), edConfig.text());
            !error.empty()) {
            forms::ShowMessageDlg(error, forms::MsgDlgType::Error, forms::mbOK);
            break;
        }
        showPage(pgInstall);
        btNext.setCaption("Установить");
        break;
    case pgInstall:
        StartWorker();
        btPrior.setVisible(false);
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

void TfmSetup::btLocalPathClick() {
    std::string path = edLocalPath.text();
    if (BrowseForFolder(path, kDesktop)) edLocalPath.setText(path);
}

void TfmSetup::btNetPathClick() {
    std::string path = edNetPath.text();
    if (BrowseForFolder(path, kNetworkNeighbourhood)) edNetPath.setText(path);
}

void TfmSetup::btDataBaseClick() {
    TDirDialog dialog;
    dialog.Dir = edDataBase.text();
    if (dialog.Execute()) edDataBase.setText(dialog.Dir);
}

void TfmSetup::btDBXClick() {
    std::string dbx = edDBX.text();
    std::string config = edConfig.text();
    ChooseConnectionFile(Connection, dbx, config);
    edDBX.setText(dbx);
    edConfig.setText(config);
}

void TfmSetup::btConfigClick() {
    std::string config = edConfig.text();
    ChooseConfigDatabase(config);
    edConfig.setText(config);
}

void TfmSetup::lbHistoryClick() {
    const std::string path = TempDir() + "History.htm";
    auto history = openResource_("History");
    if (!history) return;
    writeFileReplacing(path, [&](Stream& out) { out.copyFrom(*history); });
    platform::shellOpen(path);  // what the shell does with it is not our concern
}

}  // namespace vk
