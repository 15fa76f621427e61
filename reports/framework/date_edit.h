// A dialog's date edit with its caption: date type, F2 and the button open the date pick, the
// caption's accelerator focuses it.
// Not here: the date pick itself (date_pick.h), checking a date range (criteria.h).
#pragma once

#include <string>

#include "host/velmor/vlmedit.h"
#include "platform/2_vcl/panels.h"

namespace reportes {

// The edit `name` at (left + anchoEtiqueta, top) of `parent`, 110 wide, and its caption on
// the left ("lbl" + the name without "edt": "lblFecDesde").
velmor::TVlmEdit* NuevaFecha(vcl::TWinControl* parent, const std::string& name, const char* etiqueta,
                             int left, int top, int anchoEtiqueta);

}  // namespace reportes
