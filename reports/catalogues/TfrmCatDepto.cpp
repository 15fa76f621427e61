// The catalogue of departments: a range listing of Deptos.DB.
#include "reports/catalogues/catalogues.h"
#include "reports/framework/entry.h"

namespace reportes {
namespace {

const CatalogoRango kTfrmCatDepto{
    "TfrmCatDepto", "Catálogo de departamentos", 262, "Departamentos",
    "lkcmbDispoIni", "lkcmbDispoFin",
    "Deptos.DB", "tblDeptos", "Depto", "Depto; Descripcio",
    "DeptoIni", "DeptoFin", "Todos",
    "La clave del departamento inicial no debe ser mayor a la final",
    "RDeptos.QR2"};

}  // namespace

TfrmCatDepto::TfrmCatDepto(vcl::TComponent* owner) : TfrmCatalogoRango(owner, kTfrmCatDepto) {}

}  // namespace reportes

REPORTES_EXPORT void RDepartamentos(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmCatDepto>(p1, p2, p3);
}
