// Fields of an open dataset and parameters of a query: typed access to one column of the
// current record (AsString, AsInteger, AsFloat, AsDateTime, AsBoolean) and to one named
// parameter. Not here: moving between records (dataset.h).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/2_db/schema.h"
#include "platform/2_db/value.h"

namespace db {

class TDataSet;

// A value as a column of field `def` stores it: text to numbers, numbers and TDateTime to
// ISO-8601 text for date fields, an empty text to null on string fields. Raises
// EDatabaseError naming the field when the text is no value of that type.
Value ConvertForField(const FieldDef& def, const Value& v);

class TField {
public:
    TField(TDataSet& dataSet, int index, FieldDef def);

    const std::string& FieldName() const { return def_.name; }
    FieldType DataType() const { return def_.type; }
    int Size() const { return def_.size; }
    int Index() const { return index_; }
    TDataSet& DataSet() const { return *ds_; }

    bool IsNull() const { return Get().IsNull(); }
    // Text of the stored value: numbers in plain form, dates as stored (ISO-8601), Booleans
    // as "True"/"False", null as "".
    std::string AsString() const;
    long long AsInteger() const;
    double AsFloat() const;
    text::TDateTime AsDateTime() const;  // 0 for null or unreadable text
    bool AsBoolean() const;
    Value AsValue() const { return Get(); }

    // Writes go to the record being edited or inserted; the value is converted to the
    // field's type (an empty text on a string field is null, as the old tables kept it).
    void SetAsString(const std::string& v);
    void SetAsInteger(long long v);
    void SetAsFloat(double v);
    void SetAsDateTime(text::TDateTime v);
    void SetAsBoolean(bool v);
    void SetValue(const Value& v);
    void Clear() { SetValue(Value()); }

    // What a grid or a report shows: OnGetText when set, else AsString.
    std::string DisplayText() const;
    std::function<void(TField& sender, std::string& text, bool displayText)> OnGetText;
    std::string DisplayLabel;
    bool Visible = true;

private:
    Value Get() const;
    TDataSet* ds_;
    int index_;
    FieldDef def_;
};

// A parameter of a query, written ":Name" in its SQL. It keeps its value while the SQL text
// changes; a parameter without a value takes the master dataset's field of the same name.
class TParam {
public:
    explicit TParam(std::string name) : name_(std::move(name)) {}
    const std::string& Name() const { return name_; }

    void SetAsString(const std::string& v) { Set(Value(v), FieldType::String); }
    void SetAsInteger(long long v) { Set(Value(v), FieldType::Integer); }
    void SetAsFloat(double v) { Set(Value(v), FieldType::Float); }
    void SetAsBoolean(bool v) { Set(Value(v), FieldType::Boolean); }
    void SetAsDate(text::TDateTime v) { Set(Value(v), FieldType::Date); }
    void SetAsDateTime(text::TDateTime v) { Set(Value(v), FieldType::DateTime); }
    void SetValue(const Value& v) { Set(v, FieldType::String); }
    void Clear() { value_ = Value(); bound_ = false; }

    bool IsNull() const { return value_.IsNull(); }
    bool Bound() const { return bound_; }  // a value was given
    FieldType DataType() const { return type_; }
    std::string AsString() const { return value_.ToString(); }
    double AsFloat() const { return value_.ToFloat(); }
    long long AsInteger() const { return value_.ToInteger(); }
    const Value& AsValue() const { return value_; }

    // The value as bound to SQLite; `column` is the declared type of the column the SQL
    // compares it with, when known, so a date meets a TIMESTAMP column in its own form.
    Value ForSql(FieldType column, bool columnKnown) const;

private:
    void Set(Value v, FieldType t) { value_ = std::move(v); type_ = t; bound_ = true; }
    std::string name_;
    Value value_;
    FieldType type_ = FieldType::String;
    bool bound_ = false;
};

class TParams {
public:
    TParam& ParamByName(const std::string& name);  // raises "No existe el parámetro <name>"
    TParam* FindParam(const std::string& name);
    int Count() const { return static_cast<int>(items_.size()); }
    TParam& Items(int i) { return *items_.at(static_cast<size_t>(i)); }
    // Adds the names not yet present (in order); existing parameters keep their values.
    void Ensure(const std::vector<std::string>& names);

private:
    std::vector<std::unique_ptr<TParam>> items_;
};

}  // namespace db
