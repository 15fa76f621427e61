// The catalogue of currencies: a range listing of Monedas.DB.
#include "reports/catalogues/catalogues.h"
#include "reports/framework/entry.h"

namespace reportes {
namespace {

const CatalogoRango kTfrmCatMone{
    "TfrmCatMone", "Catálogo de monedas", 262, "Monedas",
    "lkcmbDispoIni", "lkcmbDispoFin",
    "Monedas.DB", "tblMonedas", "Moneda", "Moneda; Descripcion",
    "MoneIni", "MoneFin", "Todas",
    "La clave de la Moneda inicial no debe ser mayor a la final",
    "RMonedas.QR2"};

}  // namespace

TfrmCatMone::TfrmCatMone(vcl::TComponent* owner) : TfrmCatalogoRango(owner, kTfrmCatMone) {}

}  // namespace reportes

REPORTES_EXPORT void RMonedas(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmCatMone>(p1, p2, p3);
}
