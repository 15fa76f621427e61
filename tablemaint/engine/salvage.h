// Reads the rows of a damaged table file page by page, without SQLite, so that a rebuild keeps
// every row that survives: the table's b-tree is walked from its root, skipping pages and cells
// that do not decode, and leaf pages that no surviving page points to any more are scanned too.
// Not here: deciding what is damaged (verify.*), writing the rebuilt table (rebuild.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tablemaint {

struct Valor {
    enum Tipo { Nulo, Entero, Real, Texto, Blob } tipo = Nulo;
    int64_t entero = 0;
    double real = 0;
    std::string bytes;  // text (UTF-8) or blob
};

struct FilaRescatada {
    int64_t rowid = 0;
    uint32_t pagina = 0;
    std::vector<Valor> valores;
};

// A cell or page that holds data that cannot be read back as a row.
struct DatoIlegible {
    uint32_t pagina = 0;
    int64_t rowid = 0;  // 0 when not known
    std::string motivo;
    std::string datos;  // the raw bytes
};

struct EntradaEsquema {
    std::string type, name, tblName, sql;
    uint32_t rootpage = 0;
};

struct Rescate {
    bool encabezadoValido = false;  // the file header of page 1 is intact
    uint32_t tamanoPagina = 0;
    uint32_t paginas = 0;
    std::vector<EntradaEsquema> esquema;  // what page 1 still tells
    std::vector<FilaRescatada> filas;     // by rowid, each rowid once
    std::vector<DatoIlegible> ilegibles;
    int filasHuerfanas = 0;  // rows found on leaf pages cut off from the table's tree
};

// Reads the schema and the rows of `table` (ignoring case). When page 1 no longer names the
// table, `columnas` (> 0) lets the leaf pages be recognised by their number of columns.
// `rowidColumn` is the position of an INTEGER PRIMARY KEY column (its value is the rowid), or -1.
Rescate RescataTabla(const std::string& path, const std::string& table, int columnas, int rowidColumn);

// Which tree (table or index name) each page reachable from the schema belongs to.
std::vector<std::pair<uint32_t, std::string>> ArbolesPorPagina(const std::string& path);

// Only the schema entries that page 1 still holds.
std::vector<EntradaEsquema> LeeEsquema(const std::string& path);

}  // namespace tablemaint
