// The store lookup and the one rule for what choosing a store changes in the dialog.
#include "reports/framework/store_picker.h"

#include "reports/framework/config.h"

namespace reportes {

bool TomaTienda(TfrmReporte& dlg, db::TDataSet& tiendas, const std::string& codigo, bool conClave) {
    if (codigo.empty() || !tiendas.Active() || !tiendas.Locate("Tienda", {db::Value(codigo)})) return false;
    dlg.strTienda = codigo;
    const std::string descripcion = tiendas.FieldByName("Descripcio").AsString();
    dlg.strNomTienda = conClave ? codigo + "  " + descripcion : descripcion;
    dlg.strDirTienda = tiendas.FieldByName("Direccion").AsString();
    return true;
}

SelectorTienda::SelectorTienda(TfrmReporte& dlg, vcl::TWinControl* parent, const char* etiqueta,
                               int left, int top, int width, int anchoEtiqueta)
    : dlg_(dlg), fuente_(tiendas) {
    tiendas.Name = "tblTiendas";
    tiendas.DatabaseName = kAlias;
    tiendas.TableName = "Tiendas";
    combo = dlg.NuevoLookup(parent, "lkcmbTiendas", &fuente_, "Tienda", "Descripcio", etiqueta, left,
                            top, width, anchoEtiqueta);
    combo->OnExit = [this](vcl::TObject*) { Exit(); };
}

void SelectorTienda::Abre() {
    if (!tiendas.Active()) tiendas.Open();
}

bool SelectorTienda::Muestra(const std::string& codigo) {
    combo->SetKeyValue(codigo);
    return TomaTienda(dlg_, tiendas, codigo, nombreConClave);
}

void SelectorTienda::Exit() {
    const std::string codigo = combo->KeyValue();
    if (dlg_.SaliendoSinValidar() || codigo.empty() || codigo == dlg_.strTienda) return;
    if (!TomaTienda(dlg_, tiendas, codigo, nombreConClave)) return;
    if (AlCambiar) AlCambiar(codigo);
}

}  // namespace reportes
