// What the sales analyses ask about products the same way: the product, department and line
// conditions (with the lower bounds they fill in), the thresholds on quantity and amount and
// their check, and the heading labels of those criteria.
// Not here: the controls themselves and their checks (framework criteria.h).
#pragma once

#include <string>
#include <utility>

#include "host/velmor/vlmedit.h"
#include "platform/2_db/table.h"
#include "platform/3_report/report.h"
#include "reports/framework/dialog.h"
#include "platform/2_vcl/panels.h"

namespace reportes {

// The amount of a movement before its four taxes, behind the alias `mov`: what every line,
// total and amount threshold of these reports counts.
std::string MontoNeto(const std::string& mov);

// Product range, department range and line pattern over the catalogue alias `inv`, each an
// " And (...)" fragment. Only a final product: from the catalogue's first product, also
// movements of products missing from it; only a final department: from "01", likewise. The
// lower bounds filled in stay in the dialog.
std::string CondicionesProducto(TfrmReporte& dlg, db::TTable& productos, const std::string& inv);

// A threshold edit's value: 0 for no number or a negative one.
double Umbral(velmor::TVlmEdit* edit);
// Leaving a threshold edit: a negative value is refused where it was typed.
void UmbralExit(TfrmReporte& dlg, vcl::TObject* sender);
// "Having Sum(<mov>.Cantidad) > q And Sum(<amount before taxes>) > m", the numbers as SQL
// reads them whatever the user's decimal separator.
std::string HavingUmbrales(const std::string& mov, double cantidad, double monto);

// A table of the alias named as the dialog's component.
void TablaDelAlias(db::TTable& tabla, const char* componente, const char* archivo);
// A group of two edits side by side, each with its caption: the product, date and threshold
// groups of these dialogs.
using DosEdits = std::pair<velmor::TVlmEdit*, velmor::TVlmEdit*>;
DosEdits GrupoDosEdits(TfrmReporte* form, const char* grupo, const char* caption, int top, const char* nombreIni,
                       const char* etiquetaIni, const char* nombreFin, const char* etiquetaFin);
// The threshold group "V&entas mayores a ": edtUnidades "0.00" and edtMonto "$ 0.00", checked
// on leaving.
DosEdits GrupoUmbrales(TfrmReporte* form, int top);

// lblProDesde/lblProHasta (lblEDesdeP "Todos"), lblDepDesde/lblDepHasta (lblEDesdeD "Todos"),
// lblClaveLin/lblLinea ("Todas").
void EncabezadoProducto(report::Report& r, const TfrmReporte& dlg);

}  // namespace reportes
