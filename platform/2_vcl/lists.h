// Choices from a list: TComboBox (an edit with a drop-down list, or a list only) and
// TRadioGroup. Picking is what the user does (events as a real pick raises them); setting
// ItemIndex from code raises nothing on a combo box. Not here: lists read from data (dblookup.h).
#pragma once

#include "platform/2_vcl/control.h"
#include "platform/2_vcl/strings.h"

namespace vcl {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner);

    TStrings& Items() { return items_; }
    const TStrings& Items() const { return items_; }
    int ItemIndex() const { return itemIndex_; }
    // -1 clears; the text follows the item. No event.
    void SetItemIndex(int index);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style) { style_ = style; }
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool sorted) { items_.SetSorted(sorted); }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length) { maxLength_ = length; }
    // The next typed character replaces the whole text (of a drop-down combo).
    void SelectAll() { allSelected_ = true; }

    // In a list-only combo the text is the chosen item's and setting it chooses the item
    // with that text (ignoring case), or none.
    std::string Text() const override;
    void SetText(std::string_view text) override;

    bool DroppedDown() const { return dropped_; }
    // Opening raises OnDropDown, closing OnCloseUp.
    void SetDroppedDown(bool dropped);

    // The user's choice from the list: the list opens, the item is chosen (OnChange and
    // OnSelect when it differs), the list closes (OnCloseUp).
    void PickItem(int index);
    // The item with that text (exact first, then ignoring case); false when there is none.
    bool PickText(std::string_view text);

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    bool ListOpen() const override { return dropped_; }
    void CloseList(bool accept) override;
    bool WantsKey(WORD key, TShiftState shift) const override;
    // F4 and Alt+Down open or close the list; Up and Down choose the previous or next item.
    void HandleKey(WORD& key, TShiftState shift) override;
    // Typing edits the text of a drop-down combo; a list-only one chooses the next item
    // starting with the letter.
    void AcceptChar(char32_t ch) override;

protected:
    void DoEnter() override;

private:
    class Items_ : public TStrings {
    public:
        explicit Items_(TComboBox& combo) : combo_(combo) {}

    protected:
        void Changed() override;

    private:
        TComboBox& combo_;
    };
    void Choose(int index);
    void Change();

    Items_ items_{*this};
    int itemIndex_ = -1;
    TComboBoxStyle style_ = csDropDown;
    int maxLength_ = 0;
    bool dropped_ = false;
    bool allSelected_ = false;
};

class TRadioGroup : public TWinControl {
public:
    explicit TRadioGroup(TComponent* AOwner);

    TStrings& Items() { return items_; }
    const TStrings& Items() const { return items_; }
    int ItemIndex() const { return itemIndex_; }
    // A change raises OnClick, whoever makes it; -1 clears.
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int columns) { columns_ = columns < 1 ? 1 : columns; }

    // The item with that text (ignoring case, and ignoring "&"); false when none.
    bool PickText(std::string_view text);

    // Arrows move the choice; an item's accelerator chooses it.
    void HandleKey(WORD& key, TShiftState shift) override;
    bool DialogChar(char32_t letter) override;

private:
    class Items_ : public TStrings {
    public:
        explicit Items_(TRadioGroup& group) : group_(group) {}

    protected:
        void Changed() override;

    private:
        TRadioGroup& group_;
    };
    Items_ items_{*this};
    int itemIndex_ = -1;
    int columns_ = 1;
};

}  // namespace vcl
