// The dialog of a catalogue listed between two keys.
#include "reports/framework/range_catalogue.h"

namespace reportes {
namespace {

constexpr const char* kInicial = "I&nicial";
constexpr const char* kFinal = "&Final";

std::unique_ptr<db::TTable> NuevaTabla(const CatalogoRango& c) {
    auto t = std::make_unique<db::TTable>();
    t->Name = c.componente;
    t->DatabaseName = "RazirWin10";
    t->TableName = c.tabla;
    return t;
}

}  // namespace

TfrmCatalogoRango::TfrmCatalogoRango(vcl::TComponent* owner, const CatalogoRango& catalogo)
    : TfrmReporte(owner, catalogo.clase, catalogo.caption, catalogo.ayuda),
      catalogo_(catalogo),
      tabla_(NuevaTabla(catalogo)),
      fuente_(*tabla_) {
    grpRango = vcl::NewControl<vcl::TGroupBox>(this, "grpRango");
    grpRango->SetCaption(catalogo.grupo);
    grpRango->SetBounds(12, 8, 332, 84);

    auto combo = [&](const char* name, const char* etiqueta, int top, vcl::TLabel*& label) {
        label = vcl::NewControl<vcl::TLabel>(grpRango, std::string("lbl") + name);
        label->SetCaption(etiqueta);
        label->SetBounds(12, top + 4, 60, 16);
        auto* c = vcl::NewControl<vcl::TDBLookupComboBox>(grpRango, name);
        c->SetBounds(80, top, 236, 23);
        c->SetListSource(&fuente_);
        c->SetKeyField(catalogo.clave);
        c->SetListField(catalogo.campos);
        c->SetTabStop(true);
        label->SetFocusControl(c);
        c->OnExit = [this](vcl::TObject* s) { RangoExit(s, cmbDesde, cmbHasta, catalogo_.mensaje); };
        c->OnCloseUp = c->OnExit;
        return c;
    };
    cmbDesde = combo(catalogo.cmbDesde, kInicial, 20, lblInicial);
    cmbHasta = combo(catalogo.cmbHasta, kFinal, 50, lblFinal);
    ColocaBotones(BajoCriterios());

    OnCreate = [this](vcl::TObject*) {
        if (!tabla_->Active()) tabla_->Open();
        strDesde.clear();
        strHasta.clear();
    };
    rppdlg->BeforeOpenDataset = [this](report::Dataset& ds) {
        BeforeOpenDatasetComun(ds);
        AlAbrirDataset(ds);
    };
    rppdlg->BeforeGetQueryParams = [this](report::Dataset&, report::Params& params) {
        ParametrosRango(*tabla_, catalogo_.clave, params, catalogo_.paramIni, catalogo_.paramFin);
    };
    rppdlg->AfterReportLoaded = [this](report::Report& r) {
        EncabezadoComun(r);
        EncabezadoRango(r, catalogo_.todos);
        AlCargarReporte(r);
    };
    rppdlg->BeforePrint = [this](report::PrintJob& job) { BeforePrintComun(job); };
}

}  // namespace reportes
