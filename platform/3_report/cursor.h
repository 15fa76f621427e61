// The narrow row interface the engine pulls data through. A dataset of any kind (a query or
// table of platform/2_db, an in-memory table) offers one; the engine resolves field names to
// indices once, when the layout is bound, and then reads values by index on every row.
// Not here: opening, parameters or SQL (dataset.h).
#pragma once

#include <string>
#include <string_view>

#include "platform/3_report/value.h"

namespace report {

class Cursor {
public:
    virtual ~Cursor() = default;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual void Prior() = 0;
    virtual bool Eof() const = 0;   // past the last row, or no rows at all
    virtual bool Bof() const = 0;   // on the first row, or no rows at all
    virtual int FieldCount() const = 0;
    virtual std::string FieldName(int index) const = 0;
    // Index of a field by name, ignoring case; -1 when the cursor has no such field.
    virtual int FieldIndex(std::string_view name) const = 0;
    // Value of the current row; null on Eof.
    virtual Value Get(int index) const = 0;
    bool IsEmpty() const { return Eof() && Bof(); }
    // The text the data layer itself shows for a field (a field's own OnGetText); false when
    // the field has none and the value should be formatted by the report.
    virtual bool DisplayText(int index, std::string& text) const { (void)index; (void)text; return false; }
};

}  // namespace report
