// The offer policies of one store whose validity begins within a date range: the active ones,
// the inactive ones or all. The layout's query selects; the dialog gives it the store, the
// dates and the status, and drops the status line when all are wanted.
// Not here: the policies themselves (kept by the point-of-sale host).
#include <string>

#include "host/velmor/vlmedit.h"
#include "platform/1_text/format.h"
#include "platform/2_vcl/dialogs.h"
#include "platform/2_vcl/lists.h"
#include "platform/2_vcl/panels.h"
#include "platform/3_report/names.h"
#include "reports/framework/criteria.h"
#include "reports/framework/date_edit.h"
#include "reports/framework/entry.h"
#include "reports/framework/store_picker.h"

namespace reportes {
namespace {

constexpr const char* kCaption = "Política de ofertas";
constexpr int kAyuda = 147;
constexpr const char* kLayout = "RPolitic.QR2";
constexpr const char* kHintDesde = "Rango inicial a localizar\nde la vigencia inicial";
constexpr const char* kHintHasta = "Rango final a localizar\nde la vigencia inicial";
constexpr const char* kParametros =
    "Ha ocurrido un conflicto al cargar los parámetros del reporte,\nrevisar los parámetros del reporte";
constexpr const char* kFormatoRango = "dd'/'mmm'/'yyyy";
// Radio item, status code the query reads, heading.
struct Estado {
    const char* item;
    const char* codigo;
    const char* subtitulo;
};
constexpr Estado kEstados[] = {{"Activa", "T", "Status: Activas"},
                               {"Inactiva", "F", "Status: No activas"},
                               {"Todas", "", "Status: Todas"}};
// The line of the layout's SQL that holds the status condition alone.
constexpr std::size_t kLineaStatus = 3;

}  // namespace

class TfrmPoliticas : public TfrmReporte {
public:
    explicit TfrmPoliticas(vcl::TComponent* owner);

    SelectorTienda tienda;
    vcl::TDBLookupComboBox* lkcmbTiendas;
    vcl::TGroupBox* grpVigencia;
    velmor::TVlmEdit* edtFecIni;
    velmor::TVlmEdit* edtFecFin;
    vcl::TRadioGroup* rdgpStatus;

protected:
    std::string ArchivoReporte() override { return kLayout; }
    void PrepararReporte() override;
    void AlPedirParametros(report::Dataset& ds, report::Params& params) override;
    void AlAbrirDataset(report::Dataset& ds) override;
    void AlCargarReporte(report::Report& r) override;

private:
    void FormActivate();

    Criterios criterios_{*this};
    text::TDateTime fecIni_ = 0, fecFin_ = 0;
    std::string status_ = "T";
};

TfrmPoliticas::TfrmPoliticas(vcl::TComponent* owner)
    : TfrmReporte(owner, "TfrmPoliticas", kCaption, kAyuda), tienda(*this, this, "&Tienda", 12, 12, 260, 96) {
    lkcmbTiendas = tienda.combo;
    grpVigencia = vcl::NewControl<vcl::TGroupBox>(this, "grpVigencia");
    grpVigencia->SetCaption("&Vigencia");
    grpVigencia->SetBounds(12, 44, 356, 84);
    edtFecIni = NuevaFecha(grpVigencia, "edtFecIni", "&Desde", 12, 20, 84);
    edtFecFin = NuevaFecha(grpVigencia, "edtFecFin", "&Hasta", 12, 50, 84);
    // The inverted-range check and its message are the shared date criterion's.
    criterios_.Fechas(edtFecIni, edtFecFin);
    for (auto* e : {edtFecIni, edtFecFin}) e->SetDate(text::EncodeDate(1999, 9, 14));
    edtFecIni->SetHint(kHintDesde);
    edtFecFin->SetHint(kHintHasta);
    rdgpStatus = vcl::NewControl<vcl::TRadioGroup>(this, "rdgpStatus");
    rdgpStatus->SetCaption("&Status");
    rdgpStatus->SetColumns(3);
    rdgpStatus->SetBounds(12, 136, 356, 48);
    rdgpStatus->SetTabStop(true);
    for (const Estado& e : kEstados) rdgpStatus->Items().Add(e.item);
    ColocaBotones(196);

    encabezadoTienda = true;
    OnCreate = [this](vcl::TObject*) {
        tienda.Abre();
        rdgpStatus->SetItemIndex(0);
    };
    OnActivate = [this](vcl::TObject*) { FormActivate(); };
    rdgpStatus->OnClick = [this](vcl::TObject*) {
        const int i = rdgpStatus->ItemIndex();
        if (i >= 0 && i < static_cast<int>(std::size(kEstados))) status_ = kEstados[i].codigo;
    };
}

// The host's store, or the first of the catalogue when it names none.
void TfrmPoliticas::FormActivate() {
    if (!strTienda.empty()) {
        tienda.Muestra(strTienda);
        return;
    }
    tienda.tiendas.First();
    if (!tienda.tiendas.Eof()) tienda.Muestra(tienda.tiendas.FieldByName("Tienda").AsString());
}

void TfrmPoliticas::PrepararReporte() {
    fecIni_ = edtFecIni->TextAsDate();
    fecFin_ = edtFecFin->TextAsDate();
}

void TfrmPoliticas::AlPedirParametros(report::Dataset& ds, report::Params& params) {
    if (!report::SameName(ds.Name(), "Query1")) return;
    bool completos = params.Set("FecIni", report::Value(report::DateValue{fecIni_}));
    completos = params.Set("FecFin", report::Value(report::DateValue{fecFin_})) && completos;
    completos = params.Set("Tienda", report::Value(strTienda)) && completos;
    if (!status_.empty()) completos = params.Set("Status", report::Value(status_)) && completos;
    // The report still runs with what was set.
    if (!completos) vcl::MessageBox(kParametros, kCaption, vcl::MB_OK | vcl::MB_ICONERROR);
}

void TfrmPoliticas::AlAbrirDataset(report::Dataset& ds) {
    if (!report::SameName(ds.Name(), "Query1")) return;
    if (status_.empty() && ds.SQL.size() > kLineaStatus) ds.SQL[kLineaStatus].clear();
}

void TfrmPoliticas::AlCargarReporte(report::Report& r) {
    const int i = rdgpStatus->ItemIndex();
    if (i >= 0 && i < static_cast<int>(std::size(kEstados))) r.SetCaption("lblSubTitulo", kEstados[i].subtitulo);
    r.SetCaption("lblDesde", text::FormatDateTime(kFormatoRango, fecIni_, rppdlg->Formats));
    r.SetCaption("lblHasta", text::FormatDateTime(kFormatoRango, fecFin_, rppdlg->Formats));
}

}  // namespace reportes

REPORTES_EXPORT void RPoliticas(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmPoliticas>(p1, p2, p3);
}
