// Offer policies of a store: the policies listed for a store, a range of validity starts and a
// status equal SQLite's own selection on the same Politicas file, including a range with none
// and starts late on the range's last day.
#include <sqlite3.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "host/razir/demo/generator.h"
#include "platform/6_schema/tables.h"
#include "tests/reports/report_fixture.h"

extern "C" {
void RPoliticas(const char*, const char*, bool);
}

namespace {

using Row = db::BatchWriter::Row;
using Lista = std::vector<std::string>;

// The policy keys of the report's detail lines, in the order printed.
Lista LeeReporte(const std::string& text) {
    static const std::regex linea(R"(^(P\d{5})\s)");
    Lista l;
    std::istringstream in(text);
    for (std::string s; std::getline(in, s);) {
        std::smatch m;
        if (std::regex_search(s, m, linea)) l.push_back(m[1]);
    }
    return l;
}

// The same selection straight from the file: validity starting on any moment of the days.
Lista Calcula(const fs::path& archivo, const std::string& tienda, const std::string& desde,
              const std::string& hasta, const std::string& status) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(archivo.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    std::string sql = "SELECT Politica FROM Politicas WHERE Tienda = '" + tienda + "' AND FecIni >= '" + desde +
                      "' AND FecIni < date('" + hasta + "', '+1 day')";
    if (!status.empty()) sql += " AND Status = '" + status + "'";
    sql += " ORDER BY FecIni, Politica";
    Lista l;
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sql << sqlite3_errmsg(db);
    while (st && sqlite3_step(st) == SQLITE_ROW) l.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return l;
}

class Policies : public ReportTest {
protected:
    // Two stores; starts at midnight, during the day and in the last second of one.
    void Llena() {
        Fill(tables::Tiendas(), {Row{"01", "Centro", "Madero 12", "", ""}, Row{"02", "Norte", "Av. Norte 4", "", ""}});
        auto p = [](const char* tienda, const char* clave, const char* inicio, const char* status) {
            return Row{tienda, clave, std::string("Oferta ") + clave, "7501", inicio, "2026-12-31 23:59:59", status,
                       12.5, 10.0};
        };
        Fill(tables::Politicas(), {p("01", "P00001", "2026-03-01 00:00:00", "T"),
                                   p("01", "P00002", "2026-03-05 09:30:00", "T"),
                                   p("01", "P00003", "2026-03-05 23:59:59", "F"),
                                   p("01", "P00004", "2026-03-06 00:00:00", "T"),
                                   p("01", "P00005", "2026-03-20 18:00:00", "F"),
                                   p("02", "P00006", "2026-03-05 10:00:00", "T"),
                                   p("02", "P00007", "2026-03-02 08:00:00", "F")});
    }
};

TEST_F(Policies, TheListingEqualsTheSelectionOnThePoliciesFile) {
    Llena();
    struct Case {
        const char* nombre;
        const char* p1;      // the host's store; "" takes the first one
        const char* pasos;
        const char* tienda;  // the store the selection is of
        const char* desde;
        const char* hasta;
        const char* status;
        const char* subtitulo;
    };
    const Case cases[] = {
        {"active, no store given: the first store", "", "", "01", "2026-03-01", "2026-03-31", "T", "Status: Activas"},
        {"inactive of the host's store", "02", "pick rdgpStatus Inactiva", "02", "2026-03-01", "2026-03-31", "F",
         "Status: No activas"},
        // The last day counts whole: a start at 09:30 or 23:59:59 of it was left out.
        {"all, the range ending on a day whose starts carry a time", "", "pick rdgpStatus Todas", "01",
         "2026-03-02", "2026-03-05", "", "Status: Todas"},
        {"one day, all statuses", "", "pick rdgpStatus Todas", "01", "2026-03-05", "2026-03-05", "",
         "Status: Todas"},
        {"another store chosen in the dialog", "", "pick lkcmbTiendas Norte\npick rdgpStatus Todas", "02",
         "2026-03-01", "2026-03-31", "", "Status: Todas"},
        {"a range with no policy", "", "", "01", "2026-04-01", "2026-04-30", "T", "Status: Activas"},
    };
    auto fecha = [](std::string iso) { return iso.substr(8, 2) + "/" + iso.substr(5, 2) + "/" + iso.substr(0, 4); };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nombre);
        report::CloseAllPreviews();
        sink_->texts.clear();
        const std::string script = std::string(c.pasos) + "\nset edtFecFin=" + fecha(c.hasta) +
                                   "\nset edtFecIni=" + fecha(c.desde) + "\nclick btnPreview";
        auto d = Play(RPoliticas, script, c.p1);
        EXPECT_TRUE(d->Failures().empty()) << d->Failures().front();
        std::string visto;
        for (const auto& l : d->Log()) visto += l + "\n";
        EXPECT_TRUE(d->Messages().empty()) << visto;
        ASSERT_EQ(Previews().size(), 1u) << visto;
        const Lista sql = Calcula(dir_ / "datos" / "Politicas.DB", c.tienda, c.desde, c.hasta, c.status);
        EXPECT_EQ(LeeReporte(Previews()[0]), sql) << Previews()[0];
        EXPECT_NE(Previews()[0].find(c.subtitulo), std::string::npos) << Previews()[0];
        EXPECT_NE(Previews()[0].find(std::string(c.tienda) == "01" ? "Centro" : "Norte"), std::string::npos);
    }
}

