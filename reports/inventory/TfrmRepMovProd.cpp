// The movements of one store between two dates, of every kind or of one chosen kind (sales,
// purchases, transfers, returns, other entries or exits), with unit price, quantity and amount.
// Not here: the controls it shares with the other product reports (product_criteria.h), the
// movement kinds (movement_kinds.h).
#include "platform/3_report/names.h"
#include "platform/1_text/format.h"
#include "reports/framework/config.h"
#include "reports/framework/entry.h"
#include "reports/framework/line_pattern.h"
#include "reports/framework/order_by.h"
#include "reports/framework/sql_criteria.h"
#include "reports/inventory/movement_kinds.h"
#include "reports/inventory/product_criteria.h"

namespace reportes {
namespace {

constexpr EtiquetasProducto kEtiquetas{
    "&Nombre de la tienda", "Producto ", "&Inicial", "&Final", nullptr, nullptr, nullptr,
    "&Línea de producto", "&Título del reporte", "Recepción y salida"};
constexpr const char* kTipoMovimiento = "Tipo de movimiento";
constexpr const char* kTipos[] = {"&Todos", "&Ventas", "Comp&ras", "Traspas&os", "Devo&luciones",
                                  "Otras &entradas", "Otras &salidas"};
constexpr const char* kTiposEncabezado[] = {"Todos", "Ventas", "Compras", "Traspasos", "Devoluciones",
                                            "Otras entradas", "Otras salidas"};
constexpr const char* kTodos = "Todos";
constexpr const char* kTodas = "Todas";
constexpr const char* kMascaraFecha = "dd'/'mmm'/'yyyy";
// The unit price without taxes when the stored amounts include them. A movement of quantity 0
// has no unit price (null, printed blank) rather than a division by zero.
constexpr const char* kSelectSinImpuestos =
    "select mov.fecha, mov.referencia, mov.tipomov, mov.producto, ((mov.montoacum - mov.montoimp1 - mov.montoimp2 "
    "- mov.montoimp3 - mov.montoimp4)/NULLIF(mov.cantidad, 0)) as preciounitario, mov.cantidad, mov.montoacum, "
    "cat.descripcio  from movprod mov, catinven cat";
constexpr const char* kOrden = "Order by Cat.Producto, Mov.Fecha, Mov.Folio";

// The kind condition of a radio item, by the configured codes.
std::string CondicionTipo(const velmor::TRazirConfig& cfg, int item) {
    auto igual = [](std::int16_t codigo) { return "Mov.TipoMov = " + std::to_string(codigo); };
    auto uno = [&](std::int16_t codigo) { return "(" + igual(codigo) + ")"; };
    auto dos = [&](std::int16_t a, std::int16_t b) { return "(" + igual(a) + " Or " + igual(b) + ")"; };
    switch (item) {
        case 1: return uno(cfg.TipoMovVentas);
        case 2: return uno(cfg.TipoMovCompras);
        case 3: return dos(cfg.TipoMovSalida, cfg.TipoMovEntrada);
        case 4: return dos(cfg.TipoMovDevCompras, cfg.TipoMovDevVentas);
        case 5: return uno(cfg.TipoMovAjustes);
        case 6: return uno(cfg.TipoMovPerdidas);
        default: return {};
    }
}

}  // namespace

class TfrmRepMovProd : public TfrmReporte {
public:
    explicit TfrmRepMovProd(vcl::TComponent* owner);
    CriteriosProducto producto;
    vcl::TRadioGroup* rdgpTipoMov;

protected:
    std::string ArchivoReporte() override { return "RMovProd.QR2"; }
    void AlPulsarReporte() override { producto.AlPulsar(); }
    void PrepararReporte() override;
    void AlAbrirDataset(report::Dataset& ds) override;
    void AlCargarReporte(report::Report& r) override;

private:
    text::TDateTime desde_ = 0, hasta_ = 0;
};

TfrmRepMovProd::TfrmRepMovProd(vcl::TComponent* owner)
    : TfrmReporte(owner, "TfrmRepMovProd", "Recepción y salida", 261), producto(*this, kEtiquetas, 12) {
    int y = producto.Bottom();
    producto.GrupoFechas(y);
    y += 66;
    rdgpTipoMov = vcl::NewControl<vcl::TRadioGroup>(this, "rdgpTipoMov");
    rdgpTipoMov->SetCaption(kTipoMovimiento);
    rdgpTipoMov->SetColumns(3);
    rdgpTipoMov->SetTabStop(true);
    rdgpTipoMov->SetBounds(12, y, 420, 90);
    for (const char* t : kTipos) rdgpTipoMov->Items().Add(t);
    rdgpTipoMov->SetItemIndex(0);
    ColocaBotones(y + 100);

    encabezadoTienda = true;
    camposDinero = {"lblMonto", "lblSubMonto", "lblTotMonto", "lblPrecio"};
    camposCantidad = {"lblCant", "lblSubCant", "lblTotCant"};

    OnCreate = [this](vcl::TObject*) { producto.Abre(); };
    OnActivate = [this](vcl::TObject*) { producto.Activa(); };
}

void TfrmRepMovProd::PrepararReporte() {
    // Dates the short format cannot read stop here, with the platform's message.
    desde_ = producto.edtFecDesde->TextAsDate();
    hasta_ = producto.edtFecHasta->TextAsDate();
}

void TfrmRepMovProd::AlAbrirDataset(report::Dataset& ds) {
    if (!report::SameName(ds.Name(), "Query1")) return;
    ds.DatabaseName = kAlias;
    if (Configuracion().PreciosConImpuestos && !ds.SQL.empty()) ds.SQL.front() = kSelectSinImpuestos;
    ds.SQL.push_back(producto.Condiciones("Cat."));
    ds.SQL.push_back(YAdemas({CondicionFechas("Mov.Fecha", {desde_, hasta_}), CondicionIgual("Mov.Tienda", strTienda),
                              CondicionTipo(Configuracion(), rdgpTipoMov->ItemIndex())}));
    PonOrderBy(ds.SQL, kOrden);
}

void TfrmRepMovProd::AlCargarReporte(report::Report& r) {
    if (auto* tipo = r.Find<report::DataField>("fTipoMov"))
        tipo->OnGetText = [](const report::Value& v, std::string& texto) {
            const std::string codigo = report::ToText(v);
            texto = NombreConfigurado(Configuracion(), codigo).value_or(codigo);
        };
    if (!strProdIni.empty() || !strProdFin.empty()) {
        r.SetCaption("lblProDesde", strProdIni);
        r.SetCaption("lblProHasta", strProdFin);
    } else {
        for (const char* l : {"lblProDesde", "lblProHasta", "lblEHastaP"}) r.SetCaption(l, "");
        r.SetCaption("lblEDesdeP", kTodos);
    }
    r.SetCaption("lblLinea", LineaPattern(strLinea).empty() ? std::string(kTodas) : strLineaTexto);
    r.SetCaption("lblFecDesde", text::FormatDateTime(kMascaraFecha, desde_));
    r.SetCaption("lblFecHasta", text::FormatDateTime(kMascaraFecha, hasta_));
    const int item = rdgpTipoMov->ItemIndex();
    r.SetCaption("lblTipoMov", kTiposEncabezado[item >= 0 && item < 7 ? item : 0]);
}

}  // namespace reportes

REPORTES_EXPORT void RMovProd(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmRepMovProd>(p1, p2, p3);
}
