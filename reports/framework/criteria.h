// The criteria every report asks with the same controls, names, defaults, checks and
// messages: the store, a department range, a product range, a product line, a date range, and
// the cashier and seller; and the SQL fragments they become. A dialog creates the controls it
// has, hands them to its Criterios, and reads the results from the dialog's members
// (strTienda, strDeptoIni, strProdIni, strLinea...).
// Not here: the range of a catalogue's own key (TfrmReporte::RangoExit).
#pragma once

#include <string>
#include <string_view>

#include "host/velmor/vlmedit.h"
#include "platform/2_db/table.h"
#include "platform/2_vcl/dblookup.h"
#include "reports/framework/dialog.h"
#include "reports/framework/store_picker.h"

namespace reportes {

// Who is a cashier and who a seller, as the users' lookups filter them: a seller's kind is
// "D"; every other user (kinds "A" and "C") works a register. One rule for every dialog.
inline constexpr const char* kFiltroCajeros = "TipoUsr<>'D'";
inline constexpr const char* kFiltroVendedores = "TipoUsr= 'D'";

// The typed conditions of sql_criteria.h in the form the dialogs append after a WHERE: each
// starts with " And ", so they follow one another in any order; "" for an empty value.
// " And (E.Tienda = '01')"
std::string FragmentoTienda(std::string_view campo, std::string_view tienda);
// " And (Inv.Producto Between '0001' And '0100')"; one bound alone gives an open range.
std::string FragmentoRango(std::string_view campo, std::string_view ini, std::string_view fin);
// " And (Inv.Linea Like 'AB%' ESCAPE '\')", or "" when the line criterion is empty.
std::string FragmentoLinea(std::string_view campo, std::string_view lineaTecleada);
// " And (Cajero = '015')": the one user the report is limited to.
std::string FragmentoUsuario(std::string_view campo, std::string_view codigo);

class Criterios {
public:
    explicit Criterios(TfrmReporte& dialogo) : dlg_(dialogo) {}

    // The dialog's store lookup; its choice filters `existencias` (the store's stock) and
    // enables the product edits, Preview and Print only when the store has stock.
    void Tienda(SelectorTienda& selector, db::TTable* existencias);
    // The department range over Deptos, into strDeptoIni and strDeptoFin.
    void Deptos(vcl::TDBLookupComboBox* desde, vcl::TDBLookupComboBox* hasta);
    // The product range, checked against the store's stock, into strProdIni and strProdFin.
    void Productos(velmor::TVlmEdit* ini, velmor::TVlmEdit* fin);
    // The line code or pattern, looked up in `lineas`; "?????" at first.
    void Linea(velmor::TVlmEdit* edit, db::TTable* lineas);
    // The date range, today in both at first.
    void Fechas(velmor::TVlmEdit* desde, velmor::TVlmEdit* hasta);
    // Cashier and seller lookups over one Usuarios table: each lists its own kind of user.
    void Usuarios(vcl::TDBLookupComboBox* cajero, vcl::TDBLookupComboBox* vendedor,
                  db::TTable* usuarios);

    // The store's stock, description and address, and what that enables. FormCreate calls it
    // for the configuration's current store, the store lookup for the chosen one.
    void CambiaTienda(const std::string& codigo);

    // The Exit handlers, public for dialogs that wire them to more controls.
    void DeptosExit(vcl::TObject* sender);
    void ProductosExit(vcl::TObject* sender);
    void LineaExit(vcl::TObject* sender);
    void FechasExit(vcl::TObject* sender);

private:
    TfrmReporte& dlg_;
    vcl::TDBLookupComboBox* tienda_ = nullptr;
    db::TDataSet* tiendas_ = nullptr;
    db::TTable* existencias_ = nullptr;
    vcl::TDBLookupComboBox* deptoDesde_ = nullptr;
    vcl::TDBLookupComboBox* deptoHasta_ = nullptr;
    velmor::TVlmEdit* prodIni_ = nullptr;
    velmor::TVlmEdit* prodFin_ = nullptr;
    velmor::TVlmEdit* linea_ = nullptr;
    db::TTable* lineas_ = nullptr;
    velmor::TVlmEdit* fecDesde_ = nullptr;
    velmor::TVlmEdit* fecHasta_ = nullptr;
};

}  // namespace reportes
