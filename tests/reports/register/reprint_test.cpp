// The reprint of sales notes played as a user: a small chain with one day of notes, the
// register's printer a file or a pseudo-terminal, and the bytes the printer got read back.
#include <termios.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "host/velmor/help.h"
#include "host/velmor/installation.h"
#include "notes/format.h"
#include "platform/1_text/codepage.h"
#include "platform/6_schema/tables.h"
#include "tests/platform/2_ports/pty.h"
#include "tests/reports/report_fixture.h"

extern "C" void RImpresionNotas(const char*, const char*, bool);

namespace {

using Row = db::BatchWriter::Row;

// A note line as the port receives it: the printer's code page in a block of 100.
std::string Line(const std::string& utf8) {
    std::string s = text::FromUtf8(utf8, text::CodePage::CP850);
    s.resize(100, '\0');
    return s;
}

// A sequence as it is sent: its bytes in a block of 20.
std::string Seq(const std::string& bytes) {
    std::string s = bytes;
    s.resize(20, '\0');
    return s;
}

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

// The note format of the tests, drawn with the note's own field names.
std::string Formato() {
    using notix::Etiqueta;
    notix::TFormatoNota f;
    f.encabezado.objeto = notix::Seccion(notix::kSeccionEncabezado, "Ticket");
    f.detalle.objeto = notix::Seccion(notix::kSeccionDetalle, "Ticket");
    f.pie.objeto = notix::Seccion(notix::kSeccionPie, "Ticket");
    auto& h = f.encabezado.controles;
    h.push_back(Etiqueta("L1", 0, 20, 50, "Nota:"));
    h.push_back(Etiqueta("L2", 60, 20, 120, "NumNota", "NumNota"));
    h.push_back(Etiqueta("L3", 0, 40, 100, "Fecha", "Fecha"));
    h.push_back(Etiqueta("L4", 120, 40, 60, "Hora", "Hora"));
    h.push_back(Etiqueta("L5", 0, 60, 70, "Cajero:"));
    h.push_back(Etiqueta("L6", 80, 60, 100, "Cajero", "Cajero"));
    auto& d = f.detalle.controles;
    d.push_back(Etiqueta("L7", 0, 0, 50, "Cantidad", "Cantidad"));
    d.push_back(Etiqueta("L8", 60, 0, 200, "Descripcion", "Descripcion"));
    d.push_back(Etiqueta("L9", 280, 0, 100, "TPartida", "TPartida"));
    auto& p = f.pie.controles;
    p.push_back(Etiqueta("L10", 0, 0, 60, "TOTAL"));
    p.push_back(Etiqueta("L11", 200, 0, 100, "TotalVenta", "TotalVenta"));
    p.push_back(Etiqueta("L12", 0, 20, 10, "FormasPago", "FormasPago"));
    p.push_back(Etiqueta("L13", 0, 40, 60, "CAMBIO"));
    p.push_back(Etiqueta("L14", 200, 40, 100, "Cambio", "Cambio"));
    p.push_back(Etiqueta("L15", 0, 60, 390, "Letras", "Letras", true));
    p.push_back(Etiqueta("L16", 0, 80, 10, "FormasPagoCompleto", "FormasPagoCompleto"));
    return notix::EscribirFormato(f);
}

const text::TDateTime kDia = text::EncodeDate(2000, 10, 5);

class Reprint : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        fs::create_directories(dir_ / "Formatos");
        fs::create_directories(dir_ / "out");
        std::ofstream(dir_ / "Formatos" / "Prueba.nta", std::ios::binary) << Formato();
        // One installation object for the whole run: the dialog reads it while it prints.
        static velmor::Installation inst;
        inst = velmor::Installation::Defaults(dir_.string());
        inst.Config.NomEmpresa = "Comercial de Prueba";
        inst.Config.TiendaActual = "01";
        inst.Config.CajaActual = "01";
        inst.Ports = {{"LPT2", (dir_ / "out" / "tickets.prn").string()}};
        inst_ = &inst;
        inst.MakeCurrent();

