// Continuous price labels (REtiqueta): the chosen catalogue products copied into a label
// table the dialog owns, one row per label (whole units of stock, a fixed number, or a
// percentage of stock), printed through a layout the user may pick.
// Not here: the bar-code labels six across, or the taxes of a price (labels print the price
// as the catalogue keeps it).
#include <algorithm>
#include <cmath>

#include "host/tolmabase/seguro.h"
#include "host/velmor/vlmedit.h"
#include "platform/1_text/utf8.h"
#include "platform/2_db/query.h"
#include "platform/2_db/table.h"
#include "platform/2_vcl/application.h"
#include "platform/2_vcl/dialogs.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/panels.h"
#include "platform/3_report/layout.h"
#include "platform/4_adapters/report/preview.h"
#include "reports/framework/config.h"
#include "reports/framework/criteria.h"
#include "reports/framework/entry.h"
#include "reports/framework/temp_table.h"

namespace reportes {
namespace {

constexpr const char* kCaption = "Etiquetas forma continua";
constexpr int kAyuda = 258;
constexpr const char* kArchivo = "REtique.QR2";
constexpr const char* kGrupoProducto = "P&roducto ";
constexpr const char* kProdIni = "&Inicial";
constexpr const char* kProdFin = "&Final";
constexpr const char* kPromptIni = "[Producto inicial]";
constexpr const char* kPromptFin = "[Producto final]";
constexpr const char* kLinea = "&Línea de producto";
constexpr const char* kLineaInicial = "?????";
constexpr const char* kGrupoEtiquetas = "# &de etiquetas";
constexpr const char* kItems[] = {"&Total de existencias", "Núm&ero fijo", "% Po&rc. de existencias"};
constexpr const char* kFormato = "Formato a utilizar:";
constexpr int kMaxEtiquetas = 999999, kMaxPorcentaje = 99;
constexpr std::size_t kLargoRuta = 255;

enum Cuantas { PorExistencia = 0, NumeroFijo = 1, PorcentajeExistencia = 2 };

std::vector<db::FieldDef> CamposEtiqueta() {
    return {{"Producto", db::FieldType::String, 16, false},
            {"Descripcion", db::FieldType::String, 40, false},
            {"PrecioP", db::FieldType::Float, 0, false}};
}

}  // namespace

// How many labels a product gets: `existencia` whole units, the fixed number, or the
// percentage of the stock; anything below one gives none, 2.5 gives two.
int EtiquetasDeProducto(int cuantas, int numero, double existencia) {
    double n = existencia;
    if (cuantas == NumeroFijo) n = numero;
    // The percentage as a quotient: 7 % of 100 is 7 labels, never 6.999... cut to 6.
    else if (cuantas == PorcentajeExistencia) n = numero * existencia / 100.0;
    return n < 1 ? 0 : static_cast<int>(std::floor(n + 1e-9));
}

class TfrmEtiqueta : public TfrmReporte {
public:
    explicit TfrmEtiqueta(vcl::TComponent* owner);

    velmor::TVlmEdit* edtProdIni;
    velmor::TVlmEdit* edtProdFin;
    velmor::TVlmEdit* edtLinea2;
    vcl::TRadioGroup* rgrpEtiqueta;
    vcl::TSpinEdit* spnEtiqueta;
    vcl::TEdit* edtReporte;
    db::TTable tblLineas;
    TTablaTemporal* tblTemp;

