// Format files through the editor: byte-identical round trips, unknown and nested items,
// texts the stream cannot hold, damaged files, the atomic save interrupted at every write,
// save as, "Predeterminado" and the change-mark questions of New, Open and Close.
#include "notes/editor/archivo.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include "notes/demo.h"
#include "notes/report.h"
#include "platform/2_vcl/script.h"
#include "platform/2_vcl/stream/writer.h"
#include "tests/notes/note_printer.h"

namespace notix::editor {
namespace {

using namespace testing_notes;
using vcl::stream::Component;
using vcl::stream::Value;

fs::path Shipped(const char* name) { return fs::path(RAZIR_SOURCE_DIR) / "formats" / name; }

// A folder of its own per test, removed with it.
struct Carpeta {
    fs::path path = Temp("_editor");
    Carpeta() { fs::create_directories(path); }
    ~Carpeta() { fs::remove_all(path); }
    fs::path operator/(const char* n) const { return path / n; }
    std::size_t Archivos() const { return std::distance(fs::directory_iterator(path), fs::directory_iterator()); }
};

// A format as an older editor or another program could have left it: an item of a class this
// editor does not know, a property it does not know, and items nested inside the detail's
// section object.
std::string FormatoRaro() {
    TFormatoNota f = FormatoTicket40();
    Component extra;
    extra.className = "TQRDesignRichText";
    extra.name = "QRDesignRichText1";
    extra.Set("Left", Value::Int(5));
    extra.Set("Lines.Strings", Value::String("línea"));
    f.encabezado.controles.push_back(extra);
    f.pie.controles[1].Set("Propia", Value::Extended(1.5L));
    f.detalle.objeto.children.push_back(Etiqueta("QRDesignLabel90", 0, 20, 100, "Clave", "Articulo"));
    f.detalle.objeto.flags = 0;
    return EscribirFormato(f);
}

TEST(Archivo, UnchangedFormatsSaveBackByteIdentical) {
    Carpeta dir;
    Spit(dir / "raro.nta", FormatoRaro());
    const fs::path kFiles[] = {Shipped("Ticket40.nta"), Shipped("Nota80.nta"), dir / "raro.nta"};
    for (const auto& f : kFiles) {
        SCOPED_TRACE(f.string());
        TSesionEditor s;
        ASSERT_TRUE(s.AbrirArchivo(f.string()));
        EXPECT_FALSE(s.Documento.Modificado());
        ASSERT_TRUE(s.GuardarEn((dir / "copia.nta").string()));
        EXPECT_EQ(Slurp(dir / "copia.nta"), Slurp(f));
    }
}

TEST(Archivo, UnknownItemsAreKeptAndNestedOnesPlacedOnTheirSection) {
    Carpeta dir;
    Spit(dir / "raro.nta", FormatoRaro());
    TSesionEditor s;
    ASSERT_TRUE(s.AbrirArchivo((dir / "raro.nta").string()));
    const auto& enc = s.Documento.Seccion(TSeccion::Encabezado).elementos;
    EXPECT_EQ(enc.back().Tipo(), TTipoElemento::Otro);
    EXPECT_EQ(enc.back().Imagen().Find("Lines.Strings")->text, "línea");
    const auto& det = s.Documento.Seccion(TSeccion::Detalle).elementos;
    bool anidado = false;
    for (const auto& e : det) anidado |= e.Nombre() == "QRDesignLabel90" && e.Anidado();
    EXPECT_TRUE(anidado);

    // Moving the nested item keeps it inside its section object.
    for (const auto& e : det)
        if (e.Nombre() == "QRDesignLabel90") s.Documento.Seleccionar(e.Id());
    s.Documento.Mover(0, 5);
    ASSERT_TRUE(s.GuardarEn((dir / "movido.nta").string()));
    TLectura l = LeerFormato(dir / "movido.nta");
    ASSERT_TRUE(l.error.empty());
    ASSERT_EQ(l.componentes[0].name, kSeccionEncabezado);
    bool dentro = false;
    for (const auto& c : l.componentes)
        if (c.name == kSeccionDetalle && c.children.size() == 1)
            dentro = c.children[0].Find("Top")->integer == 25;
    EXPECT_TRUE(dentro);
}

// Regression: items nested inside a section object were read and never printed.
TEST(Archivo, TheTicketPrintsItemsNestedInASection) {
    SerialNote n;
    TFormatoNota f;
    f.encabezado.objeto = Seccion(kSeccionEncabezado, "");
    f.detalle.objeto = Seccion(kSeccionDetalle, "");
    f.detalle.objeto.children.push_back(Etiqueta("A", 0, 0, 100, "", "Articulo"));
    f.pie.objeto = Seccion(kSeccionPie, "");
    n.Cargar(f);
    ASSERT_EQ(n.reporte.Detalle().size(), 1u);
    LlenarNotaDemo(n.datos);
    std::vector<std::string> lineas;
    n.reporte.OnLinea = [&](const std::string& l) { lineas.push_back(l); };
    n.datos.ImprimirNota();
    n.printer.Read();
    EXPECT_NE(std::find(lineas.begin(), lineas.end(), "7501000111"), lineas.end());
}

TEST(Archivo, TextsTheStreamCannotHoldAreRefusedBeforeSaving) {
    struct Case {
        const char* why;
        std::function<void(TElemento&)> cambio;
        const char* dice;
    };
    const Case kCases[] = {
        {"field name of 300 characters", [](TElemento& e) { e.SetNombreCampo(std::string(300, 'x')); },
         "NombreCampo tiene 300 caracteres; el formato admite hasta 255"},
        {"field name with a letter CP1252 lacks", [](TElemento& e) { e.SetNombreCampo("Campő"); },
         "NombreCampo tiene caracteres que el formato no puede guardar"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.why);
        Carpeta dir;
        Spit(dir / "viejo.nta", "contenido anterior");
        vcl::ScriptDriver driver;
        vcl::DriverScope scope(driver);
        TSesionEditor s;
        int id = s.Documento.Insertar(TSeccion::Detalle, TTipoElemento::Campo, 0, 0, "Cantidad");
        s.Documento.Editar(id, c.cambio);
        EXPECT_FALSE(s.GuardarEn((dir / "viejo.nta").string()));
        ASSERT_EQ(driver.Messages().size(), 1u);
        EXPECT_NE(driver.Messages()[0].request.text.find(c.dice), std::string::npos)
            << driver.Messages()[0].request.text;
        EXPECT_EQ(Slurp(dir / "viejo.nta"), "contenido anterior");
        EXPECT_TRUE(s.Documento.Modificado());
    }
    // Long captions are no short strings: they are saved whole.
    Carpeta dir;
    TSesionEditor s;
    int id = s.Documento.Insertar(TSeccion::Pie, TTipoElemento::Texto, 0, 0);
    s.Documento.Editar(id, [](TElemento& e) { e.SetCaption(std::string(400, 'a') + "ő"); });
    ASSERT_TRUE(s.GuardarEn((dir / "largo.nta").string()));
    TSesionEditor otra;
    ASSERT_TRUE(otra.AbrirArchivo((dir / "largo.nta").string()));
    EXPECT_EQ(otra.Documento.Seccion(TSeccion::Pie).elementos[0].Caption(), std::string(400, 'a') + "ő");
}

TEST(Archivo, ADamagedFileKeepsWhatWasReadAndCannotBeSavedOverByMistake) {
    Carpeta dir;
    const std::string bytes = Slurp(Shipped("Ticket40.nta"));
    Spit(dir / "danado.nta", bytes.substr(0, bytes.size() / 2));
    vcl::ScriptDriver driver;
    vcl::DriverScope scope(driver);
    TSesionEditor s;
    ASSERT_TRUE(s.AbrirArchivo((dir / "danado.nta").string()));
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_NE(driver.Messages()[0].request.text.find("está dañado"), std::string::npos);
    EXPECT_NE(driver.Messages()[0].request.text.find("Se conserva lo que se pudo leer"), std::string::npos);
    EXPECT_FALSE(s.Documento.Seccion(TSeccion::Encabezado).elementos.empty());
    EXPECT_TRUE(s.Archivo.empty());
    EXPECT_TRUE(s.Documento.Modificado());

    // Nothing read at all: the message, and the format as it was.
    Spit(dir / "basura.nta", "no es un formato");
    s.Documento.Insertar(TSeccion::Pie, TTipoElemento::Texto, 0, 0);
    const std::size_t pie = s.Documento.Seccion(TSeccion::Pie).elementos.size();
    EXPECT_FALSE(s.AbrirArchivo((dir / "basura.nta").string()));
    EXPECT_EQ(s.Documento.Seccion(TSeccion::Pie).elementos.size(), pie);
    EXPECT_FALSE(s.AbrirArchivo((dir / "no-existe.nta").string()));
    EXPECT_NE(driver.Messages().back().request.text.find("No se encontró el formato"), std::string::npos);
}

TEST(Archivo, ASaveInterruptedAtAnyWriteLeavesTheOldFileWhole) {
    Carpeta dir;
    const fs::path destino = dir / "Ticket40.nta";
    const std::string viejo = Slurp(Shipped("Nota80.nta"));
    Spit(destino, viejo);
    vcl::ScriptDriver driver;
    vcl::DriverScope scope(driver);
    TSesionEditor s;
    ASSERT_TRUE(s.AbrirArchivo(Shipped("Ticket40.nta").string()));
    s.Archivo = destino.string();
    s.Documento.SetModificado(true);
    const std::size_t piezas = Imagenes(s.Documento).size();
    for (std::size_t falla = 0; falla < piezas; ++falla) {
        SCOPED_TRACE(falla);
        std::size_t n = 0;
        // Half of the failing piece reaches the file, then the disk is full.
        s.Escritor = [&](std::ostream& out, std::string_view pieza) {
            if (n++ == falla) {
                out.write(pieza.data(), static_cast<std::streamsize>(pieza.size() / 2));
                throw std::runtime_error("No queda espacio en el disco");
            }
            out.write(pieza.data(), static_cast<std::streamsize>(pieza.size()));
        };
        EXPECT_FALSE(s.Guardar());
        EXPECT_EQ(Slurp(destino), viejo);
        EXPECT_EQ(dir.Archivos(), 1u) << "a temporary file was left behind";
        EXPECT_TRUE(s.Documento.Modificado());
        EXPECT_NE(driver.Messages().back().request.text.find("El archivo anterior no se modificó"),
                  std::string::npos);
    }
    s.Escritor = nullptr;
    EXPECT_TRUE(s.Guardar());
    EXPECT_EQ(Slurp(destino), Slurp(Shipped("Ticket40.nta")));
    EXPECT_FALSE(s.Documento.Modificado());
}

TEST(Archivo, SaveAsAddsTheExtensionAndClearsTheMarkOnlyOnceWritten) {
    struct Case {
        const char *elegido, *guardado;
    };
    const Case kCases[] = {
        {"nota", "nota.nta"},
        {"NOTA.NTA", "NOTA.NTA"},
        {"nota.Nta", "nota.Nta"},
        {"nota.nta.bak", "nota.nta.bak.nta"},
    };
    for (const auto& c : kCases) EXPECT_EQ(ConExtension(c.elegido), c.guardado) << c.elegido;

    Carpeta dir;
    vcl::ScriptDriver driver;
    vcl::DriverScope scope(driver);
    TSesionEditor s;
    s.Documento.Insertar(TSeccion::Pie, TTipoElemento::Texto, 0, 0);
    std::string carpeta;
    s.CarpetaFormatos = dir.path.string();
    s.PedirGuardar = [&](const std::string& c) {
        carpeta = c;
        return (dir / "nueva").string();
    };
    // Regression: the mark was cleared before the file was written, so a failed save lost it.
    s.Escritor = [](std::ostream&, std::string_view) { throw std::runtime_error("disco lleno"); };
    EXPECT_FALSE(s.GuardarComo());
    EXPECT_TRUE(s.Documento.Modificado());
    EXPECT_TRUE(s.Archivo.empty());
    EXPECT_EQ(carpeta, dir.path.string());
    s.Escritor = nullptr;
    EXPECT_TRUE(s.Guardar());  // no name yet: save as
    EXPECT_FALSE(s.Documento.Modificado());
    EXPECT_EQ(s.Archivo, (dir / "nueva.nta").string());
    EXPECT_TRUE(fs::exists(dir / "nueva.nta"));

    // Another format of that name is replaced only when the user says so.
    Spit(dir / "otra.nta", "de otro");
    s.PedirGuardar = [&](const std::string&) { return (dir / "otra").string(); };
    s.Documento.SetModificado(true);
    driver.QueueAnswer(vcl::mrNo);
    EXPECT_FALSE(s.GuardarComo());
    EXPECT_EQ(Slurp(dir / "otra.nta"), "de otro");
    EXPECT_TRUE(s.Documento.Modificado());
    driver.QueueAnswer(vcl::mrYes);
    EXPECT_TRUE(s.GuardarComo());
    EXPECT_NE(Slurp(dir / "otra.nta"), "de otro");
    EXPECT_EQ(s.Archivo, (dir / "otra.nta").string());
}

TEST(Archivo, PredeterminadoReplacesOnlyTheCurrentSection) {
    TSesionEditor s;
    ASSERT_TRUE(s.AbrirArchivo(Shipped("Ticket40.nta").string()));
    const auto encabezado = s.Documento.Seccion(TSeccion::Encabezado).elementos.size();
    const auto pie = s.Documento.Seccion(TSeccion::Pie).elementos.size();
    s.Documento.SetSeccionActual(TSeccion::Detalle);
    std::optional<TSeccion> limitado;
    s.PedirFormato = [&](const TSeccion* sec) {
        if (sec) limitado = *sec;
        return Shipped("Nota80.nta").string();
    };
    ASSERT_TRUE(s.Predeterminado());
    EXPECT_EQ(limitado, TSeccion::Detalle);
    const auto& det = s.Documento.Seccion(TSeccion::Detalle).elementos;
    ASSERT_EQ(det.size(), 5u);  // Nota80's five detail columns
    EXPECT_EQ(det[1].NombreCampo(), "Articulo");
    EXPECT_EQ(s.Documento.Seccion(TSeccion::Encabezado).elementos.size(), encabezado);
    EXPECT_EQ(s.Documento.Seccion(TSeccion::Pie).elementos.size(), pie);
    EXPECT_TRUE(s.Documento.Modificado());
    // Names stay unique across the whole format.
    std::set<std::string> nombres;
    std::size_t total = 0;
    for (TSeccion sec : kSecciones)
        for (const auto& e : s.Documento.Seccion(sec).elementos) {
            nombres.insert(e.Nombre());
            ++total;
        }
    EXPECT_EQ(nombres.size(), total);
}

TEST(Archivo, NewFromAStoredFormatAsksFirstThenOpensIt) {
    vcl::ScriptDriver driver;
    vcl::DriverScope scope(driver);
    TSesionEditor s;
    s.PedirFormato = [](const TSeccion* limitado) {
        EXPECT_EQ(limitado, nullptr);
        return Shipped("Nota80.nta").string();
    };
    s.Documento.Insertar(TSeccion::Pie, TTipoElemento::Texto, 0, 0);
    driver.QueueAnswer(vcl::mrNo);
    EXPECT_FALSE(s.NuevoDesde());
    EXPECT_EQ(s.Documento.Seccion(TSeccion::Pie).elementos.size(), 1u);
    driver.QueueAnswer(vcl::mrYes);
    EXPECT_TRUE(s.NuevoDesde());
    EXPECT_EQ(s.Documento.Seccion(TSeccion::Detalle).elementos.size(), 5u);
    EXPECT_EQ(s.Archivo, Shipped("Nota80.nta").string());
    EXPECT_FALSE(s.Documento.Modificado());
}

TEST(Archivo, TheFormatsPrinterIsChosenWhenInstalledElseTheDefaultOne) {
    struct Case {
        const char *guardada, *elegida;
    };
    const Case kCases[] = {{"Caja", "Caja"}, {"Ticket", "Oficina"}, {"", "Oficina"}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.guardada);
        Carpeta dir;
        TFormatoNota f = FormatoTicket40();
        f.encabezado.objeto = Seccion(kSeccionEncabezado, c.guardada);
        Spit(dir / "f.nta", EscribirFormato(f));
        TSesionEditor s;
        s.Impresoras = {{"Caja", "Oficina"}, "Oficina"};
        ASSERT_TRUE(s.AbrirArchivo((dir / "f.nta").string()));
        EXPECT_EQ(s.Impresora, c.elegida);
        // The format keeps the name it was read with until the user picks another printer.
        EXPECT_EQ(s.Documento.Pagina().Impresora, c.guardada);
    }
}

// The question is Yes/No; "cancelled" is the file dialog that follows it closed unanswered.
TEST(Archivo, TheChangeMarkQuestionsOfNewOpenAndClose) {
    enum Op { New, Open, Close };
    struct Case {
        const char* why;
        Op op;
        vcl::TModalResult respuesta;  // mrNone: no changes, no question
        bool cancelaDialogo;
        bool resultado, vaciado, abierto, guardado;
    };
    const Case kCases[] = {
        {"new, yes: emptied", New, vcl::mrYes, false, true, true, false, false},
        {"new, no: kept", New, vcl::mrNo, false, false, false, false, false},
        {"open, yes: the file", Open, vcl::mrYes, false, true, false, true, false},
        {"open, yes, dialog cancelled: emptied, no file", Open, vcl::mrYes, true, false, true, false, false},
        {"open, no: kept, no dialog", Open, vcl::mrNo, false, false, false, false, false},
        {"close, yes: closes unsaved", Close, vcl::mrYes, false, true, false, false, false},
        {"close, no: saved as, stays open", Close, vcl::mrNo, false, false, false, false, true},
        {"close, no, dialog cancelled: stays open unsaved", Close, vcl::mrNo, true, false, false, false, false},
        {"close without changes: no question", Close, vcl::mrNone, false, true, false, false, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.why);
        Carpeta dir;
        vcl::ScriptDriver driver;
        vcl::DriverScope scope(driver);
        if (c.respuesta != vcl::mrNone) driver.QueueAnswer(c.respuesta);
        TSesionEditor s;
        s.PedirAbrir = [&](const std::string&) {
            return c.cancelaDialogo ? std::string() : Shipped("Ticket40.nta").string();
        };
        s.PedirGuardar = [&](const std::string&) {
            return c.cancelaDialogo ? std::string() : (dir / "guardado").string();
        };
        if (c.respuesta != vcl::mrNone) s.Documento.Insertar(TSeccion::Detalle, TTipoElemento::Texto, 0, 0);
        const std::size_t antes = s.Documento.Seccion(TSeccion::Detalle).elementos.size();
        bool r = c.op == New ? s.Nuevo() : c.op == Open ? s.Abrir() : s.Cerrar();
        EXPECT_EQ(r, c.resultado);
        ASSERT_EQ(driver.Messages().size(), c.respuesta == vcl::mrNone ? 0u : 1u);
        if (!driver.Messages().empty()) {
            EXPECT_EQ(driver.Messages()[0].request.text, kPregunta);
            EXPECT_EQ(driver.Messages()[0].request.caption, "Precaución");
        }
        const std::size_t despues = s.Documento.Seccion(TSeccion::Detalle).elementos.size();
        if (c.abierto) {
            EXPECT_EQ(s.Archivo, Shipped("Ticket40.nta").string());
        } else {
            EXPECT_EQ(despues, c.vaciado ? 0u : antes);
            EXPECT_EQ(s.Archivo.empty(), !c.guardado);
        }
        EXPECT_EQ(fs::exists(dir / "guardado.nta"), c.guardado);
        EXPECT_EQ(s.Documento.Modificado(), !c.vaciado && !c.abierto && !c.guardado && c.respuesta != vcl::mrNone);
    }
}

}  // namespace
}  // namespace notix::editor
