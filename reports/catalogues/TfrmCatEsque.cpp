// The catalogue of tax schemes: a range listing of EsqImp.
#include "reports/catalogues/catalogues.h"
#include "reports/framework/entry.h"

namespace reportes {
namespace {

const CatalogoRango kTfrmCatEsque{
    "TfrmCatEsque", "Catálogo de esquemas", 145, "Esquemas",
    "lkcmbDispoIni", "lkcmbDispoFin",
    "EsqImp", "tblEsqImp", "Clave", "Clave; Descripcion",
    "EsqIni", "EsqFin", "Todos",
    "La clave del Esquema inicial no debe ser mayor a la final",
    "RImpuestos.QR2"};

}  // namespace

TfrmCatEsque::TfrmCatEsque(vcl::TComponent* owner) : TfrmCatalogoRango(owner, kTfrmCatEsque) {}

}  // namespace reportes

REPORTES_EXPORT void REsquema(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmCatEsque>(p1, p2, p3);
}