    void rgrpEtiquetaClick(vcl::TObject* sender);
    void Preliminar();
    void Imprime();

protected:
    std::string ArchivoReporte() override { return kArchivo; }
    void AlAbrirDataset(report::Dataset& ds) override { tblTemp->Apunta(ds); }

private:
    std::string Ruta() const;
    // The chosen products into a new label table; the number of rows written.
    int LlenaEtiquetas();
    Criterios criterios_;
};

TfrmEtiqueta::TfrmEtiqueta(vcl::TComponent* owner)
    : TfrmReporte(owner, "TfrmEtiqueta", kCaption, kAyuda), criterios_(*this) {
    tblLineas.DatabaseName = kAlias;
    tblLineas.TableName = "Lineas";
    auto etiqueta = [this](vcl::TWinControl* parent, const std::string& name, const char* caption,
                           vcl::TWinControl* control, int left, int top, int width) {
        auto* l = vcl::NewControl<vcl::TLabel>(parent, name);
        l->SetCaption(caption);
        l->SetBounds(left, top + 4, width, 16);
        l->SetFocusControl(control);
    };
    auto* gbProducto = vcl::NewControl<vcl::TGroupBox>(this, "gbProducto");
    gbProducto->SetCaption(kGrupoProducto);
    gbProducto->SetBounds(12, 12, 420, 56);
    auto producto = [&](const char* name, const char* caption, const char* prompt, int left) {
        auto* e = vcl::NewControl<velmor::TVlmEdit>(gbProducto, name);
        e->SetMaxLength(16);
        e->SetHint(prompt);
        e->SetShowHint(true);
        e->SetTabStop(true);
        e->SetBounds(left + 60, 22, 130, 23);
        etiqueta(gbProducto, std::string("lbl") + (name + 3), caption, e, left, 22, 56);
        return e;
    };
    edtProdIni = producto("edtProdIni", kProdIni, kPromptIni, 10);
    edtProdFin = producto("edtProdFin", kProdFin, kPromptFin, 214);
    edtLinea2 = vcl::NewControl<velmor::TVlmEdit>(this, "edtLinea2");
    edtLinea2->SetMaxLength(5);
    edtLinea2->SetTabStop(true);
    edtLinea2->SetBounds(162, 76, 80, 23);
    etiqueta(this, "lblLinea2", kLinea, edtLinea2, 12, 76, 146);

    rgrpEtiqueta = vcl::NewControl<vcl::TRadioGroup>(this, "rgrpEtiqueta");
    rgrpEtiqueta->SetCaption(kGrupoEtiquetas);
    rgrpEtiqueta->SetTabStop(true);
    rgrpEtiqueta->SetBounds(12, 108, 280, 84);
    for (const char* c : kItems) rgrpEtiqueta->Items().Add(c);
    rgrpEtiqueta->SetItemIndex(PorExistencia);
    rgrpEtiqueta->OnClick = [this](vcl::TObject* s) { rgrpEtiquetaClick(s); };
    spnEtiqueta = vcl::NewControl<vcl::TSpinEdit>(this, "spnEtiqueta");
    spnEtiqueta->SetMinValue(0);
    spnEtiqueta->SetMaxValue(kMaxEtiquetas);
    spnEtiqueta->SetMaxLength(6);
    spnEtiqueta->SetValue(0);
    spnEtiqueta->SetTabStop(true);
    spnEtiqueta->SetBounds(310, 140, 100, 23);
    spnEtiqueta->SetEnabled(false);

    edtReporte = vcl::NewControl<vcl::TEdit>(this, "edtReporte");
    edtReporte->SetMaxLength(static_cast<int>(kLargoRuta));
    edtReporte->SetTabStop(true);
    edtReporte->SetBounds(12, 224, 420, 23);
    etiqueta(this, "lblReporte", kFormato, edtReporte, 12, 200, 200);
    ColocaBotones(256);

    tblTemp = new TTablaTemporal(this, "tblTemp", CamposEtiqueta());
    camposDinero = {"lblPrecio"};
    criterios_.Productos(edtProdIni, edtProdFin);
    criterios_.Linea(edtLinea2, &tblLineas);

    OnCreate = [this](vcl::TObject*) {
        tblLineas.Open();
        edtLinea2->SetText(kLineaInicial);
        edtReporte->SetText(RutaReporte(kArchivo));
    };
    btnPreview->OnClick = [this](vcl::TObject*) {
        Preliminar();
        vcl::Screen->SetCursor(vcl::crDefault);
    };
    btnImprimir->OnClick = [this](vcl::TObject*) {
        Imprime();
        vcl::Screen->SetCursor(vcl::crDefault);
    };
}

void TfrmEtiqueta::rgrpEtiquetaClick(vcl::TObject*) {
    const int item = rgrpEtiqueta->ItemIndex();
    spnEtiqueta->SetEnabled(item != PorExistencia);
    if (item == PorcentajeExistencia) {
        spnEtiqueta->SetMaxValue(kMaxPorcentaje);
        if (spnEtiqueta->Value() > kMaxPorcentaje) spnEtiqueta->SetValue(kMaxPorcentaje);
    } else {
        spnEtiqueta->SetMaxValue(kMaxEtiquetas);
    }
}

std::string TfrmEtiqueta::Ruta() const {
    std::string ruta = edtReporte->Text();
    if (text::Utf8Length(ruta) > kLargoRuta) ruta = text::Utf8Left(ruta, kLargoRuta);
    return ruta;
}

int TfrmEtiqueta::LlenaEtiquetas() {
    vcl::Screen->SetCursor(vcl::crHourGlass);
    strProdIni = edtProdIni->Text();
    strProdFin = edtProdFin->Text();
    db::TQuery q;
    q.DatabaseName = kAlias;
    q.SQL.Add("Select * from CatInven");
    // Criteria as quoted fragments: a key or a line pattern never becomes SQL of its own.
    q.SQL.Add("Where 1 = 1" + FragmentoLinea("Linea", strLinea) + FragmentoRango("Producto", strProdIni, strProdFin));
    q.SQL.Add("Order by Producto");
    tblTemp->Crea();
    db::TTable t;
    t.DatabaseName = kAlias;
    t.TableName = tblTemp->TableName();
    t.Open();
    q.Open();
    const int cuantas = rgrpEtiqueta->ItemIndex(), numero = spnEtiqueta->Value();
    int filas = 0;
    for (q.First(); !q.Eof(); q.Next()) {
        const int n = EtiquetasDeProducto(cuantas, numero, q.FieldByName("Existencia").AsFloat());
        for (int i = 1; i <= n; ++i, ++filas) {
            t.Append();
            t.FieldByName("Producto").SetAsString(q.FieldByName("Producto").AsString());
            t.FieldByName("Descripcion").SetAsString(q.FieldByName("Descripcio").AsString());
            t.FieldByName("PrecioP").SetAsFloat(q.FieldByName("PrecioP").AsFloat());
            tolmabase::PostSeguroEnTabla(t);
        }
    }
    q.Close();
    t.Close();
    return filas;
}

void TfrmEtiqueta::Preliminar() {
    const std::string ruta = Ruta();
    if (auto* vista = report::FindPreview()) {
        vista->BringToFront();
        return;
    }
    try {
        LlenaEtiquetas();
        if (!report::FindLayoutFile(ruta).empty()) {
            vcl::Screen->SetCursor(vcl::crDefault);
            rppdlg->Preview(ruta);
        }
    } catch (const std::exception& e) {
        tblTemp->Borra();
        vcl::MessageBox(e.what(), "Error", vcl::MB_OK | vcl::MB_ICONERROR);
        Close();
        return;
    }
    tblTemp->Borra();
}

void TfrmEtiqueta::Imprime() {
    const std::string ruta = Ruta();
    bool confirmado = false;
    try {
        LlenaEtiquetas();
        // Without a layout nothing prints, and the table goes at once like after printing.
        if (!report::FindLayoutFile(ruta).empty() && rppdlg->PrinterSetup()) {
            confirmado = true;
            rppdlg->Print(ruta);
        }
    } catch (const std::exception& e) {
        tblTemp->Borra();
        vcl::MessageBox(e.what(), "Error", vcl::MB_OK | vcl::MB_ICONERROR);
        return;
    }
    tblTemp->Borra();
    if (confirmado) Close();
}

}  // namespace reportes

REPORTES_EXPORT void REtiqueta(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmEtiqueta>(p1, p2, p3);
}
