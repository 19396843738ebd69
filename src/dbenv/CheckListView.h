#pragma once
// The model of a report list with check boxes (the wizard's lvConfigs): items
// with a caption, further column texts, a check mark and a number of the
// owner's. The view that shows it binds these properties to a native control;
// tests set them as a user's clicks would.
#include <string>
#include <vector>

namespace vk {

struct ListItem {
    std::string caption;
    std::vector<std::string> subItems;  // the texts of the second and later columns
    bool checked = false;
    int data = 0;
};

class CheckListView {
public:
    bool Enabled = true;

    // Returns the new item's index.
    int add(ListItem item);
    void clear() { items_.clear(); }
    int count() const { return static_cast<int>(items_.size()); }
    // nullptr when index is outside the list.
    ListItem* item(int index);
    const ListItem* item(int index) const;

private:
    std::vector<ListItem> items_;
};

}  // namespace vk
