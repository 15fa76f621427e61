// The fiscal check played as a user: the figures of a generated day against SQL over the same
// files, and a small day holding the cases that used to go wrong.
#include <cstdio>
#include <map>

#include "host/razir/demo/generator.h"
#include "platform/2_db/query.h"
#include "platform/1_text/utf8.h"
#include "platform/6_schema/tables.h"
#include "tests/reports/register/day_rows.h"
#include "tests/reports/report_fixture.h"

extern "C" void RCompFiscal(const char*, const char*, bool);

namespace {

using Row = db::BatchWriter::Row;

const text::TDateTime kDia = text::EncodeDate(2000, 10, 5);

bool Has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

// An amount as the memo ends a line with it, on a sheet or on the roll.
std::string AlFinal(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, " %.2f\n", v);
    return buf;
}

// Whether one line of `t` holds the rate and ends with the amount.
bool LineaDeTasa(const std::string& t, double tasa, double monto) {
    char porcentaje[32];
    std::snprintf(porcentaje, sizeof porcentaje, "%.2f%%", tasa);
    std::size_t inicio = 0;
    for (std::size_t fin; (fin = t.find('\n', inicio)) != std::string::npos; inicio = fin + 1) {
        const std::string linea = t.substr(inicio, fin - inicio + 1);
        if (Has(linea, " al ") && Has(linea, porcentaje) && linea.ends_with(AlFinal(monto))) return true;
    }
    return false;
}

std::string Importe(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "$%20.2f", v);
    return buf;
}

class Fiscal : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        config_.TiendaActual = "01";
        config_.CajaActual = "01";
        config_.NomImpuesto1 = "IVA";
        config_.NomImpuesto2 = "IEPS";
    }
    double Sql(const std::string& sql) {
        db::TQuery q;
        q.DatabaseName = (dir_ / "datos").string();
        q.SQL.Add(sql);
        q.Open();
        return q.Eof() ? 0 : q.Fields(0).AsFloat();
    }
    std::map<double, double> PorTasa(int i, const std::string& raiz, const std::string& caja) {
        const std::string n = std::to_string(i);
        db::TQuery q;
        q.DatabaseName = (dir_ / "datos").string();
        q.SQL.Add("Select E.Porcen" + n + " As Tasa, Sum(D.TotImp" + n + ") As Monto From D" + raiz + " D, V" + raiz +
                  " V, CatInven C, EsqImp E Where D.Nota = V.Nota And D.Caja = V.Caja And V.Status = 'N' "
                  "And (D.TipoProducto Is Null Or D.TipoProducto <> 'P') And C.Producto = D.Producto And E.Clave = C.EsqImp And D.Caja = '" +
                  caja + "' And E.Porcen" + n + " <> 0 Group By E.Porcen" + n);
        q.Open();
        std::map<double, double> out;
        for (q.First(); !q.Eof(); q.Next()) out[q.FieldByName("Tasa").AsFloat()] = q.FieldByName("Monto").AsFloat();
        return out;
    }
};

TEST_F(Fiscal, TheFiguresOfAGeneratedDayEqualSqlOverItsFiles) {
    for (bool porTienda : {false, true})
    for (int indice : {0, 1}) {  // register 01 prints on sheets, 02 on a roll
        SCOPED_TRACE(std::string(porTienda ? "files per store" : "files per register") + ", register " + std::to_string(indice));
        report::CloseAllPreviews();
        const auto o = GeneraDia(dir_ / "datos", kDia, porTienda);
        config_.ArchivosPorTienda = porTienda;
        const std::string caja = razir::demo::RegisterCode(o, 0, indice);
        const size_t antes = Previews().size();
        Play(RCompFiscal, "set edtFecDesde=05/10/2000\npick lkcmbCajas " + caja + "\nclick btnPreview");
        ASSERT_EQ(Previews().size(), antes + 1);
        const std::string& t = Previews().back();

        const std::string raiz = tables::DayFileStem(porTienda ? razir::demo::StoreCode(0) : caja, kDia);
        const std::string notas = " From V" + raiz + " Where Status = 'N' And Caja = '" + caja + "'";
        const std::string lineas = " From D" + raiz + " D, V" + raiz + " V Where D.Nota = V.Nota And D.Caja = V.Caja"
                                   " And V.Status = 'N' And (D.TipoProducto Is Null Or D.TipoProducto <> 'P') And D.Caja = '" + caja + "'";
        const double impuestos = Sql("Select Sum(D.TotImp1 + D.TotImp2 + D.TotImp3 + D.TotImp4)" + lineas);
        const double descuentos = Sql("Select Sum(D.TotDesc)" + lineas);
        const double neto = Sql("Select Sum(D.TotPartida)" + lineas) - impuestos;
        const struct { const char* que; double monto; } cifras[] = {
            {"gross", neto + descuentos},
            {"discounts", descuentos},
            {"net", neto},
            {"taxes", impuestos},
            // Every paid document's total, the administrative system's included, is collected.
            {"collected", Sql("Select Sum(TotDoc)" + notas)},
        };
        for (const auto& c : cifras) EXPECT_TRUE(Has(t, AlFinal(c.monto))) << c.que << AlFinal(c.monto) << t;
        for (int i = 1; i <= 2; ++i) {
            const auto tasas = PorTasa(i, raiz, caja);
            ASSERT_FALSE(tasas.empty());
            for (const auto& [tasa, monto] : tasas)
                EXPECT_TRUE(LineaDeTasa(t, tasa, monto)) << "tax " << i << " at " << tasa << ": " << monto << "\n" << t;
        }
    }
}

