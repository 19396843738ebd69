#pragma once
// The setup wizard, TfmSetup: one fixed-size window with the page notebook
// nbMain and the buttons under it. The controls below are the form's layout,
// page by page, top to bottom (their order is the tab order); the handlers
// live in fSetup*.cpp by subject: start-up, navigation, the run.
//
// While the install thread works, the wizard is its ProgressReceiver: the
// thread's messages arrive on the window's thread through a message window of
// the form's own.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "datalib/StaticSet.h"
#include "dbenv/ConfigTable.h"
#include "dbenv/ConnectionSets.h"
#include "dbenv/fNet.h"
#include "dbenv/fURM.h"
#include "engine/CorrectionFiles.h"
#include "engine/ProcessThread.h"
#include "engine/ProgressMessage.h"
#include "forms/Controls.h"
#include "forms/Form.h"
#include "forms/ListView.h"
#include "forms/Notebook.h"
#include "platform/MessageChannel.h"
#include "platform/Stream.h"
#include "wizard/SetupState.h"

namespace vk {

// The pages of nbMain by index.
enum SetupPage : int {
    pgWelcome = 0,
    pgServer = 1,
    pgClient = 2,
    pgAdditional = 3,
    pgInstall = 4,
    pgDatabaseServer = 5,
    pgFinish = 6,
};

class TfmSetup final : public forms::Form, public SetupState, public ProgressReceiver {
public:
    // The package's resources by name ("TRSData", "History"); nullptr when
    // there is none. The installer reads its own; setup-host gives files.
    using ResourceOpener = std::function<std::unique_ptr<Stream>(std::string_view name)>;

    // Builds the form and runs FormCreate: the machine is inspected here.
    // packageFlags plays another package profile (for package makers).
    explicit TfmSetup(ResourceOpener openResource, std::uint32_t packageFlags = kPackageFlags);
    ~TfmSetup() override;

    // The folder the product goes to: edLocalPath for the server part, edNetPath otherwise.
    std::string InstallFolder() const;

    // The dialogs that btNet and btURM open, made after the wizard.
    void UseDialogs(TfmNet& fmNet, TfmURM& fmURM);

    // The reactions to the install thread's messages (WndProc's).
    void processStatus(std::uint32_t status, const char* text) override;
    void processRange(std::uint32_t steps) override;
    void processStep() override;
    void processEndPhase(std::uint32_t value) override;
    void processSystem() override;
    void processFinished(bool failed) override;

    // How the installation went, for the tools that play the wizard.
    enum class RunResult { NotRun, Succeeded, Failed };
    RunResult Result = RunResult::NotRun;
    // Why a failed run failed (the install thread's error), for tools to show.
    std::string RunFailure;
    void AddLogEntry(std::string_view value, std::string_view kind, std::int64_t number);

    // The install log: what this installation created and registered.
    TStaticSet ssLog;
    // FileStorage1 with the connection file's three sets (ssDBParams, ssSysParams, ssUpdates).
    ConnectionStorage Connection;

    // ---- the layout ----
    forms::Panel pnMain{*this, "pnMain", {0, 0, 491, 291}, forms::Bevel::Lowered};
    forms::Notebook nbMain{pnMain, "nbMain", {1, 1, 489, 289}};

