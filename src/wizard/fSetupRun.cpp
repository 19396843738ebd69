// The run: starting the install thread, following its messages, the system
// settings it asks for, and what the wizard does once it has ended.
#include "datalib/WinUtils.h"
#include "dbenv/BdeConfig.h"
#include "dbenv/ConnectionFiles.h"
#include "dbenv/ServerDetection.h"
#include "dbenv/RegStrings.h"
#include "engine/InstallLog.h"
#include "engine/Payload.h"
#include "forms/FrontEnd.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "wizard/StartMenu.h"
#include "wizard/fSetup.h"

namespace vk {

void TfmSetup::StartWorker() {
    if (cbBDE.checked() && BdeFolder.empty()) BdeFolder = DefaultBdeFolder(WindowsDir());
    btNext.setEnabled(false);
    btExit.setEnabled(false);
    pnProcess.setVisible(true);

    auto worker = std::make_unique<TProcessThread>();
    worker->Window = window_.handle();
    std::uint32_t options = 0;
    if (rbServer.checked()) options |= ioServerPart;
    if (Configs.AnyConfigSelected()) options |= ioConfigChosen;
    if (cbDBAndMenu.checked()) options |= ioFilledDatabase;
    if (cbBDE.checked()) options |= ioBDE;
    if (rbClient.checked()) options |= ioClientPart;
    if (cbIBClient.checked()) options |= ioIBClient;
    if (rbFirebird.checked()) options |= ioFirebird;
    if (rbYaffil.checked()) options |= ioYaffil;
    if (cbRegister.checked()) options |= ioRegister;
    worker->InstallOptions = options;
    worker->PackageFlags = PackageFlags;
    worker->DataBaseFolder = edDataBase.text();
    worker->BdeFolder = BdeFolder;
    worker->LocalPath = edLocalPath.text();
    worker->NetPath = edNetPath.text();
    worker->CorrectionFiles = &CorrectionFiles;
    worker->Log = &ssLog;
    worker->ConfigNoSelected = [this](std::int32_t number) { return Configs.IsConfigNoSelected(number); };
    worker->OpenPayload = [open = openResource_] { return open("TRSData"); };
    // The payload is checked whole before anything is written, when the installer carries a check.
    if (auto check = openResource_(payload::kCheckResource)) worker->PayloadCheck = payload::readCheck(*check);
    worker->OnTerminate = [this](const std::string& failure) {
        RunFailure = failure;
        WorkerEnded();
    };

    Worker = worker.get();
    try {
        TProcessThread::Resume(std::move(worker));
    } catch (...) {
        // No thread: nothing runs, so the wizard must not wait for one.
        Worker = nullptr;
        btNext.setEnabled(true);
        btExit.setEnabled(true);
        throw;
    }
}

void TfmSetup::DeliverWorkerMessages() {
    // The thread's end is the last message it sends, after its report of the
    // run. A close asked for meanwhile (the close box) goes to the close query
    // at once, which refuses it while the thread runs, rather than waiting to
    // close the wizard once the run is over.
    window_.pumpUntil([this] {
        if (modalResult() != forms::mrNone) ended();
        return Worker == nullptr;
    });
}

void TfmSetup::WorkerEnded() {
    Worker = nullptr;
    if (closeWhenWorkerEnds_) Close();
}

void TfmSetup::processStatus(std::uint32_t status, const char* text) {
    switch (status) {
    case psCopying: lbCopying.setBold(true); break;
    case psText: lbProcess.setCaption(text ? text : ""); break;
    case psRegistering:
        lbCopying.setBold(false);
        lbRegister.setBold(true);
        break;
    default: break;
    }
}

void TfmSetup::processRange(std::uint32_t steps) {
    pbMain.setPosition(0);
    pbMain.setMaximum(static_cast<int>(steps));
    pbMain.setVisible(true);
}

void TfmSetup::processStep() { pbMain.setPosition(pbMain.position() + 1); }

void TfmSetup::processEndPhase(std::uint32_t) {
    pbMain.setPosition(0);
    pbMain.setMaximum(0);
    pbMain.setVisible(false);
}

// A failure here is shown as the standard error report and ends the settings
// early; the install thread goes on and the run still counts as a success.
void TfmSetup::processSystem() {
    if (!closing_) forms::runHandler([this] { ApplySystemSettings(); });
}

void TfmSetup::processFinished(bool failed) {
    if (!closing_) forms::runHandler([this, failed] { Completion(failed); });
}

void TfmSetup::ApplySystemSettings() {
    lbProcess.setCaption("");
    pbMain.setPosition(0);
    lbRegister.setBold(false);
    lbSystem.setBold(true);

    if (PackageFlags & pfMainProgram) {
        CreateStartMenuShortcuts(ssLog, InstallFolder(), ProductCaption, PackageFlags & pfManualShortcuts, Configs);
        if (rbServer.checked()) {
            ConnectionChoices choices;
            choices.Naming = {edDataBase.text(), cbNetWork.checked(), Net.NetProtocol};
            choices.LocalPath = edLocalPath.text();
            choices.Link = cbURM.checked() ? &Link : nullptr;
            choices.ExchangeFolder = Net.ExchangeFolder;
            ConnectionFileLog log;
            log.FileCreated = [this](const std::string& path) { AddLogEntry(path, logkind::File, 0); };
            log.FolderUsed = [this](const std::string& path) { AddLogEntry(path, logkind::Folder, 0); };
            PrepareConnectionFiles(Connection, Configs, choices, log);
        }
    }
    if (cbDBAndMenu.checked() && Configs.AnyConfigSelected()) {
        const auto write = [](std::string_view name, std::string_view value) {
            WriteRegString(platform::RootKey::CurrentUser, kProductSettingsKey, name, value);
        };
        write("UserName", "Администратор");
        write("DefaultPassword", "qolvantez");
        write("DBName", Configs.FirstSelectedConnectionFile());
        write("WorkPlace", "Администратор");
    }
    if (cbBDE.checked()) ConfigureBde(BdeFolder);
    if ((PackageFlags & pfUpdateConnection) && !kRenameRule.empty()) {
        std::vector<CorrectionRow> corrections;
        for (const CorrectionFile& file : CorrectionFiles)
            corrections.push_back({file.name, std::string(file.data->bytes().begin(), file.data->bytes().end())});
        RewriteExistingConnection(Connection, edDBX.text(), edConfig.text(), corrections);
    }
}

void TfmSetup::WriteVersionDescription() {
    auto history = openResource_("History");
    if (!history) return;
    const std::string path = InstallFolder() + "\\Vorkast.htm";
    platform::replaceFile(path, [&](Stream& out) { out.copyFrom(*history); });
    AddLogEntry(path, logkind::File, 0);
}

void TfmSetup::Completion(bool failed) {
    Result = failed ? RunResult::Failed : RunResult::Succeeded;
    if (failed) {
        forms::ShowMessageDlg("Установка прошла с ошибками, возможно вы не обладаете достаточными правами для "
                              "выполнения подобных операций.",
                              forms::MsgDlgType::Error, forms::mbOK);
        // The thread may not have ended yet: the wizard then closes as soon as it has.
        closeWhenWorkerEnds_ = Worker != nullptr;
        Close();
        return;
    }
    if ((PackageFlags & pfMainProgram) && rbServer.checked()) WriteVersionDescription();
    btNext.setEnabled(true);
    btExit.setEnabled(true);
    if (NeedsServerInstall(Server, rbServer.checked())) {
        lbIBServer.setCaption(ServerPageText(Server));
        btNext.setCaption("Далее >>");
        showPage(pgDatabaseServer);
    } else {
        btExit.setDefault(true);
        showPage(pgFinish);
        btNext.setVisible(false);
    }
    UninstallRegistered = RegisterUninstallAndSaveLog(ssLog, ProductCaption, InstallFolder());
}

void TfmSetup::LaunchProgram() {
    platform::startProcess(platform::programCommandLine(InstallFolder() + "\\Vorkast.exe"), "", platform::Wait::None);
}

}  // namespace vk