// The demo chain's policies of a store passed by the host, for each status choice.
TEST_F(Policies, TheGeneratedChainsPoliciesOfEachStatus) {
    razir::demo::Options o;
    o.stores = 2;
    o.registers = 1;
    o.products = 40;
    o.days = 20;
    o.from = text::EncodeDate(2027, 5, 3);
    razir::demo::Generate(o, dir_ / "datos");
    const struct {
        const char* paso;
        const char* status;
    } estados[] = {{"Activa", "T"}, {"Inactiva", "F"}, {"Todas", ""}};
    for (const auto& e : estados) {
        SCOPED_TRACE(e.paso);
        report::CloseAllPreviews();
        sink_->texts.clear();
        auto d = Play(RPoliticas, std::string("pick rdgpStatus ") + e.paso +
                                      "\nset edtFecFin=22/05/2027\nset edtFecIni=03/05/2027\nclick btnPreview", "02");
        ASSERT_EQ(Previews().size(), 1u);
        const Lista sql = Calcula(dir_ / "datos" / "Politicas.DB", "02", "2027-05-03", "2027-05-22", e.status);
        EXPECT_FALSE(sql.empty());
        EXPECT_EQ(LeeReporte(Previews()[0]), sql) << Previews()[0];
    }
}

// A layout whose query lacks a parameter the dialog gives: the user is told, and the report
// still runs with the parameters that were set.
TEST_F(Policies, ALayoutMissingAParameterIsToldAndStillRuns) {
    Llena();
    const fs::path layout = dir_ / "Reportes" / "RPolitic.QR2";
    std::ifstream in(layout);
    std::string s((std::istreambuf_iterator<char>(in)), {});
    in.close();
    s = std::regex_replace(s, std::regex(R"(:Tienda)"), "'01'");
    s = std::regex_replace(s, std::regex(R"(\s*<param name="Tienda"[^>]*>)"), "");
    std::ofstream(layout) << s;
    auto d = Play(RPoliticas, "set edtFecFin=31/03/2026\nset edtFecIni=01/03/2026\nclick btnPreview", "02");
    ASSERT_EQ(d->Messages().size(), 1u);
    EXPECT_NE(d->Messages()[0].request.text.find("conflicto al cargar los parámetros"), std::string::npos);
    ASSERT_EQ(Previews().size(), 1u);
    EXPECT_EQ(LeeReporte(Previews()[0]),
              Calcula(dir_ / "datos" / "Politicas.DB", "01", "2026-03-01", "2026-03-31", "T"));
}

}  // namespace
