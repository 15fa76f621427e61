// Separators, per-day file names and weeks of the base library.
// Not here: tax schemes (esquemas.cpp), safe edit and post (seguro.cpp), lookups (consultas.cpp).
#include "host/tolmabase/tolmabase.h"

#include "platform/6_schema/tables.h"

namespace tolmabase {

void QuitaSeparadorMillar(std::string& texto, std::string_view separador) {
    if (separador.empty()) return;
    std::string limpio;
    limpio.reserve(texto.size());
    for (size_t i = 0; i < texto.size();) {
        if (texto.compare(i, separador.size(), separador) == 0) {
            i += separador.size();
        } else {
            limpio += texto[i++];
        }
    }
    texto = std::move(limpio);
}

void GetNameArch(std::string& nombre, const std::string& clave, text::TDateTime fecha) {
    nombre = tables::DayFileStem(clave, fecha);
}

text::TDateTime FirstDayOfWeek(text::TDateTime fecha) {
    const text::TDateTime dia = text::DateOf(fecha);
    return dia - (text::DayOfWeek(dia) - 1);
}

}  // namespace tolmabase
