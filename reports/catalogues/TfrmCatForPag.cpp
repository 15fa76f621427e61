// The catalogue of payment types: a range listing of TPagos in the order the user picks, the
// hot key shown by its name ("F5", "Ctrl+A") instead of the stored shortcut code.
#include "platform/4_adapters/report/db_dataset.h"
#include "platform/3_report/names.h"
#include "platform/1_text/format.h"
#include "reports/catalogues/catalogues.h"
#include "reports/framework/entry.h"
#include "reports/framework/order_by.h"

namespace reportes {
namespace {

const CatalogoRango kTfrmCatForPag{
    "TfrmCatForPag", "Catálogo de formas de pago", 146, "Formas de pago",
    "lkcmbTPagIni", "lkcmbTPagFin",
    "TPagos", "tblTPagos", "TPAGO", "TPAGO; DESCRIPCIO",
    "TPagoIni", "TPagoFin", "Todos",
    "La clave de la forma de pago inicial no debe ser mayor a la final",
    "RTPagos.QR2"};

constexpr const char* kOrdenarPor = "Ordenar por";
constexpr const char* kOrdenes[] = {"Número", "Descripción", "Tecla"};
constexpr const char* kOrderBy[] = {"Order by TPago", "Order by Descripcio", "Order by TeclaRap"};

}  // namespace

TfrmCatForPag::TfrmCatForPag(vcl::TComponent* owner) : TfrmCatalogoRango(owner, kTfrmCatForPag) {
    const int top = BajoCriterios();
    auto* lbl = vcl::NewControl<vcl::TLabel>(this, "lblOrden");
    lbl->SetCaption(kOrdenarPor);
    lbl->SetBounds(24, top + 4, 70, 16);
    cmbOrden = vcl::NewControl<vcl::TComboBox>(this, "cmbOrden");
    cmbOrden->SetStyle(vcl::csDropDownList);
    cmbOrden->SetBounds(100, top, 160, 23);
    cmbOrden->SetTabStop(true);
    for (const char* item : kOrdenes) cmbOrden->Items().Add(item);
    cmbOrden->SetItemIndex(0);
    lbl->SetFocusControl(cmbOrden);
    ColocaBotones(top + 36);
}

void TfrmCatForPag::AlAbrirDataset(report::Dataset& ds) {
    if (report::SameName(ds.Name(), "Query1")) PonOrderBy(ds.SQL, kOrderBy[std::clamp(cmbOrden->ItemIndex(), 0, 2)]);
}

void TfrmCatForPag::AlCargarReporte(report::Report& r) {
    auto* ds = r.FindDataset("Query1");
    auto* query = ds ? report::AsQuery(*ds) : nullptr;
    auto* tecla = query ? query->FindField("TeclaRap") : nullptr;
    if (!tecla) return;
    tecla->OnGetText = [](db::TField& field, std::string& text, bool) {
        text = field.IsNull() ? std::string() : text::ShortCutToText(static_cast<int>(field.AsInteger()));
    };
}

}  // namespace reportes

REPORTES_EXPORT void RTipoPagos(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmCatForPag>(p1, p2, p3);
}
