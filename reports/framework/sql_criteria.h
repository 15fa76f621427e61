// The criteria a report was asked for, as one typed value, and the SQL conditions they become.
// Every function here is pure: it reads values and returns text, with every value written as a
// quoted literal (platform/2_db/quote.h) and every date and number in a form that no user
// setting changes (ISO dates, "." decimals).
// Not here: the controls that ask for the criteria and their checks (criteria.h), the
// report's own SQL.
//
// A condition is returned without a leading "And" and in parentheses of its own, so it can be
// joined with others in any order (Condiciones, Where, YAdemas) without an "Or" inside one
// widening another. An absent criterion gives "" and is skipped when joining.
//
// Blank codes: the tables keep a blank text as null (a plain sale's TIPODOCZOD, a plain
// line's TipoProducto). "X <> 'P'" is never true for null, so the conditions that exclude
// some kinds keep the null ones explicitly (CondicionDistinto, CondicionNotasValidas).
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/1_text/datetime.h"

namespace reportes {

// A range of keys, both bounds included. An empty bound leaves that side open; both empty is
// no condition. `admiteNulos` keeps the rows that have no key at all (the report's outer
// join found no catalogue record): set when the user chose only the final key and the initial
// one was filled in for him (CompletaInicial).
struct RangoClaves {
    std::string ini, fin;
    bool admiteNulos = false;
    bool Vacio() const { return ini.empty() && fin.empty(); }
};

// Whole days: from `desde` at 00:00 to the last instant of `hasta` (times of day ignored).
struct RangoFechas {
    text::TDateTime desde = 0, hasta = 0;
};

// What a report's dialog was asked for. Empty texts and ranges mean "all".
struct CriteriosElegidos {
    std::string tienda;                  // one store ("01")
    std::string caja, cajero, vendedor;  // one register, cashier, seller
    RangoClaves tiendas, cajas, cajeros, vendedores, deptos, productos, lineas;
    std::string linea;                   // line code or pattern as typed: "015", "AB???", "?????"
    std::optional<RangoFechas> fechas;
};

// The column each criterion is compared with in the report's SQL ("Inv.Producto",
// "MovProd.Usuario"); a criterion whose column is left empty gives no condition.
struct ColumnasCriterio {
    std::string tienda, caja, cajero, vendedor, depto, producto, linea, fecha;
};

// (X = 'v'); "" for an empty value.
std::string CondicionIgual(std::string_view columna, std::string_view valor);
// (X Between 'a' And 'b'), (X >= 'a'), (X <= 'b'), or with admiteNulos
// ((X Between 'a' And 'b') Or X Is Null).
std::string CondicionRango(std::string_view columna, const RangoClaves& rango);
// (X Like 'AB%' ESCAPE '\') for a typed line code or pattern ("?" any one character; a
// five-character code ending in "?" any tail); "" for a blank code.
std::string CondicionLinea(std::string_view columna, std::string_view lineaTecleada);
// (X >= '2026-01-01' And X < '2026-02-01') for 1 to 31 January: the whole last day, whether X
// holds dates or date-times.
std::string CondicionFechas(std::string_view columna, const RangoFechas& rango);
// (X Is Null Or X Not In ('P', 'A')): any kind but those, a blank (null) kind included.
std::string CondicionDistinto(std::string_view columna, std::initializer_list<std::string_view> valores);
// (X Is Null Or X = ''): a blank code, whichever way the file holds it.
std::string CondicionEnBlanco(std::string_view columna);
// The notes that count as sales: paid (Status "N") and not an advance or a payment of the
// administrative system (TIPODOCZOD "A", "P"); a blank TIPODOCZOD is a plain sale. `alias`
// qualifies the columns ("V" gives V.Status), "" leaves them bare.
std::string CondicionNotasValidas(std::string_view alias);
// (expr > 1234.5), the number written with "." whatever the user's decimal separator.
std::string CondicionMayorQue(std::string_view expresion, double minimo);

// A number as SQL text: shortest form that reads back the same, "." for decimals.
std::string NumeroSql(double valor);
// A date as ISO text ("2026-01-31"), for SQL literals and parameters.
std::string FechaSql(text::TDateTime dia);

// Only the final key chosen: the initial key becomes `primera` (the table's first key, "01",
// "000"...) and rows without a key stay. Any other range comes back unchanged.
RangoClaves CompletaInicial(RangoClaves rango, std::string_view primera);

// Every condition the criteria give for the columns named, in a fixed order: store, register,
// cashier, seller (single value, then range), department, product, line (range, then
// pattern), dates.
std::vector<std::string> Condiciones(const CriteriosElegidos& criterios, const ColumnasCriterio& columnas);
// "Where a And b" (a line of its own) and " And a And b" (to follow a Where), or "" when there
// is no condition.
std::string Where(const std::vector<std::string>& condiciones);
std::string YAdemas(const std::vector<std::string>& condiciones);

}  // namespace reportes
