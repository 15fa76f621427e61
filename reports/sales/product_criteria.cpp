// The product criteria, thresholds and their heading shared by the sales analyses.
#include "reports/sales/product_criteria.h"

#include <algorithm>
#include <cstdio>

#include "platform/2_db/quote.h"
#include "platform/2_vcl/application.h"
#include "platform/2_vcl/dialogs.h"
#include "reports/framework/config.h"
#include "reports/framework/criteria.h"

namespace reportes {
namespace {

constexpr const char* kNegativos = "los valores no deben ser negativos";
constexpr const char* kAdvertencia = "Advertencia";
constexpr const char* kPrimerDepto = "01";

std::string NumeroSql(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

}  // namespace

std::string MontoNeto(const std::string& mov) {
    return mov + ".MontoAcum-" + mov + ".MontoImp1-" + mov + ".MontoImp2-" + mov + ".MontoImp3-" + mov + ".MontoImp4";
}

std::string CondicionesProducto(TfrmReporte& dlg, db::TTable& productos, const std::string& inv) {
    std::string c;
    if (!dlg.strProdIni.empty()) {
        c += FragmentoRango(inv + ".Producto", dlg.strProdIni, dlg.strProdFin);
    } else if (!dlg.strProdFin.empty()) {
        if (!productos.Active()) productos.Open();
        productos.First();
        if (!productos.Eof()) dlg.strProdIni = productos.FieldByName("Producto").AsString();
        c += " And (" + inv + ".Producto Between " + db::QuoteValue(dlg.strProdIni) + " And " +
             db::QuoteValue(dlg.strProdFin) + " Or " + inv + ".Producto Is Null)";
    }
    if (!dlg.strDeptoIni.empty()) {
        c += FragmentoRango(inv + ".Depto", dlg.strDeptoIni, dlg.strDeptoFin);
    } else if (!dlg.strDeptoFin.empty()) {
        dlg.strDeptoIni = kPrimerDepto;
        c += " And (" + inv + ".Depto Between " + db::QuoteValue(dlg.strDeptoIni) + " And " +
             db::QuoteValue(dlg.strDeptoFin) + " Or " + inv + ".Depto Is Null)";
    }
    c += FragmentoLinea(inv + ".Linea", dlg.strLinea);
    return c;
}

double Umbral(velmor::TVlmEdit* edit) {
    try {
        return std::max(0.0, edit->GetTextAsFloat());
    } catch (const text::ConvertError&) {
        return 0.0;
    }
}

void UmbralExit(TfrmReporte& dlg, vcl::TObject* sender) {
    if (dlg.SaliendoSinValidar(true)) return;
    auto* edit = static_cast<velmor::TVlmEdit*>(sender);
    double v = 0;
    try {
        v = edit->GetTextAsFloat();
    } catch (const text::ConvertError& e) {
        vcl::MessageBox(e.what(), kAdvertencia, vcl::MB_OK | vcl::MB_ICONINFORMATION);
        edit->SetFocus();
        return;
    }
    if (v < 0) {
        vcl::MessageBox(kNegativos, kAdvertencia, vcl::MB_OK | vcl::MB_ICONINFORMATION);
        edit->SetFocus();
    }
}

std::string HavingUmbrales(const std::string& mov, double cantidad, double monto) {
    return "Having Sum(" + mov + ".Cantidad) > " + NumeroSql(cantidad) + " And Sum(" + MontoNeto(mov) + ") > " +
           NumeroSql(monto);
}

void TablaDelAlias(db::TTable& tabla, const char* componente, const char* archivo) {
    tabla.Name = componente;
    tabla.DatabaseName = kAlias;
    tabla.TableName = archivo;
}

DosEdits GrupoDosEdits(TfrmReporte* form, const char* grupo, const char* caption, int top, const char* nombreIni,
                       const char* etiquetaIni, const char* nombreFin, const char* etiquetaFin) {
    auto* g = vcl::NewControl<vcl::TGroupBox>(form, grupo);
    g->SetCaption(caption);
    g->SetBounds(12, top, 400, 54);
    DosEdits par{vcl::NewControl<velmor::TVlmEdit>(g, nombreIni), vcl::NewControl<velmor::TVlmEdit>(g, nombreFin)};
    int left = 12;
    for (auto [e, etiqueta] : {std::pair{par.first, etiquetaIni}, std::pair{par.second, etiquetaFin}}) {
        auto* lbl = vcl::NewControl<vcl::TLabel>(g, std::string("lbl") + e->Name());
        lbl->SetCaption(etiqueta);
        lbl->SetBounds(left, 24, 50, 16);
        lbl->SetFocusControl(e);
        e->SetBounds(left + 52, 20, 130, 23);
        e->SetTabStop(true);
        left += 194;
    }
    return par;
}

DosEdits GrupoUmbrales(TfrmReporte* form, int top) {
    const DosEdits par =
        GrupoDosEdits(form, "grpVentas", "V&entas mayores a ", top, "edtUnidades", "&Unidades", "edtMonto", "Mon&to");
    for (auto* e : {par.first, par.second}) {
        e->SetTipoDeDato(velmor::tyNumero);
        e->SetDecimals(2);
        e->SetMaxLength(12);
        e->OnExit = [form](vcl::TObject* s) { UmbralExit(*form, s); };
    }
    par.first->SetText("0.00");
    par.second->SetText("$ 0.00");
    return par;
}

void EncabezadoProducto(report::Report& r, const TfrmReporte& dlg) {
    if (!dlg.strProdIni.empty() || !dlg.strProdFin.empty()) {
        r.SetCaption("lblProDesde", dlg.strProdIni);
        r.SetCaption("lblProHasta", dlg.strProdFin);
    } else {
        r.SetCaption("lblEDesdeP", "Todos");
        for (const char* l : {"lblEHastaP", "lblProDesde", "lblProHasta"}) r.SetCaption(l, "");
    }
    if (!dlg.strDeptoIni.empty() || !dlg.strDeptoFin.empty()) {
        r.SetCaption("lblDepDesde", dlg.strDeptoIni);
        r.SetCaption("lblDepHasta", dlg.strDeptoFin);
    } else {
        r.SetCaption("lblEDesdeD", "Todos");
        for (const char* l : {"lblEHastaD", "lblDepDesde", "lblDepHasta"}) r.SetCaption(l, "");
    }
    if (!dlg.strLinea.empty()) {
        r.SetCaption("lblClaveLin", dlg.strLineaTexto);
        r.SetCaption("lblLinea", dlg.strDescLinea);
    } else {
        r.SetCaption("lblClaveLin", "Todas");
        r.SetCaption("lblLinea", "");
    }
}

}  // namespace reportes
