// Sales by hour (RResumenVentaHora): the paid notes of one register's day counted and summed
// in time slots of 15 minutes to 2 hours, every slot listed even without sales, kept in a
// temporary table the layout reads.
// Not here: where the slots fall (hour_slots.h), the temporary table's life (temp_table.h).
#include <string>
#include <vector>

#include "host/velmor/vlmedit.h"
#include "platform/4_adapters/db/list_source.h"
#include "platform/2_db/query.h"
#include "platform/2_db/quote.h"
#include "platform/2_db/table.h"
#include "platform/1_text/format.h"
#include "platform/2_vcl/dialogs.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/lists.h"
#include "reports/framework/config.h"
#include "reports/framework/criteria.h"
#include "reports/framework/entry.h"
#include "reports/framework/hour_slots.h"
#include "reports/framework/report_table.h"
#include "reports/register/register_day.h"
#include "reports/framework/temp_table.h"

namespace reportes {
namespace {

constexpr const char* kCaption = "Ventas por hora";
constexpr int kAyuda = 56;
constexpr const char* kSinVentas = "Archivo de ventas no existe";
constexpr const char* kHoras = "La hora inicial no debe ser mayor que la hora final";
constexpr const char* kTodos = "Todos";
// Slot lengths of the radio group, in its order, and the title each gives.
constexpr int kMinutos[] = {15, 30, 60, 120};
constexpr const char* kTitulos[] = {"Ventas por cada 15 minutos", "Ventas por cada 30 minutos", "Ventas por hora",
                                    "Ventas por cada 2 horas"};
constexpr const char* kPeriodos[] = {"15 minutos", "30 minutos", "1 hora", "2 horas"};

std::vector<db::FieldDef> CamposFranja() {
    return {{"FechaIni", db::FieldType::DateTime, 0, false},
            {"FechaFin", db::FieldType::DateTime, 0, false},
            {"Cont", db::FieldType::Integer, 0, false},
            {"Monto", db::FieldType::Float, 0, false}};
}

}  // namespace

class TfrmVenXHora : public TfrmDiaDeCaja {
public:
    explicit TfrmVenXHora(vcl::TComponent* owner);

    vcl::TDBLookupComboBox* lkcmbCajero;
    vcl::TDBLookupComboBox* lkcmbVendedor;
    velmor::TVlmEdit* edtHoraIni;
    velmor::TVlmEdit* edtHoraFin;
    vcl::TRadioGroup* rgrpResumen;
    db::TTable tblUsuarios;
    TTablaTemporal* tblQuery;

    // P1 the cashier (empty: all), P2 the day; the station's store and register, hourly.
    bool ModoDirecto(const std::string& p1, const std::string& p2) override;

protected:
    std::string ArchivoReporte() override { return "RVenHora.QR2"; }
    void AlAbrirDataset(report::Dataset& ds) override { tblQuery->Apunta(ds); }
    void AlCargarReporte(report::Report& r) override;

private:
    void UsuarioExit(vcl::TDBLookupComboBox* combo, std::string& clave, std::string& nombre);
    void HoraExit(velmor::TVlmEdit* edit);
    // The slots of the chosen day into the table; false (and told) without the day's file.
    bool LlenaFranjas();
    text::TDateTime Hora(velmor::TVlmEdit* edit) const;

