// The configuration object's one behaviour of its own: the current store's description.
#include "host/velmor/config.h"

namespace velmor {

TRazirConfig* RazirWinConfig = nullptr;

std::string TRazirConfig::GetDescripcionTienda() const {
    if (!storeLookup_) return {};
    return storeLookup_(TiendaActual).value_or(std::string());
}

}  // namespace velmor
