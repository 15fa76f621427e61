// The shared behaviour of every report's criteria dialog: buttons, keys, help, layout path,
// Preview and Print, the report component's four events with their common part, and the
// tracking of the last criteria control left.
#include "reports/framework/dialog.h"

#include <algorithm>

#include "host/velmor/config.h"
#include "host/velmor/help.h"
#include "platform/2_db/dataset.h"
#include "platform/3_report/layout.h"
#include "platform/3_report/names.h"
#include "platform/3_report/printers.h"
#include "platform/1_text/format.h"
#include "platform/1_text/utf8.h"
#include "platform/2_vcl/application.h"
#include "platform/2_vcl/dialogs.h"
#include "reports/framework/config.h"

namespace reportes {
namespace {

constexpr const char* kPreliminar = "&Preliminar";
constexpr const char* kPreliminarHint = "Vista preliminar del reporte";
constexpr const char* kImprimir = "&Imprimir";
constexpr const char* kImprimirHint = "Impresión del reporte";
constexpr const char* kCancelar = "&Cancelar";
constexpr const char* kCancelarHint = "Cancelar operación";
constexpr const char* kAyuda = "A&yuda";
constexpr const char* kAyudaHint = "Temas de ayuda";
constexpr const char* kFormatoFecha = "dd'/'mmmm'/'yyyy";
// The report engine takes the layout path as a short string.
constexpr std::size_t kLargoRuta = 255;

constexpr int kAnchoBoton = 81, kAltoBoton = 25, kSeparacion = 8, kMargen = 12;

vcl::TBitBtn* Boton(TfrmReporte* form, const char* name, const char* caption, const char* hint,
                    int index, int top) {
    auto* b = vcl::NewControl<vcl::TBitBtn>(form, name);
    b->SetCaption(caption);
    b->SetHint(hint);
    b->SetShowHint(true);
    b->SetBounds(kMargen + index * (kAnchoBoton + kSeparacion), top, kAnchoBoton, kAltoBoton);
    return b;
}

}  // namespace

TfrmReporte::TfrmReporte(vcl::TComponent* owner, std::string_view clase, std::string_view caption,
                         int helpContext)
    : vcl::TForm(owner) {
    SetName(clase.substr(clase.size() > 1 && (clase[0] == 'T' || clase[0] == 't') ? 1 : 0));
    SetCaption(caption);
    SetHelpContext(helpContext);
    SetBorderStyle(vcl::bsDialog);
    SetPosition(vcl::poScreenCenter);
    SetKeyPreview(true);
    SetShowHint(true);

    btnPreview = Boton(this, "btnPreview", kPreliminar, kPreliminarHint, 0, 0);
    btnImprimir = Boton(this, "btnImprimir", kImprimir, kImprimirHint, 1, 0);
    btnCancelar = Boton(this, "btnCancelar", kCancelar, kCancelarHint, 2, 0);
    btnCancelar->SetModalResult(vcl::mrCancel);
    btnAyuda = Boton(this, "btnAyuda", kAyuda, kAyudaHint, 3, 0);
    btnAyuda->SetKind(vcl::bkHelp);
    btnAyuda->SetCaption(kAyuda);

    // Preview and Print show the hourglass while they work; it goes when the preview window
    // exists, and also when nothing came of the button (no layout, set-up cancelled, printed).
    btnPreview->OnClick = [this](vcl::TObject* s) {
        btnPreviewClick(s);
        vcl::Screen->SetCursor(vcl::crDefault);
    };
    btnImprimir->OnClick = [this](vcl::TObject* s) {
        btnImprimirClick(s);
        vcl::Screen->SetCursor(vcl::crDefault);
    };
    btnCancelar->OnClick = [this](vcl::TObject* s) { btnCancelarClick(s); };
    OnHelp = [this](vcl::WORD c, int d, bool& call) { return FormHelp(c, d, call); };
    OnKeyDown = [this](vcl::TObject* s, vcl::WORD& k, vcl::TShiftState sh) { FormKeyDown(s, k, sh); };

    rppdlg = new report::TReportPrinterDialog(this);
    rppdlg->SetName("rppdlg" + Name().substr(3));
    rppdlg->PrintIfEmpty = true;
    rppdlg->ShowFilterBeforePrint = false;
    rppdlg->UseDataModules = false;
    rppdlg->SaveLoadPrinterSetup = false;
    rppdlg->UsePrinterSettings = false;
    rppdlg->UseModalPreview = false;
    rppdlg->Copies = 1;
    rppdlg->SetDatasetFactory(&datasets_);
    rppdlg->Formats = text::DefaultFormatSettings();
    rppdlg->AfterReportFormCreated = [] { vcl::Screen->SetCursor(vcl::crDefault); };
    rppdlg->BeforeGetQueryParams = [this](report::Dataset& ds, report::Params& p) { AntesDeParametros(ds, p); };
    rppdlg->BeforeOpenDataset = [this](report::Dataset& ds) { AntesDeAbrir(ds); };
    rppdlg->AfterReportLoaded = [this](report::Report& r) { ReporteCargado(r); };
    rppdlg->BeforePrint = [this](report::PrintJob& job) { AntesDeImprimir(job); };
}

void TfrmReporte::AfterConstruction() {
    SigueControles(this);
    vcl::TForm::AfterConstruction();
}

// Every criteria control (neither a button nor a container) ends its Exit as the last control
// left, and a lookup whose list closes runs its Exit: the choice counts the moment it is made.
void TfrmReporte::SigueControles(vcl::TWinControl* parent) {
    for (vcl::TWinControl* c : parent->TabOrderList()) {
        if (dynamic_cast<vcl::TButton*>(c) || !c->TabOrderList().empty()) continue;
        c->OnExit = [this, c, propio = c->OnExit](vcl::TObject* s) {
            if (propio) propio(s);
            ctlUltimo = c;
        };
        if (auto* lookup = dynamic_cast<vcl::TDBLookupComboBox*>(c); lookup && !lookup->OnCloseUp)
            lookup->OnCloseUp = lookup->OnExit;
    }
}

bool TfrmReporte::ModoDirecto(const std::string&, const std::string&) { return false; }

void TfrmReporte::AsignaArgumentos(const std::string& p1, const std::string& p2) {
    strTienda = p1;
    strNomTienda = p2;
}

void TfrmReporte::ColocaBotones(int top) {
    for (auto* b : {btnPreview, btnImprimir, btnCancelar, btnAyuda}) b->SetTop(top);
    SetWidth(2 * kMargen + 4 * kAnchoBoton + 3 * kSeparacion);
    SetHeight(top + kAltoBoton + kMargen + 30);
}

std::string TfrmReporte::RutaReporte(std::string_view archivo) const {
    std::string ruta = vcl::Application->ExeFolder() + "Reportes/" + std::string(archivo);
    if (text::Utf8Length(ruta) > kLargoRuta) ruta = text::Utf8Left(ruta, kLargoRuta);
    return ruta;
}

bool TfrmReporte::Cuarenta(db::TDataSet& cajas) {
    if (!cajas.Active() || cajas.IsEmpty()) return false;
    auto* campo = cajas.FindField("BLectOp");
    return campo && campo->AsBoolean();
}

std::string TfrmReporte::ArchivoElegido() {
    return cajas40_ && Cuarenta(*cajas40_) ? archivo40_ : ArchivoReporte();
}

void TfrmReporte::RangoPrincipal(db::TDataSet& tabla, std::string campoClave, std::string paramIni,
                                 std::string paramFin, std::string todos) {
    rango_ = {&tabla, std::move(campoClave), std::move(paramIni), std::move(paramFin), std::move(todos)};
}

void TfrmReporte::VarianteCuarenta(db::TDataSet& cajas, std::string archivo40) {
    cajas40_ = &cajas;
    archivo40_ = std::move(archivo40);
}

bool TfrmReporte::SaliendoSinValidar(bool tambienAyuda) const {
    return FocoVaA(btnCancelar) || (tambienAyuda && FocoVaA(btnAyuda));
}

void TfrmReporte::btnPreviewClick(vcl::TObject*) {
    AlPulsarReporte();
    const std::string ruta = RutaReporte(ArchivoElegido());
    if (report::FindLayoutFile(ruta).empty()) return;
    try {
        if (auto* vista = report::FindPreview()) {
            vista->BringToFront();
            return;
        }
        PrepararReporte();
        rppdlg->Preview(ruta);
    } catch (const std::exception& e) {
        // The dialog closes on a failed preview; the user is told why first, so a broken
        // layout or a damaged table is never a dialog that silently vanishes.
        vcl::MessageBox(e.what(), "Error", vcl::MB_OK | vcl::MB_ICONERROR);
        Close();
    }
}

void TfrmReporte::btnImprimirClick(vcl::TObject*) { Imprimir(); }

void TfrmReporte::Imprimir() {
    AlPulsarReporte();
    const std::string ruta = RutaReporte(ArchivoElegido());
    if (report::FindLayoutFile(ruta).empty()) return;
    if (!rppdlg->PrinterSetup()) return;
    try {
        PrepararReporte();
        rppdlg->Print(ruta);
    } catch (const std::exception& e) {
        // Nothing was printed: the dialog stays open so the user can choose another printer.
        vcl::MessageBox(e.what(), "Error", vcl::MB_OK | vcl::MB_ICONERROR);
        return;
    }
    Close();
}

void TfrmReporte::ImprimeDirecto() {
    AlPulsarReporte();
    const std::string ruta = RutaReporte(ArchivoElegido());
    if (report::FindLayoutFile(ruta).empty()) return;
    auto& impresora = rppdlg->Printer;
    if (impresora.destination == report::kFileDestination && impresora.filePath.empty())
        for (const auto& d : report::ListDestinations())
            if (d.isDefault) impresora.destination = d.name;
    PrepararReporte();
    rppdlg->Print(ruta);
}

void TfrmReporte::btnCancelarClick(vcl::TObject*) {
    if (auto* vista = report::FindPreview()) vista->Close();
    SetModalResult(vcl::mrCancel);
}

void TfrmReporte::FormKeyDown(vcl::TObject*, vcl::WORD& key, vcl::TShiftState) {
    if (key != vcl::VK_ESCAPE) return;
    // An open list takes Escape itself; the dialog closes on the next one.
    if (auto* activo = ActiveControl(); activo && activo->ListOpen()) return;
    SetModalResult(vcl::mrCancel);
}

bool TfrmReporte::FormHelp(vcl::WORD, int data, bool& callHelp) {
    const bool razir = ayuda == AyudaSegunAcceso::SiempreRazir || Configuracion().AccesoTotal;
    const int fijo = razir ? temaFijoRazir : temaFijoTolmaa;
    const std::string direccion = vcl::Application->ExeFolder() +
                                  (razir ? "Razir.chm::/" : "Tolmaa.chm::/") +
                                  std::to_string(fijo ? fijo : data) + ".htm";
    velmor::HtmlAyuda(nullptr, direccion, 0, 0);
    callHelp = false;
    // A dialog with fixed topics leaves the focus where it is.
    if (!fijo && ayudaDevuelveFoco && ctlUltimo && ctlUltimo->CanFocus()) ctlUltimo->SetFocus();
    return false;
}

void TfrmReporte::RangoExit(vcl::TObject* sender, vcl::TDBLookupComboBox* desde,
                            vcl::TDBLookupComboBox* hasta, const char* mensaje) {
    RangoExit(sender, desde, hasta, mensaje, strDesde, strHasta);
}

void TfrmReporte::RangoExit(vcl::TObject* sender, vcl::TDBLookupComboBox* desde,
                            vcl::TDBLookupComboBox* hasta, const char* mensaje, std::string& ini,
                            std::string& fin) {
    if (!desde->KeyValue().empty()) ini = desde->KeyValue();
    if (!hasta->KeyValue().empty()) fin = hasta->KeyValue();
    // Keys compare as bytes, as the tables order them.
    if (!FocoVaA(btnCancelar) && ini > fin) {
        if (sender == desde)
            hasta->SetKeyValue(desde->KeyValue());
        else
            vcl::MessageBox(mensaje, "Advertencia", vcl::MB_OK | vcl::MB_ICONINFORMATION);
        if (hasta->CanFocus()) hasta->SetFocus();
    }
}

void TfrmReporte::ConectaRango(vcl::TDBLookupComboBox* desde, vcl::TDBLookupComboBox* hasta,
                               const char* mensaje) {
    for (auto* c : {desde, hasta})
        c->OnExit = [this, desde, hasta, mensaje](vcl::TObject* s) { RangoExit(s, desde, hasta, mensaje); };
}

vcl::TDBLookupComboBox* TfrmReporte::NuevoLookup(vcl::TWinControl* parent, const std::string& name,
                                                  vcl::ListDataSource* fuente, std::string_view clave,
                                                  std::string_view campos, const char* etiqueta,
                                                  int left, int top, int width, int anchoEtiqueta) {
    auto* c = vcl::NewControl<vcl::TDBLookupComboBox>(parent, name);
    c->SetListSource(fuente);
    c->SetKeyField(clave);
    c->SetListField(campos);
    c->SetTabStop(true);
    c->SetBounds(left + anchoEtiqueta, top, width, 23);
    if (anchoEtiqueta > 0 && etiqueta) {
        auto* l = vcl::NewControl<vcl::TLabel>(parent, "lbl" + name);
        l->SetCaption(etiqueta);
        l->SetBounds(left, top + 4, anchoEtiqueta - 6, 16);
        l->SetFocusControl(c);
    }
    return c;
}

void TfrmReporte::AntesDeParametros(report::Dataset& ds, report::Params& params) {
    if (rango_.tabla) ParametrosRango(*rango_.tabla, rango_.clave, params, rango_.paramIni, rango_.paramFin);
    AlPedirParametros(ds, params);
}

// "Query1" reads the point-of-sale tables; so does any dataset whose layout names no database.
void TfrmReporte::AntesDeAbrir(report::Dataset& ds) {
    if (report::SameName(ds.Name(), "Query1") || ds.DatabaseName.empty()) ds.DatabaseName = kAlias;
    AlAbrirDataset(ds);
}

void TfrmReporte::ReporteCargado(report::Report& r) {
    for (const auto& c : camposCantidad) r.SetDisplayMask(c, MascaraCantidad());
    for (const auto& c : camposDinero) r.SetDisplayMask(c, MascaraDinero());
    for (const auto& c : camposDineroSinMiles) r.SetDisplayMask(c, MascaraDineroSinMiles());
    EncabezadoComun(r);
    if (encabezadoTienda) {
        r.SetCaption("lblNomTienda", strNomTienda);
        r.SetCaption("lblDirTienda", strDirTienda);
    }
    if (auto* titulo = dynamic_cast<vcl::TWinControl*>(FindComponent("edtTitReporte")))
        r.SetCaption("lblTitReporte", titulo->Text());
    if (rango_.tabla) EncabezadoRango(r, rango_.todos);
    AlCargarReporte(r);
}

void TfrmReporte::AntesDeImprimir(report::PrintJob& job) {
    const auto& cfg = Configuracion();
    job.Options[0] = cfg.OpcionImpresion == 0 ? 1 : 0;
    job.Title.push_back(cfg.NomEmpresa);
    job.SetPageMode(!paginaContinua && !(cajas40_ && Cuarenta(*cajas40_)));
    AlImprimirTrabajo(job);
}

void TfrmReporte::ParametrosRango(db::TDataSet& tabla, std::string_view campoClave,
                                  report::Params& params, std::string_view paramIni,
                                  std::string_view paramFin) {
    const std::string campo(campoClave);
    if (strDesde.empty()) {
        tabla.First();
        if (!tabla.Eof()) strDesde = tabla.FieldByName(campo).AsString();
    }
    if (strHasta.empty()) {
        tabla.Last();
        if (!tabla.IsEmpty()) strHasta = tabla.FieldByName(campo).AsString();
    }
    params.Set(paramIni, report::Value(strDesde));
    params.Set(paramFin, report::Value(strHasta));
}

void TfrmReporte::EncabezadoComun(report::Report& reporte) {
    const auto& cfg = Configuracion();
    reporte.SetCaption("lblNomEmpresa", cfg.NomEmpresa);
    reporte.SetCaption("lblDireccion", cfg.DirEmpresa);
    reporte.SetCaption("lblPoblacion", cfg.PobEmpresa);
    reporte.SetCaption("lblRFC", cfg.RFCEmpresa);
    reporte.SetCaption("lblCP", cfg.CPEmpresa);
    reporte.SetCaption("lblFecha", text::FormatDateTime(kFormatoFecha, text::Now(), rppdlg->Formats));
}

void TfrmReporte::EncabezadoRango(report::Report& reporte, std::string_view todos) {
    if (!strDesde.empty() || !strHasta.empty()) {
        reporte.SetCaption("lblDesde", strDesde);
        reporte.SetCaption("lblHasta", strHasta);
        return;
    }
    reporte.SetCaption("lblEDesde", "");
    reporte.SetCaption("lblEHasta", "");
    reporte.SetCaption("lblDesde", std::string(todos));
    reporte.SetCaption("lblHasta", "");
}

std::string TfrmReporte::MascaraCantidad() const {
    return "#0." + std::string(static_cast<std::size_t>(std::max<int>(0, Configuracion().DecCantidad)), '0');
}

std::string TfrmReporte::MascaraDinero() const {
    const auto& f = rppdlg->Formats;
    return f.CurrencyString + " ###" + f.ThousandSeparator + "##0" + f.DecimalSeparator +
           std::string(static_cast<std::size_t>(std::max(0, f.CurrencyDecimals)), '0');
}

std::string TfrmReporte::MascaraDineroSinMiles() const {
    const auto& f = rppdlg->Formats;
    return f.CurrencyString + " #0" + f.DecimalSeparator +
           std::string(static_cast<std::size_t>(std::max(0, f.CurrencyDecimals)), '0');
}

}  // namespace reportes
