// Movement kind names and directions from the configured codes.
#include "reports/inventory/movement_kinds.h"

#include <string>
#include <utility>

namespace reportes {
namespace {

constexpr const char* kOtros = "Otros Movs.";

}  // namespace

std::optional<std::string> NombreConfigurado(const velmor::TRazirConfig& cfg, std::string_view tipoMov) {
    const std::pair<std::int16_t, const char*> kNombres[] = {
        {cfg.TipoMovVentas, "Ventas"},
        {cfg.TipoMovCompras, "Compras"},
        {cfg.TipoMovSalida, "Traspaso x salida"},
        {cfg.TipoMovEntrada, "Traspaso x entrada"},
        {cfg.TipoMovDevCompras, "Devolución x compras"},
        {cfg.TipoMovDevVentas, "Devolución x ventas"},
        {cfg.TipoMovAjustes, "Ajustes"},
        {cfg.TipoMovPerdidas, "Perdidas"},
    };
    for (const auto& [codigo, nombre] : kNombres)
        if (tipoMov == std::to_string(codigo)) return nombre;
    return std::nullopt;
}

std::string NombreMovimiento(const velmor::TRazirConfig& cfg, std::string_view tipoMov) {
    return NombreConfigurado(cfg, tipoMov).value_or(kOtros);
}

void ParametrosSentido(const velmor::TRazirConfig& cfg, report::Params& params) {
    const std::int16_t entradas[] = {cfg.TipoMovCompras, cfg.TipoMovEntrada, cfg.TipoMovDevVentas};
    const std::int16_t salidas[] = {cfg.TipoMovVentas, cfg.TipoMovSalida, cfg.TipoMovDevCompras, cfg.TipoMovPerdidas};
    for (int i = 0; i < 3; ++i) params.Set("MovEnt" + std::to_string(i + 1), report::Value(static_cast<double>(entradas[i])));
    for (int i = 0; i < 4; ++i) params.Set("MovSal" + std::to_string(i + 1), report::Value(static_cast<double>(salidas[i])));
}

}  // namespace reportes
