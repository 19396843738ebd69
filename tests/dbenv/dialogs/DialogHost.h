#pragma once
// A stand-in for the wizard's buttons that open the database environment's
// dialogs and questions, with labels that show the settings they keep, so
// that a scenario can drive TfmURM and TfmNet and check what they stored.
// Played by the hosted player (tests/dbenv/Dialogs_test.cpp) and, in the
// Windows build, shown by the Win32 view for the UI driver.
#include "dbenv/ConnectionSets.h"
#include "dbenv/fNet.h"
#include "dbenv/fURM.h"
#include "forms/Controls.h"
#include "forms/Form.h"

namespace vk::test {

class TfmDialogHost : public forms::Form {
public:
    TfmDialogHost();

    forms::Button btURM{*this, "btURM", {12, 12, 120, 25}, "Связь ..."};
    forms::Button btNet{*this, "btNet", {140, 12, 120, 25}, "Сеть ..."};
    forms::Button btAsk{*this, "btAsk", {268, 12, 120, 25}, "Вопрос"};
    forms::Label lbLink{*this, "lbLink", {12, 48, 476, 16}, ""};
    forms::Label lbNet{*this, "lbNet", {12, 68, 476, 16}, ""};
    forms::Label lbAnswer{*this, "lbAnswer", {12, 88, 476, 16}, ""};

    forms::Edit edDBX{*this, "edDBX", {12, 116, 384, 21}};
    forms::Button btDBX{*this, "btDBX", {404, 114, 84, 25}, "Обзор ..."};
    forms::Edit edConfig{*this, "edConfig", {12, 146, 384, 21}};
    forms::Button btConfig{*this, "btConfig", {404, 144, 84, 25}, "Обзор ..."};
    forms::Button btNext{*this, "btNext", {12, 178, 120, 25}, "Далее >>"};
    forms::Label lbPage{*this, "lbPage", {140, 182, 348, 16}, ""};

    forms::Button btExit{*this, "btExit", {404, 214, 84, 25}, "Выход", {.isCancel = true, .modalResult = forms::mrCancel}};

    // What start-up detection found: both ways to the sibling system.
    LinkSettings link;
    NetSettings net;
    ConnectionStorage storage;
    TfmURM fmURM;
    TfmNet fmNet;

private:
    void showSettings();
};

}  // namespace vk::test
