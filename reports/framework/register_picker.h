// The register lookup of the one-register reports (lkcmbCajas over Cajas): it lists the
// registers of the dialog's store, keeps the chosen one's code and description, stays on the
// chosen record (its BLectOp picks the 40-column layout), and leaves nothing to print for a
// store without registers.
// Not here: the store lookup (store_picker.h), the day files the register names (day_files.h).
#pragma once

#include <string>

#include "platform/4_adapters/db/list_source.h"
#include "platform/2_db/table.h"
#include "reports/framework/dialog.h"

namespace reportes {

// A store without registers shows this code, disabled.
inline constexpr const char* kSinCaja = "00";

class SelectorCaja {
public:
    SelectorCaja(TfrmReporte& dlg, vcl::TWinControl* parent, const char* etiqueta, int left,
                 int top, int width, int anchoEtiqueta);

    vcl::TDBLookupComboBox* combo;
    db::TTable cajas;  // "Cajas", filtered by the store
    std::string codigo, descripcion;

    void Abre();
    // The registers of `tienda`: `preferida` when it is one of them, otherwise the first;
    // without any, "00" disabled, and Preview and Print disabled. True when there is one.
    bool MuestraTienda(const std::string& tienda, const std::string& preferida = {});

private:
    void Exit();
    TfrmReporte& dlg_;
    db::TDataSetListSource fuente_;
};

}  // namespace reportes
