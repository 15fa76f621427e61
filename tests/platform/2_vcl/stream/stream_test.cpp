// Component images: every value type through write, read and write again; images assembled
// by hand byte by byte; cut and damaged streams.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/2_vcl/stream/reader.h"
#include "platform/2_vcl/stream/writer.h"

namespace vcl::stream {
namespace {

Value Typed(ValueType t) {
    Value v;
    v.type = t;
    return v;
}

// One property of every kind, a collection, a set and a child with every flag.
Component EveryKind() {
    Component c;
    c.className = "TDesignQuickReport";
    c.name = "DesignQuickReport1";
    c.Set("Int8", Value::Int(-5));
    c.Set("Int16", Value::Int(1000));
    c.Set("Int32", Value::Int(-100000));
    c.Set("Int64", Value::Int(1LL << 40));
    c.Set("Ext", Value::Extended(12.5L));
    c.Set("Caption", Value::String("Razón social: Señor"));
    c.Set("Long", Value::String(std::string(300, 'x')));
    c.Set("Wide", Value::String("Ωmega €"));  // Ω is not in CP1252
    c.Set("Color", Value::Ident("clBlack"));
    c.Set("Visible", Value::Bool(true));
    c.Set("Enabled", Value::Bool(false));
    Value bin = Typed(ValueType::vaBinary);
    bin.text = std::string("\0\1\2\xFF", 4);
    c.Set("Data", bin);
    Value set = Typed(ValueType::vaSet);
    set.set = {"fsBold", "fsItalic"};
    c.Set("Font.Style", set);
    c.Set("Nothing", Typed(ValueType::vaNil));
    Value single = Typed(ValueType::vaSingle);
    float f = 2.25f;
    std::memcpy(single.raw.data(), &f, 4);
    c.Set("Single", single);
    Value money = Typed(ValueType::vaCurrency);
    money.integer = 123450000;
    c.Set("Money", money);
    Value date = Typed(ValueType::vaDate);
    double d = 46000.5;
    std::memcpy(date.raw.data(), &d, 8);
    c.Set("When", date);
    Value utf8 = Typed(ValueType::vaUTF8String);
    utf8.text = "año \xFF";  // kept even when not valid UTF-8
    c.Set("Utf8", utf8);
    Value list = Typed(ValueType::vaList);
    list.list = {Value::String("uno"), Value::String("dos"), Value::Int(3)};
    c.Set("Lines.Strings", list);
    Value coll = Typed(ValueType::vaCollection);
    coll.items.resize(2);
    coll.items[0].properties = {{"Nombre", Value::String("SubTotal")}, {"Visible", Value::Bool(true)}};
    coll.items[1].order = Value::Int(7);
    coll.items[1].properties = {{"Nombre", Value::String("Total")}};
    c.Set("Campos", coll);
    Value wideSurrogate = Typed(ValueType::vaWString);
    wideSurrogate.text = "\xED\xA0\x80";  // an unpaired high surrogate as it reads back
    c.Set("Lone", wideSurrogate);

    Component child;
    child.className = "TQRDesignLabel";
    child.name = "QRDesignLabel1";
    child.flags = ffInherited | ffChildPos | ffInline;
    child.childPos = Value::Int(300);
    child.Set("Left", Value::Int(40));
    Component grandchild;
    grandchild.className = "TQRDesignShape";
    grandchild.Set("Shape", Value::Ident("qrsHorLine"));
    child.children.push_back(grandchild);
    c.children.push_back(child);
    return c;
}

TEST(ComponentStream, WrittenReadAndWrittenAgainIsByteIdentical) {
    std::string first = Write(EveryKind());
    Reader r(first);
    Component back = r.ReadComponent();
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(Write(back), first);

    EXPECT_EQ(back.Find("Int8")->AsInteger(), -5);
    EXPECT_EQ(back.Find("Int8")->type, ValueType::vaInt8);
    EXPECT_EQ(back.Find("Int16")->type, ValueType::vaInt16);
    EXPECT_EQ(back.Find("Int32")->type, ValueType::vaInt32);
    EXPECT_EQ(back.Find("Int64")->AsInteger(), 1LL << 40);
    EXPECT_EQ(back.Find("Ext")->AsExtended(), 12.5L);
    EXPECT_EQ(back.Find("Caption")->AsString(), "Razón social: Señor");
    EXPECT_EQ(back.Find("Caption")->type, ValueType::vaString);
    EXPECT_EQ(back.Find("Long")->type, ValueType::vaLString);
    EXPECT_EQ(back.Find("Wide")->AsString(), "Ωmega €");
    EXPECT_EQ(back.Find("Wide")->type, ValueType::vaWString);
    EXPECT_EQ(back.Find("Single")->AsExtended(), 2.25L);
    EXPECT_EQ(back.Find("Money")->AsExtended(), 12345.0L);
    EXPECT_EQ(back.Find("When")->AsExtended(), 46000.5L);
    EXPECT_EQ(back.Find("Font.Style")->set, (std::vector<std::string>{"fsBold", "fsItalic"}));
    ASSERT_EQ(back.Find("Campos")->items.size(), 2u);
    EXPECT_EQ(back.Find("Campos")->items[1].order->AsInteger(), 7);
    ASSERT_EQ(back.children.size(), 1u);
    EXPECT_EQ(back.children[0].flags, ffInherited | ffChildPos | ffInline);
    EXPECT_EQ(back.children[0].childPos->AsInteger(), 300);
    EXPECT_EQ(back.children[0].children[0].Find("Shape")->AsString(), "qrsHorLine");
}

TEST(ComponentStream, HandAssembledImageReadsAndWritesBackUnchanged) {
    // TPF0, class TLabel, name L1, Caption = 'Año' (CP1252), Left = 31, no children.
    const std::string bytes("TPF0\x06TLabel\x02L1\x07" "Caption\x06\x03" "A\xF1o\x04Left\x02\x1F\x00\x00",
                            4 + 7 + 3 + 8 + 5 + 5 + 2 + 2);
    Reader r(bytes);
    Component c = r.ReadComponent();
    EXPECT_EQ(c.className, "TLabel");
    EXPECT_EQ(c.name, "L1");
    EXPECT_EQ(c.Find("Caption")->AsString(), "Año");
    EXPECT_EQ(c.Find("Left")->AsInteger(), 31);
    EXPECT_EQ(Write(c), bytes);

    long double native = 12.5L;  // the 80-bit layout matches the machine's own long double
    Component e;
    e.className = "T";
    e.Set("X", Value::Extended(native));
    std::string w = Write(e);
    EXPECT_EQ(std::memcmp(w.data() + w.size() - 2 - 10, &native, 10), 0);
}

TEST(ComponentStream, EveryCutOfAStreamIsAnErrorNotACrash) {
    std::string whole = Write(EveryKind());
    for (std::size_t n = 0; n < whole.size(); ++n) {
        Component partial;
        Reader r(std::string_view(whole).substr(0, n));
        try {
            r.ReadComponent(partial);
            ADD_FAILURE() << "cut at " << n << " read as whole";
        } catch (const EReadError& e) {
            EXPECT_LE(e.position(), n);
            if (n > 40) {
                EXPECT_EQ(partial.className, "TDesignQuickReport") << "cut at " << n;
            }
        }
    }
}

TEST(ComponentStream, ImagesBeforeADamagedOneAreKept) {
    Component a;
    a.className = "TQRDesignLabel";
    a.name = "A";
    std::string file = Write(a) + Write(a);
    struct Case {
        std::string tail;
        const char* message;
    };
    const Case cases[] = {
        {"TPF0\x06TLabel\x01" "B\x03Top\x7F", "tipo de valor 127 desconocido"},
        {"TPF0\x06TLabel\x01" "B\x03Top\x0C\xFF\xFF\xFF\x7F", "termina antes de tiempo"},
        {"XPF0", "Formato de flujo no válido"},
        {"TPF", "Formato de flujo no válido"},
    };
    for (const auto& c : cases) {
        std::vector<Component> read;
        try {
            ReadAll(file + c.tail, read);
            ADD_FAILURE() << c.message;
        } catch (const EReadError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_EQ(read.size(), 2u) << c.message;
    }
}

TEST(ComponentStream, DeepNestingIsRefused) {
    std::string s = "TPF0\x01T\x00\x01P";
    for (int i = 0; i < 100000; ++i) s += '\x01';
    Reader r(s);
    EXPECT_THROW(r.ReadComponent(), EReadError);
}

}  // namespace
}  // namespace vcl::stream
