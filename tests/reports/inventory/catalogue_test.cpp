// The product catalogue's figures (stock, the four price levels, the minimum price and cost)
// beside an independent query on the same demo files, for each kind of criterion.
#include <regex>

#include "tests/reports/inventory/inventory_fixture.h"

extern "C" void RCatInventario(const char*, const char*, bool);

namespace {

// What the query of the test reads for one product: stock, PrecioP..PrecioMin, Costo.
constexpr const char* kSelect =
    "SELECT E.Producto, E.Existencia, C.PrecioP, C.Precio2, C.Precio3, C.Precio4, C.PrecioMin, C.Costo "
    "FROM Exist E, CatInven C WHERE E.Producto = C.Producto AND E.Tienda = '01' AND ";

struct Case {
    const char* why;
    std::string script;  // "{K}" stands for the 40th product the store stocks
    std::string where;   // the same selection in the test's own words
};

class Catalogue : public InventoryDemo {};

TEST_F(Catalogue, FiguresEqualTheStockAndPricesOfTheChosenProducts) {
    const std::string k = First("SELECT Producto FROM Exist WHERE Tienda = '01' ORDER BY Producto LIMIT 1 OFFSET 39");
    ASSERT_FALSE(k.empty());
    const Case kCases[] = {
        {"whole range", "", "1 = 1"},
        {"only a final product", "set edtProdFin={K}\nfocus edtLinea2", "E.Producto <= '{K}'"},
        {"a line pattern", "set edtLinea2=00???\nfocus cmbOrdenarPor", "C.Linea LIKE '00%'"},
        {"one line", "set edtLinea2=013\nfocus cmbOrdenarPor", "C.Linea = '013'"},
        {"only a final department", "pick lkcmbDepHasta FER\nfocus edtLinea2", "C.Depto <= 'FER'"},
        {"zero or negative stock", "pick rdgpCriterio Con existencias cero o negativas", "E.Existencia <= 0"},
        {"stock criterion", "pick rdgpCriterio Criterio\npick cmbCriterio >=\nset edtCriterio=150", "E.Existencia >= 150"},
        {"criterion typed with thousands", "pick rdgpCriterio Criterio\npick cmbCriterio <\nset edtCriterio=1,000",
         "E.Existencia < 1000"},
        {"all products ignore the criterion", "pick rdgpCriterio Criterio\nset edtCriterio=150\npick rdgpCriterio Todos los productos",
         "1 = 1"},
    };
    for (const auto& c : kCases) {
        report::CloseAllPreviews();
        sink_->texts.clear();
        const std::string script = std::regex_replace(c.script, std::regex("\\{K\\}"), k);
        const std::string where = std::regex_replace(c.where, std::regex("\\{K\\}"), k);
        auto d = Play(RCatInventario, script + "\nclick btnPreview", "01", "Tienda Centro");
        ASSERT_EQ(Previews().size(), 1u) << c.why << (d->Failures().empty() ? "" : d->Failures()[0]);
        const auto expected = Rows(kSelect + where);
        const auto printed = Printed(Previews()[0], 7);
        EXPECT_EQ(printed.size(), expected.size()) << c.why;
        for (const auto& [key, v] : expected)
            if (std::none_of(printed.begin(), printed.end(), [&](const auto& p) { return p.first == key; }))
                ADD_FAILURE() << c.why << ": not printed " << key;
        double stock = 0;
        for (const auto& [key, v] : expected) stock += v[0];
        for (const auto& [key, got] : printed) {
            const auto it = expected.find(key);
            ASSERT_NE(it, expected.end()) << c.why << ": printed " << key;
            // Costo stands for the last cost; Precio... as stored.
            for (size_t i = 0; i < 7; ++i) EXPECT_NEAR(got[i], it->second[i], 0.0051) << c.why << " " << key << " column " << i;
        }
        std::smatch m;
        ASSERT_TRUE(std::regex_search(Previews()[0], m, std::regex("Existencias listadas: +(-?[0-9,]*\\.[0-9]+)"))) << c.why;
        EXPECT_NEAR(std::stod(std::regex_replace(m[1].str(), std::regex(","), "")), stock, 0.0005) << c.why;
        EXPECT_TRUE(std::regex_search(Previews()[0], std::regex("Productos listados: +" + std::to_string(expected.size()) + " ")))
            << c.why;
    }
}

}  // namespace

namespace {

TEST_F(Catalogue, NoCriteriaShowTodosForProductsAndDepartmentsAndABoldTodasForTheLine) {
    Play(RCatInventario, "click btnPreview", "01", "Tienda Centro");
    ASSERT_EQ(Previews().size(), 1u);
    EXPECT_TRUE(std::regex_search(Previews()[0], std::regex("Productos +Todos +Departamentos +Todos +Línea +Todas")));
}

}  // namespace