        Fill(tables::Tiendas(), {Row{"01", "Centro", "Madero 12", "México", "5550001"}});
        Fill(tables::Cajas(), {Row{"01", "01", "Caja uno", "Prueba.nta", 1, "003", 0, 0, 0},
                               Row{"01", "02", "Caja dos", "Prueba.nta", 0, "003", 0, 0, 0}});
        Fill(tables::Usuarios(), {Row{"001", "José Pérez", "Pepe", "01", "C"},
                                  Row{"a'b", "Ana Beltrán", "Ana", "01", "A"},
                                  Row{"900", "Vendedor", "Vende", "01", "D"}});
        Fill(tables::CatInven(),
             {Row{"P1", "Café de Chiapas", "01", "001", 89.5, 0.0, 0.0, 0.0, 0.0, 50.0, "", "PZA", "", 0.0},
              Row{"P2", "Piña en almíbar", "01", "001", 32.9, 0.0, 0.0, 0.0, 0.0, 20.0, "", "PZA", "", 0.0}});
        Dispositivo("003", "PARALELO", "LPT02");
        Fill(tables::TPagos(), {Row{"01", "EFECTIVO", 0, "01"}, Row{"02", "TARJETA", 0, "01"}});
        Fill(tables::Monedas(), {Row{"01", "pesos", "$", 1.0, 1}});
        Notas();
    }

    void Dispositivo(const char* clave, const char* puerto, const char* nombre, int baud = 6,
                     int paridad = 2) {
        Row r{clave, "Impresora", puerto, nombre, baud, 3, paridad, 0,
              "027 064", "", "010", "", "", "029 086 000", "", "", 1};
        fs::remove(dir_ / "datos" / "Dispos.DB");
        Fill(tables::Dispos(), {r});
    }

    void Dia(tables::DayKind kind, const std::vector<Row>& rows) {
        const db::TableDef def = tables::DayTable(kind, tables::DayFileStem("01", kDia));
        db::BatchWriter w((dir_ / "datos" / def.name).string(), def);
        for (const auto& r : rows) w.Append(r);
        w.Commit();
    }

    static Row Venta(const char* nota, const char* caja, const char* cajero, const char* status,
                     double total, double efectivo, double tarjeta) {
        Row r{nota, caja, cajero, "900", "C001", "Público", "Calle 1", "Morelia", "XAXX010101000",
              db::Value::DateTime(kDia + text::EncodeTime(14, 5, 0)), status, "", total, 0.0,
              total * 16 / 116, 0.0, 0.0, 0.0};
        const double montos[] = {efectivo, tarjeta, 0, 0};
        for (int k = 0; k < 4; ++k) {
            r.push_back(k == 0 ? "01" : k == 1 && tarjeta > 0 ? "02" : "");
            r.push_back(montos[k]);
            r.push_back(1.0);
            r.push_back(k == 1 && tarjeta > 0 ? "778899" : "");
            r.push_back(k == 1 && tarjeta > 0 ? "**** 4321" : "");
            r.push_back(k == 1 && tarjeta > 0 ? db::Value::Date(text::EncodeDate(2001, 8, 31)) : db::Value(nullptr));
        }
        return r;
    }

    static Row Partida(const char* nota, const char* caja, int renglon, const char* producto,
                       const char* tipo, double cantidad, double precio) {
        return Row{nota, caja, renglon, producto, tipo, cantidad, precio, cantidad * precio, 0.0,
                   0.0, 0.0, 0.0, 0.0, "900", 1.0, 0.0};
    }

    void Notas() {
        Dia(tables::DayKind::Ventas, {Venta("A-0001", "01", "001", "N", 211.9, 300, 0),
                                      Venta("A-0002", "01", "a'b", "N", 32.9, 0, 32.9),
                                      Venta("A-0003", "01", "001", "C", 50, 50, 0),
                                      Venta("A-0004", "02", "001", "N", 10, 10, 0)});
        Dia(tables::DayKind::Detalle, {Partida("A-0001", "01", 1, "P1", "", 2, 89.5),
                                       Partida("A-0001", "01", 2, "P2", "P", 1, 32.9),
                                       Partida("A-0001", "01", 3, "P2", "", 1, 32.9),
                                       Partida("A-0002", "01", 1, "P2", "", 1, 32.9)});
    }

    std::string Ticket() const { return Slurp(dir_ / "out" / "tickets.prn"); }

    std::unique_ptr<vcl::ScriptDriver> Reimprime(const std::string& criterios) {
        return Play(RImpresionNotas, "set edtFecDesde=05/10/2000\nfocus lkcmbNotaDesde\n" + criterios +
                                         "click btnImprimir\nclick btnCancelar",
                    "01", "Centro");
    }

    velmor::Installation* inst_ = nullptr;
};

