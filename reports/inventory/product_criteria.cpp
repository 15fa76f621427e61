// The shared product criteria of the inventory reports: their controls, defaults and SQL text.
#include "reports/inventory/product_criteria.h"

#include <algorithm>
#include <stdexcept>

#include "host/tolmabase/tolmabase.h"
#include "platform/2_db/quote.h"
#include "platform/1_text/format.h"
#include "platform/2_vcl/application.h"
#include "platform/2_vcl/panels.h"
#include "reports/framework/config.h"

namespace reportes {
namespace {

constexpr const char* kLineaInicial = "?????";
constexpr const char* kHintProdIni = "Clave del producto inicial";
constexpr const char* kHintProdFin = "Clave del producto final";
constexpr const char* kGrupoFecha = "Fecha ";
constexpr const char* kFecDesde = "&Desde";
constexpr const char* kFecHasta = "&Hasta";
constexpr const char* kCriterioNoNumero = "El criterio de existencias debe ser un número: ";
constexpr const char* kOperadorNoValido = "Operador de comparación no válido: ";

vcl::TLabel* Etiqueta(vcl::TWinControl* parent, const std::string& name, const char* caption,
                      vcl::TWinControl* control, int left, int top, int width) {
    auto* l = vcl::NewControl<vcl::TLabel>(parent, name);
    l->SetCaption(caption);
    l->SetBounds(left, top + 4, width, 16);
    l->SetFocusControl(control);
    return l;
}

velmor::TVlmEdit* EditProducto(vcl::TWinControl* parent, const char* name, const char* hint) {
    auto* e = vcl::NewControl<velmor::TVlmEdit>(parent, name);
    e->SetMaxLength(20);
    e->SetHint(hint);
    e->SetShowHint(true);
    e->SetTabStop(true);
    return e;
}

}  // namespace

std::string LineaExistencia(int item, std::string_view operador, std::string numero,
                            std::string_view campo) {
    if (item == 0) return {};
    if (item == 2) return " And " + std::string(campo) + " <= 0";
    if (std::find(std::begin(kOperadores), std::end(kOperadores), operador) == std::end(kOperadores))
        throw std::invalid_argument(kOperadorNoValido + std::string(operador));
    tolmabase::QuitaSeparadorMillar(numero);
    const auto valor = text::TryStrToFloat(numero);
    if (!valor) throw std::invalid_argument(kCriterioNoNumero + numero);
    return " And " + std::string(campo) + " " + std::string(operador) + NumeroSql(*valor);
}

CriteriosProducto::CriteriosProducto(TfrmReporte& dlg, const EtiquetasProducto& e, int top)
    : tienda(dlg, &dlg, e.tienda, 12, top, 260, 150), criterios(dlg), dlg_(dlg), fuenteDeptos_(tblDeptos) {
    for (auto [tabla, nombre] : {std::pair{&tblExiste, "Exist"}, {&tblLineas, "Lineas"}, {&tblDeptos, "Deptos"}}) {
        tabla->DatabaseName = kAlias;
        tabla->TableName = nombre;
    }
    int y = top + 34;
    auto* gbProducto = vcl::NewControl<vcl::TGroupBox>(&dlg, "gbProducto");
    gbProducto->SetCaption(e.grupoProducto);
    gbProducto->SetBounds(12, y, 420, 56);
    edtProdIni = EditProducto(gbProducto, "edtProdIni", kHintProdIni);
    edtProdIni->SetBounds(70, 22, 130, 23);
    Etiqueta(gbProducto, "lblProdIni", e.prodIni, edtProdIni, 10, 22, 58);
    edtProdFin = EditProducto(gbProducto, "edtProdFin", kHintProdFin);
    edtProdFin->SetBounds(270, 22, 130, 23);
    Etiqueta(gbProducto, "lblProdFin", e.prodFin, edtProdFin, 214, 22, 54);

    y += 64;
    if (e.grupoDepto) {
        auto* gbDepto = vcl::NewControl<vcl::TGroupBox>(&dlg, "gbDepto");
        gbDepto->SetCaption(e.grupoDepto);
        gbDepto->SetBounds(12, y, 420, 56);
        lkcmbDepDesde = dlg.NuevoLookup(gbDepto, "lkcmbDepDesde", &fuenteDeptos_, "Depto", "Depto;Descripcio",
                                        e.deptoIni, 10, 22, 130, 60);
        lkcmbDepHasta = dlg.NuevoLookup(gbDepto, "lkcmbDepHasta", &fuenteDeptos_, "Depto", "Depto;Descripcio",
                                        e.deptoFin, 214, 22, 130, 56);
        y += 66;
    }
    edtLinea2 = vcl::NewControl<velmor::TVlmEdit>(&dlg, "edtLinea2");
    edtLinea2->SetMaxLength(5);
    edtLinea2->SetTabStop(true);
    edtLinea2->SetBounds(162, y, 80, 23);
    Etiqueta(&dlg, "lblLinea2", e.linea, edtLinea2, 12, y, 146);

    y += 32;
    edtTitReporte = vcl::NewControl<vcl::TEdit>(&dlg, "edtTitReporte");
    edtTitReporte->SetMaxLength(60);
    edtTitReporte->SetText(e.tituloInicial);
    edtTitReporte->SetTabStop(true);
    edtTitReporte->SetBounds(162, y, 270, 23);
    Etiqueta(&dlg, "lblTitReporte", e.titulo, edtTitReporte, 12, y, 146);
    bottom_ = y + 32;

    criterios.Tienda(tienda, &tblExiste);
    criterios.Productos(edtProdIni, edtProdFin);
    if (lkcmbDepDesde) criterios.Deptos(lkcmbDepDesde, lkcmbDepHasta);
    criterios.Linea(edtLinea2, &tblLineas);
}

void CriteriosProducto::GrupoFechas(int top) {
    auto* gbFecha = vcl::NewControl<vcl::TGroupBox>(&dlg_, "gbFecha");
    gbFecha->SetCaption(kGrupoFecha);
    gbFecha->SetBounds(12, top, 420, 56);
    auto fecha = [&](const char* name, const char* caption, int left) {
        auto* e = vcl::NewControl<velmor::TVlmEdit>(gbFecha, name);
        e->SetTabStop(true);
        e->SetBounds(left + 60, 22, 120, 23);
        Etiqueta(gbFecha, std::string("lbl") + (name + 3), caption, e, left, 22, 56);
        return e;
    };
    edtFecDesde = fecha("edtFecDesde", kFecDesde, 10);
    edtFecHasta = fecha("edtFecHasta", kFecHasta, 214);
    criterios.Fechas(edtFecDesde, edtFecHasta);
}

void CriteriosProducto::Abre() {
    vcl::Screen->SetCursor(vcl::crHourGlass);
    tienda.Abre();
    for (auto* t : {&tblLineas, &tblDeptos})
        if (!t->Active()) t->Open();
    criterios.CambiaTienda(Configuracion().TiendaActual);
    // CambiaTienda made the configuration's store the dialog's; FormActivate decides which
    // store the dialog starts with.
    dlg_.strTienda.clear();
    dlg_.strLinea.clear();
    dlg_.strLineaTexto.clear();
    dlg_.strDescLinea.clear();
    edtLinea2->SetText(kLineaInicial);
    dlg_.strDeptoIni.clear();
    dlg_.strDeptoFin.clear();
    dlg_.strProdIni.clear();
    dlg_.strProdFin.clear();
    vcl::Screen->SetCursor(vcl::crDefault);
}

void CriteriosProducto::Activa() {
    if (!dlg_.strTienda.empty() && tienda.Muestra(dlg_.strTienda)) {
        criterios.CambiaTienda(dlg_.strTienda);
        return;
    }
    tienda.tiendas.First();
    if (tienda.tiendas.Eof()) return;
    tienda.Muestra(tienda.tiendas.FieldByName("Tienda").AsString());
    dlg_.strDirTienda.clear();
    dlg_.strTienda.clear();
}

void CriteriosProducto::AlPulsar() {
    if (dlg_.strTienda.empty()) dlg_.strTienda = tienda.combo->KeyValue();
    dlg_.strProdIni = edtProdIni->Text();
    if (lkcmbDepDesde) dlg_.strDeptoIni = lkcmbDepDesde->KeyValue();
}

std::string CriteriosProducto::Condiciones(std::string_view tabla) {
    const std::string t(tabla);
    CriteriosElegidos elegidos;
    if (!dlg_.strProdIni.empty() || !dlg_.strProdFin.empty())
        elegidos.productos = CompletaInicial({dlg_.strProdIni, dlg_.strProdFin}, PrimerProducto());
    if (!dlg_.strDeptoIni.empty() || !dlg_.strDeptoFin.empty())
        elegidos.deptos = CompletaInicial({dlg_.strDeptoIni, dlg_.strDeptoFin}, "01");
    elegidos.linea = dlg_.strLinea;
    dlg_.strProdIni = elegidos.productos.ini;
    dlg_.strDeptoIni = elegidos.deptos.ini;
    ColumnasCriterio columnas;
    columnas.producto = t + "Producto";
    columnas.depto = t + "Depto";
    columnas.linea = t + "Linea";
    return YAdemas(reportes::Condiciones(elegidos, columnas));
}

std::string CriteriosProducto::PrimerProducto() {
    if (!tblExiste.Active()) tblExiste.Open();
    tblExiste.First();
    return tblExiste.Eof() ? std::string() : tblExiste.FieldByName("Producto").AsString();
}

std::string CriteriosProducto::DescripcionDepto(const std::string& depto) {
    if (!tblDeptos.Active()) tblDeptos.Open();
    if (depto.empty() || !tblDeptos.Locate("Depto", {db::Value(depto)})) return {};
    return tblDeptos.FieldByName("Descripcio").AsString();
}

CondicionExistencia::CondicionExistencia(TfrmReporte& dlg, const char* const (&items)[3], int top,
                                         int decimales) {
    rdgpCriterio = vcl::NewControl<vcl::TRadioGroup>(&dlg, "rdgpCriterio");
    rdgpCriterio->SetColumns(2);
    rdgpCriterio->SetTabStop(true);
    rdgpCriterio->SetBounds(12, top, 420, 60);
    for (const char* c : items) rdgpCriterio->Items().Add(c);
    rdgpCriterio->OnClick = [this](vcl::TObject* s) { rdgpCriterioClick(s); };
    cmbCriterio = vcl::NewControl<vcl::TComboBox>(&dlg, "cmbCriterio");
    cmbCriterio->SetStyle(vcl::csDropDownList);
    for (const char* o : kOperadores) cmbCriterio->Items().Add(o);
    cmbCriterio->SetBounds(12, top + 68, 60, 23);
    cmbCriterio->SetTabStop(true);
    edtCriterio = vcl::NewControl<velmor::TVlmEdit>(&dlg, "edtCriterio");
    edtCriterio->SetTipoDeDato(velmor::tyNumero);
    edtCriterio->SetMaxLength(20);
    edtCriterio->SetText("0");
    edtCriterio->SetDecimals(decimales);
    edtCriterio->SetBounds(80, top + 68, 120, 23);
    edtCriterio->SetTabStop(true);
    rdgpCriterioClick(nullptr);
    bottom_ = top + 100;
}

void CondicionExistencia::rdgpCriterioClick(vcl::TObject*) {
    const bool criterio = rdgpCriterio->ItemIndex() == 1;
    cmbCriterio->SetEnabled(criterio);
    edtCriterio->SetEnabled(criterio);
}

std::string CondicionExistencia::Linea(std::string_view campo) const {
    return LineaExistencia(rdgpCriterio->ItemIndex(), cmbCriterio->Text(), edtCriterio->Text(), campo);
}

}  // namespace reportes
