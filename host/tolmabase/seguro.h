// Safe edit and post of a dataset's current record: waits for another station's lock with a
// bounded retry, then fails with a clear Spanish error instead of the engine's raw one.
// Not here: the dataset itself (platform/2_db).
#pragma once

#include <chrono>

#include "platform/2_db/dataset.h"

namespace tolmabase {

// How long to wait for a lock: `intentos` tries, `pausa` apart. Each try already waits the
// dataset's own LockWaitMs (3 seconds unless set), so the default gives up after about 10 s.
struct EsperaBloqueo {
    int intentos = 3;
    std::chrono::milliseconds pausa{500};
};

// Puts the current record into edit mode (a closed dataset is opened first). With no current
// record the dataset goes into insert mode, so the caller's values and Post add a record
// rather than fail. Raises db::EDatabaseError (Locked) when the table stays locked.
void EditSeguroEnTabla(db::TDataSet& tabla, EsperaBloqueo espera = {});

// Posts the record being edited or inserted. A lock is waited for; if it outlasts the wait the
// record stays in edit mode (nothing typed is lost, a later Post may succeed) and
// db::EDatabaseError (Locked) is raised. A duplicate key cancels the record and raises
// db::EDatabaseError (KeyViolation) naming the table. Outside edit mode it does nothing.
void PostSeguroEnTabla(db::TDataSet& tabla, EsperaBloqueo espera = {});

}  // namespace tolmabase
