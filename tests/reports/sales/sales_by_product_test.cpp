// Sales by product: each product's quantity and amount before taxes in each period, and the
// range's total, against SQLite reading the same movement and catalogue files on its own;
// the summary kinds a range allows; the thresholds.
#include <sqlite3.h>

#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "host/razir/demo/generator.h"
#include "platform/6_schema/tables.h"
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
    static const std::regex producto(R"(^ {3}(\S+)\s.*\s([-\d.,]+)\s+\$\s*([-\d,]+\.\d\d)\s*$)");
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

// Row by row, naming each row that differs or is only on one side.
void MismasCifras(const Tabla& reporte, const Tabla& sql) {
    for (const auto& [k, v] : sql) {
        const auto it = reporte.find(k);
        if (it == reporte.end()) ADD_FAILURE() << "missing from the report: " << k << " " << v;
        else EXPECT_EQ(it->second, v) << k;
    }
    for (const auto& [k, v] : reporte)
        if (!sql.count(k)) ADD_FAILURE() << "not in the movements: " << k << " " << v;
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
        MismasCifras(LeeReporte(Previews()[0]), sql);
    }
}

}  // namespace

namespace {

using Row = db::BatchWriter::Row;

// A row of `def` with the named fields set and every other one null.
Row Fila(const db::TableDef& def, std::initializer_list<std::pair<const char*, db::Value>> campos) {
    Row r(def.fields.size());
    for (const auto& [nombre, valor] : campos) {
        size_t i = 0;
        while (i < def.fields.size() && def.fields[i].name != nombre) ++i;
        EXPECT_LT(i, def.fields.size()) << nombre;
        if (i < def.fields.size()) r[i] = valor;
    }
    return r;
}

class SalesByProductSmall : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        const auto tie = tables::Tiendas(), usr = tables::Usuarios(), inv = tables::CatInven(), caj = tables::Cajas();
        Fill(tie, {Fila(tie, {{"Tienda", "01"}, {"Descripcio", "Centro"}})});
        Fill(usr, {Fila(usr, {{"Usuario", "001"}, {"Nombre", "Ana Ruiz"}, {"TipoUsr", "C"}}),
                   Fila(usr, {{"Usuario", "002"}, {"Nombre", "Beto Paz"}, {"TipoUsr", "C"}})});
        Fill(inv, {Fila(inv, {{"Producto", "A"}, {"Descripcio", "Aceite"}}),
                   Fila(inv, {{"Producto", "B"}, {"Descripcio", "Blusa"}}),
                   Fila(inv, {{"Producto", "K"}, {"Descripcio", "Paquete"}})});
        Fill(caj, {Fila(caj, {{"Tienda", "01"}, {"Caja", "01"}, {"Descripcio", "Caja 1"}, {"BLectOp", false}})});
        Fill(tables::Deptos(), {});
        Fill(tables::Lineas(), {});
        Fill(tables::FecEst(), {});
        config_.TiendaActual = "01";
        config_.CajaActual = "01";
        config_.FechaTrabajo = text::EncodeDate(2026, 3, 2);
    }
    void Movimientos(std::initializer_list<Row> filas) { Fill(tables::MovProd(), filas); }
    Row Mov(int folio, const char* prod, int tipoMov, const char* tipoProd, double cant, double monto,
            std::array<double, 4> imp) {
        const auto def = tables::MovProd();
        return Fila(def, {{"Folio", folio}, {"Tienda", "01"}, {"Caja", "01"}, {"Producto", prod},
                          {"Fecha", "2026-03-02"}, {"TipoMov", tipoMov}, {"TipoProd", tipoProd},
                          {"Cantidad", cant}, {"MontoAcum", monto}, {"MontoImp1", imp[0]},
                          {"MontoImp2", imp[1]}, {"MontoImp3", imp[2]}, {"MontoImp4", imp[3]},
                          {"Usuario", "001"}});
    }
};

