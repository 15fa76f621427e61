// Sales by product: quantity and amount before taxes of each product per day, week, fortnight
// or month from the movements, narrowed by products, departments, line, store, cashier and
// seller, with thresholds on quantity and amount. Direct mode prints one cashier's day from the
// register's note lines at once, on a 40-column roll when the register prints on one.
// Not here: the period fill (framework), the criteria checks (criteria.h).
#include <cmath>
#include <cstdio>
#include <tuple>

#include "platform/2_db/quote.h"
#include "platform/3_report/names.h"
#include "platform/1_text/format.h"
#include "platform/2_vcl/application.h"
#include "platform/2_vcl/dialogs.h"
#include "reports/framework/config.h"
#include "reports/framework/criteria.h"
#include "reports/framework/entry.h"
#include "reports/framework/periods.h"
#include "platform/6_schema/tables.h"
#include "reports/framework/summary_buttons.h"
#include "reports/sales/product_criteria.h"

namespace reportes {
namespace {

constexpr const char* kCaption = "Estadísticas de ventas por producto";
constexpr int kAyuda = 70;
constexpr const char* kLayout = "RVenXPro.QR2";
constexpr const char* kLayoutDirecto = "RCVenPro.QR2";
constexpr const char* kLayoutDirecto40 = "RCVenPro40.QR2";
constexpr const char* kTitulos[] = {"Ventas de producto diario", "Ventas de producto por semana",
                                    "Ventas de producto por quincena", "Ventas de producto por mes"};
constexpr const char* kTodos = "Todos";
constexpr const char* kTodas = "Todas";
constexpr const char* kFormatoRango = "dd'/'mmm'/'yyyy";

std::string Rellena(std::string s, std::size_t ancho) {
    if (s.size() < ancho) s.append(ancho - s.size(), ' ');
    return s;
}

}  // namespace

class TfrmVentaXProd : public TfrmReporte {
public:
    explicit TfrmVentaXProd(vcl::TComponent* owner);

    velmor::TVlmEdit* edtProdIni;
    velmor::TVlmEdit* edtProdFin;
    velmor::TVlmEdit* edtFecDesde;
    velmor::TVlmEdit* edtFecHasta;
    velmor::TVlmEdit* edtUnidades;
    velmor::TVlmEdit* edtMonto;
    vcl::TDBLookupComboBox* lkcmbDepDesde;
    vcl::TDBLookupComboBox* lkcmbDepHasta;
    vcl::TDBLookupComboBox* lkcmbTiendas;
    vcl::TDBLookupComboBox* lkcmbCajero;
    vcl::TDBLookupComboBox* lkcmbVendedor;
    velmor::TVlmEdit* edtLinea2;
    BotonesResumen resumen;
    vcl::TEdit* edtTitReporte;
    db::TTable tblDeptos, tblLineas, tblUsuarios, tblProductos, tblCajas;

    void AsignaArgumentos(const std::string& p1, const std::string& p2) override;
    bool ModoDirecto(const std::string& p1, const std::string& p2) override;

protected:
    std::string ArchivoReporte() override { return bDirecto ? kLayoutDirecto : kLayout; }
    void PrepararReporte() override;
    void AlPedirParametros(report::Dataset& ds, report::Params& params) override;
    void AlAbrirDataset(report::Dataset& ds) override;
    void AlCargarReporte(report::Report& r) override;

private:
    void FechasExit(vcl::TObject* sender);
    std::string Condiciones();
    std::string CondicionesTotal();
    std::string NombreUsuario(const std::string& clave);

