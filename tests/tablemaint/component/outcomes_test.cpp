// The dialog's verdicts on verification results and error codes.
#include "tablemaint/component/outcomes.h"

#include <gtest/gtest.h>

namespace tablemaint {
namespace {

TEST(Outcomes, VerificationVerdicts) {
    struct Case {
        int result;
        std::vector<int> codes;
        const char* status;
        bool problems;
    };
    const Case kCases[] = {
        {0, {}, "Verificación Exitosa.  Tabla sin errores.", false},
        {0, {87, 92}, "Verificación Exitosa.  Tabla sin errores.", false},
        // Not judged on the last record alone: an earlier finding is not hidden by a note.
        {0, {21, 87}, "verificación Completada. Revise los índices", true},
        {1, {97, 15}, "Verificación completada.  Índices inexistentes", true},
        {1, {97}, "Verificación Completada. Índices fuera de tiempo.", true},
        {1, {21}, "Verificación Completada. La tabla contiene errores.", true},
        {2, {30}, "Verificación Incompleta.", true},
        // broke: a truncated file, whose index list cannot be read, was sent to create indexes.
        {1, {42, 15, 15}, "Verificación Completada. La tabla contiene errores.", true},
        {1, {21, 97}, "Verificación Completada. La tabla contiene errores.", true},
        {3, {41}, "Verificación Completada. Tabla con errores irrecuperables", true},
        {-1, {}, "Verificación sin exito.", false},
    };
    for (const auto& c : kCases) {
        Resultado r = TextoVerificacion(c.result, c.codes, "/datos/VENTAS.db", {});
        EXPECT_EQ(r.estado, c.status) << c.result;
        EXPECT_EQ(r.problemas, c.problems) << c.result;
    }
}

TEST(Outcomes, RecoveryWithRowsSetAsideIsNotASuccess) {
    ResumenRecuperacion s;
    s.filasGuardadas = 2919;
    s.problemas = 3;
    s.respaldo = "/tmp/~VENTAS.db";
    Resultado r = TextoRecuperacion(kRecuperadaConApartados, "/datos/VENTAS.db", s, "/tmp/VLMPRBLM.db", "/tmp/VLMKEYVL.db");
    EXPECT_EQ(r.estado, "La recuperación terminó con registros apartados");
    ASSERT_EQ(r.memo.size(), 3u);
    EXPECT_EQ(r.memo[0], "/datos/VENTAS.db : Se recuperaron 2919 registros");
    EXPECT_EQ(r.memo[1], "3 datos ilegibles quedaron en /tmp/VLMPRBLM.db");
    s.tablaProblemas = "/tmp/VLMPRBLM-VENTAS-2.db";
    r = TextoRecuperacion(kRecuperadaConApartados, "/datos/VENTAS.db", s, "/tmp/VLMPRBLM.db", "/tmp/VLMKEYVL.db");
    EXPECT_EQ(r.memo[1], "3 datos ilegibles quedaron en /tmp/VLMPRBLM-VENTAS-2.db") << "the table the engine used";
    EXPECT_EQ(TextoRecuperacion(0, "x", s, "", "").estado, "La recuperación fue exitosa");
    EXPECT_EQ(TextoRecuperacion(4, "x", s, "", "").estado, "Recuperación sin exito, Debe ser recuperada manualmente");
}

TEST(Outcomes, CreationTexts) {
    EXPECT_EQ(TextoCreacionTabla(1, "T.db", "").memo.back(),
              "En la definición de la tabla existe un Tipo de campo desconocido");
    EXPECT_EQ(TextoCreacionTabla(10, "T.db", "").memo.back(), "El archivo está ocupado por otro usuario");
    EXPECT_EQ(TextoCreacionTabla(5, "T.db", "").memo.back(), "No se pudo encontrar el número de tabla");
    EXPECT_EQ(TextoCreacionIndice(1, "X", "T.db").memo.back(), "El archivo está ocupado por otro usuario");
    EXPECT_EQ(TextoRegeneracion(1, "X", "T.db").estado, "No se pudo realizar la regeneración");
}

}  // namespace
}  // namespace tablemaint
