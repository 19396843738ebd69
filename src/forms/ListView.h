#pragma once
// A read-only report list with columns and a check box on each row (the
// wizard's lvConfigs): rows have a caption, further column texts, a check
// mark and a number of the owner's. Code fills it; a user only ticks rows.
#include <functional>
#include <string>
#include <vector>

#include "forms/Control.h"

namespace vk::forms {

struct ListColumn {
    std::string caption;
    int width = 0;
    Alignment alignment = Alignment::Left;
};

struct ListItem {
    std::string caption;
    std::vector<std::string> subItems;  // the texts of the second and later columns
    bool checked = false;
    int data = 0;
};

class ListView : public Control {
public:
    ListView(Container& parent, std::string name, Bounds bounds, std::vector<ListColumn> columns = {},
             const Style& style = {});

    const std::vector<ListColumn>& columns() const { return columns_; }

    // Returns the new item's index.
    int add(ListItem item);
    void clear();
    int count() const { return static_cast<int>(items_.size()); }
    // nullptr when index is outside the list.
    const ListItem* item(int index) const;
    // Sets a row's check mark; false when there is no such row.
    bool setChecked(int index, bool checked);
    // Runs after a user ticks or unticks a row; the row's index.
    std::function<void(int)> onItemChecked;
    bool userSetChecked(int index, bool checked);

private:
    std::vector<ListColumn> columns_;
    std::vector<ListItem> items_;
};

}  // namespace vk::forms
