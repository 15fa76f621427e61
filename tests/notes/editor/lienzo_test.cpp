// What the editor draws: items in the cells where the ticket prints them (columns from Left as
// the engine counts them, amounts flush right up to where the ticket ends them), and the
// sample note printed by the engine, or the reason it cannot be.
#include "notes/editor/lienzo.h"

#include <gtest/gtest.h>

namespace notix::editor {
namespace {

// The text shape drawn for the only item of the detail section.
vcl::TTrazo TextoDe(const TDocumento& d) {
    for (const auto& t : DibujarSeccion(d, TSeccion::Detalle))
        if (t.tipo == vcl::TTrazo::Texto) return t;
    ADD_FAILURE() << "no text drawn";
    return {};
}

TEST(Lienzo, ItemsAreDrawnInTheCellsTheTicketPrintsThem) {
    struct Case {
        const char* why;
        TTipoElemento tipo;
        const char* campo;
        int left, width;
        int x, fin;  // where the text starts (left) or ends (flush right), in design units
        bool derecha;
    };
    const Case kCases[] = {
        {"column 0", TTipoElemento::Texto, "", 0, 100, 0, 0, false},
        {"odd Left past 0 takes the next column", TTipoElemento::Texto, "", 31, 100, 40, 0, false},
        {"even Left", TTipoElemento::Texto, "", 32, 100, 30, 0, false},
        {"a header amount ends one cell past its width", TTipoElemento::Campo, "SubTotal", 280, 110, 280, 400, true},
        {"a line total ends at its width", TTipoElemento::Campo, "TPartida", 300, 100, 300, 400, true},
        {"another field prints from its column", TTipoElemento::Campo, "Descripcion", 60, 230, 60, 0, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.why);
        TDocumento d;
        int id = d.Insertar(TSeccion::Detalle, c.tipo, c.left, 0, c.campo, c.campo);
        d.SetLimites(id, c.left, 0, c.width, 17);
        vcl::TTrazo t = TextoDe(d);
        EXPECT_EQ(t.x, c.x);
        EXPECT_EQ(t.derecha, c.derecha);
        if (c.derecha) {
            EXPECT_EQ(t.x + t.ancho, c.fin);
        }
        EXPECT_EQ(t.celda, kCelda);
    }
}

TEST(Lienzo, TheSampleIsWhatTheEnginePrintsOrWhyItCannot) {
    TNtaDatos datos;
    DatosDeMuestra(datos);
    TDocumento d;
    int id = d.Insertar(TSeccion::Detalle, TTipoElemento::Campo, 0, 0, "TPartida", "TPartida");
    d.SetLimites(id, 0, 0, 100, 17);
    std::vector<std::string> lineas = LineasDeMuestra(d, datos);
    ASSERT_EQ(lineas.size(), 6u);  // the company line, a blank one, four rows
    EXPECT_EQ(lineas[2], "   $179.00");
    EXPECT_EQ(lineas[5], "   $966.96");

    // The amount in words of a text that is no number: the engine's reason, not a crash.
    datos.PorNombre("Letras").SetAsString("mil");
    d.Insertar(TSeccion::Pie, TTipoElemento::Campo, 0, 0, "Letras", "Letras");
    lineas = LineasDeMuestra(d, datos);
    ASSERT_EQ(lineas.size(), 1u);
    EXPECT_TRUE(lineas[0].starts_with("No se puede mostrar la nota: ")) << lineas[0];
}

}  // namespace
}  // namespace notix::editor
