#include "reports/framework/lookup.h"

namespace reportes {

void FuenteLista::First() {
    if (ds_.Active()) ds_.First();
}

void FuenteLista::Next() {
    if (ds_.Active()) ds_.Next();
}

bool FuenteLista::Eof() const { return !ds_.Active() || ds_.Eof(); }

std::string FuenteLista::FieldAsString(std::string_view field) const {
    if (!ds_.Active() || ds_.Eof()) return {};
    auto* f = ds_.FindField(std::string(field));
    return f ? f->AsString() : std::string();
}

bool FuenteLista::Locate(std::string_view keyField, std::string_view value) {
    if (!ds_.Active()) return false;
    return ds_.Locate(std::string(keyField), {db::Value(std::string(value))});
}

}  // namespace reportes
