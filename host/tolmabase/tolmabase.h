// The base library of the point-of-sale host: the plain functions the reports call for
// numbers typed with separators, per-day file names, weeks, and tax schemes.
// Not here: the lookup windows (lookups.h), safe edit and post of records (seguro.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/1_text/datetime.h"

namespace tolmabase {

// Removes every thousands separator from the text, in place, so that "1,234.50" can enter SQL
// as 1234.50. The separator is the locale's (Mexican Spanish: ","); it may be several bytes.
void QuitaSeparadorMillar(std::string& texto, std::string_view separador = ",");

// The stem of the per-day file names of `clave` (register or store) on `fecha`:
// clave + "ddmm" + year letter ("012905H" for 29 May 2002); callers prepend "V", "D", ...
void GetNameArch(std::string& nombre, const std::string& clave, text::TDateTime fecha);

// The Sunday that opens the week of `fecha` (weekdays run Sunday 1 .. Saturday 7), at 00:00.
text::TDateTime FirstDayOfWeek(text::TDateTime fecha);

// ---- Tax schemes ---------------------------------------------------------------------------
//
// A scheme holds the rate of each of the four taxes in percent and, for taxes 2 to 4, whether
// the tax applies to the price plus the taxes before it. For a price p without taxes:
//   t1 = p * r1/100;  ti = (p + (cascada_i ? t1+..+t(i-1) : 0)) * ri/100;  P = p + t1+..+t4.
// Each tax is linear in p, so a price with taxes P breaks down as p = P / (P of a price of 1).

struct Esquema {
    std::string clave;
    double porcen[4] = {0, 0, 0, 0};
    bool cascada[4] = {false, false, false, false};  // element 0 is never read
};

// The result array the reports pass: elements 0..3 receive the four rates, 4..7 the amounts of
// taxes 1..4, 8 the price with taxes (CalculaEsquema) or without taxes (DesgloseEsquema).
using Desglose = double[9];

void CalculaEsquema(const Esquema& esquema, double precioSinImpuestos, Desglose& resultado);
void DesgloseEsquema(const Esquema& esquema, double precioConImpuestos, Desglose& resultado);

// The scheme `clave` of the EsqImp table in the data folder; nullopt when the folder has no
// such scheme. The table is read again only when its file changes. Throws std::runtime_error
// (db::EDatabaseError for a damaged file) with a Spanish message when it cannot be read.
std::optional<Esquema> LeeEsquema(const std::string& carpetaDatos, const std::string& clave);

// The data folder whose EsqImp table the calls below read: the one set here, else the folder
// of the alias "RazirWin10".
void SetCarpetaDatos(const std::string& carpeta);
std::string CarpetaDatos();

// The report calls: the scheme is read from EsqImp of CarpetaDatos(). A product whose scheme
// is missing from the table has no taxes (amounts 0, the price unchanged), rather than the
// rates of whatever scheme was read last.
void CalculaEsquema(const std::string& clave, double precioSinImpuestos, Desglose& resultado);
void DesgloseEsquema(const std::string& clave, double precioConImpuestos, Desglose& resultado);

}  // namespace tolmabase
