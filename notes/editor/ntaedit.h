// TNtaEditor: the component that opens the format editor window for a TNtaDatos, whose
// visible header fields and detail columns become the editor's field lists.
// Not here: the window (feditfor.*) or the data (ntadatos.*).
#pragma once

#include <functional>
#include <string>

#include "notes/editor/feditfor.h"
#include "notes/ntadatos.h"
#include "platform/2_vcl/component.h"

namespace notix::editor {

enum TTipoDeForma { tfMDIHija, tfNormal };
enum TFormShow { Show, ShowModal };

class TNtaEditor : public vcl::TComponent {
public:
    explicit TNtaEditor(vcl::TComponent* AOwner = nullptr);
    ~TNtaEditor() override;

    // An MDI child is always shown modeless; setting either property keeps it so.
    TTipoDeForma FormStyle() const { return formStyle_; }
    void SetFormStyle(TTipoDeForma v);
    TFormShow FormShow() const { return formShow_; }
    void SetFormShow(TFormShow v);
    // Watched: forgotten when that component goes.
    TNtaDatos* NtaDatos() const { return datos_; }
    void SetNtaDatos(TNtaDatos* datos);
    TfrmEditorDeFormato* frmEditorDeFormato() const { return ventana_; }

    // Run on each new window before it shows (a desktop program gives it its menu bar there).
    std::function<void(TfrmEditorDeFormato&)> AlCrearVentana;

    // Creates the window (owned by the main form), gives it the field lists and shows it as
    // FormShow says. Throws EError, with no window left behind, when there is no data
    // component or it has no header or no detail fields.
    void EjecutarEditor();
    // The same, with `archivo` opened when the window shows.
    void EjecutarEditorNta(const std::string& archivo);

protected:
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    TTipoDeForma formStyle_ = tfNormal;
    TFormShow formShow_ = Show;
    TNtaDatos* datos_ = nullptr;
    TfrmEditorDeFormato* ventana_ = nullptr;
};

}  // namespace notix::editor
