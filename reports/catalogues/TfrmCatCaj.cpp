// The catalogue of registers of one store, between two registers, in the order the user picks.
#include "platform/report/names.h"
#include "platform/vcl/application.h"
#include "reports/catalogues/catalogues.h"
#include "reports/framework/entry.h"

namespace reportes {
namespace {

constexpr const char* kCaption = "Catálogo de cajas";
constexpr int kAyuda = 144;
constexpr const char* kTiendas = "&Tiendas";
constexpr const char* kCajaInicial = "Caja i&nicial";
constexpr const char* kCajaFinal = "Caja &final";
constexpr const char* kOrdenarPor = "Ordenar por";
constexpr const char* kOrdenes[] = {"Número", "Descripción", "Formato impresión"};
constexpr const char* kOrderBy[] = {"Order by Caja", "Order by Descripcio", "Order by c.FormatoImp"};
constexpr const char* kRango = "La clave de la caja inicial no debe ser mayor a la final";


}  // namespace

TfrmCatCaj::TfrmCatCaj(vcl::TComponent* owner)
    : TfrmCatTienda(owner, "TfrmCatCaj", kCaption, kAyuda, "Cajas", "tblCajas", kTiendas) {
    lkcmbCajasDesde = ComboRegistros("lkcmbCajasDesde", kCajaInicial, 42, "Caja", "Caja;Descripcio");
    lkcmbCajasHasta = ComboRegistros("lkcmbCajasHasta", kCajaFinal, 72, "Caja", "Caja;Descripcio");
    ConectaRango(lkcmbCajasDesde, lkcmbCajasHasta, kRango);
    Etiqueta("lblOrden", kOrdenarPor, 102);
    cmbOrden = vcl::NewControl<vcl::TComboBox>(this, "cmbOrden");
    cmbOrden->SetStyle(vcl::csDropDownList);
    cmbOrden->SetBounds(112, 102, 160, 23);
    cmbOrden->SetTabStop(true);
    for (const char* item : kOrdenes) cmbOrden->Items().Add(item);
    ColocaBotones(140);

    qryCajas.Name = "qryCajas";
    qryCajas.DatabaseName = "RazirWin10";
    qryCajas.SQL.Add("Select Caja From Cajas");
    qryCajas.SQL.Add("Where Tienda like :stNumTienda And Caja Between :caja1 And :caja2");

    OnCreate = [this](vcl::TObject*) {
        Tiendas().Open();
        cmbOrden->SetItemIndex(0);
    };
    OnActivate = [this](vcl::TObject*) { MuestraTienda(false); };
    lkcmbTiendas->OnExit = [this](vcl::TObject* s) {
        strTienda = lkcmbTiendas->KeyValue();
        MuestraTienda(true);
        ctlUltimo = static_cast<vcl::TWinControl*>(s);
    };
    lkcmbTiendas->OnCloseUp = lkcmbTiendas->OnExit;

    // The hourglass of Preview and Print goes when the preview window exists, and also when
    // nothing came of the button (no layout, set-up cancelled, printed).
    btnPreview->OnClick = [this](vcl::TObject* s) {
        btnPreviewClick(s);
        vcl::Screen->SetCursor(vcl::crDefault);
    };
    btnImprimir->OnClick = [this](vcl::TObject* s) {
        btnImprimirClick(s);
        vcl::Screen->SetCursor(vcl::crDefault);
    };
    rppdlg->AfterReportFormCreated = [] { vcl::Screen->SetCursor(vcl::crDefault); };
    rppdlg->BeforeGetQueryParams = [this](report::Dataset&, report::Params& params) {
        params.Set("Tienda", report::Value(strTienda));
        params.Set("caja1", report::Value(lkcmbCajasDesde->KeyValue()));
        params.Set("caja2", report::Value(lkcmbCajasHasta->KeyValue()));
    };
    rppdlg->BeforeOpenDataset = [this](report::Dataset& ds) {
        BeforeOpenDatasetComun(ds);
        if (!report::SameName(ds.Name(), "Query1")) return;
        const int orden = std::clamp(cmbOrden->ItemIndex(), 0, 2);
        ds.SQL.insert(ds.SQL.begin() + std::min<std::size_t>(3, ds.SQL.size()), kOrderBy[orden]);
    };
    rppdlg->AfterReportLoaded = [this](report::Report& r) {
        EncabezadoComun(r);
        EncabezadoTienda(r);
    };
    rppdlg->BeforePrint = [this](report::PrintJob& job) { BeforePrintComun(job); };
}

// The store shown in the lookup (the chosen one, P1's, or the first one while no store is
// chosen, which leaves strTienda empty and the report disabled), its heading texts, its
// registers, and whether there is anything to print.
void TfrmCatCaj::MuestraTienda(bool elegida) {
    auto& tiendas = Tiendas();
    if (!elegida) {
        if (!strTienda.empty()) {
            lkcmbTiendas->SetKeyValue(strTienda);
        } else {
            tiendas.First();
            if (!tiendas.Eof()) lkcmbTiendas->SetKeyValue(tiendas.FieldByName("Tienda").AsString());
        }
    }
    const std::string codigo = lkcmbTiendas->KeyValue();
    if (!codigo.empty() && tiendas.Locate("Tienda", {db::Value(codigo)})) {
        strNomTienda = tiendas.FieldByName("Tienda").AsString() + "  " +
                       tiendas.FieldByName("Descripcio").AsString();
        strDirTienda = tiendas.FieldByName("Direccion").AsString();
    }
    FiltraRegistros(codigo);

    auto& cajas = Registros();
    std::string primera, ultima;
    cajas.First();
    if (!cajas.Eof()) primera = cajas.FieldByName("Caja").AsString();
    cajas.Last();
    if (!cajas.IsEmpty()) ultima = cajas.FieldByName("Caja").AsString();
    qryCajas.Close();
    qryCajas.ParamByName("stNumTienda").SetAsString(strTienda);
    qryCajas.ParamByName("caja1").SetAsString(primera);
    qryCajas.ParamByName("caja2").SetAsString(ultima);
    qryCajas.Open();
    const bool hay = !qryCajas.Eof();
    btnPreview->SetEnabled(hay);
    btnImprimir->SetEnabled(hay);
    strDesde.clear();
    strHasta.clear();
}

void TfrmCatCaj::AlPulsarReporte() {
    vcl::Screen->SetCursor(vcl::crHourGlass);
    CompletaRango(lkcmbCajasDesde, lkcmbCajasHasta, "Caja");
}

}  // namespace reportes

REPORTES_EXPORT void RCajas(const char* p1, const char* p2, bool) {
    reportes::EjecutaDialogo<reportes::TfrmCatCaj>(p1, p2);
}
