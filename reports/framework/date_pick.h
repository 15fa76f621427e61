// The date pick behind the "F2" button of a date edit: a small modal window with the day, the
// month and the year of the edit's date; Aceptar puts the chosen day back into the edit.
// Not here: checking the date range (the edits' Exit handlers, criteria.h).
#pragma once

#include "host/velmor/vlmedit.h"

namespace reportes {

// Component names, for scripts: "frmFecha" with cmbDia, cmbMes, spnAnio, btnAceptar, btnCancelar.
inline constexpr const char* kFechaForm = "frmFecha";

// Shows the edit's date (today when its text is no date) and, on Aceptar, writes the chosen
// one into it. False when the user cancels; the edit is then left as it was.
bool EligeFecha(velmor::TVlmEdit* edit);

// The edit's button and F2 open the date pick.
void ConSelectorFecha(velmor::TVlmEdit* edit);

}  // namespace reportes
