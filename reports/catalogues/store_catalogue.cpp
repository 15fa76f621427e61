// The part the registers and users catalogues share: the store lookup over Tiendas and the
// store's own records, filtered by store, with Preview and Print enabled only while there are
// any.
#include "platform/2_db/quote.h"
#include "reports/catalogues/catalogues.h"
#include "reports/framework/config.h"

namespace reportes {

TfrmCatTienda::TfrmCatTienda(vcl::TComponent* owner, const Registro& r)
    : TfrmReporte(owner, r.clase, r.caption, r.ayuda),
      tienda(*this, this, r.etiquetaTienda, 16, 12, 232, 96),
      lkcmbTiendas(tienda.combo),
      clave_(r.clave),
      fuenteRegistros_(tblRegistros_) {
    tblRegistros_.Name = r.componente;
    tblRegistros_.DatabaseName = kAlias;
    tblRegistros_.TableName = r.tabla;
    lkcmbDesde = NuevoLookup(this, r.cmbDesde, &fuenteRegistros_, r.clave, r.campos, r.etiquetaDesde, 16, 42, 232, 96);
    lkcmbHasta = NuevoLookup(this, r.cmbHasta, &fuenteRegistros_, r.clave, r.campos, r.etiquetaHasta, 16, 72, 232, 96);
    ConectaRango(lkcmbDesde, lkcmbHasta, r.mensaje);
    encabezadoTienda = true;
}

void TfrmCatTienda::FiltraRegistros(const std::string& codigo) {
    if (!tblRegistros_.Active()) tblRegistros_.Open();
    // The store code is quoted, so a code like 01 stays text and a quote in it stays a value.
    tblRegistros_.SetFilter("Tienda = " + db::QuoteFilterValue(codigo));
    tblRegistros_.SetFiltered(true);
}

void TfrmCatTienda::CompletaRango() {
    if (lkcmbDesde->KeyValue().empty()) {
        tblRegistros_.First();
        if (!tblRegistros_.Eof()) lkcmbDesde->SetKeyValue(tblRegistros_.FieldByName(clave_).AsString());
    }
    if (lkcmbHasta->KeyValue().empty()) {
        tblRegistros_.Last();
        if (!tblRegistros_.IsEmpty()) lkcmbHasta->SetKeyValue(tblRegistros_.FieldByName(clave_).AsString());
    }
}

void TfrmCatTienda::LimpiaRango() {
    lkcmbDesde->ClearKeyValue();
    lkcmbHasta->ClearKeyValue();
    strDesde.clear();
    strHasta.clear();
}

}  // namespace reportes
