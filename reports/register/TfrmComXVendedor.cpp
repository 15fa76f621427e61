// Commissions by seller (RComPorVendedor) over one register's day: for every seller and every
// paid note in which the seller has lines, the commission earned in it and the amount it was
// earned on, kept in a temporary table the layout groups by seller.
// Not here: the commissions themselves (the point of sale wrote them into the day's lines).
#include <string>

#include "host/velmor/vlmedit.h"
#include "platform/2_db/query.h"
#include "platform/2_db/quote.h"
#include "platform/2_db/table.h"
#include "platform/2_vcl/dialogs.h"
#include "platform/2_vcl/panels.h"
#include "reports/framework/config.h"
#include "reports/framework/criteria.h"
#include "reports/framework/entry.h"
#include "reports/framework/report_table.h"
#include "reports/framework/temp_table.h"
#include "reports/register/register_day.h"

namespace reportes {
namespace {

constexpr const char* kCaption = "Comisión por vendedor";
constexpr int kAyuda = 31;
constexpr const char* kSinVentas = "Archivo de ventas no existe";
constexpr const char* kRango = "La clave del vendedor inicial no debe ser mayor a la final";

std::vector<db::FieldDef> CamposComision() {
    return {{"Usuario", db::FieldType::String, 3, false},   {"Nombre", db::FieldType::String, 20, false},
            {"FechaNota", db::FieldType::DateTime, 0, false}, {"Nota", db::FieldType::String, 20, false},
            {"NombreCli", db::FieldType::String, 40, false},  {"TotComis", db::FieldType::Float, 0, false},
            {"TotPartida", db::FieldType::Float, 0, false},   {"TotDoc", db::FieldType::Float, 0, false},
            {"Nick", db::FieldType::String, 10, false}};
}

}  // namespace

class TfrmComXVendedor : public TfrmDiaDeCaja {
public:
    explicit TfrmComXVendedor(vcl::TComponent* owner);

    vcl::TDBLookupComboBox* lkcmbVenDesde;
    vcl::TDBLookupComboBox* lkcmbVenHasta;
    db::TTable tblUsuarios;
    TTablaTemporal* tblQuery;

protected:
    std::string ArchivoReporte() override { return "RComVen.QR2"; }
    void AlAbrirDataset(report::Dataset& ds) override { tblQuery->Apunta(ds); }
    void AlCargarReporte(report::Report& r) override;

private:
    // The day's commissions into the table; false when either of the day's files is missing.
    bool LlenaComisiones();

