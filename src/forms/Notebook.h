#pragma once
// A notebook: pages of child controls of which one is shown at a time. Pages
// are named like the system's notebooks name them ("Default", "Server"); a
// name may repeat, the index tells them apart.
#include <string>
#include <vector>

#include "forms/Control.h"

namespace vk::forms {

class Page;

class Notebook : public Control {
public:
    Notebook(Container& parent, std::string name, Bounds bounds, const Style& style = {});

    const std::vector<Page*>& pages() const { return pages_; }
    int pageIndex() const { return pageIndex_; }
    void setPageIndex(int index);  // outside the pages: refused
    // Shows the first page of that name; false when there is none.
    bool setActivePage(const std::string& name);
    Page* activePage() const;

private:
    friend class Page;
    bool showsChild(const Control& child) const override;

    std::vector<Page*> pages_;
    int pageIndex_ = 0;
};

// One page: it fills its notebook and holds the controls made on it.
class Page : public Control {
public:
    Page(Notebook& notebook, std::string name);
    ~Page() override;
    int index() const;

private:
    Notebook& notebook_;
};

}  // namespace vk::forms
