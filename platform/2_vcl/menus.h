// Menus: TMenuItem trees and the pop-up menu of a control. Items are components, so a dialog
// finds them by name and the script driver clicks them. Not here: showing a menu on screen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/2_vcl/control.h"

namespace vcl {

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption) { caption_ = caption; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index) { imageIndex_ = index; }

    // Sub-items, in menu order; Add takes an item already owned (usually by the form).
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(index); }
    TMenuItem* Parent() const { return parent_; }
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);

    TNotifyEvent OnClick;
    // Raises OnClick when the item is enabled (and so is every item above it).
    void Click();

private:
    std::string caption_;
    bool enabled_ = true, visible_ = true, checked_ = false;
    int imageIndex_ = -1;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    // The root whose sub-items the menu shows.
    TMenuItem& Items() { return *root_; }

    TNotifyEvent OnPopup;
    // The menu is about to show: OnPopup, where handlers show and hide items.
    void Popup(int x, int y);

private:
    TMenuItem* root_;  // owned by the menu itself
};

}  // namespace vcl
