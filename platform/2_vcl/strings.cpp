// String lists; the order ignoring case is the one the product's sorted lists show.
#include "platform/2_vcl/strings.h"

#include <algorithm>
#include <stdexcept>

#include "platform/2_vcl/component.h"
#include "platform/2_vcl/utf8_internal.h"

namespace vcl {

namespace {

bool LessIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = detail::FoldCase(detail::NextCodePoint(a, i));
        const char32_t y = detail::FoldCase(detail::NextCodePoint(b, j));
        if (x != y) return x < y;
    }
    return i == a.size() && j < b.size();
}

}  // namespace

TStrings::TStrings(std::initializer_list<std::string_view> items) {
    for (auto s : items) items_.emplace_back(s);
}

TStrings& TStrings::operator=(const TStrings& other) {
    Assign(other);
    return *this;
}

void TStrings::Set(int index, std::string_view value) {
    items_.at(index) = value;
    Changed();
}

int TStrings::Add(std::string_view value) {
    auto at = items_.end();
    if (sorted_)
        at = std::upper_bound(items_.begin(), items_.end(), value,
                              [](std::string_view v, const std::string& s) { return LessIgnoringCase(v, s); });
    const int index = static_cast<int>(at - items_.begin());
    items_.insert(at, std::string(value));
    Changed();
    return index;
}

void TStrings::Insert(int index, std::string_view value) {
    if (index < 0 || index > Count()) throw std::out_of_range("Índice de lista fuera de rango");
    items_.insert(items_.begin() + index, std::string(value));
    Changed();
}

void TStrings::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("Índice de lista fuera de rango");
    items_.erase(items_.begin() + index);
    Changed();
}

void TStrings::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

void TStrings::Assign(const TStrings& other) {
    if (&other == this) return;
    items_ = other.items_;
    if (sorted_) std::stable_sort(items_.begin(), items_.end(), LessIgnoringCase);
    Changed();
}

void TStrings::AddStrings(const TStrings& other) {
    const std::vector<std::string> copy = other.items_;
    for (const auto& s : copy) Add(s);
}

int TStrings::IndexOf(std::string_view value) const {
    for (int i = 0; i < Count(); ++i)
        if (SameName(items_[i], value)) return i;
    return -1;
}

void TStrings::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    sorted_ = sorted;
    if (sorted_) {
        std::stable_sort(items_.begin(), items_.end(), LessIgnoringCase);
        Changed();
    }
}

std::string TStrings::Text() const {
    std::string out;
    for (const auto& s : items_) out += s + "\n";
    return out;
}

void TStrings::SetText(std::string_view text) {
    items_.clear();
    while (!text.empty()) {
        const auto nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        items_.emplace_back(line);
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
    if (sorted_) std::stable_sort(items_.begin(), items_.end(), LessIgnoringCase);
    Changed();
}

void TStrings::Changed() {
    if (OnChange) OnChange();
}

}  // namespace vcl
