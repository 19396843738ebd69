#include "wizard/fOutLine.h"

#include "platform/Drives.h"
#include "platform/Text.h"

namespace vk {

Tfm_DirDialog::Tfm_DirDialog() : forms::Form("fm_DirDialog", "Выбор папки ...", 320, 130) {
    DirectoryListBox.onChange = [this] { DirectoryListBoxChange(); };
    DriveComboBox.onChange = [this] { DriveComboBoxChange(); };
}

void Tfm_DirDialog::SetDirectory(std::string_view folder) {
    tree_.setDirectory(folder);
    showTree();
}

void Tfm_DirDialog::showTree() {
    DirLabel.setCaption(tree_.directory());
    std::vector<std::string> lines;
    for (const DirectoryTree::Item& item : tree_.items())
        lines.push_back(std::string(static_cast<std::size_t>(item.level) * 2, ' ') + item.name);
    DirectoryListBox.setItems(std::move(lines));
    DirectoryListBox.setItemIndex(tree_.currentIndex());

    std::vector<std::string> drives;
    int current = -1;
    for (const std::string& drive : platform::logicalDrives()) {
        if (sameText(drive, tree_.drive())) current = static_cast<int>(drives.size());
        drives.push_back(ansiLower(drive));
    }
    DriveComboBox.setItems(std::move(drives));
    DriveComboBox.setItemIndex(current);
}

void Tfm_DirDialog::moveTree(const std::function<void()>& move) {
    // Shown anew even when the move failed (a folder gone, a drive not
    // ready), so that the lists never point at a place the tree is not.
    struct Reshow {
        Tfm_DirDialog& dialog;
        ~Reshow() { dialog.showTree(); }
    } reshow{*this};
    move();
}

void Tfm_DirDialog::DirectoryListBoxChange() {
    moveTree([this] { tree_.openItem(DirectoryListBox.itemIndex()); });
}

void Tfm_DirDialog::DriveComboBoxChange() {
    const int index = DriveComboBox.itemIndex();
    if (index < 0) return;
    moveTree([this, index] { tree_.setDrive(DriveComboBox.items()[static_cast<std::size_t>(index)]); });
}

}  // namespace vk