TEST_F(Reprint, OneNoteOfTheDayGoesToTheFilePrinterWithItsLinesTotalsAndTheReprintMark) {
    auto d = Reimprime("pick lkcmbNotaHasta A-0001\n");
    EXPECT_TRUE(d->Messages().empty()) << d->Messages()[0].request.text;
    const std::string t = Ticket();
    ASSERT_FALSE(t.empty());
    // The device's sequences open the note and cut it.
    EXPECT_EQ(t.substr(0, 20), Seq("\x1b\x40"));
    EXPECT_TRUE(Has(t, Line("Comercial de Prueba")));
    EXPECT_TRUE(Has(t, Line("Nota: A-0001")));
    EXPECT_TRUE(Has(t, Line("05/10/2000  14:05")));
    EXPECT_TRUE(Has(t, Line("Cajero: Pepe")));
    // The package component ("P") is neither printed nor counted.
    EXPECT_TRUE(Has(t, Line("2.00  Café de Chiapas" + std::string(10, ' ') + "$179.00")));
    EXPECT_EQ(Count(t, text::FromUtf8("Piña en almíbar", text::CodePage::CP850)), 1);
    EXPECT_TRUE(Has(t, Line("TOTAL" + std::string(19, ' ') + "$211.90")));
    EXPECT_TRUE(Has(t, "EFECTIVO  $300.00"));
    EXPECT_FALSE(Has(t, "TARJETA"));
    EXPECT_TRUE(Has(t, Line("CAMBIO" + std::string(19, ' ') + "$88.10")));
    EXPECT_TRUE(Has(t, "doscientos once pesos 90/100")) << t;
    EXPECT_TRUE(Has(t, Seq("REIMPRESO")));
    EXPECT_TRUE(t.ends_with(std::string("\x1d\x56\x00", 3)));
    // Only the chosen note: neither the next one, the cancelled one nor another register's.
    for (const char* otra : {"A-0002", "A-0003", "A-0004"}) EXPECT_FALSE(Has(t, otra)) << otra;
}

TEST_F(Reprint, LineByLinePrintingSendsEachRowAsItIsPostedAndTheFooterLast) {
    fs::remove(dir_ / "datos" / "Cajas.DB");
    Fill(tables::Cajas(), {Row{"01", "01", "Caja uno", "Prueba.nta", 1, "003", 1, 1, 1}});
    Reimprime("pick lkcmbNotaHasta A-0001\n");
    const std::string t = Ticket();
    // The port opens (and initialises the printer) for the header with the first row, for
    // the second row and for the footer.
    EXPECT_EQ(Count(t, Seq("\x1b\x40")), 3);
    const auto fila1 = t.find(text::FromUtf8("Café de Chiapas", text::CodePage::CP850));
    const auto fila2 = t.find(text::FromUtf8("Piña en almíbar", text::CodePage::CP850));
    const auto total = t.find("TOTAL");
    ASSERT_NE(total, std::string::npos);
    EXPECT_LT(t.find("Nota: A-0001"), fila1);
    EXPECT_LT(fila1, fila2);
    EXPECT_LT(fila2, total);
    EXPECT_TRUE(Has(t, Seq("REIMPRESO")));
}

