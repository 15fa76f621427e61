// The fiscal check (RCompFiscal) of one register's day: gross sales, discounts, net sales,
// each tax broken down by rate, total taxes, the administrative system's payments and advances
// taken at the register, and the total collected, written as lines into the layout's memo.
// Not here: the taxes of a note (the point of sale computed them into the day's lines).
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "host/velmor/vlmedit.h"
#include "platform/2_db/query.h"
#include "platform/2_db/quote.h"
#include "platform/2_db/table.h"
#include "platform/1_text/format.h"
#include "platform/1_text/utf8.h"
#include "platform/2_vcl/dialogs.h"
#include "reports/framework/config.h"
#include "reports/framework/date_edit.h"
#include "reports/framework/day_files.h"
#include "reports/framework/entry.h"
#include "reports/framework/report_table.h"
#include "reports/register/register_day.h"

namespace reportes {
namespace {

constexpr const char* kCaption = "Comprobación fiscal";
constexpr int kAyuda = 32;
constexpr const char* kSinVentas = "No existe archivo de ventas";
constexpr const char* kSinEsquema = "sin esquema";
constexpr std::size_t kLargoNombre = 18;

// The day's figures; amounts of tax i by rate, and of products without a known scheme.
struct Cifras {
    double partidas = 0, descuentos = 0, zod = 0;
    double impuesto[4] = {};
    std::map<double, double> tasas[4];
    double sinEsquema[4] = {};
    double TotalImpuestos() const { return impuesto[0] + impuesto[1] + impuesto[2] + impuesto[3]; }
    double Bruto() const { return partidas - TotalImpuestos() + descuentos; }
};

// Cut or padded with blanks to `n` characters.
std::string Pad(const std::string& s, std::size_t n) {
    const std::size_t largo = text::Utf8Length(s);
    if (largo >= n) return text::Utf8Left(s, n);
    return s + std::string(n - largo, ' ');
}

std::string Numero(double v, int ancho, int decimales) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%*.*f", ancho, decimales, v);
    return buf;
}

// The memo's lines: a caption, then the currency symbol and the amount, all amounts in one
// column (the memo prints in a fixed-pitch font). On a sheet captions take 30 places and
// amounts 20; a 40-column roll gives them 25 and 14, so no line passes 40 characters.
std::vector<std::string> Memo(const Cifras& c, const std::string (&nombres)[4], const std::string& simbolo,
                              int decimales, bool cuarenta) {
    auto L = [&](const std::string& etiqueta, double v) {
        return Pad(etiqueta, cuarenta ? 25 : 30) + simbolo + Numero(v, cuarenta ? 14 : 20, decimales);
    };
    const std::string raya(cuarenta ? 40 : 55, '-');
    std::vector<std::string> l;
    l.push_back(L("  Ventas", c.Bruto()));
    l.push_back(L("- Descuentos", c.descuentos));
    l.push_back(raya);
    l.push_back(L("  Ventas netas", c.Bruto() - c.descuentos));
    l.push_back("");
    for (int i = 0; i < 4; ++i) {
        if (c.tasas[i].empty() && c.sinEsquema[i] == 0) continue;
        l.push_back("+ " + nombres[i]);
        for (const auto& [tasa, monto] : c.tasas[i])
            l.push_back(L(cuarenta ? "     al " + Numero(tasa, 0, decimales) + "%"
                                   : Pad("          al ", 17) + Numero(tasa, 8, decimales) + "%",
                          monto));
        if (c.sinEsquema[i] != 0) l.push_back(L(std::string("     ") + kSinEsquema, c.sinEsquema[i]));
        l.push_back(raya);
        l.push_back(L((cuarenta ? "Total " : "Total de ") + nombres[i], c.impuesto[i]));
        l.push_back("");
    }
    l.push_back("");
    l.push_back(L("Total de Impuestos", c.TotalImpuestos()));
    l.push_back("");
    if (c.zod != 0) {
        l.push_back(L("Pagos y anticipos ZOD", c.zod));
        l.push_back("");
    }
    l.push_back(L("Total Cobrado", c.TotalImpuestos() + c.zod + c.Bruto() - c.descuentos));
    l.push_back(c.zod != 0 ? "(Ventas netas + ZOD + Impuestos)" : "(Ventas netas + Impuestos)");
    return l;
}

}  // namespace

class TfrmCompFiscal : public TfrmDiaDeCaja {
public:
    explicit TfrmCompFiscal(vcl::TComponent* owner);

    db::TTable tblEsquemas;

    // P1 the register, P2 the day; the station's store.
    bool ModoDirecto(const std::string& p1, const std::string& p2) override;

protected:
    std::string ArchivoReporte() override { return "RComFis.QR2"; }
    void AlCargarReporte(report::Report& r) override;

private:
    // The figures of the chosen day; false when its files are not there.
    bool CalculaCifras();

    Cifras cifras_;
};

