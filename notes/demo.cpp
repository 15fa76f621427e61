// Layouts in design units (10 a character cell), rows 20 units apart.
#include "notes/demo.h"

namespace notix {
namespace {

struct Builder {
    TSeccionFormato& s;
    int& n;  // numbers the controls across the whole format, as the editor names them
    void Texto(int left, int top, int width, const std::string& caption) {
        s.controles.push_back(Etiqueta("QRDesignLabel" + std::to_string(++n),
                                       left, top, width, caption));
    }
    void Campo(int left, int top, int width, const std::string& campo, bool wrap = false) {
        s.controles.push_back(Etiqueta("QRDesignLabel" + std::to_string(++n),
                                       left, top, width, campo, campo, wrap));
    }
    void Linea(int top, int width) {
        s.controles.push_back(LineaHorizontal("QRDesignShape" + std::to_string(++n), 0, top, width));
    }
};

// The section objects carry the paper's width, so the editor draws the roll as it is.
TFormatoNota Secciones(const std::string& impresora, double anchoMm) {
    TFormatoNota f;
    f.encabezado.objeto = Seccion(kSeccionEncabezado, impresora);
    f.detalle.objeto = Seccion(kSeccionDetalle, impresora);
    f.pie.objeto = Seccion(kSeccionPie, impresora);
    for (TSeccionFormato* s : {&f.encabezado, &f.detalle, &f.pie})
        s->objeto.Set("Page.Width", vcl::stream::Value::Double(anchoMm));
    return f;
}

}  // namespace

// Every amount ends in the last column: a right-aligned amount at Left L with Width W ends in
// column L/10 + W/10 + 1, a line total in L/10 + W/10. Taxes and payments are printed slot by
// slot with their amounts in that column, not as the engine's fixed tax and payment lines.
TFormatoNota FormatoTicket40() {
    TFormatoNota f = Secciones("Ticket", 106);
    int n = 0;
    Builder h{f.encabezado, n};
    h.Campo(0, 20, 400, "DirEmpresa", true);
    h.Texto(0, 40, 70, "Tienda:");
    h.Campo(80, 40, 320, "NomTienda");
    h.Texto(0, 60, 50, "Nota:");
    h.Campo(60, 60, 120, "NumNota");
    h.Campo(200, 60, 100, "Fecha");
    h.Campo(320, 60, 80, "Hora");
    h.Texto(0, 80, 70, "Cajero:");
    h.Campo(80, 80, 320, "Cajero");
    h.Linea(100, 380);
    h.Texto(0, 120, 50, "Cant");
    h.Texto(60, 120, 220, "Descripción");
    h.Texto(330, 120, 70, "Importe");
    h.Linea(140, 380);

    Builder d{f.detalle, n};
    d.Campo(0, 0, 50, "Cantidad");
    d.Campo(60, 0, 230, "Descripcion");
    d.Campo(300, 0, 100, "TPartida");

    Builder p{f.pie, n};
    p.Linea(0, 380);
    p.Texto(0, 20, 150, "SUBTOTAL");
    p.Campo(280, 20, 110, "SubTotal");
    p.Texto(0, 40, 150, "DESCUENTO");
    p.Campo(280, 40, 110, "Descuento");
    p.Campo(0, 60, 150, "DescImp1");
    p.Campo(280, 60, 110, "Impuesto1");
    p.Campo(0, 80, 150, "DescImp2");
    p.Campo(280, 80, 110, "Impuesto2");
    p.Texto(0, 100, 150, "TOTAL");
    p.Campo(280, 100, 110, "TotalVenta");
    p.Texto(0, 120, 10, "");
    p.Campo(0, 140, 150, "FormaPago1");
    p.Campo(280, 140, 110, "Importe1");
    p.Campo(0, 160, 150, "FormaPago2");
    p.Campo(280, 160, 110, "Importe2");
    p.Texto(0, 180, 150, "CAMBIO");
    p.Campo(280, 180, 110, "Cambio");
    p.Campo(0, 200, 390, "Letras", true);
    p.Texto(80, 220, 240, "¡Gracias por su compra!");
    return f;
}

TFormatoNota FormatoNota80() {
    TFormatoNota f = Secciones("Notas", 212);
    int n = 0;
    Builder h{f.encabezado, n};
    h.Campo(0, 20, 800, "DirEmpresa", true);
    h.Campo(0, 40, 260, "RegFedCau");
    h.Texto(400, 40, 70, "Tienda:");
    h.Campo(480, 40, 320, "NomTienda");
    h.Texto(0, 60, 50, "Nota:");
    h.Campo(60, 60, 120, "NumNota");
    h.Texto(400, 60, 70, "Fecha:");
    h.Campo(480, 60, 100, "Fecha");
    h.Campo(600, 60, 80, "Hora");
    h.Texto(0, 80, 80, "Cliente:");
    h.Campo(100, 80, 290, "Cliente");
    h.Texto(400, 80, 70, "Cajero:");
    h.Campo(480, 80, 320, "Cajero");
    h.Linea(100, 780);
    h.Texto(0, 120, 80, "Cantidad");
    h.Texto(100, 120, 140, "Clave");
    h.Texto(260, 120, 280, "Descripción");
    h.Texto(560, 120, 100, "Precio");
    h.Texto(730, 120, 70, "Importe");
    h.Linea(140, 780);

    Builder d{f.detalle, n};
    d.Campo(0, 0, 80, "Cantidad");
    d.Campo(100, 0, 140, "Articulo");
    d.Campo(260, 0, 280, "Descripcion");
    d.Campo(560, 0, 100, "PPublico");
    d.Campo(680, 0, 120, "TPartida");

    Builder p{f.pie, n};
    p.Linea(0, 780);
    p.Texto(500, 20, 150, "SUBTOTAL");
    p.Campo(680, 20, 110, "SubTotal");
    p.Texto(500, 40, 150, "DESCUENTO");
    p.Campo(680, 40, 110, "Descuento");
    p.Campo(500, 60, 150, "DescImp1");
    p.Campo(680, 60, 110, "Impuesto1");
    p.Campo(500, 80, 150, "DescImp2");
    p.Campo(680, 80, 110, "Impuesto2");
    p.Texto(500, 100, 150, "TOTAL");
    p.Campo(680, 100, 110, "TotalVenta");
    p.Texto(0, 120, 10, "");
    p.Campo(500, 140, 150, "FormaPago1");
    p.Campo(680, 140, 110, "Importe1");
    // A card's number, expiry and authorisation on its payment's line.
    p.Campo(0, 160, 100, "NumDoc2");
    p.Campo(110, 160, 60, "FecVen2");
    p.Campo(180, 160, 100, "Autoriza2");
    p.Campo(500, 160, 150, "FormaPago2");
    p.Campo(680, 160, 110, "Importe2");
    p.Texto(500, 180, 150, "CAMBIO");
    p.Campo(680, 180, 110, "Cambio");
    p.Campo(0, 200, 790, "Letras", true);
    p.Texto(280, 220, 240, "¡Gracias por su compra!");
    return f;
}

TSecuencias SecuenciasEscPos() {
    TSecuencias s;
    s.Inicializar = "27 64";
    s.SaltoDeLinea = "10";
    s.CortadoTotal = "29 86 0";
    s.CortadoParcial = "29 86 1";
    s.EnvioAlterno = "27 112 0 25 250";
    s.HabilitarNegrillas = "27 69 1";
    s.DeshabilitarNegrillas = "27 69 0";
    s.HabilitarSubrayado = "27 45 1";
    s.DeshabilitarSubrayado = "27 45 0";
    s.EtiquetaMensaje = "42 42 32 67 79 80 73 65 32 42 42 10";  // "** COPIA **"
    return s;
}

void LlenarNotaDemo(TNtaDatos& d) {
    auto campo = [&](const char* nombre, const std::string& valor) {
        TCampo& c = d.Campos().Add();
        c.SetNombre(nombre);
        c.SetAsString(valor);
    };
    campo("RazonSocial", "Comercial Añil, S.A. de C.V.");
    campo("DirEmpresa", "Av. Juárez 1234, Col. Centro, Morelia");
    campo("RegFedCau", "RFC: CAÑ010203AB4");
    campo("NomTienda", "01 Sucursal Centro");
    campo("NumNota", "A-000123");
    campo("Fecha", "09/03/2026");
    campo("Hora", "14:05");
    campo("Cajero", "José Pérez");
    campo("Cliente", "Público en general");
    campo("SubTotal", "$1,063.84");
    campo("Descuento", "$0.00");
    campo("Impuesto1", "$170.22");
    campo("DescImp1", "IVA 16%");
    campo("PorcenImp1", "16");
    campo("Impuesto2", "$0.00");
    campo("DescImp2", "IEPS");
    campo("Impuestos", "$170.22");
    campo("TotalVenta", "$1,234.06");
    campo("Importe1", "$500.00");
    campo("FormaPago1", "EFECTIVO");
    campo("Importe2", "$734.06");
    campo("FormaPago2", "TARJETA");
    campo("NumDoc2", "**** 4321");
    campo("FecVen2", "08/28");
    campo("Autoriza2", "123456");
    campo("Importe3", "$0.00");
    campo("Importe4", "");
    campo("Efectivo", "$500.00");
    campo("Cambio", "$0.00");
    campo("Letras", "1234.06");
    campo("Moneda", "pesos");

    TCamposDetalle& cols = d.CamposDetalle();
    for (const char* n : {"Cantidad", "Articulo", "Descripcion", "PPublico", "TPartida"})
        cols.Add().SetNombre(n);
    struct Fila {
        const char *cantidad, *clave, *descripcion, *precio, *total;
    };
    const Fila filas[] = {
        {"2", "7501000111", "Café de Chiapas 500 g", "$89.50", "$179.00"},
        {"1", "7501000222", "Piña en almíbar", "$32.90", "$32.90"},
        {"3", "7501000333", "Jabón de tocador neutro extra suave", "$18.40", "$55.20"},
        {"1", "7501000444", "Sartén antiadherente 28 cm", "$966.96", "$966.96"},
    };
    for (const auto& f : filas) {
        cols.Append();
        cols.SetAsString("Cantidad", f.cantidad);
        cols.SetAsString("Articulo", f.clave);
        cols.SetAsString("Descripcion", f.descripcion);
        cols.SetAsString("PPublico", f.precio);
        cols.SetAsString("TPartida", f.total);
    }
    d.TipoImpresion = "R";
}

}  // namespace notix
