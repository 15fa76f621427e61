// Sales by seller: each product and, under it, what each seller sold of it.
#include "reports/framework/entry.h"
#include "reports/sales/ventas_por_clave.h"

namespace reportes {

class TfrmVentaXVen : public TfrmVentasPorClave {
public:
    explicit TfrmVentaXVen(vcl::TComponent* owner)
        : TfrmVentasPorClave(owner, {ClaveVenta::Vendedor, "TfrmVentaXVen", "Estadisticas de productos por vendedor",
                                     72, "RVenXVen.QR2", "Ventas de producto por vendedor",
                                     "La clave del Cajero inicial no debe ser mayor a la final"}) {}
};

}  // namespace reportes

REPORTES_EXPORT void RVenXVendedor(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmVentaXVen>(p1, p2, p3);
}