TfrmCompFiscal::TfrmCompFiscal(vcl::TComponent* owner)
    : TfrmDiaDeCaja(owner, "TfrmCompFiscal", kCaption, kAyuda, "Nombre de la &tienda", "&Nombre de la caja", "&Fecha") {
    TablaDelAlias(tblEsquemas, "tblEsquemas", "EsqImp.DB");
    ColocaBotones(112);
    VarianteCuarenta(caja.cajas, "RComFis40.QR2");
    // A day without its files is told and the dialog stays open for another day.
    AntesDeReportar([this] {
        if (CalculaCifras()) return true;
        vcl::MessageBox(kSinVentas, "Advertencia", vcl::MB_OK | vcl::MB_ICONINFORMATION);
        return false;
    });
}

bool TfrmCompFiscal::ModoDirecto(const std::string& p1, const std::string& p2) {
    TomaEstacion(p1, p2);
    if (!CalculaCifras()) throw std::runtime_error(std::string(kSinVentas) + " (" + Raiz() + ")");
    ImprimeDirecto();
    return true;
}

bool TfrmCompFiscal::CalculaCifras() {
    fecha_ = edtFecDesde->TextAsDate();
    const std::string raiz = Raiz();
    if (!ExisteTabla(ArchivoDelDia(tables::DayKind::Detalle, raiz)) ||
        !ExisteTabla(ArchivoDelDia(tables::DayKind::Ventas, raiz)))
        return false;
    cifras_ = Cifras{};
    const std::string laCaja = db::QuoteValue(caja.codigo);

    db::TQuery q;
    q.DatabaseName = kAlias;
    q.SQL.Add("Select Sum(TotDoc) As Zod From V" + raiz);
    q.SQL.Add("Where Status = 'N' And (TipoDocZOD = 'A' Or TipoDocZOD = 'P') And Caja = " + laCaja);
    q.Open();
    if (!q.Eof()) cifras_.zod = q.FieldByName("Zod").AsFloat();
    q.Close();

    // Lines joined to their own note (a store's file holds every register's notes, and note
    // numbers repeat across registers); a product missing from the catalogue still counts.
    q.SQL.Clear();
    q.SQL.Add("SELECT D.CAJA, C.ESQIMP, SUM(D.TOTIMP1) AS TOTIMP1, SUM(D.TOTIMP2) AS TOTIMP2, "
              "SUM(D.TOTIMP3) AS TOTIMP3, SUM(D.TOTIMP4) AS TOTIMP4, SUM(D.TOTDESC) AS TOTDESC, "
              "SUM(D.TOTPARTIDA) AS TOTPARTIDA");
    q.SQL.Add("FROM D" + raiz + " D INNER JOIN V" + raiz + " V ON V.NOTA = D.NOTA AND V.CAJA = D.CAJA");
    q.SQL.Add("LEFT OUTER JOIN CATINVEN C ON C.PRODUCTO = D.PRODUCTO");
    q.SQL.Add("WHERE V.STATUS = 'N' AND (D.TIPOPRODUCTO IS NULL OR D.TIPOPRODUCTO <> 'P')");
    q.SQL.Add("AND D.CAJA = " + laCaja);
    q.SQL.Add("GROUP BY D.CAJA, C.ESQIMP");
    q.Open();
    tblEsquemas.Open();
    for (q.First(); !q.Eof(); q.Next()) {
        const std::string esquema = q.FieldByName("ESQIMP").AsString();
        // A scheme missing from the table gives no rate: its taxes count apart, never at the
        // rates of whatever scheme was read before.
        const bool conEsquema = !esquema.empty() && tblEsquemas.Locate("Clave", {db::Value(esquema)});
        for (int i = 0; i < 4; ++i) {
            const std::string n = std::to_string(i + 1);
            const double monto = q.FieldByName("TOTIMP" + n).AsFloat();
            const double tasa = conEsquema ? tblEsquemas.FieldByName("Porcen" + n).AsFloat() : 0;
            if (conEsquema && tasa == 0) continue;
            if (conEsquema) cifras_.tasas[i][tasa] += monto;
            else if (monto == 0) continue;
            else cifras_.sinEsquema[i] += monto;
            cifras_.impuesto[i] += monto;
        }
        cifras_.descuentos += q.FieldByName("TOTDESC").AsFloat();
        cifras_.partidas += q.FieldByName("TOTPARTIDA").AsFloat();
    }
    tblEsquemas.Close();
    return true;
}

void TfrmCompFiscal::AlCargarReporte(report::Report& r) {
    const auto& cfg = Configuracion();
    const auto& f = rppdlg->Formats;
    const std::string nombres[4] = {Pad(cfg.NomImpuesto1, kLargoNombre), Pad(cfg.NomImpuesto2, kLargoNombre),
                                    Pad(cfg.NomImpuesto3, kLargoNombre), Pad(cfg.NomImpuesto4, kLargoNombre)};
    std::string memo;
    for (const auto& linea : Memo(cifras_, nombres, f.CurrencyString, f.CurrencyDecimals, ArchivoElegido() != ArchivoReporte()))
        memo += linea + "\n";
    r.SetCaption("lblMemo", memo);
    EncabezadoDelDia(r);
}

}  // namespace reportes

REPORTES_EXPORT void RCompFiscal(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmCompFiscal>(p1, p2, p3);
}
