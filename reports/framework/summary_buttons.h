// The summary kind of the period reports: four radio buttons (daily, weekly, fortnightly,
// monthly) in a group, the kinds a date range allows, and stepping a checked kind down when
// the range becomes too short for it. The period fill takes the kind's number.
// Not here: the period fill, the titles a report gives each kind.
#pragma once

#include <array>
#include <functional>
#include <initializer_list>

#include "platform/1_text/datetime.h"
#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/panels.h"
#include "reports/framework/periods.h"

namespace reportes {

// Which kinds a range allows; `soloDiario`: the range is shorter than a week, Diario is checked
// whatever was.
struct ResumenesPermitidos {
    bool semanal = false, quincenal = false, mensual = false, soloDiario = true;
    friend bool operator==(const ResumenesPermitidos&, const ResumenesPermitidos&) = default;
};

// The income statistics: a week from 6 whole days, a fortnight from 14, a month from 30.
ResumenesPermitidos PermitidosIngresos(int dias);
// The sales analyses: a week from 6 days, a fortnight from 14, a month from 29, or from 27
// when both days are in February (a whole February).
ResumenesPermitidos PermitidosVentas(text::TDateTime desde, text::TDateTime hasta);
// The kind left checked: Diario below a week, otherwise `actual` stepped down to the widest
// kind allowed.
Resumen AjustaResumen(Resumen actual, const ResumenesPermitidos& p);

class BotonesResumen {
public:
    // The group and its four buttons (rbtnDiario, rbtnSemanal, rbtnQuincenal, rbtnMensual).
    BotonesResumen(vcl::TWinControl* parent, const char* caption, std::initializer_list<const char*> captions);

    void Coloca(int left, int top, int width);
    // Checks `r` without running AlElegir.
    void Marca(Resumen r);
    Resumen Marcado() const;
    // Enables what `p` allows and steps the checked kind down; AlElegir runs when it changed.
    void PermiteSegun(const ResumenesPermitidos& p);
    vcl::TRadioButton* Boton(Resumen r) const { return botones_[static_cast<int>(r)]; }

    // The user checked a kind (click or arrow keys), or a shorter range changed it.
    std::function<void(Resumen)> AlElegir;

private:
    vcl::TGroupBox* grupo_;
    std::array<vcl::TRadioButton*, 4> botones_{};
    bool marcando_ = false;
};

}  // namespace reportes
