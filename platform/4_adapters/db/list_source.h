// A table or query as the list of a lookup combo box: the data layer's side of
// vcl::ListDataSource, so platform/2_vcl never sees datasets.
// Not here: the lookup control itself (platform/2_vcl/dblookup.h).
#pragma once

#include "platform/2_db/dataset.h"
#include "platform/2_vcl/dblookup.h"

namespace db {

class TDataSetListSource : public vcl::ListDataSource {
public:
    explicit TDataSetListSource(TDataSet& dataSet) : ds_(&dataSet) {}

    void First() override;
    void Next() override;
    bool Eof() const override;
    std::string FieldAsString(std::string_view field) const override;
    bool Locate(std::string_view keyField, std::string_view value) override;

    TDataSet& DataSet() const { return *ds_; }

private:
    TDataSet* ds_;
};

}  // namespace db
