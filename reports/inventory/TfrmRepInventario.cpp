// The product catalogue of one store with stock, prices and cost, by product range,
// department range, line and an optional stock condition, in one of eight orders.
// Not here: the controls it shares with the other product reports (product_criteria.h).
#include <algorithm>

#include "platform/3_report/names.h"
#include "platform/2_vcl/application.h"
#include "reports/framework/config.h"
#include "reports/framework/entry.h"
#include "reports/framework/line_pattern.h"
#include "reports/framework/order_by.h"
#include "reports/inventory/product_criteria.h"

namespace reportes {
namespace {

constexpr EtiquetasProducto kEtiquetas{
    "Nomb&re de la tienda", "Producto ", "Inici&al", "&Final", "Departamento ", "Inicia&l", "Fi&nal",
    "Lín&ea de producto", "&Título del reporte", "Catálogo de productos"};
constexpr const char* kOrdenarPor = "Or&denar por";
constexpr const char* kHintOrden = "Campo por el que se desea\nque se ordene el reporte";
constexpr const char* kOrdenes[] = {"Clave", "Descripción", "Precio público", "Precio 2", "Precio 3",
                                    "Precio 4", "Línea", "Existencias"};
// "Clave" is the product key; stated rather than left to the join's scan order.
constexpr const char* kOrderBy[] = {"Order by E.Producto", "Order by Inv.Descripcio",
                                    "Order by Inv.PrecioP DESC", "Order by Inv.Precio2 DESC",
                                    "Order by Inv.Precio3 DESC", "Order by Inv.Precio4 DESC",
                                    "Order by Inv.Linea", "Order by E.Existencia DESC"};
constexpr const char* kCriterios[] = {"Todo&s los productos", "Criteri&o", "Con e&xistencias cero o negativas"};
constexpr const char* kTodos = "Todos";
constexpr const char* kTodas = "Todas";

}  // namespace

class TfrmRepInventario : public TfrmReporte {
public:
    explicit TfrmRepInventario(vcl::TComponent* owner);
    CriteriosProducto producto;
    vcl::TComboBox* cmbOrdenarPor;
    CondicionExistencia existencia;

protected:
    std::string ArchivoReporte() override { return "RCatInv.QR2"; }
    void AlPulsarReporte() override;
    void AlAbrirDataset(report::Dataset& ds) override;
    void AlCargarReporte(report::Report& r) override;
};

TfrmRepInventario::TfrmRepInventario(vcl::TComponent* owner)
    : TfrmReporte(owner, "TfrmRepInventario", "Catálogo de productos", 25), producto(*this, kEtiquetas, 12),
      existencia(*this, kCriterios, producto.Bottom() + 34, 0) {
    int y = producto.Bottom();
    cmbOrdenarPor = vcl::NewControl<vcl::TComboBox>(this, "cmbOrdenarPor");
    cmbOrdenarPor->SetStyle(vcl::csDropDownList);
    cmbOrdenarPor->SetHint(kHintOrden);
    cmbOrdenarPor->SetShowHint(true);
    cmbOrdenarPor->SetTabStop(true);
    cmbOrdenarPor->SetBounds(162, y, 180, 23);
    for (const char* o : kOrdenes) cmbOrdenarPor->Items().Add(o);
    auto* lbl = vcl::NewControl<vcl::TLabel>(this, "lblOrdenarPor");
    lbl->SetCaption(kOrdenarPor);
    lbl->SetBounds(12, y + 4, 146, 16);
    lbl->SetFocusControl(cmbOrdenarPor);

    ColocaBotones(existencia.Bottom() + 4);

    encabezadoTienda = true;
    camposCantidad = {"lblExis", "lblTotExis", "lblTotListado"};
    camposDinero = {"lblPrecioP"};
    camposDineroSinMiles = {"lblPrecio2", "lblPrecio3", "lblPrecio4", "lblPrecioMin", "lblUltimo", "lblPromedio"};

    OnCreate = [this](vcl::TObject*) {
        producto.Abre();
        cmbOrdenarPor->SetItemIndex(0);
        existencia.rdgpCriterio->SetItemIndex(0);
        existencia.cmbCriterio->SetItemIndex(0);
    };
    OnActivate = [this](vcl::TObject*) { producto.Activa(); };
}

void TfrmRepInventario::AlPulsarReporte() { producto.AlPulsar(); }

void TfrmRepInventario::AlAbrirDataset(report::Dataset& ds) {
    if (report::SameName(ds.Name(), "Query2")) {
        ds.DatabaseName = kAlias;
        ds.SQL.push_back(FragmentoTienda("Ex.Tienda", strTienda));
        return;
    }
    if (!report::SameName(ds.Name(), "Query1")) return;
    ds.SQL.push_back(FragmentoTienda("E.Tienda", strTienda) + producto.Condiciones("Inv."));
    if (const std::string linea = existencia.Linea("E.Existencia"); !linea.empty()) ds.SQL.push_back(linea);
    PonOrderBy(ds.SQL, kOrderBy[std::clamp(cmbOrdenarPor->ItemIndex(), 0, 7)]);
}

void TfrmRepInventario::AlCargarReporte(report::Report& r) {
    if (!strProdIni.empty() || !strProdFin.empty()) {
        r.SetCaption("lblArtDesde", strProdIni);
        r.SetCaption("lblArtHasta", strProdFin);
    } else {
        r.SetCaption("lblEArtDesde", kTodos);
        for (const char* l : {"lblArtDesde", "lblEArtHasta", "lblArtHasta"}) r.SetCaption(l, "");
    }
    if (!LineaPattern(strLinea).empty()) {
        r.SetCaption("lblLinea", strLineaTexto);
        r.SetCaption("lblELinea", "");
        if (auto* campo = r.Find<report::DataField>("lblCampoLinea")) campo->SetField("", "");
    } else {
        r.SetCaption("lblLinea", kTodas);
        if (auto* l = r.Find<report::Label>("lblLinea")) l->TextFont.bold = true;
    }
    if (!strDeptoIni.empty() || !strDeptoFin.empty()) {
        r.SetCaption("lblDeptoDesde", strDeptoIni);
        r.SetCaption("lblDeptoHasta", strDeptoFin);
    } else {
        r.SetCaption("lblEDeptoDesde", kTodos);
        for (const char* l : {"lblDeptoDesde", "lblEDeptoHasta", "lblDeptoHasta"}) r.SetCaption(l, "");
    }
}

}  // namespace reportes

REPORTES_EXPORT void RCatInventario(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmRepInventario>(p1, p2, p3);
}
