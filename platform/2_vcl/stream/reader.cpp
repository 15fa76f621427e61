// Binary component images to trees. Every length is checked against what is left before it
// is used and nesting is bounded, so a damaged file ends in EReadError, never a crash.
#include "platform/2_vcl/stream/reader.h"

#include <cstring>

#include "platform/1_text/codepage.h"
#include "platform/2_vcl/stream/wide.h"

namespace vcl::stream {

namespace {
constexpr int kMaxDepth = 64;  // far beyond any form; bounds the recursion on damaged input
const char kTruncated[] = "Error al leer el flujo: el archivo termina antes de tiempo";
const char kInvalid[] = "Formato de flujo no válido";
}  // namespace

struct ReaderAccess {
    Reader& r;

    [[noreturn]] void Fail(const std::string& why) { throw EReadError(why, r.pos_); }

    void Need(std::size_t n) {
        if (r.bytes_.size() - r.pos_ < n) Fail(kTruncated);
    }
    std::uint8_t Peek() {
        Need(1);
        return static_cast<std::uint8_t>(r.bytes_[r.pos_]);
    }
    std::uint8_t Byte() {
        std::uint8_t b = Peek();
        ++r.pos_;
        return b;
    }
    std::uint64_t Unsigned(int n) {
        Need(n);
        std::uint64_t v = 0;
        for (int i = 0; i < n; ++i) v |= std::uint64_t(std::uint8_t(r.bytes_[r.pos_ + i])) << (8 * i);
        r.pos_ += n;
        return v;
    }
    std::string Bytes(std::size_t n) {
        Need(n);
        std::string s(r.bytes_.substr(r.pos_, n));
        r.pos_ += n;
        return s;
    }
    std::string ShortString() {
        std::size_t n = Byte();
        return text::ToUtf8(Bytes(n), text::CodePage::CP1252);
    }
    std::size_t Length() { return static_cast<std::size_t>(Unsigned(4)); }

    void Properties(std::vector<Property>& into, int depth) {
        while (Peek() != 0) {
            into.push_back({});
            into.back().name = ShortString();
            ReadValue(into.back().value, depth);
        }
        ++r.pos_;
    }

    void ReadValue(Value& v, int depth) {
        if (depth > kMaxDepth) Fail(std::string(kInvalid) + ": anidamiento excesivo");
        std::size_t at = r.pos_;
        std::uint8_t t = Byte();
        if (t > static_cast<std::uint8_t>(ValueType::vaUTF8String)) {
            r.pos_ = at;
            Fail(std::string(kInvalid) + ": tipo de valor " + std::to_string(t) + " desconocido");
        }
        v.type = static_cast<ValueType>(t);
        switch (v.type) {
            case ValueType::vaNull:
            case ValueType::vaFalse:
            case ValueType::vaTrue:
            case ValueType::vaNil: break;
            case ValueType::vaList:
                while (Peek() != 0) {
                    v.list.push_back({});
                    ReadValue(v.list.back(), depth + 1);
                }
                ++r.pos_;
                break;
            case ValueType::vaInt8: v.integer = static_cast<std::int8_t>(Unsigned(1)); break;
            case ValueType::vaInt16: v.integer = static_cast<std::int16_t>(Unsigned(2)); break;
            case ValueType::vaInt32: v.integer = static_cast<std::int32_t>(Unsigned(4)); break;
            case ValueType::vaInt64:
            case ValueType::vaCurrency: v.integer = static_cast<std::int64_t>(Unsigned(8)); break;
            case ValueType::vaExtended:
            case ValueType::vaSingle:
            case ValueType::vaDate: {
                std::size_t n = v.type == ValueType::vaExtended ? 10 : v.type == ValueType::vaSingle ? 4 : 8;
                Need(n);
                std::memcpy(v.raw.data(), r.bytes_.data() + r.pos_, n);
                r.pos_ += n;
                break;
            }
            case ValueType::vaString:
            case ValueType::vaIdent: v.text = ShortString(); break;
            case ValueType::vaLString:
                v.text = text::ToUtf8(Bytes(Length()), text::CodePage::CP1252);
                break;
            case ValueType::vaUTF8String:
            case ValueType::vaBinary: v.text = Bytes(Length()); break;
            case ValueType::vaWString: {
                std::size_t n = Length();
                if (n > (r.bytes_.size() - r.pos_) / 2) Fail(kTruncated);
                std::u16string w(n, u'\0');
                for (std::size_t i = 0; i < n; ++i) w[i] = static_cast<char16_t>(Unsigned(2));
                v.text = WideToUtf8(w);
                break;
            }
            case ValueType::vaSet:
                for (;;) {
                    std::string name = ShortString();
                    if (name.empty()) break;
                    v.set.push_back(std::move(name));
                }
                break;
            case ValueType::vaCollection:
                while (Peek() != 0) {
                    v.items.push_back({});
                    CollectionItem& item = v.items.back();
                    std::uint8_t k = Peek();
                    if (k == 2 || k == 3 || k == 4) {
                        item.order.emplace();
                        ReadValue(*item.order, depth + 1);
                    }
                    if (Byte() != static_cast<std::uint8_t>(ValueType::vaList)) {
                        --r.pos_;
                        Fail(std::string(kInvalid) + ": elemento de colección sin lista");
                    }
                    Properties(item.properties, depth + 1);
                }
                ++r.pos_;
                break;
        }
    }

    void Body(Component& c, int depth) {
        if (depth > kMaxDepth) Fail(std::string(kInvalid) + ": anidamiento excesivo");
        std::uint8_t prefix = Peek();
        if ((prefix & 0xF0) == 0xF0) {
            ++r.pos_;
            c.flags = prefix & 0x0F;
            c.flagsStored = true;
            if (c.flags & ffChildPos) {
                c.childPos.emplace();
                ReadValue(*c.childPos, depth);
                if (!c.childPos->IsInteger())
                    Fail(std::string(kInvalid) + ": posición de hijo no entera");
            }
        }
        c.className = ShortString();
        if (c.className.empty()) Fail(std::string(kInvalid) + ": componente sin clase");
        c.name = ShortString();
        Properties(c.properties, depth);
        while (Peek() != 0) {
            c.children.push_back({});
            Body(c.children.back(), depth + 1);
        }
        ++r.pos_;
    }
};

void Reader::ReadComponent(Component& into) {
    ReaderAccess a{*this};
    if (bytes_.size() - pos_ < 4) a.Fail(AtEnd() ? kTruncated : kInvalid);
    if (bytes_.substr(pos_, 4) != "TPF0") a.Fail(kInvalid);
    pos_ += 4;
    a.Body(into, 0);
}

Component Reader::ReadComponent() {
    Component c;
    ReadComponent(c);
    return c;
}

void ReadAll(std::string_view bytes, std::vector<Component>& out) {
    Reader r(bytes);
    while (!r.AtEnd()) {
        Component c;
        r.ReadComponent(c);
        out.push_back(std::move(c));
    }
}

}  // namespace vcl::stream
