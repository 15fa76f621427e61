// Verification of one table file: what is wrong with it, as error records with a code and a
// level, written into an error table that the maintenance dialog reads back.
// Not here: rebuilding (rebuild.*), the dictionary's own expectations (vlmctlarch.cpp adds
// the missing-index records).
#pragma once

#include <string>
#include <vector>

#include "platform/2_db/schema.h"

namespace tablemaint {

// Error codes of the error table (documented with their levels in docs/table-maintenance.md).
enum CodigoError : int {
    kIndiceInexistente = 15,       // 1: the dictionary declares an index the file lacks
    kRegistroDanado = 21,          // 1: a page or record of the table is damaged
    kEspacioLibreDanado = 22,      // 1: the list of free pages is damaged
    kValorNulo = 23,               // 1: a required field holds no value
    kVerificacionIncompleta = 30,  // 2: the check could not run to its end
    kArchivoTruncado = 42,         // 1: the file lost its end
    kDefinicionIlegible = 40,      // 3: the table's definition cannot be read
    kEncabezadoDanado = 41,        // 3: the file header is damaged
    kNoEsTabla = 50,               // 4: the file is not a table file (or is empty)
    kTablaVacia = 87,              // 0: the table holds no records
    kSinIndicePrimario = 88,       // 0: the table has no primary index
    kEspacioLibre = 92,            // 0: free pages inside the file
    kClaveDuplicada = 96,          // 1: a unique index holds the same key twice
    kIndiceDesactualizado = 97,    // 1: an index does not match the table's records
};

struct ErrorVerificacion {
    int codigo = 0;
    int nivel = 0;
    std::string mensaje;
};

struct ResultadoVerificacion {
    bool ocupado = false;  // another process uses the file: nothing was checked
    int nivel = 0;         // the highest level found, 0 to 4
    std::vector<ErrorVerificacion> errores;
    void Agrega(int codigo, int nivel, std::string mensaje);
    // Damage that only a rebuild cures (a damaged page or record, a lost end, an unreadable
    // definition or header) was found.
    bool Danado() const;
};
// The same for codes read back from an error table.
bool CodigoDeDano(int codigo);

// Checks the table file at `path` (which exists) while holding it exclusively.
ResultadoVerificacion VerificaArchivo(const std::string& path);

// The error table's definition: "Drive", "Directory", "Table Name", "Extension",
// "Error Code", "Error Level", "Error Message", "Date", "Time".
db::TableDef DefinicionTablaErrores(const std::string& nombre);
// Replaces the error table at `errTable` with one record per error about `tablePath`.
bool EscribeTablaErrores(const std::string& errTable, const std::string& tablePath,
                         const std::vector<ErrorVerificacion>& errores, std::string* error);

// The records of an error table (empty when it cannot be read).
std::vector<ErrorVerificacion> LeeTablaErrores(const std::string& errTable);

// The result that kVerificaTabla gives for a verification: 0 to 4, other levels as 5.
int NivelComoResultado(int nivel);

}  // namespace tablemaint
