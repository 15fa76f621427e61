// The conditions typed criteria become, run on a small table through the data layer: each
// case names the rows it must keep, so a condition that widens, drops a boundary instant or
// lets a quote through fails here.
#include "reports/framework/sql_criteria.h"

#include <gtest/gtest.h>

#include "platform/2_db/batch.h"
#include "platform/2_db/names.h"
#include "platform/2_db/query.h"
#include "tests/platform/2_db/temp_folder.h"

namespace {

using namespace reportes;
using text::EncodeDate;
using text::EncodeTime;

class SqlCriteria : public ::testing::Test {
protected:
    void SetUp() override {
        const db::TableDef def{"Movs",
                               {{"Id", db::FieldType::Integer},
                                {"Clave", db::FieldType::String, 16},
                                {"Tienda", db::FieldType::String, 2},
                                {"Status", db::FieldType::String, 1},
                                {"TIPODOCZOD", db::FieldType::String, 1},
                                {"Fecha", db::FieldType::DateTime},
                                {"Dia", db::FieldType::Date},
                                {"Monto", db::FieldType::Float},
                                {"Linea", db::FieldType::String, 5}},
                               {}};
        db::BatchWriter w(db::ResolveTableFile(dir_.Path(), "Movs"), def);
        const auto d = [](int y, int m, int dd) { return EncodeDate(y, m, dd); };
        // Id, key, store, status, document kind (blank: a plain sale), when, day, amount, line.
        w.Append({1, "A01", "01", "N", "", d(2026, 1, 1), d(2026, 1, 1), 10.0, "AB1"});
        w.Append({2, "A02", "01", "N", "P", d(2026, 1, 31) + EncodeTime(23, 59, 59, 500), d(2026, 1, 31), 20.0, "ABC"});
        w.Append({3, "A03", "02", "N", "A", d(2026, 2, 1), d(2026, 2, 1), 30.0, "A%B"});
        w.Append({4, nullptr, "01", "C", "K", d(2026, 1, 15) + EncodeTime(12, 0, 0), d(2026, 1, 15), 40.0, "XYZ"});
        w.Append({5, "O'B", "02", "N", nullptr, d(2025, 12, 31) + EncodeTime(23, 59, 59), d(2025, 12, 31), 50.0, "AB"});
        w.Commit();
    }

    // Ids of the rows the condition keeps, "1;2".
    std::string Rows(const std::string& where) {
        db::TQuery q;
        q.DatabaseName = dir_.Alias();
        q.SQL.Add("Select Id From Movs");
        q.SQL.Add(where);
        q.SQL.Add("Order By Id");
        q.Open();
        std::string out;
        for (q.First(); !q.Eof(); q.Next()) out += (out.empty() ? "" : ";") + q.FieldByName("Id").AsString();
        return out;
    }

    dbtest::TempFolder dir_;
};

TEST_F(SqlCriteria, EachConditionKeepsItsRows) {
    const RangoFechas enero{EncodeDate(2026, 1, 1), EncodeDate(2026, 1, 31)};
    struct Case { std::string where, rows, why; };
    const Case kCases[] = {
        {Where({CondicionIgual("Tienda", "01")}), "1;2;4", "one store"},
        {Where({CondicionIgual("Clave", "O'B")}), "5", "a quote in a key is a character, not the end of the literal"},
        {Where({CondicionRango("Clave", {"A01", "A02"})}), "1;2", "both bounds included"},
        {Where({CondicionRango("Clave", {"A02", ""})}), "2;3;5", "no final key: open above"},
        {Where({CondicionRango("Clave", {"", "A02"})}), "1;2", "no initial key: open below, no null keys"},
        {Where({CondicionRango("Clave", CompletaInicial({"", "A02"}, "A01"))}), "1;2;4",
         "only the final key: the first key below it, and rows without a key stay"},
        {Where({CondicionIgual("Tienda", "02"), CondicionRango("Clave", CompletaInicial({"", "A03"}, "A01"))}), "3",
         "the Or Is Null stays inside the range: store 01's row without a key is not let in"},
        {Where({CondicionLinea("Linea", "AB???")}), "1;2;5", "five characters ending in ?: any tail"},
        {Where({CondicionLinea("Linea", "?????")}), "1;2;3;4;5", "the initial pattern: every line"},
        {Where({CondicionLinea("Linea", "A%B")}), "3", "a typed % is the character"},
        {Where({CondicionFechas("Fecha", enero)}), "1;2;4",
         "midnight of the first day and the last second of the last day in; the next midnight out"},
        {Where({CondicionFechas("Dia", enero)}), "1;2;4", "the same range over a date column"},
        {Where({CondicionDistinto("TIPODOCZOD", {"P", "A"})}), "1;4;5", "a blank kind is none of those"},
        {Where({CondicionEnBlanco("TIPODOCZOD")}), "1;5", "blank, whichever way it was stored"},
        {Where({CondicionNotasValidas("")}), "1;5", "paid plain sales; advances, payments and a cancelled note out"},
        {Where({CondicionMayorQue("Monto", 25.5)}), "3;4;5", "a decimal amount"},
        {Where({}), "1;2;3;4;5", "no criteria: no Where"},
    };
    for (const auto& c : kCases) EXPECT_EQ(Rows(c.where), c.rows) << c.why << "\n" << c.where;
}

TEST_F(SqlCriteria, CriteriaValueGivesTheConditionsOfTheColumnsNamed) {
    CriteriosElegidos c;
    c.tienda = "01";
    c.productos = {"A01", "A03"};
    c.linea = "AB???";
    c.fechas = RangoFechas{EncodeDate(2026, 1, 1), EncodeDate(2026, 1, 31)};
    c.cajero = "015";  // no cashier column in this report: no condition
    ColumnasCriterio col;
    col.tienda = "Tienda";
    col.producto = "Clave";
    col.linea = "Linea";
    col.fecha = "Fecha";
    EXPECT_EQ(Rows(Where(Condiciones(c, col))), "1;2");
    EXPECT_EQ(Rows("Where Id > 0" + YAdemas(Condiciones(c, col))), "1;2");
    EXPECT_EQ(Condiciones(CriteriosElegidos{}, col).size(), 0u);
}

TEST(SqlCriteriaText, NumbersAndDatesIgnoreTheUsersFormats) {
    EXPECT_EQ(NumeroSql(1234.5), "1234.5");
    EXPECT_EQ(NumeroSql(0.1), "0.1");
    EXPECT_EQ(FechaSql(EncodeDate(2024, 2, 29) + EncodeTime(13, 0, 0)), "2024-02-29");
}

}  // namespace
