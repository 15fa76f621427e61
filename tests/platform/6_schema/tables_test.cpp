// Per-day file names and the shape of the table definitions the reports rely on.
#include "platform/6_schema/tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

namespace {

using tables::DayKind;

TEST(DayFiles, NamesAndYearLetters) {
    struct Case { std::string_view key; int y, m, d; DayKind kind; std::string_view name, why; };
    const Case kCases[] = {
        {"03", 2000, 1, 1, DayKind::Ventas, "V030101F.DB", "register 03, first day of 2000"},
        {"01", 2002, 5, 29, DayKind::Ventas, "V012905H.DB", "register 01, 29 May 2002"},
        {"01", 2000, 10, 5, DayKind::Ventas, "V010510F.DB", "day before month"},
        {"01", 1995, 12, 31, DayKind::Detalle, "D013112A.DB", "first year of the rule"},
        {"01", 1999, 3, 3, DayKind::Corte, "C010303E.DB", "1999 is E"},
        {"07", 2020, 2, 29, DayKind::Impuestos, "I072902Z.DB", "last year of the old rule"},
        {"07", 2021, 1, 1, DayKind::Ventas, "V070101A.DB", "2021 starts the alphabet again"},
        {"12", 2026, 5, 1, DayKind::Ventas, "V120105F.DB", "2026 is F"},
        {"12", 2046, 5, 1, DayKind::Ventas, "V120105Z.DB", "2046 closes the second cycle"},
        {"12", 2047, 5, 1, DayKind::Ventas, "V120105A.DB", "2047 opens the third"},
    };
    for (const auto& c : kCases) {
        const auto date = text::EncodeDate(c.y, c.m, c.d);
        EXPECT_EQ(tables::DayFileName(c.kind, c.key, date), c.name) << c.why;
    }
}

TEST(DayFiles, YearLettersMatchTheOldRuleAndNeverRepeatWithin26Years) {
    for (int year = 1995; year <= 2020; ++year)
        EXPECT_EQ(tables::YearLetter(year), static_cast<char>((year + 118) % 256)) << year;
    for (int start = 1990; start <= 2100; ++start) {
        std::set<char> seen;
        for (int year = start; year < start + 26; ++year) {
            const char c = tables::YearLetter(year);
            ASSERT_TRUE(std::isupper(static_cast<unsigned char>(c))) << year;
            ASSERT_TRUE(seen.insert(c).second) << "letter repeats in the window from " << start;
        }
    }
}

const db::FieldDef* Field(const db::TableDef& t, std::string_view name) {
    for (const auto& f : t.fields)
        if (f.name == name) return &f;
    return nullptr;
}

TEST(Definitions, KeyWidthsAndFieldsTheReportsRead) {
    struct Case { db::TableDef table; std::string_view field; db::FieldType type; int size; };
    using db::FieldType;
    const Case kCases[] = {
        {tables::Tiendas(), "Tienda", FieldType::String, 2},
        {tables::Cajas(), "Caja", FieldType::String, 2},
        {tables::Cajas(), "BLectOp", FieldType::Boolean, 0},
        {tables::Usuarios(), "Usuario", FieldType::String, 3},
        {tables::TPagos(), "TPago", FieldType::String, 2},
        {tables::CatInven(), "Producto", FieldType::String, 16},
        {tables::CatInven(), "Descripcio", FieldType::String, 40},
        {tables::Lineas(), "Clv_Lin", FieldType::String, 5},
        {tables::EsqImp(), "Porcen4", FieldType::Float, 0},
        {tables::RepUsr(), "NOMBRE", FieldType::String, 25},
        {tables::RepUsr(), "VERENMENU", FieldType::String, 1},
        {tables::RepUsr(), "FORMATO", FieldType::String, 255},
        {tables::RepUsr(), "NUMERO", FieldType::AutoInc, 0},
        {tables::MovProd(), "TipoMov", FieldType::SmallInt, 0},
        {tables::MovProd(), "MontoImp4", FieldType::Currency, 0},
        {tables::Ingresos(), "Doc_Zod", FieldType::String, 1},
        {tables::FecEst(), "FechaFin", FieldType::DateTime, 0},
        {tables::DayTable(DayKind::Ventas, "010101A"), "Nota", FieldType::String, 20},
        {tables::DayTable(DayKind::Ventas, "010101A"), "FecVenc4", FieldType::Date, 0},
        {tables::DayTable(DayKind::Detalle, "010101A"), "TotComis", FieldType::Currency, 0},
        {tables::DayTable(DayKind::Impuestos, "010101A"), "NOTA", FieldType::String, 20},
        {tables::DayTable(DayKind::Corte, "010101A"), "Cantidad", FieldType::Float, 0},
    };
    for (const auto& c : kCases) {
        const auto* f = Field(c.table, c.field);
        ASSERT_NE(f, nullptr) << c.table.name << "." << c.field;
        EXPECT_EQ(f->type, c.type) << c.table.name << "." << c.field;
        EXPECT_EQ(f->size, c.size) << c.table.name << "." << c.field;
    }
}

TEST(Definitions, IndexesNameExistingFieldsAndMovProdHasXFECHA) {
    auto tablesToCheck = tables::PermanentTables();
    for (auto kind : {DayKind::Ventas, DayKind::Detalle, DayKind::Impuestos, DayKind::Corte})
        tablesToCheck.push_back(tables::DayTable(kind, "010101A"));
    for (const auto& t : tablesToCheck) {
        std::set<std::string> names;
        for (const auto& f : t.fields) EXPECT_TRUE(names.insert(f.name).second) << t.name << "." << f.name;
        for (const auto& idx : t.indexes)
            for (const auto& f : idx.fields) EXPECT_TRUE(names.count(f)) << t.name << " index " << idx.name;
    }
    const auto mov = tables::MovProd();
    const bool xfecha = std::any_of(mov.indexes.begin(), mov.indexes.end(), [](const db::IndexDef& i) {
        return i.name == "XFECHA" && i.fields == std::vector<std::string>{"Fecha"};
    });
    EXPECT_TRUE(xfecha);
    // The cut file is found by (cashier, register, payment type) on its first three key fields.
    const auto corte = tables::DayTable(DayKind::Corte, "010101A");
    ASSERT_FALSE(corte.indexes.empty());
    EXPECT_EQ(corte.indexes[0].fields, (std::vector<std::string>{"Cajero", "Caja", "TPago"}));
}

TEST(Definitions, FoundByTheNamesReportsAndFilesUse) {
    struct Case { std::string_view name; std::string_view table; std::string_view field; };
    const Case kCases[] = {
        {"Cajas", "Cajas", "BLectOp"},
        {"usuarios.db", "Usuarios", "TipoUsr"},
        {"CATINVEN", "CatInven", "EsqImp"},
        {"V012905H.DB", "V012905H.DB", "TIPODOCZOD"},
        {"d030101f", "D030101F.DB", "TotComis"},
        {"C010101A.DB", "C010101A.DB", "Cantidad"},
        {"tblTemp2", "", ""},           // a temporary table
        {"V01299H.DB", "", ""},         // too few digits
        {"X012905H.DB", "", ""},        // no such kind letter
        {"V013205H.DB", "", ""},        // day 32
    };
    for (const auto& c : kCases) {
        const auto def = tables::DefinitionOf(c.name);
        if (c.table.empty()) {
            EXPECT_FALSE(def) << c.name;
            continue;
        }
        ASSERT_TRUE(def) << c.name;
        EXPECT_EQ(def->name, c.table) << c.name;
        EXPECT_NE(Field(*def, c.field), nullptr) << c.name;
    }
}

}  // namespace