TEST_F(Reprint, TheWholeDayOfTheRegisterWithoutARangeAndOneCashierWhoseKeyHasAQuote) {
    Reimprime("");
    std::string t = Ticket();
    EXPECT_TRUE(Has(t, Line("Nota: A-0001")));
    EXPECT_TRUE(Has(t, Line("Nota: A-0002")));
    EXPECT_TRUE(Has(t, "TARJETA  $32.90"));
    // The complete payment lines keep the card's document, expiry and authorisation.
    EXPECT_TRUE(Has(t, "**** 4321  VENCE : 31/08/2001")) << t;
    EXPECT_TRUE(Has(t, "AUTO :   778899"));
    EXPECT_FALSE(Has(t, "A-0003"));
    EXPECT_FALSE(Has(t, "A-0004"));

    fs::remove(dir_ / "out" / "tickets.prn");
    auto d = Reimprime("pick lkcmbCajero a'b\n");
    EXPECT_TRUE(d->Messages().empty()) << d->Messages()[0].request.text;
    t = Ticket();
    EXPECT_TRUE(Has(t, Line("Nota: A-0002")));
    EXPECT_TRUE(Has(t, Line("Cajero: Ana")));
    EXPECT_FALSE(Has(t, "A-0001"));
}

TEST_F(Reprint, TheSerialPrinterOfTheDeviceCatalogueGetsItsLineSettingsAndTheNote) {
    testing_ports::PseudoPrinter printer;
    ASSERT_TRUE(printer.ok());
    inst_->Ports = {{"COM3", printer.path()}};
    // Rate position 12 is 115200 baud; data bits position 3 is 8 (a pseudo-terminal keeps no
    // parity, so that setting cannot be read back here).
    Dispositivo("003", "SERIE", "COM03", /*baud*/ 12);
    Reimprime("pick lkcmbNotaHasta A-0001\n");
    const std::string t = printer.Read();
    EXPECT_TRUE(Has(t, Line("Nota: A-0001")));
    termios tio{};
    ASSERT_EQ(tcgetattr(printer.slave(), &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), B115200);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
}

TEST_F(Reprint, MissingDayFileOrPrinterNotReadyTellTheUserAndPrintNothing) {
    struct Case {
        const char* name;
        std::function<void()> prepare;
        const char* message;
    };
    // In this order: the printer is looked at only once the day's files are there.
    const Case cases[] = {
        {"printer unreachable",
         [&] { inst_->Ports = {{"LPT2", (dir_ / "no-such-folder" / "tickets.prn").string()}}; },
         "Error al acceder al dispositivo favor de verificarlo"},
        {"no detail file", [&] { fs::remove(dir_ / "datos" / "D010510F.DB"); }, "Archivo de ventas no existe"},
    };
    for (const auto& c : cases) {
        c.prepare();
        auto d = Reimprime("");
        ASSERT_EQ(d->Messages().size(), 1u) << c.name;
        EXPECT_EQ(d->Messages()[0].request.text, c.message) << c.name;
        EXPECT_FALSE(fs::exists(dir_ / "out" / "tickets.prn")) << c.name;
    }
}

TEST_F(Reprint, WithoutFullAccessTheWorkingDayIsReprintedAndHelpComesFromTheOtherFile) {
    inst_->Config.AccesoTotal = false;
    inst_->Config.FechaTrabajo = kDia;
    auto d = Play(RImpresionNotas, "click btnAyuda\nclick btnImprimir", "01", "Centro");
    EXPECT_TRUE(d->Messages().empty());
    EXPECT_EQ(velmor::LastHelpAddress(), (dir_ / "Tolmaa.chm::/47.htm").string());
    const std::string t = Ticket();
    EXPECT_TRUE(Has(t, Line("Nota: A-0001")));
    EXPECT_TRUE(Has(t, Line("Nota: A-0002")));
}

