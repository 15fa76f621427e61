// Small common controls the maintenance dialogs need: a status bar, an animation, a notebook
// of pages, a tool bar with tool buttons, an image list and a pop-up menu with items.
// Headless: each keeps only the state a user would see. Not here: grids (grids.h) and trees
// (treeview.h).
#pragma once

#include <string>
#include <vector>

#include "platform/vcl/control.h"
#include "platform/vcl/strings.h"

namespace vcl {

class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* AOwner) : TWinControl(AOwner) {}
    bool SimplePanel() const { return simple_; }
    void SetSimplePanel(bool simple) { simple_ = simple; }
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& text) { simpleText_ = text; }

private:
    bool simple_ = false;
    std::string simpleText_;
};

enum TCommonAVI { aviNone, aviFindFolder, aviFindFile, aviFindComputer, aviCopyFiles, aviCopyFile };

// An animation that plays while work runs; the model keeps whether it is playing and how many
// times it was started, which is what tests can see.
class TAnimate : public TControl {
public:
    explicit TAnimate(TComponent* AOwner) : TControl(AOwner) {}
    TCommonAVI CommonAVI() const { return avi_; }
    void SetCommonAVI(TCommonAVI avi) { avi_ = avi; }
    bool Active() const { return active_; }
    void SetActive(bool active) {
        if (active && !active_) ++plays_;
        active_ = active;
    }
    int Plays() const { return plays_; }

private:
    TCommonAVI avi_ = aviNone;
    bool active_ = false;
    int plays_ = 0;
};

// One page of a notebook: a container shown while it is the active page.
class TPage : public TWinControl {
public:
    explicit TPage(TComponent* AOwner) : TWinControl(AOwner) {}
};

class TNotebook : public TWinControl {
public:
    explicit TNotebook(TComponent* AOwner) : TWinControl(AOwner) {}
    // Adds a page with that caption; controls are placed on the page returned.
    TPage* AddPage(const std::string& caption, const std::string& name = "");
    int PageCount() const { return int(pages_.size()); }
    TPage* Page(int index) const { return pages_.at(size_t(index)); }
    const std::string& PageCaption(int index) const { return captions_.at(size_t(index)); }
    int PageIndex() const { return index_; }
    // Shows that page and hides the others; OnPageChanged when it changes.
    void SetPageIndex(int index);
    std::string ActivePage() const { return index_ >= 0 ? captions_[size_t(index_)] : ""; }
    void SetActivePage(const std::string& caption);

    TNotifyEvent OnPageChanged;

private:
    std::vector<TPage*> pages_;
    std::vector<std::string> captions_;
    int index_ = -1;
};

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner) : TComponent(AOwner) {}
    int Count() const { return count_; }
    void SetCount(int count) { count_ = count; }

private:
    int count_ = 0;
};

class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* AOwner) : TWinControl(AOwner) {}
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images) { images_ = images; }

private:
    TImageList* images_ = nullptr;
};

class TToolButton : public TControl {
public:
    explicit TToolButton(TComponent* AOwner) : TControl(AOwner) {}
    int ImageIndex() const { return image_; }
    void SetImageIndex(int index) { image_ = index; }

private:
    int image_ = -1;
};

// A menu item: clicked like a control; Visible says whether the pop-up menu shows it.
class TMenuItem : public TControl {
public:
    explicit TMenuItem(TComponent* AOwner) : TControl(AOwner) {}
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}
    void Add(TMenuItem* item) { items_.push_back(item); }
    const std::vector<TMenuItem*>& Items() const { return items_; }

private:
    std::vector<TMenuItem*> items_;
};

}  // namespace vcl
