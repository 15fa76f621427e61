// Commissions by seller played as a user: each seller's commission and commissionable amount
// over a generated day against SQL over the day's files, and a small day of the notes that
// used to go wrong (other registers' lines, cancelled notes, a line without a rate).
#include <map>
#include <regex>
#include <sstream>
#include <utility>

#include "host/velmor/help.h"
#include "platform/2_db/query.h"
#include "platform/6_schema/tables.h"
#include "tests/reports/register/day_rows.h"
#include "tests/reports/report_fixture.h"

extern "C" void RComPorVendedor(const char*, const char*, bool);

namespace {

using Row = db::BatchWriter::Row;
// Per seller: commissionable amount and commission.
using Cifras = std::map<std::string, std::pair<double, double>>;

const text::TDateTime kDia = text::EncodeDate(2000, 10, 5);

double Numero(std::string s) {
    std::erase(s, ',');
    std::erase(s, '$');
    std::erase(s, ' ');
    return std::stod(s);
}

// Each seller's subtotals as printed: the group header "101 Nick ...", then "Subtotal".
Cifras Subtotales(const std::string& t) {
    Cifras out;
    const std::regex cabecera(R"(^\s*(\d{3}) +\S)"),
        subtotal(R"(Subtotal[^$]*(-?\$ ?-?[\d,]+\.\d\d) +(-?\$ ?-?[\d,]+\.\d\d))");
    std::istringstream lineas(t);
    std::string vendedor;
    std::smatch m;
    for (std::string l; std::getline(lineas, l);) {
        if (std::regex_search(l, m, cabecera)) vendedor = m[1];
        else if (std::regex_search(l, m, subtotal)) out[vendedor] = {Numero(m[1]), Numero(m[2])};
    }
    return out;
}

class Comisiones : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        config_.TiendaActual = "01";
        config_.CajaActual = "01";
        config_.FechaTrabajo = kDia;
    }
};

TEST_F(Comisiones, EachSellersFiguresOfAGeneratedDayEqualSqlOverItsFiles) {
    for (bool porTienda : {false, true})
    for (int indice : {0, 1}) {  // register 01 prints on sheets, 02 on a roll
        SCOPED_TRACE(std::string(porTienda ? "files per store" : "files per register") + ", register " + std::to_string(indice));
        report::CloseAllPreviews();
        const auto o = GeneraDia(dir_ / "datos", kDia, porTienda);
        config_.ArchivosPorTienda = porTienda;
        config_.TiendaActual = razir::demo::StoreCode(0);
        const std::string caja = razir::demo::RegisterCode(o, 0, indice);
        const size_t antes = Previews().size();
        Play(RComPorVendedor, "pick lkcmbCajas " + caja + "\nclick btnPreview");
        ASSERT_EQ(Previews().size(), antes + 1);
        const Cifras impreso = Subtotales(Previews().back());

        const std::string raiz = tables::DayFileStem(porTienda ? razir::demo::StoreCode(0) : caja, kDia);
        db::TQuery q;
        q.DatabaseName = (dir_ / "datos").string();
        q.SQL.Add("Select D.Vendedor, Sum(D.TotComis * 100 / D.Comision) As Partida, Sum(D.TotComis) As Comision"
                  " From D" + raiz + " D, V" + raiz + " V, Usuarios U Where D.Nota = V.Nota And D.Caja = V.Caja"
                  " And V.Status = 'N' And V.Caja = '" + caja + "' And U.Usuario = D.Vendedor"
                  " And D.Comision <> 0 Group By D.Vendedor");
        q.Open();
        Cifras esperado;
        for (q.First(); !q.Eof(); q.Next())
            esperado[q.FieldByName("Vendedor").AsString()] = {q.FieldByName("Partida").AsFloat(), q.FieldByName("Comision").AsFloat()};
        ASSERT_GE(esperado.size(), 1u);
        EXPECT_EQ(impreso.size(), esperado.size()) << Previews().back();
        for (const auto& [vendedor, cifras] : esperado) {
            ASSERT_TRUE(impreso.count(vendedor)) << vendedor << "\n" << Previews().back();
            EXPECT_NEAR(impreso.at(vendedor).first, cifras.first, 0.005) << vendedor;
            EXPECT_NEAR(impreso.at(vendedor).second, cifras.second, 0.005) << vendedor;
        }
    }
}

