// Lookup by name over a loaded report.
#include "platform/3_report/report.h"

#include "platform/3_report/names.h"

namespace report {

Component* Report::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (const auto& d : datasets_)
        if (SameName(d->Name(), name)) return d.get();
    for (const auto& b : bands_) {
        if (SameName(b->Name(), name)) return b.get();
        for (const auto& item : b->Items())
            if (SameName(item->Name(), name)) return item.get();
    }
    return nullptr;
}

bool Report::SetCaption(std::string_view label, std::string caption) {
    auto* l = Find<Label>(label);
    if (!l) return false;
    l->SetCaption(std::move(caption));
    return true;
}

bool Report::SetDisplayMask(std::string_view fieldOrExpression, std::string mask) {
    auto* m = Find<MaskedItem>(fieldOrExpression);
    if (!m) return false;
    m->SetDisplayMask(std::move(mask));
    return true;
}

bool Report::SetExpression(std::string_view expression, std::string text) {
    auto* e = Find<ExprItem>(expression);
    if (!e) return false;
    e->SetExpression(std::move(text));
    return true;
}

Dataset* Report::FindDataset(std::string_view name) const {
    for (const auto& d : datasets_)
        if (SameName(d->Name(), name)) return d.get();
    return nullptr;
}

Band& Report::AddBand(std::unique_ptr<Band> band) {
    bands_.push_back(std::move(band));
    return *bands_.back();
}

}  // namespace report