    // Page 0: welcome.
    forms::Page pgDefault{nbMain, "Default"};
    forms::Picture imWelcome{pgDefault, "imWelcome", {0, 0, 111, 289}, "WIZARD"};
    forms::Label Label1{pgDefault, "Label1", {124, 16, 356, 16}, "Вас приветствует программа установки!",
                        {.bold = true}};
    forms::Notebook nbFirst{pgDefault, "nbFirst", {124, 48, 356, 200}};
    forms::Page pgFirstDefault{nbFirst, "Default"};
    forms::Label Label8{pgFirstDefault, "Label8", {0, 0, 356, 16},
                        "Выбирите, какую часть системы Вам необходимо установить:"};
    forms::RadioButton rbServer{pgFirstDefault, "rbServer", {8, 28, 340, 17}, "Серверная часть.", {.checked = true}};
    forms::Label lbServerNote{pgFirstDefault, "lbServerNote", {26, 47, 322, 28},
                              "Установка всех основных модулей, и конфигурации на основной компьютер."};
    forms::RadioButton rbClient{pgFirstDefault, "rbClient", {8, 84, 340, 17}, "Клиентская часть."};
    forms::Label lbClientNote{pgFirstDefault, "lbClientNote", {26, 103, 322, 28},
                              "Позволит запускать программу по локальной сети с основного компьютера."};
    forms::Page pgFirstInfo{nbFirst, "Info"};
    forms::Label Label10{pgFirstInfo, "Label10", {0, 0, 356, 48},
                         "На Ваш компьютер будет установлен пакет обновлений. Для продолжения, нажмите кнопку "
                         "\"Далее\"."};
    forms::Page pgFirstDemo{nbFirst, "Demo"};
    forms::Label lbVersion{pgFirstDemo, "lbVersion", {0, 0, 356, 48}, ""};
    forms::LinkLabel lbHistory{pgDefault, "lbHistory", {330, 266, 150, 14}, "Описание версии",
                               {.alignment = forms::Alignment::Right,
                                .hint = "Показать описание устанавливаемой версии"}};

    // Page 1: the server part.
    forms::Page pgServerPart{nbMain, "Server"};
    forms::Picture imHead1{pgServerPart, "imHead1", {14, 12, 32, 32}, "HEADING"};
    forms::Label lbHead1{pgServerPart, "lbHead1", {58, 12, 420, 42},
                         "Установка серверной части программы. На компьютер будут установлены все основные "
                         "компоненты и файлы конфигурации.",
                         {.bold = true}};
    forms::Label Label6{pgServerPart, "Label6", {24, 66, 444, 28},
                        "Укажите папку, где будут находиться все основные программые и конфигурационные файлы. "
                        "Если папка не существует, она будет создана автоматически."};
    forms::Edit edLocalPath{pgServerPart, "edLocalPath", {24, 100, 344, 21}};
    forms::Button btLocalPath{pgServerPart, "btLocalPath", {376, 99, 91, 23}, "Изменить ..."};
    forms::CheckBox cbNetWork{pgServerPart, "cbNetWork", {24, 140, 444, 17}, "Многопользовательский режим работы."};
    forms::Label lbNetWork{pgServerPart, "lbNetWork", {42, 158, 326, 28},
                           "(Позволит другим пользователям подключаться к базе данных, установленной на этом "
                           "компьютере)"};
    forms::Button btNet{pgServerPart, "btNet", {376, 156, 91, 23}, "Настройки ..."};
    forms::CheckBox cbURM{pgServerPart, "cbURM", {24, 200, 444, 17},
                          "Установка служб связи с другими приложениями НПО \"Талвекс\"."};
    forms::Label lbURM{pgServerPart, "lbURM", {42, 218, 326, 42},
                       "(Обмен данными с сервером АС \"Норвал\", установленным в финансовом органе, через "
                       "удаленное рабочее место).",
                       {.enabled = false}};
    forms::Button btURM{pgServerPart, "btURM", {376, 216, 91, 23}, "Настройки ...", {.enabled = false}};

    // Page 2: the client part.
    forms::Page pgClientPart{nbMain, "Client"};
    forms::Picture imHead2{pgClientPart, "imHead2", {14, 12, 32, 32}, "HEADING"};
    forms::Label lbHead2{pgClientPart, "lbHead2", {58, 12, 420, 42},
                         "Установка клиентской части. Позволит запускать программу по локальной сети, с основного "
                         "компьютера.",
                         {.bold = true}};
    forms::Label Label7{pgClientPart, "Label7", {24, 66, 444, 28},
                        "Если программа уже установлена на основной компьютер, то укажите сетевую папку, откуда "
                        "будет запускаться основная программа."};
    forms::Edit edNetPath{pgClientPart, "edNetPath", {24, 100, 344, 21}};
    forms::Button btNetPath{pgClientPart, "btNetPath", {376, 99, 91, 23}, "Изменить ..."};

