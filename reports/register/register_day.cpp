// The shared part of the one-register-day dialogs.
#include "reports/register/register_day.h"

#include "platform/1_text/format.h"
#include "reports/framework/config.h"
#include "reports/framework/date_edit.h"

namespace reportes {
namespace {

constexpr const char* kFormatoFecha = "dd'/'mmmm'/'yyyy";

}  // namespace

TfrmDiaDeCaja::TfrmDiaDeCaja(vcl::TComponent* owner, std::string_view clase, std::string_view caption,
                             int helpContext, const char* etiquetaTienda, const char* etiquetaCaja,
                             const char* etiquetaFecha)
    : TfrmReporte(owner, clase, caption, helpContext),
      tienda(*this, this, etiquetaTienda, 12, 12, 220, 136),
      caja(*this, this, etiquetaCaja, 12, 42, 220, 136) {
    lkcmbTiendas = tienda.combo;
    lkcmbCajas = caja.combo;
    edtFecDesde = NuevaFecha(this, "edtFecDesde", etiquetaFecha, 12, 72, 136);
    ayuda = AyudaSegunAcceso::PorAcceso;
    encabezadoTienda = true;
    tienda.AlCambiar = [this](const std::string& codigo) { caja.MuestraTienda(codigo); };
    OnCreate = [this](vcl::TObject*) {
        const auto& cfg = Configuracion();
        tienda.Abre();
        lkcmbTiendas->SetEnabled(cfg.AccesoTotal);
        edtFecDesde->SetEnabled(cfg.AccesoTotal);
        // The register's working day (today unless the host set another one).
        edtFecDesde->SetDate(cfg.FechaTrabajo > 0 ? cfg.FechaTrabajo : text::Today());
    };
    // After the entry point has given the store (P1).
    OnActivate = [this](vcl::TObject*) {
        const auto& cfg = Configuracion();
        if (strTienda.empty()) strTienda = cfg.TiendaActual;
        tienda.Muestra(strTienda);
        caja.MuestraTienda(strTienda, cfg.CajaActual);
    };
}

void TfrmDiaDeCaja::NuevoTitulo(int top, const char* texto) {
    edtTitReporte = vcl::NewControl<vcl::TEdit>(this, "edtTitReporte");
    edtTitReporte->SetMaxLength(60);
    edtTitReporte->SetBounds(148, top, 220, 23);
    edtTitReporte->SetTabStop(true);
    edtTitReporte->SetText(texto);
    auto* lbl = vcl::NewControl<vcl::TLabel>(this, "lblTitulo");
    lbl->SetCaption("&Título del reporte");
    lbl->SetBounds(12, top + 4, 130, 16);
    lbl->SetFocusControl(edtTitReporte);
}

void TfrmDiaDeCaja::AntesDeReportar(std::function<bool()> preparado) {
    for (auto* b : {btnPreview, btnImprimir})
        b->OnClick = [preparado, base = b->OnClick](vcl::TObject* s) {
            if (preparado()) base(s);
        };
}

void TfrmDiaDeCaja::TomaEstacion(const std::string& codigoCaja, const std::string& dia) {
    const auto& cfg = Configuracion();
    edtFecDesde->SetText(dia);
    tienda.Muestra(cfg.TiendaActual);
    strTienda = cfg.TiendaActual;
    // The register the host names even when the catalogue lacks it: its files are what it wrote.
    if (!caja.MuestraTienda(strTienda, codigoCaja) || caja.codigo != codigoCaja) {
        caja.codigo = codigoCaja;
        caja.descripcion.clear();
    }
}

void TfrmDiaDeCaja::EncabezadoDelDia(report::Report& r) {
    const auto& f = rppdlg->Formats;
    r.SetCaption("lblNomCaja", caja.descripcion);
    r.SetCaption("lblFecha", text::FormatDateTime(kFormatoFecha, text::Now(), f));
    r.SetCaption("lblFechaSel", "Del " + text::FormatDateTime(kFormatoFecha, fecha_, f));
}

}  // namespace reportes
