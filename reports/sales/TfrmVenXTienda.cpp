// Sales by store: each product and, under it, what each store sold of it.
#include "reports/framework/entry.h"
#include "reports/sales/ventas_por_clave.h"

namespace reportes {

class TfrmVenXTienda : public TfrmVentasPorClave {
public:
    explicit TfrmVenXTienda(vcl::TComponent* owner)
        : TfrmVentasPorClave(owner, {ClaveVenta::Tienda, "TfrmVenXTienda", "Estadísticas de ventas por tienda", 217,
                                     "RVenXTie.QR2", "Ventas de producto por tienda",
                                     "La clave de la tienda inicial no debe ser mayor a la final"}) {}
};

}  // namespace reportes

REPORTES_EXPORT void RVenXTienda(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmVenXTienda>(p1, p2, p3);
}
