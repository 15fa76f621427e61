// The catalogue of stores: a range listing of Tiendas.
#include "reports/catalogues/catalogues.h"
#include "reports/framework/entry.h"

namespace reportes {
namespace {

const CatalogoRango kTfrmCatTie{
    "TfrmCatTie", "Catálogo de tiendas", 194, "Tiendas",
    "lkcmbTieDesde", "lkcmbTieHasta",
    "Tiendas", "tblTiendas", "Tienda", "Tienda; Descripcio",
    "TiendaIni", "TiendaFin", "Todas",
    "La clave de la tienda inicial no debe ser mayor a la final",
    "RTiendas.QR2"};

}  // namespace

TfrmCatTie::TfrmCatTie(vcl::TComponent* owner) : TfrmCatalogoRango(owner, kTfrmCatTie) {}

}  // namespace reportes

REPORTES_EXPORT void RTiendas(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmCatTie>(p1, p2, p3);
}
