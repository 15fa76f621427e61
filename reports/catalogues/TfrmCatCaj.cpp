// The catalogue of registers of one store, between two registers, in the order the user picks.
#include "platform/3_report/names.h"
#include "platform/2_vcl/application.h"
#include "reports/catalogues/catalogues.h"
#include "reports/framework/config.h"
#include "reports/framework/entry.h"
#include "reports/framework/order_by.h"

namespace reportes {
namespace {

const TfrmCatTienda::Registro kCajas{
    "TfrmCatCaj", "Catálogo de cajas", 144, "&Tiendas", "Cajas", "tblCajas", "Caja", "Caja;Descripcio",
    "lkcmbCajasDesde", "Caja i&nicial", "lkcmbCajasHasta", "Caja &final",
    "La clave de la caja inicial no debe ser mayor a la final"};
constexpr const char* kOrdenes[] = {"Número", "Descripción", "Formato impresión"};
constexpr const char* kOrderBy[] = {"Order by Caja", "Order by Descripcio", "Order by c.FormatoImp"};

}  // namespace

TfrmCatCaj::TfrmCatCaj(vcl::TComponent* owner) : TfrmCatTienda(owner, kCajas) {
    tienda.nombreConClave = true;
    cmbOrden = vcl::NewControl<vcl::TComboBox>(this, "cmbOrden");
    cmbOrden->SetStyle(vcl::csDropDownList);
    cmbOrden->SetBounds(112, 102, 160, 23);
    cmbOrden->SetTabStop(true);
    for (const char* item : kOrdenes) cmbOrden->Items().Add(item);
    auto* lbl = vcl::NewControl<vcl::TLabel>(this, "lblOrden");
    lbl->SetCaption("Ordenar por");
    lbl->SetBounds(16, 106, 90, 16);
    lbl->SetFocusControl(cmbOrden);
    ColocaBotones(140);

    qryCajas.Name = "qryCajas";
    qryCajas.DatabaseName = kAlias;
    qryCajas.SQL.Add("Select Caja From Cajas");
    qryCajas.SQL.Add("Where Tienda like :stNumTienda And Caja Between :caja1 And :caja2");

    OnCreate = [this](vcl::TObject*) {
        tienda.Abre();
        cmbOrden->SetItemIndex(0);
    };
    // P1's store, or the first one shown while strTienda stays empty (the report disabled
    // until a store is chosen).
    OnActivate = [this](vcl::TObject*) {
        if (!tienda.Muestra(strTienda)) {
            tienda.tiendas.First();
            if (!tienda.tiendas.Eof()) {
                const std::string primera = tienda.tiendas.FieldByName("Tienda").AsString();
                tienda.Muestra(primera);
                strTienda.clear();
            }
        }
        MuestraTienda();
    };
    // The registers chosen belong to the store that was shown: another store clears them.
    tienda.AlCambiar = [this](const std::string&) {
        LimpiaRango();
        MuestraTienda();
    };
}

// The store's registers, and whether there is anything to print.
void TfrmCatCaj::MuestraTienda() {
    FiltraRegistros(lkcmbTiendas->KeyValue());
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
    CompletaRango();
}

void TfrmCatCaj::AlPedirParametros(report::Dataset&, report::Params& params) {
    params.Set("Tienda", report::Value(strTienda));
    params.Set("caja1", report::Value(lkcmbDesde->KeyValue()));
    params.Set("caja2", report::Value(lkcmbHasta->KeyValue()));
}

void TfrmCatCaj::AlAbrirDataset(report::Dataset& ds) {
    if (report::SameName(ds.Name(), "Query1")) PonOrderBy(ds.SQL, kOrderBy[std::clamp(cmbOrden->ItemIndex(), 0, 2)]);
}

}  // namespace reportes

REPORTES_EXPORT void RCajas(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmCatCaj>(p1, p2, p3);
}
