// The store lookup every store-restricted dialog shows (lkcmbTiendas over Tiendas): choosing
// another store makes it the dialog's store (strTienda, strNomTienda, strDirTienda) and then
// runs the dialog's own reaction (refilter its registers, users or stock; clear ranges).
// Not here: what each dialog does with the store (its AlCambiar).
#pragma once

#include <functional>
#include <string>

#include "platform/4_adapters/db/list_source.h"
#include "platform/2_db/table.h"
#include "reports/framework/dialog.h"

namespace reportes {

// The dialog's store becomes `codigo` with its description and address from `tiendas`
// (description prefixed by the code and two blanks when `conClave`). False, with the members
// left as they were, when the store is not in the table.
bool TomaTienda(TfrmReporte& dlg, db::TDataSet& tiendas, const std::string& codigo, bool conClave = false);

class SelectorTienda {
public:
    // The lookup and its caption at (left, top) of `parent`; `anchoEtiqueta` wide caption.
    SelectorTienda(TfrmReporte& dlg, vcl::TWinControl* parent, const char* etiqueta, int left,
                   int top, int width, int anchoEtiqueta);

    vcl::TDBLookupComboBox* combo;
    db::TTable tiendas;  // "Tiendas", opened by Abre
    // The heading shows "<code>  <description>" (the registers catalogue).
    bool nombreConClave = false;
    // After the dialog's members follow a store chosen in the lookup.
    std::function<void(const std::string& codigo)> AlCambiar;

    void Abre();
    // Shows `codigo` in the lookup and makes it the dialog's store, without AlCambiar.
    bool Muestra(const std::string& codigo);

private:
    void Exit();
    TfrmReporte& dlg_;
    db::TDataSetListSource fuente_;
};

}  // namespace reportes
