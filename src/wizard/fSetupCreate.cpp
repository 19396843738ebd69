// The wizard's start-up: the form is built, then FormCreate looks at the
// machine and gives every control its default.
#include <utility>

#include "dbenv/BdeConfig.h"
#include "dbenv/ConnectionFiles.h"
#include "dbenv/ServerDetection.h"
#include "dbenv/SiblingSystem.h"
#include "engine/InstallLog.h"
#include "wizard/PreviousInstall.h"
#include "wizard/SetupCaption.h"
#include "wizard/fSetup.h"

namespace vk {

TfmSetup::TfmSetup(ResourceOpener openResource, std::uint32_t packageFlags)
    : forms::Form("fmSetup", "", 491, 332), openResource_(std::move(openResource)) {
    PackageFlags = packageFlags;
    setPageNotebook(&nbMain);
    defineLog(ssLog);
    ssLog.open();
    wireHandlers();
    FormCreate();
}

// The install thread holds the form's message window until it has ended:
// wait for that, taking its last messages without reacting to them.
TfmSetup::~TfmSetup() {
    if (!Worker) return;
    closing_ = true;
    window_.pumpUntil([this] { return Worker == nullptr; });
}

void TfmSetup::wireHandlers() {
    const auto handler = [this](void (TfmSetup::*method)()) { return [this, method] { (this->*method)(); }; };
    edLocalPath.onChange = handler(&TfmSetup::edLocalPathChange);
    cbNetWork.onClick = handler(&TfmSetup::cbNetWorkClick);
    cbURM.onClick = handler(&TfmSetup::cbURMClick);
    btURM.onClick = handler(&TfmSetup::btURMClick);
    btNet.onClick = handler(&TfmSetup::btNetClick);
    cbIBClient.onClick = [this] { vk::cbIBClientClick({cbIBClient, rbFirebird, rbYaffil}); };
    btDBX.onClick = [this] { vk::btDBXClick(Connection, edDBX, edConfig); };
    btConfig.onClick = [this] { vk::btConfigClick(edConfig); };
    rbServer.onClick = handler(&TfmSetup::rbServerClick);
    rbClient.onClick = handler(&TfmSetup::rbServerClick);
    btLocalPath.onClick = handler(&TfmSetup::btLocalPathClick);
    btNetPath.onClick = handler(&TfmSetup::btNetPathClick);
    btDataBase.onClick = handler(&TfmSetup::btDataBaseClick);
    lbHistory.onClick = handler(&TfmSetup::lbHistoryClick);
    btNext.onClick = handler(&TfmSetup::btNextClick);
    btPrior.onClick = handler(&TfmSetup::btPriorClick);
    btExit.onClick = handler(&TfmSetup::btExitClick);
    onCloseQuery = [this] { return FormCloseQuery(); };
}

void TfmSetup::FormCreate() {
    setCaption(SetupCaption(ProductCaption));

    // The welcome page's variant: the first rule that holds.
    if (PackageFlags & pfClientOnly) {
        nbFirst.setActivePage("Demo");
        lbVersion.setCaption("Для установки клиентской части нажмите кнопку \"Далее\".");
        rbClient.setChecked(true);
    } else if (PackageFlags & pfUpdatePackage) {
        nbFirst.setActivePage("Info");
        lbHistory.setCaption("Просмотр обновлений");
        lbHistory.setHint("Показать список доработок в обновлении");
        if (PackageFlags & pfUpdateConnection) nbInfo.setActivePage("DBX");
    } else if (LocalVersion == 1) {
        nbFirst.setActivePage("Demo");
        lbVersion.setCaption("Для установки локальной версии нажмите кнопку \"Далее\".");
    }
    nbMain.setPageIndex(pgWelcome);

    DefaultProgramFolder = vk::DefaultProgramFolder();
    const std::string previous = FindPreviousInstall();
    if (previous.empty()) {
        edLocalPath.setText(DefaultProgramFolder);
    } else {
        edLocalPath.setText(previous);
        const ExistingConnection existing = FindExistingConnection(Connection, previous);
        edDBX.setText(existing.ConnectionFile);
        edConfig.setText(existing.ConfigDatabase);
        if (!existing.ExchangeFolder.empty()) Net.ExchangeFolder = existing.ExchangeFolder;
        edDataBase.setText(existing.DatabaseFolder.empty() ? edLocalPath.text() + "\\DataBase"
                                                           : existing.DatabaseFolder);
        // A folder spelt with short names is not trusted as the program
        // folder; the database folder found through it stays.
        if (edLocalPath.text().find('~') != std::string::npos) {
            const auto change = std::exchange(edLocalPath.onChange, nullptr);
            edLocalPath.setText(DefaultProgramFolder);
            edLocalPath.onChange = change;
        }
    }

    cbRegister.setChecked(PackageFlags & pfRegisterComponents);
    BdeFolder = DetectBdeFolder();

    // Multi-user mode: never for the local version.
    cbNetWork.setEnabled((PackageFlags & pfMainProgram) && LocalVersion != 1);
    lbNetWork.setEnabled(cbNetWork.enabled());
    btNet.setEnabled(cbNetWork.checked());
    cbNetWork.setChecked(cbNetWork.enabled());

    if (PackageFlags & pfBdeOffered) {
        // An engine whose configuration names a folder without it is
        // installed again, into that folder.
        cbBDE.setChecked(!BdeInstalledIn(BdeFolder));
    } else {
        cbBDE.setEnabled(false);
        lbBDE.setEnabled(false);
    }

    Configs.FillConfigList(PackageFlags);
    cbDBAndMenu.setChecked(PackageFlags & pfMainProgram);
    cbDBAndMenu.setEnabled(cbDBAndMenu.checked());
    InitServerChoices(Server, PackageFlags, {cbIBClient, rbFirebird, rbYaffil});

    cbURM.setEnabled((PackageFlags & pfMainProgram) && !(PackageFlags & pfUpdatePackage));
    LinkQuestionAsked = !cbURM.enabled();
    DetectSiblingSystem(Link);
    CorrectionFiles.clear();
}

void TfmSetup::edLocalPathChange() { edDataBase.setText(edLocalPath.text() + "\\DataBase"); }

void TfmSetup::cbNetWorkClick() { btNet.setEnabled(cbNetWork.checked()); }

void TfmSetup::cbURMClick() {
    btURM.setEnabled(cbURM.checked());
    lbURM.setEnabled(cbURM.checked());
}

std::string TfmSetup::InstallFolder() const { return rbServer.checked() ? edLocalPath.text() : edNetPath.text(); }

void TfmSetup::AddLogEntry(std::string_view value, std::string_view kind, std::int64_t number) {
    vk::AddLogEntry(ssLog, value, kind, number);
}

}  // namespace vk
