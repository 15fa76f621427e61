// A catalogue listed between two keys of one table: two lookup combos for the bounds, the
// range check when either is left, the whole key range when none is chosen, and the
// "Todas"/"Todos" heading of an empty catalogue. The stores, devices, payment types,
// departments, lines, currencies and tax schemes catalogues are this dialog with their own
// texts (CatalogoRango); a dialog that adds criteria derives from it.
// Not here: the catalogues restricted to one store (registers, users), which are their own.
#pragma once

#include <memory>
#include <string>

#include "platform/2_db/table.h"
#include "platform/2_vcl/panels.h"
#include "reports/framework/dialog.h"
#include "platform/4_adapters/db/list_source.h"

namespace reportes {

// What one range catalogue names and says.
struct CatalogoRango {
    const char* clase;         // "TfrmCatTie"
    const char* caption;       // "Catálogo de tiendas"
    int ayuda;                 // help context
    const char* grupo;         // caption of the group around the combos
    const char* cmbDesde;      // "lkcmbTieDesde"
    const char* cmbHasta;      // "lkcmbTieHasta"
    const char* tabla;         // table as the dialog names it ("Tiendas", "Deptos.DB")
    const char* componente;    // "tblTiendas"
    const char* clave;         // key field
    const char* campos;        // list fields, "Tienda; Descripcio"
    const char* paramIni;      // "TiendaIni"
    const char* paramFin;      // "TiendaFin"
    const char* todos;         // "Todas" or "Todos"
    const char* mensaje;       // the inverted-range warning
    const char* reporte;       // "RTiendas.QR2"
};

class TfrmCatalogoRango : public TfrmReporte {
public:
    TfrmCatalogoRango(vcl::TComponent* owner, const CatalogoRango& catalogo);

    vcl::TGroupBox* grpRango;
    vcl::TDBLookupComboBox* cmbDesde;
    vcl::TDBLookupComboBox* cmbHasta;
    db::TTable& Tabla() { return *tabla_; }

protected:
    std::string ArchivoReporte() override { return catalogo_.reporte; }
    // Where a derived dialog places its own criteria: under the range group.
    int BajoCriterios() const { return grpRango->Top() + grpRango->Height() + 8; }

private:
    const CatalogoRango& catalogo_;
    std::unique_ptr<db::TTable> tabla_;
    db::TDataSetListSource fuente_;
};

}  // namespace reportes
