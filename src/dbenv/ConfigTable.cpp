#include "dbenv/ConfigTable.h"

#include "package/PackageDefinition.h"

namespace vk {

std::vector<TConfigInfo> packageConfigs() {
    TConfigInfo accounting;
    accounting.ConfigNo = 1;
    accounting.Caption = "Бухгалтерский учет бюджетного учреждения";
    accounting.ConfigDatabase = "D:\\Talvex\\Build\\DataBase\\VkConfig.gdb";
    accounting.DataDatabase = "D:\\Talvex\\Build\\DataBase\\VkData.gdb";
    accounting.ConnectionFile = "Vorkast.dbx";
    accounting.ManualFile = "Руководство.pdf";
    accounting.Workplaces = 1;
    return {accounting};
}

void ConfigTable::FillConfigList(std::uint32_t packageFlags) {
    list_.clear();
    for (TConfigInfo& row : rows_) row.Item = -1;
    list_.setEnabled((packageFlags & pfConfigList) != 0);
    if (!list_.enabled()) return;
    for (std::size_t index = 0; index < rows_.size(); ++index) {
        TConfigInfo& row = rows_[index];
        if (row.Caption.empty()) continue;
        const std::string workplaces = row.Workplaces == 0 ? "-" : std::to_string(row.Workplaces);
        row.Item = list_.add({row.Caption, {workplaces}, true, static_cast<int>(index)});
    }
}

bool ConfigTable::IsConfigSelected(int rowIndex) const {
    if (rowIndex < 0 || rowIndex >= static_cast<int>(rows_.size())) return false;
    const forms::ListItem* item = list_.item(rows_[static_cast<std::size_t>(rowIndex)].Item);
    return item && item->checked;
}

bool ConfigTable::IsConfigNoSelected(std::int32_t configNo) const {
    for (std::size_t index = 0; index < rows_.size(); ++index)
        if (rows_[index].ConfigNo == configNo) return IsConfigSelected(static_cast<int>(index));
    return false;
}

bool ConfigTable::AnyConfigSelected() const {
    for (std::size_t index = 0; index < rows_.size(); ++index)
        if (IsConfigSelected(static_cast<int>(index))) return true;
    return false;
}

std::string ConfigTable::FirstSelectedConnectionFile() const {
    for (std::size_t index = 0; index < rows_.size(); ++index)
        if (IsConfigSelected(static_cast<int>(index)) && !rows_[index].ConnectionFile.empty())
            return rows_[index].ConnectionFile;
    return {};
}

}  // namespace vk