    std::string strCajero, strNomCajero, strVendedor, strNomVendedor;
    db::TDataSetListSource fuenteCajeros_, fuenteVendedores_;
    Criterios criterios_;
};

TfrmVenXHora::TfrmVenXHora(vcl::TComponent* owner)
    : TfrmDiaDeCaja(owner, "TfrmVenXHora", kCaption, kAyuda, "&Nombre  de la tienda", "N&ombre de la caja", "Fec&ha"),
      fuenteCajeros_(tblUsuarios),
      fuenteVendedores_(tblUsuarios),
      criterios_(*this) {
    TablaDelAlias(tblUsuarios, "tblUsuarios", "Usuarios.DB");
    lkcmbCajero = NuevoLookup(this, "lkcmbCajero", &fuenteCajeros_, "Usuario", "Usuario;Nick", "C&ajero", 12, 102, 220, 136);
    lkcmbVendedor = NuevoLookup(this, "lkcmbVendedor", &fuenteVendedores_, "Usuario", "Usuario;Nick", "&Vendedor", 12, 132, 220, 136);
    edtHoraIni = vcl::NewControl<velmor::TVlmEdit>(this, "edtHoraIni");
    edtHoraFin = vcl::NewControl<velmor::TVlmEdit>(this, "edtHoraFin");
    int izquierda = 148;
    for (auto* e : {edtHoraIni, edtHoraFin}) {
        e->SetTipoDeDato(velmor::tyHora);
        e->SetBounds(izquierda, 162, 70, 23);
        e->SetTabStop(true);
        e->OnExit = [this, e](vcl::TObject*) { HoraExit(e); };
        izquierda += 90;
    }
    auto* lblHora = vcl::NewControl<vcl::TLabel>(this, "lblHora");
    lblHora->SetCaption("&Hora (inicial y final)");
    lblHora->SetBounds(12, 166, 130, 16);
    lblHora->SetFocusControl(edtHoraIni);
    rgrpResumen = vcl::NewControl<vcl::TRadioGroup>(this, "rgrpResumen");
    rgrpResumen->SetCaption("P&eriodicidad ");
    rgrpResumen->SetColumns(2);
    rgrpResumen->SetBounds(12, 192, 356, 60);
    rgrpResumen->SetTabStop(true);
    for (const char* p : kPeriodos) rgrpResumen->Items().Add(p);
    NuevoTitulo(260, kTitulos[2]);
    ColocaBotones(296);

    tblQuery = new TTablaTemporal(this, "tmptabla", CamposFranja());
    tblQuery->Dataset = "tmptabla_Tabla";
    camposDinero = {"lblTotal", "lblMonto"};
    VarianteCuarenta(caja.cajas, "RVenHora40.QR2");
    criterios_.Usuarios(lkcmbCajero, lkcmbVendedor, &tblUsuarios);

    OnCreate = [this, base = OnCreate](vcl::TObject* s) {
        base(s);
        tblUsuarios.Open();
        edtHoraIni->SetText("00:00");
        edtHoraFin->SetText("23:59");
        rgrpResumen->SetItemIndex(2);
        tblQuery->Crea();
    };
    rgrpResumen->OnClick = [this](vcl::TObject*) {
        if (rgrpResumen->ItemIndex() >= 0) edtTitReporte->SetText(kTitulos[rgrpResumen->ItemIndex()]);
    };
    lkcmbCajero->OnExit = [this](vcl::TObject*) { UsuarioExit(lkcmbCajero, strCajero, strNomCajero); };
    lkcmbVendedor->OnExit = [this](vcl::TObject*) { UsuarioExit(lkcmbVendedor, strVendedor, strNomVendedor); };
    AntesDeReportar([this] { return LlenaFranjas(); });
}

void TfrmVenXHora::UsuarioExit(vcl::TDBLookupComboBox* combo, std::string& clave, std::string& nombre) {
    const std::string usuario = combo->KeyValue();
    if (usuario.empty() || !tblUsuarios.Locate("Usuario", {db::Value(usuario)})) return;
    clave = usuario;
    nombre = tblUsuarios.FieldByName("Nombre").AsString();
}

text::TDateTime TfrmVenXHora::Hora(velmor::TVlmEdit* edit) const {
    return text::StrToTime(edit->Text(), edit->Settings());
}

void TfrmVenXHora::HoraExit(velmor::TVlmEdit* edit) {
    if (SaliendoSinValidar(true)) return;
    try {
        if (Hora(edtHoraIni) <= Hora(edtHoraFin)) return;
        vcl::MessageBox(kHoras, "Advertencia", vcl::MB_OK | vcl::MB_ICONINFORMATION);
    } catch (const text::ConvertError& e) {
        vcl::MessageBox(e.what(), "Advertencia", vcl::MB_OK | vcl::MB_ICONINFORMATION);
    }
    edit->SetFocus();
}

bool TfrmVenXHora::ModoDirecto(const std::string& p1, const std::string& p2) {
    TomaEstacion(Configuracion().CajaActual, p2);
    strCajero = p1;
    strNomCajero.clear();
    if (!p1.empty() && tblUsuarios.Locate("Usuario", {db::Value(p1)}))
        strNomCajero = tblUsuarios.FieldByName("Nombre").AsString();
    if (!LlenaFranjas()) throw std::runtime_error(kSinVentas);
    ImprimeDirecto();
    tblQuery->Borra();
    return true;
}

bool TfrmVenXHora::LlenaFranjas() {
    try {
        fecha_ = edtFecDesde->TextAsDate();
        Hora(edtHoraIni);
        Hora(edtHoraFin);
    } catch (const text::ConvertError& e) {
        vcl::MessageBox(e.what(), "Advertencia", vcl::MB_OK | vcl::MB_ICONINFORMATION);
        return false;
    }
    const std::string raiz = Raiz();
    if (!ExisteTabla(ArchivoDelDia(tables::DayKind::Ventas, raiz))) {
        if (!bDirecto) vcl::MessageBox(kSinVentas, "Advertencia", vcl::MB_OK | vcl::MB_ICONEXCLAMATION);
        return false;
    }
    const int minutos = kMinutos[std::clamp(rgrpResumen->ItemIndex(), 0, 3)];
    const auto franjas = FranjasDelDia(fecha_, Hora(edtHoraIni), Hora(edtHoraFin), minutos);
    std::vector<long long> notas(franjas.size(), 0);
    std::vector<double> montos(franjas.size(), 0);

    db::TQuery q;
    q.DatabaseName = kAlias;
    q.SQL.Add("Select Fecha, TotDoc From V" + raiz);
    q.SQL.Add("Where Caja = " + db::QuoteValue(caja.codigo) + " And Status = 'N'");
    if (!strCajero.empty()) q.SQL.Add("And Cajero = " + db::QuoteValue(strCajero));
    if (!strVendedor.empty()) q.SQL.Add("And Vendedor = " + db::QuoteValue(strVendedor));
    q.Open();
    // Each note goes to the slot its time falls in, whatever order the rows come in.
    for (q.First(); !q.Eof(); q.Next()) {
        const auto k = FranjaDe(franjas, q.FieldByName("Fecha").AsDateTime());
        if (!k) continue;
        ++notas[*k];
        montos[*k] += q.FieldByName("TotDoc").AsFloat();
    }
    q.Close();

    tblQuery->Crea();
    db::TTable t;
    t.DatabaseName = kAlias;
    t.TableName = tblQuery->TableName();
    t.Open();
    for (size_t k = 0; k < franjas.size(); ++k) {
        t.Append();
        t.FieldByName("FechaIni").SetAsDateTime(franjas[k].ini);
        t.FieldByName("FechaFin").SetAsDateTime(franjas[k].fin);
        t.FieldByName("Cont").SetAsInteger(notas[k]);
        t.FieldByName("Monto").SetAsFloat(montos[k]);
        t.Post();
    }
    t.Close();
    return true;
}

void TfrmVenXHora::AlCargarReporte(report::Report& r) {
    EncabezadoDelDia(r);
    r.SetCaption("lblNumCajero", strCajero.empty() ? kTodos : strCajero);
    r.SetCaption("lblNomCajero", strCajero.empty() ? "" : strNomCajero);
    r.SetCaption("lblNumVendedor", strVendedor.empty() ? kTodos : strVendedor);
    r.SetCaption("lblNomVendedor", strVendedor.empty() ? "" : strNomVendedor);
}

}  // namespace reportes

REPORTES_EXPORT void RResumenVentaHora(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmVenXHora>(p1, p2, p3);
}
