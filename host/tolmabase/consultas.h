// The lookup windows of the base library: a generic one over any dataset (Consultas) and the
// product lookup behind "F2 Consultar inventario" (HelpInve). Both are modal dialogs of the
// component model, so the script driver and tests play them like any report dialog.
// Not here: the edits that open them (velmor::TVlmEdit) or the tables (platform/2_db).
#pragma once

#include <string>
#include <vector>

#include "host/velmor/vlmedit.h"
#include "platform/2_db/dataset.h"
#include "platform/2_vcl/form.h"

namespace tolmabase {

// Component names of the lookup window, for scripts: the search edit, the list, the buttons.
inline constexpr const char* kConsultaForm = "frmConsulta";
inline constexpr const char* kConsultaBuscar = "edtBuscar";
inline constexpr const char* kConsultaLista = "lkcmbConsulta";
inline constexpr const char* kConsultaAceptar = "btnAceptar";
inline constexpr const char* kConsultaCancelar = "btnCancelar";

// Shows `dataset` (opened if closed, under `filtro` when not empty) listing `campos` under the
// column captions `titulos`, in a window titled `titulo`. Typing in the search edit moves to
// the first record whose key, or else whose second field, begins with the text (ignoring
// case). On Aceptar with a record chosen, its `campoClave` goes into `destino` (when given)
// and `*resultado` (when given) and the call returns true; Cancelar, Escape or no choice
// return false and change nothing. The dataset gets back its filter and open state.
bool Consultas(vcl::TForm* owner, db::TDataSet& dataset, velmor::TVlmEdit* destino,
               const std::vector<std::string>& campos, const std::vector<std::string>& titulos,
               const std::string& titulo, const std::string& filtro, const std::string& campoClave,
               std::string* resultado);

// The product lookup: CatInven with the stock of `tienda` (every product, stock blank where the
// store has none; the whole catalogue when `tienda` is empty), through the alias "RazirWin10".
// The chosen product code goes into `destino`, whose Exit handler then validates it as usual.
bool HelpInve(velmor::TVlmEdit* destino, const std::string& tienda);

}  // namespace tolmabase