// A register whose printer is a system printer prints each note with its layout through the
// report component, the layout's datasets reading that note; printed to the "file"
// destination, each note is a file of its own.
TEST_F(Reprint, ASystemPrinterPrintsTheLayoutWhoseDatasetsReadTheNote) {
    std::ofstream(dir_ / "Formatos" / "Nota.QR2") << R"(<?xml version="1.0" encoding="UTF-8"?>
<report name="Nota">
  <datasets>
    <query name="QueryNotas" database="RazirWin10"><sql><line>SELECT 1</line></sql></query>
    <query name="Productos" database="RazirWin10"><sql><line>SELECT 1</line></sql></query>
  </datasets>
  <bands dataset="QueryNotas">
    <detail name="bndNota" height="10">
      <field name="fldNota" field="Nota" left="0" top="0" width="40"/>
      <field name="fldNick" field="Nick" left="40" top="0" width="40"/>
      <label name="lblStatus" left="80" top="0" width="40"/>
    </detail>
  </bands>
</report>
)";
    fs::remove(dir_ / "datos" / "Cajas.DB");
    Fill(tables::Cajas(), {Row{"01", "01", "Caja uno", "Nota.QR2", 0, "004", 0, 0, 0}});
    fs::remove(dir_ / "datos" / "Dispos.DB");
    Fill(tables::Dispos(), {Row{"004", "file", "WINDOWS", "MANEJ", 0, 0, 0, 0, "", "", "", "", "", "",
                                "", "", 0}});
    auto d = Reimprime("");
    EXPECT_TRUE(d->Messages().empty()) << d->Messages()[0].request.text;
    const std::pair<const char*, const char*> notas[] = {{"A-0001", "Pepe"}, {"A-0002", "Ana"}};
    for (const auto& [nota, cajero] : notas) {
        const fs::path pdf = dir_ / ("Nota-" + std::string(nota) + ".pdf");
        ASSERT_TRUE(fs::exists(pdf)) << pdf;
        EXPECT_TRUE(Slurp(pdf).starts_with("%PDF"));
        if (std::system("command -v pdftotext > /dev/null") == 0) {
            const fs::path txt = dir_ / "nota.txt";
            ASSERT_EQ(std::system(("pdftotext " + pdf.string() + " " + txt.string()).c_str()), 0);
            const std::string t = Slurp(txt);
            EXPECT_TRUE(Has(t, nota)) << t;
            EXPECT_TRUE(Has(t, cajero)) << t;
            EXPECT_TRUE(Has(t, "REIMPRESA")) << t;
        }
    }
    EXPECT_FALSE(fs::exists(dir_ / "Nota-A-0003.pdf"));
    EXPECT_FALSE(fs::exists(dir_ / "out" / "tickets.prn")) << "nothing went to the port";
}

TEST_F(Reprint, AMissingFormatIsTheNoteEnginesMessageAndTheDialogStaysOpen) {
    fs::remove(dir_ / "Formatos" / "Prueba.nta");
    auto d = Play(RImpresionNotas, "set edtFecDesde=05/10/2000\nclick btnImprimir", "01", "Centro");
    ASSERT_EQ(d->Messages().size(), 1u);
    EXPECT_EQ(d->Messages()[0].request.text, "No se encontró el formato");
    EXPECT_TRUE(d->EndedWithFormOpen());
}

TEST_F(Reprint, AnInvertedRangeIsCopiedLeavingTheFirstLookupAndWarnedLeavingTheLast) {
    auto d = Play(RImpresionNotas,
                  "set edtFecDesde=05/10/2000\npick lkcmbNotaHasta A-0001\npick lkcmbNotaDesde A-0002\n"
                  "focus lkcmbCajero\nclick btnCancelar",
                  "01", "Centro");
    EXPECT_TRUE(d->Messages().empty());
    d = Play(RImpresionNotas,
             "set edtFecDesde=05/10/2000\npick lkcmbNotaDesde A-0002\npick lkcmbNotaHasta A-0001\n"
             "focus lkcmbCajero\nclick btnCancelar",
             "01", "Centro");
    ASSERT_FALSE(d->Messages().empty());
    EXPECT_EQ(d->Messages()[0].request.text, "El número de la nota inicial no debe ser mayor a la final");
    EXPECT_EQ(d->Messages()[0].request.caption, "Advertencia");
}

}  // namespace

namespace {

TEST_F(Reprint, ADayThatDoesNotExistIsRefusedInTheDateEdit) {
    auto d = Play(RImpresionNotas, "set edtFecDesde=31/02/2026\nfocus lkcmbNotaDesde", "01", "Centro");
    ASSERT_EQ(d->Messages().size(), 1u);
    EXPECT_EQ(d->Messages()[0].request.text, "'31/02/2026' no es una fecha válida");
    EXPECT_EQ(d->Messages()[0].request.caption, "Advertencia");
    EXPECT_EQ(d->Messages()[0].request.icon, vcl::MsgIcon::Information);
    ASSERT_EQ(d->Failures().size(), 1u) << "the focus did not reach the note range";
    EXPECT_TRUE(Has(d->Failures()[0], "quedó en \"edtFecDesde\"")) << d->Failures()[0];
}

}  // namespace

