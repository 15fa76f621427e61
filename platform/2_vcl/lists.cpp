// Combo boxes and radio groups: the chosen item, the drop-down list and the events of a pick.
#include "platform/2_vcl/lists.h"

#include <stdexcept>

#include "platform/2_vcl/utf8_internal.h"

namespace vcl {

namespace {

void CheckIndex(int index, int count) {
    if (index < -1 || index >= count) throw std::out_of_range("Índice de lista fuera de rango");
}

char32_t FirstLetter(std::string_view s) {
    std::size_t i = 0;
    return s.empty() ? 0 : detail::FoldCase(detail::NextCodePoint(s, i));
}

}  // namespace

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TComboBox::Items_::Changed() {
    TStrings::Changed();
    if (combo_.itemIndex_ >= Count()) combo_.itemIndex_ = -1;
}

void TComboBox::SetItemIndex(int index) {
    CheckIndex(index, items_.Count());
    itemIndex_ = index;
    text_ = index >= 0 ? items_[index] : std::string();
}

std::string TComboBox::Text() const {
    if (style_ == csDropDownList) return itemIndex_ >= 0 ? items_[itemIndex_] : std::string();
    return text_;
}

void TComboBox::SetText(std::string_view text) {
    if (style_ == csDropDownList) {
        SetItemIndex(items_.IndexOf(text));
        return;
    }
    text_ = text;
    itemIndex_ = -1;
    for (int i = 0; i < items_.Count(); ++i)
        if (items_[i] == text) itemIndex_ = i;
}

void TComboBox::SetDroppedDown(bool dropped) {
    if (dropped == dropped_) return;
    dropped_ = dropped;
    if (Destroying()) return;
    if (dropped && OnDropDown) OnDropDown(this);
    if (!dropped && OnCloseUp) OnCloseUp(this);
}

void TComboBox::Change() {
    if (OnChange && !Destroying()) OnChange(this);
}

void TComboBox::Choose(int index) {
    if (index == itemIndex_ && Text() == items_[index]) return;
    itemIndex_ = index;
    text_ = items_[index];
    Change();
    if (OnSelect) OnSelect(this);
}

void TComboBox::PickItem(int index) {
    if (index < 0 || index >= items_.Count()) throw std::out_of_range("Índice de lista fuera de rango");
    SetDroppedDown(true);
    Choose(index);
    SetDroppedDown(false);
}

bool TComboBox::PickText(std::string_view text) {
    int index = -1;
    for (int i = 0; i < items_.Count() && index < 0; ++i)
        if (items_[i] == text) index = i;
    if (index < 0) index = items_.IndexOf(text);
    if (index < 0) return false;
    PickItem(index);
    return true;
}

void TComboBox::CloseList(bool) { SetDroppedDown(false); }

bool TComboBox::WantsKey(WORD key, TShiftState) const {
    return dropped_ && (key == VK_ESCAPE || key == VK_RETURN);
}

void TComboBox::HandleKey(WORD& key, TShiftState shift) {
    if ((key == VK_F4 && shift == ssNone) || ((key == VK_DOWN || key == VK_UP) && shift == ssAlt)) {
        key = 0;
        SetDroppedDown(!dropped_);
        return;
    }
    if ((key == VK_DOWN || key == VK_UP) && shift == ssNone && items_.Count() > 0) {
        int next = itemIndex_ + (key == VK_DOWN ? 1 : -1);
        key = 0;
        next = itemIndex_ < 0 ? 0 : next < 0 ? 0 : next >= items_.Count() ? items_.Count() - 1 : next;
        Choose(next);
    }
}

void TComboBox::AcceptChar(char32_t ch) {
    if (style_ == csDropDownList) {
        const char32_t letter = detail::FoldCase(ch);
        const int n = items_.Count();
        for (int k = 1; k <= n; ++k) {
            const int i = (itemIndex_ + k + n) % n;
            if (FirstLetter(items_[i]) == letter) {
                Choose(i);
                return;
            }
        }
        return;
    }
    std::string next = allSelected_ ? std::string() : text_;
    if (ch == 8) {
        while (!next.empty()) {
            const auto b = static_cast<unsigned char>(next.back());
            next.pop_back();
            if ((b & 0xC0) != 0x80) break;
        }
    } else if (ch >= 0x20) {
        detail::AppendUtf8(next, ch);
        if (maxLength_ > 0 && detail::CodePointCount(next) > static_cast<std::size_t>(maxLength_)) return;
    } else {
        return;
    }
    allSelected_ = false;
    if (next == text_) return;
    SetText(next);
    Change();
}

void TComboBox::DoEnter() {
    allSelected_ = true;
    TWinControl::DoEnter();
}

TRadioGroup::TRadioGroup(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TRadioGroup::Items_::Changed() {
    TStrings::Changed();
    if (group_.itemIndex_ >= Count()) group_.itemIndex_ = -1;
}

void TRadioGroup::SetItemIndex(int index) {
    CheckIndex(index, items_.Count());
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Click();
}

bool TRadioGroup::PickText(std::string_view text) {
    for (int i = 0; i < items_.Count(); ++i)
        if (SameName(items_[i], text) || SameName(StripAccelerator(items_[i]), text)) {
            SetItemIndex(i);
            return true;
        }
    return false;
}

void TRadioGroup::HandleKey(WORD& key, TShiftState shift) {
    if (shift != ssNone || items_.Count() == 0) return;
    int step = 0;
    if (key == VK_UP || key == VK_LEFT) step = -1;
    if (key == VK_DOWN || key == VK_RIGHT) step = 1;
    if (step == 0) return;
    key = 0;
    const int next = itemIndex_ < 0 ? 0 : itemIndex_ + step;
    if (next >= 0 && next < items_.Count()) SetItemIndex(next);
}

bool TRadioGroup::DialogChar(char32_t letter) {
    if (!CanFocus()) return false;
    for (int i = 0; i < items_.Count(); ++i)
        if (AcceleratorOf(items_[i]) == letter) {
            SetFocus();
            SetItemIndex(i);
            return true;
        }
    return false;
}

}  // namespace vcl
