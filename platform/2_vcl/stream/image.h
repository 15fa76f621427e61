// The component image of a form file as a plain tree: a component's class and name, every
// property it stored (used by this program or not) and its child components. Each value keeps
// its stored type, so writing a tree read from a file gives the file's bytes back.
// Not here: reading bytes (reader.*) or writing them (writer.*).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vcl::stream {

// A stream that is cut short or holds something that is not a component image. The message
// is the Spanish text the user sees; position() is the offset where reading stopped.
class EReadError : public std::runtime_error {
public:
    EReadError(const std::string& message, std::size_t position)
        : std::runtime_error(message), position_(position) {}
    std::size_t position() const { return position_; }

private:
    std::size_t position_;
};

enum class ValueType : std::uint8_t {
    vaNull = 0, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue,
    vaBinary, vaSet, vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString,
    vaInt64, vaUTF8String
};

// Child flags of a component image.
enum ChildFlag : std::uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

struct CollectionItem;

struct Value {
    ValueType type = ValueType::vaNull;
    std::int64_t integer = 0;  // vaInt8/16/32/64; vaCurrency holds the amount x 10000
    // vaExtended (10 bytes), vaSingle (4), vaDate (8): the stored bytes, little-endian.
    std::array<std::uint8_t, 10> raw{};
    // vaString, vaIdent, vaLString, vaWString, vaUTF8String: UTF-8 text (a vaUTF8String keeps
    // its bytes even when they are not valid UTF-8); vaBinary: the bytes.
    std::string text;
    std::vector<std::string> set;        // vaSet: element names
    std::vector<Value> list;             // vaList
    std::vector<CollectionItem> items;   // vaCollection

    // Builders that pick the stored type the component library would: the narrowest integer;
    // a short or long single-byte string, or a wide string for text CP1252 cannot hold.
    static Value Int(std::int64_t v);
    static Value String(const std::string& utf8);
    static Value Ident(const std::string& name);
    static Value Bool(bool v);
    static Value Extended(long double v);
    static Value Double(double v);  // stored as vaExtended

    bool IsInteger() const;
    bool IsString() const;
    std::int64_t AsInteger() const;   // integers only; EReadError otherwise
    std::string AsString() const;     // string kinds and identifiers
    bool AsBool() const;              // vaTrue / vaFalse
    long double AsExtended() const;   // vaExtended, vaSingle, vaDate, vaCurrency, integers
};

struct Property {
    std::string name;  // may be dotted: "Font.Name"
    Value value;
};

struct CollectionItem {
    std::optional<Value> order;  // an integer giving the item's order, when stored
    std::vector<Property> properties;
};

struct Component {
    std::uint8_t flags = 0;       // ChildFlag bits
    bool flagsStored = false;     // the flags byte is present (it may be, with no flag set)
    std::optional<Value> childPos;  // an integer, stored when flags has ffChildPos
    std::string className, name;
    std::vector<Property> properties;
    std::vector<Component> children;

    const Value* Find(const std::string& propertyName) const;  // exact name, nullptr if absent
    void Set(const std::string& propertyName, Value v);        // replaces or appends
};

}  // namespace vcl::stream
