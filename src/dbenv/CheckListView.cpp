#include "dbenv/CheckListView.h"

namespace vk {

int CheckListView::add(ListItem item) {
    items_.push_back(std::move(item));
    return count() - 1;
}

ListItem* CheckListView::item(int index) {
    return index >= 0 && index < count() ? &items_[static_cast<std::size_t>(index)] : nullptr;
}

const ListItem* CheckListView::item(int index) const { return const_cast<CheckListView*>(this)->item(index); }

}  // namespace vk
