// Daily sales by product: each product's quantity and amount before taxes in each time slot of
// a register's day, and the day's total, against SQLite bucketing the same notes and lines on
// its own; a small day with notes on the slots' edges; the day's files missing; direct mode.
#include <sqlite3.h>

#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "host/razir/demo/generator.h"
#include "platform/1_text/utf8.h"
#include "platform/6_schema/tables.h"
#include "tests/reports/register/day_rows.h"
#include "tests/reports/report_fixture.h"

extern "C" void RVenXProdDiario(const char*, const char*, bool);

namespace {

using Row = db::BatchWriter::Row;

const text::TDateTime kDia = text::EncodeDate(2000, 10, 5);

// Quantity in thousandths and amount in cents of a product in a slot.
struct Cifras {
    long long cant = 0, monto = 0;
    friend bool operator==(const Cifras&, const Cifras&) = default;
};
std::ostream& operator<<(std::ostream& o, const Cifras& c) { return o << c.cant << " " << c.monto; }
// "<slot start hh:mm:ss> <product>" -> figures; "<start> Subtotal" for a slot; "" for the day.
using Tabla = std::map<std::string, Cifras>;

long long Numero(const std::string& s, int escala) {
    std::string d;
    for (char c : s)
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.') d += c;
    return std::llround(std::stod(d) * escala);
}

// The slot headings ("De 01:00:01 a 02:00:00"), the product lines under them and the total.
Tabla LeeReporte(const std::string& text) {
    static const std::regex franja(R"((\d\d:\d\d:\d\d)\s+a\s+\d\d:\d\d:\d\d)");
    static const std::regex producto(R"(^(\S+)\s.*?([-\d.,]+)\s+\$\s*([-\d,]+\.\d\d)\s*$)");
    static const std::regex total(R"(^Total del día\s+([-\d.,]+)\s+\$\s*([-\d,]+\.\d\d)\s*$)");
    static const std::regex subtotal(R"(^\s*Subtotal\s+([-\d.,]+)\s+\$\s*([-\d,]+\.\d\d)\s*$)");
    Tabla t;
    std::string inicio;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
        std::smatch m;
        if (std::regex_search(l, m, total)) t[""] = {Numero(m[1], 1000), Numero(m[2], 100)};
        else if (std::regex_search(l, m, subtotal)) t[inicio + " Subtotal"] = {Numero(m[1], 1000), Numero(m[2], 100)};
        else if (std::regex_search(l, m, franja)) inicio = m[1];
        else if (std::regex_search(l, m, producto)) t[inicio + " " + m[1].str()] = {Numero(m[2], 1000), Numero(m[3], 100)};
    }
    return t;
}

