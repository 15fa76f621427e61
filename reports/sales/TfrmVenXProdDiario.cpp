// Daily sales by product (RVenXProdDiario): what one register sold on one day, product by
// product, in time slots of 15 minutes to 2 hours, read from the day's notes and note-lines
// files and kept in a temporary table the layout groups by slot.
// Not here: where the slots fall (hour_slots.h), the day files' names (day_files.h).
#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "host/velmor/vlmedit.h"
#include "platform/1_text/format.h"
#include "platform/2_db/query.h"
#include "platform/2_db/quote.h"
#include "platform/2_db/table.h"
#include "platform/2_vcl/dialogs.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/lists.h"
#include "platform/4_adapters/db/list_source.h"
#include "reports/framework/config.h"
#include "reports/framework/criteria.h"
#include "reports/framework/entry.h"
#include "reports/framework/hour_slots.h"
#include "reports/framework/report_table.h"
#include "reports/framework/temp_table.h"
#include "reports/register/register_day.h"
#include "reports/sales/product_criteria.h"

namespace reportes {
namespace {

constexpr const char* kCaption = "Ventas por producto";
constexpr int kAyuda = 55;
constexpr const char* kSinVentas = "Archivo de ventas no existe";
constexpr const char* kSinDetalle = "Archivo de detalle de ventas no existe";
constexpr const char* kTodos = "Todos";
constexpr int kMinutos[] = {15, 30, 60, 120};
constexpr const char* kPeriodos[] = {"15 minutos", "30 minutos", "1 hora", "2 horas"};
constexpr int kUnaHora = 2;

std::vector<db::FieldDef> CamposFranjaProducto() {
    return {{"FechaIni", db::FieldType::DateTime, 0, false},
            {"FechaFin", db::FieldType::DateTime, 0, false},
            {"Producto", db::FieldType::String, 16, false},
            {"Descripcio", db::FieldType::String, 40, false},
            {"Cantidad", db::FieldType::Float, 0, false},
            {"Importe", db::FieldType::Float, 0, false}};
}

struct Vendido {
    std::string descripcion;
    double cantidad = 0;
    double importe = 0;
};

}  // namespace

class TfrmVentaXProDiario : public TfrmDiaDeCaja {
public:
    explicit TfrmVentaXProDiario(vcl::TComponent* owner);

    vcl::TDBLookupComboBox* lkcmbCajero;
    vcl::TDBLookupComboBox* lkcmbVendedor;
    velmor::TVlmEdit* edtProdIni;
    velmor::TVlmEdit* edtProdFin;
    velmor::TVlmEdit* edtLinea2;
    vcl::TRadioGroup* rgrpResumen;
    db::TTable tblUsuarios, tblLineas;
    TTablaTemporal* tblQuery;

    // P1 the cashier (empty: all), P2 the day (empty: the working day); the station's store
    // and register, hourly.
    bool ModoDirecto(const std::string& p1, const std::string& p2) override;

protected:
    std::string ArchivoReporte() override { return "RVProD.QR2"; }
    void AlAbrirDataset(report::Dataset& ds) override { tblQuery->Apunta(ds); }
    void AlCargarReporte(report::Report& r) override;

private:
    void UsuarioExit(vcl::TDBLookupComboBox* combo, std::string& clave, std::string& nombre);
    // The day's sales per slot and product into the table; false (and told) without the
    // day's notes or note lines.
    bool LlenaVentas();

