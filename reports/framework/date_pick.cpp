// The date pick window: day, month and year controls kept to a day that exists.
#include "reports/framework/date_pick.h"

#include <algorithm>
#include <string>

#include "platform/1_text/datetime.h"
#include "platform/1_text/format.h"
#include "platform/1_text/locale.h"
#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/lists.h"
#include "platform/2_vcl/panels.h"

namespace reportes {
namespace {

class TfrmFecha : public vcl::TForm {
public:
    TfrmFecha(vcl::TComponent* owner, text::TDateTime fecha) : vcl::TForm(owner) {
        SetName(kFechaForm);
        SetCaption("Fecha");
        SetBorderStyle(vcl::bsDialog);
        SetPosition(vcl::poScreenCenter);
        const text::Date d = text::DecodeDate(fecha);
        cmbDia = Combo("cmbDia", "&Día", 12, 60);
        cmbMes = Combo("cmbMes", "&Mes", 80, 120);
        for (const auto& mes : text::DefaultFormatSettings().LongMonthNames) cmbMes->Items().Add(mes);
        cmbMes->SetItemIndex(d.month - 1);
        spnAnio = vcl::NewControl<vcl::TSpinEdit>(this, "spnAnio");
        spnAnio->SetMinValue(1900);
        spnAnio->SetMaxValue(2999);
        spnAnio->SetValue(d.year);
        spnAnio->SetBounds(208, 28, 70, 23);
        spnAnio->SetTabStop(true);
        Dias(d.day);
        cmbMes->OnChange = [this](vcl::TObject*) { Dias(cmbDia->ItemIndex() + 1); };
        spnAnio->OnChange = [this](vcl::TObject*) { Dias(cmbDia->ItemIndex() + 1); };
        auto* aceptar = vcl::NewControl<vcl::TBitBtn>(this, "btnAceptar");
        aceptar->SetCaption("&Aceptar");
        aceptar->SetDefault(true);
        aceptar->SetModalResult(vcl::mrOk);
        aceptar->SetBounds(60, 66, 81, 25);
        auto* cancelar = vcl::NewControl<vcl::TBitBtn>(this, "btnCancelar");
        cancelar->SetCaption("&Cancelar");
        cancelar->SetCancel(true);
        cancelar->SetModalResult(vcl::mrCancel);
        cancelar->SetBounds(150, 66, 81, 25);
        SetWidth(296);
        SetHeight(130);
    }

    text::TDateTime Fecha() const {
        return text::EncodeDate(spnAnio->Value(), cmbMes->ItemIndex() + 1, cmbDia->ItemIndex() + 1);
    }

private:
    vcl::TComboBox* Combo(const char* name, const char* etiqueta, int left, int width) {
        auto* l = vcl::NewControl<vcl::TLabel>(this, std::string("lbl") + name);
        l->SetCaption(etiqueta);
        l->SetBounds(left, 8, width, 16);
        auto* c = vcl::NewControl<vcl::TComboBox>(this, name);
        c->SetStyle(vcl::csDropDownList);
        c->SetBounds(left, 28, width, 23);
        c->SetTabStop(true);
        l->SetFocusControl(c);
        return c;
    }
    // The days of the chosen month and year, keeping `dia` or the month's last day.
    void Dias(int dia) {
        const int n = text::DaysInMonth(spnAnio->Value(), cmbMes->ItemIndex() + 1);
        cmbDia->Items().Clear();
        for (int i = 1; i <= n; ++i) cmbDia->Items().Add(std::to_string(i));
        cmbDia->SetItemIndex(std::clamp(dia, 1, n) - 1);
    }

    vcl::TComboBox* cmbDia;
    vcl::TComboBox* cmbMes;
    vcl::TSpinEdit* spnAnio;
};

}  // namespace

bool EligeFecha(velmor::TVlmEdit* edit) {
    const text::TDateTime actual =
        text::TryStrToDate(edit->Text(), edit->Settings()).value_or(text::Today());
    vcl::FreePtr<TfrmFecha> form(vcl::Create<TfrmFecha>(vcl::GetParentForm(edit), actual));
    if (form->ShowModal() != vcl::mrOk) return false;
    edit->SetDate(form->Fecha());
    return true;
}

void ConSelectorFecha(velmor::TVlmEdit* edit) {
    edit->SetBoton1Visible(true);
    edit->SetBoton1Hint("F2 Consulta fechas");
    edit->OnBoton1Click = [edit](vcl::TObject*) { EligeFecha(edit); };
}

}  // namespace reportes