namespace {

// A layout for a register printed through a system printer, listing one field of one of the
// note's datasets (its lines or its taxes) through a component of the given name.
void NotaEnWindows(const fs::path& dir, const std::string& dataset, const std::string& componente,
                   const std::string& campo) {
    std::ofstream(dir / "Formatos" / "Nota.QR2") << R"(<?xml version="1.0" encoding="UTF-8"?>
<report name="Nota">
  <datasets>
    <query name=")" + dataset + R"(" database="RazirWin10"><sql><line>SELECT 1</line></sql></query>
  </datasets>
  <bands dataset=")" + dataset + R"(">
    <detail name="bndLineas" height="5">
      <field name=")" + componente + R"(" field=")" + campo + R"(" left="0" top="0" width="80"/>
    </detail>
  </bands>
</report>
)";
}

class ReprintFaults : public Reprint {
protected:
    // Day files kept per store: register 02 has a note numbered as register 01's A-0001.
    void PorTienda() {
        inst_->Config.ArchivosPorTienda = true;
        for (const char* f : {"V010510F.DB", "D010510F.DB"}) fs::remove(dir_ / "datos" / f);
        Dia(tables::DayKind::Ventas, {Venta("A-0001", "01", "001", "N", 179, 179, 0),
                                      Venta("A-0001", "02", "001", "N", 230.3, 230.3, 0)});
        Dia(tables::DayKind::Detalle, {Partida("A-0001", "01", 1, "P1", "", 2, 89.5),
                                       Partida("A-0001", "02", 1, "P2", "", 7, 32.9)});
    }
    void PorWindows(const std::string& dataset = "Productos", const std::string& componente = "fldDescripcio",
                    const std::string& campo = "Descripcio") {
        NotaEnWindows(dir_, dataset, componente, campo);
        fs::remove(dir_ / "datos" / "Cajas.DB");
        Fill(tables::Cajas(), {Row{"01", "01", "Caja uno", "Nota.QR2", 0, "004", 0, 0, 0},
                               Row{"01", "02", "Caja dos", "Nota.QR2", 0, "004", 0, 0, 0}});
        fs::remove(dir_ / "datos" / "Dispos.DB");
        Fill(tables::Dispos(), {Row{"004", "file", "WINDOWS", "MANEJ", 0, 0, 0, 0, "", "", "", "", "", "",
                                    "", "", 0}});
    }
    std::string Pdf(const char* nota) {
        const fs::path pdf = dir_ / ("Nota-" + std::string(nota) + ".pdf");
        const fs::path txt = dir_ / "nota.txt";
        if (!fs::exists(pdf) || std::system(("pdftotext " + pdf.string() + " " + txt.string()).c_str()) != 0)
            return {};
        return Slurp(txt);
    }
};

// Regression: with per-store day files a note's lines were matched by number alone, so the
// reprinted note of register 01 picked up the lines of register 02's note of that number.
TEST_F(ReprintFaults, PerStoreDayFilesMatchTheLinesByRegisterAndNoteOnThePort) {
    PorTienda();
    Reimprime("");
    const std::string t = Ticket();
    EXPECT_TRUE(Has(t, text::FromUtf8("Café de Chiapas", text::CodePage::CP850))) << t;
    EXPECT_FALSE(Has(t, text::FromUtf8("Piña en almíbar", text::CodePage::CP850))) << "register 02's line";
}

TEST_F(ReprintFaults, PerStoreDayFilesMatchTheLinesByRegisterAndNoteOnASystemPrinter) {
    if (std::system("command -v pdftotext > /dev/null") != 0) GTEST_SKIP() << "pdftotext missing";
    PorTienda();
    PorWindows();
    auto d = Reimprime("");
    EXPECT_TRUE(d->Messages().empty()) << d->Messages()[0].request.text;
    const std::string t = Pdf("A-0001");
    EXPECT_TRUE(Has(t, "Café de Chiapas")) << t;
    EXPECT_FALSE(Has(t, "Piña en almíbar")) << "register 02's line";
}

