// The summary-kind buttons and the kinds a date range allows.
#include "reports/framework/summary_buttons.h"

#include <cmath>

#include "platform/2_vcl/application.h"

namespace reportes {

ResumenesPermitidos PermitidosIngresos(int dias) {
    return {dias >= 6, dias >= 14, dias >= 30, dias < 7};
}

ResumenesPermitidos PermitidosVentas(text::TDateTime desde, text::TDateTime hasta) {
    const int dias = static_cast<int>(std::floor(hasta) - std::floor(desde));
    ResumenesPermitidos p{dias >= 6, dias >= 14, dias >= 29, dias < 7};
    const auto a = text::DecodeDate(desde), b = text::DecodeDate(hasta);
    if (a.month == 2 && b.month == 2 && dias >= 27) p.semanal = p.quincenal = p.mensual = true;
    return p;
}

Resumen AjustaResumen(Resumen actual, const ResumenesPermitidos& p) {
    if (p.soloDiario) return Resumen::Diario;
    if (actual == Resumen::Mensual && !p.mensual) actual = Resumen::Quincenal;
    if (actual == Resumen::Quincenal && !p.quincenal) actual = Resumen::Semanal;
    if (actual == Resumen::Semanal && !p.semanal) actual = Resumen::Diario;
    return actual;
}

BotonesResumen::BotonesResumen(vcl::TWinControl* parent, const char* caption,
                               std::initializer_list<const char*> captions) {
    grupo_ = vcl::NewControl<vcl::TGroupBox>(parent, "grpResumen");
    grupo_->SetCaption(caption);
    const char* nombres[] = {"rbtnDiario", "rbtnSemanal", "rbtnQuincenal", "rbtnMensual"};
    auto c = captions.begin();
    for (int i = 0; i < 4; ++i) {
        auto* b = vcl::NewControl<vcl::TRadioButton>(grupo_, nombres[i]);
        if (c != captions.end()) b->SetCaption(*c++);
        b->SetTabStop(true);
        const auto r = static_cast<Resumen>(i);
        b->OnClick = [this, r](vcl::TObject*) {
            if (!marcando_ && AlElegir) AlElegir(r);
        };
        botones_[i] = b;
    }
}

void BotonesResumen::Coloca(int left, int top, int width) {
    grupo_->SetBounds(left, top, width, 50);
    const int ancho = (width - 24) / 4;
    for (int i = 0; i < 4; ++i) botones_[i]->SetBounds(12 + ancho * i, 20, ancho - 4, 20);
}

void BotonesResumen::Marca(Resumen r) {
    marcando_ = true;
    Boton(r)->SetChecked(true);
    marcando_ = false;
}

Resumen BotonesResumen::Marcado() const {
    for (int i = 0; i < 4; ++i)
        if (botones_[i]->Checked()) return static_cast<Resumen>(i);
    return Resumen::Diario;
}

void BotonesResumen::PermiteSegun(const ResumenesPermitidos& p) {
    Boton(Resumen::Semanal)->SetEnabled(p.semanal);
    Boton(Resumen::Quincenal)->SetEnabled(p.quincenal);
    Boton(Resumen::Mensual)->SetEnabled(p.mensual);
    const Resumen antes = Marcado();
    const Resumen ahora = AjustaResumen(antes, p);
    if (ahora == antes) return;
    Marca(ahora);
    if (AlElegir) AlElegir(ahora);
}

}  // namespace reportes
