// The part the registers and users catalogues share: the store lookup over Tiendas and the
// store's own records, filtered by store, with Preview and Print enabled only while there are
// any.
#include "platform/db/quote.h"
#include "reports/catalogues/catalogues.h"

namespace reportes {
namespace {

std::unique_ptr<db::TTable> Tabla(const char* nombre, const char* componente) {
    auto t = std::make_unique<db::TTable>();
    t->Name = componente;
    t->DatabaseName = "RazirWin10";
    t->TableName = nombre;
    return t;
}

}  // namespace

TfrmCatTienda::TfrmCatTienda(vcl::TComponent* owner, const char* clase, const char* caption,
                             int ayuda, const char* tablaRegistros, const char* componenteRegistros)
    : TfrmReporte(owner, clase, caption, ayuda),
      tblTiendas_(Tabla("Tiendas", "tblTiendas")),
      tblRegistros_(Tabla(tablaRegistros, componenteRegistros)),
      fuenteTiendas_(*tblTiendas_),
      fuenteRegistros_(*tblRegistros_) {
    lkcmbTiendas = vcl::NewControl<vcl::TDBLookupComboBox>(this, "lkcmbTiendas");
    lkcmbTiendas->SetListSource(&fuenteTiendas_);
    lkcmbTiendas->SetKeyField("Tienda");
    lkcmbTiendas->SetListField("Descripcio");
    lkcmbTiendas->SetTabStop(true);
}

void TfrmCatTienda::FiltraRegistros(const std::string& tienda) {
    if (!tblRegistros_->Active()) tblRegistros_->Open();
    // The store code is quoted, so a code like 01 stays text and a quote in it stays a value.
    tblRegistros_->SetFilter("Tienda = " + db::QuoteFilterValue(tienda));
    tblRegistros_->SetFiltered(true);
}

void TfrmCatTienda::CompletaRango(vcl::TDBLookupComboBox* desde, vcl::TDBLookupComboBox* hasta,
                                  const char* clave) {
    if (desde->KeyValue().empty()) {
        tblRegistros_->First();
        if (!tblRegistros_->Eof()) desde->SetKeyValue(tblRegistros_->FieldByName(clave).AsString());
    }
    if (hasta->KeyValue().empty()) {
        tblRegistros_->Last();
        if (!tblRegistros_->IsEmpty()) hasta->SetKeyValue(tblRegistros_->FieldByName(clave).AsString());
    }
}

}  // namespace reportes
