// The kardex: product by product, the opening balance and every movement between two dates
// with its kind, entries, exits and running balance, for one store or all of them.
// Not here: the controls it shares with the other product reports (product_criteria.h), the
// movement kinds (movement_kinds.h), the balance arithmetic (layouts/RKardex.QR2).
#include "platform/3_report/names.h"
#include "platform/1_text/format.h"
#include "reports/framework/config.h"
#include "reports/framework/entry.h"
#include "reports/framework/line_pattern.h"
#include "reports/framework/order_by.h"
#include "reports/inventory/movement_kinds.h"
#include "reports/framework/sql_criteria.h"
#include "reports/inventory/product_criteria.h"

namespace reportes {
namespace {

constexpr EtiquetasProducto kEtiquetas{
    "&Nombre de la tienda", "Producto ", "&Inicial", "&Final", "Departamento ", "Inicia&l", "Fin&al",
    "Lín&ea de producto", "&Título del reporte", "Kárdex de inventarios"};
constexpr const char* kTodasTiendas = "Todas las tiendas";
constexpr const char* kTodos = "Todos";
constexpr const char* kTodas = "Todas";
constexpr const char* kMascaraFecha = "dd'/'mmm'/'yyyy";

}  // namespace

class TfrmRepKardex : public TfrmReporte {
public:
    explicit TfrmRepKardex(vcl::TComponent* owner);
    CriteriosProducto producto;
    velmor::TVlmEdit* edtFecDesde;
    velmor::TVlmEdit* edtFecHasta;

protected:
    std::string ArchivoReporte() override { return "RKardex.QR2"; }
    void PrepararReporte() override;
    void AlPedirParametros(report::Dataset& ds, report::Params& params) override;
    void AlAbrirDataset(report::Dataset& ds) override;
    void AlCargarReporte(report::Report& r) override;

private:
    text::TDateTime desde_ = 0, hasta_ = 0;
};

TfrmRepKardex::TfrmRepKardex(vcl::TComponent* owner)
    : TfrmReporte(owner, "TfrmRepKardex", "Kárdex", 100), producto(*this, kEtiquetas, 12) {
    const int y = producto.Bottom();
    producto.GrupoFechas(y);
    edtFecDesde = producto.edtFecDesde;
    edtFecHasta = producto.edtFecHasta;
    ColocaBotones(y + 66);
    camposCantidad = {"lblAcumulado", "lblSaldoIni", "expTotAcumulado", "expTotEntradas", "expTotSalidas"};

    OnCreate = [this](vcl::TObject*) { producto.Abre(); };
    // The kardex covers every store until the store lookup is left, whatever the host passed.
    OnActivate = [this](vcl::TObject*) {
        producto.Activa();
        strTienda.clear();
    };
}

void TfrmRepKardex::PrepararReporte() {
    strProdIni = producto.edtProdIni->Text();
    strDeptoIni = producto.lkcmbDepDesde->KeyValue();
    // Dates the short format cannot read stop here, with the platform's message.
    desde_ = edtFecDesde->TextAsDate();
    hasta_ = edtFecHasta->TextAsDate();
}

void TfrmRepKardex::AlPedirParametros(report::Dataset&, report::Params& params) {
    ParametrosSentido(Configuracion(), params);
    params.Set("Tienda", report::Value(strTienda));
    params.Set("FecIni", report::Value(FechaSql(desde_)));
}

void TfrmRepKardex::AlAbrirDataset(report::Dataset& ds) {
    ds.DatabaseName = kAlias;
    if (report::SameName(ds.Name(), "Query1")) {
        if (const std::string w = producto.Condiciones("CatInven."); !w.empty()) ds.SQL.push_back("Where 1 = 1" + w);
        PonOrderBy(ds.SQL, "Order by CatInven.Producto");
    } else if (report::SameName(ds.Name(), "Query2")) {
        ds.SQL.push_back(YAdemas({CondicionFechas("M.Fecha", {desde_, hasta_}), CondicionIgual("M.Tienda", strTienda)}));
    }
}

void TfrmRepKardex::AlCargarReporte(report::Report& r) {
    // A movement is an entry or an exit: the other column stays blank rather than 0.
    const std::string cantidad = MascaraCantidad();
    for (const char* e : {"expEntrada", "expSalida"}) r.SetDisplayMask(e, cantidad + ";-" + cantidad + ";#");
    if (auto* mov = r.Find<report::DataField>("cpMov"))
        mov->OnGetText = [](const report::Value& v, std::string& texto) {
            texto = NombreMovimiento(Configuracion(), report::ToText(v));
        };
    if (!strTienda.empty()) {
        r.SetCaption("lblNomTienda", strNomTienda);
        r.SetCaption("lblDirTienda", strDirTienda);
    } else {
        if (auto* campo = r.Find<report::DataField>("lblCampoTienda")) campo->SetField("", "");
        r.SetCaption("lblETienda", "");
        r.SetCaption("lblDirTienda", "");
        r.SetCaption("lblNomTienda", kTodasTiendas);
    }
    if (!strProdIni.empty() || !strProdFin.empty()) {
        r.SetCaption("lblArtDesde", strProdIni);
        r.SetCaption("lblArtHasta", strProdFin);
        r.SetCaption("lblProTodos", "");
    } else {
        for (const char* l : {"lblArtDesde", "lblArtHasta", "lblEArtDesde", "lblEArtHasta"}) r.SetCaption(l, "");
        r.SetCaption("lblProTodos", kTodos);
    }
    if (!strDeptoIni.empty() || !strDeptoFin.empty()) {
        r.SetCaption("lblDeptoDesde", strDeptoIni);
        r.SetCaption("lblDeptoHasta", strDeptoFin);
        r.SetCaption("lblDepTodos", "");
    } else {
        for (const char* l : {"lblDeptoDesde", "lblDeptoHasta", "lblEDeptoD", "lblEDeptoH"}) r.SetCaption(l, "");
        r.SetCaption("lblDepTodos", kTodos);
    }
    if (!LineaPattern(strLinea).empty()) {
        r.SetCaption("lblLinea", strLineaTexto);
        if (auto* campo = r.Find<report::DataField>("lblCampoLinea")) campo->SetField("", "");
        r.SetCaption("lblECampo", "");
    } else {
        r.SetCaption("lblLinea", kTodas);
    }
    r.SetCaption("lblFecDesde", text::FormatDateTime(kMascaraFecha, desde_));
    r.SetCaption("lblFecHasta", text::FormatDateTime(kMascaraFecha, hasta_));
}

}  // namespace reportes

REPORTES_EXPORT void RKardex(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmRepKardex>(p1, p2, p3);
}
