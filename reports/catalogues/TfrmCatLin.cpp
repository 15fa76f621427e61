// The catalogue of product lines: a range listing of Lineas.DB.
#include "reports/catalogues/catalogues.h"
#include "reports/framework/entry.h"

namespace reportes {
namespace {

const CatalogoRango kTfrmCatLin{
    "TfrmCatLin", "Catálogo de líneas", 263, "Líneas",
    "lkcmbDispoIni", "lkcmbDispoFin",
    "Lineas.DB", "tblLineas", "Clv_Lin", "Clv_Lin; Desc_Lin",
    "LinIni", "LinFin", "Todas",
    "La clave de la línea inicial no debe ser mayor a la final",
    "RLineas.QR2"};

}  // namespace

TfrmCatLin::TfrmCatLin(vcl::TComponent* owner) : TfrmCatalogoRango(owner, kTfrmCatLin) {}

}  // namespace reportes

REPORTES_EXPORT void RLineas(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmCatLin>(p1, p2, p3);
}
