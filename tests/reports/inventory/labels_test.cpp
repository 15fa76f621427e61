// The continuous labels beside an independent query on the same demo files: how many labels
// each product gets and the price each shows, and the label table gone on every way out.
#include <cmath>
#include <regex>

#include "tests/reports/inventory/inventory_fixture.h"

extern "C" void REtiqueta(const char*, const char*, bool);

namespace {

class Labels : public InventoryDemo {
protected:
    // Label tables left in the data folder.
    int LabelTables() const {
        int n = 0;
        for (const auto& e : fs::directory_iterator(dir_ / "datos"))
            if (e.path().filename().string().rfind("tblTemp", 0) == 0) ++n;
        return n;
    }
    // The printed labels: each key line followed, a line or two on, by its "$" price.
    static std::vector<std::pair<std::string, double>> Labelled(const std::string& text,
                                                                 const std::map<std::string, std::vector<double>>& keys) {
        std::vector<std::pair<std::string, double>> out;
        std::istringstream lines(text);
        std::string pending;
        for (std::string line; std::getline(lines, line);) {
            std::istringstream words(line);
            std::vector<std::string> w;
            for (std::string s; words >> s;) w.push_back(s);
            if (w.size() == 1 && keys.contains(w[0]) && pending.empty()) { pending = w[0]; continue; }
            // The price is the money-masked line; a description may end in a number too.
            if (pending.empty() || line.find('$') == std::string::npos) continue;
            std::string s = w.back();
            std::erase(s, '$');
            std::erase(s, ',');
            char* end = nullptr;
            const double d = std::strtod(s.c_str(), &end);
            if (s.empty() || *end) continue;
            out.emplace_back(pending, d);
            pending.clear();
        }
        return out;
    }
};

TEST_F(Labels, CountsAndPricesEqualTheCatalogue) {
    const std::string k = First("SELECT Producto FROM CatInven ORDER BY Producto LIMIT 1 OFFSET 29");
    // Labels per product as the catalogue's stock gives them: whole units, none below one.
    struct Case { const char* why; std::string script, labels, where; };
    const Case kCases[] = {
        {"whole range, one label per whole unit of stock", "",
         "CASE WHEN Existencia >= 1 THEN CAST(Existencia AS INTEGER) ELSE 0 END", "1 = 1"},
        {"only a final product, three copies each", "set edtProdFin=" + k + "\npick rgrpEtiqueta #1\nset spnEtiqueta=3",
         "3", "Producto <= '" + k + "'"},
        {"a line pattern, half the stock", "set edtLinea2=01???\nfocus edtProdIni\npick rgrpEtiqueta #2\nset spnEtiqueta=50",
         "CASE WHEN Existencia * 50 / 100.0 >= 1 THEN CAST(Existencia * 50 / 100.0 AS INTEGER) ELSE 0 END",
         "Linea LIKE '01%'"},
    };
    for (const auto& c : kCases) {
        report::CloseAllPreviews();
        sink_->texts.clear();
        auto d = Play(REtiqueta, c.script + "\nclick btnPreview");
        ASSERT_EQ(Previews().size(), 1u) << c.why << (d->Failures().empty() ? "" : d->Failures()[0]);
        const auto expected = Rows("SELECT Producto, " + c.labels + ", PrecioP FROM CatInven WHERE " + c.where);
        std::map<std::string, int> counted;
        for (const auto& [key, price] : Labelled(Previews()[0], expected)) {
            ++counted[key];
            EXPECT_NEAR(price, expected.at(key)[1], 0.0051) << c.why << " " << key;
        }
        int total = 0;
        for (const auto& [key, v] : expected) {
            total += static_cast<int>(v[0]);
            EXPECT_EQ(counted[key], static_cast<int>(v[0])) << c.why << " " << key;
        }
        EXPECT_GT(total, 0) << c.why;
        EXPECT_EQ(LabelTables(), 0) << c.why << ": the label table stayed after Preview";
    }
}

TEST_F(Labels, TheLabelTableGoesOnEveryWayOut) {
    struct Case { const char* why; std::string script; bool layout; };
    const Case kCases[] = {
        {"Cancel after a preview", "click btnPreview\nclick btnCancelar", true},
        {"Preview without a layout", "set edtReporte=" + (dir_ / "Reportes" / "NoExiste.QR2").string() + "\nclick btnPreview\nclick btnCancelar", false},
        {"Print without a layout", "set edtReporte=" + (dir_ / "Reportes" / "NoExiste.QR2").string() + "\nclick btnImprimir\nclick btnCancelar", false},
    };
    for (const auto& c : kCases) {
        report::CloseAllPreviews();
        sink_->texts.clear();
        auto d = Play(REtiqueta, c.script);
        EXPECT_TRUE(d->Failures().empty()) << c.why << (d->Failures().empty() ? "" : d->Failures()[0]);
        EXPECT_EQ(Previews().size(), c.layout ? 1u : 0u) << c.why;
        EXPECT_EQ(LabelTables(), 0) << c.why;
    }
}

TEST_F(Labels, APercentageAboveNinetyNineIsCutTo99) {
    // Fixed 150 copies, then the percentage item: the spin edit keeps at most 99.
    sink_->texts.clear();
    Play(REtiqueta, "pick rgrpEtiqueta #1\nset spnEtiqueta=150\npick rgrpEtiqueta #2\nclick btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    const auto expected = Rows("SELECT Producto, CASE WHEN Existencia * 99 / 100.0 >= 1 THEN CAST(Existencia * 99 / 100.0 AS INTEGER) ELSE 0 END, PrecioP FROM CatInven");
    size_t total = 0;
    for (const auto& [key, v] : expected) total += static_cast<size_t>(v[0]);
    EXPECT_EQ(Labelled(Previews()[0], expected).size(), total);
}

}  // namespace
