// The register lookup filtered by the dialog's store.
#include "reports/framework/register_picker.h"

#include "platform/2_db/quote.h"
#include "reports/framework/config.h"

namespace reportes {

SelectorCaja::SelectorCaja(TfrmReporte& dlg, vcl::TWinControl* parent, const char* etiqueta, int left,
                           int top, int width, int anchoEtiqueta)
    : dlg_(dlg), fuente_(cajas) {
    cajas.Name = "tblCajas";
    cajas.DatabaseName = kAlias;
    cajas.TableName = "Cajas";
    combo = dlg.NuevoLookup(parent, "lkcmbCajas", &fuente_, "Caja", "Descripcio", etiqueta, left, top,
                            width, anchoEtiqueta);
    combo->OnExit = [this](vcl::TObject*) { Exit(); };
}

void SelectorCaja::Abre() {
    if (!cajas.Active()) cajas.Open();
}

bool SelectorCaja::MuestraTienda(const std::string& tienda, const std::string& preferida) {
    Abre();
    // Quoted: a code like 01 stays text and a quote in it stays a value.
    cajas.SetFilter("Tienda = " + db::QuoteFilterValue(tienda));
    cajas.SetFiltered(true);
    const bool hay = (!preferida.empty() && cajas.Locate("Caja", {db::Value(preferida)})) ||
                     (cajas.First(), !cajas.Eof());
    combo->SetEnabled(hay);
    dlg_.btnPreview->SetEnabled(hay);
    dlg_.btnImprimir->SetEnabled(hay);
    codigo = hay ? cajas.FieldByName("Caja").AsString() : kSinCaja;
    descripcion = hay ? cajas.FieldByName("Descripcio").AsString() : std::string();
    combo->SetKeyValue(codigo);
    return hay;
}

void SelectorCaja::Exit() {
    const std::string caja = combo->KeyValue();
    if (caja.empty() || !cajas.Locate("Caja", {db::Value(caja)})) return;
    codigo = caja;
    descripcion = cajas.FieldByName("Descripcio").AsString();
}

}  // namespace reportes
