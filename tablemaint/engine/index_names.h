// Index identifiers and the index file names the dialog shows. A table file holds its
// indexes inside it; each index still has the identifier and the file name that users of
// the maintenance dialog know: "VENTAS.px" for the primary index, "VENTAS.X03" for a
// single-field index on field 3, "VENTAS.XG0" for the first composite or case-insensitive one.
// Not here: creating or checking indexes (vlmctlarch.cpp, verify.cpp).
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace tablemaint {

// `table` without its last two characters, then "X" and two hexadecimal digits for id <= 255,
// or "XG" and id - 256 in hexadecimal ("VENTAS.db", 10 -> "VENTAS.X0A"; 257 -> "VENTAS.XG1").
std::string NombreIndice(unsigned id, const std::string& table);

struct IndiceEnArchivo {
    std::string nombre;  // "PRIMARIO" for the primary key
    unsigned id = 0;     // 0 for the primary key
    bool primario = false;
    bool unico = false;
    std::string sqliteName;  // the index's own name in the file; "" for a rowid key
    std::vector<std::string> campos;
};

// The indexes of the file's table, primary key first, then in creation order.
std::vector<IndiceEnArchivo> IndicesEnArchivo(sqlite3* db, const std::string& table);
// The identifier of the index named `index` (ignoring case) of the table file; nullopt when
// the file or the index does not exist.
std::optional<unsigned> IdentificadorIndice(const std::string& tablePath, const std::string& index);

// What the dialog shows of one file of the data folder: a table file, or one of its index
// names ("VENTAS.px", "VENTAS.X03", "VENTAS.Y03", "VENTAS.XG0"), which exists when the
// table file exists and holds that index.
struct DescripcionArchivo {
    bool existe = false;
    std::string ruta;     // the file that holds it, as found ignoring case
    int64_t bytes = 0;    // the table file's size, or the pages of that index
    std::time_t modificado = 0;
    std::string tipo;     // "SQLite 3" for a table file
};
DescripcionArchivo DescribeArchivo(const std::string& folder, const std::string& name);

}  // namespace tablemaint
