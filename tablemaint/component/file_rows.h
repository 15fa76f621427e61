// What the file-control dialog shows about one file of the data folder (a table or one of its
// index names), the names it works out for index files, and which actions a node offers.
// Not here: the dialog's controls (frmconta.*).
#pragma once

#include <array>
#include <string>

namespace tablemaint {

class VlmCtlArch;

// The six cells: "Nombre", "Existe", "Tipo", "Tamaño", "Modificado", "Ruta".
using FilaArchivo = std::array<std::string, 6>;
extern const FilaArchivo kEncabezadoArchivo;

// Describes folder + name; a missing file gives an empty row with "No Existe...".
FilaArchivo DescribeFila(VlmCtlArch& engine, const std::string& folder, const std::string& name, bool* existe);

// "VENTAS.X01" -> "VENTAS.Y01": a secondary index has a companion file.
std::string ArchivoCompanero(const std::string& name);
// "VENTAS.db" -> "VENTAS.px".
std::string ArchivoPrimario(const std::string& table);

enum class TipoNodo { Tabla, Grupo, Indice };

struct Acciones {
    bool crear = false, regenerar = false, verificar = false, recuperar = false, verArchivo = false;
};
Acciones AccionesPara(TipoNodo tipo, bool existe);

// A folder shown in the folder browser: paths over 50 characters become their first three
// characters, "..", and the part of their last 40 that starts at a "/".
std::string AbreviaRuta(const std::string& path);

}  // namespace tablemaint
