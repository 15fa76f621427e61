// The format model through its commands: inserting each kind of item, moving and resizing on
// the grid, undo and redo, the clipboard between sections, and setters that keep an untouched
// item's bytes.
#include "notes/editor/documento.h"

#include <gtest/gtest.h>

#include "notes/demo.h"
#include "platform/2_vcl/stream/writer.h"

namespace notix::editor {
namespace {

std::string Bytes(const TDocumento& d) {
    std::string out;
    for (const auto& c : d.Componentes()) vcl::stream::WriteComponent(out, c);
    return out;
}

TEST(Documento, InsertsEachKindSelectedOnItsSectionWithAFreshName) {
    struct Case {
        TTipoElemento tipo;
        const char *clase, *nombre, *campo;
        int tag;
    };
    const Case kCases[] = {
        {TTipoElemento::Texto, "TQRDesignLabel", "QRDesignLabel1", "", 0},
        {TTipoElemento::Campo, "TQRDesignLabel", "QRDesignLabel2", "TotalVenta", 1},
        {TTipoElemento::Imagen, "TQRDesignImage", "QRDesignImage1", "", 0},
        {TTipoElemento::Figura, "TQRDesignShape", "QRDesignShape1", "", 0},
    };
    TDocumento d;
    int cambios = 0;
    d.OnCambio = [&] { ++cambios; };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.nombre);
        int id = d.Insertar(TSeccion::Detalle, c.tipo, 12, 7, c.campo, "Total");
        const TElemento* e = d.Buscar(id);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->Tipo(), c.tipo);
        EXPECT_EQ(e->Imagen().className, c.clase);
        EXPECT_EQ(e->Nombre(), c.nombre);
        EXPECT_EQ(e->NombreCampo(), c.campo);
        EXPECT_EQ(e->Tag(), c.tag);
        EXPECT_EQ(e->Left(), 12);
        EXPECT_EQ(e->Top(), 7);
        EXPECT_GE(e->Width(), kMinimo);
        EXPECT_GE(e->Height(), kMinimo);
        EXPECT_EQ(d.SeccionDe(id), TSeccion::Detalle);
        EXPECT_EQ(d.Seleccion(), std::vector<int>{id});
    }
    EXPECT_EQ(d.Buscar(d.Seleccion()[0])->Figura(), kFiguraLineaHorizontal);
    EXPECT_EQ(d.SeccionActual(), TSeccion::Detalle);
    EXPECT_TRUE(d.Modificado());
    EXPECT_EQ(cambios, 4);
    EXPECT_TRUE(d.Seccion(TSeccion::Encabezado).elementos.empty());
}

TEST(Documento, MovesAndResizesOnTheGridWithinTheSectionAndTheSmallestSize) {
    struct Case {
        const char* why;
        int dx, dy, dw, dh;
        int left, top, width, height;
    };
    const Case kCases[] = {
        {"keyboard step right", 1, 0, 0, 0, 21, 30, 40, 17},
        {"drag down and left", -5, 12, 0, 0, 15, 42, 40, 17},
        {"past the left edge stops at 0", -50, 0, 0, 0, 0, 30, 40, 17},
        {"past the top stops at 0", 0, -31, 0, 0, 20, 0, 40, 17},
        {"wider", 0, 0, 10, 3, 20, 30, 50, 20},
        {"not below the smallest item", 0, 0, -100, -100, 20, 30, kMinimo, kMinimo},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.why);
        TDocumento d;
        int id = d.Insertar(TSeccion::Encabezado, TTipoElemento::Texto, 20, 30);
        d.SetLimites(id, 20, 30, 40, 17);
        d.Mover(c.dx, c.dy);
        d.Redimensionar(c.dw, c.dh);
        const TElemento* e = d.Buscar(id);
        EXPECT_EQ(e->Left(), c.left);
        EXPECT_EQ(e->Top(), c.top);
        EXPECT_EQ(e->Width(), c.width);
        EXPECT_EQ(e->Height(), c.height);
    }
}

TEST(Documento, AGroupKeepsItsShapeAtTheEdge) {
    TDocumento d;
    int a = d.Insertar(TSeccion::Pie, TTipoElemento::Texto, 5, 0);
    int b = d.Insertar(TSeccion::Pie, TTipoElemento::Texto, 30, 0);
    d.Seleccionar(a);
    d.Seleccionar(b, true);
    d.Mover(-20, 0);
    EXPECT_EQ(d.Buscar(a)->Left(), 0);
    EXPECT_EQ(d.Buscar(b)->Left(), 25);
}

TEST(Documento, UndoAndRedoWalkEveryCommandBackAndForth) {
    TDocumento d;
    const std::string vacio = Bytes(d);
    int id = d.Insertar(TSeccion::Encabezado, TTipoElemento::Campo, 0, 0, "Fecha", "Fecha");
    const std::string insertado = Bytes(d);
    d.Mover(10, 20);
    const std::string movido = Bytes(d);
    d.Redimensionar(30, 0);
    const std::string final = Bytes(d);

    ASSERT_TRUE(d.Deshacer());
    EXPECT_EQ(Bytes(d), movido);
    ASSERT_TRUE(d.Deshacer());
    EXPECT_EQ(Bytes(d), insertado);
    ASSERT_TRUE(d.Deshacer());
    EXPECT_EQ(Bytes(d), vacio);
    EXPECT_FALSE(d.Deshacer());
    ASSERT_TRUE(d.Rehacer());
    ASSERT_TRUE(d.Rehacer());
    EXPECT_EQ(Bytes(d), movido);
    EXPECT_EQ(d.Seleccion(), std::vector<int>{id});
    // A new command after undoing drops what could have been redone.
    d.Mover(1, 0);
    EXPECT_FALSE(d.PuedeRehacer());
    EXPECT_NE(Bytes(d), final);
}

