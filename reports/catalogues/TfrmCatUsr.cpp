// The catalogue of users of one store, between two users.
#include "reports/catalogues/catalogues.h"
#include "reports/framework/entry.h"

namespace reportes {
namespace {

constexpr const char* kCaption = "Catálogo de usuarios";
constexpr int kAyuda = 150;
constexpr const char* kTienda = "&Tienda";
constexpr const char* kUsuarioInicial = "&Usuario inicial";
constexpr const char* kUsuarioFinal = "Usuario &final";
constexpr const char* kRango = "La clave del Cajero inicial no debe ser mayor a la final";

}  // namespace

TfrmCatUsr::TfrmCatUsr(vcl::TComponent* owner)
    : TfrmCatTienda(owner, "TfrmCatUsr", kCaption, kAyuda, "Usuarios.DB", "tblUsuarios", kTienda) {
    lkcmbUsuaDesde = ComboRegistros("lkcmbUsuaDesde", kUsuarioInicial, 42, "Usuario", "Usuario;Nombre");
    lkcmbUsuaHasta = ComboRegistros("lkcmbUsuaHasta", kUsuarioFinal, 72, "Usuario", "Usuario;Nombre");
    ConectaRango(lkcmbUsuaDesde, lkcmbUsuaHasta, kRango);
    ColocaBotones(110);

    auto habilita = [this] {
        const bool hay = Registros().RecordCount() > 0;
        btnPreview->SetEnabled(hay);
        btnImprimir->SetEnabled(hay);
    };
    OnCreate = [this](vcl::TObject*) { Tiendas().Open(); };
    // The description stays P2's and the address empty until the user picks a store.
    OnActivate = [this, habilita](vcl::TObject*) {
        lkcmbTiendas->SetKeyValue(strTienda);
        FiltraRegistros(strTienda);
        habilita();
    };
    lkcmbTiendas->OnExit = [this, habilita](vcl::TObject* s) {
        lkcmbUsuaDesde->ClearKeyValue();
        lkcmbUsuaHasta->ClearKeyValue();
        strTienda = lkcmbTiendas->KeyValue();
        auto& tiendas = Tiendas();
        if (!strTienda.empty() && tiendas.Locate("Tienda", {db::Value(strTienda)})) {
            strDirTienda = tiendas.FieldByName("Direccion").AsString();
            strNomTienda = tiendas.FieldByName("Descripcio").AsString();
        }
        FiltraRegistros(strTienda);
        habilita();
        ctlUltimo = static_cast<vcl::TWinControl*>(s);
    };
    lkcmbTiendas->OnCloseUp = lkcmbTiendas->OnExit;

    rppdlg->BeforeGetQueryParams = [this](report::Dataset&, report::Params& params) {
        params.Set("Tienda", report::Value(strTienda));
        params.Set("Usua1", report::Value(lkcmbUsuaDesde->KeyValue()));
        params.Set("Usua2", report::Value(lkcmbUsuaHasta->KeyValue()));
    };
    rppdlg->BeforeOpenDataset = [this](report::Dataset& ds) { BeforeOpenDatasetComun(ds); };
    rppdlg->AfterReportLoaded = [this](report::Report& r) {
        EncabezadoComun(r);
        r.SetCaption("lblNomTienda", strNomTienda);
        // This heading's address is the store's, not the company's.
        r.SetCaption("lblDireccion", strDirTienda);
    };
    rppdlg->BeforePrint = [this](report::PrintJob& job) { BeforePrintComun(job); };
}

void TfrmCatUsr::AlPulsarReporte() {
    CompletaRango(lkcmbUsuaDesde, lkcmbUsuaHasta, "Usuario");
    strTienda = lkcmbTiendas->KeyValue();
}

}  // namespace reportes

REPORTES_EXPORT void RUsuarios(const char* p1, const char* p2, bool) {
    reportes::EjecutaDialogo<reportes::TfrmCatUsr>(p1, p2);
}
