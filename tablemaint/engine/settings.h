// The engine's settings (sharing, network control folder, language driver, table level) and the
// list of language drivers, kept in the engine's own configuration file "motor.ini".
// Not here: the installation's configuration (host/velmor).
#pragma once

#include <string>
#include <vector>

namespace tablemaint {

struct ControladorIdioma {
    std::string nombre;       // short name, the value of "LANGDRIVER"
    std::string descripcion;  // what the dialog shows
};

// The configuration file: $RAZIR_MOTOR if set, else $RAZIR_HOME/motor.ini, else motor.ini
// beside the program. Created with the default entries and drivers when missing.
std::string RutaConfiguracion();

// Reads one entry of a node ("\\SYSTEM\\INIT", "LOCAL SHARE"), names compared ignoring case;
// false, with `out` untouched, when the node has no such entry.
bool LeeValor(const std::string& nodo, const std::string& entrada, std::string& out);
// Writes an entry the node already holds (at most 128 characters); false when it holds none.
bool EscribeValor(const std::string& nodo, const std::string& entrada, const std::string& valor);
// The language drivers listed in the file.
bool ListaControladores(std::vector<ControladorIdioma>& out);

}  // namespace tablemaint
