// The printer set-up form.
#include "platform/4_adapters/report/printer_setup.h"

#include <utility>

namespace report {

TfrmPrinterSetup::TfrmPrinterSetup(vcl::TComponent* owner) : vcl::TForm(owner) {
    SetName("frmPrinterSetup");
    SetCaption("Configurar impresión");
    cmbImpresora = new vcl::TComboBox(this);
    cmbImpresora->SetName("cmbImpresora");
    cmbImpresora->SetParent(this);
    edtArchivo = new vcl::TEdit(this);
    edtArchivo->SetName("edtArchivo");
    edtArchivo->SetParent(this);
    spnCopias = new vcl::TSpinEdit(this);
    spnCopias->SetName("spnCopias");
    spnCopias->SetParent(this);
    spnCopias->SetMinValue(1);
    spnCopias->SetMaxValue(999);
    for (auto [spin, name] : {std::pair{&spnDesde, "spnDesde"}, std::pair{&spnHasta, "spnHasta"}}) {
        *spin = new vcl::TSpinEdit(this);
        (*spin)->SetName(name);
        (*spin)->SetParent(this);
        (*spin)->SetMinValue(0);
        (*spin)->SetMaxValue(99999);
    }
    btnAceptar = new vcl::TButton(this);
    btnAceptar->SetName("btnAceptar");
    btnAceptar->SetParent(this);
    btnAceptar->SetCaption("&Aceptar");
    btnAceptar->SetModalResult(vcl::mrOk);
    btnAceptar->SetDefault(true);
    btnCancelar = new vcl::TButton(this);
    btnCancelar->SetName("btnCancelar");
    btnCancelar->SetParent(this);
    btnCancelar->SetCaption("&Cancelar");
    btnCancelar->SetModalResult(vcl::mrCancel);
    btnCancelar->SetCancel(true);
}

void TfrmPrinterSetup::Load(const std::vector<Destination>& destinations, const PrinterSettings& settings) {
    int chosen = -1, fallback = 0;
    for (const Destination& d : destinations) {
        int i = cmbImpresora->Items().Add(d.name);
        if (d.name == settings.destination) chosen = i;
        if (d.isDefault) fallback = i;
    }
    cmbImpresora->SetItemIndex(chosen >= 0 ? chosen : fallback);
    edtArchivo->SetText(settings.filePath);
    spnCopias->SetValue(settings.copies);
    spnDesde->SetValue(settings.firstPage);
    spnHasta->SetValue(settings.lastPage);
}

PrinterSettings TfrmPrinterSetup::Settings() const {
    PrinterSettings s;
    s.destination = cmbImpresora->Text();
    s.filePath = edtArchivo->Text();
    s.copies = spnCopias->Value();
    s.firstPage = spnDesde->Value();
    s.lastPage = spnHasta->Value();
    return s;
}

bool RunPrinterSetup(PrinterSettings& settings) {
    vcl::FreePtr<TfrmPrinterSetup> form(vcl::Create<TfrmPrinterSetup>(nullptr));
    form->Load(ListDestinations(), settings);
    if (form->ShowModal() != vcl::mrOk) return false;
    settings = form->Settings();
    return true;
}

}  // namespace report