    Criterios criterios_{*this};
    SelectorTienda tienda_;
    db::TDataSetListSource fuenteDeptos_, fuenteUsuarios_;
    std::string p1_, p2_;  // the host's arguments in dialog mode, not used by this report
    std::string cajero_, nomCajero_;
    std::string subtitulo1_, subtitulo2_;
    std::string archivoDetalle_, archivoNotas_;  // direct mode: the day's note lines and notes
    double minCantidad_ = 0, minMonto_ = 0;
    text::TDateTime dDesde_ = 0, dHasta_ = 0;
};

TfrmVentaXProd::TfrmVentaXProd(vcl::TComponent* owner)
    : TfrmReporte(owner, "TfrmVentaXProd", kCaption, kAyuda),
      resumen(this, "&Resumen", {"D&iario", "Semana&l", "&Quincenal", "&Mensual"}),
      tienda_(*this, this, "&Tienda", 12, 244, 260, 96),
      fuenteDeptos_(tblDeptos),
      fuenteUsuarios_(tblUsuarios) {
    TablaDelAlias(tblDeptos, "tblDeptos", "Deptos");
    TablaDelAlias(tblLineas, "tblLineas", "Lineas");
    TablaDelAlias(tblUsuarios, "tblUsuarios", "Usuarios.DB");
    TablaDelAlias(tblProductos, "tblProductos", "CatInven");
    TablaDelAlias(tblCajas, "tblCajas", "Cajas");
    lkcmbTiendas = tienda_.combo;

    std::tie(edtProdIni, edtProdFin) =
        GrupoDosEdits(this, "grpProducto", "P&roducto ", 8, "edtProdIni", "Inicial", "edtProdFin", "Final");
    for (auto* e : {edtProdIni, edtProdFin}) e->SetMaxLength(20);
    criterios_.Productos(edtProdIni, edtProdFin);

    std::tie(edtFecDesde, edtFecHasta) =
        GrupoDosEdits(this, "grpFecha", "&Fecha ", 66, "edtFecDesde", "Inicial", "edtFecHasta", "Final");
    criterios_.Fechas(edtFecDesde, edtFecHasta);
    edtFecDesde->SetDate(text::Today() - 29);
    for (auto* e : {edtFecDesde, edtFecHasta}) e->OnExit = [this](vcl::TObject* s) { FechasExit(s); };

    std::tie(edtUnidades, edtMonto) = GrupoUmbrales(this, 124);

    auto* grpDepto = vcl::NewControl<vcl::TGroupBox>(this, "grpDepto");
    grpDepto->SetCaption("&Departamento");
    grpDepto->SetBounds(12, 182, 400, 54);
    lkcmbDepDesde = NuevoLookup(grpDepto, "lkcmbDepDesde", &fuenteDeptos_, "Depto", "Depto;Descripcio", "De&sde",
                                12, 20, 130, 50);
    lkcmbDepHasta = NuevoLookup(grpDepto, "lkcmbDepHasta", &fuenteDeptos_, "Depto", "Depto;Descripcio", "&Hasta",
                                206, 20, 130, 50);
    criterios_.Deptos(lkcmbDepDesde, lkcmbDepHasta);

    lkcmbCajero = NuevoLookup(this, "lkcmbCajero", &fuenteUsuarios_, "Usuario", "Usuario;Nombre", "C&ajero", 12,
                              274, 260, 96);
    lkcmbVendedor = NuevoLookup(this, "lkcmbVendedor", &fuenteUsuarios_, "Usuario", "Usuario;Nombre",
                                "&Vendedor", 12, 304, 260, 96);
    criterios_.Usuarios(lkcmbCajero, lkcmbVendedor, &tblUsuarios);
    edtLinea2 = vcl::NewControl<velmor::TVlmEdit>(this, "edtLinea2");
    edtLinea2->SetMaxLength(5);
    edtLinea2->SetBounds(108, 334, 80, 23);
    auto* lblLinea = vcl::NewControl<vcl::TLabel>(this, "lblLinea2");
    lblLinea->SetCaption("&Línea de producto");
    lblLinea->SetBounds(12, 338, 96, 16);
    lblLinea->SetFocusControl(edtLinea2);
    criterios_.Linea(edtLinea2, &tblLineas);

    resumen.Coloca(12, 366, 400);
    resumen.Marca(Resumen::Mensual);
    resumen.AlElegir = [this](Resumen r) { edtTitReporte->SetText(kTitulos[static_cast<int>(r)]); };

    edtTitReporte = vcl::NewControl<vcl::TEdit>(this, "edtTitReporte");
    edtTitReporte->SetMaxLength(20);
    edtTitReporte->SetText(kTitulos[3]);
    edtTitReporte->SetBounds(144, 424, 268, 23);
    edtTitReporte->SetTabStop(true);
    auto* lblTit = vcl::NewControl<vcl::TLabel>(this, "lblTitulo");
    lblTit->SetCaption("Título del &reporte");
    lblTit->SetBounds(12, 428, 128, 16);
    lblTit->SetFocusControl(edtTitReporte);
    ColocaBotones(460);

    camposDinero = {"lblSubMonto", "lblTotMonto", "lblMonto"};
    camposCantidad = {"lblSubCant", "lblCant", "lblTotCant"};

    OnCreate = [this](vcl::TObject*) {
        for (db::TTable* t : {&tblProductos, &tblDeptos, &tblUsuarios, &tblLineas})
            if (!t->Active()) t->Open();
        tienda_.Abre();
        strTienda.clear();  // all stores until one is chosen
    };
}

// P1 and P2 name the host's store; this report starts over all stores.
void TfrmVentaXProd::AsignaArgumentos(const std::string& p1, const std::string& p2) {
    p1_ = p1;
    p2_ = p2;
}

void TfrmVentaXProd::FechasExit(vcl::TObject* sender) {
    criterios_.FechasExit(sender);
    if (SaliendoSinValidar(true)) return;
    const auto desde = edtFecDesde->TextAsDate(), hasta = edtFecHasta->TextAsDate();
    if (desde > hasta) return;
    resumen.PermiteSegun(PermitidosVentas(desde, hasta));
}

std::string TfrmVentaXProd::NombreUsuario(const std::string& clave) {
    if (clave.empty()) return {};
    if (!tblUsuarios.Active()) tblUsuarios.Open();
    const bool filtrada = tblUsuarios.Filtered();
    tblUsuarios.SetFiltered(false);
    std::string nombre;
    if (tblUsuarios.Locate("Usuario", {db::Value(clave)})) nombre = tblUsuarios.FieldByName("Nombre").AsString();
    tblUsuarios.SetFiltered(filtrada);
    return nombre;
}

void TfrmVentaXProd::PrepararReporte() {
    vcl::Screen->SetCursor(vcl::crHourGlass);
    dDesde_ = std::floor(edtFecDesde->TextAsDate());
    dHasta_ = std::floor(edtFecHasta->TextAsDate());
    if (!bDirecto) {
        const std::string& ini = strProdIni;
        const std::string& fin = strProdFin;
        subtitulo1_.clear();
        if (!ini.empty() && fin.empty()) subtitulo1_ = "Del producto : " + Rellena(ini, 20) + "Hasta : . . .";
        else if (ini.empty() && !fin.empty())
            subtitulo1_ = "Del producto : . . ." + std::string(15, ' ') + "Hasta : " + Rellena(fin, 17);
        else if (!ini.empty()) subtitulo1_ = "Del producto : " + Rellena(ini, 20) + "Hasta : " + Rellena(fin, 17);
        if (!subtitulo1_.empty()) subtitulo1_ += std::string(20, ' ');
        minCantidad_ = Umbral(edtUnidades);
        minMonto_ = Umbral(edtMonto);
        subtitulo2_.clear();
        char buf[64];
        if (minCantidad_ > 0) {
            std::snprintf(buf, sizeof buf, "%-14.2f unidades       ", minCantidad_);
            subtitulo2_ = std::string("Ventas mayores a : ") + buf;
        }
        if (minMonto_ > 0) {
            std::snprintf(buf, sizeof buf, "$ %-14.2f", minMonto_);
            subtitulo2_ += (subtitulo2_.empty() ? "Ventas mayores a : " : "y a un monto de : ") + std::string(buf);
        }
        cajero_ = lkcmbCajero->KeyValue();
        nomCajero_ = NombreUsuario(cajero_);
    }
    if (!bDirecto)
        LlenaFecEst(dDesde_, dHasta_, resumen.Marcado(), 0, kAlias);
    vcl::Screen->SetCursor(vcl::crDefault);
}

void TfrmVentaXProd::AlPedirParametros(report::Dataset&, report::Params& params) {
    params.Set("FecIni", report::Value(report::DateValue{dDesde_}));
    params.Set("FecFin", report::Value(report::DateValue{dHasta_}));
}

// The conditions of the product lines: products, departments and line, then what restricts
// the grand total too.
std::string TfrmVentaXProd::Condiciones() {
    return CondicionesProducto(*this, tblProductos, "Inv") + CondicionesTotal();
}

// What restricts the grand total too: sales movements, store, cashier and seller.
std::string TfrmVentaXProd::CondicionesTotal() {
    std::string c = " And (Mov.TipoMov = " + std::to_string(Configuracion().TipoMovVentas) + ")";
    if (!strTienda.empty()) c += FragmentoTienda("Mov.Tienda", strTienda);
    if (!cajero_.empty()) c += FragmentoUsuario("Mov.Usuario", cajero_);
    if (const std::string v = lkcmbVendedor->KeyValue(); !v.empty()) c += FragmentoUsuario("Mov.Vendedor", v);
    return c;
}

void TfrmVentaXProd::AlAbrirDataset(report::Dataset& ds) {
    auto inserta = [&ds](std::size_t linea, const std::string& texto) {
        if (ds.SQL.size() < 3) throw std::runtime_error(ds.Name() + ": la consulta no admite las condiciones");
        if (!texto.empty()) ds.SQL.insert(ds.SQL.begin() + static_cast<std::ptrdiff_t>(linea), texto);
    };
    if (bDirecto) {
        if (!report::SameName(ds.Name(), "Query1")) return;
        // Only the paid notes of the cashier passed in; a package's own line is counted
        // through its components.
        ds.SQL = {"Select D.Producto, Inv.Descripcio, Sum(D.Cantidad) As Cantidad,"
                  " Sum(D.TotPartida-D.TotImp1-D.TotImp2-D.TotImp3-D.TotImp4) As Monto",
                  "From " + archivoDetalle_ + " D Join " + archivoNotas_ +
                      " V On V.Caja = D.Caja And V.Nota = D.Nota Left Join CatInven Inv On Inv.Producto = D.Producto",
                  "Where V.Status = 'N' And (D.TipoProducto Is Null Or D.TipoProducto <> 'K')" +
                      FragmentoUsuario("V.Cajero", cajero_),
                  "Group By D.Producto, Inv.Descripcio Order By D.Producto"};
        return;
    }
    if (report::SameName(ds.Name(), "Query1")) {
        if (ds.SQL.empty()) throw std::runtime_error("Query1: la consulta no admite las condiciones");
        ds.SQL[0] = "Select Mov.Producto, Inv.Descripcio, Sum(Mov.Cantidad) As Cantidad, Sum(" + MontoNeto("Mov") +
                    ") As Monto From MovProd Mov, CatInven Inv";
        inserta(3, Condiciones());
        // The threshold tests what the line shows: the amount before taxes.
        ds.SQL.push_back(HavingUmbrales("Mov", minCantidad_, minMonto_));
    } else if (report::SameName(ds.Name(), "Query3")) {
        if (ds.SQL.size() < 2) throw std::runtime_error("Query3: la consulta no admite las condiciones");
        ds.SQL[1] = "Sum(Mov.Cantidad) As SumCant, Sum(" + MontoNeto("Mov") + ") As SumMonto From MovProd Mov";
        inserta(3, CondicionesTotal());
    }
}

void TfrmVentaXProd::AlCargarReporte(report::Report& r) {
    r.SetCaption("lblSubTitulo1", subtitulo1_);
    r.SetCaption("lblSubTitulo2", subtitulo2_);
    EncabezadoProducto(r, *this);
    if (!strTienda.empty()) {
        r.SetCaption("lblTieDesde", strTienda);
    } else {
        r.SetCaption("lblEDesdeT", kTodas);
        r.SetCaption("lblTieDesde", "");
    }
    const auto& formatos = rppdlg->Formats;
    r.SetCaption("lblFecDesde", text::FormatDateTime(kFormatoRango, dDesde_, formatos));
    r.SetCaption("lblFecHasta", text::FormatDateTime(kFormatoRango, dHasta_, formatos));
    r.SetCaption("lblClaveCaj", cajero_.empty() ? kTodos : cajero_);
    r.SetCaption("lblCajero", nomCajero_);
    const std::string vendedor = bDirecto ? std::string() : lkcmbVendedor->KeyValue();
    r.SetCaption("lblClaveVen", vendedor.empty() ? kTodos : vendedor);
    r.SetCaption("lblVendedor", NombreUsuario(vendedor));
}

// The host's end of shift: P1 the cashier, P2 the day. The day's note lines of the station's
// register (or store, with files kept per store), that cashier's paid notes only.
bool TfrmVentaXProd::ModoDirecto(const std::string& p1, const std::string& p2) {
    const auto& cfg = Configuracion();
    text::TDateTime dia = cfg.FechaTrabajo;
    if (const auto d = text::TryStrToDate(p2)) dia = *d;
    cajero_ = p1;
    nomCajero_ = NombreUsuario(p1);
    edtFecDesde->SetDate(dia);
    edtFecHasta->SetDate(dia);
    resumen.Marca(Resumen::Diario);
    edtTitReporte->SetText(kTitulos[0]);
    const std::string clave = cfg.ArchivosPorTienda ? cfg.TiendaActual : cfg.CajaActual;
    archivoDetalle_ = tables::DayFileName(tables::DayKind::Detalle, clave, dia);
    archivoNotas_ = tables::DayFileName(tables::DayKind::Ventas, clave, dia);
    // The station's register prints on a 40-column roll when it reads so.
    tblCajas.Open();
    if (tblCajas.Locate("Tienda;Caja", {db::Value(cfg.TiendaActual), db::Value(cfg.CajaActual)}))
        VarianteCuarenta(tblCajas, kLayoutDirecto40);
    ImprimeDirecto();
    return true;
}

}  // namespace reportes

REPORTES_EXPORT void RVenXProducto(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmVentaXProd>(p1, p2, p3);
}
