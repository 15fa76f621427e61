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
                             int ayuda, const char* tablaRegistros, const char* componenteRegistros,
                             const char* etiquetaTienda)
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
    lkcmbTiendas->SetBounds(112, 12, 232, 23);
    Etiqueta("lblTienda", etiquetaTienda, 12)->SetFocusControl(lkcmbTiendas);
}

vcl::TLabel* TfrmCatTienda::Etiqueta(const std::string& name, const char* caption, int top) {
    auto* l = vcl::NewControl<vcl::TLabel>(this, name);
    l->SetCaption(caption);
    l->SetBounds(16, top + 4, 90, 16);
    return l;
}

vcl::TDBLookupComboBox* TfrmCatTienda::ComboRegistros(const char* name, const char* etiqueta,
                                                       int top, const char* clave,
                                                       const char* campos) {
    auto* c = vcl::NewControl<vcl::TDBLookupComboBox>(this, name);
    c->SetBounds(112, top, 232, 23);
    c->SetListSource(&fuenteRegistros_);
    c->SetKeyField(clave);
    c->SetListField(campos);
    c->SetTabStop(true);
    Etiqueta(std::string("lbl") + name, etiqueta, top)->SetFocusControl(c);
    return c;
}

void TfrmCatTienda::ConectaRango(vcl::TDBLookupComboBox* desde, vcl::TDBLookupComboBox* hasta,
                                 const char* mensaje) {
    for (auto* c : {desde, hasta}) {
        c->OnExit = [this, desde, hasta, mensaje](vcl::TObject* s) { RangoExit(s, desde, hasta, mensaje); };
        c->OnCloseUp = c->OnExit;
    }
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
