// Movement kind names follow the configured codes, not fixed numbers.
#include <gtest/gtest.h>

#include "reports/inventory/movement_kinds.h"

namespace {

TEST(MovementKinds, NamesComeFromTheConfiguredCodesAndOthersAreOtrosMovs) {
    velmor::TRazirConfig cfg;
    cfg.TipoMovVentas = 12;
    cfg.TipoMovCompras = 11;
    cfg.TipoMovAjustes = 2;  // the default code of sales now means adjustments
    struct Case { const char* code; const char* want; };
    const Case kCases[] = {{"12", "Ventas"}, {"11", "Compras"}, {"2", "Ajustes"}, {"4", "Devolución x ventas"},
                           {"8", "Perdidas"}, {"1", "Otros Movs."}, {"", "Otros Movs."}};
    for (const auto& c : kCases) EXPECT_EQ(reportes::NombreMovimiento(cfg, c.code), c.want) << c.code;
}

}  // namespace
