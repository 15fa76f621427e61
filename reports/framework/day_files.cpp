// Finding a register's day files.
#include "reports/framework/day_files.h"

#include "platform/2_db/table.h"
#include "reports/framework/config.h"

namespace reportes {

std::string RaizDelDia(const std::string& tienda, const std::string& caja, text::TDateTime dia) {
    return tables::DayFileStem(Configuracion().ArchivosPorTienda ? tienda : caja, dia);
}

std::string ArchivoDelDia(tables::DayKind tipo, const std::string& raiz) {
    return static_cast<char>(tipo) + raiz + ".DB";
}

bool ExisteTabla(const std::string& nombre) {
    db::TTable t;
    t.DatabaseName = kAlias;
    t.TableName = nombre;
    return t.Exists();
}

}  // namespace reportes
