// A table or query of the data layer as the list of a lookup combo box: the combo walks the
// dataset's own cursor and leaves it on the chosen record, so the dialog reads that record.
// Not here: the combo itself (platform/vcl/dblookup.h).
#pragma once

#include "platform/db/dataset.h"
#include "platform/vcl/dblookup.h"

namespace reportes {

class FuenteLista : public vcl::ListDataSource {
public:
    explicit FuenteLista(db::TDataSet& dataset) : ds_(dataset) {}
    void First() override;
    void Next() override;
    bool Eof() const override;
    std::string FieldAsString(std::string_view field) const override;
    bool Locate(std::string_view keyField, std::string_view value) override;

private:
    db::TDataSet& ds_;
};

}  // namespace reportes
