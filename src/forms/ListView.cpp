#include "forms/ListView.h"

namespace vk::forms {

ListView::ListView(Container& parent, std::string name, Bounds bounds, std::vector<ListColumn> columns,
                   const Style& style)
    : Control(parent, ControlKind::ListView, std::move(name), bounds, {}, style), columns_(std::move(columns)) {}

int ListView::add(ListItem item) {
    items_.push_back(std::move(item));
    changed(Property::Items);
    return count() - 1;
}

void ListView::clear() {
    if (items_.empty()) return;
    items_.clear();
    changed(Property::Items);
}

const ListItem* ListView::item(int index) const {
    return index >= 0 && index < count() ? &items_[static_cast<std::size_t>(index)] : nullptr;
}

bool ListView::setChecked(int index, bool checked) {
    if (!item(index)) return false;
    bool& mark = items_[static_cast<std::size_t>(index)].checked;
    if (mark != checked) {
        mark = checked;
        changed(Property::Checked, index);
    }
    return true;
}

bool ListView::userSetChecked(int index, bool checked) {
    const ListItem* row = item(index);
    if (!row) return false;
    const bool before = row->checked;
    setChecked(index, checked);
    if (before != checked && onItemChecked) onItemChecked(index);
    return true;
}

}  // namespace vk::forms
