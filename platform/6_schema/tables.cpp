// Definitions of the point-of-sale tables and the per-day file naming rule (see tables.h).
// Field sizes follow the widths the reports copy into their temporary tables: store 2,
// register 2, user 3, payment type 2, product 16, product description 40, note number 20.
#include "platform/6_schema/tables.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/1_text/fold.h"

namespace tables {
namespace {

using db::FieldDef;
using db::FieldType;
using db::IndexDef;
using db::TableDef;

FieldDef Str(std::string name, int size) { return {std::move(name), FieldType::String, size, false}; }
FieldDef Key(std::string name, int size) { return {std::move(name), FieldType::String, size, true}; }
FieldDef Num(std::string name) { return {std::move(name), FieldType::Float, 0, false}; }
FieldDef Money(std::string name) { return {std::move(name), FieldType::Currency, 0, false}; }
FieldDef Small(std::string name) { return {std::move(name), FieldType::SmallInt, 0, false}; }
FieldDef Int(std::string name) { return {std::move(name), FieldType::Integer, 0, false}; }
FieldDef Bool(std::string name) { return {std::move(name), FieldType::Boolean, 0, false}; }
FieldDef Day(std::string name) { return {std::move(name), FieldType::Date, 0, false}; }
FieldDef Stamp(std::string name) { return {std::move(name), FieldType::DateTime, 0, false}; }

IndexDef Primary(std::vector<std::string> fields) {
    IndexDef idx;
    idx.name = "PRIMARIO";
    idx.fields = std::move(fields);
    idx.primary = true;
    idx.unique = true;
    return idx;
}

IndexDef Secondary(std::string name, std::vector<std::string> fields) {
    IndexDef idx;
    idx.name = std::move(name);
    idx.fields = std::move(fields);
    return idx;
}

// Fields "<stem>1".."<stem>4" made by the given maker.
template <typename Make>
void Four(std::vector<FieldDef>& out, const std::string& stem, Make make) {
    for (int i = 1; i <= 4; ++i) out.push_back(make(stem + std::to_string(i)));
}

TableDef Ventas(std::string name) {
    TableDef t{std::move(name), {}, {}};
    auto& f = t.fields;
    f = {Key("Nota", 20), Key("Caja", 2), Str("Cajero", 3), Str("Vendedor", 3),
         Str("ClaveCli", 10), Str("NombreCli", 40), Str("Direccion", 60), Str("Ciudad", 30),
         Str("RFC", 15), Stamp("Fecha"),
         Str("Status", 1),      // "N" paid, "P" pending, "C" cancelled, "E" being edited
         Str("TIPODOCZOD", 1),  // "" plain sale, "A" advance, "P" payment of the administrative system
         Money("TotDoc"), Money("TotDesc")};
    Four(f, "TotImp", Money);
    for (int i = 1; i <= 4; ++i) {
        const std::string k = std::to_string(i);
        f.push_back(Str("TPago" + k, 2));
        f.push_back(Money("MontoPago" + k));
        f.push_back(Num("TipoCambio" + k));
        f.push_back(Str("Autoriza" + k, 20));
        f.push_back(Str("NumDoc" + k, 20));
        f.push_back(Day("FecVenc" + k));
    }
    t.indexes = {Primary({"Caja", "Nota"})};
    return t;
}

TableDef Detalle(std::string name) {
    TableDef t{std::move(name), {}, {}};
    auto& f = t.fields;
    f = {Key("Nota", 20), Key("Caja", 2),
         {"Renglon", FieldType::SmallInt, 0, true},  // line number within the note, from 1
         Str("Producto", 16),
         // "" plain; "K" a package, counted in the note; "P" a component of the package before
         // it, carrying its share of the package's amount for product analysis only.
         Str("TipoProducto", 1),
         Num("Cantidad"), Money("Precio"),
         Money("TotPartida"),  // Precio * Cantidad - TotDesc, taxes included
         Money("TotDesc")};
    Four(f, "TotImp", Money);
    f.push_back(Str("Vendedor", 3));
    f.push_back(Num("Comision"));  // commission percent, never zero
    f.push_back(Money("TotComis"));
    t.indexes = {Primary({"Caja", "Nota", "Renglon"})};
    return t;
}

TableDef ImpuestosNota(std::string name) {
    return {std::move(name),
            {Key("CAJA", 2), Key("NOTA", 20),
             {"Impuesto", FieldType::SmallInt, 0, true},  // 1..4: which of the four taxes
             Num("Porcen"), Money("Base"), Money("Monto")},
            {Primary({"CAJA", "NOTA", "Impuesto"})}};
}

TableDef Corte(std::string name) {
    return {std::move(name),
            {Key("Cajero", 3), Key("Caja", 2),
             Key("TPago", 2),  // "01".."99" payment types; "AA", "AF", "AB" summary rows
             Str("Descripcio", 20),
             Money("Monto"),     // collected in the payment type; opening fund in "AA"
             Num("Cantidad"),    // payments taken; notes in "AF"; transactions in "AB"
             Money("Vales"),     // vouchers withdrawn from the drawer
             Num("TipoCambio")}, // exchange rate of the payment type's currency
            {Primary({"Cajero", "Caja", "TPago"})}};
}

}  // namespace

char YearLetter(int year) {
    // Equal to the historical "year + 118 modulo 256" for 1995..2020, then cycles.
    int offset = (year - 1995) % 26;
    if (offset < 0) offset += 26;
    return static_cast<char>('A' + offset);
}

std::string DayFileStem(std::string_view key, text::TDateTime date) {
    const text::Date d = text::DecodeDate(date);
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02d%02d", d.day, d.month);
    std::string stem(key);
    stem += digits;
    stem += YearLetter(d.year);
    return stem;
}

std::string DayFileName(DayKind kind, std::string_view key, text::TDateTime date) {
    return static_cast<char>(kind) + DayFileStem(key, date) + ".DB";
}

db::TableDef DayTable(DayKind kind, std::string_view stem) {
    std::string name = static_cast<char>(kind) + std::string(stem) + ".DB";
    switch (kind) {
    case DayKind::Ventas: return Ventas(std::move(name));
    case DayKind::Detalle: return Detalle(std::move(name));
    case DayKind::Impuestos: return ImpuestosNota(std::move(name));
    case DayKind::Corte: return Corte(std::move(name));
    }
    return Ventas(std::move(name));
}

db::TableDef Tiendas() {
    return {"Tiendas", {Key("Tienda", 2), Str("Descripcio", 40), Str("Direccion", 60),
                        Str("Poblacion", 40), Str("Telefono", 20)},
            {Primary({"Tienda"})}};
}

db::TableDef Cajas() {
    return {"Cajas",
            {Key("Tienda", 2), Key("Caja", 2), Str("Descripcio", 30),
             Str("FormatoImp", 80),  // note format file, under Formatos/
             Bool("BLectOp"),        // 40-column printer
             Str("Impresor", 3),     // key of its note printer in Dispos
             Bool("Notix"), Bool("ImpSiempre"), Bool("BImpresor")},
            {Primary({"Tienda", "Caja"})}};
}

db::TableDef Usuarios() {
    return {"Usuarios",
            {Key("Usuario", 3), Str("Nombre", 20), Str("Nick", 10), Str("Tienda", 2),
             Str("TipoUsr", 1)},  // "D" seller, "A" or "C" cashier
            {Primary({"Usuario"})}};
}

db::TableDef CatInven() {
    return {"CatInven",
            {Key("Producto", 16), Str("Descripcio", 40), Str("Depto", 5), Str("Linea", 5),
             Money("PrecioP"), Money("Precio2"), Money("Precio3"), Money("Precio4"),
             Money("PrecioMin"), Money("Costo"),
             Str("EsqImp", 3),   // key of its tax scheme
             Str("USalida", 5),  // selling unit
             Str("TipoProd", 1), // "" plain, "K" a package sold as its components
             Num("Existencia")},
            {Primary({"Producto"}), Secondary("XDESCRIPCIO", {"Descripcio"})}};
}

db::TableDef Exist() {
    return {"Exist",
            {Key("Tienda", 2), Key("Producto", 16), Num("Existencia"),
             Str("ControlAlm", 10),  // shelf location in the store
             Num("Minimo"), Num("Maximo")},
            {Primary({"Tienda", "Producto"})}};
}

db::TableDef Deptos() {
    return {"Deptos", {Key("Depto", 5), Str("Descripcio", 30)}, {Primary({"Depto"})}};
}

db::TableDef Lineas() {
    return {"Lineas", {Key("Clv_Lin", 5), Str("Desc_Lin", 30)}, {Primary({"Clv_Lin"})}};
}

db::TableDef Dispos() {
    TableDef t{"Dispos", {}, {}};
    auto& f = t.fields;
    f = {Key("Dispo", 3),
         Str("Descripcio", 60),  // Windows printer name of a "MANEJ" device
         Str("Puerto", 10),      // "SERIE" or "PARALELO": the first letter counts
         Str("NOMPUERTO", 10),   // "COM01", "LPT01" (characters 4-5 are the number) or "MANEJ"
         Small("BaudRate"), Small("DataBits"), Small("Parity"), Small("StopBit")};
    for (int i = 1; i <= 8; ++i) f.push_back(Str("Secuencia" + std::to_string(i), 60));
    f.push_back(Small("EntreNotas"));  // the device behind COMn / LPTn: razir.ini [Puertos]
    t.indexes = {Primary({"Dispo"})};
    return t;
}

db::TableDef TPagos() {
    return {"TPagos",
            {Key("TPago", 2), Str("Descripcio", 20),
             Int("TeclaRap"),  // keyboard shortcut code
             Str("Moneda", 2)},
            {Primary({"TPago"})}};
}

db::TableDef Monedas() {
    return {"Monedas",
            {Key("Moneda", 2), Str("Descripcion", 20), Str("Simbolo", 3), Num("TipoCambio"),
             Bool("Base")},  // the base currency (exactly one)
            {Primary({"Moneda"})}};
}

db::TableDef EsqImp() {
    TableDef t{"EsqImp", {Key("Clave", 3), Str("Descripcion", 30)}, {}};
    Four(t.fields, "Porcen", Num);  // rate of tax i in percent, 0 when the scheme lacks it
    // CascadaI: tax I is computed on the price plus taxes 1..I-1 (a tax on a tax).
    for (int i = 2; i <= 4; ++i) t.fields.push_back(Bool("Cascada" + std::to_string(i)));
    t.indexes = {Primary({"Clave"})};
    return t;
}

db::TableDef Clientes() {
    return {"Clientes",
            {Key("ClaveCli", 10), Str("Nombre", 40), Str("Direccion", 60), Str("Ciudad", 30),
             Str("RFC", 15), Str("Telefono", 20)},
            {Primary({"ClaveCli"})}};
}

db::TableDef Politicas() {
    return {"Politicas",
            {Key("Tienda", 2), Key("Politica", 6), Str("Descripcio", 40), Str("Producto", 16),
             Stamp("FecIni"), Stamp("FecFin"),
             Str("Status", 1),  // "T" active, "F" inactive
             Money("Precio"), Num("Descuento")},
            {Primary({"Tienda", "Politica"}), Secondary("XFECINI", {"Tienda", "FecIni"})}};
}

db::TableDef RepUsr() {
    return {"RepUsr",
            {{"NUMERO", FieldType::AutoInc, 0, false}, Str("NOMBRE", 25),
             Str("VERENPANTALLA", 1), Str("VERENMENU", 1), Str("FORMATO", 255)},
            {Primary({"NUMERO"})}};
}

db::TableDef MovProd() {
    TableDef t{"MovProd", {}, {}};
    auto& f = t.fields;
    f = {{"Folio", FieldType::Integer, 0, true},  // running number of the movement
         Str("Tienda", 2), Str("Caja", 2), Str("Producto", 16),
         Day("Fecha"),
         Small("TipoMov"),   // kind: the configured TipoMov codes
         // "K": the sale of a package, outside every sales total (its components, "P", carry it)
         Str("TipoProd", 1),
         Str("referencia", 20), Num("Cantidad"),
         Money("MontoAcum")};  // amount with taxes
    Four(f, "MontoImp", Money);
    f.push_back(Str("Usuario", 3));
    f.push_back(Str("Vendedor", 3));
    t.indexes = {Primary({"Folio"}), Secondary("XFECHA", {"Fecha"}),
                 Secondary("XPRODUCTO", {"Producto", "Fecha"})};
    return t;
}

db::TableDef Ingresos() {
    return {"Ingresos",
            {Key("Tienda", 2), Key("Caja", 2), Key("Nota", 20), Str("Cajero", 3),
             Str("Vendedor", 3), Stamp("Fecha"),
             Money("Ventas"),  // the note's total
             Money("Impuestos"), Money("Descuentos"),
             Str("Doc_Zod", 1)},  // "S": document of the administrative system, not income
            {Primary({"Tienda", "Caja", "Nota"}), Secondary("XFECHA", {"Fecha"})}};
}

db::TableDef FecEst() {
    return {"FecEst", {Stamp("FechaIni"), Stamp("FechaFin")}, {}};
}

std::vector<db::TableDef> PermanentTables() {
    return {Tiendas(), Cajas(),   Usuarios(), CatInven(),  Exist(),    Deptos(),
            Lineas(),  Dispos(),  TPagos(),   Monedas(),   EsqImp(),   Clientes(),
            Politicas(), RepUsr(), MovProd(), Ingresos(),  FecEst()};
}

std::optional<db::TableDef> DefinitionOf(std::string_view name) {
    std::string stem = text::UpperCase(name);
    if (stem.size() > 3 && stem.compare(stem.size() - 3, 3, ".DB") == 0) stem.resize(stem.size() - 3);
    for (auto& t : PermanentTables())
        if (text::SameText(t.name, stem)) return t;
    // A per-day file: kind letter, a key of one or more characters, "ddmm", the year letter.
    if (stem.size() >= 7 && std::isupper(static_cast<unsigned char>(stem.back()))) {
        const std::string_view digits(stem.data() + stem.size() - 5, 4);
        const bool allDigits = std::all_of(digits.begin(), digits.end(),
                                           [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
        const int day = allDigits ? std::stoi(std::string(digits.substr(0, 2))) : 0;
        const int month = allDigits ? std::stoi(std::string(digits.substr(2, 2))) : 0;
        if (allDigits && day >= 1 && day <= 31 && month >= 1 && month <= 12) {
            for (DayKind kind : {DayKind::Ventas, DayKind::Detalle, DayKind::Impuestos, DayKind::Corte})
                if (stem[0] == static_cast<char>(kind)) return DayTable(kind, stem.substr(1));
        }
    }
    return std::nullopt;
}

}  // namespace tables
