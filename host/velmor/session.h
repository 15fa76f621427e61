// The host's database session over an installation: the aliases of razir.ini registered with
// the data layer, the named session's NetFileDir pointed at the per-day files, and the
// configuration's store description answered from the Tiendas table.
// Not here: reading razir.ini (installation.h) or tables themselves (platform/2_db).
#pragma once

#include "host/velmor/installation.h"

namespace velmor {

// Makes `inst` current (Installation::MakeCurrent) and opens its data for every report, note
// and maintenance operation of the program. The installation also stands for the host
// program's folder, where the reports look for Reportes/ and the help pages
// (vcl::Application->ExeFolder()); the program's own files are found through
// shell::ProgramFolder(). `inst` must outlive the session.
void OpenSession(Installation& inst);

}  // namespace velmor
