#pragma once
// The database configurations this package can install, and which of them the
// user has ticked in the wizard's list. A configuration is selected when its
// row has an item in the list and that item is checked; the queries read the
// check marks as they stand at the moment of the call.
#include <cstdint>
#include <string>
#include <vector>

#include "forms/ListView.h"

namespace vk {

struct TConfigInfo {
    std::int32_t ConfigNo = 0;       // names the template "\Setup%d.dbx"; matches a payload record's Индекс
    std::string Caption;             // empty: the row is not offered
    std::string ConfigDatabase;      // as the package was built; only the file name is used
    std::string DataDatabase;        // as the package was built; only the file name is used
    std::string ConnectionFile;      // name in "Подключения"; empty: no connection file of its own
    std::string ManualFile;          // under the program's "Docs"; empty: no manual shortcut
    std::uint16_t Workplaces = 0;    // 0 shows "-"
    int Item = -1;                   // the row's item in the list, -1 for none
    bool SavedChecked = false;       // the check mark kept while the client part is chosen
};

// The rows of this package.
std::vector<TConfigInfo> packageConfigs();

class ConfigTable {
public:
    ConfigTable(std::vector<TConfigInfo> rows, forms::ListView& list) : rows_(std::move(rows)), list_(list) {}

    std::vector<TConfigInfo>& rows() { return rows_; }
    const std::vector<TConfigInfo>& rows() const { return rows_; }
    forms::ListView& list() { return list_; }

    // Lists every row with a caption, checked, when packageFlags has bit 0x0002;
    // otherwise leaves the list empty and disabled.
    void FillConfigList(std::uint32_t packageFlags);

    bool IsConfigSelected(int rowIndex) const;
    bool IsConfigNoSelected(std::int32_t configNo) const;
    bool AnyConfigSelected() const;
    // The first selected row's non-empty ConnectionFile, or empty.
    std::string FirstSelectedConnectionFile() const;

private:
    std::vector<TConfigInfo> rows_;
    forms::ListView& list_;
};

}  // namespace vk
