#include "reports/framework/config.h"

namespace reportes {

const velmor::TRazirConfig& Configuracion() {
    static const velmor::TRazirConfig porOmision;
    return velmor::RazirWinConfig ? *velmor::RazirWinConfig : porOmision;
}

}  // namespace reportes