// The lines were net of the first two taxes only while the total was net of all four, and the
// amount threshold was tested against the amount with taxes.
TEST_F(SalesByProductSmall, LinesTotalAndThresholdAllCountTheAmountBeforeTheFourTaxes) {
    Movimientos({Mov(1, "A", 2, "", 2, 130, {10, 5, 8, 7}),   // before taxes 100
                 Mov(2, "B", 2, "", 1, 60, {10, 0, 45, 0}),   // 5 before taxes, 60 with them
                 Mov(3, "K", 2, "K", 1, 999, {0, 0, 0, 0}),   // a package: its components carry it
                 Mov(4, "A", 1, "", 50, 5000, {0, 0, 0, 0})}); // a purchase, not a sale
    Play(RVenXProducto, "set edtFecDesde=02/03/2026\nset edtFecHasta=02/03/2026\nset edtMonto=50\nclick btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    const Tabla t = LeeReporte(Previews()[0]);
    const Tabla esperado{{"A 2026-03-02", {2000, 10000}}, {"", {3000, 10500}}};
    EXPECT_EQ(t, esperado) << Previews()[0];
}

// Direct mode summed every cashier's lines of the day; it now counts the paid notes of the
// cashier passed in, the package lines through their components.
TEST_F(SalesByProductSmall, DirectModePrintsTheCashiersPaidNotesOfTheDayPassedIn) {
    if (std::system("command -v pdftotext > /dev/null") != 0) GTEST_SKIP() << "pdftotext missing";
    const text::TDateTime dia = text::EncodeDate(2026, 3, 3);
    auto v = tables::DayTable(tables::DayKind::Ventas, tables::DayFileStem("01", dia));
    auto d = tables::DayTable(tables::DayKind::Detalle, tables::DayFileStem("01", dia));
    for (auto* def : {&v, &d}) def->name.resize(def->name.size() - 3);  // Fill adds ".DB"
    auto nota = [&](const char* n, const char* cajero, const char* status) {
        return Fila(v, {{"Nota", n}, {"Caja", "01"}, {"Cajero", cajero}, {"Status", status}});
    };
    auto linea = [&](const char* n, int renglon, const char* prod, const char* tipo, double cant, double total) {
        return Fila(d, {{"Nota", n}, {"Caja", "01"}, {"Renglon", renglon}, {"Producto", prod}, {"TipoProducto", tipo},
                        {"Cantidad", cant}, {"TotPartida", total}, {"TotImp1", total * 0.16 / 1.16},
                        {"TotImp2", 0.0}, {"TotImp3", 0.0}, {"TotImp4", 0.0}});
    };
    Fill(v, {nota("1", "001", "N"), nota("2", "002", "N"), nota("3", "001", "C")});
    Fill(d, {linea("1", 1, "A", "", 3, 116), linea("1", 2, "K", "K", 1, 232), linea("1", 3, "B", "P", 1, 232),
             linea("2", 1, "A", "", 7, 1160), linea("3", 1, "A", "", 9, 580)});
    struct Case {
        bool cuarenta;
        const char* pdf;
    };
    for (const Case c : {Case{false, "RCVenPro.pdf"}, Case{true, "RCVenPro40.pdf"}}) {
        SCOPED_TRACE(c.pdf);
        const auto caj = tables::Cajas();
        fs::remove(dir_ / "datos" / "Cajas.DB");
        Fill(caj, {Fila(caj, {{"Tienda", "01"}, {"Caja", "01"}, {"Descripcio", "Caja 1"}, {"BLectOp", c.cuarenta}})});
        const fs::path antes = fs::current_path();
        fs::current_path(dir_);  // no system printer here: the print lands in the working folder
        RVenXProducto("001", "03/03/2026", true);
        fs::current_path(antes);
        const fs::path pdf = dir_ / c.pdf;
        ASSERT_TRUE(fs::exists(pdf));
        const fs::path txt = dir_ / "directo.txt";
        ASSERT_EQ(std::system(("pdftotext -layout " + pdf.string() + " " + txt.string()).c_str()), 0);
        std::ifstream in(txt);
        const std::string t{std::istreambuf_iterator<char>(in), {}};
        // Note 1 only: A 3 units, 100.00 before tax; B (the package's component) 1 unit, 200.00.
        EXPECT_TRUE(std::regex_search(t, std::regex(R"(\bA\s+(Aceite\s+)?3\.00\s+\$ 100\.00)"))) << t;
        EXPECT_TRUE(std::regex_search(t, std::regex(R"(\bB\s+(Blusa\s+)?1\.00\s+\$ 200\.00)"))) << t;
        EXPECT_TRUE(std::regex_search(t, std::regex(R"(Total\s+4\.00\s+\$ 300\.00)"))) << t;
        EXPECT_TRUE(std::regex_search(t, std::regex(R"(001\s+Ana Ruiz)"))) << t;
        EXPECT_NE(t.find("03/mar/2026"), std::string::npos) << t;
        // The roll: 40 columns of 2.54 mm and 5 mm margins, one page as long as the ticket.
        if (c.cuarenta && std::system("command -v pdfinfo > /dev/null") == 0) {
            ASSERT_EQ(std::system(("pdfinfo " + pdf.string() + " > " + txt.string()).c_str()), 0);
            std::ifstream info(txt);
            const std::string i{std::istreambuf_iterator<char>(info), {}};
            EXPECT_TRUE(std::regex_search(i, std::regex(R"(Page size:\s+316\.3)"))) << i;
            EXPECT_TRUE(std::regex_search(i, std::regex(R"(Pages:\s+1\b)"))) << i;
        }
        fs::remove(pdf);
    }
}

}  // namespace

