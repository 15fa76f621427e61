// What the file-control dialog tells the user after verifying, recovering, regenerating and
// creating: the status-line text and the result lines, from the engine's result codes.
// Plain functions, so the wording is reviewed and tested in one place.
// Not here: running the actions (frmconta.cpp).
#pragma once

#include <string>
#include <vector>

#include "tablemaint/engine/rebuild.h"

namespace tablemaint {

struct Resultado {
    std::string estado;               // status-line text
    std::vector<std::string> memo;    // lines of the result page
    bool problemas = false;           // the node becomes the node with verification problems
};

// `codigos`: the "Error Code" of each error record in order; `propias`: lines that the
// application's OnVerificar added (only asked for after a clean verification).
Resultado TextoVerificacion(int resultado, const std::vector<int>& codigos, const std::string& tabla,
                            const std::vector<std::string>& propias);
Resultado TextoRecuperacion(int resultado, const std::string& tabla, const ResumenRecuperacion& resumen,
                            const std::string& problemas, const std::string& violaciones);
Resultado TextoRegeneracion(int resultado, const std::string& indice, const std::string& archivo);
Resultado TextoCreacionTabla(int resultado, const std::string& archivo, const std::string& detalle);
Resultado TextoCreacionIndice(int resultado, const std::string& indice, const std::string& archivo);

// Texts of failures that are not results.
Resultado TextoVerificacionInesperada(const std::string& tabla);
Resultado TextoRecuperacionInesperada(const std::string& tabla);

}  // namespace tablemaint
