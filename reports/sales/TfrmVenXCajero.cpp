// Sales by cashier: each product and, under it, what each cashier sold of it.
#include "reports/framework/entry.h"
#include "reports/sales/ventas_por_clave.h"

namespace reportes {

class TfrmVenXCajero : public TfrmVentasPorClave {
public:
    explicit TfrmVenXCajero(vcl::TComponent* owner)
        : TfrmVentasPorClave(owner, {ClaveVenta::Cajero, "TfrmVenXCajero", "Estadísticas de ventas por cajero", 69,
                                     "RVenXCaj.QR2", "Ventas de producto por cajero",
                                     "La clave del Cajero inicial no debe ser mayor a la final"}) {}
};

}  // namespace reportes

REPORTES_EXPORT void RVenXCajero(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmVenXCajero>(p1, p2, p3);
}