extern "C" {
void RVenXCajero(const char*, const char*, bool);
void RVenXTienda(const char*, const char*, bool);
void RVenXVendedor(const char*, const char*, bool);
}

namespace {

// "<product> <key>" -> figures of the key's line under the product; "" the grand total.
Tabla LeePorClave(const std::string& text) {
    static const std::regex producto(R"(^(\d+)  )");
    static const std::regex linea(R"(^ {8}(\S+)\s.*\s([-\d.,]+)\s+\$\s*([-\d,]+\.\d\d)\s*$)");
    static const std::regex total(R"(^Total general\s+([-\d.,]+)\s+\$\s*([-\d,]+\.\d\d)\s*$)");
    Tabla t;
    std::string prod;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
        std::smatch m;
        if (std::regex_search(l, m, total)) t[""] = {Numero(m[1], 1000), Numero(m[2], 100)};
        else if (std::regex_search(l, m, producto)) prod = m[1];
        else if (std::regex_search(l, m, linea) && m[1] != "Total") t[prod + " " + m[1].str()] = {Numero(m[2], 1000), Numero(m[3], 100)};
    }
    return t;
}

Tabla CalculaPorClave(const fs::path& datos, const std::string& col, const std::string& desde, const std::string& hasta,
                      const std::string& donde, double minCant, double minMonto) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2((datos / "MovProd.DB").c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    const std::string attach = "ATTACH '" + (datos / "CatInven.DB").string() + "' AS cat";
    EXPECT_EQ(sqlite3_exec(db, attach.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    const std::string neto = "M.MontoAcum - M.MontoImp1 - M.MontoImp2 - M.MontoImp3 - M.MontoImp4";
    const std::string lineas = "SELECT M.Producto || ' ' || COALESCE(M." + col + ", ''), ROUND(SUM(M.Cantidad) * 1000), "
                               "ROUND(SUM(" + neto + ") * 100) FROM MovProd M JOIN cat.CatInven I ON I.Producto = "
                               "M.Producto WHERE M.TipoMov = 2 AND COALESCE(M.TipoProd, '') <> 'K' AND M.Fecha BETWEEN '" +
                               desde + "' AND '" + hasta + "'" + donde + " GROUP BY M.Producto, M." + col +
                               " HAVING SUM(M.Cantidad) > " + std::to_string(minCant) + " AND SUM(" + neto + ") > " +
                               std::to_string(minMonto);
    const std::string sql = "WITH L(k, c, m) AS (" + lineas + ") SELECT k, c, m FROM L UNION ALL SELECT '', SUM(c), SUM(m) FROM L";
    Tabla t;
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sql << sqlite3_errmsg(db);
    while (st && sqlite3_step(st) == SQLITE_ROW)
        t[reinterpret_cast<const char*>(sqlite3_column_text(st, 0))] = {sqlite3_column_int64(st, 1),
                                                                         sqlite3_column_int64(st, 2)};
    sqlite3_finalize(st);
    sqlite3_close(db);
    return t;
}

TEST_F(SalesByProduct, EveryKeysLineUnderEveryProductAndTheGrandTotalMatchTheMovements) {
    struct Case {
        const char* nombre;
        void (*entry)(const char*, const char*, bool);
        const char* pasos;
        const char* col;
        const char* donde;
        double minCant, minMonto;
    };
    const Case cases[] = {
        {"by cashier, whole range", RVenXCajero, "", "Usuario", "", 0, 0},
        {"by cashier, a cashier range in one store", RVenXCajero,
         "pick lkcmbCajDesde 002\npick lkcmbCajHasta 006\npick lkcmbTiendas 02", "Usuario",
         " AND M.Usuario BETWEEN '002' AND '006' AND M.Tienda = '02'", 0, 0},
        {"by store, one cashier and a line", RVenXTienda, "pick lkcmbCajero 001\nset edtLinea2=00???", "Tienda",
         " AND M.Usuario = '001' AND I.Linea LIKE '00%'", 0, 0},
        {"by store, thresholds", RVenXTienda, "set edtUnidades=5\nset edtMonto=200", "Tienda", "", 5, 200},
        {"by seller, every seller", RVenXVendedor, "", "Vendedor", " AND M.Vendedor IS NOT NULL", 0, 0},
        {"by seller, one seller and a department range", RVenXVendedor,
         "pick lkcmbVenDesde 010\npick lkcmbVenHasta 010\npick lkcmbDepDesde ABA\npick lkcmbDepHasta LAC", "Vendedor",
         " AND M.Vendedor = '010' AND I.Depto BETWEEN 'ABA' AND 'LAC'", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nombre);
        report::CloseAllPreviews();
        sink_->texts.clear();
        auto d = Play(c.entry, std::string("set edtFecHasta=01/03/2028\nset edtFecDesde=15/02/2028\n") + c.pasos +
                                   "\nclick btnPreview");
        EXPECT_TRUE(d->Failures().empty()) << d->Failures().front();
        ASSERT_EQ(Previews().size(), 1u);
        const Tabla sql = CalculaPorClave(dir_ / "datos", c.col, "2028-02-15", "2028-03-01", c.donde, c.minCant, c.minMonto);
        ASSERT_GT(sql.size(), 3u) << "the case selects some sales";
        MismasCifras(LeePorClave(Previews()[0]), sql);
    }
}

}  // namespace

namespace {

// Without any other condition the movement kind was not filtered: purchases counted as sales.
TEST_F(SalesByProductSmall, SalesByKeyWithNoOtherCriterionCountOnlySales) {
    Movimientos({Mov(1, "A", 2, "", 2, 130, {10, 5, 8, 7}), Mov(2, "A", 1, "", 50, 5000, {0, 0, 0, 0})});
    for (auto* entry : {RVenXCajero, RVenXTienda}) {
        report::CloseAllPreviews();
        sink_->texts.clear();
        Play(entry, "set edtFecDesde=02/03/2026\nset edtFecHasta=02/03/2026\nclick btnPreview");
        ASSERT_EQ(Previews().size(), 1u);
        const Tabla t = LeePorClave(Previews()[0]);
        ASSERT_EQ(t.count(""), 1u) << Previews()[0];
        EXPECT_EQ(t.at(""), (Cifras{2000, 10000})) << Previews()[0];
    }
}

}  // namespace
