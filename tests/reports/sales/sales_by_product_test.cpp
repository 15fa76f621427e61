// Sales by product: each product's quantity and amount before taxes in each period, and the
// range's total, against SQLite reading the same movement and catalogue files on its own;
// the summary kinds a range allows; the thresholds.
#include <sqlite3.h>

#include <cmath>
#include <map>
#include <regex>
#include <sstream>

#include "host/razir/demo/generator.h"
#include "reports/framework/tables.h"
#include "tests/reports/report_fixture.h"

extern "C" void RVenXProducto(const char*, const char*, bool);

namespace {

// Quantity in thousandths (grams: the demo's quantity decimals) and amount in cents of a
// product in a period.
struct Cifras {
    long long cant = 0, monto = 0;
    friend bool operator==(const Cifras&, const Cifras&) = default;
};
std::ostream& operator<<(std::ostream& o, const Cifras& c) { return o << c.cant << " " << c.monto; }
// "<product> <last day of the period>" -> figures; "" for the range's total.
using Tabla = std::map<std::string, Cifras>;

long long Numero(const std::string& s, int escala) {
    std::string d;
    for (char c : s)
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.') d += c;
    return std::llround(std::stod(d) * escala);
}

Tabla LeeReporte(const std::string& text) {
    static const std::regex periodo(R"(^\d\d/\d\d/\d{4}\s+al\s+(\d\d)/(\d\d)/(\d{4}))");
    static const std::regex producto(R"(^\s+(\d+)\s.*\s([-\d.,]+)\s+\$\s*([-\d,]+\.\d\d)\s*$)");
    static const std::regex total(R"(^Venta total del rango.*\s([-\d.,]+)\s+\$\s*([-\d,]+\.\d\d)\s*$)");
    Tabla t;
    std::string fin;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
        std::smatch m;
        if (std::regex_search(l, m, periodo)) fin = m[3].str() + "-" + m[2].str() + "-" + m[1].str();
        else if (std::regex_search(l, m, total)) t[""] = {Numero(m[1], 1000), Numero(m[2], 100)};
        else if (std::regex_search(l, m, producto)) t[m[1].str() + " " + fin] = {Numero(m[2], 1000), Numero(m[3], 100)};
    }
    return t;
}

struct Consulta {
    std::string fin;      // SQL of a movement's period end
    std::string desde, hasta;
    std::string donde;    // conditions on M (movements) and I (catalogue) for the lines
    std::string dondeTotal;  // conditions the range's total takes
    double minCant = 0, minMonto = 0;
};

