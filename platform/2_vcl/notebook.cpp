// Notebook pages follow the Pages strings: the page objects of kept strings stay (with
// their controls), pages of removed strings go, and only the current page is visible.
#include "platform/2_vcl/notebook.h"

namespace vcl {

TNotebook::TNotebook(TComponent* AOwner) : TWinControl(AOwner) {}

void TNotebook::Pages_::Changed() {
    TStrings::Changed();
    book_.Rebuild();
}

void TNotebook::Rebuild() {
    if (Destroying()) return;
    while (PageCount() > pages_.Count()) {
        TPage* last = pageControls_.back();
        pageControls_.pop_back();
        last->Free();
    }
    while (PageCount() < pages_.Count()) {
        auto* page = new TPage(OwnerFor(this));
        page->SetParent(this);
        page->SetVisible(false);
        pageControls_.push_back(page);
    }
    for (int i = 0; i < PageCount(); ++i) pageControls_[i]->SetText(pages_[i]);
    if (pageIndex_ >= PageCount()) pageIndex_ = PageCount() - 1;
    if (pageIndex_ < 0 && PageCount() > 0) pageIndex_ = 0;
    ShowPage();
}

void TNotebook::ShowPage() {
    // Hide first, so the focus leaves the old page before the new one shows.
    for (int i = 0; i < PageCount(); ++i)
        if (i != pageIndex_) pageControls_[i]->SetVisible(false);
    if (pageIndex_ >= 0) pageControls_[pageIndex_]->SetVisible(true);
}

void TNotebook::SetPageIndex(int index) {
    if (index < 0 || index >= PageCount() || index == pageIndex_) return;
    pageIndex_ = index;
    ShowPage();
    if (OnPageChanged && !Destroying()) OnPageChanged(this);
}

std::string TNotebook::ActivePage() const { return pageIndex_ >= 0 ? pages_[pageIndex_] : std::string(); }

void TNotebook::SetActivePage(std::string_view name) {
    const int index = pages_.IndexOf(name);
    if (index >= 0) SetPageIndex(index);
}

}  // namespace vcl
