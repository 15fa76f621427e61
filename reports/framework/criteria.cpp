// The shared criteria controls: their Exit handlers, defaults and SQL fragments.
#include "reports/framework/criteria.h"

#include "host/tolmabase/consultas.h"
#include "platform/2_db/quote.h"
#include "platform/1_text/format.h"
#include "platform/1_text/trim.h"
#include "platform/2_vcl/application.h"
#include "platform/2_vcl/dialogs.h"
#include "reports/framework/date_pick.h"
#include "reports/framework/line_pattern.h"
#include "reports/framework/sql_criteria.h"
#include "reports/framework/store_picker.h"

namespace reportes {
namespace {

constexpr const char* kAdvertencia = "Advertencia";
constexpr const char* kDeptos = "La clave del departamento inicial no debe ser mayor a la final";
constexpr const char* kProductos = "La clave del producto inicial no debe ser mayor a la final";
constexpr const char* kLineaNoExiste = "La clave no existe en el catálogo de Líneas. Favor de verificarla";
constexpr const char* kPoliticas = "Políticas";
constexpr const char* kFechas = "La fecha inicial no debe ser mayor que la fecha final";
constexpr const char* kLineaInicial = "?????";
constexpr const char* kConsultaInventario = "F2 Consultar inventario";
constexpr const char* kConsultaLineas = "F2 Consultar lineas";

void Informa(const char* texto) {
    vcl::MessageBox(texto, kAdvertencia, vcl::MB_OK | vcl::MB_ICONINFORMATION);
}

// The stock table with its store filter off for one look-up, then as it was.
bool EnExistencias(db::TTable& existencias, const std::string& tienda, const std::string& producto) {
    const bool filtrada = existencias.Filtered();
    existencias.SetFiltered(false);
    const bool hay = existencias.Locate("Tienda;Producto", {db::Value(tienda), db::Value(producto)});
    existencias.SetFiltered(filtrada);
    return hay;
}

}  // namespace

namespace {
// The dialogs' " And ..." form of the typed conditions: one rule for quoting and ranges.
std::string Y(std::string condicion) { return condicion.empty() ? condicion : " And " + condicion; }
}  // namespace

std::string FragmentoTienda(std::string_view campo, std::string_view tienda) {
    return Y(CondicionIgual(campo, tienda));
}

std::string FragmentoRango(std::string_view campo, std::string_view ini, std::string_view fin) {
    return Y(CondicionRango(campo, RangoClaves{std::string(ini), std::string(fin)}));
}

std::string FragmentoLinea(std::string_view campo, std::string_view lineaTecleada) {
    return Y(CondicionLinea(campo, lineaTecleada));
}

std::string FragmentoUsuario(std::string_view campo, std::string_view codigo) {
    return Y(CondicionIgual(campo, codigo));
}

void Criterios::Tienda(SelectorTienda& selector, db::TTable* existencias) {
    tienda_ = selector.combo;
    tiendas_ = &selector.tiendas;
    existencias_ = existencias;
    selector.AlCambiar = [this](const std::string& codigo) { CambiaTienda(codigo); };
}

void Criterios::CambiaTienda(const std::string& codigo) {
    vcl::Screen->SetCursor(vcl::crHourGlass);
    if (existencias_) {
        if (!existencias_->Active()) existencias_->Open();
        existencias_->SetFilter("Tienda = " + db::QuoteFilterValue(codigo));
        existencias_->SetFiltered(true);
    }
    dlg_.strTienda = codigo;
    if (tienda_ && tienda_->KeyValue() != codigo) tienda_->SetKeyValue(codigo);
    if (tiendas_) TomaTienda(dlg_, *tiendas_, codigo);
    bool hay = true;
    if (existencias_) {
        existencias_->First();
        hay = !existencias_->Eof();
    }
    for (vcl::TControl* c : {static_cast<vcl::TControl*>(prodIni_), static_cast<vcl::TControl*>(prodFin_),
                             static_cast<vcl::TControl*>(dlg_.btnPreview),
                             static_cast<vcl::TControl*>(dlg_.btnImprimir)})
        if (c) c->SetEnabled(hay);
    vcl::Screen->SetCursor(vcl::crDefault);
}

void Criterios::Deptos(vcl::TDBLookupComboBox* desde, vcl::TDBLookupComboBox* hasta) {
    deptoDesde_ = desde;
    deptoHasta_ = hasta;
    for (auto* c : {desde, hasta}) c->OnExit = [this](vcl::TObject* s) { DeptosExit(s); };
}

void Criterios::DeptosExit(vcl::TObject* sender) {
    dlg_.RangoExit(sender, deptoDesde_, deptoHasta_, kDeptos, dlg_.strDeptoIni, dlg_.strDeptoFin);
}

void Criterios::Productos(velmor::TVlmEdit* ini, velmor::TVlmEdit* fin) {
    prodIni_ = ini;
    prodFin_ = fin;
    for (auto* e : {ini, fin}) {
        e->OnExit = [this](vcl::TObject* s) { ProductosExit(s); };
        // The product lookup lists the stock of the store shown in the store lookup.
        e->SetBoton1Visible(true);
        e->SetBoton1Hint(kConsultaInventario);
        e->OnBoton1Click = [this, e](vcl::TObject*) {
            tolmabase::HelpInve(e, tienda_ ? tienda_->KeyValue() : dlg_.strTienda);
        };
    }
}

void Criterios::ProductosExit(vcl::TObject* sender) {
    auto* edit = static_cast<velmor::TVlmEdit*>(sender);
    if (dlg_.SaliendoSinValidar(true)) return;
    // A product without stock in the store cannot be entered: the focus stays, no message.
    if (!edit->Text().empty() && existencias_ &&
        !EnExistencias(*existencias_, dlg_.strTienda, edit->Text())) {
        edit->SetFocus();
        return;
    }
    const std::string ini = prodIni_->Text();
    const std::string fin = prodFin_->Text();
    if (ini > fin) {
        if (edit == prodIni_) {
            prodFin_->SetText(ini);
            prodIni_->SetFocus();
        } else if (!fin.empty()) {
            Informa(kProductos);
            prodFin_->SetFocus();
        }
    }
    dlg_.strProdIni = prodIni_->Text();
    dlg_.strProdFin = prodFin_->Text();
    if (dlg_.strProdFin.empty() && existencias_) {
        existencias_->Last();
        if (!existencias_->IsEmpty()) dlg_.strProdFin = existencias_->FieldByName("Producto").AsString();
    }
}

void Criterios::Linea(velmor::TVlmEdit* edit, db::TTable* lineas) {
    linea_ = edit;
    lineas_ = lineas;
    edit->SetText(kLineaInicial);
    edit->OnExit = [this](vcl::TObject* s) { LineaExit(s); };
    edit->SetBoton1Visible(true);
    edit->SetBoton1Hint(kConsultaLineas);
    edit->OnBoton1Click = [this](vcl::TObject*) {
        if (!lineas_) return;
        if (!lineas_->Active()) lineas_->Open();
        lineas_->Refresh();
        tolmabase::Consultas(&dlg_, *lineas_, linea_, {"CLV_LIN", "DESC_LIN"}, {"Clave", "Descripción"},
                             "Consulta de líneas", "", "Clv_Lin", &dlg_.strLinea);
    };
}

void Criterios::LineaExit(vcl::TObject*) {
    if (dlg_.SaliendoSinValidar(true)) return;
    const std::string texto = linea_->Text();
    if (text::Trim(texto).empty()) return;  // an earlier line stays
    dlg_.strLinea = texto;
    dlg_.strLineaTexto = texto;
    if (LineaIsPattern(texto)) {
        dlg_.strDescLinea.clear();
        return;
    }
    if (lineas_ && !lineas_->Active()) lineas_->Open();
    if (lineas_ && lineas_->Locate("Clv_Lin", {db::Value(texto)})) {
        dlg_.strDescLinea = lineas_->FieldByName("Desc_Lin").AsString();
        return;
    }
    vcl::MessageBox(kLineaNoExiste, kPoliticas, vcl::MB_OK | vcl::MB_ICONERROR);
    linea_->SetFocus();
}

void Criterios::Fechas(velmor::TVlmEdit* desde, velmor::TVlmEdit* hasta) {
    fecDesde_ = desde;
    fecHasta_ = hasta;
    for (auto* e : {desde, hasta}) {
        e->SetTipoDeDato(velmor::tyFecha);
        e->SetDate(text::Today());
        e->OnExit = [this](vcl::TObject* s) { FechasExit(s); };
        ConSelectorFecha(e);
    }
}

void Criterios::FechasExit(vcl::TObject* sender) {
    auto* edit = static_cast<velmor::TVlmEdit*>(sender);
    if (dlg_.SaliendoSinValidar(true)) return;
    text::TDateTime desde = 0, hasta = 0;
    try {
        desde = fecDesde_->TextAsDate();
        hasta = fecHasta_->TextAsDate();
    } catch (const text::ConvertError& e) {
        // A date that does not exist is refused where it was typed, in the user's words.
        vcl::MessageBox(e.what(), kAdvertencia, vcl::MB_OK | vcl::MB_ICONINFORMATION);
        edit->SetFocus();
        return;
    }
    if (desde > hasta) {
        Informa(kFechas);
        edit->SetFocus();
    }
}

void Criterios::Usuarios(vcl::TDBLookupComboBox* cajero, vcl::TDBLookupComboBox* vendedor,
                         db::TTable* usuarios) {
    auto lista = [usuarios](const char* filtro) {
        return [usuarios, filtro](vcl::TObject*) {
            usuarios->SetFiltered(false);
            usuarios->SetFilter(filtro);
            usuarios->SetFiltered(true);
            usuarios->Refresh();
        };
    };
    if (cajero) cajero->OnEnter = lista(kFiltroCajeros);
    if (vendedor) vendedor->OnEnter = lista(kFiltroVendedores);
}

}  // namespace reportes
