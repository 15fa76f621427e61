// Lookup combo boxes over a ListDataSource. Every walk of the list puts the cursor back on the
// chosen record afterwards: dialogs read the chosen store's other fields from that record.
#include "platform/2_vcl/dblookup.h"

#include "platform/1_text/trim.h"
#include "platform/2_vcl/utf8_internal.h"

namespace vcl {

namespace {

bool StartsIgnoringCase(std::string_view text, std::string_view prefix) {
    std::size_t i = 0, j = 0;
    while (j < prefix.size()) {
        if (i >= text.size()) return false;
        if (detail::FoldCase(detail::NextCodePoint(text, i)) != detail::FoldCase(detail::NextCodePoint(prefix, j)))
            return false;
    }
    return true;
}

}  // namespace

TDBLookupComboBox::TDBLookupComboBox(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TDBLookupComboBox::SetListSource(ListDataSource* source) {
    if (sourceComponent_) sourceComponent_->RemoveFreeNotification(this);
    source_ = source;
    sourceComponent_ = dynamic_cast<TComponent*>(source);
    if (sourceComponent_) sourceComponent_->FreeNotification(this);
    SetKeyValue(keyValue_);
}

void TDBLookupComboBox::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    // By the pointer kept at SetListSource: a component being deleted no longer casts.
    if (operation == opRemove && component && component == sourceComponent_) {
        source_ = nullptr;
        sourceComponent_ = nullptr;
        text_.clear();
    }
}

void TDBLookupComboBox::SetListField(std::string_view fields) {
    listField_ = fields;
    listFields_.clear();
    while (true) {
        const auto semi = fields.find(';');
        const std::string name(text::Trim(fields.substr(0, semi)));
        if (!name.empty()) listFields_.push_back(name);
        if (semi == std::string_view::npos) break;
        fields.remove_prefix(semi + 1);
    }
    SetKeyValue(keyValue_);
}

std::string TDBLookupComboBox::DisplayOf(const LookupRow& row) const {
    if (row.fields.empty()) return row.key;
    const auto i = static_cast<std::size_t>(listFieldIndex_);
    return i < row.fields.size() ? row.fields[i] : row.fields.front();
}

void TDBLookupComboBox::SetKeyValue(std::string_view key) {
    keyValue_ = key;
    text_.clear();
    if (!source_ || keyValue_.empty() || keyField_.empty()) return;
    if (!source_->Locate(keyField_, keyValue_)) return;
    LookupRow row{keyValue_, {}};
    for (const auto& f : listFields_) row.fields.push_back(source_->FieldAsString(f));
    text_ = DisplayOf(row);
}

void TDBLookupComboBox::Restore() {
    if (!source_) return;
    if (keyValue_.empty() || !source_->Locate(keyField_, keyValue_)) source_->First();
}

std::vector<LookupRow> TDBLookupComboBox::Rows() {
    std::vector<LookupRow> rows;
    if (!source_) return rows;
    for (source_->First(); !source_->Eof(); source_->Next()) {
        LookupRow row{source_->FieldAsString(keyField_), {}};
        for (const auto& f : listFields_) row.fields.push_back(source_->FieldAsString(f));
        rows.push_back(std::move(row));
    }
    Restore();
    return rows;
}

void TDBLookupComboBox::SetDroppedDown(bool dropped) {
    if (dropped == dropped_) return;
    dropped_ = dropped;
    if (Destroying()) return;
    if (dropped && OnDropDown) OnDropDown(this);
    if (!dropped && OnCloseUp) OnCloseUp(this);
}

void TDBLookupComboBox::Choose(const std::string& key) {
    const bool changed = key != keyValue_;
    SetKeyValue(key);
    if (changed) Click();
}

bool TDBLookupComboBox::PickKey(std::string_view key) {
    const auto rows = Rows();
    for (const auto& row : rows)
        if (row.key == key) {
            SetDroppedDown(true);
            // The list closes before the value changes and OnCloseUp comes last.
            dropped_ = false;
            Choose(row.key);
            if (OnCloseUp && !Destroying()) OnCloseUp(this);
            return true;
        }
    return false;
}

bool TDBLookupComboBox::PickIndex(int index) {
    const auto rows = Rows();
    if (index < 0 || index >= static_cast<int>(rows.size())) return false;
    return PickKey(rows[index].key);
}

bool TDBLookupComboBox::PickText(std::string_view text) {
    const auto rows = Rows();
    using Match = bool (*)(std::string_view, std::string_view);
    const Match exact = [](std::string_view a, std::string_view b) { return a == b; };
    const Match folded = [](std::string_view a, std::string_view b) { return SameName(a, b); };
    for (Match same : {exact, folded}) {
        for (const auto& row : rows)
            if (same(DisplayOf(row), text)) return PickKey(row.key);
        for (const auto& row : rows)
            if (same(row.key, text)) return PickKey(row.key);
        for (const auto& row : rows)
            for (const auto& f : row.fields)
                if (same(f, text)) return PickKey(row.key);
    }
    return false;
}

void TDBLookupComboBox::CloseList(bool) { SetDroppedDown(false); }

bool TDBLookupComboBox::WantsKey(WORD key, TShiftState) const {
    return dropped_ && (key == VK_ESCAPE || key == VK_RETURN);
}

void TDBLookupComboBox::HandleKey(WORD& key, TShiftState shift) {
    if ((key == VK_F4 && shift == ssNone) || ((key == VK_DOWN || key == VK_UP) && shift == ssAlt)) {
        key = 0;
        SetDroppedDown(!dropped_);
        return;
    }
    if ((key == VK_DOWN || key == VK_UP) && shift == ssNone) {
        const auto rows = Rows();
        if (rows.empty()) return;
        int at = -1;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].key == keyValue_) at = static_cast<int>(i);
        int next = at < 0 ? 0 : at + (key == VK_DOWN ? 1 : -1);
        key = 0;
        if (next < 0 || next >= static_cast<int>(rows.size())) return;
        Choose(rows[next].key);
    }
}

void TDBLookupComboBox::AcceptChar(char32_t ch) {
    if (ch == 8) {
        search_.clear();
        return;
    }
    if (ch < 0x20) return;
    std::string wanted = search_;
    detail::AppendUtf8(wanted, ch);
    for (const auto& row : Rows())
        if (StartsIgnoringCase(DisplayOf(row), wanted)) {
            search_ = wanted;
            Choose(row.key);
            return;
        }
}

void TDBLookupComboBox::DoEnter() {
    search_.clear();
    TWinControl::DoEnter();
}

}  // namespace vcl
