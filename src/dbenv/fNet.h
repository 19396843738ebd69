#pragma once
// The exchange-folder dialog TfmNet: the protocol by which workstations reach
// the database server and the network folder they exchange data through,
// proved writable before it is taken. Made once and kept for the whole run.
#include "dbenv/NetSettings.h"
#include "forms/Controls.h"
#include "forms/Form.h"

namespace vk {

class TfmNet : public forms::Form {
public:
    TfmNet();

    forms::Label lbProtocol{*this, "lbProtocol", {12, 12, 376, 16},
                            "Сетевой протокол для подключения к серверу базы данных:"};
    forms::ComboBox cbProtocol{*this, "cbProtocol", {12, 31, 160, 21}, {"TCP-IP", "NetBEUI"}};
    forms::Label Label3{*this, "Label3", {12, 66, 176, 16}, "Динамический обмен данными", {.bold = true}};
    forms::Panel Bevel1{*this, "Bevel1", {194, 74, 194, 2}, forms::Bevel::Lowered};
    forms::Label Label1{*this, "Label1", {12, 86, 376, 30},
                        "(Позволит динамически отображать изменения, сделанные пользователями на других рабочих "
                        "местах)"};
    forms::Label Label2{*this, "Label2", {12, 122, 376, 30},
                        "Укажите сетевую папку для обмена, доступную всем пользователям для чтения и записи:"};
    forms::Edit edClientPath{*this, "edClientPath", {12, 157, 286, 21}};
    forms::Button btClientPath{*this, "btClientPath", {304, 155, 84, 25}, "Обзор ..."};
    forms::Button OKBtn{*this, "OKBtn", {212, 196, 84, 25}, "Установить", {.isDefault = true}};
    forms::Button CancelBtn{*this, "CancelBtn", {304, 196, 84, 25}, "Отмена",
                            {.isCancel = true, .modalResult = forms::mrCancel}};

    // Chooses the folder in the network neighbourhood.
    void btClientPathClick();
    // Closes with OK once the folder proved writable (or none is given);
    // otherwise fails with the one message, and the dialog stays open.
    void OKBtnClick();
};

// The wizard's "Настройки ..." of multi-user mode: shows the dialog with the
// stored protocol and folder and, only when it closes with OK, stores them.
void btNetClick(TfmNet& fmNet, NetSettings& net);

}  // namespace vk
