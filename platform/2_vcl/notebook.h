// The notebook: pages stacked in one place, one shown at a time, each a container for the
// controls placed on it. Not here: tabs or their drawing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/2_vcl/control.h"
#include "platform/2_vcl/strings.h"

namespace vcl {

class TPage : public TWinControl {
public:
    explicit TPage(TComponent* AOwner) : TWinControl(AOwner) {}
};

class TNotebook : public TWinControl {
public:
    explicit TNotebook(TComponent* AOwner);

    // One page per string: adding or removing strings adds or removes pages (and the
    // controls on a removed page).
    TStrings& Pages() { return pages_; }
    const TStrings& Pages() const { return pages_; }
    int PageCount() const { return static_cast<int>(pageControls_.size()); }
    // The container of page `index`, where its controls are placed.
    TPage* Page(int index) const { return pageControls_.at(index); }

    int PageIndex() const { return pageIndex_; }
    // Shows that page and hides the others (the focus leaves a page that hides); then
    // OnPageChanged. Out of range: ignored.
    void SetPageIndex(int index);
    std::string ActivePage() const;
    // By page name ignoring case; an unknown name is ignored.
    void SetActivePage(std::string_view name);

    TNotifyEvent OnPageChanged;

private:
    class Pages_ : public TStrings {
    public:
        explicit Pages_(TNotebook& book) : book_(book) {}

    protected:
        void Changed() override;

    private:
        TNotebook& book_;
    };
    void Rebuild();
    void ShowPage();

    Pages_ pages_{*this};
    std::vector<TPage*> pageControls_;
    int pageIndex_ = -1;
};

}  // namespace vcl