// A store's day file with two registers whose note numbers repeat, sellers 101 and 102.
class ComisionesCasos : public Comisiones {
protected:
    void SetUp() override {
        Comisiones::SetUp();
        config_.ArchivosPorTienda = true;
        Fill(tables::Tiendas(), {Row{"01", "Centro", "Madero 12", "México", ""}});
        Fill(tables::Cajas(), {Row{"01", "01", "Caja uno", "", 0, "", 0, 0, 0},
                               Row{"01", "02", "Caja dos", "", 0, "", 0, 0, 0}});
        Fill(tables::Usuarios(), {Row{"015", "Rosa Ibarra", "Rosa", "01", "C"},
                                  Row{"101", "Juan Pérez", "Juan", "01", "D"},
                                  Row{"102", "Ana López", "Ana", "01", "D"}});
        const std::string raiz = tables::DayFileStem("01", kDia);
        const auto v = tables::DayTable(tables::DayKind::Ventas, raiz);
        const auto d = tables::DayTable(tables::DayKind::Detalle, raiz);
        db::BatchWriter wv((dir_ / "datos" / v.name).string(), v);
        db::BatchWriter wd((dir_ / "datos" / d.name).string(), d);
        auto nota = [&](const char* numero, const char* caja, const char* status, double total) {
            wv.Append(Fila(v, {{"Nota", numero}, {"Caja", caja}, {"Cajero", "015"}, {"Status", status},
                               {"TotDoc", total}, {"NombreCli", "Público en general"}, {"Fecha", kDia + 0.5}}));
        };
        int64_t renglon = 0;
        auto linea = [&](const char* numero, const char* caja, const char* vendedor, double tasa, double comision) {
            wd.Append(Fila(d, {{"Nota", numero}, {"Caja", caja}, {"Renglon", ++renglon}, {"Vendedor", vendedor},
                               {"Comision", tasa}, {"TotComis", comision}}));
        };
        nota("0000001", "01", "N", 90.0);
        linea("0000001", "01", "101", 10, 5);   // 50.00 at 10%
        linea("0000001", "01", "102", 5, 2);    // 40.00 at 5%
        nota("0000002", "01", "C", 1000.0);
        linea("0000002", "01", "101", 10, 100);  // cancelled
        nota("0000001", "02", "N", 70.0);
        linea("0000001", "02", "101", 10, 7);    // the same number at the other register
        nota("0000003", "01", "N", 30.0);
        linea("0000003", "01", "101", 0, 0);     // no rate: earns nothing
        linea("0000003", "01", "101", 10, 3);    // 30.00 at 10%
        wv.Commit();
        wd.Commit();
    }
};

TEST_F(ComisionesCasos, OnlyTheRegistersPaidNotesCountAndALineWithoutARateAddsNothing) {
    const struct {
        const char* pasos;
        Cifras subtotales;
        const char* que;
    } casos[] = {
        {"click btnPreview", {{"101", {80.0, 8.0}}, {"102", {40.0, 2.0}}},
         "regression: lines were joined by note alone and took the other register's note 0000001"},
        {"pick lkcmbCajas 02\nclick btnPreview", {{"101", {70.0, 7.0}}}, "the other register's own day"},
        {"pick lkcmbVenHasta 101\nclick btnPreview", {{"101", {80.0, 8.0}}},
         "only the final seller: from the first seller up to it"},
        {"pick lkcmbVenDesde 102\npick lkcmbVenHasta 102\nclick btnPreview", {{"102", {40.0, 2.0}}}, "one seller"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        report::CloseAllPreviews();
        const size_t antes = Previews().size();
        Play(RComPorVendedor, c.pasos);
        ASSERT_EQ(Previews().size(), antes + 1);
        EXPECT_EQ(Subtotales(Previews().back()), c.subtotales) << Previews().back();
    }
}

// Regression: the dialog replaced a table of its base name, which another station's open
// report may be reading.
TEST_F(ComisionesCasos, AnotherStationsTableOfTheSameNameIsLeftAlone) {
    db::TableDef ajena{"tmpTabla", {{"Usuario", db::FieldType::String, 3, false}}, {}};
    Fill(ajena, {Row{"999"}});
    Play(RComPorVendedor, "click btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    db::TQuery q;
    q.DatabaseName = (dir_ / "datos").string();
    q.SQL.Add("Select Usuario From tmpTabla");
    q.Open();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldByName("Usuario").AsString(), "999");
}

TEST_F(ComisionesCasos, ADayWithoutItsFilesIsToldAndNothingIsShown) {
    auto d = Play(RComPorVendedor, "set edtFecDesde=06/10/2000\nclick btnPreview");
    ASSERT_EQ(d->Messages().size(), 1u);
    EXPECT_EQ(d->Messages()[0].request.text, "Archivo de ventas no existe");
    EXPECT_TRUE(Previews().empty());
}

TEST_F(ComisionesCasos, HelpOpensTheReportsOwnPageOfTheFileTheAccessGives) {
    const struct { bool accesoTotal; const char* pagina; } casos[] = {{true, "Razir.chm::/31.htm"}, {false, "Tolmaa.chm::/531.htm"}};
    for (const auto& c : casos) {
        config_.AccesoTotal = c.accesoTotal;
        Play(RComPorVendedor, "click btnAyuda");
        EXPECT_EQ(velmor::LastHelpAddress(), (dir_ / c.pagina).string());
    }
}

}  // namespace
