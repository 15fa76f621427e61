// Typed reading and writing of one column of the current record, and query parameters.
#include "platform/2_db/field.h"

#include <cmath>
#include <cstdlib>

#include "platform/2_db/dataset.h"
#include "platform/2_db/error.h"
#include "platform/2_db/names.h"
#include "platform/2_db/translate.h"

namespace db {
namespace {

bool IsDateType(FieldType t) {
    return t == FieldType::Date || t == FieldType::Time || t == FieldType::DateTime;
}

std::string TimeText(text::TDateTime v) {
    const std::string full = text::ToIsoDateTime(v);
    const auto space = full.find(' ');
    return space == std::string::npos ? full : full.substr(space + 1);
}

std::string DateText(FieldType t, text::TDateTime v) {
    switch (t) {
    case FieldType::Date: return text::ToIsoDate(v);
    case FieldType::Time: return TimeText(v);
    default: return text::ToIsoDateTime(v);
    }
}

bool ParseNumber(const std::string& s, double& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    out = std::strtod(s.c_str(), &end);
    while (end && *end == ' ') ++end;
    return end && *end == '\0';
}

// The value converted to what a column of type `t` stores.
Value Convert(FieldType t, const Value& v, const std::string& fieldName) {
    if (v.IsNull()) return v;
    switch (t) {
    case FieldType::String:
    case FieldType::Memo:
        if (v.kind == Value::Kind::Text && v.s.empty()) return Value();
        return Value(v.ToString());
    case FieldType::Blob: return v.kind == Value::Kind::Blob ? v : Value::Blob(v.ToString());
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Boolean: {
        if (v.kind == Value::Kind::Integer) return t == FieldType::Boolean ? Value(v.i != 0) : v;
        if (v.kind == Value::Kind::Float) return Value(static_cast<long long>(std::llround(v.f)));
        if (v.s.empty()) return Value();
        if (t == FieldType::Boolean) {
            const std::string f = FoldName(v.s);
            if (f == "true" || f == "t" || f == "1" || f == "si" || f == "sí") return Value(true);
            if (f == "false" || f == "f" || f == "0" || f == "no") return Value(false);
        }
        double d;
        if (!ParseNumber(v.s, d))
            throw EDatabaseError("'" + v.s + "' no es un valor válido para el campo " + fieldName);
        return Value(static_cast<long long>(std::llround(d)));
    }
    case FieldType::Float:
    case FieldType::Currency: {
        if (v.kind != Value::Kind::Text) return Value(v.ToFloat());
        if (v.s.empty()) return Value();
        double d;
        if (!ParseNumber(v.s, d))
            throw EDatabaseError("'" + v.s + "' no es un valor numérico válido para el campo " + fieldName);
        return Value(d);
    }
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime: {
        if (v.kind != Value::Kind::Text) return Value(DateText(t, v.ToFloat()));
        if (v.s.empty()) return Value();
        auto d = text::FromIso(v.s);
        if (!d) throw EDatabaseError("'" + v.s + "' no es una fecha válida para el campo " + fieldName);
        return Value(DateText(t, *d));
    }
    }
    return v;
}

}  // namespace

Value ConvertForField(const FieldDef& def, const Value& v) { return Convert(def.type, v, def.name); }

TField::TField(TDataSet& dataSet, int index, FieldDef def) : ds_(&dataSet), index_(index), def_(std::move(def)) {}

Value TField::Get() const { return ds_->FieldValue(index_); }

std::string TField::AsString() const {
    const Value v = Get();
    if (def_.type == FieldType::Boolean && !v.IsNull()) return v.ToInteger() ? "True" : "False";
    return v.ToString();
}

long long TField::AsInteger() const {
    const Value v = Get();
    if (v.kind == Value::Kind::Float) return std::llround(v.f);
    return v.ToInteger();
}

double TField::AsFloat() const { return Get().ToFloat(); }

text::TDateTime TField::AsDateTime() const {
    const Value v = Get();
    if (v.IsNull()) return 0;
    if (v.kind == Value::Kind::Text) return text::FromIso(v.s).value_or(0);
    return v.ToFloat();
}

bool TField::AsBoolean() const {
    const Value v = Get();
    if (v.kind == Value::Kind::Text) {
        const std::string f = FoldName(v.s);
        return f == "true" || f == "t" || f == "1";
    }
    return v.ToInteger() != 0;
}

void TField::SetValue(const Value& v) { ds_->SetFieldValue(index_, Convert(def_.type, v, def_.name)); }
void TField::SetAsString(const std::string& v) { SetValue(Value(v)); }
void TField::SetAsInteger(long long v) { SetValue(Value(v)); }
void TField::SetAsFloat(double v) { SetValue(Value(v)); }
void TField::SetAsBoolean(bool v) { SetValue(Value(v)); }
void TField::SetAsDateTime(text::TDateTime v) {
    if (IsDateType(def_.type))
        ds_->SetFieldValue(index_, Value(DateText(def_.type, v)));
    else
        SetValue(Value(v));
}

std::string TField::DisplayText() const {
    std::string text = AsString();
    if (OnGetText) OnGetText(const_cast<TField&>(*this), text, true);
    return text;
}

Value TParam::ForSql(FieldType column, bool columnKnown) const {
    if (value_.IsNull()) return value_;
    if (type_ == FieldType::Date || type_ == FieldType::DateTime) {
        const double d = value_.ToFloat();
        if (columnKnown && column == FieldType::DateTime) return Value(text::ToIsoDateTime(d));
        if (columnKnown && column == FieldType::Date) return Value(text::ToIsoDate(d));
        return Value(type_ == FieldType::Date ? text::ToIsoDate(d) : text::ToIso(d));
    }
    if (type_ == FieldType::Boolean) return Value(value_.ToInteger() != 0);
    if (columnKnown && value_.kind == Value::Kind::Text && IsDateType(column)) {
        // A date given as text meets the column in its stored form: "5/29/2002" or
        // "2002-05-29" against a TIMESTAMP column is that day at midnight.
        std::string iso = OldDateToIso(value_.s, true).value_or(value_.s);
        if (column == FieldType::DateTime && iso.size() == 10 && text::FromIso(iso)) iso += " 00:00:00";
        return Value(iso);
    }
    return value_;
}

TParam* TParams::FindParam(const std::string& name) {
    const std::string folded = FoldName(name);
    for (auto& p : items_)
        if (FoldName(p->Name()) == folded) return p.get();
    return nullptr;
}

TParam& TParams::ParamByName(const std::string& name) {
    if (TParam* p = FindParam(name)) return *p;
    throw EDatabaseError("No existe el parámetro " + name, ErrorKind::NotFound);
}

void TParams::Ensure(const std::vector<std::string>& names) {
    for (const auto& n : names)
        if (!FindParam(n)) items_.push_back(std::make_unique<TParam>(n));
}

}  // namespace db
