// The price list's figures (public price and the chosen other price) beside an independent
// query on the same demo files; the customers' list prints the public price alone.
#include <regex>

#include "tests/reports/inventory/inventory_fixture.h"

extern "C" void RListaPrecios(const char*, const char*, bool);

namespace {

class PriceList : public InventoryDemo {};

TEST_F(PriceList, FiguresEqualTheStoredPricesOfTheChosenProducts) {
    const std::string k = First("SELECT Producto FROM Exist WHERE Tienda = '01' ORDER BY Producto LIMIT 1 OFFSET 29");
    struct Case { const char* why; std::string script, price, where; };
    const Case kCases[] = {
        {"whole range, layout's other price", "", "Precio2", "1 = 1"},
        {"only a final product", "set edtProdFin=" + k + "\nfocus edtLinea2", "Precio2", "E.Producto <= '" + k + "'"},
        {"a line pattern and Precio 4", "set edtLinea2=01???\nfocus cmbPrecImp\npick cmbPrecImp Precio 4", "Precio4",
         "C.Linea LIKE '01%'"},
        {"a department range and the minimum price", "pick lkcmbDepDesde ABA\npick lkcmbDepHasta ELE\npick cmbPrecImp Precio mínimo",
         "PrecioMin", "C.Depto BETWEEN 'ABA' AND 'ELE'"},
    };
    for (const auto& c : kCases) {
        report::CloseAllPreviews();
        sink_->texts.clear();
        auto d = Play(RListaPrecios, c.script + "\nclick btnPreview", "01", "Tienda Centro");
        ASSERT_EQ(Previews().size(), 1u) << c.why << (d->Failures().empty() ? "" : d->Failures()[0]);
        const auto expected = Rows("SELECT C.Producto, C.PrecioP, C." + c.price +
                                   " FROM CatInven C, Exist E WHERE E.Producto = C.Producto AND E.Tienda = '01' AND " + c.where);
        const auto printed = Printed(Previews()[0], 2);
        ASSERT_FALSE(expected.empty()) << c.why;
        EXPECT_EQ(printed.size(), expected.size()) << c.why;
        for (const auto& [key, got] : printed) {
            const auto it = expected.find(key);
            ASSERT_NE(it, expected.end()) << c.why << ": printed " << key;
            EXPECT_NEAR(got[0], it->second[0], 0.0051) << c.why << " " << key;
            EXPECT_NEAR(got[1], it->second[1], 0.0051) << c.why << " " << key;
        }
        EXPECT_TRUE(std::regex_search(Previews()[0], std::regex("Productos listados: +" + std::to_string(expected.size()) + "\\b")))
            << c.why;
    }
}

TEST_F(PriceList, CustomersSeeThePublicPriceAloneWhateverPriceIsChosen) {
    Play(RListaPrecios, "pick cmbPrecImp Precio 3\nset chkListaCliente=1\nclick btnPreview", "01", "Tienda Centro");
    ASSERT_EQ(Previews().size(), 1u);
    const auto expected = Rows("SELECT C.Producto, C.PrecioP FROM CatInven C, Exist E WHERE E.Producto = C.Producto AND E.Tienda = '01'");
    auto printed = Printed(Previews()[0], 1);
    std::erase_if(printed, [&](const auto& p) { return !expected.contains(p.first); });  // page numbers
    EXPECT_EQ(printed.size(), expected.size());
    for (const auto& [key, got] : printed) EXPECT_NEAR(got[0], expected.at(key)[0], 0.0051) << key;
    EXPECT_TRUE(Printed(Previews()[0], 2).empty()) << "no second price column";
    EXPECT_EQ(Previews()[0].find("Precio 3"), std::string::npos);
}

TEST_F(PriceList, OrderedByThePriceToPrintHighestLast) {
    Play(RListaPrecios, "pick cmbPrecImp Precio 3\npick cmbOrdenarPor Precio imprimir\nclick btnPreview", "01", "Tienda Centro");
    ASSERT_EQ(Previews().size(), 1u);
    const auto printed = Printed(Previews()[0], 2);
    ASSERT_GT(printed.size(), 2u);
    for (size_t i = 1; i < printed.size(); ++i) EXPECT_LE(printed[i - 1].second[1], printed[i].second[1]) << printed[i].first;
}

}  // namespace
