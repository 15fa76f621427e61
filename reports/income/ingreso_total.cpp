// The shared part of the income statistics by store and by cashier: dates, summary buttons,
// title, period fill, date parameters and heading.
#include "reports/income/ingreso_total.h"

#include <cmath>

#include "platform/3_report/names.h"
#include "platform/1_text/format.h"
#include "platform/2_vcl/application.h"
#include "reports/framework/config.h"
#include "reports/framework/periods.h"

namespace reportes {
namespace {

constexpr const char* kFormatoFechaRango = "dd'/'mmm'/'yyyy";
constexpr const char* kNombresResumen[] = {"Diario", "Semanal", "Quincenal", "Mensual"};
constexpr int kTitReporteMax = 60;
constexpr double kUltimoSegundo = (24.0 * 3600.0 - 1.0) / (24.0 * 3600.0);

}  // namespace

TfrmIngresoTotal::TfrmIngresoTotal(vcl::TComponent* owner, const Textos& t)
    : TfrmReporte(owner, t.clase, t.caption, t.helpContext),
      resumen(this, "&Resumen", {"&Diario", "&Semanal", "&Quincenal", "&Mensual"}),
      fuenteTiendas_(tblTiendas),
      fuenteUsuarios_(tblUsuarios),
      layout_(t.layout) {
    tblTiendas.Name = "tblTiendas";
    tblTiendas.DatabaseName = kAlias;
    tblTiendas.TableName = "Tiendas";
    tblUsuarios.Name = "tblUsuarios";
    tblUsuarios.DatabaseName = kAlias;
    tblUsuarios.TableName = "Usuarios.DB";

    auto* grpFecha = vcl::NewControl<vcl::TGroupBox>(this, "grpFecha");
    grpFecha->SetCaption(" &Fecha ");
    grpFecha->SetBounds(12, 8, 356, 54);
    edtFecIni = vcl::NewControl<velmor::TVlmEdit>(grpFecha, "edtFecIni");
    edtFecFin = vcl::NewControl<velmor::TVlmEdit>(grpFecha, "edtFecFin");
    int left = 12;
    for (auto [edit, caption] : {std::pair{edtFecIni, "Inicial"}, std::pair{edtFecFin, "Final"}}) {
        auto* lbl = vcl::NewControl<vcl::TLabel>(grpFecha, std::string("lbl") + edit->Name());
        lbl->SetCaption(caption);
        lbl->SetBounds(left, 24, 50, 16);
        edit->SetBounds(left + 52, 20, 104, 23);
        edit->SetTabStop(true);
        left += 172;
    }
    criterios.Fechas(edtFecIni, edtFecFin);
    for (auto* e : {edtFecIni, edtFecFin}) {
        e->SetBoton1Hint("F2 Consulta fechas");
        e->OnExit = [this](vcl::TObject* s) { RevisaFechas(s); };
    }
    topCriterios_ = 70;

    edtTitReporte = vcl::NewControl<vcl::TEdit>(this, "edtTitReporte");
    edtTitReporte->SetMaxLength(kTitReporteMax);
    edtTitReporte->SetText(t.tituloDefecto);
    edtTitReporte->SetTabStop(true);

    resumen.Marca(Resumen::Diario);
    resumen.PermiteSegun(PermitidosIngresos(0));  // a one-day range

    ayuda = AyudaSegunAcceso::PorAcceso;
    camposDinero = {"lblMonto", "lblSubMonto", "lblTotMonto", "lblSubDesc", "lblTotDesc", "lblSubImpuesto",
                    "lblTotImpuesto", "lblSubTotal", "lblTotTotal", "lblDesc", "lblImpuesto", "lblTotal"};
}

void TfrmIngresoTotal::ColocaResumen(int top) {
    resumen.Coloca(12, top, 356);
    auto* lbl = vcl::NewControl<vcl::TLabel>(this, "lblTitReporte");
    lbl->SetCaption("Tít&ulo del reporte");
    lbl->SetBounds(12, top + 62, 120, 16);
    lbl->SetFocusControl(edtTitReporte);
    edtTitReporte->SetBounds(136, top + 58, 232, 23);
    ColocaBotones(top + 94);
}

// The summary kinds a range allows follow its length; a wider one checked before steps down.
void TfrmIngresoTotal::RevisaFechas(vcl::TObject* sender) {
    criterios.FechasExit(sender);
    if (SaliendoSinValidar(true)) return;
    text::TDateTime ini = 0, fin = 0;
    try {
        ini = edtFecIni->TextAsDate();
        fin = edtFecFin->TextAsDate();
    } catch (const text::ConvertError&) {
        return;  // already told where it was typed
    }
    if (ini > fin) return;
    resumen.PermiteSegun(PermitidosIngresos(static_cast<int>(std::floor(fin) - std::floor(ini))));
}

void TfrmIngresoTotal::PrepararReporte() {
    // An unreadable final date would print as a zero date in the heading: both are read
    // before anything runs, and the period fill refuses the range with its own message.
    dFecIni = std::floor(edtFecIni->TextAsDate());
    dFecFin = std::floor(edtFecFin->TextAsDate()) + kUltimoSegundo;
    LlenaFecEst(dFecIni, dFecFin, resumen.Marcado(), 0, kAlias);
}

void TfrmIngresoTotal::AlPedirParametros(report::Dataset&, report::Params& params) {
    params.Set("FIni", report::Value(report::DateValue{dFecIni}));
    params.Set("FFin", report::Value(report::DateValue{dFecFin}));
}

void TfrmIngresoTotal::AlAbrirDataset(report::Dataset& ds) {
    const std::string simples = CondicionesSimples();
    if (report::SameName(ds.Name(), "Query1")) {
        const std::string rango = CondicionRango();
        auto at = ds.SQL.begin() + std::min<std::ptrdiff_t>(2, std::ssize(ds.SQL));
        if (!simples.empty()) at = ds.SQL.insert(at, simples);
        if (!rango.empty()) ds.SQL.insert(at, rango);
    } else if (report::SameName(ds.Name(), "Query3") && !simples.empty()) {
        ds.SQL.insert(ds.SQL.begin() + std::min<std::ptrdiff_t>(3, std::ssize(ds.SQL)), simples);
    }
}

void TfrmIngresoTotal::AlCargarReporte(report::Report& r) {
    const auto& formatos = rppdlg->Formats;
    r.SetCaption("lblResumen", kNombresResumen[static_cast<int>(resumen.Marcado())]);
    r.SetCaption("lblFecDesde", text::FormatDateTime(kFormatoFechaRango, dFecIni, formatos));
    r.SetCaption("lblFecHasta", text::FormatDateTime(kFormatoFechaRango, dFecFin, formatos));
}

}  // namespace reportes
