// The price list of one store: the public price and one other price level of each product,
// for the staff, or for customers with the public price alone.
// Not here: the controls it shares with the other product reports (product_criteria.h).
#include <algorithm>

#include "platform/3_report/names.h"
#include "platform/2_vcl/buttons.h"
#include "reports/framework/config.h"
#include "reports/framework/entry.h"
#include "reports/framework/line_pattern.h"
#include "reports/framework/order_by.h"
#include "reports/inventory/product_criteria.h"

namespace reportes {
namespace {

constexpr EtiquetasProducto kEtiquetas{
    "Nomb&re de la tienda", "Producto ", "Inici&al", "&Final", "Departamento ", "Inicia&l", "Fi&nal",
    "Lín&ea de producto", "&Título del reporte", "Lista de precios"};
constexpr const char* kPrecImp = "Precio a &imprimir";
constexpr const char* kHintPrecImp = "Lista de precio a imprimir";
constexpr const char* kPrecios[] = {"Precio 2", "Precio 3", "Precio 4", "Precio mínimo"};
constexpr const char* kCamposPrecio[] = {"Precio2", "Precio3", "Precio4", "PrecioMin"};
constexpr const char* kListaCliente = "Li&sta para clientes";
constexpr const char* kHintListaCliente = "Especifica si el reporte\nestá dirigido o no a clientes";
constexpr const char* kOrdenarPor = "Or&denar por";
constexpr const char* kOrdenes[] = {"Clave", "Descripción", "Linea producto", "Moneda", "Precio público",
                                    "Precio imprimir"};
// "Clave" is the product key, stated rather than left to the join's scan order.
constexpr const char* kOrderBy[] = {"Order by Producto", "Order by Descripcio", "Order by Linea",
                                    "Order by Moneda", "Order by PrecioP"};
constexpr const char* kOrderByPrecio[] = {"Order by Precio2", "Order by Precio3", "Order by Precio4",
                                          "Order by PrecioMin"};
constexpr const char* kTodos = "Todos";
constexpr const char* kTodas = "Todas";

}  // namespace

class TfrmListaPrecios : public TfrmReporte {
public:
    explicit TfrmListaPrecios(vcl::TComponent* owner);
    CriteriosProducto producto;
    vcl::TComboBox* cmbPrecImp;
    vcl::TCheckBox* chkListaCliente;
    vcl::TComboBox* cmbOrdenarPor;
    std::string strDescDeptoIni, strDescDeptoFin;

protected:
    std::string ArchivoReporte() override { return "RLstPrec.QR2"; }
    void AlPulsarReporte() override;
    void AlPedirParametros(report::Dataset& ds, report::Params& params) override;
    void AlAbrirDataset(report::Dataset& ds) override;
    void AlCargarReporte(report::Report& r) override;

private:
    vcl::TComboBox* Combo(const char* name, const char* caption, int top);
    std::string condiciones_;
};

vcl::TComboBox* TfrmListaPrecios::Combo(const char* name, const char* caption, int top) {
    auto* c = vcl::NewControl<vcl::TComboBox>(this, name);
    c->SetStyle(vcl::csDropDownList);
    c->SetShowHint(true);
    c->SetTabStop(true);
    c->SetBounds(162, top, 180, 23);
    auto* lbl = vcl::NewControl<vcl::TLabel>(this, std::string("lbl") + (name + 3));
    lbl->SetCaption(caption);
    lbl->SetBounds(12, top + 4, 146, 16);
    lbl->SetFocusControl(c);
    return c;
}

TfrmListaPrecios::TfrmListaPrecios(vcl::TComponent* owner)
    : TfrmReporte(owner, "TfrmListaPrecios", "Lista de precios", 101), producto(*this, kEtiquetas, 12) {
    int y = producto.Bottom();
    cmbPrecImp = Combo("cmbPrecImp", kPrecImp, y);
    cmbPrecImp->SetHint(kHintPrecImp);
    for (const char* p : kPrecios) cmbPrecImp->Items().Add(p);
    y += 32;
    chkListaCliente = vcl::NewControl<vcl::TCheckBox>(this, "chkListaCliente");
    chkListaCliente->SetCaption(kListaCliente);
    chkListaCliente->SetHint(kHintListaCliente);
    chkListaCliente->SetShowHint(true);
    chkListaCliente->SetTabStop(true);
    chkListaCliente->SetBounds(162, y, 200, 20);
    y += 30;
    cmbOrdenarPor = Combo("cmbOrdenarPor", kOrdenarPor, y);
    for (const char* o : kOrdenes) cmbOrdenarPor->Items().Add(o);
    ColocaBotones(y + 40);

    encabezadoTienda = true;
    camposDinero = {"lblPrecioP", "lblOtroPrecio"};

    OnCreate = [this](vcl::TObject*) {
        producto.Abre();
        strDescDeptoIni.clear();
        strDescDeptoFin.clear();
    };
    OnActivate = [this](vcl::TObject*) { producto.Activa(); };
}

void TfrmListaPrecios::AlPulsarReporte() {
    producto.AlPulsar();
    condiciones_.clear();
}

void TfrmListaPrecios::AlPedirParametros(report::Dataset&, report::Params& params) {
    params.Set("TiendaAct", report::Value(strTienda));
}

// Query1 (the products) and Query2 (their count) take the same conditions; the bounds filled
// in for the first serve the second.
void TfrmListaPrecios::AlAbrirDataset(report::Dataset& ds) {
    const bool lista = report::SameName(ds.Name(), "Query1");
    if (!lista && !report::SameName(ds.Name(), "Query2")) return;
    ds.DatabaseName = kAlias;
    if (condiciones_.empty()) condiciones_ = producto.Condiciones("");
    if (!condiciones_.empty()) ds.SQL.push_back("Where 1 = 1" + condiciones_);
    if (!lista) return;
    const int orden = cmbOrdenarPor->ItemIndex();
    const int precio = cmbPrecImp->ItemIndex();
    if (orden >= 0 && orden < 5) PonOrderBy(ds.SQL, kOrderBy[orden]);
    else if (orden == 5 && precio >= 0) PonOrderBy(ds.SQL, kOrderByPrecio[precio]);
    else PonOrderBy(ds.SQL, kOrderBy[0]);
}

void TfrmListaPrecios::AlCargarReporte(report::Report& r) {
    strDescDeptoIni = producto.DescripcionDepto(strDeptoIni);
    strDescDeptoFin = producto.DescripcionDepto(strDeptoFin);
    if (!strProdIni.empty() || !strProdFin.empty()) {
        r.SetCaption("lblArtDesde", strProdIni);
        r.SetCaption("lblArtHasta", strProdFin);
    } else {
        r.SetCaption("lblEProDesde", kTodos);
        for (const char* l : {"lblArtDesde", "lblEProHasta", "lblArtHasta"}) r.SetCaption(l, "");
    }
    if (!strDeptoIni.empty() || !strDeptoFin.empty()) {
        r.SetCaption("lblDepDesde", strDeptoIni);
        r.SetCaption("lblDepHasta", strDeptoFin);
        r.SetCaption("lblDesDepD", strDescDeptoIni);
        r.SetCaption("lblDesDepH", strDescDeptoFin);
    } else {
        r.SetCaption("lblEDepDesde", kTodos);
        for (const char* l : {"lblEDepHasta", "lblDepDesde", "lblDepHasta", "lblDesDepD", "lblDesDepH"})
            r.SetCaption(l, "");
    }
    if (!LineaPattern(strLinea).empty()) {
        r.SetCaption("lblLinea", strLineaTexto);
        r.SetCaption("lblLineaProd", "");
        if (auto* campo = r.Find<report::DataField>("lblCampoLinea")) campo->SetField("", "");
        // A pattern covers several lines: the first row's line description would mislead.
        if (auto* campo = r.Find<report::DataField>("lblDesLinea"); campo && LineaIsPattern(strLinea))
            campo->SetField("", "");
    } else {
        r.SetCaption("lblLinea", kTodas);
        if (auto* campo = r.Find<report::DataField>("lblDesLinea")) campo->SetField("", "");
    }
    auto* otro = r.Find<report::DataField>("lblOtroPrecio");
    if (chkListaCliente->Checked()) {
        // Customers see the public price only.
        r.SetCaption("lblCabOtroPrecio", "");
        if (otro) otro->SetField("", "");
    } else if (const int precio = cmbPrecImp->ItemIndex(); precio >= 0) {
        r.SetCaption("lblCabOtroPrecio", kPrecios[precio]);
        if (otro) otro->SetField(otro->DatasetName(), kCamposPrecio[precio]);
    }
}

}  // namespace reportes

REPORTES_EXPORT void RListaPrecios(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmListaPrecios>(p1, p2, p3);
}
