// The host's configuration object as the reports and the note printer read it: company,
// current store, register and user, taxes, movement codes, print options, working date.
// Filled by the installation's loader (installation.h) before any report runs.
// Not here: folders, ports and regional settings of the installation (installation.h).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/1_text/datetime.h"

namespace velmor {

class TRazirConfig {
public:
    // Set: store and dates selectable, help "Razir.chm"; clear: locked to TiendaActual and
    // FechaTrabajo, help "Tolmaa.chm".
    bool AccesoTotal = true;
    // Per-day sales files named after the store (set) or the register (clear).
    bool ArchivosPorTienda = false;
    // Stored prices and amounts include the taxes of the product's tax scheme.
    bool PreciosConImpuestos = true;
    std::uint8_t ModuloClientes = 0;

    std::string NomImpuesto1 = "IVA";
    std::string NomImpuesto2;
    std::string NomImpuesto3;
    std::string NomImpuesto4;
    double PorcImpuesto1 = 16.0;
    double PorcImpuesto2 = 0.0;
    double PorcImpuesto3 = 0.0;
    double PorcImpuesto4 = 0.0;

    std::string TiendaActual = "01";
    std::string CajaActual = "01";
    std::string UsuarioActual = "001";

    std::string NomEmpresa;
    std::string DirEmpresa;
    std::string PobEmpresa;
    std::string CPEmpresa;
    std::string RFCEmpresa;

    std::int16_t DecCantidad = 2;

    // TipoMov codes of the inventory movements.
    std::int16_t TipoMovCompras = 1;
    std::int16_t TipoMovVentas = 2;
    std::int16_t TipoMovDevCompras = 3;
    std::int16_t TipoMovDevVentas = 4;
    std::int16_t TipoMovEntrada = 5;
    std::int16_t TipoMovSalida = 6;
    std::int16_t TipoMovAjustes = 7;
    std::int16_t TipoMovPerdidas = 8;

    std::int32_t OpcionImpresion = 0;

    text::TDateTime FechaTrabajo = 0;  // the loader sets today when the file names no date

    // Description (Descripcio) of TiendaActual in the Tiendas table; "" when the store is not
    // there or no lookup has been given.
    std::string GetDescripcionTienda() const;

    // How GetDescripcionTienda reaches the Tiendas table: the program installs a function over
    // the data layer; tests install their own.
    using StoreLookup = std::function<std::optional<std::string>(std::string_view store)>;
    void SetStoreLookup(StoreLookup lookup) { storeLookup_ = std::move(lookup); }

private:
    StoreLookup storeLookup_;
};

// The configuration of the running program; null until the program has loaded it.
extern TRazirConfig* RazirWinConfig;

}  // namespace velmor
