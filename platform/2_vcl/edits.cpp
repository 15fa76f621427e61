// Typing into edits, memos and spin edits. Characters below a space are control keys and are
// never inserted, except Backspace, which removes one character (or the selection).
#include "platform/2_vcl/edits.h"
#include "platform/1_text/gcc12_restrict.h"

#include <charconv>

#include "platform/2_vcl/utf8_internal.h"

namespace vcl {

namespace {

constexpr char32_t kBackspace = 8;

void DropLastCodePoint(std::string& s) {
    while (!s.empty()) {
        const auto b = static_cast<unsigned char>(s.back());
        s.pop_back();
        if ((b & 0xC0) != 0x80) break;
    }
}

}  // namespace

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TEdit::SetText(std::string_view text) {
    if (text == text_) return;
    text_ = text;
    Change();
}

void TEdit::Change() {
    if (OnChange && !Destroying()) OnChange(this);
}

void TEdit::DoEnter() {
    allSelected_ = true;
    TWinControl::DoEnter();
}

bool TEdit::IsValidChar(char32_t ch) const { return ch >= 0x20; }

void TEdit::AcceptChar(char32_t ch) {
    if (readOnly_) return;
    std::string next = allSelected_ ? std::string() : text_;
    if (ch == kBackspace) {
        if (!allSelected_) DropLastCodePoint(next);
    } else {
        if (!IsValidChar(ch)) return;
        detail::AppendUtf8(next, ch);
        if (maxLength_ > 0 && detail::CodePointCount(next) > static_cast<std::size_t>(maxLength_)) return;
    }
    allSelected_ = false;
    SetText(next);
}

void TEdit::HandleKey(WORD& key, TShiftState shift) {
    if (key == VK_BACK && shift == ssNone) {
        key = 0;
        AcceptChar(kBackspace);
    } else if (key == VK_DELETE && allSelected_ && !readOnly_) {
        key = 0;
        allSelected_ = false;
        SetText("");
    }
}

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TMemo::Lines_::Changed() {
    TStrings::Changed();
    if (memo_.OnChange && !memo_.Destroying()) memo_.OnChange(&memo_);
}

std::string TMemo::Text() const {
    std::string text = lines_.Text();
    if (!text.empty()) text.pop_back();
    return text;
}

void TMemo::SetText(std::string_view text) {
    if (text == Text()) return;
    // One more break than the text has, so "a\n" keeps its empty last line.
    lines_.SetText(text.empty() ? std::string() : std::string(text) + "\n");
}

bool TMemo::WantsKey(WORD key, TShiftState) const { return key == VK_RETURN && wantReturns_; }

void TMemo::AcceptChar(char32_t ch) {
    if (readOnly_) return;
    std::string text = Text();
    if (ch == kBackspace) {
        DropLastCodePoint(text);
    } else if (ch == '\r' || ch == '\n') {
        text += '\n';
    } else if (ch >= 0x20) {
        detail::AppendUtf8(text, ch);
    } else {
        return;
    }
    SetText(text);
}

void TMemo::HandleKey(WORD& key, TShiftState shift) {
    if (key == VK_RETURN && wantReturns_ && shift == ssNone) {
        key = 0;
        AcceptChar('\n');
    } else if (key == VK_BACK && shift == ssNone) {
        key = 0;
        AcceptChar(kBackspace);
    }
}

GCC12_FALSE_RESTRICT_BEGIN
TSpinEdit::TSpinEdit(TComponent* AOwner) : TEdit(AOwner) { text_ = "0"; }
GCC12_FALSE_RESTRICT_END

int TSpinEdit::Bounded(int value) const {
    if (minValue_ == maxValue_) return value;
    return value < minValue_ ? minValue_ : value > maxValue_ ? maxValue_ : value;
}

int TSpinEdit::Value() const {
    const std::string text = Text();
    int value = 0;
    const char* first = text.data();
    if (!text.empty() && text[0] == '+') ++first;
    const auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return minValue_;
    return Bounded(value);
}

void TSpinEdit::SetValue(int value) { SetText(std::to_string(Bounded(value))); }

bool TSpinEdit::IsValidChar(char32_t ch) const { return (ch >= '0' && ch <= '9') || ch == '-' || ch == '+'; }

void TSpinEdit::HandleKey(WORD& key, TShiftState shift) {
    if ((key == VK_UP || key == VK_DOWN) && shift == ssNone) {
        SetValue(Value() + (key == VK_UP ? increment_ : -increment_));
        key = 0;
        return;
    }
    TEdit::HandleKey(key, shift);
}

}  // namespace vcl
