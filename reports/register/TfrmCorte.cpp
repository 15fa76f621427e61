// The cash cut (RCorte) of one cashier at one register for one day: the payment-type rows of
// the day's cut file, totalled by the layout, under a heading with the opening fund, notes,
// transactions and the hours of the first and last note. Shown as a dialog, or printed at
// once for the station's register when the host ends a shift (direct mode).
// Not here: computing the cut (the point-of-sale host writes the cut file).
#include <string>

#include "host/velmor/vlmedit.h"
#include "platform/4_adapters/db/list_source.h"
#include "platform/2_db/query.h"
#include "platform/2_db/quote.h"
#include "platform/2_db/table.h"
#include "platform/3_report/names.h"
#include "platform/1_text/format.h"
#include "platform/2_vcl/dialogs.h"
#include "platform/2_vcl/panels.h"
#include "reports/framework/config.h"
#include "reports/framework/criteria.h"
#include "reports/framework/date_edit.h"
#include "reports/framework/day_files.h"
#include "reports/framework/entry.h"
#include "reports/framework/register_picker.h"
#include "reports/framework/report_table.h"
#include "reports/framework/store_picker.h"
#include "platform/6_schema/tables.h"

namespace reportes {
namespace {

constexpr const char* kCaption = "Corte de caja";
constexpr int kAyuda = 27;
constexpr const char* kTitulo = "Corte de caja";
constexpr const char* kSinCorte = "No es posible visualizar el reporte, o archivo de corte no existe.";
constexpr const char* kFormatoFecha = "dd'/'mmmm'/'yyyy";
constexpr const char* kFormatoImpreso = "hh:nn  dd'/'mmmm'/'yyyy";

vcl::TGroupBox* Grupo(vcl::TWinControl* parent, const char* name, int top, int height) {
    auto* g = vcl::NewControl<vcl::TGroupBox>(parent, name);
    g->SetBounds(12, top, 380, height);
    return g;
}

}  // namespace

class TfrmCorte : public TfrmReporte {
public:
    explicit TfrmCorte(vcl::TComponent* owner);

    vcl::TGroupBox* grpTienda;
    SelectorTienda tienda;
    SelectorCaja caja;
    vcl::TDBLookupComboBox* lkcmbTiendas;
    vcl::TDBLookupComboBox* lkcmbCajas;
    vcl::TGroupBox* grpCajero;
    vcl::TDBLookupComboBox* lkcmbCajero;
    velmor::TVlmEdit* edtFecDesde;
    db::TTable tblCajero;

    // The host names the dialog's store in neither argument: the station's store counts.
    void AsignaArgumentos(const std::string&, const std::string&) override {}
    // P1 the cashier, P2 the day; the station's store and register.
    bool ModoDirecto(const std::string& p1, const std::string& p2) override;

protected:
    std::string ArchivoReporte() override { return "Corte.QR2"; }
    void PrepararReporte() override;
    void AlAbrirDataset(report::Dataset& ds) override;
    void AlCargarReporte(report::Report& r) override;

private:
    void FormCreate();
    void lkcmbCajeroExit();
    // Preview and Print from the dialog: the day's files must be there first.
    bool HayCorte();
    std::string Raiz() const { return RaizDelDia(strTienda, caja.codigo, fecha_); }
    std::string Archivo(tables::DayKind tipo) const { return ArchivoDelDia(tipo, Raiz()); }

