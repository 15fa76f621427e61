// The per-day files of one register's day as a report finds them: named on the store when the
// installation keeps its files per store, on the register otherwise, and looked for through
// the reports' alias.
// Not here: the naming rule itself (tables.h).
#pragma once

#include <string>

#include "platform/1_text/datetime.h"
#include "platform/6_schema/tables.h"

namespace reportes {

// The stem of the day's files ("012905H"): the store's key or the register's, as configured.
std::string RaizDelDia(const std::string& tienda, const std::string& caja, text::TDateTime dia);
// "V" + stem + ".DB" and the like.
std::string ArchivoDelDia(tables::DayKind tipo, const std::string& raiz);
// Whether the table file is there in the reports' data folder.
bool ExisteTabla(const std::string& nombre);

}  // namespace reportes
