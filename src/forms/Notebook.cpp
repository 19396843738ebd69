#include "forms/Notebook.h"

#include <algorithm>

namespace vk::forms {

Notebook::Notebook(Container& parent, std::string name, Bounds bounds, const Style& style)
    : Control(parent, ControlKind::Notebook, std::move(name), bounds, {}, style) {}

void Notebook::setPageIndex(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size()) || index == pageIndex_) return;
    pageIndex_ = index;
    changed(Property::PageIndex);
}

bool Notebook::setActivePage(const std::string& name) {
    auto found = std::find_if(pages_.begin(), pages_.end(), [&](const Page* page) { return page->name() == name; });
    if (found == pages_.end()) return false;
    setPageIndex(static_cast<int>(found - pages_.begin()));
    return true;
}

Page* Notebook::activePage() const {
    return pageIndex_ < static_cast<int>(pages_.size()) ? pages_[static_cast<std::size_t>(pageIndex_)] : nullptr;
}

bool Notebook::showsChild(const Control& child) const { return &child == activePage(); }

Page::Page(Notebook& notebook, std::string name)
    : Control(notebook, ControlKind::Page, std::move(name),
              {0, 0, notebook.bounds().width, notebook.bounds().height}, {}, {}),
      notebook_(notebook) {
    notebook_.pages_.push_back(this);
}

Page::~Page() {
    auto& pages = notebook_.pages_;
    pages.erase(std::remove(pages.begin(), pages.end(), this), pages.end());
}

int Page::index() const {
    const auto& pages = notebook_.pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

}  // namespace vk::forms
