// Sales by hour played as a user: the slots of a generated day against the notes read back by
// SQL and bucketed here by their own clock time, and a small day with notes on the edges.
#include <cmath>
#include <regex>
#include <sstream>

#include "host/razir/demo/generator.h"
#include "platform/2_db/query.h"
#include "platform/1_text/utf8.h"
#include "platform/6_schema/tables.h"
#include "tests/reports/register/day_rows.h"
#include "tests/reports/report_fixture.h"

extern "C" void RResumenVentaHora(const char*, const char*, bool);

namespace {

using Row = db::BatchWriter::Row;

const text::TDateTime kDia = text::EncodeDate(2000, 10, 5);

struct Franja {
    int notas = 0;
    double monto = 0;
};

// The slot lines of the text: "hh:nn:ss  hh:nn:ss  notes  $ amount".
std::vector<Franja> Lee(const std::string& t) {
    std::vector<Franja> out;
    const std::regex linea(R"((\d\d:\d\d:\d\d) +(\d\d:\d\d:\d\d) +(\d+) +\$ ([\d,]+\.\d\d))");
    for (std::sregex_iterator it(t.begin(), t.end(), linea), fin; it != fin; ++it) {
        std::string monto = (*it)[4];
        std::erase(monto, ',');
        out.push_back({std::stoi((*it)[3]), std::stod(monto)});
    }
    return out;
}

class VentasHora : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        config_.TiendaActual = "01";
        config_.CajaActual = "01";
        config_.FechaTrabajo = kDia;
    }
    void Catalogos() {
        Fill(tables::Tiendas(), {Row{"01", "Centro", "Madero 12", "México", ""}});
        Fill(tables::Cajas(), {Row{"01", "01", "Caja uno", "", 0, "", 0, 0, 0}});
        Fill(tables::Usuarios(), {Row{"015", "Rosa Ibarra", "Rosa", "01", "C"}});
    }
    // The paid notes of the register, each in the hour its clock time ends: a note at hh:00:00
    // closes the previous hour, midnight opens the first one.
    std::vector<Franja> PorHora(const std::string& raiz, const std::string& caja) {
        db::TQuery q;
        q.DatabaseName = (dir_ / "datos").string();
        q.SQL.Add("Select Fecha, TotDoc From V" + raiz + " Where Status = 'N' And Caja = '" + caja + "'");
        q.Open();
        std::vector<Franja> out(24);
        for (q.First(); !q.Eof(); q.Next()) {
            const double segundos = std::round((q.FieldByName("Fecha").AsDateTime() - kDia) * 86400);
            const int hora = std::max(0, static_cast<int>(std::ceil(segundos / 3600)) - 1);
            ++out[static_cast<size_t>(std::min(hora, 23))].notas;
            out[static_cast<size_t>(std::min(hora, 23))].monto += q.FieldByName("TotDoc").AsFloat();
        }
        return out;
    }
};

TEST_F(VentasHora, EachHourOfAGeneratedDayHoldsItsNotesOnce) {
    const auto o = GeneraDia(dir_ / "datos", kDia);
    for (int indice : {0, 1}) {  // register 01 on sheets, 02 on a roll
        const std::string caja = razir::demo::RegisterCode(o, 0, indice);
        SCOPED_TRACE(caja);
        report::CloseAllPreviews();
        const size_t antes = Previews().size();
        Play(RResumenVentaHora, "pick lkcmbCajas " + caja + "\nclick btnPreview");
        ASSERT_EQ(Previews().size(), antes + 1);
        const auto impreso = Lee(Previews().back());
        const auto esperado = PorHora(tables::DayFileStem(caja, kDia), caja);
        ASSERT_EQ(impreso.size(), 24u) << Previews().back();
        int notas = 0;
        for (size_t h = 0; h < 24; ++h) {
            EXPECT_EQ(impreso[h].notas, esperado[h].notas) << "hour " << h;
            EXPECT_NEAR(impreso[h].monto, esperado[h].monto, 0.005) << "hour " << h;
            notas += esperado[h].notas;
        }
        EXPECT_GT(notas, 10);
        if (indice == 1) {
            std::istringstream lineas(Previews().back());
            for (std::string l; std::getline(lineas, l);) EXPECT_LE(text::Utf8Length(l), 40u) << l;
        }
    }
    // The slot table goes with its dialog.
    for (const auto& e : fs::directory_iterator(dir_ / "datos"))
        EXPECT_EQ(e.path().filename().string().rfind("tmptabla", 0), std::string::npos) << e.path();
}

TEST_F(VentasHora, NotesAtMidnightOnTheHourAndInTheLastSecondCountOnce) {
    Catalogos();
    const auto v = tables::DayTable(tables::DayKind::Ventas, tables::DayFileStem("01", kDia));
    db::BatchWriter w((dir_ / "datos" / v.name).string(), v);
    int nota = 0;
    for (const auto& [h, m, s, status] : {std::tuple{0, 0, 0, "N"}, std::tuple{1, 0, 0, "N"}, std::tuple{1, 0, 1, "N"},
                                          std::tuple{23, 59, 59, "N"}, std::tuple{12, 0, 0, "C"}})
        w.Append(Fila(v, {{"Nota", std::to_string(++nota)}, {"Caja", "01"}, {"Status", status}, {"TotDoc", 10.0 * nota},
                          {"Fecha", db::Value::DateTime(kDia + text::EncodeTime(h, m, s))}}));
    w.Commit();
    Play(RResumenVentaHora, "click btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    const auto f = Lee(Previews()[0]);
    ASSERT_EQ(f.size(), 24u) << "every hour is listed, with or without sales\n" << Previews()[0];
    EXPECT_EQ(f[0].notas, 2) << "midnight and 01:00:00 close the first hour";
    EXPECT_DOUBLE_EQ(f[0].monto, 30.0);
    EXPECT_EQ(f[1].notas, 1);
    EXPECT_EQ(f[12].notas, 0) << "a cancelled note is no sale";
    EXPECT_EQ(f[23].notas, 1) << "the day's last second";
}

TEST_F(VentasHora, ADayWithoutItsFileIsToldAndNothingIsShown) {
    Catalogos();
    auto d = Play(RResumenVentaHora, "set edtFecDesde=06/10/2000\nclick btnPreview");
    ASSERT_EQ(d->Messages().size(), 1u);
    EXPECT_EQ(d->Messages()[0].request.text, "Archivo de ventas no existe");
    EXPECT_TRUE(Previews().empty());
}

}  // namespace
