#pragma once
// The demonstration form of the kit's tests: a few controls of every kind, a
// notebook, a modal dialog and messages, driven by demo.scenario through the
// hosted player and, in the Windows build, through the UI driver.
#include "forms/Controls.h"
#include "forms/Form.h"
#include "forms/ListView.h"
#include "forms/Notebook.h"

namespace vk::forms::demo {

using enum Alignment;

// A dialog with a value that OK refuses to take while it is empty.
class TfmOptions : public Form {
public:
    TfmOptions();

    Label lbValue{*this, "lbValue", {12, 14, 80, 16}, "Значение:"};
    Edit edValue{*this, "edValue", {96, 10, 190, 21}};
    CheckBox cbSave{*this, "cbSave", {12, 42, 200, 17}, "Сохранить", {.checked = true}};
    Button btOK{*this, "btOK", {124, 84, 75, 25}, "OK", {.isDefault = true, .modalResult = mrOk}};
    Button btCancel{*this, "btCancel", {211, 84, 75, 25}, "Отмена", {.isCancel = true, .modalResult = mrCancel}};

private:
    bool FormCloseQuery();
};

class TfmDemo : public Form {
public:
    TfmDemo();

    Notebook nbMain{*this, "nbMain", {0, 0, 420, 250}};
    Page pgFirst{nbMain, "First"};
    Label lbTitle{pgFirst, "lbTitle", {12, 12, 396, 16}, "Первая страница", {.bold = true}};
    CheckBox cbOption{pgFirst, "cbOption", {12, 40, 200, 17}, "Включить параметр"};
    Button btOptions{pgFirst, "btOptions", {220, 36, 100, 25}, "Настройки ...", {.enabled = false}};
    RadioButton rbLeft{pgFirst, "rbLeft", {12, 72, 120, 17}, "Слева", {.checked = true}};
    RadioButton rbRight{pgFirst, "rbRight", {140, 72, 120, 17}, "Справа"};
    Label lbName{pgFirst, "lbName", {12, 104, 80, 16}, "Имя:"};
    Edit edName{pgFirst, "edName", {92, 100, 200, 21}};
    Label lbEcho{pgFirst, "lbEcho", {12, 132, 396, 16}, ""};
    Button btFolder{pgFirst, "btFolder", {12, 160, 100, 25}, "Папка ..."};
    Label lbFolder{pgFirst, "lbFolder", {120, 165, 288, 16}, ""};
    LinkLabel lnHelp{pgFirst, "lnHelp", {12, 220, 100, 16}, "Справка", {.hint = "Показать справку"}};

    Page pgSecond{nbMain, "Second"};
    ComboBox cbKind{pgSecond, "cbKind", {12, 12, 150, 21}, {"Первый", "Второй", "Третий"}};
    Label lbKind{pgSecond, "lbKind", {172, 16, 200, 16}, "Выбран: Первый"};
    ListView lvRows{pgSecond, "lvRows", {12, 44, 280, 110}, {{"Строка", 200, Left}, {"Число", 60, Center}}};
    Panel pnBox{pgSecond, "pnBox", {300, 44, 108, 110}, Bevel::Lowered};
    Picture imIcon{pnBox, "imIcon", {38, 39, 32, 32}, "icon:information"};
    ProgressBar pbMain{pgSecond, "pbMain", {12, 164, 280, 17}};
    Button btCheck{pgSecond, "btCheck", {12, 190, 100, 25}, "Проверить"};

    Label lbResult{*this, "lbResult", {12, 267, 150, 16}, ""};
    Button btPrior{*this, "btPrior", {170, 262, 75, 25}, "<< Назад", {.enabled = false}};
    Button btNext{*this, "btNext", {250, 262, 75, 25}, "Далее >>", {.isDefault = true}};
    Button btExit{*this, "btExit", {335, 262, 75, 25}, "Выход", {.isCancel = true}};

    TfmOptions fmOptions;

private:
    void btNextClick();
    void btPriorClick();
    void btOptionsClick();
    void btCheckClick();
    void btFolderClick();
};

}  // namespace vk::forms::demo
