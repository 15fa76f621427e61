// The criteria dialog every report shows: the members the framework shares (store, range,
// last control left), the four buttons, Escape, on-line help, the layout path, Preview and
// Print through the dialog's report component, and the common parts of its four handlers.
// A report's own dialog derives from TfrmReporte and adds only its criteria, SQL and labels.
// Not here: the criteria controls and their checks (criteria.h), the exported entry points
// (entry.h).
//
// One Preview: build the layout path (a 40-column variant chosen first); no file there: do
// nothing; a "VistaPrevia" already open: bring it to the front and stop; otherwise
// PrepararReporte (temporary tables, SQL), then the report component previews. An error from
// the report closes the dialog after the user has been told why.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/report/db_dataset.h"
#include "platform/report/printer_dialog.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/dblookup.h"
#include "platform/vcl/form.h"

namespace db {
class TDataSet;
class TTable;
}  // namespace db

namespace reportes {

// Which help file a dialog's topics come from.
enum class AyudaSegunAcceso {
    SiempreRazir,  // "Razir.chm" whatever the access
    PorAcceso,     // "Razir.chm" with full access, "Tolmaa.chm" without
};

class TfrmReporte : public vcl::TForm {
public:
    // `clase` is the dialog's class name ("TfrmCatTie"); the form's name drops the "T".
    TfrmReporte(vcl::TComponent* owner, std::string_view clase, std::string_view caption,
                int helpContext);

    // The entry point's two texts in dialog mode: store code and its description.
    virtual void AsignaArgumentos(const std::string& p1, const std::string& p2);

    std::string strTienda, strNomTienda, strDirTienda;
    std::string strDesde, strHasta;
    vcl::TWinControl* ctlUltimo = nullptr;
    // Written by the shared criteria (criteria.h).
    std::string strProdIni, strProdFin;
    std::string strDeptoIni, strDeptoFin;
    std::string strLinea, strDescLinea, strLineaTexto;

    vcl::TBitBtn* btnPreview;
    vcl::TBitBtn* btnImprimir;
    vcl::TBitBtn* btnCancelar;
    vcl::TBitBtn* btnAyuda;
    report::TReportPrinterDialog* rppdlg;

    void btnPreviewClick(vcl::TObject* sender);
    void btnImprimirClick(vcl::TObject* sender);
    void btnCancelarClick(vcl::TObject* sender);
    bool FormHelp(vcl::WORD command, int data, bool& callHelp);
    void FormKeyDown(vcl::TObject* sender, vcl::WORD& key, vcl::TShiftState shift);

    // "<program folder>Reportes/<file>", cut to 255 characters as the report engine takes it.
    std::string RutaReporte(std::string_view archivo) const;

    // Reports with a 40-column variant: the register on the current record of `cajas` prints
    // on a 40-column roll when its BLectOp is set; then the "...40" layout is the one, and it
    // prints as one continuous page (page mode off in BeforePrint).
    static bool Cuarenta(db::TDataSet& cajas);
    static std::string EligeReporte(db::TDataSet& cajas, std::string_view archivo,
                                    std::string_view archivo40);

protected:
    // The layout file Preview and Print load ("RTiendas.QR2").
    virtual std::string ArchivoReporte() = 0;
    // Work between finding the layout and handing it to the report: temporary tables, SQL.
    virtual void PrepararReporte() {}
    // Work the moment Preview or Print is pressed, before the layout is looked for.
    virtual void AlPulsarReporte() {}

    // Places the four buttons in a row whose top is `top`, and sizes the form around them.
    void ColocaBotones(int top);
    AyudaSegunAcceso ayuda = AyudaSegunAcceso::SiempreRazir;

public:
    // True when the focus is on its way to `control` (an Exit handler is running).
    bool FocoVaA(const vcl::TControl* control) const { return ActiveControl() == control; }
    // Exit handlers validate nothing when the user is leaving for Cancel (or Help).
    bool SaliendoSinValidar(bool tambienAyuda = false) const;

    // Exit and close-up of the two combos of a key range: the keys become `ini` and `fin`
    // (strDesde and strHasta when not given); an inverted range is corrected by copying the initial key into the final combo
    // (leaving the initial one) or warned about with `mensaje` (leaving the final one), and the
    // focus goes to the final combo. Nothing is checked on the way to Cancel.
    void RangoExit(vcl::TObject* sender, vcl::TDBLookupComboBox* desde,
                   vcl::TDBLookupComboBox* hasta, const char* mensaje);
    void RangoExit(vcl::TObject* sender, vcl::TDBLookupComboBox* desde,
                   vcl::TDBLookupComboBox* hasta, const char* mensaje, std::string& ini,
                   std::string& fin);

protected:

    // Common parts of the report component's handlers.
    // "Query1" reads the point-of-sale database.
    void BeforeOpenDatasetComun(report::Dataset& dataset);
    // An empty bound of the main range becomes the first or last key of `tabla` (in its
    // index order); then the parameters `paramIni` and `paramFin` take the bounds.
    void ParametrosRango(db::TDataSet& tabla, std::string_view campoClave, report::Params& params,
                         std::string_view paramIni, std::string_view paramFin);
    // lblNomEmpresa, lblDireccion, lblPoblacion, lblRFC, lblCP and lblFecha.
    void EncabezadoComun(report::Report& reporte);
    // lblNomTienda, lblDirTienda.
    void EncabezadoTienda(report::Report& reporte);
    // lblDesde and lblHasta show the range; with none, lblDesde shows `todos` ("Todas" or
    // "Todos") alone and the captions in front of the bounds go blank.
    void EncabezadoRango(report::Report& reporte, std::string_view todos);
    // The print options from the configuration; `paginas` is the page-mode switch.
    void BeforePrintComun(report::PrintJob& job, bool paginas = true);
    // The number masks of the configuration: quantities, money with and without thousands.
    std::string MascaraCantidad() const;
    std::string MascaraDinero() const;
    std::string MascaraDineroSinMiles() const;

private:
    void Preliminar();
    report::DbDatasetFactory datasets_;
};

}  // namespace reportes
