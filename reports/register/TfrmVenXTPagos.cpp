// Sales by payment type (RVentasPorTPago): every payment of one register's day, the four
// payment slots of each paid note spread into one list by payment type, the cash corrected
// for the change given back, kept in a temporary table the layout reads.
// Not here: the notes' payments themselves (the point of sale wrote them into the day's file).
#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "host/velmor/vlmedit.h"
#include "platform/4_adapters/db/list_source.h"
#include "platform/2_db/query.h"
#include "platform/2_db/quote.h"
#include "platform/2_db/table.h"
#include "platform/3_report/names.h"
#include "platform/1_text/format.h"
#include "platform/2_vcl/dialogs.h"
#include "platform/2_vcl/edits.h"
#include "reports/framework/config.h"
#include "reports/framework/criteria.h"
#include "reports/framework/entry.h"
#include "reports/framework/report_table.h"
#include "reports/register/register_day.h"
#include "reports/framework/temp_table.h"

namespace reportes {
namespace {

constexpr const char* kCaption = "Ventas por formas de pago";
constexpr int kAyuda = 58;
constexpr const char* kSinVentas = "No existe archivo de ventas";
constexpr const char* kRango = "La clave de la forma de pago inicial no debe ser mayor a la final";
constexpr const char* kTodos = "Todos";
constexpr const char* kEfectivo = "01";

std::vector<db::FieldDef> CamposPago() {
    return {{"TPago", db::FieldType::String, 2, false},   {"Fecha", db::FieldType::DateTime, 0, false},
            {"NumNota", db::FieldType::String, 7, false}, {"Descripcio", db::FieldType::String, 20, false},
            {"Monto", db::FieldType::Float, 0, false},    {"TCambio", db::FieldType::Float, 0, false}};
}

struct Pago {
    std::string tpago, nota;
    double monto = 0, cambio = 1;
};

}  // namespace

class TfrmVenXTPagos : public TfrmDiaDeCaja {
public:
    explicit TfrmVenXTPagos(vcl::TComponent* owner);

    vcl::TDBLookupComboBox* lkcmbTPagoDesde;
    vcl::TDBLookupComboBox* lkcmbTPagoHasta;
    vcl::TDBLookupComboBox* lkcmbCajero;
    db::TTable tblUsuarios, tblTPagos;
    TTablaTemporal* tblQuery;

    // P1 the cashier (empty: all), P2 the day; the station's store and register.
    bool ModoDirecto(const std::string& p1, const std::string& p2) override;

protected:
    std::string ArchivoReporte() override { return "RVxTPago.QR2"; }
    void AlAbrirDataset(report::Dataset& ds) override { tblQuery->Apunta(ds); }
    void AlCargarReporte(report::Report& r) override;

private:
    bool EnRango(const std::string& tpago) const;
    // The day's payments into the table; false without the day's file.
    bool LlenaPagos();

