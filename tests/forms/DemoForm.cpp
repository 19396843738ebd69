#include "DemoForm.h"

#include <stdexcept>

#include "forms/FrontEnd.h"

namespace vk::forms::demo {

TfmOptions::TfmOptions() : Form("fmOptions", "Настройки", 300, 120) {
    onCloseQuery = [this] { return FormCloseQuery(); };
}

bool TfmOptions::FormCloseQuery() {
    if (modalResult() != mrOk || !edValue.text().empty()) return true;
    ShowMessageDlg("Значение не указано.", MsgDlgType::Error, mbOK);
    return false;
}

TfmDemo::TfmDemo() : Form("fmDemo", "Демонстрация", 420, 300) {
    setPageNotebook(&nbMain);
    cbOption.onClick = [this] { btOptions.setEnabled(cbOption.checked()); };
    edName.onChange = [this] { lbEcho.setCaption("Имя: " + edName.text()); };
    lnHelp.onClick = [] { ShowMessageDlg("Это демонстрационная форма.", MsgDlgType::Information, mbOK); };
    btOptions.onClick = [this] { btOptionsClick(); };
    btFolder.onClick = [this] { btFolderClick(); };
    cbKind.setItemIndex(0);
    cbKind.onChange = [this] { lbKind.setCaption("Выбран: " + cbKind.text()); };
    lvRows.add({"Первая", {"1"}, true, 1});
    lvRows.add({"Вторая", {"2"}, false, 2});
    lvRows.add({"Третья", {"3"}, true, 3});
    pbMain.setPosition(40);
    btCheck.onClick = [this] { btCheckClick(); };
    btNext.onClick = [this] { btNextClick(); };
    btPrior.onClick = [this] { btPriorClick(); };
    btExit.onClick = [this] { Close(); };
}

void TfmDemo::btNextClick() {
    if (nbMain.pageIndex() == 0) {
        nbMain.setPageIndex(1);
        btPrior.setEnabled(true);
    } else if (ShowMessageDlg("Открыть настройки?", MsgDlgType::Confirmation, mbYesNo) == mrYes) {
        btOptionsClick();
    }
}

void TfmDemo::btPriorClick() {
    nbMain.setPageIndex(0);
    btPrior.setEnabled(false);
}

void TfmDemo::btOptionsClick() {
    if (fmOptions.ShowModal() == mrOk) lbResult.setCaption("Значение: " + fmOptions.edValue.text());
}

void TfmDemo::btFolderClick() {
    constexpr int kDesktop = 0;
    const auto folder = frontEnd().browseForFolder("C:\\", kDesktop);
    lbFolder.setCaption(folder ? *folder : "Папка не выбрана");
}

void TfmDemo::btCheckClick() {
    int checked = 0;
    for (int row = 0; row < lvRows.count(); ++row) checked += lvRows.item(row)->checked;
    if (checked == 0) throw std::runtime_error("Не отмечено ни одной строки.");
    lbResult.setCaption("Отмечено строк: " + std::to_string(checked));
}

}  // namespace vk::forms::demo
