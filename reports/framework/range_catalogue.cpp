// The dialog of a catalogue listed between two keys.
#include "reports/framework/range_catalogue.h"

#include "reports/framework/config.h"

namespace reportes {
namespace {

constexpr const char* kInicial = "I&nicial";
constexpr const char* kFinal = "&Final";

std::unique_ptr<db::TTable> NuevaTabla(const CatalogoRango& c) {
    auto t = std::make_unique<db::TTable>();
    t->Name = c.componente;
    t->DatabaseName = kAlias;
    t->TableName = c.tabla;
    return t;
}

}  // namespace

TfrmCatalogoRango::TfrmCatalogoRango(vcl::TComponent* owner, const CatalogoRango& catalogo)
    : TfrmReporte(owner, catalogo.clase, catalogo.caption, catalogo.ayuda),
      catalogo_(catalogo),
      tabla_(NuevaTabla(catalogo)),
      fuente_(*tabla_) {
    grpRango = vcl::NewControl<vcl::TGroupBox>(this, "grpRango");
    grpRango->SetCaption(catalogo.grupo);
    grpRango->SetBounds(12, 8, 332, 84);

    cmbDesde = NuevoLookup(grpRango, catalogo.cmbDesde, &fuente_, catalogo.clave, catalogo.campos,
                           kInicial, 12, 20, 236, 68);
    cmbHasta = NuevoLookup(grpRango, catalogo.cmbHasta, &fuente_, catalogo.clave, catalogo.campos,
                           kFinal, 12, 50, 236, 68);
    ConectaRango(cmbDesde, cmbHasta, catalogo.mensaje);
    RangoPrincipal(*tabla_, catalogo.clave, catalogo.paramIni, catalogo.paramFin, catalogo.todos);
    ColocaBotones(BajoCriterios());

    OnCreate = [this](vcl::TObject*) {
        if (!tabla_->Active()) tabla_->Open();
        strDesde.clear();
        strHasta.clear();
    };
}

}  // namespace reportes