// The paid notes' lines of `caja` in slots of `segundos`: a note on a boundary closes the slot
// before it, midnight opens the first; a slot is named by its start as the report prints it.
Tabla Calcula(const fs::path& datos, const std::string& raiz, const std::string& caja, int segundos) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2((datos / ("V" + raiz + ".DB")).c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    for (const std::string& f : {"D" + raiz, std::string("CatInven")}) {
        const std::string attach = "ATTACH '" + (datos / (f + ".DB")).string() + "' AS " + f;
        EXPECT_EQ(sqlite3_exec(db, attach.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << attach;
    }
    const std::string L = std::to_string(segundos);
    const std::string dia = "(CAST(strftime('%s', N.Fecha) AS INTEGER) - CAST(strftime('%s', date(N.Fecha)) AS INTEGER))";
    const std::string lineas =
        "SELECT L.Producto AS Producto, L.Cantidad AS Cantidad,"
        " L.TotPartida - L.TotImp1 - L.TotImp2 - L.TotImp3 - L.TotImp4 AS Neto,"
        " max(0, (" + dia + " + " + L + " - 1) / " + L + " - 1) AS k"
        " FROM V" + raiz + " N JOIN D" + raiz + ".D" + raiz + " L ON L.Caja = N.Caja AND L.Nota = N.Nota"
        " JOIN CatInven.CatInven C ON C.Producto = L.Producto"
        " WHERE N.Caja = '" + caja + "' AND N.Status = 'N' AND COALESCE(L.TipoProducto, '') <> 'K'";
    const std::string porFranja = "SELECT time(k * " + L + " + (k > 0), 'unixepoch') || ' ' || Producto,"
                                  " ROUND(SUM(Cantidad) * 1000), ROUND(SUM(Neto) * 100) FROM (" + lineas +
                                  ") GROUP BY k, Producto";
    const std::string porFranjaTotal = "SELECT time(k * " + L + " + (k > 0), 'unixepoch') || ' Subtotal',"
                                       " ROUND(SUM(Cantidad) * 1000), ROUND(SUM(Neto) * 100) FROM (" + lineas +
                                       ") GROUP BY k";
    const std::string total = "SELECT '', ROUND(SUM(Cantidad) * 1000), ROUND(SUM(Neto) * 100) FROM (" + lineas + ")";
    Tabla t;
    for (const std::string& sql : {porFranja, porFranjaTotal, total}) {
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

void MismasCifras(const Tabla& reporte, const Tabla& sql) {
    for (const auto& [k, v] : sql) {
        const auto it = reporte.find(k);
        if (it == reporte.end()) ADD_FAILURE() << "missing from the report: " << k << " " << v;
        else EXPECT_EQ(it->second, v) << k;
    }
    for (const auto& [k, v] : reporte)
        if (!sql.contains(k)) ADD_FAILURE() << "only in the report: " << k << " " << v;
}

std::string LeeArchivo(const fs::path& p) {
    std::ifstream in(p);
    return {std::istreambuf_iterator<char>(in), {}};
}

class VentasProductoDiario : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        config_.DecCantidad = 3;
        config_.TiendaActual = "01";
        config_.CajaActual = "01";
        config_.FechaTrabajo = kDia;
    }
};

TEST_F(VentasProductoDiario, EachProductOfEachSlotAndTheDayMatchTheNotesLines) {
    struct Case {
        const char* nombre;
        int indiceCaja;  // register 01 prints on sheets, 02 on a 40-column roll
        bool porTienda;
        const char* pasos;
        int segundos;
    };
    const Case cases[] = {
        {"sheet, hourly", 0, false, "", 3600},
        {"roll, hourly", 1, false, "", 3600},
        {"sheet, 15 minutes", 0, false, "pick rgrpResumen #0\n", 900},
        {"files per store, second register, 2 hours", 1, true, "pick rgrpResumen #3\n", 7200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nombre);
        const auto o = GeneraDia(dir_ / "datos", kDia, c.porTienda);
        config_.ArchivosPorTienda = c.porTienda;
        const std::string caja = razir::demo::RegisterCode(o, 0, c.indiceCaja);
        report::CloseAllPreviews();
        const size_t antes = Previews().size();
        auto d = Play(RVenXProdDiario, "pick lkcmbCajas " + caja + "\n" + c.pasos + "click btnPreview");
        for (const auto& m : d->Messages()) ADD_FAILURE() << m.request.text;
        ASSERT_EQ(Previews().size(), antes + 1) << antes;
        const std::string raiz = tables::DayFileStem(c.porTienda ? "01" : caja, kDia);
        const auto esperado = Calcula(dir_ / "datos", raiz, caja, c.segundos);
        ASSERT_GT(esperado.size(), 10u) << "the generated day sells";
        MismasCifras(LeeReporte(Previews().back()), esperado);
        if (c.indiceCaja == 1 && !c.porTienda) {
            std::istringstream lineas(Previews().back());
            for (std::string l; std::getline(lineas, l);) EXPECT_LE(text::Utf8Length(l), 40u) << l;
        }
    }
    for (const auto& e : fs::directory_iterator(dir_ / "datos"))
        EXPECT_EQ(e.path().filename().string().rfind("tmpprodia", 0), std::string::npos) << "left behind: " << e.path();
}

// A small day of a store that keeps one file for its two registers.
class DiaPequeno : public VentasProductoDiario {
protected:
    void SetUp() override {
        VentasProductoDiario::SetUp();
        Fill(tables::Tiendas(), {Row{"01", "Centro", "Madero 12", "México", ""}});
        const auto caj = tables::Cajas();
        Fill(caj, {Fila(caj, {{"Tienda", "01"}, {"Caja", "01"}, {"Descripcio", "Caja uno"}}),
                   Fila(caj, {{"Tienda", "01"}, {"Caja", "02"}, {"Descripcio", "Caja dos"}})});
        Fill(tables::Usuarios(), {Row{"015", "Rosa Ibarra", "Rosa", "01", "C"}});
        Fill(tables::Lineas(), {});
        const auto cat = tables::CatInven();
        Fill(cat, {Fila(cat, {{"Producto", "A"}, {"Descripcio", "Aceite"}, {"Linea", "AB"}}),
                   Fila(cat, {{"Producto", "B"}, {"Descripcio", "Blusa"}, {"Linea", "CD"}})});
    }
    // Notes (number, register, time, status) each with one line of product A, 1 unit at 10.00
    // times the note's number plus 16% tax; note 9 also holds a package line.
    void Escribe(const std::string& raiz, bool conDetalle = true) {
        const auto v = tables::DayTable(tables::DayKind::Ventas, raiz);
        const auto d = tables::DayTable(tables::DayKind::Detalle, raiz);
        db::BatchWriter wv((dir_ / "datos" / v.name).string(), v);
        std::vector<Row> lineas;
        struct Nota {
            int nota;
            const char* caja;
            int h, m, s;
            const char* status;
        };
        for (const Nota& n : {Nota{1, "01", 0, 0, 0, "N"}, Nota{2, "01", 1, 0, 0, "N"}, Nota{3, "01", 1, 0, 1, "N"},
                              Nota{4, "01", 23, 59, 59, "N"}, Nota{5, "01", 12, 0, 0, "C"},
                              Nota{1, "02", 1, 30, 0, "N"}, Nota{9, "01", 12, 30, 0, "N"}}) {
            wv.Append(Fila(v, {{"Nota", std::to_string(n.nota)}, {"Caja", n.caja}, {"Status", n.status},
                               {"Cajero", "015"}, {"Fecha", db::Value::DateTime(kDia + text::EncodeTime(n.h, n.m, n.s))}}));
            const double neto = 10.0 * n.nota;
            lineas.push_back(Fila(d, {{"Nota", std::to_string(n.nota)}, {"Caja", n.caja}, {"Renglon", 1},
                                      {"Producto", "A"}, {"TipoProducto", "N"}, {"Cantidad", 1.0},
                                      {"TotPartida", neto * 1.16}, {"TotImp1", neto * 0.16},
                                      {"TotImp2", 0.0}, {"TotImp3", 0.0}, {"TotImp4", 0.0}}));
        }
        lineas.push_back(Fila(d, {{"Nota", "9"}, {"Caja", "01"}, {"Renglon", 2}, {"Producto", "B"}, {"TipoProducto", "K"},
                                  {"Cantidad", 5.0}, {"TotPartida", 500.0}, {"TotImp1", 0.0},
                                  {"TotImp2", 0.0}, {"TotImp3", 0.0}, {"TotImp4", 0.0}}));
        wv.Commit();
        if (!conDetalle) return;
        db::BatchWriter wd((dir_ / "datos" / d.name).string(), d);
        for (const auto& l : lineas) wd.Append(l);
        wd.Commit();
    }
};

// Regression cases: a note at 00:00:00 fell in no slot; lines joined on the note number alone
// took register 02's note 1 into register 01; the day typed as 05/10 was read month-first.
TEST_F(DiaPequeno, NotesOnTheSlotsEdgesCountOnceAndOnlyForTheirRegister) {
    config_.ArchivosPorTienda = true;
    Escribe(tables::DayFileStem("01", kDia));
    Play(RVenXProdDiario, "set edtFecDesde=05/10/2000\nclick btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    const auto t = LeeReporte(Previews()[0]);
    const Tabla esperado = {{"00:00:00 A", {2000, 3000}},  // midnight and 01:00:00 close the first hour
                            {"01:00:01 A", {1000, 3000}},
                            {"12:00:01 A", {1000, 9000}},  // the package line is no sale of its own
                            {"23:00:01 A", {1000, 4000}},  // the day's last second
                            {"00:00:00 Subtotal", {2000, 3000}},
                            {"01:00:01 Subtotal", {1000, 3000}},
                            {"12:00:01 Subtotal", {1000, 9000}},
                            {"23:00:01 Subtotal", {1000, 4000}},
                            {"", {5000, 19000}}};
    EXPECT_EQ(t, esperado) << Previews()[0];
}

TEST_F(DiaPequeno, ADayWithoutItsNotesOrItsLinesIsToldAndNothingIsShown) {
    struct Case {
        const char* nombre;
        bool conDetalle;
        const char* mensaje;
    };
    for (const Case c : {Case{"no files", false, "Archivo de ventas no existe"},
                         Case{"notes without lines", false, "Archivo de detalle de ventas no existe"}}) {
        SCOPED_TRACE(c.nombre);
        if (std::string(c.nombre) != "no files") Escribe(tables::DayFileStem("01", kDia), c.conDetalle);
        report::CloseAllPreviews();
        const size_t antes = Previews().size();
        auto d = Play(RVenXProdDiario, "click btnPreview");
        ASSERT_EQ(d->Messages().size(), 1u);
        EXPECT_EQ(d->Messages()[0].request.text, c.mensaje);
        EXPECT_EQ(Previews().size(), antes);
    }
}

// Direct mode as the host calls it: the station's register and day, one cashier, hourly, on
// the register's own paper.
TEST_F(DiaPequeno, DirectModePrintsTheStationsDayForTheCashier) {
    Escribe(tables::DayFileStem("01", kDia));
    for (const bool cuarenta : {false, true}) {
        SCOPED_TRACE(cuarenta ? "roll" : "sheet");
        const auto caj = tables::Cajas();
        fs::remove(dir_ / "datos" / "Cajas.DB");
        Fill(caj, {Fila(caj, {{"Tienda", "01"}, {"Caja", "01"}, {"Descripcio", "Caja uno"}, {"BLectOp", cuarenta}})});
        const fs::path antes = fs::current_path();
        fs::current_path(dir_);  // no system printer here: the print lands in the working folder
        RVenXProdDiario("015", "05/10/2000", true);
        fs::current_path(antes);
        const fs::path pdf = dir_ / (cuarenta ? "RVProD40.pdf" : "RVProD.pdf");
        ASSERT_TRUE(fs::exists(pdf));
        const fs::path txt = dir_ / "directo.txt";
        ASSERT_EQ(std::system(("pdftotext -layout " + pdf.string() + " " + txt.string()).c_str()), 0);
        const std::string texto = LeeArchivo(txt);
        EXPECT_EQ(LeeReporte(texto)[""], (Cifras{5000, 19000})) << texto;
        EXPECT_NE(texto.find("Rosa Ibarra"), std::string::npos) << texto;
        fs::remove(pdf);
    }
}

}  // namespace
