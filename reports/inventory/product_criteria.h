// The criteria the product reports of one store share: the store, a product range checked
// against the store's stock, a department range, the product line, the title, and the stock
// condition; and the SQL text they become. The catalogue, the price list and the physical
// count each build these controls here and keep only their own captions and SQL.
// Not here: the checks each control runs when left (reports/framework/criteria.h).
#pragma once

#include <string>
#include <string_view>

#include "host/velmor/vlmedit.h"
#include "platform/4_adapters/db/list_source.h"
#include "platform/2_db/table.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/lists.h"
#include "reports/framework/criteria.h"
#include "reports/framework/sql_criteria.h"
#include "reports/framework/store_picker.h"

namespace reportes {

// The stock condition chosen in the radio group, as the line the query gets: item 1
// (zero or negative stock) " And <campo> <= 0"; item 0 nothing; any other item (the typed
// criterion, or nothing chosen) " And <campo> <operador><number>" with the number typed,
// thousands separators removed. Throws std::invalid_argument with a Spanish message for a
// text that is no number or an operator not offered, so no typed text ever reaches the SQL.
std::string LineaExistencia(int item, std::string_view operador, std::string numero,
                            std::string_view campo);
inline constexpr const char* kOperadores[] = {">", ">=", "=", "<", "<="};

// Captions of one dialog's shared controls, as that dialog writes them.
struct EtiquetasProducto {
    const char* tienda;
    const char* grupoProducto;
    const char* prodIni;
    const char* prodFin;
    const char* grupoDepto;  // nullptr: no department range
    const char* deptoIni;
    const char* deptoFin;
    const char* linea;
    const char* titulo;
    const char* tituloInicial;
};

class CriteriosProducto {
public:
    // Builds the controls on `dlg` from the top edge `top`; Bottom() is where they end.
    CriteriosProducto(TfrmReporte& dlg, const EtiquetasProducto& etiquetas, int top);

    SelectorTienda tienda;
    db::TTable tblExiste, tblLineas, tblDeptos;
    velmor::TVlmEdit* edtProdIni;
    velmor::TVlmEdit* edtProdFin;
    vcl::TDBLookupComboBox* lkcmbDepDesde = nullptr;
    vcl::TDBLookupComboBox* lkcmbDepHasta = nullptr;
    velmor::TVlmEdit* edtLinea2;
    vcl::TEdit* edtTitReporte;
    Criterios criterios;

    // The movement reports' "Fecha " group at `top`, its two date edits checked as a range.
    void GrupoFechas(int top);
    velmor::TVlmEdit* edtFecDesde = nullptr;
    velmor::TVlmEdit* edtFecHasta = nullptr;

    int Bottom() const { return bottom_; }
    // What FormCreate does: the current store's stock (and with it the product edits and the
    // two buttons), the lookups' tables, empty bounds and "?????" in the line edit.
    void Abre();
    // FormActivate: P1's store with its description and address, or the first store shown
    // with strTienda left empty until the store lookup is left.
    void Activa();
    // Preview or Print pressed: a dialog opened without a store reports on the one its lookup
    // shows, and lower bounds filled in by an earlier preview are the user's choice again.
    void AlPulsar();
    // The product, department and line conditions on the fields of `tabla` ("Inv." or ""),
    // each in parentheses of its own and each after " And ". With only a final product the
    // lower bound becomes the store's first stocked product, with only a final department
    // "01", and rows without a catalogue match stay; both bounds stay in the dialog's members
    // for the heading.
    std::string Condiciones(std::string_view tabla);
    // The first product the store keeps stock of: the lower bound when only the final one is set.
    std::string PrimerProducto();
    // The description of a department, empty when it is not in Deptos.
    std::string DescripcionDepto(const std::string& depto);

private:
    TfrmReporte& dlg_;
    db::TDataSetListSource fuenteDeptos_;
    int bottom_ = 0;
};

// The stock condition: a radio group of three items (every product, a typed criterion, zero
// or negative stock), the operator and the number, enabled only for the criterion.
class CondicionExistencia {
public:
    // `items` are the radio group's three captions; the number edit takes `decimales`.
    CondicionExistencia(TfrmReporte& dlg, const char* const (&items)[3], int top, int decimales);
    vcl::TRadioGroup* rdgpCriterio;
    vcl::TComboBox* cmbCriterio;
    velmor::TVlmEdit* edtCriterio;
    void rdgpCriterioClick(vcl::TObject* sender);
    // The line the query gets for the chosen item (LineaExistencia) on `campo`.
    std::string Linea(std::string_view campo) const;
    int Bottom() const { return bottom_; }

private:
    int bottom_ = 0;
};

}  // namespace reportes
