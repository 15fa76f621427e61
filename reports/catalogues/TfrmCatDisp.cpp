// The catalogue of devices: a range listing of Dispos.
#include "reports/catalogues/catalogues.h"
#include "reports/framework/entry.h"

namespace reportes {
namespace {

const CatalogoRango kTfrmCatDisp{
    "TfrmCatDisp", "Catálogo de dispositivos", 145, "Dispositivos",
    "lkcmbDispoIni", "lkcmbDispoFin",
    "Dispos", "tblDispos", "Dispo", "Dispo; Descripcio",
    "DispoIni", "DispoFin", "Todos",
    "La clave del Dispositivo inicial no debe ser mayor a la final",
    "RDispos.QR2"};

}  // namespace

TfrmCatDisp::TfrmCatDisp(vcl::TComponent* owner) : TfrmCatalogoRango(owner, kTfrmCatDisp) {}

}  // namespace reportes

REPORTES_EXPORT void RDispositivos(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmCatDisp>(p1, p2, p3);
}
