// Builders and typed reads of stored values; the 80-bit extended float is packed by hand so
// the bytes do not depend on the compiler's long double.
#include "platform/2_vcl/stream/image.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/1_text/codepage.h"
#include "platform/2_vcl/stream/wide.h"

namespace vcl::stream {
namespace {

std::array<std::uint8_t, 10> PackExtended(long double v) {
    std::array<std::uint8_t, 10> r{};
    std::uint16_t sexp = std::signbit(v) ? 0x8000 : 0;
    std::uint64_t mant = 0;
    if (std::isnan(v)) {
        sexp |= 0x7FFF;
        mant = 0xC000000000000000ull;
    } else if (std::isinf(v)) {
        sexp |= 0x7FFF;
        mant = 0x8000000000000000ull;
    } else if (v != 0) {
        int e = 0;
        long double m = std::frexp(std::fabs(v), &e);  // |v| = m * 2^e, m in [0.5, 1)
        mant = static_cast<std::uint64_t>(std::ldexp(m, 64));
        sexp |= static_cast<std::uint16_t>(e - 1 + 16383);
    }
    for (int i = 0; i < 8; ++i) r[i] = static_cast<std::uint8_t>(mant >> (8 * i));
    r[8] = static_cast<std::uint8_t>(sexp);
    r[9] = static_cast<std::uint8_t>(sexp >> 8);
    return r;
}

long double UnpackExtended(const std::array<std::uint8_t, 10>& r) {
    std::uint64_t mant = 0;
    for (int i = 0; i < 8; ++i) mant |= std::uint64_t(r[i]) << (8 * i);
    int sexp = r[8] | r[9] << 8;
    int exp = sexp & 0x7FFF;
    long double sign = (sexp & 0x8000) ? -1.0L : 1.0L;
    if (exp == 0x7FFF)
        return (mant << 1) ? std::numeric_limits<long double>::quiet_NaN()
                           : sign * std::numeric_limits<long double>::infinity();
    if (exp == 0 && mant == 0) return sign * 0.0L;
    return sign * std::ldexp(static_cast<long double>(mant), exp - 16383 - 63);
}

}  // namespace

Value Value::Int(std::int64_t v) {
    Value r;
    r.integer = v;
    r.type = v >= -128 && v <= 127         ? ValueType::vaInt8
             : v >= -32768 && v <= 32767   ? ValueType::vaInt16
             : v >= INT32_MIN && v <= INT32_MAX ? ValueType::vaInt32
                                                : ValueType::vaInt64;
    return r;
}

Value Value::String(const std::string& utf8) {
    Value r;
    r.text = utf8;
    std::string bytes = text::FromUtf8(utf8, text::CodePage::CP1252);
    if (text::ToUtf8(bytes, text::CodePage::CP1252) != utf8)
        r.type = ValueType::vaWString;  // CP1252 would lose letters: keep them wide
    else
        r.type = bytes.size() <= 255 ? ValueType::vaString : ValueType::vaLString;
    return r;
}

Value Value::Ident(const std::string& name) {
    Value r;
    r.type = ValueType::vaIdent;
    r.text = name;
    return r;
}

Value Value::Bool(bool v) {
    Value r;
    r.type = v ? ValueType::vaTrue : ValueType::vaFalse;
    return r;
}

Value Value::Extended(long double v) {
    Value r;
    r.type = ValueType::vaExtended;
    r.raw = PackExtended(v);
    return r;
}

Value Value::Double(double v) { return Extended(v); }

bool Value::IsInteger() const {
    return type == ValueType::vaInt8 || type == ValueType::vaInt16 || type == ValueType::vaInt32 ||
           type == ValueType::vaInt64;
}

bool Value::IsString() const {
    return type == ValueType::vaString || type == ValueType::vaLString ||
           type == ValueType::vaWString || type == ValueType::vaUTF8String ||
           type == ValueType::vaIdent;
}

std::int64_t Value::AsInteger() const {
    if (!IsInteger()) throw EReadError("Valor de propiedad no válido: se esperaba un entero", 0);
    return integer;
}

std::string Value::AsString() const {
    if (!IsString()) throw EReadError("Valor de propiedad no válido: se esperaba un texto", 0);
    return text;
}

bool Value::AsBool() const {
    if (type == ValueType::vaTrue) return true;
    if (type == ValueType::vaFalse) return false;
    throw EReadError("Valor de propiedad no válido: se esperaba un valor lógico", 0);
}

long double Value::AsExtended() const {
    switch (type) {
        case ValueType::vaExtended: return UnpackExtended(raw);
        case ValueType::vaSingle: {
            float f;
            std::memcpy(&f, raw.data(), 4);
            return f;
        }
        case ValueType::vaDate: {
            double d;
            std::memcpy(&d, raw.data(), 8);
            return d;
        }
        case ValueType::vaCurrency: return integer / 10000.0L;
        default: break;
    }
    if (IsInteger()) return static_cast<long double>(integer);
    throw EReadError("Valor de propiedad no válido: se esperaba un número", 0);
}

const Value* Component::Find(const std::string& propertyName) const {
    for (const auto& p : properties)
        if (p.name == propertyName) return &p.value;
    return nullptr;
}

void Component::Set(const std::string& propertyName, Value v) {
    for (auto& p : properties)
        if (p.name == propertyName) {
            p.value = std::move(v);
            return;
        }
    properties.push_back({propertyName, std::move(v)});
}

}  // namespace vcl::stream
