// The table of the menu's reports and dlopen behind the exports.
#include "host/razir/gui/report_menu.h"

#include <dlfcn.h>

namespace razir::gui {

const std::vector<ReportGroup>& ReportGroups() {
    static const std::vector<ReportGroup> groups = {
        {"mnuCatalogos", "&Catálogos",
         {{"RTiendas", "Catálogo de &tiendas..."},
          {"RCajas", "Catálogo de &cajas..."},
          {"RDispositivos", "Catálogo de &dispositivos..."},
          {"RTipoPagos", "Catálogo de &formas de pago..."},
          {"RUsuarios", "Catálogo de &usuarios..."},
          {"RDepartamentos", "Catálogo de d&epartamentos..."},
          {"RLineas", "Catálogo de &líneas..."},
          {"RMonedas", "Catálogo de &monedas..."},
          {"REsquema", "Catálogo de e&squemas..."}}},
        {"mnuInventario", "&Inventario",
         {{"RCatInventario", "&Catálogo de productos..."},
          {"RListaPrecios", "&Lista de precios..."},
          {"RInvFisico", "Inventario &físico..."},
          {"RKardex", "&Kárdex..."},
          {"RMovProd", "&Recepción y salida..."},
          {"REtiqueta", "&Etiquetas forma continua..."},
          {"RCodBar", "Código de &barras..."}}},
        {"mnuVentas", "&Ventas",
         {{"RVenXProducto", "Estadísticas de ventas por &producto..."},
          {"RVenXCajero", "Estadísticas de ventas por &cajero..."},
          {"RVenXTienda", "Estadísticas de ventas por &tienda..."},
          {"RVenXVendedor", "Estadisticas de productos por &vendedor..."},
          {"RVenXLinProd", "Estadísticas de ventas por &línea de producto..."},
          {"RVendXProd", "Estadisticas por vendedor por productos..."},
          {"RTieXProd", "Estadísticas por tienda-producto..."},
          {"RCajXProd", "Estadísticas por cajero-producto..."},
          {"RVenXProdDiario", "Ventas por producto (&diario)..."},
          {"RResXCajero", "Resumen de ventas por cajero..."},
          {"RResXProducto", "Resumen de ventas por producto..."},
          {"RResXTienda", "Resumen de ventas por tienda..."},
          {"RResXVendedor", "Resumen de ventas por vendedor..."}}},
        {"mnuIngresos", "I&ngresos",
         {{"RIngresoXTienda", "Estadísticas de ingresos por &tienda..."},
          {"RIngresoXCajero", "Estadísticas de ingresos por &cajero..."},
          {"RIngresoXPeriodo", "Estadísticas de ingresos por &periodo..."},
          {"RIngresoSemanal", "Resumen &semanal de ingresos..."},
          {"RResumenVentaHora", "Ventas por &hora..."},
          {"RResumenVentaDiaro", "&Resumen de ventas..."},
          {"RVentasPorTPago", "Ventas por &formas de pago..."},
          {"RCompFiscal", "Comprobación fisc&al..."},
          {"RComPorVendedor", "Comisión por &vendedor..."},
          {"RPoliticas", "Política de &ofertas..."}}},
        {"mnuCaja", "Ca&ja",
         {{"RImpresionNotas", "&Reimpresión de notas..."},
          {"RCorte", "&Corte de caja..."},
          {"RCajasConcen", "Relación semanal de cajas &concentradas..."},
          {"RReportesUsr", "Reportes del &usuario...", EntryKind::NoArgs}}},
    };
    return groups;
}

SharedReportLibrary::SharedReportLibrary(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = dlerror();
        error_ = "No se pudo cargar \"" + path + "\"" + (why ? std::string(": ") + why : std::string());
    }
}

SharedReportLibrary::~SharedReportLibrary() {
    if (handle_) dlclose(handle_);
}

void* SharedReportLibrary::Find(std::string_view exportName) {
    if (!handle_) return nullptr;
    return dlsym(handle_, std::string(exportName).c_str());
}

}  // namespace razir::gui