TEST(Documento, CutInOneSectionPastesIntoAnotherAtTheSamePlace) {
    TDocumento d;
    int a = d.Insertar(TSeccion::Encabezado, TTipoElemento::Texto, 10, 20);
    int b = d.Insertar(TSeccion::Encabezado, TTipoElemento::Campo, 100, 20, "Cajero", "Cajero");
    d.Seleccionar(a);
    d.Seleccionar(b, true);
    d.Cortar();
    EXPECT_TRUE(d.Seccion(TSeccion::Encabezado).elementos.empty());
    d.SetSeccionActual(TSeccion::Pie);
    d.Pegar();
    const auto& pie = d.Seccion(TSeccion::Pie).elementos;
    ASSERT_EQ(pie.size(), 2u);
    EXPECT_EQ(pie[0].Left(), 10);
    EXPECT_EQ(pie[1].Left(), 100);
    EXPECT_EQ(pie[1].NombreCampo(), "Cajero");
    EXPECT_EQ(pie[1].Tag(), 1);
    EXPECT_EQ(d.Seleccion().size(), 2u);

    // Pasted again, the copies get names of their own.
    d.Pegar();
    ASSERT_EQ(pie.size(), 4u);
    EXPECT_NE(pie[2].Nombre(), pie[0].Nombre());
    EXPECT_NE(pie[3].Nombre(), pie[1].Nombre());

    d.Deshacer();
    d.Deshacer();
    d.Deshacer();
    EXPECT_EQ(d.Seccion(TSeccion::Encabezado).elementos.size(), 2u);
    EXPECT_TRUE(d.Seccion(TSeccion::Pie).elementos.empty());
}

TEST(Documento, SelectingAnItemOfAnotherSectionMovesThereAlone) {
    TDocumento d;
    int a = d.Insertar(TSeccion::Encabezado, TTipoElemento::Texto, 0, 0);
    int b = d.Insertar(TSeccion::Detalle, TTipoElemento::Texto, 0, 0);
    d.Seleccionar(a);
    d.Seleccionar(b, true);
    EXPECT_EQ(d.SeccionActual(), TSeccion::Detalle);
    EXPECT_EQ(d.Seleccion(), std::vector<int>{b});
    EXPECT_EQ(d.ElementoEn(TSeccion::Detalle, 3, 3)->Id(), b);
    EXPECT_EQ(d.ElementoEn(TSeccion::Detalle, 500, 3), nullptr);
}

TEST(Documento, SettingAPropertyToWhatItIsKeepsTheBytes) {
    TDocumento d;
    std::vector<vcl::stream::Component> cs;
    TFormatoNota f = FormatoNota80();
    for (const TSeccionFormato* s : {&f.encabezado, &f.detalle, &f.pie}) {
        cs.push_back(s->objeto);
        cs.insert(cs.end(), s->controles.begin(), s->controles.end());
    }
    d.Cargar(cs);
    const std::string antes = Bytes(d);
    for (TSeccion s : kSecciones)
        for (const auto& e : d.Seccion(s).elementos)
            d.Editar(e.Id(), [](TElemento& x) {
                x.SetLimites(x.Left(), x.Top(), x.Width(), x.Height());
                x.SetCaption(x.Caption());
                x.SetTag(x.Tag());
                x.SetWordWrap(x.WordWrap());
                x.SetTransparent(x.Transparent());
                x.SetAlineacion(x.Alineacion());
                x.SetColor(x.Color());
                x.SetFuente(x.Fuente());
                if (x.Tipo() == TTipoElemento::Figura) x.SetFigura(x.Figura());
                if (!x.NombreCampo().empty()) x.SetNombreCampo(x.NombreCampo());
            });
    EXPECT_TRUE(d.Modificado());
    EXPECT_TRUE(Bytes(d) == antes) << "item setters changed bytes they were given back";
}

TEST(Documento, PropertiesReadBackAsSet) {
    TDocumento d;
    int id = d.Insertar(TSeccion::Pie, TTipoElemento::Texto, 0, 0);
    TFuente f;
    f.Nombre = "DejaVu Sans Mono";
    f.Tamano = 12;
    f.Negrita = true;
    f.Color = 0x0000FF;
    d.Editar(id, [&](TElemento& e) {
        e.SetCaption("¡Gracias!");
        e.SetAlineacion(TAlineacion::Derecha);
        e.SetColor(0xC0C0C0);
        e.SetTransparent(true);
        e.SetWordWrap(true);
        e.SetFuente(f);
    });
    const TElemento* e = d.Buscar(id);
    EXPECT_EQ(e->Caption(), "¡Gracias!");
    EXPECT_EQ(e->Alineacion(), TAlineacion::Derecha);
    EXPECT_EQ(e->Color(), 0xC0C0C0);
    EXPECT_TRUE(e->Transparent());
    EXPECT_TRUE(e->WordWrap());
    EXPECT_EQ(e->Fuente(), f);
    TPagina p;
    p.AnchoMm = 80;
    p.Impresora = "Ticket";
    d.SetPagina(p);
    EXPECT_EQ(d.Pagina(), p);
    for (TSeccion s : kSecciones) EXPECT_NE(d.Seccion(s).objeto.Find("Page.Width"), nullptr);
    EXPECT_EQ(d.AnchoDiseno(), MmADiseno(80));
}

}  // namespace
}  // namespace notix::editor
