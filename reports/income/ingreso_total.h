// The two income statistics (by store, by cashier): one dialog shape over Ingresos summarised
// per period of FecEst. This holds what both share: the date range and the summary buttons it
// enables, the title, the period fill before each run, the date parameters and the heading
// that does not depend on the grouping key. The dialogs add their range, single-value keys and
// SQL conditions.
// Not here: the period fill itself, the SQL of the layouts (layouts/RIngXTie.QR2, RIngXCaj.QR2).
#pragma once

#include <string>

#include "host/velmor/vlmedit.h"
#include "platform/4_adapters/db/list_source.h"
#include "platform/2_db/table.h"
#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/panels.h"
#include "reports/framework/criteria.h"
#include "reports/framework/dialog.h"
#include "reports/framework/summary_buttons.h"

namespace reportes {

class TfrmIngresoTotal : public TfrmReporte {
public:
    struct Textos {
        const char* clase;
        const char* caption;
        int helpContext;
        const char* layout;
        const char* tituloDefecto;
    };
    TfrmIngresoTotal(vcl::TComponent* owner, const Textos& textos);

    velmor::TVlmEdit* edtFecIni;
    velmor::TVlmEdit* edtFecFin;
    BotonesResumen resumen;
    vcl::TEdit* edtTitReporte;
    db::TTable tblTiendas;
    db::TTable tblUsuarios;

    text::TDateTime dFecIni = 0, dFecFin = 0;  // 00:00:00 and 23:59:59 of the range's days

protected:
    std::string ArchivoReporte() override { return layout_; }
    void PrepararReporte() override;
    void AlPedirParametros(report::Dataset& ds, report::Params& params) override;
    void AlCargarReporte(report::Report& r) override;

    // The condition lines a dialog inserts: "And (...)" each, empty for none. `Rango` goes into
    // Query1 at line 2; `Condiciones` into Query3 at line 3 and after the range in Query1,
    // whose totals must count what the periods count.
    virtual std::string CondicionRango() = 0;
    virtual std::string CondicionesSimples() = 0;
    void AlAbrirDataset(report::Dataset& ds) override;

    // A lookup over `fuente` with its caption, for the range and single-value criteria.
    Criterios criterios{*this};
    db::TDataSetListSource fuenteTiendas_, fuenteUsuarios_;
    // Controls the dialog lays out from this top (the criteria groups sit above the summary).
    int topCriterios_ = 0;
    void ColocaResumen(int top);

private:
    void RevisaFechas(vcl::TObject* sender);
    std::string layout_;
};

}  // namespace reportes
