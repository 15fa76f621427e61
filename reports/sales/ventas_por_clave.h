// The three sales analyses by key (cashier, store, seller): for a date range, each product
// sold and under it the quantity and amount before taxes of every cashier, store or seller,
// with a range of that key, one value of each of the other two keys, the product, department
// and line criteria and thresholds on quantity and amount. One dialog shape, told apart by
// the key it groups by.
// Not here: the layouts (layouts/RVenXCaj.QR2, RVenXTie.QR2, RVenXVen.QR2).
#pragma once

#include <string>

#include "host/velmor/vlmedit.h"
#include "platform/4_adapters/db/list_source.h"
#include "platform/2_db/table.h"
#include "platform/2_vcl/edits.h"
#include "reports/framework/criteria.h"
#include "reports/framework/dialog.h"

namespace reportes {

// The three keys: the movement's column, its catalogue and how the dialog names it.
enum class ClaveVenta { Cajero, Tienda, Vendedor };

class TfrmVentasPorClave : public TfrmReporte {
public:
    struct Textos {
        ClaveVenta clave;
        const char* clase;
        const char* caption;
        int helpContext;
        const char* layout;
        const char* titulo;
        const char* mensajeRango;
    };
    TfrmVentasPorClave(vcl::TComponent* owner, const Textos& textos);

    velmor::TVlmEdit* edtProdIni;
    velmor::TVlmEdit* edtProdFin;
    velmor::TVlmEdit* edtFecDesde;
    velmor::TVlmEdit* edtFecHasta;
    velmor::TVlmEdit* edtUnidades;
    velmor::TVlmEdit* edtMonto;
    vcl::TDBLookupComboBox* lkcmbDepDesde;
    vcl::TDBLookupComboBox* lkcmbDepHasta;
    vcl::TDBLookupComboBox* lkcmbDesde;  // the key range
    vcl::TDBLookupComboBox* lkcmbHasta;
    vcl::TDBLookupComboBox* lkcmbTiendas = nullptr;  // the single values the key leaves
    vcl::TDBLookupComboBox* lkcmbCajero = nullptr;
    vcl::TDBLookupComboBox* lkcmbVendedor = nullptr;
    velmor::TVlmEdit* edtLinea2;
    vcl::TEdit* edtTitReporte;
    db::TTable tblDeptos, tblLineas, tblTiendas, tblUsuarios, tblProductos;

    void AsignaArgumentos(const std::string&, const std::string&) override {}

protected:
    std::string ArchivoReporte() override { return textos_.layout; }
    void PrepararReporte() override;
    void AlPedirParametros(report::Dataset& ds, report::Params& params) override;
    void AlAbrirDataset(report::Dataset& ds) override;
    void AlCargarReporte(report::Report& r) override;

private:
    std::string Condiciones();
    std::string Nombre(db::TTable& tabla, const char* campoClave, const char* campoNombre, const std::string& clave);

    Textos textos_;
    Criterios criterios_{*this};
    db::TDataSetListSource fuenteDeptos_, fuenteTiendas_, fuenteUsuarios_;
    std::string subtitulo_;
    double minCantidad_ = 0, minMonto_ = 0;
    text::TDateTime dDesde_ = 0, dHasta_ = 0;
};

}  // namespace reportes