    // Page 3: additional components.
    forms::Page pgAdditionalPart{nbMain, "Additional"};
    forms::Picture imHead3{pgAdditionalPart, "imHead3", {14, 12, 32, 32}, "HEADING"};
    forms::Label lbHead3{pgAdditionalPart, "lbHead3", {58, 12, 420, 42},
                         "Дополнительные компоненты и параметры, необходимые для правильной работы программы.",
                         {.bold = true}};
    forms::CheckBox cbBDE{pgAdditionalPart, "cbBDE", {24, 58, 444, 17}, "Borland DataBase Engine 4.0"};
    forms::Label lbBDE{pgAdditionalPart, "lbBDE", {42, 76, 426, 28},
                       "Обеспечивает связь с базой данных. Если этот компонент еще не установлен на ваш компьютер, "
                       "рекомендуется установить его."};
    forms::CheckBox cbRegister{pgAdditionalPart, "cbRegister", {24, 108, 444, 17},
                               "Регистрация установленных компонент"};
    forms::Notebook nbInfo{pgAdditionalPart, "nbInfo", {16, 130, 460, 156}};
    forms::Page pgInfoDataBase{nbInfo, "DataBase"};
    forms::ListView lvConfigs{pgInfoDataBase,
                              "lvConfigs",
                              {8, 0, 444, 62},
                              {{"Конфигурации:", 290}, {"Кол-во РМ", 65, forms::Alignment::Center}}};
    forms::CheckBox cbDBAndMenu{pgInfoDataBase, "cbDBAndMenu", {8, 68, 436, 17}, "Частично заполненная база данных."};
    forms::Label lbDataBase{pgInfoDataBase, "lbDataBase", {8, 90, 436, 14},
                            "Папка, где будут находиться файлы конфигурации и базы данных:"};
    forms::Edit edDataBase{pgInfoDataBase, "edDataBase", {8, 108, 336, 21}};
    forms::Button btDataBase{pgInfoDataBase, "btDataBase", {352, 107, 91, 23}, "Изменить ..."};
    forms::Page pgInfoGDS{nbInfo, "GDS"};
    forms::CheckBox cbIBClient{pgInfoGDS, "cbIBClient", {8, 4, 436, 17}, "Клиент Interbase", {.checked = true}};
    forms::RadioButton rbFirebird{pgInfoGDS, "rbFirebird", {26, 26, 400, 17}, "Firebird (1.0.3.972)",
                                  {.checked = true}};
    forms::RadioButton rbYaffil{pgInfoGDS, "rbYaffil", {26, 46, 400, 17}, "Yaffil (1.1.3.854)"};
    forms::Page pgInfoDBX{nbInfo, "DBX"};
    forms::Label Label17{pgInfoDBX, "Label17", {8, 0, 444, 28},
                         "Укажите параметры текущего подключения к базе данных. Программа установки сделает копии "
                         "файлов и установит новые параметры подключения."};
    forms::Label Label15{pgInfoDBX, "Label15", {8, 34, 444, 14}, "Файл подключения к текущей конфигурации:"};
    forms::Edit edDBX{pgInfoDBX, "edDBX", {8, 50, 336, 21}};
    forms::Button btDBX{pgInfoDBX, "btDBX", {352, 49, 91, 23}, "Изменить ..."};
    forms::Label Label16{pgInfoDBX, "Label16", {8, 80, 444, 14}, "Файл базы данных конфигурации:"};
    forms::Edit edConfig{pgInfoDBX, "edConfig", {8, 96, 336, 21}};
    forms::Button btConfig{pgInfoDBX, "btConfig", {352, 95, 91, 23}, "Изменить ..."};

