// The shared part of the income statistics by store and by cashier: dates, summary buttons,
// title, period fill, date parameters and heading.
#include "reports/income/ingreso_total.h"

#include <cmath>

#include "platform/report/names.h"
#include "platform/text/format.h"
#include "platform/vcl/application.h"
#include "reports/framework/config.h"
#include "reports/framework/periods.h"

namespace reportes {
namespace {

constexpr const char* kFormatoFechaRango = "dd'/'mmm'/'yyyy";
constexpr const char* kNombresResumen[] = {"Diario", "Semanal", "Quincenal", "Mensual"};
constexpr int kTitReporteMax = 60;
constexpr double kUltimoSegundo = (24.0 * 3600.0 - 1.0) / (24.0 * 3600.0);

}  // namespace

ResumenesPermitidos PermitidosPorDias(int dias) {
    return {dias >= 6, dias >= 14, dias >= 30};
}

Resumen AjustaResumen(Resumen actual, int dias) {
    const ResumenesPermitidos p = PermitidosPorDias(dias);
    // Below a week only Diario is left; otherwise the checked one steps down to the widest
    // still allowed.
    if (dias < 7) return Resumen::Diario;
    if (actual == Resumen::Mensual && !p.mensual) actual = Resumen::Quincenal;
    if (actual == Resumen::Quincenal && !p.quincenal) actual = Resumen::Semanal;
    return actual;
}

TfrmIngresoTotal::TfrmIngresoTotal(vcl::TComponent* owner, const Textos& t)
    : TfrmReporte(owner, t.clase, t.caption, t.helpContext),
      fuenteTiendas_(tblTiendas),
      fuenteUsuarios_(tblUsuarios),
      layout_(t.layout) {
    tblEstad.Name = "tblEstad";
    tblEstad.DatabaseName = kAlias;
    tblEstad.TableName = "FecEst";
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

    grpResumen_ = vcl::NewControl<vcl::TGroupBox>(this, "grpResumen");
    grpResumen_->SetCaption("&Resumen");
    rbtnDiario = vcl::NewControl<vcl::TRadioButton>(grpResumen_, "rbtnDiario");
    rbtnSemanal = vcl::NewControl<vcl::TRadioButton>(grpResumen_, "rbtnSemanal");
    rbtnQuincenal = vcl::NewControl<vcl::TRadioButton>(grpResumen_, "rbtnQuincenal");
    rbtnMensual = vcl::NewControl<vcl::TRadioButton>(grpResumen_, "rbtnMensual");
    const char* captions[] = {"&Diario", "&Semanal", "&Quincenal", "&Mensual"};
    vcl::TRadioButton* botones[] = {rbtnDiario, rbtnSemanal, rbtnQuincenal, rbtnMensual};
    for (int i = 0; i < 4; ++i) {
        botones[i]->SetCaption(captions[i]);
        botones[i]->SetBounds(12 + 84 * i, 20, 80, 20);
        botones[i]->SetTabStop(true);
        const auto r = static_cast<Resumen>(i);
        botones[i]->OnEnter = [this, r](vcl::TObject*) { EligeResumen(r); };
        botones[i]->OnClick = [this, r](vcl::TObject*) { EligeResumen(r); };
    }
    rbtnDiario->SetChecked(true);
    for (auto* b : {rbtnSemanal, rbtnQuincenal, rbtnMensual}) b->SetEnabled(false);  // a one-day range

    ayuda = AyudaSegunAcceso::PorAcceso;
    camposDinero = {"lblMonto", "lblSubMonto", "lblTotMonto", "lblSubDesc", "lblTotDesc", "lblSubImpuesto",
                    "lblTotImpuesto", "lblSubTotal", "lblTotTotal", "lblDesc", "lblImpuesto", "lblTotal"};
}

void TfrmIngresoTotal::ColocaResumen(int top) {
    grpResumen_->SetBounds(12, top, 356, 50);
    auto* lbl = vcl::NewControl<vcl::TLabel>(this, "lblTitReporte");
    lbl->SetCaption("Tít&ulo del reporte");
    lbl->SetBounds(12, top + 62, 120, 16);
    lbl->SetFocusControl(edtTitReporte);
    edtTitReporte->SetBounds(136, top + 58, 232, 23);
    ColocaBotones(top + 94);
}

void TfrmIngresoTotal::EligeResumen(Resumen r) {
    resumen = r;
    strResumen = kNombresResumen[static_cast<int>(r)];
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
    const int dias = static_cast<int>(std::floor(fin) - std::floor(ini));
    const ResumenesPermitidos p = PermitidosPorDias(dias);
    rbtnSemanal->SetEnabled(p.semanal);
    rbtnQuincenal->SetEnabled(p.quincenal);
    rbtnMensual->SetEnabled(p.mensual);
    vcl::TRadioButton* botones[] = {rbtnDiario, rbtnSemanal, rbtnQuincenal, rbtnMensual};
    Resumen marcado = Resumen::Diario;
    for (int i = 0; i < 4; ++i)
        if (botones[i]->Checked()) marcado = static_cast<Resumen>(i);
    const Resumen ajustado = AjustaResumen(marcado, dias);
    if (ajustado != marcado) {
        botones[static_cast<int>(ajustado)]->SetChecked(true);
        // What runs is what is checked.
        EligeResumen(ajustado);
    }
}

void TfrmIngresoTotal::PrepararReporte() {
    // An unreadable final date would print as a zero date in the heading: both are read
    // before anything runs, and the period fill refuses the range with its own message.
    dFecIni = std::floor(edtFecIni->TextAsDate());
    dFecFin = std::floor(edtFecFin->TextAsDate()) + kUltimoSegundo;
    LlenaFecEst(edtFecIni->Text(), edtFecFin->Text(), static_cast<int>(resumen), 0, tblEstad);
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
    r.SetCaption("lblResumen", strResumen);
    r.SetCaption("lblFecDesde", text::FormatDateTime(kFormatoFechaRango, dFecIni, formatos));
    r.SetCaption("lblFecHasta", text::FormatDateTime(kFormatoFechaRango, dFecFin, formatos));
}

}  // namespace reportes
