// Lock waits around Edit and Post. SQLite locks whole files, so "locked" here means another
// station is writing the table or holds it open exclusively.
#include "host/tolmabase/seguro.h"

#include <thread>

#include "platform/2_db/error.h"
#include "platform/2_db/table.h"

namespace tolmabase {
namespace {

// The table as the user knows it: its table name, else the component's name.
std::string Nombre(const db::TDataSet& tabla) {
    if (const auto* t = dynamic_cast<const db::TTable*>(&tabla); t && !t->TableName.empty()) return t->TableName;
    return tabla.Name.empty() ? std::string("de datos") : tabla.Name;
}

template <typename F>
void ConEspera(db::TDataSet& tabla, const EsperaBloqueo& espera, const char* accion, F operacion) {
    for (int intento = 1;; ++intento) {
        try {
            operacion();
            return;
        } catch (const db::EDatabaseError& e) {
            if (e.Kind() != db::ErrorKind::Locked) throw;
            if (intento >= espera.intentos)
                throw db::EDatabaseError("No se pudo " + std::string(accion) + " el registro: la tabla " +
                                             Nombre(tabla) + " está en uso por otro usuario. "
                                             "Intente de nuevo en unos momentos.",
                                         db::ErrorKind::Locked);
            std::this_thread::sleep_for(espera.pausa);
        }
    }
}

}  // namespace

void EditSeguroEnTabla(db::TDataSet& tabla, EsperaBloqueo espera) {
    ConEspera(tabla, espera, "modificar", [&] {
        if (!tabla.Active()) tabla.Open();
        tabla.Edit();
    });
}

void PostSeguroEnTabla(db::TDataSet& tabla, EsperaBloqueo espera) {
    if (tabla.State() != db::TDataSetState::dsEdit && tabla.State() != db::TDataSetState::dsInsert) return;
    try {
        ConEspera(tabla, espera, "guardar", [&] { tabla.Post(); });
    } catch (const db::EDatabaseError& e) {
        if (e.Kind() != db::ErrorKind::KeyViolation) throw;
        tabla.Cancel();
        throw db::EDatabaseError("Ya existe un registro con la misma clave en la tabla " + Nombre(tabla) +
                                     "; el registro no se guardó.",
                                 db::ErrorKind::KeyViolation);
    }
}

}  // namespace tolmabase
