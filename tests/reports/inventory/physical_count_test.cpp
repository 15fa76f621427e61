// The physical count sheet's figures (system stock per product) beside an independent query on
// the same demo files, for each stock condition and kind of range.
#include <regex>

#include "tests/reports/inventory/inventory_fixture.h"

extern "C" void RInvFisico(const char*, const char*, bool);

namespace {

class PhysicalCount : public InventoryDemo {};

TEST_F(PhysicalCount, FiguresEqualTheStockOfTheChosenProducts) {
    const std::string k = First("SELECT Producto FROM Exist WHERE Tienda = '01' ORDER BY Producto LIMIT 1 OFFSET 49");
    struct Case { const char* why; std::string script, where; };
    const Case kCases[] = {
        {"radio group untouched: stock above zero", "", "E.Existencia > 0"},
        {"every product", "pick rdgpCriterio Todos los productos", "1 = 1"},
        {"zero or negative stock", "pick rdgpCriterio Con existencias cero o negativas", "E.Existencia <= 0"},
        {"criterion", "pick rdgpCriterio Criterio\npick cmbCriterio <\nset edtCriterio=100", "E.Existencia < 100"},
        {"only a final product, every product", "set edtProdFin=" + k + "\nfocus edtLinea2\npick rdgpCriterio Todos los productos",
         "E.Producto <= '" + k + "'"},
        {"a line pattern, zero or negative", "set edtLinea2=0??\nfocus cmbOrdenadoPor\npick rdgpCriterio Con existencias cero o negativas",
         "C.Linea LIKE '0__' AND E.Existencia <= 0"},
        {"a department range", "pick lkcmbDepDesde HOG\npick lkcmbDepHasta LIM\npick rdgpCriterio Todos los productos",
         "C.Depto BETWEEN 'HOG' AND 'LIM'"},
    };
    for (const auto& c : kCases) {
        report::CloseAllPreviews();
        sink_->texts.clear();
        auto d = Play(RInvFisico, c.script + "\nclick btnPreview", "01", "Tienda Centro");
        ASSERT_EQ(Previews().size(), 1u) << c.why << (d->Failures().empty() ? "" : d->Failures()[0]);
        const auto expected = Rows("SELECT E.Producto, E.Existencia FROM CatInven C, Exist E "
                                   "WHERE E.Producto = C.Producto AND E.Tienda = '01' AND " + c.where);
        auto printed = Printed(Previews()[0], 1);
        std::erase_if(printed, [](const auto& p) { return p.first.rfind("75", 0) != 0; });  // page numbers
        EXPECT_EQ(printed.size(), expected.size()) << c.why;
        for (const auto& [key, got] : printed) {
            const auto it = expected.find(key);
            ASSERT_NE(it, expected.end()) << c.why << ": printed " << key;
            EXPECT_NEAR(got[0], it->second[0], 0.0005) << c.why << " " << key;
        }
        EXPECT_TRUE(std::regex_search(Previews()[0], std::regex("Productos listados: +" + std::to_string(expected.size()) + "\\b")))
            << c.why;
    }
}

TEST_F(PhysicalCount, AChosenLineRemovesTheLineColumnAndTheHeadingShowsTheLine) {
    Play(RInvFisico, "set edtLinea2=005\nfocus cmbOrdenadoPor\nclick btnPreview", "01", "Tienda Centro");
    ASSERT_EQ(Previews().size(), 1u);
    const std::string& t = Previews()[0];
    EXPECT_TRUE(std::regex_search(t, std::regex("Línea +005 +\\S"))) << "line key and description";
    EXPECT_FALSE(std::regex_search(t, std::regex("Descripción +Línea"))) << "no line column";
    EXPECT_FALSE(std::regex_search(t, std::regex("\\b005 +[A-F]-\\d\\d"))) << "no line value before the shelf";
}

TEST_F(PhysicalCount, OrderedByStockAscending) {
    Play(RInvFisico, "pick cmbOrdenadoPor Existencia\nclick btnPreview", "01", "Tienda Centro");
    ASSERT_EQ(Previews().size(), 1u);
    auto printed = Printed(Previews()[0], 1);
    std::erase_if(printed, [](const auto& p) { return p.first.rfind("75", 0) != 0; });
    ASSERT_GT(printed.size(), 2u);
    for (size_t i = 1; i < printed.size(); ++i) EXPECT_LE(printed[i - 1].second[0], printed[i].second[0]);
}

}  // namespace
