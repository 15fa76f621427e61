// A single column value as the data layer moves it: null, integer, float, text or blob.
// Used for key searches, Locate, parameters and bulk rows. Dates travel as ISO-8601 text,
// built with Value::Date / Value::DateTime, because that is how the table files store them.
#pragma once

#include <cstdint>
#include <string>

#include "platform/1_text/datetime.h"

namespace db {

struct Value {
    enum class Kind { Null, Integer, Float, Text, Blob };

    Kind kind = Kind::Null;
    std::int64_t i = 0;
    double f = 0;
    std::string s;  // text (UTF-8) or blob bytes

    Value() = default;
    Value(std::nullptr_t) {}
    Value(const char* text) : kind(Kind::Text), s(text) {}
    Value(std::string text) : kind(Kind::Text), s(std::move(text)) {}
    Value(int v) : kind(Kind::Integer), i(v) {}
    Value(long v) : kind(Kind::Integer), i(v) {}
    Value(long long v) : kind(Kind::Integer), i(v) {}
    Value(bool v) : kind(Kind::Integer), i(v ? 1 : 0) {}
    Value(double v) : kind(Kind::Float), f(v) {}

    static Value Date(text::TDateTime d) { return Value(text::ToIsoDate(d)); }
    static Value DateTime(text::TDateTime d) { return Value(text::ToIsoDateTime(d)); }
    static Value Blob(std::string bytes) {
        Value v(std::move(bytes));
        v.kind = Kind::Blob;
        return v;
    }

    bool IsNull() const { return kind == Kind::Null; }
    // Text as the product shows a raw value: numbers without trailing zeros, null as "".
    std::string ToString() const;
    double ToFloat() const;  // text that is not a number gives 0
    std::int64_t ToInteger() const;

    friend bool operator==(const Value& a, const Value& b) {
        return a.kind == b.kind && a.i == b.i && a.f == b.f && a.s == b.s;
    }
};

}  // namespace db