// Regression: the "Impuesto" field of the tax lines showed the tax's number, not its name.
TEST_F(ReprintFaults, TheTaxLinesShowTheConfiguredTaxName) {
    if (std::system("command -v pdftotext > /dev/null") != 0) GTEST_SKIP() << "pdftotext missing";
    inst_->Config.NomImpuesto1 = "IVA";
    inst_->Config.NomImpuesto2 = "IEPS";
    PorWindows("Impuestos", "Impuesto", "Impuesto");
    Dia(tables::DayKind::Impuestos, {Row{"01", "A-0001", 2, 8.0, 100.0, 8.0}});
    auto d = Reimprime("pick lkcmbNotaHasta A-0001\n");
    EXPECT_TRUE(d->Messages().empty()) << d->Messages()[0].request.text;
    const std::string t = Pdf("A-0001");
    EXPECT_TRUE(Has(t, "IEPS")) << t;
}

// Regression: the note range was refilled only when its group was entered, so a range chosen
// for one day, register or store was printed against another's file (or, never filled, gave
// way to the whole day). The range follows them.
TEST_F(ReprintFaults, TheNoteRangeFollowsTheDayAndTheRegister) {
    const text::TDateTime otroDia = kDia + 1;
    const db::TableDef ventas = tables::DayTable(tables::DayKind::Ventas, tables::DayFileStem("01", otroDia));
    {
        db::BatchWriter w((dir_ / "datos" / ventas.name).string(), ventas);
        w.Append(Venta("B-0001", "01", "001", "N", 10, 10, 0));
        w.Commit();
    }
    const db::TableDef detalle = tables::DayTable(tables::DayKind::Detalle, tables::DayFileStem("01", otroDia));
    {
        db::BatchWriter w((dir_ / "datos" / detalle.name).string(), detalle);
        w.Append(Partida("B-0001", "01", 1, "P1", "", 1, 10));
        w.Commit();
    }
    struct Case {
        const char* why;
        bool porTienda;
        std::string script;
        const char* printed;
        std::vector<const char*> absent;
    };
    const Case kCases[] = {
        {"another day typed after the range was chosen", false,
         "set edtFecDesde=05/10/2000\nfocus lkcmbNotaDesde\npick lkcmbNotaDesde A-0002\npick lkcmbNotaHasta A-0002\n"
         "set edtFecDesde=06/10/2000\nfocus lkcmbCajero\n",
         "Nota: B-0001", {"A-0001", "A-0002"}},
        {"another day, Print pressed straight from the date edit", false,
         "set edtFecDesde=05/10/2000\nfocus lkcmbNotaDesde\npick lkcmbNotaDesde A-0002\npick lkcmbNotaHasta A-0002\n"
         "focus edtFecDesde\nset edtFecDesde=06/10/2000\n",
         "Nota: B-0001", {"A-0001", "A-0002"}},
        {"another register of the store's day file", true,
         "set edtFecDesde=05/10/2000\nfocus lkcmbNotaDesde\npick lkcmbNotaDesde A-0001\npick lkcmbNotaHasta A-0002\n"
         "pick lkcmbCajas 02\n",
         "Nota: A-0004", {"A-0001", "A-0002"}},
    };
    for (const auto& c : kCases) {
        fs::remove(dir_ / "out" / "tickets.prn");
        inst_->Config.ArchivosPorTienda = c.porTienda;
        auto d = Play(RImpresionNotas, c.script + "click btnImprimir\nclick btnCancelar", "01", "Centro");
        EXPECT_TRUE(d->Messages().empty()) << c.why << ": " << d->Messages()[0].request.text;
        const std::string t = Ticket();
        EXPECT_TRUE(Has(t, Line(c.printed))) << c.why;
        for (const char* n : c.absent) EXPECT_FALSE(Has(t, n)) << c.why << ": " << n;
    }
}

}  // namespace
