// A dialog's own table over the point-of-sale tables: its component name, the alias and the
// table's name, set the one way every dialog sets them.
// Not here: opening, filtering or reading it (platform/2_db).
#pragma once

#include "platform/2_db/table.h"
#include "reports/framework/config.h"

namespace reportes {

inline void TablaDelAlias(db::TTable& t, const char* componente, const char* nombre) {
    t.Name = componente;
    t.DatabaseName = kAlias;
    t.TableName = nombre;
}

}  // namespace reportes
