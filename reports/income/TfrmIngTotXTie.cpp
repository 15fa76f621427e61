// Income statistics by store: sales, discounts and taxes of each store per day, week,
// fortnight or month, between two stores, for one cashier and one seller or all.
// Not here: the shared dates, summary and period fill (ingreso_total.*).
#include "platform/2_db/quote.h"
#include "platform/2_vcl/application.h"
#include "reports/framework/entry.h"
#include "reports/income/ingreso_total.h"

namespace reportes {
namespace {

const TfrmIngresoTotal::Textos kTextos{"TfrmIngTotXTie", "Estadísticas de ingresos por tienda", 68,
                                       "RIngXTie.QR2", "Ingresos totales por tienda"};
constexpr const char* kRangoInvertido = "La clave de la tienda inicial no debe ser mayor a la final";
constexpr const char* kPrimeraTienda = "01";
constexpr const char* kTodas = "Todas";
constexpr const char* kTodos = "Todos";

}  // namespace

class TfrmIngTotXTie : public TfrmIngresoTotal {
public:
    explicit TfrmIngTotXTie(vcl::TComponent* owner);

    vcl::TDBLookupComboBox* lkcmbTieDesde;
    vcl::TDBLookupComboBox* lkcmbTieHasta;
    vcl::TDBLookupComboBox* lkcmbCajero;
    vcl::TDBLookupComboBox* lkcmbVendedor;

protected:
    std::string CondicionRango() override;
    std::string CondicionesSimples() override;
    void AlCargarReporte(report::Report& r) override;
};

TfrmIngTotXTie::TfrmIngTotXTie(vcl::TComponent* owner) : TfrmIngresoTotal(owner, kTextos) {
    auto* grpTienda = vcl::NewControl<vcl::TGroupBox>(this, "grpTienda");
    grpTienda->SetCaption(" &Tienda ");
    grpTienda->SetBounds(12, topCriterios_, 356, 84);
    lkcmbTieDesde = NuevoLookup(grpTienda, "lkcmbTieDesde", &fuenteTiendas_, "Tienda", "Tienda;Descripcio",
                                "Inicial", 12, 20, 260, 68);
    lkcmbTieHasta = NuevoLookup(grpTienda, "lkcmbTieHasta", &fuenteTiendas_, "Tienda", "Tienda;Descripcio",
                                "Final", 12, 50, 260, 68);
    ConectaRango(lkcmbTieDesde, lkcmbTieHasta, kRangoInvertido);
    const int top = topCriterios_ + 92;
    lkcmbCajero = NuevoLookup(this, "lkcmbCajero", &fuenteUsuarios_, "Usuario", "Usuario;Nombre", "Ca&jero",
                              12, top, 260, 96);
    lkcmbVendedor = NuevoLookup(this, "lkcmbVendedor", &fuenteUsuarios_, "Usuario", "Usuario;Nombre",
                                "&Vendedor", 12, top + 30, 260, 96);
    criterios.Usuarios(lkcmbCajero, lkcmbVendedor, &tblUsuarios);
    ColocaResumen(top + 62);

    OnCreate = [this](vcl::TObject*) {
        if (!tblTiendas.Active()) tblTiendas.Open();
        if (!tblUsuarios.Active()) tblUsuarios.Open();
    };
}

// The store range; with only a final store the lower bound is the first store code and
// income of a store missing from the catalogue counts too.
std::string TfrmIngTotXTie::CondicionRango() {
    if (strDesde.empty() && strHasta.empty()) return {};
    if (!strDesde.empty()) return FragmentoRango("Tie.Tienda", strDesde, strHasta);
    strDesde = kPrimeraTienda;
    return " And (Tie.Tienda Between " + db::QuoteValue(strDesde) + " And " + db::QuoteValue(strHasta) +
           " Or Tie.Tienda Is Null)";
}

std::string TfrmIngTotXTie::CondicionesSimples() {
    std::string c;
    if (const std::string cajero = lkcmbCajero->KeyValue(); !cajero.empty()) c += FragmentoUsuario("I.Cajero", cajero);
    if (const std::string vend = lkcmbVendedor->KeyValue(); !vend.empty()) c += FragmentoUsuario("I.Vendedor", vend);
    return c;
}

void TfrmIngTotXTie::AlCargarReporte(report::Report& r) {
    TfrmIngresoTotal::AlCargarReporte(r);
    if (strDesde.empty() && strHasta.empty()) {
        r.SetCaption("lblETieDesde", kTodas);
        for (const char* l : {"lblTieDesde", "lblETieHasta", "lblTieHasta"}) r.SetCaption(l, "");
    } else {
        if (strDesde.empty()) {
            tblTiendas.First();
            if (!tblTiendas.Eof()) strDesde = tblTiendas.FieldByName("Tienda").AsString();
        }
        r.SetCaption("lblTieDesde", strDesde);
        r.SetCaption("lblTieHasta", strHasta);
    }
    const std::string cajero = lkcmbCajero->KeyValue();
    const std::string vendedor = lkcmbVendedor->KeyValue();
    r.SetCaption("lblCajero", cajero.empty() ? kTodos : cajero);
    r.SetCaption("lblVendedor", vendedor.empty() ? kTodos : vendedor);
}

}  // namespace reportes

REPORTES_EXPORT void RIngresoXTienda(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmIngTotXTie>(p1, p2, p3);
}
