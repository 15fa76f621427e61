// The catalogue of users of one store, between two users.
#include "reports/catalogues/catalogues.h"
#include "reports/framework/entry.h"

namespace reportes {
namespace {

const TfrmCatTienda::Registro kUsuarios{
    "TfrmCatUsr", "Catálogo de usuarios", 150, "&Tienda", "Usuarios.DB", "tblUsuarios", "Usuario",
    "Usuario;Nombre", "lkcmbUsuaDesde", "&Usuario inicial", "lkcmbUsuaHasta", "Usuario &final",
    "La clave del Cajero inicial no debe ser mayor a la final"};

}  // namespace

TfrmCatUsr::TfrmCatUsr(vcl::TComponent* owner) : TfrmCatTienda(owner, kUsuarios) {
    ColocaBotones(110);
    OnCreate = [this](vcl::TObject*) { tienda.Abre(); };
    // The description stays P2's and the address empty until the user picks a store.
    OnActivate = [this](vcl::TObject*) {
        lkcmbTiendas->SetKeyValue(strTienda);
        FiltraRegistros(strTienda);
        Habilita();
    };
    tienda.AlCambiar = [this](const std::string& codigo) {
        LimpiaRango();
        FiltraRegistros(codigo);
        Habilita();
    };
}

void TfrmCatUsr::Habilita() {
    const bool hay = Registros().RecordCount() > 0;
    btnPreview->SetEnabled(hay);
    btnImprimir->SetEnabled(hay);
}

void TfrmCatUsr::AlPulsarReporte() {
    CompletaRango();
    strTienda = lkcmbTiendas->KeyValue();
}

void TfrmCatUsr::AlPedirParametros(report::Dataset&, report::Params& params) {
    params.Set("Tienda", report::Value(strTienda));
    params.Set("Usua1", report::Value(lkcmbDesde->KeyValue()));
    params.Set("Usua2", report::Value(lkcmbHasta->KeyValue()));
}

// This heading's address is the store's, not the company's.
void TfrmCatUsr::AlCargarReporte(report::Report& r) { r.SetCaption("lblDireccion", strDirTienda); }

}  // namespace reportes

REPORTES_EXPORT void RUsuarios(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmCatUsr>(p1, p2, p3);
}
