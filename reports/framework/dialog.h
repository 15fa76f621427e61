// The criteria dialog every report shows. It runs the skeleton a report shares: the four
// buttons, Escape, on-line help, the layout path (and its 40-column variant), Preview and
// Print, and the four events of its report component, whose common part (alias, range
// defaults, company, store and date heading, title, number masks, print options, page mode)
// runs before the report's own hook. It also tracks the last criteria control left and makes
// a lookup's close-up behave as its Exit. A report's dialog derives from TfrmReporte, creates
// its controls, declares what the common part needs and overrides only the hooks it adds to.
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
#include <vector>

#include "platform/4_adapters/db/list_source.h"
#include "platform/4_adapters/report/db_dataset.h"
#include "platform/4_adapters/report/printer_dialog.h"
#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/dblookup.h"
#include "platform/2_vcl/form.h"
#include "platform/2_vcl/panels.h"

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

    // Tracks the last control left and gives each lookup's close-up its Exit (the controls
    // the constructors created), then runs OnCreate.
    void AfterConstruction() override;

    // The entry point's two texts in dialog mode: store code and its description.
    virtual void AsignaArgumentos(const std::string& p1, const std::string& p2);
    // Direct mode (the host's third argument): a report that reads it takes P1 and P2 as its
    // Part says, produces the report without showing the dialog and answers true. The
    // default answers false: the argument is not read and the dialog is shown.
    virtual bool ModoDirecto(const std::string& p1, const std::string& p2);
    bool bDirecto = false;
    // Direct mode's printing: the layout at once, without the set-up, on the printer the
    // report component holds (the system's default printer when it holds none). Nothing
    // without a layout. Errors reach the entry point.
    void ImprimeDirecto();

    std::string strTienda, strNomTienda, strDirTienda;
    std::string strDesde, strHasta;
    // The control whose Exit ran last; help gives it the focus back. Kept by the framework.
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
    // on a 40-column roll when its BLectOp is set.
    static bool Cuarenta(db::TDataSet& cajas);
    // The layout Preview and Print load: the 40-column one when one is declared and the
    // chosen register asks for it.
    std::string ArchivoElegido();

    // True when the focus is on its way to `control` (an Exit handler is running).
    bool FocoVaA(const vcl::TControl* control) const { return ActiveControl() == control; }
    // Exit handlers validate nothing when the user is leaving for Cancel (or Help).
    bool SaliendoSinValidar(bool tambienAyuda = false) const;

    // Exit of the two combos of a key range: the keys become `ini` and `fin` (strDesde and
    // strHasta when not given); an inverted range is corrected by copying the initial key
    // into the final combo (leaving the initial one) or warned about with `mensaje` (leaving
    // the final one), and the focus goes to the final combo. Nothing is checked on the way
    // to Cancel.
    void RangoExit(vcl::TObject* sender, vcl::TDBLookupComboBox* desde,
                   vcl::TDBLookupComboBox* hasta, const char* mensaje);
    void RangoExit(vcl::TObject* sender, vcl::TDBLookupComboBox* desde,
                   vcl::TDBLookupComboBox* hasta, const char* mensaje, std::string& ini,
                   std::string& fin);
    // Both combos of a range check it when left.
    void ConectaRango(vcl::TDBLookupComboBox* desde, vcl::TDBLookupComboBox* hasta,
                      const char* mensaje);

    // A lookup over `fuente` keyed on `clave` listing `campos`, with its caption on the left
    // (its accelerator focuses the lookup). `anchoEtiqueta` 0: no caption.
    vcl::TDBLookupComboBox* NuevoLookup(vcl::TWinControl* parent, const std::string& name,
                                        vcl::ListDataSource* fuente, std::string_view clave,
                                        std::string_view campos, const char* etiqueta,
                                        int left, int top, int width, int anchoEtiqueta = 90);

protected:
    // The layout file Preview and Print load ("RTiendas.QR2").
    virtual std::string ArchivoReporte() = 0;
    // Work between finding the layout and handing it to the report: temporary tables, SQL.
    virtual void PrepararReporte() {}
    // Work the moment Preview or Print is pressed, before the layout is looked for.
    virtual void AlPulsarReporte() {}
    // Print pressed: the printer set-up, then the layout; a report that prints its own way
    // (the reprint's note engine) overrides it.
    virtual void Imprimir();

    // The report's own part of each event, run after the common part.
    virtual void AlPedirParametros(report::Dataset&, report::Params&) {}
    virtual void AlAbrirDataset(report::Dataset&) {}
    virtual void AlCargarReporte(report::Report&) {}
    virtual void AlImprimirTrabajo(report::PrintJob&) {}

    // What the common part acts on, declared by the report's constructor.
    // The main key range over `tabla`: empty bounds become its first and last `campoClave`,
    // the parameters `paramIni` and `paramFin` take them, and the heading shows them or
    // `todos` ("Todas", "Todos") alone.
    void RangoPrincipal(db::TDataSet& tabla, std::string campoClave, std::string paramIni,
                        std::string paramFin, std::string todos);
    // The 40-column variant: chosen by the current register of `cajas`, which also turns
    // the page mode off.
    void VarianteCuarenta(db::TDataSet& cajas, std::string archivo40);
    // Data fields given the configured masks when the layout has been loaded.
    std::vector<std::string> camposCantidad, camposDinero, camposDineroSinMiles;
    // lblNomTienda and lblDirTienda in the heading (store-restricted reports).
    bool encabezadoTienda = false;
    // One continuous page whatever the register (the reprint's roll).
    bool paginaContinua = false;
    AyudaSegunAcceso ayuda = AyudaSegunAcceso::SiempreRazir;
    // Fixed help topics instead of the dialog's context, in "Razir.chm" and "Tolmaa.chm";
    // the focus then stays where it is.
    int temaFijoRazir = 0, temaFijoTolmaa = 0;
    // Help gives the focus back to ctlUltimo (off: it stays where it is).
    bool ayudaDevuelveFoco = true;

    // Places the four buttons in a row whose top is `top`, and sizes the form around them.
    void ColocaBotones(int top);

    // Pieces of the common part, for reports whose heading differs.
    // An empty bound of the main range becomes the first or last key of `tabla` (in its
    // index order); then the parameters `paramIni` and `paramFin` take the bounds.
    void ParametrosRango(db::TDataSet& tabla, std::string_view campoClave, report::Params& params,
                         std::string_view paramIni, std::string_view paramFin);
    // lblNomEmpresa, lblDireccion, lblPoblacion, lblRFC, lblCP and lblFecha.
    void EncabezadoComun(report::Report& reporte);
    // lblDesde and lblHasta show the range; with none, lblDesde shows `todos` ("Todas" or
    // "Todos") alone and the captions in front of the bounds go blank.
    void EncabezadoRango(report::Report& reporte, std::string_view todos);
    // The number masks of the configuration: quantities, money with and without thousands.
    std::string MascaraCantidad() const;
    std::string MascaraDinero() const;
    std::string MascaraDineroSinMiles() const;

private:
    // The common part of each event, then the hook.
    void AntesDeParametros(report::Dataset& ds, report::Params& params);
    void AntesDeAbrir(report::Dataset& ds);
    void ReporteCargado(report::Report& r);
    void AntesDeImprimir(report::PrintJob& job);
    void SigueControles(vcl::TWinControl* parent);

    struct Rango {
        db::TDataSet* tabla = nullptr;
        std::string clave, paramIni, paramFin, todos;
    } rango_;
    db::TDataSet* cajas40_ = nullptr;
    std::string archivo40_;
    report::DbDatasetFactory datasets_;
};

}  // namespace reportes
