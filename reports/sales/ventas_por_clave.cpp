// The dialog shared by the sales analyses by cashier, store and seller.
#include "reports/sales/ventas_por_clave.h"

#include <cmath>
#include <cstdio>
#include <tuple>

#include "platform/2_db/quote.h"
#include "platform/3_report/names.h"
#include "platform/1_text/format.h"
#include "platform/2_vcl/application.h"
#include "reports/framework/config.h"
#include "reports/sales/product_criteria.h"

namespace reportes {
namespace {

constexpr const char* kFormatoRango = "dd'/'mmm'/'yyyy";

// The movement column each key groups by, and the lower bound taken when only a final key
// is chosen.
const char* Columna(ClaveVenta c) {
    switch (c) {
    case ClaveVenta::Cajero: return "Mov.Usuario";
    case ClaveVenta::Tienda: return "Mov.Tienda";
    case ClaveVenta::Vendedor: return "Mov.Vendedor";
    }
    return "";
}

}  // namespace

TfrmVentasPorClave::TfrmVentasPorClave(vcl::TComponent* owner, const Textos& t)
    : TfrmReporte(owner, t.clase, t.caption, t.helpContext),
      textos_(t),
      fuenteDeptos_(tblDeptos),
      fuenteTiendas_(tblTiendas),
      fuenteUsuarios_(tblUsuarios) {
    TablaDelAlias(tblDeptos, "tblDeptos", "Deptos");
    TablaDelAlias(tblLineas, "tblLineas", "Lineas");
    TablaDelAlias(tblTiendas, "tblTiendas", "Tiendas");
    TablaDelAlias(tblUsuarios, "tblUsuarios", "Usuarios.DB");
    TablaDelAlias(tblProductos, "tblProductos", "CatInven");
    auto grupo = [this](const char* name, const char* caption, int top) {
        auto* g = vcl::NewControl<vcl::TGroupBox>(this, name);
        g->SetCaption(caption);
        g->SetBounds(12, top, 400, 54);
        return g;
    };
    std::tie(edtProdIni, edtProdFin) =
        GrupoDosEdits(this, "grpProducto", "P&roducto ", 8, "edtProdIni", "Inicial", "edtProdFin", "Final");
    for (auto* e : {edtProdIni, edtProdFin}) e->SetMaxLength(20);
    criterios_.Productos(edtProdIni, edtProdFin);

    const bool porTienda = t.clave == ClaveVenta::Tienda;
    const char* nombres[] = {"Caj", "Tie", "Ven"};
    const char* grupos[] = {"C&ajero ", "&Tienda ", "&Vendedor "};
    const std::string n = nombres[static_cast<int>(t.clave)];
    auto* grpClave = grupo(("grp" + n).c_str(), grupos[static_cast<int>(t.clave)], 66);
    auto* fuenteClave = porTienda ? &fuenteTiendas_ : &fuenteUsuarios_;
    const char* clave = porTienda ? "Tienda" : "Usuario";
    const char* lista = porTienda ? "Tienda;Descripcio" : "Usuario;Nombre";
    lkcmbDesde = NuevoLookup(grpClave, "lkcmb" + n + "Desde", fuenteClave, clave, lista, "Inicial", 12, 20, 130, 50);
    lkcmbHasta = NuevoLookup(grpClave, "lkcmb" + n + "Hasta", fuenteClave, clave, lista, "Final", 206, 20, 130, 50);
    ConectaRango(lkcmbDesde, lkcmbHasta, t.mensajeRango);

    std::tie(edtFecDesde, edtFecHasta) =
        GrupoDosEdits(this, "grpFecha", "&Fecha ", 124, "edtFecDesde", "Inicial", "edtFecHasta", "Final");
    criterios_.Fechas(edtFecDesde, edtFecHasta);
    std::tie(edtUnidades, edtMonto) = GrupoUmbrales(this, 182);

    auto* grpDepto = grupo("grpDepto", "&Departamento ", 240);
    lkcmbDepDesde = NuevoLookup(grpDepto, "lkcmbDepDesde", &fuenteDeptos_, "Depto", "Depto;Descripcio", "Inicial",
                                12, 20, 130, 50);
    lkcmbDepHasta = NuevoLookup(grpDepto, "lkcmbDepHasta", &fuenteDeptos_, "Depto", "Depto;Descripcio", "Final",
                                206, 20, 130, 50);
    criterios_.Deptos(lkcmbDepDesde, lkcmbDepHasta);

    int top = 300;
    if (t.clave != ClaveVenta::Tienda) {
        lkcmbTiendas = NuevoLookup(this, "lkcmbTiendas", &fuenteTiendas_, "Tienda", "Tienda;Descripcio", "&Tienda",
                                   12, top, 260, 96);
        top += 30;
    }
    if (t.clave != ClaveVenta::Cajero) {
        lkcmbCajero = NuevoLookup(this, "lkcmbCajero", &fuenteUsuarios_, "Usuario", "Usuario;Nombre", "Caje&ro", 12,
                                  top, 260, 96);
        top += 30;
    }
    if (t.clave != ClaveVenta::Vendedor) {
        lkcmbVendedor = NuevoLookup(this, "lkcmbVendedor", &fuenteUsuarios_, "Usuario", "Usuario;Nombre",
                                    "V&endedor", 12, top, 260, 96);
        top += 30;
    }
    // The key range lists its own kind of user, as the single user lookups do.
    criterios_.Usuarios(t.clave == ClaveVenta::Cajero ? lkcmbDesde : lkcmbCajero,
                        t.clave == ClaveVenta::Vendedor ? lkcmbDesde : lkcmbVendedor, &tblUsuarios);
    if (!porTienda) lkcmbHasta->OnEnter = lkcmbDesde->OnEnter;

    edtLinea2 = vcl::NewControl<velmor::TVlmEdit>(this, "edtLinea2");
    edtLinea2->SetMaxLength(5);
    edtLinea2->SetBounds(128, top, 80, 23);
    auto* lblLinea = vcl::NewControl<vcl::TLabel>(this, "lblLinea2");
    lblLinea->SetCaption("&Línea de producto");
    lblLinea->SetBounds(12, top + 4, 112, 16);
    lblLinea->SetFocusControl(edtLinea2);
    criterios_.Linea(edtLinea2, &tblLineas);
    top += 30;

    edtTitReporte = vcl::NewControl<vcl::TEdit>(this, "edtTitReporte");
    edtTitReporte->SetMaxLength(60);
    edtTitReporte->SetText(t.titulo);
    edtTitReporte->SetBounds(144, top, 268, 23);
    edtTitReporte->SetTabStop(true);
    auto* lblTit = vcl::NewControl<vcl::TLabel>(this, "lblTitulo");
    lblTit->SetCaption("Tít&ulo del reporte");
    lblTit->SetBounds(12, top + 4, 128, 16);
    lblTit->SetFocusControl(edtTitReporte);
    ColocaBotones(top + 36);

    camposDinero = {"lblSubMonto", "lblTotMonto", "lblMonto"};
    camposCantidad = {"lblSubCant", "lblTotCant", "lblCant"};

    OnCreate = [this](vcl::TObject*) {
        for (db::TTable* tb : {&tblProductos, &tblDeptos, &tblUsuarios, &tblLineas, &tblTiendas})
            if (!tb->Active()) tb->Open();
    };
}

std::string TfrmVentasPorClave::Nombre(db::TTable& tabla, const char* campoClave, const char* campoNombre,
                                       const std::string& clave) {
    if (clave.empty()) return {};
    if (!tabla.Active()) tabla.Open();
    const bool filtrada = tabla.Filtered();
    tabla.SetFiltered(false);
    std::string nombre;
    if (tabla.Locate(campoClave, {db::Value(clave)})) nombre = tabla.FieldByName(campoNombre).AsString();
    tabla.SetFiltered(filtrada);
    return nombre;
}

void TfrmVentasPorClave::PrepararReporte() {
    dDesde_ = std::floor(edtFecDesde->TextAsDate());
    dHasta_ = std::floor(edtFecHasta->TextAsDate());
    minCantidad_ = Umbral(edtUnidades);
    minMonto_ = Umbral(edtMonto);
    char buf[64];
    subtitulo_.clear();
    if (minCantidad_ > 0) {
        std::snprintf(buf, sizeof buf, "%14.2f unidades ", minCantidad_);
        subtitulo_ = std::string("Ventas mayores a : ") + buf;
    }
    if (minMonto_ > 0) {
        std::snprintf(buf, sizeof buf, "$ %-14.2f", minMonto_);
        subtitulo_ += (subtitulo_.empty() ? "Ventas mayores a : " : "y a un monto de : ") + std::string(buf);
    }
}

void TfrmVentasPorClave::AlPedirParametros(report::Dataset&, report::Params& params) {
    params.Set("FecIni", report::Value(report::DateValue{dDesde_}));
    params.Set("FecFin", report::Value(report::DateValue{dHasta_}));
}

// Products, departments, line; the key range; the single values; sales movements only.
std::string TfrmVentasPorClave::Condiciones() {
    std::string c = CondicionesProducto(*this, tblProductos, "Inv");
    const std::string col = Columna(textos_.clave);
    if (!strDesde.empty()) {
        c += FragmentoRango(col, strDesde, strHasta);
    } else if (!strHasta.empty()) {
        c += " And (" + col + " <= " + db::QuoteValue(strHasta) + " Or " + col + " Is Null)";
    } else if (textos_.clave == ClaveVenta::Vendedor) {
        c += " And (Mov.Vendedor Is Not Null)";  // sales without a seller are no seller's
    }
    if (lkcmbTiendas && !lkcmbTiendas->KeyValue().empty()) c += FragmentoTienda("Mov.Tienda", lkcmbTiendas->KeyValue());
    if (lkcmbCajero && !lkcmbCajero->KeyValue().empty()) c += FragmentoUsuario("Mov.Usuario", lkcmbCajero->KeyValue());
    if (lkcmbVendedor && !lkcmbVendedor->KeyValue().empty())
        c += FragmentoUsuario("Mov.Vendedor", lkcmbVendedor->KeyValue());
    c += " And (Mov.TipoMov = " + std::to_string(Configuracion().TipoMovVentas) + ")";
    return c;
}

void TfrmVentasPorClave::AlAbrirDataset(report::Dataset& ds) {
    if (!report::SameName(ds.Name(), "Query1")) return;
    if (ds.SQL.size() < 4) throw std::runtime_error("Query1: la consulta no admite las condiciones");
    ds.SQL.insert(ds.SQL.begin() + 3, Condiciones());
    // The thresholds apply to each key's line of a product, before the closing order.
    ds.SQL.insert(ds.SQL.end() - 1, HavingUmbrales("Mov", minCantidad_, minMonto_));
}

void TfrmVentasPorClave::AlCargarReporte(report::Report& r) {
    r.SetCaption("lblTitulo", subtitulo_);
    r.SetCaption("lblTitulo2", subtitulo_);
    EncabezadoProducto(r, *this);
    const auto& formatos = rppdlg->Formats;
    r.SetCaption("lblFecDesde", text::FormatDateTime(kFormatoRango, dDesde_, formatos));
    r.SetCaption("lblFecHasta", text::FormatDateTime(kFormatoRango, dHasta_, formatos));
    const bool porTienda = textos_.clave == ClaveVenta::Tienda;
    const std::string e = porTienda ? "T" : "C";
    const std::string v = porTienda ? "Tie" : "Caj";
    if (strDesde.empty() && strHasta.empty()) {
        r.SetCaption("lblEDesde" + e, porTienda ? "Todas" : "Todos");
        for (const std::string& l : {"lblEHasta" + e, "lbl" + v + "Desde", "lbl" + v + "Hasta"}) r.SetCaption(l, "");
    } else if (strDesde == strHasta) {
        r.SetCaption("lblEDesde" + e, strDesde);
        for (const std::string& l : {"lblEHasta" + e, "lbl" + v + "Desde", "lbl" + v + "Hasta"}) r.SetCaption(l, "");
    } else {
        r.SetCaption("lbl" + v + "Desde", strDesde);
        r.SetCaption("lbl" + v + "Hasta", strHasta);
    }
    auto uno = [&](vcl::TDBLookupComboBox* combo, const char* claveLbl, const char* nombreLbl, bool tienda) {
        if (!combo) return;
        const std::string k = combo->KeyValue();
        r.SetCaption(claveLbl, k.empty() ? (tienda ? "Todas" : "Todos") : k);
        r.SetCaption(nombreLbl, tienda ? Nombre(tblTiendas, "Tienda", "Descripcio", k)
                                       : Nombre(tblUsuarios, "Usuario", "Nombre", k));
    };
    uno(lkcmbTiendas, "lblClaveTie", "lblTienda", true);
    uno(lkcmbCajero, "lblClaveCaj", "lblCajero", false);
    uno(lkcmbVendedor, "lblClaveVen", "lblVendedor", false);
}

}  // namespace reportes
