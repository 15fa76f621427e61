// Conversions of a column value to text and numbers as the reports read raw values.
#include "platform/2_db/value.h"

#include <cstdio>
#include <cstdlib>

namespace db {

std::string Value::ToString() const {
    switch (kind) {
    case Kind::Null: return "";
    case Kind::Integer: return std::to_string(i);
    case Kind::Float: {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.15g", f);
        return buf;
    }
    case Kind::Text:
    case Kind::Blob: return s;
    }
    return "";
}

double Value::ToFloat() const {
    switch (kind) {
    case Kind::Integer: return static_cast<double>(i);
    case Kind::Float: return f;
    case Kind::Text: return std::strtod(s.c_str(), nullptr);
    default: return 0;
    }
}

std::int64_t Value::ToInteger() const {
    switch (kind) {
    case Kind::Integer: return i;
    case Kind::Float: return static_cast<std::int64_t>(f);
    case Kind::Text: return std::strtoll(s.c_str(), nullptr, 10);
    default: return 0;
    }
}

}  // namespace db