    // Page 4: the copy.
    forms::Page pgInstallPart{nbMain, "Install"};
    forms::Picture imHead4{pgInstallPart, "imHead4", {14, 12, 32, 32}, "HEADING"};
    forms::Label lbHead4{pgInstallPart, "lbHead4", {58, 12, 420, 42},
                         "Распаковка и копирование файлов на локальный компьютер. Подождите, это может занять "
                         "некоторое время.",
                         {.bold = true}};
    forms::Panel pnProcess{pgInstallPart, "pnProcess", {24, 70, 444, 190}, forms::Bevel::None, {.visible = false}};
    forms::Picture imCopying{pnProcess, "imCopying", {8, 8, 16, 16}, "BULLET"};
    forms::Label lbCopying{pnProcess, "lbCopying", {30, 9, 300, 16}, "Копирование файлов"};
    forms::Picture imRegister{pnProcess, "imRegister", {8, 32, 16, 16}, "BULLET"};
    forms::Label lbRegister{pnProcess, "lbRegister", {30, 33, 300, 16}, "Регистрация компонент"};
    forms::Picture imSystem{pnProcess, "imSystem", {8, 56, 16, 16}, "BULLET"};
    forms::Label lbSystem{pnProcess, "lbSystem", {30, 57, 300, 16}, "Системные настройки"};
    forms::Label lbProcess{pnProcess, "lbProcess", {8, 100, 428, 16}, "Копирование ..."};
    forms::ProgressBar pbMain{pnProcess, "pbMain", {8, 122, 428, 18}};

    // Page 5: the database server.
    forms::Page pgServerInstall{nbMain, "Server"};
    forms::Label Label14{pgServerInstall, "Label14", {14, 16, 461, 18}, "Установка сервера Interbase",
                         {.bold = true, .alignment = forms::Alignment::Center}};
    forms::Label lbIBServer{pgServerInstall, "lbIBServer", {24, 64, 444, 56}, "", {.bold = true}};
    forms::CheckBox cbIBServer{pgServerInstall, "cbIBServer", {24, 136, 444, 17},
                               "Установить сервер Interbase (FireBird)", {.checked = true}};

    // Page 6: the end.
    forms::Page pgFinishPart{nbMain, "Finish"};
    forms::Picture imFinish{pgFinishPart, "imFinish", {0, 0, 111, 289}, "FINISH"};
    forms::Label Label13{pgFinishPart, "Label13", {124, 16, 356, 16}, "Инсталляция программы завершена!",
                         {.bold = true}};
    forms::CheckBox cbLaunch{pgFinishPart, "cbLaunch", {124, 56, 356, 17}, "Запустить программу", {.checked = true}};

    forms::Button btPrior{*this, "btPrior", {236, 300, 75, 25}, "<< Назад", {.enabled = false}};
    forms::Button btNext{*this, "btNext", {316, 300, 75, 25}, "Далее >>", {.isDefault = true}};
    forms::Button btExit{*this, "btExit", {404, 300, 75, 25}, "Выход", {.isCancel = true}};

    // The database configurations offered in lvConfigs.
    ConfigTable Configs{packageConfigs(), lvConfigs};

private:
    // Start-up (fSetupCreate.cpp).
    void FormCreate();
    void edLocalPathChange();
    void cbNetWorkClick();
    void cbURMClick();

    // Navigation (fSetupPages.cpp).
    void btNextClick();
    void btPriorClick();
    void btExitClick();
    void rbServerClick();
    void btLocalPathClick();
    void btNetPathClick();
    void btDataBaseClick();
    void lbHistoryClick();
    void btURMClick();
    void btNetClick();
    void showPage(int index);
    // Holds the page with a message when the folder cannot be used.
    bool folderUsable(const std::string& folder);

    // The run (fSetupRun.cpp).
    void StartWorker();
    // Delivers the install thread's messages until it has ended (at once when none runs).
    void DeliverWorkerMessages();
    void WorkerEnded();
    void ApplySystemSettings();
    void WriteVersionDescription();
    void Completion(bool failed);
    void LaunchProgram();

    bool FormCloseQuery() const { return Worker == nullptr; }
    void wireHandlers();

    ResourceOpener openResource_;
    TfmNet* fmNet_ = nullptr;
    TfmURM* fmURM_ = nullptr;
    ProgressDispatcher dispatcher_{*this};
    platform::MessageWindow window_{dispatcher_};
    // A close asked for while the worker was still ending, done once it has.
    bool closeWhenWorkerEnds_ = false;
    // Set while the form goes away: the thread's last messages change nothing.
    bool closing_ = false;
};

}  // namespace vk