// One day kept per store, the store's two registers sharing note number 000001.
class FiscalCasos : public Fiscal {
protected:
    void SetUp() override {
        Fiscal::SetUp();
        config_.ArchivosPorTienda = true;
        Fill(tables::Tiendas(), {Row{"01", "Centro", "Madero 12", "México", ""}});
        Fill(tables::Cajas(), {Row{"01", "01", "Caja uno", "", 0, "", 0, 0, 0},
                               Row{"01", "02", "Caja rollo", "", 1, "", 0, 0, 0}});
        const auto cat = tables::CatInven();
        Fill(cat, {Fila(cat, {{"Producto", "P1"}, {"Descripcio", "Café"}, {"EsqImp", "IVA"}}),
                   Fila(cat, {{"Producto", "P2"}, {"Descripcio", "Té"}, {"EsqImp", "ZZZ"}})});
        Fill(tables::EsqImp(), {Row{"IVA", "IVA general", 16.0, 0.0, 0.0, 0.0, 0, 0, 0}});
        const std::string raiz = tables::DayFileStem("01", kDia);
        const auto v = tables::DayTable(tables::DayKind::Ventas, raiz);
        db::BatchWriter wv((dir_ / "datos" / v.name).string(), v);
        for (const auto& [nota, caja, status, zod, total] :
             {std::tuple{"000001", "01", "N", "", 184.8}, std::tuple{"000001", "02", "N", "", 232.0},
              std::tuple{"000002", "01", "N", "A", 500.0}, std::tuple{"000003", "01", "C", "", 58.0}})
            wv.Append(Fila(v, {{"Nota", nota}, {"Caja", caja}, {"Status", status}, {"TIPODOCZOD", zod}, {"TotDoc", total}}));
        wv.Commit();
        const auto d = tables::DayTable(tables::DayKind::Detalle, raiz);
        db::BatchWriter wd((dir_ / "datos" / d.name).string(), d);
        int renglon = 0;
        for (const auto& [nota, caja, producto, partida, iva] :
             {std::tuple{"000001", "01", "P1", 116.0, 16.0}, std::tuple{"000001", "01", "PX", 58.0, 8.0},
              std::tuple{"000001", "01", "P2", 10.8, 0.8}, std::tuple{"000001", "02", "P1", 232.0, 32.0},
              std::tuple{"000003", "01", "P1", 58.0, 8.0}})
            wd.Append(Fila(d, {{"Nota", nota}, {"Caja", caja}, {"Renglon", ++renglon}, {"Producto", producto},
                               {"TipoProducto", ""}, {"TotPartida", partida}, {"TotDesc", 0.0}, {"TotImp1", iva}}));
        wd.Commit();
    }
};

TEST_F(FiscalCasos, EveryLineOfTheRegistersPaidNotesCountsOnceAtItsRate) {
    Play(RCompFiscal, "set edtFecDesde=05/10/2000\nclick btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    const std::string& t = Previews()[0];
    const struct { const char* fallo; std::string texto; } casos[] = {
        {"regression: the lines of a product missing from the catalogue vanished", Importe(160.0)},
        {"regression: register 02's note 000001 was joined to register 01's lines", "Total de IVA" + std::string(18, ' ') + Importe(24.8)},
        {"regression: a scheme missing from EsqImp took the rates of the scheme read before", "sin esquema"},
        {"regression: the scheme-less taxes", Importe(8.8)},
        {"the known rate", "16.00%    " + Importe(16.0)},
        {"regression: payments and advances were summed and then zeroed", "Pagos y anticipos ZOD         " + Importe(500.0)},
        {"total collected: net + taxes + payments and advances", "Total Cobrado                 " + Importe(684.8)},
        {"with payments and advances", "(Ventas netas + ZOD + Impuestos)"},
    };
    for (const auto& c : casos) EXPECT_TRUE(Has(t, c.texto)) << c.fallo << ": " << c.texto << "\n" << t;
}

TEST_F(FiscalCasos, TheRollVariantKeepsEveryLineWithinFortyColumns) {
    Play(RCompFiscal, "set edtFecDesde=05/10/2000\npick lkcmbCajas 02\nclick btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    const std::string& t = Previews()[0];
    EXPECT_TRUE(Has(t, "Total IVA")) << t;
    std::size_t inicio = 0;
    for (std::size_t fin; (fin = t.find('\n', inicio)) != std::string::npos; inicio = fin + 1)
        EXPECT_LE(text::Utf8Length(t.substr(inicio, fin - inicio)), 40u) << "regression: memo lines ran past the roll\n" << t;
}

TEST_F(FiscalCasos, ADayWithoutFilesIsToldAndNothingIsShown) {
    auto d = Play(RCompFiscal, "set edtFecDesde=06/10/2000\nclick btnPreview");
    ASSERT_EQ(d->Messages().size(), 1u);
    EXPECT_EQ(d->Messages()[0].request.text, "No existe archivo de ventas");
    EXPECT_TRUE(d->EndedWithFormOpen());
    EXPECT_TRUE(Previews().empty());
}

}  // namespace

namespace {

// Direct mode: P1 the register, P2 the day, printed at once; no printer service here, so the
// job lands as a file named after the layout (the roll's, register 02 having BLectOp set).
TEST_F(FiscalCasos, DirectModePrintsTheGivenRegistersDayAtOnce) {
    const fs::path antes = fs::current_path();
    fs::current_path(dir_);
    vcl::ScriptDriver driver;
    {
        vcl::DriverScope scope(driver);
        RCompFiscal("02", "05/10/2000", true);
    }
    fs::current_path(antes);
    EXPECT_TRUE(driver.Messages().empty());
    EXPECT_TRUE(fs::exists(dir_ / "RComFis40.pdf"));
}

}  // namespace
