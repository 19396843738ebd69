#include "DialogHost.h"

#include "dbenv/ConnectionFiles.h"
#include "dbenv/SiblingSystem.h"

namespace vk::test {

TfmDialogHost::TfmDialogHost() : Form("fmDialogHost", "Диалоги", 500, 251) {
    link.LinkConnections[lkRemoteWorkplace].DatabasePath = "C:\\URM\\DataBase\\norvalrm2005.gdb";
    link.LinkConnections[lkDirect].DatabasePath = "NORVAL:E:\\Norval\\NORVAL.GDB";
    link.RemoteVersion = "5.2";
    btURM.onClick = [this] {
        btURMClick(fmURM, link);
        showSettings();
    };
    btNet.onClick = [this] {
        btNetClick(fmNet, net);
        showSettings();
    };
    btAsk.onClick = [this] { lbAnswer.setCaption(AskForLink(link) ? "да" : "нет"); };
    btDBX.onClick = [this] { vk::btDBXClick(storage, edDBX, edConfig); };
    btConfig.onClick = [this] { vk::btConfigClick(edConfig); };
    btNext.onClick = [this] {
        const bool leave = ValidateConnectionPage(kPackageFlags | pfUpdateConnection, edDBX.text(), edConfig.text());
        lbPage.setCaption(leave ? "дальше" : "остаёмся");
    };
    showSettings();
}

void TfmDialogHost::showSettings() {
    const TConnectInfo& remote = link.LinkConnections[lkRemoteWorkplace];
    const TConnectInfo& direct = link.LinkConnections[lkDirect];
    lbLink.setCaption(std::to_string(link.LinkKind) + "; " + remote.DatabasePath + ", " + remote.UserName + ", " +
                      remote.Password + "; " + direct.DatabasePath + ", " + direct.UserName + ", " + direct.Password);
    lbNet.setCaption(std::to_string(net.NetProtocol) + " [" + net.ExchangeFolder + "]");
}

}  // namespace vk::test
