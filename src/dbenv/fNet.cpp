#include "dbenv/fNet.h"

#include "dbenv/ExchangeFolder.h"
#include "forms/FrontEnd.h"

namespace vk {

namespace {

constexpr int kNetworkNeighbourhood = 18;  // CSIDL_NETWORK

}  // namespace

TfmNet::TfmNet() : Form("fmNet", "Сетевые настройки", 400, 233) {
    cbProtocol.setItemIndex(npTcpIp);
    btClientPath.onClick = [this] { btClientPathClick(); };
    OKBtn.onClick = [this] { OKBtnClick(); };
}

void TfmNet::btClientPathClick() {
    auto chosen = forms::frontEnd().browseForFolder(edClientPath.text(), kNetworkNeighbourhood);
    if (chosen && !chosen->empty()) edClientPath.setText(*chosen);
}

void TfmNet::OKBtnClick() {
    TestExchangeFolder(edClientPath.text());
    setModalResult(forms::mrOk);
}

void btNetClick(TfmNet& fmNet, NetSettings& net) {
    fmNet.edClientPath.setText(net.ExchangeFolder);
    fmNet.cbProtocol.setItemIndex(net.NetProtocol);
    if (fmNet.ShowModal() != forms::mrOk) return;
    net.NetProtocol = fmNet.cbProtocol.itemIndex();
    net.ExchangeFolder = fmNet.edClientPath.text();
}

}  // namespace vk
