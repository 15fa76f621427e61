// The dialog of a report over one register's day (fiscal check, sales by hour, sales by
// payment type): store and register lookups, the day, an optional title edit, the station's
// store and register in direct mode, and the heading of the register and the day. Each report
// adds its own criteria, its check of the day's files and its figures.
// Not here: the cash cut's dialog (its group boxes and cashier), the day files' names (day_files.h).
#pragma once

#include <string>

#include "host/velmor/vlmedit.h"
#include "platform/2_vcl/edits.h"
#include "reports/framework/day_files.h"
#include "reports/framework/dialog.h"
#include "reports/framework/register_picker.h"
#include "reports/framework/store_picker.h"

namespace reportes {

class TfrmDiaDeCaja : public TfrmReporte {
public:
    TfrmDiaDeCaja(vcl::TComponent* owner, std::string_view clase, std::string_view caption, int helpContext,
                  const char* etiquetaTienda, const char* etiquetaCaja, const char* etiquetaFecha);

    SelectorTienda tienda;
    SelectorCaja caja;
    vcl::TDBLookupComboBox* lkcmbTiendas;
    vcl::TDBLookupComboBox* lkcmbCajas;
    velmor::TVlmEdit* edtFecDesde;
    vcl::TEdit* edtTitReporte = nullptr;

protected:
    // The title edit "edtTitReporte" with its caption, `texto` at first.
    void NuevoTitulo(int top, const char* texto);
    // Preview and Print go ahead only when `preparado` answers true (the day's files found,
    // the figures written); it tells the user why not.
    void AntesDeReportar(std::function<bool()> preparado);
    // Direct mode: the station's store and `codigoCaja`, and the day P2.
    void TomaEstacion(const std::string& codigoCaja, const std::string& dia);
    // lblNomCaja, lblFecha and lblFechaSel.
    void EncabezadoDelDia(report::Report& r);
    std::string Raiz() const { return RaizDelDia(strTienda, caja.codigo, fecha_); }

    text::TDateTime fecha_ = 0;
};

}  // namespace reportes