    text::TDateTime fecha_ = 0;
    std::string strCajero, strNomCajero;
    db::TDataSetListSource fuenteCajero_;
};

TfrmCorte::TfrmCorte(vcl::TComponent* owner)
    : TfrmReporte(owner, "TfrmCorte", kCaption, kAyuda),
      grpTienda(Grupo(this, "grpTienda", 8, 84)),
      tienda(*this, grpTienda, "Nombre de la &tienda", 12, 20, 220, 136),
      caja(*this, grpTienda, "&Nombre de la caja", 12, 50, 220, 136),
      fuenteCajero_(tblCajero) {
    SetKeyPreview(true);
    TablaDelAlias(tblCajero, "tblCajero", "Usuarios.DB");
    tblCajero.SetFilter(kFiltroCajeros);
    tblCajero.SetFiltered(true);

    lkcmbTiendas = tienda.combo;
    lkcmbCajas = caja.combo;
    grpCajero = Grupo(this, "grpCajero", 100, 84);
    lkcmbCajero = NuevoLookup(grpCajero, "lkcmbCajero", &fuenteCajero_, "Usuario", "Usuario;Nick",
                              "C&ajero", 12, 20, 220, 136);
    edtFecDesde = NuevaFecha(grpCajero, "edtFecDesde", "&Fecha", 12, 50, 136);
    ColocaBotones(196);

    ayuda = AyudaSegunAcceso::PorAcceso;
    encabezadoTienda = true;
    camposDinero = {"lblSumMonto", "lblTotal", "monto", "vales", "lblVales", "lblFactor"};
    VarianteCuarenta(caja.cajas, "Corte40.QR2");

    OnCreate = [this](vcl::TObject*) { FormCreate(); };
    tienda.AlCambiar = [this](const std::string& codigo) { caja.MuestraTienda(codigo); };
    lkcmbCajero->OnExit = [this](vcl::TObject*) { lkcmbCajeroExit(); };
    // A day without its cut is told and the dialog stays open for another day.
    for (auto* b : {btnPreview, btnImprimir})
        b->OnClick = [this, base = b->OnClick](vcl::TObject* s) {
            if (HayCorte()) base(s);
        };
}

void TfrmCorte::FormCreate() {
    const auto& cfg = Configuracion();
    tienda.Abre();
    tblCajero.Open();
    lkcmbCajero->SetKeyValue(cfg.UsuarioActual);
    lkcmbCajeroExit();
    // The cut is of the station's working day (today unless the host set another one).
    edtFecDesde->SetDate(cfg.FechaTrabajo > 0 ? cfg.FechaTrabajo : text::Today());
    grpTienda->SetEnabled(cfg.AccesoTotal);
    grpCajero->SetEnabled(cfg.AccesoTotal);

    if (!tienda.Muestra(cfg.TiendaActual)) {
        strTienda = cfg.TiendaActual;
        lkcmbTiendas->SetKeyValue(strTienda);
    }
    caja.MuestraTienda(strTienda, cfg.CajaActual);
}

void TfrmCorte::lkcmbCajeroExit() {
    const std::string cajero = lkcmbCajero->KeyValue();
    if (cajero.empty() || !tblCajero.Locate("Usuario", {db::Value(cajero)})) return;
    strCajero = cajero;
    strNomCajero = tblCajero.FieldByName("Nombre").AsString();
}

bool TfrmCorte::HayCorte() {
    try {
        fecha_ = edtFecDesde->TextAsDate();
    } catch (const text::ConvertError& e) {
        vcl::MessageBox(e.what(), "Advertencia", vcl::MB_OK | vcl::MB_ICONINFORMATION);
        return false;
    }
    if (ExisteTabla(Archivo(tables::DayKind::Corte)) && ExisteTabla(Archivo(tables::DayKind::Ventas))) return true;
    vcl::MessageBox(kSinCorte, kCaption, vcl::MB_OK);
    return false;
}

bool TfrmCorte::ModoDirecto(const std::string& p1, const std::string& p2) {
    const auto& cfg = Configuracion();
    edtFecDesde->SetText(p2);
    strTienda = cfg.TiendaActual;
    if (tienda.tiendas.Locate("Tienda", {db::Value(strTienda)}))
        strDirTienda = tienda.tiendas.FieldByName("Direccion").AsString();
    // The station's register even when the catalogue lacks it: its files are what the host wrote.
    if (!caja.MuestraTienda(strTienda, cfg.CajaActual) || caja.codigo != cfg.CajaActual) {
        caja.codigo = cfg.CajaActual;
        caja.descripcion.clear();
    }
    strCajero = p1;
    strNomCajero.clear();
    if (tblCajero.Locate("Usuario", {db::Value(p1)})) strNomCajero = tblCajero.FieldByName("Nombre").AsString();
    fecha_ = edtFecDesde->TextAsDate();
    // Nothing prints for a day the host has not closed; the entry point keeps quiet about it.
    if (!ExisteTabla(Archivo(tables::DayKind::Corte)) || !ExisteTabla(Archivo(tables::DayKind::Ventas)))
        throw std::runtime_error(std::string(kSinCorte) + " (" + Archivo(tables::DayKind::Corte) + ")");
    ImprimeDirecto();
    return true;
}

void TfrmCorte::PrepararReporte() {
    fecha_ = edtFecDesde->TextAsDate();
    if (!bDirecto && !lkcmbCajero->KeyValue().empty()) strCajero = lkcmbCajero->KeyValue();
}

// The cashier's payment-type rows at the register; the summary rows ("AA", "AB", "AF") stay out.
void TfrmCorte::AlAbrirDataset(report::Dataset& ds) {
    if (!report::SameName(ds.Name(), "Query1")) return;
    ds.SQL = {"Select * From C" + Raiz(),
              "Where Cajero like " + db::QuoteLikeValue(strCajero),
              "And Caja like " + db::QuoteLikeValue(caja.codigo),
              "And TPago between '01'and '99'",
              "Order by TPago"};
}

void TfrmCorte::AlCargarReporte(report::Report& r) {
    const auto& f = rppdlg->Formats;
    r.SetDisplayMask("OtroMonto", " ###" + std::string(1, f.ThousandSeparator) + "##0" +
                                      std::string(1, f.DecimalSeparator) +
                                      std::string(static_cast<std::size_t>(std::max(0, f.CurrencyDecimals)), '0'));

    // The hours of the cashier's first and last note at this register: a store's file holds
    // the notes of all its registers, and a cashier may have worked at another one.
    db::TQuery horas;
    horas.DatabaseName = kAlias;
    horas.SQL.Add("Select Min(Fecha) As HoraIni, Max(Fecha) As HoraFin From V" + Raiz());
    horas.SQL.Add("Where Cajero = " + db::QuoteValue(strCajero) + " And Caja = " + db::QuoteValue(caja.codigo));
    horas.Open();
    if (!horas.Eof() && !horas.FieldByName("HoraIni").IsNull()) {
        r.SetCaption("lblHoraIni", text::FormatDateTime("hh:nn", horas.FieldByName("HoraIni").AsDateTime(), f));
        r.SetCaption("lblHoraFin", text::FormatDateTime("hh:nn", horas.FieldByName("HoraFin").AsDateTime(), f));
    }
    horas.Close();

    db::TTable corte;
    corte.DatabaseName = kAlias;
    corte.TableName = Archivo(tables::DayKind::Corte);
    corte.Open();
    auto resumen = [&](std::string_view tpago) {
        return corte.Locate("Cajero;Caja;TPago", {db::Value(strCajero), db::Value(caja.codigo), db::Value(std::string(tpago))});
    };
    if (resumen(tables::kCorteFondo)) {
        const double fondo = corte.FieldByName("Monto").AsFloat();
        r.SetCaption("lblNo", text::FloatToStr(fondo, f));
        r.SetCaption("lblProvision", text::FormatFloat(MascaraDinero(), fondo, f));
    }
    if (resumen(tables::kCorteNotas))
        r.SetCaption("lblNotas", text::FloatToStr(corte.FieldByName("Cantidad").AsFloat(), f));
    if (resumen(tables::kCorteTransacciones))
        r.SetCaption("lblTransa", text::FloatToStr(corte.FieldByName("Cantidad").AsFloat(), f));
    corte.Close();

    r.SetCaption("lblNomCaja", caja.descripcion);
    r.SetCaption("lblFecha", text::FormatDateTime(kFormatoImpreso, text::Now(), f));
    r.SetCaption("lblTitReporte", kTitulo);
    r.SetCaption("lblFechaSel", "Del " + text::FormatDateTime(kFormatoFecha, fecha_, f));
    r.SetCaption("lblNumCajero", strCajero);
    r.SetCaption("lblNomCajero", strNomCajero);
}

}  // namespace reportes

// Any failure, in either mode, returns quietly: the host calls it at the end of a shift.
REPORTES_EXPORT void RCorte(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmCorte, reportes::Excepcion::SinMensaje>(p1, p2, p3);
}
