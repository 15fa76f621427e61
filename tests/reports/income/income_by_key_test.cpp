// Income by store and by cashier: the figures of every period and key, and the grand totals,
// against SQLite reading the same Ingresos file on its own; the summary buttons a range
// allows; income late in the day and at midnight in its period.
#include <sqlite3.h>

#include <map>
#include <regex>
#include <sstream>

#include "host/razir/demo/generator.h"
#include "platform/6_schema/tables.h"
#include "tests/reports/report_fixture.h"

extern "C" {
void RIngresoXTienda(const char*, const char*, bool);
void RIngresoXCajero(const char*, const char*, bool);
}

namespace {

using Row = db::BatchWriter::Row;

// Notes, gross sales, discounts, taxes and total of one key in one period, in cents.
struct Cifras {
    long long notas = 0, bruta = 0, desc = 0, imp = 0, total = 0;
    friend bool operator==(const Cifras&, const Cifras&) = default;
};
// Key + " " + last day of the period (ISO) -> figures; "" for the grand total.
using Tabla = std::map<std::string, Cifras>;

std::ostream& operator<<(std::ostream& o, const Cifras& c) {
    return o << c.notas << " " << c.bruta << " " << c.desc << " " << c.imp << " " << c.total;
}

long long Centavos(std::string s) {
    std::string d;
    for (char c : s)
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '-') d += c;
    return std::stoll(d);
}

// The report's text: key headings, period rows and the grand total line.
Tabla LeeReporte(const std::string& text) {
    static const std::regex llave(R"(^(Tienda|Cajero) (\S+) )");
    static const std::string money = R"(\s+\$\s*([-\d,]+\.\d\d))";
    static const std::regex periodo(R"(^\s+\d\d/\d\d/\d{4}\s+al\s+(\d\d)/(\d\d)/(\d{4})\s+([\d,]+))" + money + money +
                                    money + money);
    static const std::regex total(R"(^Total general\s+([\d,]+))" + money + money + money + money);
    Tabla t;
    std::string clave;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
        std::smatch m;
        if (std::regex_search(l, m, llave)) clave = m[2];
        else if (std::regex_search(l, m, periodo))
            t[clave + " " + m[3].str() + "-" + m[2].str() + "-" + m[1].str()] = {
                Centavos(m[4]), Centavos(m[5]), Centavos(m[6]), Centavos(m[7]), Centavos(m[8])};
        else if (std::regex_search(l, m, total))
            t[""] = {Centavos(m[1]), Centavos(m[2]), Centavos(m[3]), Centavos(m[4]), Centavos(m[5])};
    }
    return t;
}

// The same figures straight from the Ingresos file: `clave` the grouping column, `fin` the SQL
// of a row's period end, `donde` the extra conditions.
Tabla Calcula(const fs::path& ingresos, const std::string& clave, const std::string& fin, const std::string& desde,
              const std::string& hasta, const std::string& donde) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(ingresos.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    const std::string filtro = " FROM Ingresos WHERE Fecha >= '" + desde + " 00:00:00' AND Fecha <= '" + hasta +
                               " 23:59:59' AND Doc_Zod <> 'S'" + donde;
    const std::string cifras = "COUNT(*), ROUND(SUM(Ventas + Descuentos) * 100), ROUND(SUM(Descuentos) * 100), "
                               "ROUND(SUM(Impuestos) * 100), ROUND(SUM(Ventas) * 100)";
    const std::string sql = "SELECT " + clave + " || ' ' || MIN(" + fin + ", '" + hasta + "') AS k, " + cifras +
                            filtro + " GROUP BY k UNION ALL SELECT '', " + cifras + filtro;
    Tabla t;
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sql << sqlite3_errmsg(db);
    while (st && sqlite3_step(st) == SQLITE_ROW)
        t[reinterpret_cast<const char*>(sqlite3_column_text(st, 0))] = {
            sqlite3_column_int64(st, 1), sqlite3_column_int64(st, 2), sqlite3_column_int64(st, 3),
            sqlite3_column_int64(st, 4), sqlite3_column_int64(st, 5)};
    sqlite3_finalize(st);
    sqlite3_close(db);
    return t;
}

// Period ends as the calendar has them: days, Saturdays, the 15th or the month's end.
constexpr const char* kFinDia = "date(Fecha)";
constexpr const char* kFinSemana = "date(Fecha, 'weekday 6')";
constexpr const char* kFinQuincena =
    "CASE WHEN strftime('%d', Fecha) <= '15' THEN strftime('%Y-%m-15', Fecha) "
    "ELSE date(Fecha, 'start of month', '+1 month', '-1 day') END";
