// A date edit with its caption.
#include "reports/framework/date_edit.h"

#include "reports/framework/date_pick.h"

namespace reportes {

velmor::TVlmEdit* NuevaFecha(vcl::TWinControl* parent, const std::string& name, const char* etiqueta,
                             int left, int top, int anchoEtiqueta) {
    auto* edit = vcl::NewControl<velmor::TVlmEdit>(parent, name);
    edit->SetTipoDeDato(velmor::tyFecha);
    ConSelectorFecha(edit);
    edit->SetBounds(left + anchoEtiqueta, top, 110, 23);
    edit->SetTabStop(true);
    auto* lbl = vcl::NewControl<vcl::TLabel>(parent, "lbl" + name.substr(name.rfind("edt", 0) == 0 ? 3 : 0));
    lbl->SetCaption(etiqueta);
    lbl->SetBounds(left, top + 4, anchoEtiqueta - 6, 16);
    lbl->SetFocusControl(edit);
    return edit;
}

}  // namespace reportes
