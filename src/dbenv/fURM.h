#pragma once
// The link dialog TfmURM: the two ways to the sibling system's database (the
// remote workplace's server, or directly) with a database file, a user and a
// password each. Made once and kept for the whole run, so that its controls
// keep their state between showings.
#include "dbenv/LinkSettings.h"
#include "forms/Controls.h"
#include "forms/Form.h"

namespace vk {

class TfmURM : public forms::Form {
public:
    TfmURM();

    forms::Label Label1{*this, "Label1", {12, 10, 396, 16}, "Настройка подключения к базе данных финансового органа."};
    forms::Label Label2{*this, "Label2", {12, 32, 396, 44},
                        "Если программа АС \"Норвал\", находится в вашей локальной сети, то можно использовать прямое "
                        "подключение, иначе необходимо использовать базу данных удаленного рабочего места."};

    forms::RadioButton rbURM{*this, "rbURM", {12, 82, 396, 17}, "Подключение через сервер УРМ", {.checked = true}};
    forms::Label lbDBURM{*this, "lbDBURM", {30, 106, 200, 16}, "Файл базы данных:"};
    forms::Edit edDBURM{*this, "edDBURM", {30, 123, 288, 21}};
    forms::Button btDBURM{*this, "btDBURM", {324, 121, 84, 25}, "Выбрать"};
    forms::Label lbUserNameURM{*this, "lbUserNameURM", {30, 150, 184, 16}, "Пользователь (администратор):"};
    forms::Edit edUserNameURM{*this, "edUserNameURM", {30, 167, 184, 21}};
    forms::Label lbPasswordURM{*this, "lbPasswordURM", {224, 150, 184, 16}, "Пароль администратора:"};
    forms::Edit edPasswordURM{*this, "edPasswordURM", {224, 167, 184, 21}};

    forms::RadioButton rbNorval{*this, "rbNorval", {12, 200, 396, 17}, "Использовать прямое подключение"};
    forms::Label lbDBNorval{*this, "lbDBNorval", {30, 224, 200, 16}, "Файл базы данных:"};
    forms::Edit edDBNorval{*this, "edDBNorval", {30, 241, 288, 21}};
    forms::Button btDBNorval{*this, "btDBNorval", {324, 239, 84, 25}, "Выбрать"};
    forms::Label lbUserNameNorval{*this, "lbUserNameNorval", {30, 268, 184, 16}, "Пользователь (администратор):"};
    forms::Edit edUserNameNorval{*this, "edUserNameNorval", {30, 285, 184, 21}};
    forms::Label lbPasswordNorval{*this, "lbPasswordNorval", {224, 268, 184, 16}, "Пароль администратора:"};
    forms::Edit edPasswordNorval{*this, "edPasswordNorval", {224, 285, 184, 21}};

    forms::Button OKBtn{*this, "OKBtn", {232, 322, 84, 25}, "Установить", {.isDefault = true, .modalResult = forms::mrOk}};
    forms::Button CancelBtn{*this, "CancelBtn", {324, 322, 84, 25}, "Закрыть",
                            {.isCancel = true, .modalResult = forms::mrCancel}};

    // The filter of the database choosers (the form's OpenDialog1).
    static constexpr const char* kDatabaseFilter = "Interbase Database Files|*.gdb";

    // Both radio buttons: each group's controls are usable while its button is checked.
    void rbNorvalClick();
    void btDBURMClick() { chooseDatabase(edDBURM); }
    void btDBNorvalClick() { chooseDatabase(edDBNorval); }

private:
    void chooseDatabase(forms::Edit& edit);
};

// The wizard's "Настройки ..." of the link: shows the dialog with the link's
// settings and, only when it closes with OK, takes the kind and the six edits
// back, as they are.
void btURMClick(TfmURM& fmURM, LinkSettings& link);

}  // namespace vk