    std::string strCajero, strNomCajero;
    db::TDataSetListSource fuenteCajeros_, fuenteTPagos_;
    Criterios criterios_;
};

TfrmVenXTPagos::TfrmVenXTPagos(vcl::TComponent* owner)
    : TfrmDiaDeCaja(owner, "TfrmVenXTPagos", kCaption, kAyuda, "&Nombre  de la tienda", "N&ombre de la caja", "Fec&ha"),
      fuenteCajeros_(tblUsuarios),
      fuenteTPagos_(tblTPagos),
      criterios_(*this) {
    TablaDelAlias(tblUsuarios, "tblUsuarios", "Usuarios.DB");
    TablaDelAlias(tblTPagos, "tblTPagos", "TPagos.DB");
    lkcmbTPagoDesde = NuevoLookup(this, "lkcmbTPagoDesde", &fuenteTPagos_, "TPAGO", "DESCRIPCIO;TPAGO",
                                  "Forma de pago inicia&l", 12, 102, 220, 136);
    lkcmbTPagoHasta = NuevoLookup(this, "lkcmbTPagoHasta", &fuenteTPagos_, "TPAGO", "DESCRIPCIO;TPAGO",
                                  "Forma de pago fin&al", 12, 132, 220, 136);
    lkcmbCajero = NuevoLookup(this, "lkcmbCajero", &fuenteCajeros_, "Usuario", "Usuario;Nick", "Caj&ero", 12, 162, 220, 136);
    NuevoTitulo(192, kCaption);
    ColocaBotones(228);

    tblQuery = new TTablaTemporal(this, "tmptabla", CamposPago());
    tblQuery->Dataset = "tmptabla_Tabla";
    camposDinero = {"lblSubTotal", "lblTotal", "lblMonto"};
    VarianteCuarenta(caja.cajas, "RVxTPago40.QR2");
    criterios_.Usuarios(lkcmbCajero, nullptr, &tblUsuarios);
    ConectaRango(lkcmbTPagoDesde, lkcmbTPagoHasta, kRango);

    OnCreate = [this, base = OnCreate](vcl::TObject* s) {
        base(s);
        tblUsuarios.Open();
        tblTPagos.Open();
        tblQuery->Crea();
    };
    lkcmbCajero->OnExit = [this](vcl::TObject*) {
        const std::string usuario = lkcmbCajero->KeyValue();
        if (usuario.empty() || !tblUsuarios.Locate("Usuario", {db::Value(usuario)})) return;
        strCajero = usuario;
        strNomCajero = tblUsuarios.FieldByName("Nombre").AsString();
    };
    AntesDeReportar([this] {
        if (LlenaPagos()) return true;
        vcl::MessageBox(kSinVentas, "Advertencia", vcl::MB_OK | vcl::MB_ICONINFORMATION);
        return false;
    });
}

bool TfrmVenXTPagos::ModoDirecto(const std::string& p1, const std::string& p2) {
    TomaEstacion(Configuracion().CajaActual, p2);
    strCajero = p1;
    strNomCajero.clear();
    if (!p1.empty() && tblUsuarios.Locate("Usuario", {db::Value(p1)}))
        strNomCajero = tblUsuarios.FieldByName("Nombre").AsString();
    edtTitReporte->SetText("Ventas por forma de pago");
    if (!LlenaPagos()) throw std::runtime_error(kSinVentas);
    ImprimeDirecto();
    tblQuery->Borra();
    return true;
}

bool TfrmVenXTPagos::EnRango(const std::string& tpago) const {
    return (strDesde.empty() || tpago >= strDesde) && (strHasta.empty() || tpago <= strHasta);
}

bool TfrmVenXTPagos::LlenaPagos() {
    fecha_ = edtFecDesde->TextAsDate();
    const std::string raiz = Raiz();
    if (!ExisteTabla(ArchivoDelDia(tables::DayKind::Ventas, raiz))) return false;

    // Every paid note of the register (and cashier) read once, its four slots spread here:
    // two equal payments of one note stay two, and no condition is bypassed.
    db::TQuery q;
    q.DatabaseName = kAlias;
    q.SQL.Add("Select * From V" + raiz);
    q.SQL.Add("Where Caja = " + db::QuoteValue(caja.codigo) + " And Status = 'N'");
    if (!strCajero.empty()) q.SQL.Add("And Cajero = " + db::QuoteValue(strCajero));
    q.Open();
    std::vector<Pago> pagos;
    for (q.First(); !q.Eof(); q.Next()) {
        const std::string nota = q.FieldByName("Nota").AsString();
        const double total = q.FieldByName("TotDoc").AsFloat();
        double suma = 0, efectivo = 0, cambioNota = 1;
        bool hayEfectivo = false, todosEnRango = true;
        for (int k = 1; k <= 4; ++k) {
            const std::string n = std::to_string(k);
            const std::string tpago = q.FieldByName("TPago" + n).AsString();
            if (tpago.empty()) continue;
            const double monto = q.FieldByName("MontoPago" + n).AsFloat();
            const double cambio = q.FieldByName("TipoCambio" + n).AsFloat();
            suma += monto;
            cambioNota = cambio;
            todosEnRango = todosEnRango && EnRango(tpago);
            if (tpago == kEfectivo) {
                hayEfectivo = true;
                efectivo += monto;
            } else if (EnRango(tpago)) {
                pagos.push_back({tpago, nota, monto, cambio});
            }
        }
        // The change leaves the drawer in cash: it comes off the cash received when every
        // payment of the note is in the report, and shows by itself when no cash came in.
        const double vuelto = std::max(0.0, suma - total);
        if (!EnRango(kEfectivo)) continue;
        if (hayEfectivo) pagos.push_back({kEfectivo, nota, todosEnRango ? efectivo - vuelto : efectivo, 1});
        else if (vuelto > 0) pagos.push_back({kEfectivo, nota, -vuelto, cambioNota});
    }
    q.Close();
    std::stable_sort(pagos.begin(), pagos.end(), [](const Pago& a, const Pago& b) {
        return std::tie(a.tpago, a.nota) < std::tie(b.tpago, b.nota);
    });

    std::map<std::string, std::string> descripciones;
    for (tblTPagos.First(); !tblTPagos.Eof(); tblTPagos.Next())
        descripciones[tblTPagos.FieldByName("TPAGO").AsString()] = tblTPagos.FieldByName("DESCRIPCIO").AsString();
    tblQuery->Crea();
    db::TTable t;
    t.DatabaseName = kAlias;
    t.TableName = tblQuery->TableName();
    t.Open();
    for (const Pago& p : pagos) {
        t.Append();
        t.FieldByName("TPago").SetAsString(p.tpago);
        t.FieldByName("NumNota").SetAsString(p.nota);
        t.FieldByName("Descripcio").SetAsString(descripciones[p.tpago]);
        t.FieldByName("Monto").SetAsFloat(p.monto);
        t.FieldByName("TCambio").SetAsFloat(p.cambio);
        t.Post();
    }
    t.Close();
    return true;
}

void TfrmVenXTPagos::AlCargarReporte(report::Report& r) {
    EncabezadoDelDia(r);
    r.SetCaption("lblNumCajero", strCajero.empty() ? kTodos : strCajero);
    r.SetCaption("lblNomCajero", strCajero.empty() ? "" : strNomCajero);
    if (!strDesde.empty() || !strHasta.empty()) {
        r.SetCaption("lblTodos", "");
        r.SetCaption("lblDesdePago", strDesde);
        r.SetCaption("lblHastaPago", strHasta);
    } else {
        for (const char* l : {"lblDesdePago", "lblHastaPago", "lblEDesde", "lblEHasta"}) r.SetCaption(l, "");
    }
}

}  // namespace reportes

REPORTES_EXPORT void RVentasPorTPago(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmVenXTPagos>(p1, p2, p3);
}
