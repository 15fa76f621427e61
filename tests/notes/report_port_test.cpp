// The exact bytes a ticket printer receives: initialise, lines, handshakes and pauses from
// "datosnota", feed, cut, drawer, code pages; and what happens when the printer fails.
#include <gtest/gtest.h>

#include <chrono>

#include "notes/report.h"
#include "tests/notes/note_printer.h"

namespace notix {
namespace {

using namespace testing_notes;
using namespace std::chrono_literals;

// Header (empty line, company name) of a note with no company name.
std::string Encabezado() { return Line("") + Seq({10}) + Line("") + Seq({10}); }

TFormatoNota PieCon(std::vector<vcl::stream::Component> controles) {
    TFormatoNota f;
    f.encabezado.objeto = Seccion(kSeccionEncabezado, "");
    f.detalle.objeto = Seccion(kSeccionDetalle, "");
    f.pie.objeto = Seccion(kSeccionPie, "");
    f.pie.controles = std::move(controles);
    return f;
}

TEST(Secuencias, CodesToBytes) {
    struct Case {
        const char* seq;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"27 64", {27, 64}},    {"0 27 112", {0, 27, 112}}, {"256", {0}},
        {"027", {27}},          {"", {}},                    {"27 ", {27}},
        {"-1", {255}},
    };
    for (const auto& c : cases) EXPECT_EQ(CodificarSecuencia(c.seq), c.bytes) << c.seq;
    for (const char* bad : {"27  64", " 27", "27 x", "1b"})
        EXPECT_THROW(CodificarSecuencia(bad), text::ConvertError) << bad;
    std::string many;
    for (int i = 0; i < 81; ++i) many += i ? " 1" : "1";
    EXPECT_THROW(CodificarSecuencia(many), EError);
}

TEST(PortOutput, SequencesInTheirBlocks) {
    SerialNote n;
    n.reporte.InicializarPuerto();
    n.reporte.ImprimirCodigo("27 64");
    n.reporte.ImprimirCodigoCajon("27 64");
    n.reporte.ImprimirCodigoCajon("");
    n.reporte.ImprimirCodigo("0 27 112");
    n.reporte.FinalizarPuerto(false);
    EXPECT_EQ(n.printer.Read(),
              Seq({27, 64}) + Seq({27, 64}) + Exact({27, 64}) + Seq({0, 27, 112}));
    EXPECT_FALSE(n.reporte.Comm().Connected());
}

TEST(PortOutput, ABadSequenceSendsNothingOfIt) {
    SerialNote n;
    n.reporte.InicializarPuerto();
    EXPECT_THROW(n.reporte.ImprimirCodigo("27  64"), text::ConvertError);
    n.reporte.FinalizarPuerto(false);
    EXPECT_EQ(n.printer.Read(), Seq({27, 64}));  // the Inicializar only
}

TEST(PortOutput, HandshakesAndPausesFromDatosnota) {
    SerialNote n;
    Spit(n.datosnota, "[ProcesosCriticos]\nProceso1=2\nProceso2=1\nProceso3=0\nsleep=30\n");
    n.Cargar(PieCon({vcl::stream::Component(Etiqueta("A", 0, 0, 10, "a")),
                     Etiqueta("B", 0, 20, 10, "b")}));
    auto start = std::chrono::steady_clock::now();
    n.datos.ImprimirNota();
    auto took = std::chrono::steady_clock::now() - start;
    std::string twice = Seq({5}) + Seq({6}) + Seq({5}) + Seq({6});
    std::string once = Seq({5}) + Seq({6});
    std::string expected = Seq({27, 64}) +
                           Line("") + twice + Seq({10}) +      // header: new line at Top 2
                           Line("") + once + Seq({10}) +       // header's last line
                           Line("a") + twice + Seq({10}) +     // footer: B starts a line
                           Line("b") + once + Seq({10}) +      // footer's last line
                           Exact({29, 86, 0});
    EXPECT_EQ(n.printer.Read(), expected);
    EXPECT_GE(took, 4 * 30ms);  // one pause a line
}

TEST(PortOutput, WithoutDatosnotaALineIsFollowedByTheFeedOnly) {
    SerialNote n;
    n.Cargar(PieCon({Etiqueta("A", 0, 0, 10, "a")}));
    n.reporte.EspacioEntreNotas = 2;
    n.datos.ImprimirNota();
    EXPECT_EQ(n.printer.Read(), Seq({27, 64}) + Encabezado() + Line("a") + Seq({10}) +
                                    Seq({10}) + Seq({10}) + Exact({29, 86, 0}));
}

TEST(PortOutput, ANegativePauseOrCountDoesNotHang) {
    SerialNote n;
    Spit(n.datosnota, "[ProcesosCriticos]\nProceso2=-3\nsleep=-1\n");
    n.Cargar(PieCon({Etiqueta("A", 0, 0, 10, "a")}));
    n.datos.ImprimirNota();
    EXPECT_EQ(n.printer.Read(),
              Seq({27, 64}) + Encabezado() + Line("a") + Seq({10}) + Exact({29, 86, 0}));
}

TEST(PortOutput, SpanishLettersInThePrintersCodePage) {
    struct Case {
        text::CodePage page;
        std::string bytes;
    };
    const Case cases[] = {
        {text::CodePage::CP850, "\xA4\xA0\x82 \xA5 ?"},
        {text::CodePage::CP858, "\xA4\xA0\x82 \xA5 \xD5"},
        {text::CodePage::CP1252, "\xF1\xE1\xE9 \xD1 \x80"},
    };
    for (const auto& c : cases) {
        SerialNote n;
        n.reporte.PaginaDeCodigos = c.page;
        n.Cargar(PieCon({Etiqueta("A", 0, 0, 100, "ñáé Ñ €")}));
        n.datos.ImprimirNota();
        EXPECT_EQ(n.printer.Read(),
                  Seq({27, 64}) + Encabezado() + Line(c.bytes) + Seq({10}) + Exact({29, 86, 0}))
            << text::CodePageName(c.page);
    }
}

TEST(PortOutput, ReprintedAndCancelledNotesSendTheMark) {
    for (std::string tipo : {"R", "C", "X", ""}) {
        SerialNote n;
        n.Cargar(PieCon({Etiqueta("A", 0, 0, 10, "a")}));
        n.datos.TipoImpresion = tipo;
        n.datos.ImprimirNota();
        std::string mark = tipo == "R" || tipo == "C" ? Seq({82}) : "";
        EXPECT_EQ(n.printer.Read(), Seq({27, 64}) + Encabezado() + Line("a") + Seq({10}) + mark +
                                        Exact({29, 86, 0}))
            << "TipoImpresion \"" << tipo << "\"";
    }
}

TEST(PortOutput, CashDrawerOnALinePrinter) {
    fs::path lp = Temp("lp2");
    TNtaReporte r;
    r.Secuencias = Simple();
    r.Puerto = PARALELO;
    r.SetPuertoNumero("2");
    r.SetMapaDePuertos({{"LPT2", lp.string()}});
    r.AbreCajon();
    EXPECT_EQ(Slurp(lp), Exact({27, 112, 0}) + Exact({27, 112, 0}));
    EXPECT_EQ(r.Comm().DeviceName(), "LPT2");
    EXPECT_FALSE(r.Comm().Connected());
    fs::remove(lp);
}

TEST(PortOutput, LineByLineRowsThenTheFooter) {
    SerialNote n;
    TFormatoNota f = PieCon({Etiqueta("P", 0, 0, 30, "fin")});
    f.detalle.controles = {Etiqueta("C", 0, 0, 50, "", "Cantidad")};
    n.Cargar(f);
    n.datos.SetImpresionEnLinea(true);
    TCamposDetalle& d = n.datos.CamposDetalle();
    d.Add().SetNombre("Cantidad");
    d.Append();
    d.SetAsString("Cantidad", "1");
    d.Post();  // row 0: header first
    std::string first = Seq({27, 64}) + Encabezado() + Line("1") + Seq({10});
    EXPECT_EQ(n.printer.Read(), first);
    EXPECT_FALSE(n.reporte.Comm().Connected());
    d.Append();
    d.SetAsString("Cantidad", "2");
    d.Post();
    EXPECT_EQ(n.printer.Read(), Seq({27, 64}) + Line("2") + Seq({10}));
    n.datos.ImprimirNota();  // only the footer remains
    EXPECT_EQ(n.printer.Read(), Seq({27, 64}) + Line("fin") + Seq({10}) + Exact({29, 86, 0}));
}

TEST(PortOutput, SettingsChangedBetweenNotesTakeEffect) {
    fs::path a = Temp("a"), b = Temp("b");
    TNtaDatos datos;
    TNtaReporte r;
    datos.SetNotaReporte(&r);
    r.Puerto = PARALELO;
    r.Secuencias = Simple();
    r.ArchivoDatosNota = Temp("none").string();
    r.SetMapaDePuertos({{"LPT1", a.string()}, {"LPT2", b.string()}});
    r.InicializarPuerto();
    r.FinalizarPuerto(false);
    EXPECT_TRUE(r.PuertoListo());
    r.SetPuertoNumero("2");
    r.InicializarPuerto();
    r.FinalizarPuerto(false);
    EXPECT_EQ(Slurp(a), Seq({27, 64}));
    EXPECT_EQ(Slurp(b), Seq({27, 64}));
    fs::remove(a);
    fs::remove(b);
}

TEST(PortFailures, AFailedOpenWritesNothingAndSaysWhy) {
    TNtaDatos datos;
    TNtaReporte r;
    datos.SetNotaReporte(&r);
    r.SetPuertoNumero("9");
    r.SetMapaDePuertos({{"COM9", "/dev/no-such-dir/ttyS9"}});
    try {
        datos.ImprimirNota();
        FAIL() << "printed to a missing port";
    } catch (const ports::PortError& e) {
        EXPECT_NE(std::string(e.what()).find("COM9"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(r.PuertoListo());
    EXPECT_FALSE(r.Comm().Connected());
}

TEST(PortFailures, AFaultHalfWayStillCutsTheTicketAndClosesThePort) {
    SerialNote n;
    n.Cargar(PieCon({Etiqueta("A", 0, 0, 10, "a")}));
    n.datos.TipoImpresion = "R";
    n.reporte.Secuencias.EtiquetaMensaje = "82 x";  // fails after the footer's lines
    EXPECT_THROW(n.datos.ImprimirNota(), text::ConvertError);
    EXPECT_EQ(n.printer.Read(),
              Seq({27, 64}) + Encabezado() + Line("a") + Seq({10}) + Exact({29, 86, 0}));
    EXPECT_FALSE(n.reporte.Comm().Connected());
}

TEST(PortFailures, APrinterThatStopsReadingTimesOutAndThePortCloses) {
    SerialNote n;  // the test never reads the printer
    TFormatoNota f = PieCon({});
    f.detalle.controles = {Etiqueta("C", 0, 0, 50, "", "Cantidad")};
    n.Cargar(f);
    n.reporte.ConfigPuerto.BitsPorSegundo = ports::br115200;
    n.reporte.Comm().MinimumWriteTimeout = 100ms;
    TCamposDetalle& d = n.datos.CamposDetalle();
    d.Add().SetNombre("Cantidad");
    for (int i = 0; i < 2000; ++i) d.Append();  // far more than the line holds
    auto start = std::chrono::steady_clock::now();
    std::string error;
    try {
        n.datos.ImprimirNota();
    } catch (const ports::PortError& e) {
        error = e.what();
    }
    EXPECT_NE(error.find("no recibe datos"), std::string::npos) << error;
    EXPECT_NE(error.find("el puerto se cerró"), std::string::npos) << error;
    EXPECT_FALSE(n.reporte.Comm().Connected());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

}  // namespace
}  // namespace notix
