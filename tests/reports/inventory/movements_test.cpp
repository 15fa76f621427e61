// Receipts and issues: the movements listed, their unit prices before taxes, quantities and
// amounts beside an independent query on the same demo files, for each kind of movement.
#include <algorithm>
#include <cmath>
#include <tuple>
#include <regex>

#include "platform/6_schema/tables.h"
#include "tests/reports/inventory/inventory_fixture.h"

extern "C" void RMovProd(const char*, const char*, bool);

namespace {

using Row = db::BatchWriter::Row;

class Movements : public InventoryDemo {
protected:
    void SetUp() override {
        InventoryDemo::SetUp();
        config_.PreciosConImpuestos = true;  // as the demo's prices
    }
    // Unit price, quantity and amount of every printed movement line (those that start with a date).
    static std::vector<std::vector<double>> Lines(const std::string& text) {
        std::vector<std::vector<double>> out;
        for (const auto& [first, v] : Printed(text, 3))
            if (std::regex_match(first, std::regex("\\d\\d/\\d\\d/\\d{4}"))) out.push_back(v);
        return out;
    }
};

TEST_F(Movements, LinesEqualTheMovementsOfTheStoreKindAndPeriod) {
    const std::string k = First("SELECT Producto FROM CatInven ORDER BY Producto LIMIT 1 OFFSET 59");
    struct Case { const char* why; std::string script, where; };
    const Case kCases[] = {
        {"every kind, both days", "", "1 = 1"},
        {"sales", "pick rdgpTipoMov Ventas", "M.TipoMov = 2"},
        {"transfers: both codes", "pick rdgpTipoMov Traspasos", "M.TipoMov IN (5, 6)"},
        {"returns: both codes", "pick rdgpTipoMov Devoluciones", "M.TipoMov IN (3, 4)"},
        {"losses", "pick rdgpTipoMov Otras salidas", "M.TipoMov = 8"},
        // What broke: an unparenthesised "Or Cat.Producto Is Null" let the range ignore the
        // store, date and kind conditions after it.
        {"only a final product, sales", "set edtProdFin=" + k + "\nfocus edtLinea2\npick rdgpTipoMov Ventas",
         "M.Producto <= '" + k + "' AND M.TipoMov = 2"},
    };
    for (const auto& c : kCases) {
        report::CloseAllPreviews();
        sink_->texts.clear();
        auto d = Play(RMovProd, "set edtFecDesde=01/01/2026\nset edtFecHasta=08/01/2026\n" + c.script + "\nclick btnPreview",
                      "01", "Tienda Centro");
        ASSERT_EQ(Previews().size(), 1u) << c.why << (d->Failures().empty() ? "" : d->Failures()[0]);
        // Adjustments of quantity 0 print no unit price: the test below covers them.
        db::TQuery q;
        q.DatabaseName = (dir_ / "datos").string();
        q.SQL.Add("SELECT (M.MontoAcum - M.MontoImp1 - M.MontoImp2 - M.MontoImp3 - M.MontoImp4) / M.Cantidad AS P, "
                  "M.Cantidad AS Q, M.MontoAcum AS A FROM MovProd M, CatInven C WHERE M.Producto = C.Producto "
                  "AND M.Cantidad <> 0 AND M.Tienda = '01' AND M.Fecha BETWEEN '2026-01-01' AND '2026-01-08' AND " + c.where);
        q.Open();
        std::vector<std::vector<double>> expected;
        for (q.First(); !q.Eof(); q.Next())
            expected.push_back({std::round(q.FieldByName("P").AsFloat() * 100) / 100, q.FieldByName("Q").AsFloat(),
                                q.FieldByName("A").AsFloat()});
        auto printed = Lines(Previews()[0]);
        ASSERT_FALSE(expected.empty()) << c.why;
        // Matched by amount and quantity; the unit price is rounded to cents on both sides.
        auto porMonto = [](const auto& a, const auto& b) { return std::tie(a[2], a[1], a[0]) < std::tie(b[2], b[1], b[0]); };
        std::sort(expected.begin(), expected.end(), porMonto);
        std::sort(printed.begin(), printed.end(), porMonto);
        ASSERT_EQ(printed.size(), expected.size()) << c.why;
        for (size_t i = 0; i < expected.size(); ++i)
            for (size_t j = 0; j < 3; ++j) EXPECT_NEAR(printed[i][j], expected[i][j], j == 0 ? 0.0101 : 0.0051) << c.why << " row " << i;
    }
}

TEST_F(Movements, AMovementOfQuantityZeroPrintsWithoutAUnitPrice) {
    // What broke: the unit price divided the amount by the quantity, 0 included.
    db::TQuery borra;  // the demo's movements of that day out of the way
    borra.DatabaseName = (dir_ / "datos").string();
    borra.SQL.Add("DELETE FROM MovProd WHERE Fecha = '2026-01-01'");
    borra.ExecSQL();
    Fill(tables::MovProd(), {Row{999999, "01", "01", First("SELECT Producto FROM CatInven LIMIT 1"),
                                 db::Value::Date(text::EncodeDate(2026, 1, 1)), 7, "", "AJU0", 0.0, 10.0, 0.0, 0.0, 0.0,
                                 0.0, "001", ""}});
    Play(RMovProd, "set edtFecDesde=01/01/2026\nset edtFecHasta=01/01/2026\nclick btnPreview", "01", "Tienda Centro");
    ASSERT_EQ(Previews().size(), 1u);
    EXPECT_TRUE(std::regex_search(Previews()[0], std::regex("AJU0 +Ajustes +0[.0]* +\\$ ?10\\.00"))) << Previews()[0];
    EXPECT_TRUE(std::regex_search(Previews()[0], std::regex("Total general +0[.0]* +\\$ ?10\\.00")));
}

}  // namespace
