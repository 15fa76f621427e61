// Sales by payment type played as a user: each type's subtotal of a generated day against SQL
// over the notes file, and a small day of the payment mixes that used to go wrong.
#include <map>
#include <regex>
#include <sstream>

#include "platform/2_db/query.h"
#include "platform/1_text/format.h"
#include "platform/6_schema/tables.h"
#include "tests/reports/register/day_rows.h"
#include "tests/reports/report_fixture.h"

extern "C" void RVentasPorTPago(const char*, const char*, bool);

namespace {

using Row = db::BatchWriter::Row;

const text::TDateTime kDia = text::EncodeDate(2000, 10, 5);

double Numero(std::string s) {
    std::erase(s, ',');
    std::erase(s, '$');
    std::erase(s, ' ');
    return std::stod(s);
}

// Each payment type's subtotal as printed: the group header "01  Efectivo", then "Subtotal".
std::map<std::string, double> Subtotales(const std::string& t) {
    std::map<std::string, double> out;
    const std::regex cabecera(R"(^(\d\d) +\S)"), subtotal(R"(Subtotal +(-?\$ ?-?[\d,]+\.\d\d))");
    std::istringstream lineas(t);
    std::string tipo;
    std::smatch m;
    for (std::string l; std::getline(lineas, l);) {
        if (std::regex_search(l, m, cabecera)) tipo = m[1];
        else if (std::regex_search(l, m, subtotal)) out[tipo] = Numero(m[1]);
    }
    return out;
}

class PorTipoDePago : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        config_.TiendaActual = "01";
        config_.CajaActual = "01";
        config_.FechaTrabajo = kDia;
    }
    double Sql(const std::string& sql) {
        db::TQuery q;
        q.DatabaseName = (dir_ / "datos").string();
        q.SQL.Add(sql);
        q.Open();
        return q.Eof() || q.Fields(0).IsNull() ? 0 : q.Fields(0).AsFloat();
    }
};

TEST_F(PorTipoDePago, EachTypesSubtotalOfAGeneratedDayEqualsItsPaymentsLessTheChange) {
    const auto o = GeneraDia(dir_ / "datos", kDia);
    const std::string caja = razir::demo::RegisterCode(o, 0, 0);
    Play(RVentasPorTPago, "click btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    const auto impreso = Subtotales(Previews()[0]);

    const std::string notas = " From V" + tables::DayFileStem(caja, kDia) + " Where Status = 'N' And Caja = '" + caja + "'";
    std::map<std::string, double> esperado;
    for (int k = 1; k <= 4; ++k) {
        db::TQuery q;
        q.DatabaseName = (dir_ / "datos").string();
        const std::string n = std::to_string(k);
        q.SQL.Add("Select TPago" + n + " As T, Sum(MontoPago" + n + ") As M" + notas + " And TPago" + n +
                  " Is Not Null Group By TPago" + n);
        q.Open();
        for (q.First(); !q.Eof(); q.Next()) esperado[q.FieldByName("T").AsString()] += q.FieldByName("M").AsFloat();
    }
    esperado["01"] -= Sql("Select Sum(MontoPago1 + MontoPago2 + MontoPago3 + MontoPago4 - TotDoc)" + notas);
    ASSERT_GE(esperado.size(), 3u);
    double total = 0;
    for (const auto& [tipo, monto] : esperado) {
        ASSERT_TRUE(impreso.count(tipo)) << tipo << "\n" << Previews()[0];
        EXPECT_NEAR(impreso.at(tipo), monto, 0.005) << tipo;
        total += monto;
    }
    EXPECT_EQ(impreso.size(), esperado.size());
    EXPECT_NEAR(total, Sql("Select Sum(TotDoc)" + notas), 0.005) << "every peso of the day, once";
}

// Notes of 100.00 paid in the mixes that matter, one cancelled and one of another register.
class PorTipoDePagoCasos : public PorTipoDePago {
protected:
    void SetUp() override {
        PorTipoDePago::SetUp();
        Fill(tables::Tiendas(), {Row{"01", "Centro", "Madero 12", "México", ""}});
        Fill(tables::Cajas(), {Row{"01", "01", "Caja uno", "", 0, "", 0, 0, 0},
                               Row{"01", "02", "Caja dos", "", 0, "", 0, 0, 0}});
        Fill(tables::Usuarios(), {Row{"015", "Rosa Ibarra", "Rosa", "01", "C"}});
        Fill(tables::TPagos(), {Row{"01", "EFECTIVO", 0, "01"}, Row{"02", "TARJETA", 0, "01"},
                                Row{"03", "DEBITO", 0, "01"}});
        const auto v = tables::DayTable(tables::DayKind::Ventas, tables::DayFileStem("01", kDia));
        db::BatchWriter w((dir_ / "datos" / v.name).string(), v);
        auto nota = [&](const char* numero, const char* status, std::vector<std::pair<const char*, double>> pagos,
                        const char* caja = "01") {
            std::map<std::string, db::Value> campos{{"Nota", numero}, {"Caja", caja}, {"Cajero", "015"},
                                                    {"Status", status}, {"TotDoc", 100.0}};
            for (size_t k = 0; k < pagos.size(); ++k) {
                const std::string n = std::to_string(k + 1);
                campos["TPago" + n] = pagos[k].first;
                campos["MontoPago" + n] = pagos[k].second;
                campos["TipoCambio" + n] = 1.0;
            }
            w.Append(Fila(v, campos));
        };
        nota("0000001", "N", {{"01", 150.0}});                 // cash 100.00
        nota("0000002", "N", {{"02", 60.0}, {"01", 50.0}});    // card 60.00, cash 40.00
        nota("0000003", "N", {{"02", 120.0}});                 // card 120.00, change -20.00
        nota("0000004", "N", {{"01", 50.0}, {"01", 50.0}});    // two equal cash payments: 100.00
        nota("0000005", "C", {{"03", 100.0}});                 // cancelled
        nota("0000006", "N", {{"03", 100.0}}, "02");           // another register
        w.Commit();
    }
};

TEST_F(PorTipoDePagoCasos, CashIsCorrectedForTheChangeAndOnlyTheRegistersPaidNotesCount) {
    const struct {
        const char* pasos;
        std::map<std::string, double> subtotales;
        const char* que;
    } casos[] = {
        {"click btnPreview", {{"01", 220.0}, {"02", 180.0}},
         "regression: two equal payments of one note merged into one, and the register's condition "
         "was bypassed for payments whose type had no row"},
        {"pick lkcmbTPagoDesde TARJETA\npick lkcmbTPagoHasta DEBITO\nclick btnPreview", {{"02", 180.0}},
         "a range above cash: no cash and no change line"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        report::CloseAllPreviews();
        const size_t antes = Previews().size();
        Play(RVentasPorTPago, c.pasos);
        ASSERT_EQ(Previews().size(), antes + 1);
        EXPECT_EQ(Subtotales(Previews().back()), c.subtotales) << Previews().back();
    }
}

TEST_F(PorTipoDePagoCasos, ADayWithoutItsFileIsToldAndNothingIsShown) {
    auto d = Play(RVentasPorTPago, "set edtFecDesde=06/10/2000\nclick btnPreview");
    ASSERT_EQ(d->Messages().size(), 1u);
    EXPECT_EQ(d->Messages()[0].request.text, "No existe archivo de ventas");
    EXPECT_TRUE(Previews().empty());
}

}  // namespace
