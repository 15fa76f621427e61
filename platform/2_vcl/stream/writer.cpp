// Trees back to binary component images, each value in the type it was read with.
#include "platform/2_vcl/stream/writer.h"

#include <stdexcept>

#include "platform/1_text/codepage.h"
#include "platform/2_vcl/stream/wide.h"

namespace vcl::stream {
namespace {

struct Out {
    std::string& s;

    void Byte(std::uint8_t b) { s += static_cast<char>(b); }
    void Unsigned(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) Byte(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void ShortString(const std::string& utf8) {
        std::string b = text::FromUtf8(utf8, text::CodePage::CP1252);
        if (b.size() > 255) throw std::invalid_argument("texto de más de 255 caracteres: " + utf8);
        Byte(static_cast<std::uint8_t>(b.size()));
        s += b;
    }
    void Long(const std::string& bytes) {
        Unsigned(bytes.size(), 4);
        s += bytes;
    }

    void Properties(const std::vector<Property>& ps) {
        for (const auto& p : ps) {
            if (p.name.empty()) throw std::invalid_argument("propiedad sin nombre");
            ShortString(p.name);
            WriteValue(p.value);
        }
        Byte(0);
    }

    void WriteValue(const Value& v) {
        Byte(static_cast<std::uint8_t>(v.type));
        switch (v.type) {
            case ValueType::vaNull:
            case ValueType::vaFalse:
            case ValueType::vaTrue:
            case ValueType::vaNil: break;
            case ValueType::vaList:
                for (const auto& e : v.list) WriteValue(e);
                Byte(0);
                break;
            case ValueType::vaInt8: Unsigned(static_cast<std::uint64_t>(v.integer), 1); break;
            case ValueType::vaInt16: Unsigned(static_cast<std::uint64_t>(v.integer), 2); break;
            case ValueType::vaInt32: Unsigned(static_cast<std::uint64_t>(v.integer), 4); break;
            case ValueType::vaInt64:
            case ValueType::vaCurrency: Unsigned(static_cast<std::uint64_t>(v.integer), 8); break;
            case ValueType::vaExtended: s.append(reinterpret_cast<const char*>(v.raw.data()), 10); break;
            case ValueType::vaSingle: s.append(reinterpret_cast<const char*>(v.raw.data()), 4); break;
            case ValueType::vaDate: s.append(reinterpret_cast<const char*>(v.raw.data()), 8); break;
            case ValueType::vaString:
            case ValueType::vaIdent: ShortString(v.text); break;
            case ValueType::vaLString: Long(text::FromUtf8(v.text, text::CodePage::CP1252)); break;
            case ValueType::vaUTF8String:
            case ValueType::vaBinary: Long(v.text); break;
            case ValueType::vaWString: {
                std::u16string w = Utf8ToWide(v.text);
                Unsigned(w.size(), 4);
                for (char16_t c : w) Unsigned(c, 2);
                break;
            }
            case ValueType::vaSet:
                for (const auto& e : v.set) {
                    if (e.empty()) throw std::invalid_argument("elemento de conjunto vacío");
                    ShortString(e);
                }
                Byte(0);
                break;
            case ValueType::vaCollection:
                for (const auto& item : v.items) {
                    if (item.order) WriteValue(*item.order);
                    Byte(static_cast<std::uint8_t>(ValueType::vaList));
                    Properties(item.properties);
                }
                Byte(0);
                break;
        }
    }

    void Body(const Component& c) {
        if (c.flags || c.flagsStored) {
            Byte(0xF0 | (c.flags & 0x0F));
            if (c.flags & ffChildPos) {
                if (!c.childPos || !c.childPos->IsInteger())
                    throw std::invalid_argument("posición de hijo sin valor entero");
                WriteValue(*c.childPos);
            }
        }
        if (c.className.empty()) throw std::invalid_argument("componente sin clase");
        ShortString(c.className);
        ShortString(c.name);
        Properties(c.properties);
        for (const auto& child : c.children) Body(child);
        Byte(0);
    }
};

}  // namespace

void WriteComponent(std::string& out, const Component& component) {
    out += "TPF0";
    Out{out}.Body(component);
}

std::string Write(const Component& component) {
    std::string out;
    WriteComponent(out, component);
    return out;
}

}  // namespace vcl::stream
