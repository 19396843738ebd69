#include "dbenv/fURM.h"

#include <initializer_list>

#include "forms/FrontEnd.h"

namespace vk {

TfmURM::TfmURM() : Form("fmURM", "Удаленное рабочее место", 420, 357) {
    rbURM.onClick = [this] { rbNorvalClick(); };
    rbNorval.onClick = [this] { rbNorvalClick(); };
    btDBURM.onClick = [this] { btDBURMClick(); };
    btDBNorval.onClick = [this] { btDBNorvalClick(); };
    rbNorvalClick();
}

void TfmURM::rbNorvalClick() {
    auto enable = [](std::initializer_list<forms::Control*> group, bool enabled) {
        for (forms::Control* control : group) control->setEnabled(enabled);
    };
    enable({&lbDBURM, &edDBURM, &btDBURM, &lbUserNameURM, &edUserNameURM, &lbPasswordURM, &edPasswordURM},
           rbURM.checked());
    enable({&lbDBNorval, &edDBNorval, &btDBNorval, &lbUserNameNorval, &edUserNameNorval, &lbPasswordNorval,
            &edPasswordNorval},
           rbNorval.checked());
}

void TfmURM::chooseDatabase(forms::Edit& edit) {
    if (auto chosen = forms::frontEnd().openFile(edit.text(), kDatabaseFilter, "")) edit.setText(*chosen);
}

void btURMClick(TfmURM& fmURM, LinkSettings& link) {
    if (!link.RemoteVersion.empty())
        fmURM.rbURM.setCaption("Подключение через сервер УРМ (версия: " + link.RemoteVersion + ")");
    fmURM.rbNorval.setChecked(link.LinkKind == lkDirect);
    TConnectInfo& remote = link.LinkConnections[lkRemoteWorkplace];
    TConnectInfo& direct = link.LinkConnections[lkDirect];
    fmURM.edDBURM.setText(remote.DatabasePath);
    fmURM.edUserNameURM.setText(remote.UserName);
    fmURM.edPasswordURM.setText(remote.Password);
    fmURM.edDBNorval.setText(direct.DatabasePath);
    fmURM.edUserNameNorval.setText(direct.UserName);
    fmURM.edPasswordNorval.setText(direct.Password);
    if (fmURM.ShowModal() != forms::mrOk) return;
    link.LinkKind = fmURM.rbNorval.checked() ? lkDirect : lkRemoteWorkplace;
    remote.DatabasePath = fmURM.edDBURM.text();
    remote.UserName = fmURM.edUserNameURM.text();
    remote.Password = fmURM.edPasswordURM.text();
    direct.DatabasePath = fmURM.edDBNorval.text();
    direct.UserName = fmURM.edUserNameNorval.text();
    direct.Password = fmURM.edPasswordNorval.text();
}

}  // namespace vk