    db::TDataSetListSource fuenteVendedores_;
};

TfrmComXVendedor::TfrmComXVendedor(vcl::TComponent* owner)
    : TfrmDiaDeCaja(owner, "TfrmComXVendedor", kCaption, kAyuda, "&Nombre de la tienda", "Nom&bre de la caja", "&Fecha"),
      fuenteVendedores_(tblUsuarios) {
    TablaDelAlias(tblUsuarios, "tblUsuarios", "Usuarios.DB");
    auto* grpVendedor = vcl::NewControl<vcl::TGroupBox>(this, "grpVendedor");
    grpVendedor->SetCaption("&Vendedor ");
    grpVendedor->SetBounds(12, 102, 356, 84);
    lkcmbVenDesde = NuevoLookup(grpVendedor, "lkcmbVenDesde", &fuenteVendedores_, "Usuario", "Usuario;Nick",
                                "&Desde", 12, 20, 260, 68);
    lkcmbVenHasta = NuevoLookup(grpVendedor, "lkcmbVenHasta", &fuenteVendedores_, "Usuario", "Usuario;Nick",
                                "&Hasta", 12, 50, 260, 68);
    ConectaRango(lkcmbVenDesde, lkcmbVenHasta, kRango);
    NuevoTitulo(194, kCaption);
    ColocaBotones(230);

    // The table takes the first free name when a run fills it: a dialog open at another
    // station keeps its own.
    tblQuery = new TTablaTemporal(this, "tmpTabla", CamposComision());
    tblQuery->Dataset = "tmpTabla_Tabla";
    camposDinero = {"lblTotComis", "lblTotPartida", "lblTotDoc", "lblSubComis", "lblTotalPartida",
                    "lblSubPartida", "lblTotalComis", "lblTotal"};
    camposCantidad = {"lblComision"};
    VarianteCuarenta(caja.cajas, "RComVen40.QR2");
    // Its help pages have their own numbers in each help file.
    temaFijoRazir = kAyuda;
    temaFijoTolmaa = 531;

    OnCreate = [this, base = OnCreate](vcl::TObject* s) {
        base(s);
        tblUsuarios.SetFilter(kFiltroVendedores);
        tblUsuarios.SetFiltered(true);
        tblUsuarios.Open();
        strDesde.clear();
        strHasta.clear();
    };
    AntesDeReportar([this] {
        if (LlenaComisiones()) return true;
        vcl::MessageBox(kSinVentas, "Advertencia", vcl::MB_OK | vcl::MB_ICONEXCLAMATION);
        return false;
    });
}

bool TfrmComXVendedor::LlenaComisiones() {
    fecha_ = edtFecDesde->TextAsDate();
    const std::string raiz = Raiz();
    const std::string detalle = ArchivoDelDia(tables::DayKind::Detalle, raiz);
    const std::string ventas = ArchivoDelDia(tables::DayKind::Ventas, raiz);
    if (!ExisteTabla(detalle) || !ExisteTabla(ventas)) return false;

    // Lines joined to their own register's note: a store's file holds every register's notes
    // and note numbers repeat across registers. A line without a commission rate earned
    // nothing, so it adds nothing to the amount commissions were paid on.
    db::TQuery q;
    q.DatabaseName = kAlias;
    q.SQL.Add("Select U.Usuario, U.Nick, U.Nombre, V.Nota, V.NombreCli, V.Fecha As FechaNota, V.TotDoc, "
              "Sum(D.TotComis) As TotComis, "
              "Sum(Case When D.Comision <> 0 Then (D.TotComis*100)/D.Comision Else 0 End) As Precio");
    q.SQL.Add("From Usuarios U, V" + raiz + " V, D" + raiz + " D");
    q.SQL.Add("Where V.Caja = " + db::QuoteValue(caja.codigo));
    q.SQL.Add("And D.Vendedor = U.Usuario");
    q.SQL.Add("And V.Status = 'N'");
    q.SQL.Add("And V.Nota = D.Nota And V.Caja = D.Caja");
    // Only the final seller chosen: from the first key on.
    if (!strHasta.empty() && strDesde.empty()) strDesde = "000";
    q.SQL.Add(FragmentoRango("D.Vendedor", strDesde, strHasta));
    q.SQL.Add("Group By U.Usuario, U.Nick, U.Nombre, V.Nota, V.NombreCli, V.Fecha, V.TotDoc");
    q.SQL.Add("Order By U.Usuario, V.Nota");
    q.Open();

    tblQuery->Crea();
    db::TTable t;
    t.DatabaseName = kAlias;
    t.TableName = tblQuery->TableName();
    t.Open();
    for (q.First(); !q.Eof(); q.Next()) {
        t.Append();
        for (const char* campo : {"Usuario", "Nombre", "Nick", "Nota", "NombreCli"})
            t.FieldByName(campo).SetAsString(q.FieldByName(campo).AsString());
        t.FieldByName("FechaNota").SetAsDateTime(q.FieldByName("FechaNota").AsDateTime());
        t.FieldByName("TotComis").SetAsFloat(q.FieldByName("TotComis").AsFloat());
        t.FieldByName("TotDoc").SetAsFloat(q.FieldByName("TotDoc").AsFloat());
        t.FieldByName("TotPartida").SetAsFloat(q.FieldByName("Precio").AsFloat());
        t.Post();
    }
    t.Close();
    q.Close();
    return true;
}

void TfrmComXVendedor::AlCargarReporte(report::Report& r) { EncabezadoDelDia(r); }

}  // namespace reportes

REPORTES_EXPORT void RComPorVendedor(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmComXVendedor>(p1, p2, p3);
}
