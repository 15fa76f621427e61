// The inventory movement kinds as the configuration codes them (TipoMov of MovProd): the name
// a report prints for a code, and which codes add to the stock and which take from it, given
// to the layouts' queries as parameters so their SQL needs no codes of its own.
// Not here: the reports' queries (layouts/RKardex.QR2).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/velmor/config.h"
#include "platform/3_report/dataset.h"

namespace reportes {

// "Ventas", "Compras", "Traspaso x salida", "Traspaso x entrada", "Devolución x compras",
// "Devolución x ventas", "Ajustes", "Perdidas" for the configured codes, in that order of
// comparison; nullopt for a code of no configured kind.
std::optional<std::string> NombreConfigurado(const velmor::TRazirConfig& cfg, std::string_view tipoMov);
// The configured name, or "Otros Movs." (the kardex).
std::string NombreMovimiento(const velmor::TRazirConfig& cfg, std::string_view tipoMov);

// Entries: purchases, transfers in, customer returns ("MovEnt1".."MovEnt3"); exits: sales,
// transfers out, returns to the supplier, losses ("MovSal1".."MovSal4"). Adjustments and
// codes of no configured kind count with the sign of their quantity.
void ParametrosSentido(const velmor::TRazirConfig& cfg, report::Params& params);

}  // namespace reportes
