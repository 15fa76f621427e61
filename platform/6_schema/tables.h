// The point-of-sale tables as the reports read them: the definition (fields, sizes, primary
// and secondary indexes) of every catalogue, movement, statistics and per-day table, and the
// rule that names the per-day files. Readers (reports, tolmabase) and writers (the demo
// generator, table creation) describe the tables only through these definitions.
// Not here: opening or querying tables (platform/2_db), the contents of any table.
//
// Per-day file names: kind letter + key (register, or store when files are kept per store) +
// two-digit day + two-digit month + year letter + ".DB", e.g. "V012905H.DB" for the notes of
// register 01 on 29 May 2002. The year letter is "A" for 1995 up to "Z" for 2020 and then the
// alphabet starts again: 2021 is "A", 2046 is "A" again (letter = 'A' + (year - 1995) mod 26).
// Names stay letters-and-digits (valid file names and bare SQL identifiers) and, because file
// names match ignoring case, no other scheme with one letter could do better than 26 distinct
// years: within any 26 consecutive years no two years share a letter. A data folder must not
// keep per-day files older than 26 years beside new ones (the same day 26 years apart would
// share a name); the files of one period always differ.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/2_db/schema.h"
#include "platform/1_text/datetime.h"

namespace tables {

// ---- Per-day files -------------------------------------------------------------------------

enum class DayKind : char {
    Ventas = 'V',    // sales notes, one row per note
    Detalle = 'D',   // note lines
    Impuestos = 'I', // taxes of each note, one row per note and tax
    Corte = 'C',     // cash cut: one row per cashier, register and payment type
};

// 'A'..'Z' for the year (1995 'A', 2000 'F', 2002 'H', 2020 'Z', 2021 'A').
char YearLetter(int year);
// The stem without the kind letter: key + "ddmm" + year letter ("012905H").
std::string DayFileStem(std::string_view key, text::TDateTime date);
// Kind letter + stem + ".DB" ("V012905H.DB").
std::string DayFileName(DayKind kind, std::string_view key, text::TDateTime date);

// Definition of a per-day table named after the given stem ("V" + stem + ".DB").
db::TableDef DayTable(DayKind kind, std::string_view stem);

// ---- Permanent tables ----------------------------------------------------------------------

// Catalogues.
db::TableDef Tiendas();   // stores
db::TableDef Cajas();     // registers of each store
db::TableDef Usuarios();  // cashiers ("A", "C") and sellers ("D")
db::TableDef CatInven();  // product catalogue
db::TableDef Exist();     // stock per store and product
db::TableDef Deptos();    // departments
db::TableDef Lineas();    // product lines
db::TableDef Dispos();    // register devices (note printers)
db::TableDef TPagos();    // payment types
db::TableDef Monedas();   // currencies
db::TableDef EsqImp();    // tax schemes with the rates of the four taxes
db::TableDef Clientes();  // customers
db::TableDef Politicas(); // price offer policies of each store
db::TableDef RepUsr();    // user-defined reports

// Movements and statistics.
db::TableDef MovProd();   // every inventory movement; index "XFECHA" on the date
db::TableDef Ingresos();  // income per sale
db::TableDef FecEst();    // statistics periods, refilled by the reports

// Every permanent table above, catalogues first.
std::vector<db::TableDef> PermanentTables();

// The definition of a table by the name a report or a file gives it: "Cajas", "cajas.db",
// "V012905H.DB" (a per-day file: kind letter, key, four digits, year letter), ignoring case;
// nullopt for a name that is none of these (temporary tables, for instance). A per-day
// table's name comes back in capitals ("d030101f" gives "D030101F.DB"); files match ignoring case.
std::optional<db::TableDef> DefinitionOf(std::string_view name);

// Values the tables hold by convention.
inline constexpr std::string_view kUsrVendedor = "D";     // TipoUsr of a seller
inline constexpr std::string_view kNotaPagada = "N";      // Status of a valid (paid) note
// TipoProducto (note lines) and TipoProd (movements): a package, and a component of the package.
// A package line carries the amount in the note and the fiscal check; its component lines
// carry the same amount shared out, for product analysis, which leaves the package out.
inline constexpr std::string_view kProdPaquete = "K";
inline constexpr std::string_view kProdComponente = "P";
inline constexpr std::string_view kPuertoManejador = "MANEJ";  // NOMPUERTO of a Windows-driven printer
// Summary rows of the cash cut (TPago): opening fund, notes, transactions.
inline constexpr std::string_view kCorteFondo = "AA";
inline constexpr std::string_view kCorteNotas = "AF";
inline constexpr std::string_view kCorteTransacciones = "AB";

}  // namespace tables
