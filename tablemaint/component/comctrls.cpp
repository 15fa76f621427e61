// The notebook's pages; the other small controls are header-only state.
#include "tablemaint/component/comctrls.h"

namespace vcl {

TPage* TNotebook::AddPage(const std::string& caption, const std::string& name) {
    auto* page = new TPage(OwnerFor(this));
    if (!name.empty()) page->SetName(name);
    page->SetParent(this);
    pages_.push_back(page);
    captions_.push_back(caption);
    page->SetVisible(pages_.size() == 1);
    if (index_ < 0) index_ = 0;
    return page;
}

void TNotebook::SetPageIndex(int index) {
    if (index < 0 || index >= PageCount() || index == index_) return;
    index_ = index;
    for (int i = 0; i < PageCount(); ++i) pages_[size_t(i)]->SetVisible(i == index);
    if (OnPageChanged) OnPageChanged(this);
}

void TNotebook::SetActivePage(const std::string& caption) {
    for (int i = 0; i < PageCount(); ++i)
        if (captions_[size_t(i)] == caption) SetPageIndex(i);
}

}  // namespace vcl
