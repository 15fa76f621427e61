// TDataSetListSource: lookups walk and locate a dataset; a closed one is opened first, as
// the lookups of the old forms opened their list tables.
#include "platform/4_adapters/db/list_source.h"

namespace db {

void TDataSetListSource::First() {
    if (!ds_->Active()) ds_->Open();
    ds_->First();
}

void TDataSetListSource::Next() {
    if (ds_->Active()) ds_->Next();
}

bool TDataSetListSource::Eof() const { return !ds_->Active() || ds_->Eof(); }

std::string TDataSetListSource::FieldAsString(std::string_view field) const {
    if (!ds_->Active() || (ds_->Eof() && ds_->Bof())) return "";
    TField* f = ds_->FindField(std::string(field));
    return f ? f->AsString() : "";
}

bool TDataSetListSource::Locate(std::string_view keyField, std::string_view value) {
    if (!ds_->Active()) ds_->Open();
    if (!ds_->FindField(std::string(keyField))) return false;
    return ds_->Locate(std::string(keyField), {Value(std::string(value))});
}

}  // namespace db
