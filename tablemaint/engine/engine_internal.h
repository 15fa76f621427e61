// Internal to the engine: the objects behind the opaque handles of vlmctlarch.h, shared by
// the class (vlmctlarch.cpp) and the plain exports (exports.cpp).
#pragma once

#include <memory>
#include <string>

#include "tablemaint/engine/dictionary.h"
#include "tablemaint/engine/table_file.h"

namespace tablemaint {

class TablaDiccionario {
public:
    std::string ruta;
    bool abierta = false;
};

struct FuenteDatos {
    Diccionario dic;
    bool enlazada = false;
    std::string indiceDetalle, camposMaestro;
};

struct TBaseDatos {
    std::string carpeta;  // with a trailing "/"
};

struct TCursor {
    std::string ruta;
    std::string tabla;  // the table's name inside the file
    std::unique_ptr<Connection> con;
};

// Opens the table file exclusively: nullptr with `ocupado` set when another process uses it.
std::unique_ptr<TCursor> AbreCursorExclusivo(const std::string& path, bool* ocupado, std::string* error);
// Adds (or replaces) one index on an exclusively opened table; false with a reason.
bool AgregaIndice(TCursor& cur, const db::IndexDef& idx, std::string* error);
// Rebuilds one index (the primary key's own index for "PRIMARIO") from the table's rows.
bool RegeneraIndice(TCursor& cur, const std::string& indice, std::string* error);

}  // namespace tablemaint
