// Income statistics by cashier: sales, discounts and taxes taken by each cashier per day,
// week, fortnight or month, between two cashiers, for one seller and one store or all.
// Not here: the shared dates, summary and period fill (ingreso_total.*).
#include "platform/2_db/quote.h"
#include "platform/2_vcl/application.h"
#include "reports/framework/entry.h"
#include "reports/income/ingreso_total.h"

namespace reportes {
namespace {

const TfrmIngresoTotal::Textos kTextos{"TfrmIngTotXCaj", "Estadísticas de ingresos por cajero", 67,
                                       "RIngXCaj.QR2", "Ingresos totales por cajero"};
constexpr const char* kRangoInvertido = "La clave del Cajero inicial no debe ser mayor a la final";
constexpr const char* kTodas = "Todas";
constexpr const char* kTodos = "Todos";

}  // namespace

class TfrmIngTotXCaj : public TfrmIngresoTotal {
public:
    explicit TfrmIngTotXCaj(vcl::TComponent* owner);

    vcl::TDBLookupComboBox* lkcmbCajDesde;
    vcl::TDBLookupComboBox* lkcmbCajHasta;
    vcl::TDBLookupComboBox* lkcmbVendedor;
    vcl::TDBLookupComboBox* lkcmbTiendas;

protected:
    std::string CondicionRango() override;
    std::string CondicionesSimples() override;
    void AlCargarReporte(report::Report& r) override;

private:
    // The first cashier's key, the users' list left unfiltered.
    std::string PrimerCajero();
};

TfrmIngTotXCaj::TfrmIngTotXCaj(vcl::TComponent* owner) : TfrmIngresoTotal(owner, kTextos) {
    auto* grpCajero = vcl::NewControl<vcl::TGroupBox>(this, "grpCajero");
    grpCajero->SetCaption(" Ca&jero ");
    grpCajero->SetBounds(12, topCriterios_, 356, 84);
    lkcmbCajDesde = NuevoLookup(grpCajero, "lkcmbCajDesde", &fuenteUsuarios_, "Usuario", "Usuario;Nombre",
                                "Inicial", 12, 20, 260, 68);
    lkcmbCajHasta = NuevoLookup(grpCajero, "lkcmbCajHasta", &fuenteUsuarios_, "Usuario", "Usuario;Nombre",
                                "Final", 12, 50, 260, 68);
    ConectaRango(lkcmbCajDesde, lkcmbCajHasta, kRangoInvertido);
    const int top = topCriterios_ + 92;
    lkcmbVendedor = NuevoLookup(this, "lkcmbVendedor", &fuenteUsuarios_, "Usuario", "Usuario;Nombre",
                                "&Vendedor", 12, top, 260, 96);
    lkcmbTiendas = NuevoLookup(this, "lkcmbTiendas", &fuenteTiendas_, "Tienda", "Tienda;Descripcio", "&Tienda",
                               12, top + 30, 260, 96);
    // The range lists cashiers only, as the single cashier lookup of the store report does.
    criterios.Usuarios(lkcmbCajDesde, lkcmbVendedor, &tblUsuarios);
    lkcmbCajHasta->OnEnter = lkcmbCajDesde->OnEnter;
    ColocaResumen(top + 62);

    OnCreate = [this](vcl::TObject*) {
        if (!tblTiendas.Active()) tblTiendas.Open();
        if (!tblUsuarios.Active()) tblUsuarios.Open();
    };
}

std::string TfrmIngTotXCaj::PrimerCajero() {
    tblUsuarios.SetFiltered(false);
    tblUsuarios.SetFilter(kFiltroCajeros);
    tblUsuarios.SetFiltered(true);
    tblUsuarios.First();
    std::string primero = tblUsuarios.Eof() ? std::string() : tblUsuarios.FieldByName("Usuario").AsString();
    tblUsuarios.SetFiltered(false);
    return primero;
}

// The cashier range; with only a final cashier the lower bound is the first cashier and income
// of a user missing from the catalogue counts too.
std::string TfrmIngTotXCaj::CondicionRango() {
    if (strDesde.empty() && strHasta.empty()) return {};
    if (!strDesde.empty()) return FragmentoRango("Usr.Usuario", strDesde, strHasta);
    strDesde = PrimerCajero();
    return " And (Usr.Usuario Between " + db::QuoteValue(strDesde) + " And " + db::QuoteValue(strHasta) +
           " Or Usr.Usuario Is Null)";
}

std::string TfrmIngTotXCaj::CondicionesSimples() {
    std::string c;
    if (const std::string vend = lkcmbVendedor->KeyValue(); !vend.empty()) c += FragmentoUsuario("I.Vendedor", vend);
    if (const std::string tienda = lkcmbTiendas->KeyValue(); !tienda.empty()) c += FragmentoUsuario("I.Tienda", tienda);
    return c;
}

void TfrmIngTotXCaj::AlCargarReporte(report::Report& r) {
    TfrmIngresoTotal::AlCargarReporte(r);
    if (strDesde.empty() && strHasta.empty()) {
        r.SetCaption("lblECajDesde", kTodos);
        for (const char* l : {"lblCajDesde", "lblECajHasta", "lblCajHasta"}) r.SetCaption(l, "");
    } else {
        if (strDesde.empty()) strDesde = PrimerCajero();
        r.SetCaption("lblCajDesde", strDesde);
        r.SetCaption("lblCajHasta", strHasta);
    }
    const std::string vendedor = lkcmbVendedor->KeyValue();
    const std::string tienda = lkcmbTiendas->KeyValue();
    r.SetCaption("lblVendedor", vendedor.empty() ? kTodos : vendedor);
    r.SetCaption("lblTienda", tienda.empty() ? kTodas : tienda);
}

}  // namespace reportes

REPORTES_EXPORT void RIngresoXCajero(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmIngTotXCaj>(p1, p2, p3);
}