    std::string strCajero, strNomCajero, strVendedor, strNomVendedor;
    db::TDataSetListSource fuenteCajeros_, fuenteVendedores_;
    Criterios criterios_;
};

TfrmVentaXProDiario::TfrmVentaXProDiario(vcl::TComponent* owner)
    : TfrmDiaDeCaja(owner, "TfrmVentaXProDiario", kCaption, kAyuda, "&Nombre de la tienda", "N&ombre  de la caja",
                    "&Fecha"),
      fuenteCajeros_(tblUsuarios),
      fuenteVendedores_(tblUsuarios),
      criterios_(*this) {
    TablaDelAlias(tblUsuarios, "tblUsuarios", "Usuarios.DB");
    TablaDelAlias(tblLineas, "tblLineas", "Lineas");
    lkcmbCajero = NuevoLookup(this, "lkcmbCajero", &fuenteCajeros_, "Usuario", "Usuario;Nick", "C&ajero", 12, 102, 220, 136);
    lkcmbVendedor = NuevoLookup(this, "lkcmbVendedor", &fuenteVendedores_, "Usuario", "Usuario;Nick", "&Vendedor", 12, 132, 220, 136);
    lkcmbVendedor->SetHint("Seleccione el vendedor asignado a la nota");
    std::tie(edtProdIni, edtProdFin) =
        GrupoDosEdits(this, "grpProducto", "P&roducto ", 162, "edtProdIni", "Inicial", "edtProdFin", "Final");
    edtProdIni->SetHint("Clave del producto inicial");
    edtProdFin->SetHint("Clave del producto final");
    criterios_.Productos(edtProdIni, edtProdFin);
    edtLinea2 = vcl::NewControl<velmor::TVlmEdit>(this, "edtLinea2");
    edtLinea2->SetMaxLength(5);
    edtLinea2->SetBounds(148, 222, 80, 23);
    edtLinea2->SetTabStop(true);
    auto* lblLinea = vcl::NewControl<vcl::TLabel>(this, "lblLineaProd");
    lblLinea->SetCaption("&Línea de producto");
    lblLinea->SetBounds(12, 226, 130, 16);
    lblLinea->SetFocusControl(edtLinea2);
    criterios_.Linea(edtLinea2, &tblLineas);
    rgrpResumen = vcl::NewControl<vcl::TRadioGroup>(this, "rgrpResumen");
    rgrpResumen->SetCaption("P&eriodicidad ");
    rgrpResumen->SetColumns(2);
    rgrpResumen->SetBounds(12, 252, 356, 60);
    rgrpResumen->SetTabStop(true);
    for (const char* p : kPeriodos) rgrpResumen->Items().Add(p);
    NuevoTitulo(320, kCaption);
    edtTitReporte->SetMaxLength(20);
    ColocaBotones(356);

    tblQuery = new TTablaTemporal(this, "tmpprodia", CamposFranjaProducto());
    tblQuery->Dataset = "tmpprodia_Tabla";
    camposCantidad = {"lblCantidad", "lblSubCant", "lblTotalCant"};
    camposDinero = {"lblSubPartida", "lblTotalPartida", "lblTotal"};
    VarianteCuarenta(caja.cajas, "RVProD40.QR2");
    criterios_.Usuarios(lkcmbCajero, lkcmbVendedor, &tblUsuarios);

    OnCreate = [this, base = OnCreate](vcl::TObject* s) {
        base(s);
        for (db::TTable* t : {&tblUsuarios, &tblLineas})
            if (!t->Active()) t->Open();
        rgrpResumen->SetItemIndex(kUnaHora);
        tblQuery->Crea();
    };
    lkcmbCajero->OnExit = [this](vcl::TObject*) { UsuarioExit(lkcmbCajero, strCajero, strNomCajero); };
    lkcmbVendedor->OnExit = [this](vcl::TObject*) { UsuarioExit(lkcmbVendedor, strVendedor, strNomVendedor); };
    AntesDeReportar([this] { return LlenaVentas(); });
}

void TfrmVentaXProDiario::UsuarioExit(vcl::TDBLookupComboBox* combo, std::string& clave, std::string& nombre) {
    const std::string usuario = combo->KeyValue();
    if (usuario.empty() || !tblUsuarios.Locate("Usuario", {db::Value(usuario)})) return;
    clave = usuario;
    nombre = tblUsuarios.FieldByName("Nombre").AsString();
}

bool TfrmVentaXProDiario::ModoDirecto(const std::string& p1, const std::string& p2) {
    TomaEstacion(Configuracion().CajaActual, p2.empty() ? edtFecDesde->Text() : p2);
    strCajero = p1;
    strNomCajero = kTodos;
    if (!p1.empty() && tblUsuarios.Locate("Usuario", {db::Value(p1)}))
        strNomCajero = tblUsuarios.FieldByName("Nombre").AsString();
    edtTitReporte->SetText(kCaption);
    rgrpResumen->SetItemIndex(kUnaHora);
    edtLinea2->SetText("?????");
    strLinea.clear();
    if (!LlenaVentas()) throw std::runtime_error(kSinVentas);
    ImprimeDirecto();
    tblQuery->Borra();
    return true;
}

bool TfrmVentaXProDiario::LlenaVentas() {
    try {
        // The date edit reads the day as the user's own date format shows it.
        fecha_ = edtFecDesde->TextAsDate();
    } catch (const text::ConvertError& e) {
        if (!bDirecto) vcl::MessageBox(e.what(), "Advertencia", vcl::MB_OK | vcl::MB_ICONINFORMATION);
        return false;
    }
    const std::string raiz = Raiz();
    // Both files: a day whose note lines are missing would print as a day without sales.
    for (const auto& [tipo, mensaje] : {std::pair{tables::DayKind::Ventas, kSinVentas},
                                        std::pair{tables::DayKind::Detalle, kSinDetalle}})
        if (!ExisteTabla(ArchivoDelDia(tipo, raiz))) {
            if (!bDirecto) vcl::MessageBox(mensaje, "Advertencia", vcl::MB_OK | vcl::MB_ICONEXCLAMATION);
            return false;
        }
    const int minutos = kMinutos[std::clamp(rgrpResumen->ItemIndex(), 0, 3)];
    const auto franjas = FranjasDelDia(fecha_, text::EncodeTime(0, 0, 0), text::EncodeTime(23, 59, 0), minutos);

    // Every column behind its alias; a file per store holds several registers, so lines join
    // their notes on the register too.
    db::TQuery q;
    q.DatabaseName = kAlias;
    q.SQL.Add("Select V.Fecha, D.Producto, C.Descripcio, D.Cantidad,");
    q.SQL.Add("  D.TotPartida-D.TotImp1-D.TotImp2-D.TotImp3-D.TotImp4 As Neto");
    q.SQL.Add("From V" + raiz + " V Join D" + raiz + " D On D.Caja = V.Caja And D.Nota = V.Nota");
    q.SQL.Add("  Join CatInven C On C.Producto = D.Producto");
    q.SQL.Add("Where V.Caja = " + db::QuoteValue(caja.codigo) + " And V.Status = 'N'");
    q.SQL.Add("  And Coalesce(D.TipoProducto, '') <> 'K'");
    q.SQL.Add(FragmentoRango("C.Producto", strProdIni, strProdFin) + FragmentoUsuario("V.Vendedor", strVendedor) +
              FragmentoUsuario("V.Cajero", strCajero) + FragmentoLinea("C.Linea", strLinea));
    q.Open();
    std::map<std::pair<size_t, std::string>, Vendido> ventas;
    for (q.First(); !q.Eof(); q.Next()) {
        const auto k = FranjaDe(franjas, q.FieldByName("Fecha").AsDateTime());
        if (!k) continue;
        auto& v = ventas[{*k, q.FieldByName("Producto").AsString()}];
        v.descripcion = q.FieldByName("Descripcio").AsString();
        v.cantidad += q.FieldByName("Cantidad").AsFloat();
        v.importe += q.FieldByName("Neto").AsFloat();
    }
    q.Close();

    tblQuery->Crea();
    db::TTable t;
    t.DatabaseName = kAlias;
    t.TableName = tblQuery->TableName();
    t.Open();
    for (const auto& [clave, v] : ventas) {
        t.Append();
        t.FieldByName("FechaIni").SetAsDateTime(franjas[clave.first].ini);
        t.FieldByName("FechaFin").SetAsDateTime(franjas[clave.first].fin);
        t.FieldByName("Producto").SetAsString(clave.second);
        t.FieldByName("Descripcio").SetAsString(v.descripcion);
        t.FieldByName("Cantidad").SetAsFloat(v.cantidad);
        t.FieldByName("Importe").SetAsFloat(v.importe);
        t.Post();
    }
    t.Close();
    return true;
}

void TfrmVentaXProDiario::AlCargarReporte(report::Report& r) {
    EncabezadoDelDia(r);
    r.SetCaption("lblTitulo", edtTitReporte->Text());
    r.SetCaption("lblClaveCaj", strCajero.empty() ? kTodos : strCajero);
    r.SetCaption("lblCajero", strCajero.empty() ? "" : strNomCajero);
    r.SetCaption("lblClaveVen", strVendedor.empty() ? kTodos : strVendedor);
    r.SetCaption("lblVendedor", strVendedor.empty() ? "" : strNomVendedor);
    EncabezadoProducto(r, *this);
}

}  // namespace reportes

REPORTES_EXPORT void RVenXProdDiario(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmVentaXProDiario>(p1, p2, p3);
}
