// One reprinted note as the note engine takes it: the header fields from the sales file, the
// configuration and the catalogues, and one detail row per sold line.
// Not here: the printer set-up (device_setup.cpp), printing through a system printer
// (windows_print.cpp), the dialog (TfrmRImpNotas.cpp).
#include <cmath>

#include "host/tolmabase/tolmabase.h"
#include "platform/2_db/quote.h"
#include "platform/1_text/format.h"
#include "platform/1_text/utf8.h"
#include "reports/framework/config.h"
#include "platform/6_schema/tables.h"
#include "reports/register/reprint.h"

namespace reportes {
namespace {

const char* const kEncabezado[] = {
    "RazonSocial", "DirEmpresa", "CP", "PoblacionEmp", "NumTienda", "NomTienda", "Direccion",
    "RegFedCau", "NumNota", "Fecha", "Hora", "Caja", "Cajero", "Descuento",
    "DescImp1", "Impuesto1", "PorcenImp1", "DescImp2", "Impuesto2", "PorcenImp2",
    "DescImp3", "Impuesto3", "PorcenImp3", "DescImp4", "Impuesto4", "PorcenImp4",
    "Impuestos", "SubTotal", "Cambio", "TotalVenta", "ClaveCli", "Cliente", "DirCliente",
    "PobCliente", "RFCCliente", "Efectivo"};
const char* const kPago[] = {"FormaPago", "Autoriza", "NumDoc", "FecVenc", "Importe"};
const char* const kFinal[] = {"ArtVendidos", "VenNota", "Letras", "Moneda", "FormasPago",
                              "FormasPagoCompleto", "FormasImpuestos"};
const char* const kDetalle[] = {"Cantidad", "UniSal", "Articulo", "Descripcion", "PPublico",
                                "TPartida", "VenPartida", "DescPartida", "PUnitario"};

std::string Recorta(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return std::string();
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string K(int k) { return std::to_string(k); }

}  // namespace

void TfrmRImpNotas::DefineCampos() {
    auto campo = [this](const std::string& nombre) {
        notix::TCampo& c = DatosNota->Campos().Add();
        c.SetNombre(nombre);
    };
    for (const char* n : kEncabezado) campo(n);
    for (int k = 1; k <= 4; ++k)
        for (const char* n : kPago) campo(n + K(k));
    for (const char* n : kFinal) campo(n);
    // The complete payment lines of a format read the expiry as "FecVen"k: the same date
    // under that name too, or a reprint would lose the expiry its original note showed.
    for (int k = 1; k <= 4; ++k) campo("FecVen" + K(k));
    for (const char* n : kDetalle) DatosNota->CamposDetalle().Add().SetNombre(n);
}

std::string TfrmRImpNotas::Dinero(double importe) const {
    return Recorta(text::Format("%m", {importe}, DatosNota->Formatos));
}

// The amount without its currency symbol and thousands separators, as the words and the
// payment checks read it.
std::string TfrmRImpNotas::ImporteSimple(double importe) const {
    const auto& fs = DatosNota->Formatos;
    std::string s = Dinero(importe);
    const std::size_t simbolo = text::Utf8Length(fs.CurrencyString);
    s = Recorta(text::Utf8Length(s) > simbolo ? s.substr(text::Utf8Left(s, simbolo).size()) : std::string());
    tolmabase::QuitaSeparadorMillar(s, std::string(1, fs.ThousandSeparator));
    return s;
}

std::string TfrmRImpNotas::MonedaBase() {
    if (!tblMonedas.Active()) tblMonedas.Open();
    if (tblMonedas.Locate("Base", {db::Value(true)})) return tblMonedas.FieldByName("Descripcion").AsString();
    return std::string();
}

void TfrmRImpNotas::LlenaEncabezado() {
    const auto& cfg = Configuracion();
    auto& d = *DatosNota;
    auto& v = tblVenta;
    auto f = [&](const char* n) { return v.FieldByName(n).AsFloat(); };
    auto s = [&](const std::string& n) { return v.FieldByName(n).AsString(); };
    d.SetAsString("RazonSocial", cfg.NomEmpresa);
    d.SetAsString("DirEmpresa", cfg.DirEmpresa);
    d.SetAsString("PoblacionEmp", cfg.PobEmpresa);
    // The store of the reprinted notes, which is the station's unless the user chose another:
    // a note of another store never goes out under the station's name.
    std::string nombreTienda = cfg.GetDescripcionTienda();
    if (strTienda != cfg.TiendaActual && tienda.tiendas.Locate("Tienda", {db::Value(strTienda)}))
        nombreTienda = tienda.tiendas.FieldByName("Descripcio").AsString();
    d.SetAsString("NumTienda", strTienda.empty() ? cfg.TiendaActual : strTienda);
    d.SetAsString("RegFedCau", "RFC: " + cfg.RFCEmpresa);
    d.SetAsString("CP", "CP: " + cfg.CPEmpresa);
    d.SetAsString("NomTienda", nombreTienda);
    d.SetAsString("Direccion", strDirTienda);
    d.SetAsString("ClaveCli", s("ClaveCli"));
    d.SetAsString("Cliente", s("NombreCli"));
    d.SetAsString("DirCliente", s("Direccion"));
    d.SetAsString("PobCliente", s("Ciudad"));
    d.SetAsString("RFCCliente", s("RFC"));
    std::string nick;
    if (tblUsuarios.Locate("Usuario", {db::Value(s("Cajero"))})) nick = tblUsuarios.FieldByName("Nick").AsString();
    d.SetAsString("Cajero", nick);
    d.SetAsString("NumNota", s("Nota"));
    const text::TDateTime fecha = v.FieldByName("Fecha").AsDateTime();
    d.SetAsString("Fecha", text::DateToStr(fecha, d.Formatos));
    d.SetAsString("Hora", text::FormatDateTime("hh:mm", fecha, d.Formatos));

    const double total = f("TotDoc"), descuento = f("TotDesc");
    double impuestos = 0;
    for (int k = 1; k <= 4; ++k) {
        const double imp = v.FieldByName("TotImp" + K(k)).AsFloat();
        impuestos += imp;
        d.SetAsString("Impuesto" + K(k), Dinero(imp));
    }
    d.SetAsString("SubTotal", Dinero(total + descuento - impuestos));
    d.SetAsString("Descuento", Dinero(descuento));
    d.SetAsString("Impuestos", Dinero(impuestos));
    const std::string* nombres[] = {&cfg.NomImpuesto1, &cfg.NomImpuesto2, &cfg.NomImpuesto3, &cfg.NomImpuesto4};
    const double porcen[] = {cfg.PorcImpuesto1, cfg.PorcImpuesto2, cfg.PorcImpuesto3, cfg.PorcImpuesto4};
    for (int k = 1; k <= 4; ++k) {
        d.SetAsString("PorcenImp" + K(k), text::FloatToStr(porcen[k - 1], d.Formatos));
        d.SetAsString("DescImp" + K(k), *nombres[k - 1]);
    }
    d.SetAsString("TotalVenta", Dinero(total));
    d.SetAsString("Letras", ImporteSimple(total));
    d.SetAsString("Moneda", MonedaBase());

    if (!tblPagos.Active()) tblPagos.Open();
    auto pago = [&](int k) {
        return tblPagos.Locate("TPago", {db::Value(s("TPago" + K(k)))})
                   ? tblPagos.FieldByName("Descripcio").AsString()
                   : std::string();
    };
    double pagado = 0;
    for (int k = 1; k <= 4; ++k) {
        const double monto = v.FieldByName("MontoPago" + K(k)).AsFloat();
        pagado += monto;
        d.SetAsString("Importe" + K(k), Dinero(monto));
        // Slots 2 to 4 name their payment type only when they carry an amount.
        const bool conImporte = k == 1 || text::TryStrToFloat(ImporteSimple(monto), d.Formatos).value_or(0) > 0;
        d.SetAsString("FormaPago" + K(k), conImporte ? pago(k) : std::string());
        d.SetAsString("Autoriza" + K(k), s("Autoriza" + K(k)));
        d.SetAsString("NumDoc" + K(k), s("NumDoc" + K(k)));
        const auto& vence = v.FieldByName("FecVenc" + K(k));
        if (vence.IsNull()) d.SetAsString("FecVenc" + K(k), "");
        else d.SetAsDateTime("FecVenc" + K(k), vence.AsDateTime());
        d.SetAsString("FecVen" + K(k), d.GetAsString("FecVenc" + K(k)));
    }
    d.SetAsString("Efectivo", Dinero(pagado));
    d.SetAsString("Cambio", Dinero(pagado - total));
    d.SetAsString("VenNota", s("Vendedor"));
    d.SetAsString("Caja", strNomCaja);
}

void TfrmRImpNotas::LlenaDetalle(const std::string& nota) {
    const auto& cfg = Configuracion();
    auto& cols = DatosNota->CamposDetalle();
    auto& t = tblDetalle;
    if (!tblCatInven.Active()) tblCatInven.Open();
    // With per-store day files the same number may be another register's note as well.
    t.SetFilter("Caja = " + db::QuoteFilterValue(strCaja) + " And Nota = " + db::QuoteFilterValue(nota) + " ");
    t.SetFiltered(true);
    int n = 0, vendidos = 0;
    for (t.First(); !t.Eof(); t.Next()) {
        // Components of a package carry its amount shared out: the package line prints.
        if (t.FieldByName("TipoProducto").AsString() == tables::kProdComponente) continue;
        const double cantidad = t.FieldByName("Cantidad").AsFloat();
        const double precio = t.FieldByName("Precio").AsFloat();
        const double descuento = t.FieldByName("TotDesc").AsFloat();
        const std::string producto = t.FieldByName("Producto").AsString();
        std::string descripcion, unidad, esquema;
        if (tblCatInven.Locate("Producto", {db::Value(producto)})) {
            descripcion = tblCatInven.FieldByName("Descripcio").AsString();
            unidad = tblCatInven.FieldByName("USalida").AsString();
            esquema = tblCatInven.FieldByName("EsqImp").AsString();
        }
        double totalPartida = precio * cantidad - descuento;
        if (!cfg.PreciosConImpuestos) {
            // Stored prices lack their taxes: the taxes of the discounted unit price are added
            // to the price. A line of no quantity has no unit discount to share out.
            tolmabase::Desglose r{};
            tolmabase::CalculaEsquema(esquema, cantidad != 0 ? precio - descuento / cantidad : precio, r);
            totalPartida = (precio + r[4] + r[5] + r[6] + r[7]) * cantidad - descuento;
        }
        cols.InsertBlank(n);
        cols.SetAsString("Cantidad", text::Format("%.*n", {static_cast<int>(cfg.DecCantidad), cantidad}, DatosNota->Formatos));
        cols.SetAsString("UniSal", unidad);
        cols.SetAsString("Articulo", producto);
        cols.SetAsString("Descripcion", descripcion);
        cols.SetAsString("PPublico", Dinero(precio));
        cols.SetAsString("TPartida", Dinero(totalPartida));
        cols.SetAsString("VenPartida", t.FieldByName("Vendedor").AsString());
        cols.SetAsString("DescPartida", Dinero(descuento));
        cols.Post();
        if (cantidad > 0) ++vendidos;
        ++n;
    }
    DatosNota->SetAsFloat("ArtVendidos", vendidos);
}

}  // namespace reportes
