#include "reports/framework/entry.h"

#include "platform/2_vcl/dialogs.h"

namespace reportes {

void RegistraError(const char* reason) noexcept {
    try {
        std::cerr << "Reportes: " << reason << "\n";
    } catch (...) {
    }
}

void MensajeNoDialogo(const char* reason) noexcept {
    try {
        RegistraError(reason);
        vcl::ShowMessage("No es posible mostrar díalogo,\nbaje una o más de su aplicaciones que no esten en uso.");
    } catch (...) {
        // The host must never see an exception, not even one from showing the message.
    }
}

}  // namespace reportes
