// The host configuration as the reports read it: RazirWinConfig when the host has set it,
// otherwise one with every default, so a dialog never reads through a null pointer.
#pragma once

#include "host/velmor/config.h"

namespace reportes {

const velmor::TRazirConfig& Configuracion();

}  // namespace reportes