constexpr const char* kFinMes = "date(Fecha, 'start of month', '+1 month', '-1 day')";

class IncomeByKey : public ReportTest {
protected:
    void Demo() {
        razir::demo::Options o;
        o.stores = 3;
        o.registers = 2;
        o.products = 60;
        o.days = 24;
        o.from = text::EncodeDate(2028, 2, 10);  // across a leap February's end
        razir::demo::Generate(o, dir_ / "datos");
    }
};

TEST_F(IncomeByKey, EveryPeriodOfEveryKeyAndTheGrandTotalMatchTheIncomeFile) {
    Demo();
    struct Case {
        const char* nombre;
        void (*entry)(const char*, const char*, bool);
        const char* pasos;  // after the dates
        const char* clave;
        const char* fin;
        const char* desde;
        const char* hasta;
        const char* donde;
    };
    const Case cases[] = {
        {"stores by day, whole range", RIngresoXTienda, "", "Tienda", kFinDia, "2028-02-10", "2028-03-04", ""},
        {"one store by week", RIngresoXTienda, "pick lkcmbTieDesde 02\npick lkcmbTieHasta 02\nclick rbtnSemanal",
         "Tienda", kFinSemana, "2028-02-10", "2028-03-04", " AND Tienda = '02'"},
        {"stores up to a final one by fortnight, one cashier", RIngresoXTienda,
         "pick lkcmbTieHasta 02\npick lkcmbCajero 005\nclick rbtnQuincenal", "Tienda", kFinQuincena, "2028-02-10",
         "2028-03-04", " AND Tienda <= '02' AND Cajero = '005'"},
        {"stores by month, one seller", RIngresoXTienda, "pick lkcmbVendedor 013\nclick rbtnMensual", "Tienda",
         kFinMes, "2028-02-01", "2028-03-04", " AND Vendedor = '013'"},
        {"cashiers by month over a leap February", RIngresoXCajero, "click rbtnMensual", "Cajero", kFinMes,
         "2028-02-01", "2028-03-04", ""},
        {"a cashier range in one store by week", RIngresoXCajero,
         "pick lkcmbCajDesde 003\npick lkcmbCajHasta 007\npick lkcmbTiendas 02\nclick rbtnSemanal", "Cajero",
         kFinSemana, "2028-02-12", "2028-03-01", " AND Cajero BETWEEN '003' AND '007' AND Tienda = '02'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nombre);
        report::CloseAllPreviews();
        sink_->texts.clear();
        auto fecha = [](std::string iso) { return iso.substr(8, 2) + "/" + iso.substr(5, 2) + "/" + iso.substr(0, 4); };
        const std::string script = "set edtFecFin=" + fecha(c.hasta) + "\nset edtFecIni=" + fecha(c.desde) + "\n" +
                                   c.pasos + "\nclick btnPreview";
        auto d = Play(c.entry, script);
        EXPECT_TRUE(d->Failures().empty()) << d->Failures().front();
        ASSERT_EQ(Previews().size(), 1u);
        const Tabla reporte = LeeReporte(Previews()[0]);
        const Tabla sql = Calcula(dir_ / "datos" / "Ingresos.DB", c.clave, c.fin, c.desde, c.hasta, c.donde);
        ASSERT_GT(sql.size(), 2u) << "the case selects some income";
        EXPECT_EQ(reporte, sql) << Previews()[0];
    }
}

class IncomeSmall : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        Fill(tables::Tiendas(), {Row{"01", "Centro", "", "", ""}, Row{"02", "Norte", "", "", ""}});
        Fill(tables::Usuarios(), {Row{"001", "Ana", "Ana", "01", "C"}, Row{"013", "Raúl", "Raúl", "01", "D"}});
        Fill(tables::FecEst(), {});
    }
};

