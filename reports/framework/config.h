// The host configuration as the reports read it: RazirWinConfig when the host has set it,
// otherwise one with every default, so a dialog never reads through a null pointer; and the
// one alias every report's tables and queries are opened through.
#pragma once

#include "host/velmor/config.h"

namespace reportes {

// The database alias of the point-of-sale tables.
inline constexpr const char* kAlias = "RazirWin10";

const velmor::TRazirConfig& Configuracion();

}  // namespace reportes
