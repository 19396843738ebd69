#pragma once
// Tfm_DirDialog, the folder dialog's form: the current folder, the folder
// tree and the drive list, read from the machine. Choosing an item of the
// tree opens that folder; choosing a drive goes to its root.
#include <functional>
#include <string>
#include <string_view>

#include "forms/Controls.h"
#include "forms/Form.h"
#include "wizard/DirectoryTree.h"

namespace vk {

class Tfm_DirDialog final : public forms::Form {
public:
    Tfm_DirDialog();

    // Throws Error when folder is no existing folder; the dialog stays as it was.
    void SetDirectory(std::string_view folder);
    const std::string& Directory() const { return tree_.directory(); }

    forms::Label DirLabel{*this, "DirLabel", {8, 8, 304, 14}, ""};
    forms::ComboBox DirectoryListBox{*this, "DirectoryListBox", {8, 28, 304, 21}};
    forms::ComboBox DriveComboBox{*this, "DriveComboBox", {8, 60, 304, 21}};
    forms::Button OKBtn{*this, "OKBtn", {150, 96, 75, 25}, "OK", {.isDefault = true, .modalResult = forms::mrOk}};
    forms::Button CancelBtn{*this, "CancelBtn", {237, 96, 75, 25}, "Отмена",
                            {.isCancel = true, .modalResult = forms::mrCancel}};

private:
    void DirectoryListBoxChange();
    void DriveComboBoxChange();
    void showTree();
    void moveTree(const std::function<void()>& move);

    DirectoryTree tree_;
};

}  // namespace vk
