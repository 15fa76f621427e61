// The physical count sheet of one store: each product of the chosen ranges and line with its
// system stock and shelf location, and blank columns for the counted quantity and the
// difference, optionally limited by a stock condition, in one of seven orders.
// Not here: the controls it shares with the other product reports (product_criteria.h).
#include <algorithm>

#include "platform/3_report/names.h"
#include "reports/framework/config.h"
#include "reports/framework/entry.h"
#include "reports/framework/line_pattern.h"
#include "reports/framework/order_by.h"
#include "reports/inventory/product_criteria.h"

namespace reportes {
namespace {

constexpr EtiquetasProducto kEtiquetas{
    "&Nombre de la tienda", " Producto ", "&Inicial", "&Final", " Departamento ", "I&nicial", "Fin&al",
    "&Línea de producto", "&Título del reporte", "Inventario físico"};
constexpr const char* kCriterios[] = {"Todos los productos", "Criterio", "Con existencias cero o negativas"};
constexpr const char* kOrdenadoPor = "&Ordenado por";
constexpr const char* kHintOrden = "Campo por el que se desea\nque el reporte se ordene";
constexpr const char* kOrdenes[] = {"Clave", "Descripción", "Existencia", "Control de Alm.", "Departamento",
                                    "Línea", "Precio minimo"};
// "Clave" (or no choice) is the product key, stated rather than left to the join's scan order.
constexpr const char* kOrderBy[] = {"Order by CatInven.Producto", "Order by CatInven.Descripcio",
                                    "Order by Exist.Existencia",  "Order by Exist.ControlAlm",
                                    "Order by Deptos.Descripcio", "Order by  Lineas.Clv_Lin",
                                    "Order by  CatInven.PrecioMin"};
constexpr const char* kTodas = "Todas";

// With a line chosen the line column goes and the columns after it move left (layout units:
// pixels of the page at 96 per inch).
constexpr double kMmPorUnidad = 25.4 / 96;
struct Posicion { const char* item; double left; };
constexpr Posicion kColumnasSinLinea[] = {
    {"lblAlmacen", 390}, {"lblCampoAlmacen", 392}, {"lblExis", 492},     {"lblCampoExis", 474},
    {"lblExisFis", 570}, {"lblCampoExisFis", 567}, {"lblDif", 650},      {"lblCampoDif", 647}};
constexpr double kAnchoDescripcionSinLinea = 250;

}  // namespace

class TfrmInvFisico : public TfrmReporte {
public:
    explicit TfrmInvFisico(vcl::TComponent* owner);
    CriteriosProducto producto;
    CondicionExistencia existencia;
    vcl::TComboBox* cmbOrdenadoPor;
    std::string strDescDeptoIni, strDescDeptoFin;

protected:
    std::string ArchivoReporte() override { return "RInvFis.Qr2"; }
    void AlPulsarReporte() override { producto.AlPulsar(); }
    void AlPedirParametros(report::Dataset&, report::Params& params) override {
        params.Set("TiendaAct", report::Value(strTienda));
    }
    void AlAbrirDataset(report::Dataset& ds) override;
    void AlCargarReporte(report::Report& r) override;
};

TfrmInvFisico::TfrmInvFisico(vcl::TComponent* owner)
    : TfrmReporte(owner, "TfrmInvFisico", "Inventario físico", 99), producto(*this, kEtiquetas, 12),
      existencia(*this, kCriterios, producto.Bottom() + 34, Configuracion().DecCantidad) {
    const int y = producto.Bottom();
    cmbOrdenadoPor = vcl::NewControl<vcl::TComboBox>(this, "cmbOrdenadoPor");
    cmbOrdenadoPor->SetStyle(vcl::csDropDownList);
    cmbOrdenadoPor->SetHint(kHintOrden);
    cmbOrdenadoPor->SetShowHint(true);
    cmbOrdenadoPor->SetTabStop(true);
    cmbOrdenadoPor->SetBounds(162, y, 180, 23);
    for (const char* o : kOrdenes) cmbOrdenadoPor->Items().Add(o);
    auto* lbl = vcl::NewControl<vcl::TLabel>(this, "lblOrdenadoPor");
    lbl->SetCaption(kOrdenadoPor);
    lbl->SetBounds(12, y + 4, 146, 16);
    lbl->SetFocusControl(cmbOrdenadoPor);
    ColocaBotones(existencia.Bottom() + 4);

    encabezadoTienda = true;
    camposCantidad = {"lblCampoExis"};

    OnCreate = [this](vcl::TObject*) {
        producto.Abre();
        existencia.cmbCriterio->SetItemIndex(0);
    };
    OnActivate = [this](vcl::TObject*) { producto.Activa(); };
}

void TfrmInvFisico::AlAbrirDataset(report::Dataset& ds) {
    if (!report::SameName(ds.Name(), "Query1")) return;
    if (const std::string w = producto.Condiciones("CatInven."); !w.empty()) ds.SQL.push_back("Where 1 = 1" + w);
    // Untouched, the radio group counts as the criterion: stock above 0, the edit's defaults.
    if (const std::string linea = existencia.Linea("Exist.Existencia"); !linea.empty()) ds.SQL.push_back(linea);
    PonOrderBy(ds.SQL, kOrderBy[std::clamp(cmbOrdenadoPor->ItemIndex(), 0, 6)]);
}

void TfrmInvFisico::AlCargarReporte(report::Report& r) {
    strDescDeptoIni = producto.DescripcionDepto(strDeptoIni);
    strDescDeptoFin = producto.DescripcionDepto(strDeptoFin);
    if (!strProdIni.empty() && !strProdFin.empty()) {
        r.SetCaption("lblArtDesde", strProdIni);
        r.SetCaption("lblArtHasta", strProdFin);
        r.SetCaption("lblProTodos", "");
    } else {
        for (const char* l : {"lblEDesde", "lblEHasta", "lblArtDesde", "lblArtHasta"}) r.SetCaption(l, "");
        if (auto* l = r.Find<report::Label>("lblProTodos")) l->Visible = true;
    }
    if (!strDeptoIni.empty() && !strDeptoFin.empty()) {
        r.SetCaption("lblDepDesde", strDeptoIni);
        r.SetCaption("lblNomDesde", strDescDeptoIni);
        r.SetCaption("lblDepHasta", strDeptoFin);
        r.SetCaption("lblNomHasta", strDescDeptoFin);
        r.SetCaption("lblDepTodos", "");
    } else {
        for (const char* l : {"lblEDesde2", "lblEHasta2", "lblDepDesde", "lblNomDesde", "lblDepHasta", "lblNomHasta"})
            r.SetCaption(l, "");
        if (auto* l = r.Find<report::Label>("lblDepTodos")) l->Visible = true;
    }
    if (LineaPattern(strLinea).empty()) {
        r.SetCaption("lblClaveLinea", kTodas);
        r.SetCaption("lblDesLinea", "");
        return;
    }
    r.SetCaption("lblClaveLinea", strLineaTexto);
    r.SetCaption("lblDesLinea", strDescLinea);
    if (auto* campo = r.Find<report::DataField>("lblCampoLinea")) campo->SetField("", "");
    r.SetCaption("lblELinea", "");
    if (auto* des = r.Find<report::Item>("lblCampoDes")) des->Width = kAnchoDescripcionSinLinea * kMmPorUnidad;
    for (const auto& p : kColumnasSinLinea)
        if (auto* item = r.Find<report::Item>(p.item)) item->Left = p.left * kMmPorUnidad;
}

}  // namespace reportes

REPORTES_EXPORT void RInvFisico(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmInvFisico>(p1, p2, p3);
}
