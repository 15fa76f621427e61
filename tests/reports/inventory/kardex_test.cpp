// The kardex's balances: a product with every kind of movement before, inside and after the
// period, opening balance included; and each product of the demo chain beside an independent
// query on the same files.
#include <regex>
#include <sstream>

#include "platform/6_schema/tables.h"
#include "tests/reports/inventory/inventory_fixture.h"

extern "C" void RKardex(const char*, const char*, bool);

namespace {

using Row = db::BatchWriter::Row;

struct Saldos { double inicial = 0, entradas = 0, salidas = 0, final = 0; };

// Per product: "Saldo inicial" on its line, the three figures of "Totales del producto".
std::map<std::string, Saldos> Kardex(const std::string& text) {
    std::map<std::string, Saldos> out;
    std::istringstream lines(text);
    std::string producto;
    auto numero = [](std::string s) {
        std::erase(s, ',');
        return std::stod(s);
    };
    for (std::string line; std::getline(lines, line);) {
        std::istringstream in(line);
        std::vector<std::string> w;
        for (std::string s; in >> s;) w.push_back(s);
        if (line.find("Saldo inicial") != std::string::npos) {
            producto = w.front();
            out[producto].inicial = numero(w.back());
        } else if (line.find("Totales del producto") != std::string::npos && w.size() >= 6) {
            auto& s = out[producto];
            s.entradas = numero(w[w.size() - 3]);
            s.salidas = numero(w[w.size() - 2]);
            s.final = numero(w.back());
        }
    }
    return out;
}

class KardexOfOneProduct : public ReportTest {};

TEST_F(KardexOfOneProduct, OpeningBalanceEntriesExitsAndClosingBalanceOfEveryKind) {
    Fill(tables::Tiendas(), {Row{"01", "Centro", "Madero 12", "", ""}});
    Fill(tables::Deptos(), {Row{"FER", "Ferretería"}});
    Fill(tables::Lineas(), {Row{"001", "Tornillería"}});
    Fill(tables::CatInven(), {Row{"P1", "Tornillo", "FER", "001", 10.0, 9.0, 8.0, 7.0, 6.0, 5.0, "1", "PZA", "", 0.0}});
    Fill(tables::Exist(), {Row{"01", "P1", 50.0, "A-01", 0.0, 0.0}});
    int folio = 0;
    auto mov = [&](int dia, int tipo, double cantidad) {
        return Row{++folio, "01", "01", "P1", db::Value::Date(text::EncodeDate(2026, 3, dia)), tipo, "", "R" + std::to_string(folio),
                   cantidad, 0.0, 0.0, 0.0, 0.0, 0.0, "001", ""};
    };
    // Codes as configured by default: 1 purchases, 2 sales, 4 customer returns, 7 adjustments,
    // 8 losses; 9 is no configured kind.
    Fill(tables::MovProd(), {mov(1, 1, 10),                                 // before the period
                             mov(10, 1, 20), mov(11, 2, 5), mov(12, 4, 1),  // inside it
                             mov(13, 7, -2), mov(14, 7, 3), mov(15, 8, 1), mov(16, 9, 4),
                             mov(25, 2, 7)});                               // after it
    Play(RKardex, "set edtFecDesde=10/03/2026\nset edtFecHasta=20/03/2026\nclick btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    const auto k = Kardex(Previews()[0]);
    ASSERT_TRUE(k.contains("P1")) << Previews()[0];
    const Saldos& s = k.at("P1");
    // Stock now 50; movements from the 10th on add 20 - 5 + 1 - 2 + 3 - 1 + 4 - 7 = 13.
    EXPECT_DOUBLE_EQ(s.inicial, 37);
    EXPECT_DOUBLE_EQ(s.entradas, 20 + 1 + 3 + 4);
    EXPECT_DOUBLE_EQ(s.salidas, 5 + 2 + 1);
    EXPECT_DOUBLE_EQ(s.final, 57);
    for (const char* kind : {"Compras", "Ventas", "Devolución x ventas", "Ajustes", "Perdidas", "Otros Movs."})
        EXPECT_NE(Previews()[0].find(kind), std::string::npos) << kind;
    EXPECT_TRUE(std::regex_search(Previews()[0], std::regex("R6 +Ajustes +3[.0]* +54[.0]*\\b"))) << "running balance";
    EXPECT_EQ(Previews()[0].find("R1 "), std::string::npos) << "a movement before the period";
    EXPECT_TRUE(std::regex_search(Previews()[0], std::regex("Todas las tiendas")));
}

class KardexOfTheDemo : public InventoryDemo {};

TEST_F(KardexOfTheDemo, EveryProductsBalancesEqualAnIndependentQuery) {
    struct Case { const char* why; std::string desde, hasta, ini, fin; };
    const Case kCases[] = {
        {"both days: opening is the stock before any movement", "01/01/2026", "02/01/2026", "2026-01-01", "2026-01-02"},
        {"second day: the first day's movements are in the opening", "02/01/2026", "02/01/2026", "2026-01-02", "2026-01-02"},
    };
    // The signed quantity by the demo's codes, written here on its own.
    const std::string neto = "CASE WHEN M.TipoMov IN (1, 4, 5) THEN M.Cantidad WHEN M.TipoMov IN (2, 3, 6, 8) THEN -M.Cantidad ELSE M.Cantidad END";
    for (const auto& c : kCases) {
        report::CloseAllPreviews();
        sink_->texts.clear();
        auto d = Play(RKardex, "pick lkcmbTiendas Tienda Centro\nfocus edtProdIni\nset edtFecDesde=" + c.desde +
                                   "\nset edtFecHasta=" + c.hasta + "\nclick btnPreview", "01", "Tienda Centro");
        ASSERT_EQ(Previews().size(), 1u) << c.why << (d->Failures().empty() ? "" : d->Failures()[0]);
        const auto k = Kardex(Previews()[0]);
        const std::string enPeriodo = "M.Producto = C.Producto AND M.Tienda = '01' AND M.Fecha BETWEEN '" + c.ini + "' AND '" + c.fin + "'";
        const auto expected = Rows(
            "SELECT C.Producto, "
            " COALESCE((SELECT SUM(E.Existencia) FROM Exist E WHERE E.Producto = C.Producto AND E.Tienda = '01'), 0), "
            " COALESCE((SELECT SUM(" + neto + ") FROM MovProd M WHERE M.Producto = C.Producto AND M.Tienda = '01' AND M.Fecha >= '" + c.ini + "'), 0), "
            " COALESCE((SELECT SUM(CASE WHEN " + neto + " > 0 THEN " + neto + " ELSE 0 END) FROM MovProd M WHERE " + enPeriodo + "), 0), "
            " COALESCE((SELECT SUM(CASE WHEN " + neto + " < 0 THEN -(" + neto + ") ELSE 0 END) FROM MovProd M WHERE " + enPeriodo + "), 0) "
            "FROM CatInven C");
        ASSERT_EQ(k.size(), expected.size()) << c.why;
        int conMovimientos = 0;
        for (const auto& [producto, v] : expected) {
            const Saldos& s = k.at(producto);
            const double inicial = v[0] - v[1];
            EXPECT_NEAR(s.inicial, inicial, 0.0005) << c.why << " " << producto;
            EXPECT_NEAR(s.entradas, v[2], 0.0005) << c.why << " " << producto;
            EXPECT_NEAR(s.salidas, v[3], 0.0005) << c.why << " " << producto;
            EXPECT_NEAR(s.final, inicial + v[2] - v[3], 0.0005) << c.why << " " << producto;
            conMovimientos += v[2] + v[3] > 0;
        }
        EXPECT_GT(conMovimientos, 0) << c.why;
        EXPECT_FALSE(std::regex_search(Previews()[0], std::regex("Todas las tiendas"))) << c.why;
    }
}

}  // namespace
