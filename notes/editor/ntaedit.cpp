// Opening the editor window and handing it the field lists.
#include "notes/editor/ntaedit.h"

#include "platform/2_vcl/application.h"

namespace notix::editor {

TNtaEditor::TNtaEditor(vcl::TComponent* AOwner) : vcl::TComponent(AOwner) {}

TNtaEditor::~TNtaEditor() {
    if (ventana_) {
        ventana_->RemoveFreeNotification(this);
        vcl::Free(ventana_);
    }
}

void TNtaEditor::SetFormStyle(TTipoDeForma v) {
    formStyle_ = v;
    if (v == tfMDIHija) formShow_ = Show;
}

void TNtaEditor::SetFormShow(TFormShow v) { formShow_ = formStyle_ == tfMDIHija ? Show : v; }

void TNtaEditor::SetNtaDatos(TNtaDatos* datos) {
    if (datos_) datos_->RemoveFreeNotification(this);
    datos_ = datos;
    if (datos_) datos_->FreeNotification(this);
}

void TNtaEditor::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation != vcl::opRemove) return;
    if (component == datos_) datos_ = nullptr;
    if (component == ventana_) ventana_ = nullptr;
}

void TNtaEditor::EjecutarEditor() { EjecutarEditorNta(""); }

void TNtaEditor::EjecutarEditorNta(const std::string& archivo) {
    vcl::FreePtr<TfrmEditorDeFormato> ventana(vcl::Create<TfrmEditorDeFormato>(vcl::Application->MainForm()));
    if (!datos_) {
        ventana->btnDBEtiqueta->SetEnabled(false);
        throw EError("El componente " + Name() + " no se encuentra ligado al componentes de datos");
    }
    if (datos_->Campos().Count() == 0) throw EError("No existen campos de datos definidos");
    if (datos_->CamposDetalle().Count() == 0) throw EError("No existen campos de detalle definidos");
    TListasDeCampos& c = ventana->Campos;
    for (int i = 0; i < datos_->Campos().Count(); ++i) {
        const TCampo& f = datos_->Campos().GetCampo(i);
        if (!f.Visible) continue;
        c.descEncabezado.push_back(f.Descripcion.empty() ? f.Nombre() : f.Descripcion);
        c.nomEncabezado.push_back(f.Nombre());
    }
    for (int i = 0; i < datos_->CamposDetalle().Count(); ++i) {
        const TCampoDetalle& f = datos_->CamposDetalle().GetCampoDetalle(i);
        if (!f.Visible) continue;
        c.descDetalle.push_back(f.Descripcion.empty() ? f.Nombre() : f.Descripcion);
        c.nomDetalle.push_back(f.Nombre());
    }
    // The sample note prints the caller's own data when it has rows; the demo sale otherwise.
    if (datos_->CamposDetalle().Contador() > 0) {
        ventana->Muestra.SetCampos(datos_->Campos());
        ventana->Muestra.SetCamposDetalle(datos_->CamposDetalle());
    }
    ventana->ArchivoActual = archivo;
    if (AlCrearVentana) AlCrearVentana(*ventana);
    if (ventana_) vcl::Free(ventana_);
    ventana_ = ventana.release();
    if (formShow_ == ShowModal) {
        ventana_->ShowModal();
        vcl::Free(ventana_);
        ventana_ = nullptr;
        return;
    }
    ventana_->FreeNotification(this);
    ventana_->Show();
}

}  // namespace notix::editor
