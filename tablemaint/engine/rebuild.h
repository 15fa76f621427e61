// Rebuilding a damaged table file: every row that can still be read goes into a new file with
// the table's definition; rows that break a unique key go to the key-violation table, data
// that cannot be read as a row to the problem table; the original is backed up and replaced
// only when the new file is complete, so a failure leaves it as it was.
// Not here: reading damaged pages (salvage.*), checking (verify.*).
#pragma once

#include <string>

#include "platform/2_db/schema.h"

namespace tablemaint {

// Results, as kRecuperaTabla gives them.
constexpr int kRecuperada = 0;
constexpr int kRecuperadaConApartados = 9;  // rebuilt, but rows went to the problem or key tables
constexpr int kRecuperacionFallida = 4;
constexpr int kNoExisteTabla = 6;
constexpr int kSinDescripcion = 7;  // the table's definition could not be found
constexpr int kDescripcionFallida = 8;
constexpr int kVerificacionFallida = -1;  // busy, or the verification could not run

struct ResumenRecuperacion {
    int resultado = 0;
    int filasGuardadas = 0;   // rows in the rebuilt table
    int filasHuerfanas = 0;   // of them, rows found on pages cut off from the table's tree
    int problemas = 0;        // records written to the problem table
    int violaciones = 0;      // records written to the key-violation table
    int nivelPrevio = 0;      // level of the preliminary verification
    std::string respaldo;     // where the original was copied
    std::string tablaProblemas;    // the problem table of this rebuild (made only when used)
    std::string tablaViolaciones;  // the key-violation table of this rebuild (the same)
    std::string motivo;       // why it failed, when it did
};

// `respaldo` empty: the backup goes beside the table as "~" + its file name. No file is ever
// overwritten: a backup or side-table name already taken gets "-2", "-3"... (RutaSinUsar), and
// the side tables carry the table's name ("VLMPRBLM-MovProd.db"); the summary has the names used. `definicion`
// (may be null) is the dictionary's definition, used when the file no longer holds its own.
ResumenRecuperacion RecuperaArchivo(const std::string& table, const std::string& errTable,
                                    const std::string& respaldo, const std::string& problemas,
                                    const std::string& violaciones, const db::TableDef* definicion);

}  // namespace tablemaint