Tabla Calcula(const fs::path& datos, const Consulta& c) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2((datos / "MovProd.DB").c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    const std::string attach = "ATTACH '" + (datos / "CatInven.DB").string() + "' AS cat";
    EXPECT_EQ(sqlite3_exec(db, attach.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    const std::string neto = "M.MontoAcum - M.MontoImp1 - M.MontoImp2 - M.MontoImp3 - M.MontoImp4";
    const std::string base = " FROM MovProd M JOIN cat.CatInven I ON I.Producto = M.Producto WHERE M.TipoMov = 2"
                             " AND COALESCE(M.TipoProd, '') <> 'K' AND M.Fecha BETWEEN '" + c.desde + "' AND '" +
                             c.hasta + "'";
    const std::string lineas = "SELECT M.Producto || ' ' || MIN(" + c.fin + ", '" + c.hasta + "') AS k, "
                               "ROUND(SUM(M.Cantidad) * 1000), ROUND(SUM(" + neto + ") * 100)" + base + c.donde +
                               " GROUP BY k, M.Producto HAVING SUM(M.Cantidad) > " + std::to_string(c.minCant) +
                               " AND SUM(" + neto + ") > " + std::to_string(c.minMonto);
    const std::string total = "SELECT '', ROUND(SUM(M.Cantidad) * 1000), ROUND(SUM(" + neto + ") * 100) FROM MovProd M"
                              " WHERE M.TipoMov = 2 AND COALESCE(M.TipoProd, '') <> 'K' AND M.Fecha BETWEEN '" +
                              c.desde + "' AND '" + c.hasta + "'" + c.dondeTotal;
    Tabla t;
    for (const std::string& sql : {lineas, total}) {
        sqlite3_stmt* st = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sql << sqlite3_errmsg(db);
        while (st && sqlite3_step(st) == SQLITE_ROW)
            t[reinterpret_cast<const char*>(sqlite3_column_text(st, 0))] = {sqlite3_column_int64(st, 1),
                                                                             sqlite3_column_int64(st, 2)};
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return t;
}

constexpr const char* kFinDia = "M.Fecha";
constexpr const char* kFinSemana = "date(M.Fecha, 'weekday 6')";
constexpr const char* kFinQuincena =
    "CASE WHEN strftime('%d', M.Fecha) <= '15' THEN strftime('%Y-%m-15', M.Fecha) "
    "ELSE date(M.Fecha, 'start of month', '+1 month', '-1 day') END";
constexpr const char* kFinMes = "date(M.Fecha, 'start of month', '+1 month', '-1 day')";

std::string Fecha(const std::string& iso) { return iso.substr(8, 2) + "/" + iso.substr(5, 2) + "/" + iso.substr(0, 4); }

class SalesByProduct : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        config_.DecCantidad = 3;  // weighed products sell in grams
        razir::demo::Options o;
        o.stores = 2;
        o.registers = 2;
        o.products = 40;
        o.days = 20;
        o.from = text::EncodeDate(2028, 2, 12);  // across a leap February's end
        razir::demo::Generate(o, dir_ / "datos");
    }
};

TEST_F(SalesByProduct, EveryProductOfEveryPeriodAndTheRangeTotalMatchTheMovements) {
    struct Case {
        const char* nombre;
        const char* pasos;
        Consulta c;
    };
    const Case cases[] = {
        {"whole range by month", "", {kFinMes, "2028-02-01", "2028-03-02", "", ""}},
        {"one store by week", "pick lkcmbTiendas 02\nclick rbtnSemanal",
         {kFinSemana, "2028-02-12", "2028-03-02", " AND M.Tienda = '02'", " AND M.Tienda = '02'"}},
        {"one cashier by fortnight", "pick lkcmbCajero 001\nclick rbtnQuincenal",
         {kFinQuincena, "2028-02-12", "2028-03-02", " AND M.Usuario = '001'", " AND M.Usuario = '001'"}},
        {"one seller by day", "pick lkcmbVendedor 009\nclick rbtnDiario",
         {kFinDia, "2028-02-20", "2028-02-25", " AND M.Vendedor = '009'", " AND M.Vendedor = '009'"}},
        {"a line pattern and a department range", "set edtLinea2=00???\npick lkcmbDepDesde ABA\npick lkcmbDepHasta LAC",
         {kFinMes, "2028-02-01", "2028-03-02", " AND I.Linea LIKE '00%' AND I.Depto BETWEEN 'ABA' AND 'LAC'", ""}},
        {"thresholds on quantity and amount", "set edtUnidades=10\nset edtMonto=500",
         {kFinMes, "2028-02-01", "2028-03-02", "", "", 10, 500}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nombre);
        report::CloseAllPreviews();
        sink_->texts.clear();
        auto d = Play(RVenXProducto, "set edtFecHasta=" + Fecha(c.c.hasta) + "\nset edtFecDesde=" + Fecha(c.c.desde) +
                                         "\n" + c.pasos + "\nclick btnPreview");
        EXPECT_TRUE(d->Failures().empty()) << d->Failures().front();
        ASSERT_EQ(Previews().size(), 1u);
        const Tabla sql = Calcula(dir_ / "datos", c.c);
        ASSERT_GT(sql.size(), 3u) << "the case selects some sales";
        const Tabla rep = LeeReporte(Previews()[0]);
        for (const auto& [k, v] : sql) {
            const auto it = rep.find(k);
            if (it == rep.end()) ADD_FAILURE() << "missing from the report: " << k << " " << v;
            else EXPECT_EQ(it->second, v) << k;
        }
        for (const auto& [k, v] : rep)
            if (!sql.count(k)) ADD_FAILURE() << "not in the movements: " << k << " " << v;
    }
}

}  // namespace