// Income between 23:59:00 and midnight was in no period; midnight opens the next day.
TEST_F(IncomeSmall, IncomeInTheLastMinuteOfADayAndAtMidnightCountsInItsDay) {
    Fill(tables::Ingresos(), {Row{"01", "01", "1", "001", "", "2026-03-02 23:59:30", 100.0, 16.0, 0.0, "N"},
                              Row{"01", "01", "2", "001", "", "2026-03-03 00:00:00", 50.0, 8.0, 5.0, "N"},
                              Row{"01", "01", "3", "001", "", "2026-03-03 12:00:00", 70.0, 0.0, 0.0, "S"}});
    Play(RIngresoXTienda, "set edtFecIni=02/03/2026\nset edtFecFin=03/03/2026\nclick btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    const Tabla t = LeeReporte(Previews()[0]);
    const Tabla esperado{{"01 2026-03-02", {1, 10000, 0, 1600, 10000}},
                         {"01 2026-03-03", {1, 5500, 500, 800, 5000}},
                         {"", {2, 15500, 500, 2400, 15000}}};
    EXPECT_EQ(t, esperado) << Previews()[0];
}

TEST_F(IncomeSmall, TheRangeLengthEnablesTheSummaryKinds) {
    Fill(tables::Ingresos(), {});
    struct Case {
        const char* hasta;  // from 01/03/2026
        const char* boton;
        const char* resumen;  // in the heading
    };
    const Case cases[] = {
        {"05/03/2026", "rbtnSemanal", "Diario"},       // 4 days: Diario only
        {"07/03/2026", "rbtnSemanal", "Semanal"},      // 6 days
        {"14/03/2026", "rbtnQuincenal", "Diario"},     // 13 days: no fortnight
        {"15/03/2026", "rbtnQuincenal", "Quincenal"},  // 14 days
        {"30/03/2026", "rbtnMensual", "Diario"},       // 29 days: no month
        {"31/03/2026", "rbtnMensual", "Mensual"},      // 30 days
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hasta);
        report::CloseAllPreviews();
        sink_->texts.clear();
        Play(RIngresoXCajero, std::string("set edtFecIni=01/03/2026\nset edtFecFin=") + c.hasta + "\nclick " +
                                  c.boton + "\nclick btnPreview");
        ASSERT_EQ(Previews().size(), 1u);
        EXPECT_TRUE(std::regex_search(Previews()[0], std::regex(std::string("Resumen: +") + c.resumen)))
            << Previews()[0];
    }
}

// A shorter range steps a checked wider summary down to what the range allows.
TEST_F(IncomeSmall, ShorteningTheRangeStepsTheCheckedSummaryDown) {
    Fill(tables::Ingresos(), {});
    Play(RIngresoXTienda,
         "set edtFecIni=01/03/2026\nset edtFecFin=31/03/2026\nclick rbtnMensual\n"
         "set edtFecFin=20/03/2026\nfocus edtFecIni\nclick btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    EXPECT_TRUE(std::regex_search(Previews()[0], std::regex("Resumen: +Quincenal"))) << Previews()[0];
    EXPECT_TRUE(std::regex_search(Previews()[0], std::regex("Del +01/mar/2026 +al +20/mar/2026"))) << Previews()[0];
}

}  // namespace

#include <sys/wait.h>
#include <unistd.h>

#include "platform/2_db/table.h"

namespace {

// Another station refilling FecEst holds it: this run is told so and shows nothing, and the
// periods it finds afterwards are all its own.
TEST_F(IncomeSmall, ASecondStationFillingThePeriodsIsToldTheTableIsInUseAndNeverMixesThem) {
    Fill(tables::Ingresos(), {Row{"01", "01", "1", "001", "", "2026-03-02 10:00:00", 100.0, 16.0, 0.0, "N"}});
    int listo[2], suelta[2];
    ASSERT_EQ(pipe(listo), 0);
    ASSERT_EQ(pipe(suelta), 0);
    const pid_t otra = fork();
    if (otra == 0) {
        int code = 1;
        try {
            db::TTable t;
            t.DatabaseName = "RazirWin10";
            t.TableName = "FecEst";
            t.Exclusive = true;
            t.Open();
            char b = 1;
            if (write(listo[1], &b, 1) == 1 && read(suelta[0], &b, 1) == 1) code = 0;
        } catch (...) {
        }
        _exit(code);
    }
    char b;
    ASSERT_EQ(read(listo[0], &b, 1), 1);
    auto d = Play(RIngresoXTienda, "set edtFecIni=02/03/2026\nset edtFecFin=04/03/2026\nclick btnPreview");
    EXPECT_TRUE(Previews().empty());
    ASSERT_FALSE(d->Messages().empty());
    EXPECT_NE(d->Messages()[0].request.text.find("FecEst"), std::string::npos) << d->Messages()[0].request.text;
    ASSERT_EQ(write(suelta[1], &b, 1), 1);
    int status = 0;
    waitpid(otra, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    for (int fd : {listo[0], listo[1], suelta[0], suelta[1]}) close(fd);

    Play(RIngresoXTienda, "set edtFecIni=02/03/2026\nset edtFecFin=04/03/2026\nclick btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2((dir_ / "datos" / "FecEst.DB").c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT group_concat(substr(FechaIni, 1, 10), ' ') FROM FecEst", -1, &st, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), "2026-03-02 2026-03-03 2026-03-04");
    sqlite3_finalize(st);
    sqlite3_close(db);
}

}  // namespace
