// File rows of the file-control dialog and the actions each kind of node offers.
#include "tablemaint/component/file_rows.h"

#include <ctime>

#include "tablemaint/engine/index_names.h"
#include "tablemaint/engine/vlmctlarch.h"

namespace tablemaint {

const FilaArchivo kEncabezadoArchivo = {"Nombre", "Existe", "Tipo", "Tamaño", "Modificado", "Ruta"};

FilaArchivo DescribeFila(VlmCtlArch& engine, const std::string& folder, const std::string& name, bool* existe) {
    FilaArchivo row{};
    DescripcionArchivo d = DescribeArchivo(folder, name);
    if (existe) *existe = d.existe;
    if (!d.existe) {
        row[1] = "No Existe...";
        return row;
    }
    row[0] = name;
    row[1] = "Sí Existe...";
    row[2] = engine.GetTCursorProps(d.ruta.c_str()) && d.tipo == "SQLite 3" ? engine.curProps.szTableType : d.tipo;
    row[3] = std::to_string(d.bytes / 1024) + " KB";
    char when[32] = {};
    std::tm tm{};
    localtime_r(&d.modificado, &tm);
    std::snprintf(when, sizeof when, "%02d/%02d/%02d %d:%02d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year % 100, tm.tm_hour,
                  tm.tm_min);
    row[4] = when;
    auto slash = d.ruta.find_last_of('/');
    row[5] = slash == std::string::npos ? "" : d.ruta.substr(0, slash + 1);
    return row;
}

std::string ArchivoCompanero(const std::string& name) {
    std::string out = name;
    if (out.size() >= 3) out[out.size() - 3] = 'Y';
    return out;
}

std::string ArchivoPrimario(const std::string& table) {
    return (table.size() >= 2 ? table.substr(0, table.size() - 2) : std::string()) + "px";
}

Acciones AccionesPara(TipoNodo tipo, bool existe) {
    Acciones a;
    if (tipo == TipoNodo::Grupo) {
        a.verArchivo = true;
    } else if (!existe) {
        a.crear = true;
    } else if (tipo == TipoNodo::Tabla) {
        a.crear = a.verificar = a.recuperar = true;
    } else {
        a.regenerar = true;
    }
    return a;
}

std::string AbreviaRuta(const std::string& path) {
    if (path.size() <= 50) return path;
    const std::string tail = path.substr(path.size() - 40);
    auto slash = tail.find('/');
    const auto last = path.find_last_of('/');
    const std::string end = slash != std::string::npos ? tail.substr(slash)
                            : last != std::string::npos ? path.substr(last)
                                                        : tail;
    return path.substr(0, 3) + ".." + end;
}

}  // namespace tablemaint
