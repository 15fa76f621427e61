// The note report: loading formats, the fixed-pitch layout of each section, payment and tax
// lines, and the errors of loading and printing.
#include "notes/report.h"

#include <gtest/gtest.h>

#include "platform/3_report/memory_dataset.h"
#include "platform/4_adapters/report/printer_dialog.h"
#include "platform/2_vcl/stream/writer.h"
#include "tests/notes/note_printer.h"

namespace notix {
namespace {

using namespace testing_notes;
using vcl::stream::Component;

TFormatoNota Vacio() {
    TFormatoNota f;
    f.encabezado.objeto = Seccion(kSeccionEncabezado, "");
    f.detalle.objeto = Seccion(kSeccionDetalle, "");
    f.pie.objeto = Seccion(kSeccionPie, "");
    return f;
}

// Prints the note and returns its lines as text.
std::vector<std::string> Lineas(SerialNote& n) {
    std::vector<std::string> out;
    n.reporte.OnLinea = [&](const std::string& l) { out.push_back(l); };
    n.datos.ImprimirNota();
    n.printer.Read();
    return out;
}

TEST(CargarFormato, SectionsSortedAndTheCompanyLabelFirst) {
    SerialNote n;
    TFormatoNota f = Vacio();
    f.encabezado.objeto = Seccion(kSeccionEncabezado, "Epson");
    f.encabezado.controles = {Etiqueta("B", 100, 40, 50, "b"), Etiqueta("A", 0, 40, 50, "a"),
                              Etiqueta("C", 0, 20, 50, "c")};
    f.detalle.controles = {Etiqueta("D", 0, 0, 50, "d")};
    f.pie.controles = {Etiqueta("E", 0, 0, 50, "e"), LineaHorizontal("F", 0, 20, 100)};
    n.Cargar(f);
    ASSERT_EQ(n.reporte.Encabezado().size(), 4u);
    EXPECT_EQ(n.reporte.Encabezado()[0].NombreCampo, "RazonSocial");
    EXPECT_EQ(n.reporte.Encabezado()[0].Caption, "Razón social de la Empresa");
    EXPECT_EQ(n.reporte.Encabezado()[1].Caption, "c");
    EXPECT_EQ(n.reporte.Encabezado()[2].Caption, "a");
    EXPECT_EQ(n.reporte.Encabezado()[3].Caption, "b");
    EXPECT_EQ(n.reporte.Detalle().size(), 1u);
    EXPECT_EQ(n.reporte.Pie().size(), 2u);
    EXPECT_EQ(n.reporte.Pie()[1].Shape, TElementoNota::kLineaHorizontal);
    EXPECT_EQ(n.reporte.NombreImpresoraDelaNota(), "Epson");

    n.Cargar(Vacio());  // a second load replaces everything
    EXPECT_EQ(n.reporte.Encabezado().size(), 1u);
    EXPECT_TRUE(n.reporte.Detalle().empty());
    EXPECT_TRUE(n.reporte.Pie().empty());
}

TEST(CargarFormato, ControlsBeforeAnySectionGoToTheFooter) {
    SerialNote n;
    std::string bytes = vcl::stream::Write(Etiqueta("X", 0, 0, 10, "x"));
    Spit(n.formato, bytes);
    n.reporte.FormatoDeImpresion = n.formato.string();
    n.reporte.CargarFormato();
    EXPECT_EQ(n.reporte.Pie().size(), 1u);
}

TEST(CargarFormato, ErrorsKeepWhatWasRead) {
    SerialNote n;
    auto error = [&] {
        try {
            n.reporte.CargarFormato();
        } catch (const EError& e) {
            return std::string(e.what());
        }
        return std::string("(sin error)");
    };
    n.reporte.FormatoDeImpresion = "";
    EXPECT_EQ(error(), "No se dio la ruta y nombre de formato a cargar");
    EXPECT_EQ(n.reporte.Encabezado().size(), 1u);
    n.reporte.FormatoDeImpresion = "/no/such/Formatos/x.nta";
    EXPECT_EQ(error(), "No se encontró el formato");

    TFormatoNota f = Vacio();
    f.encabezado.controles = {Etiqueta("A", 0, 20, 50, "a")};
    f.detalle.controles = {Etiqueta("B", 0, 0, 50, "b")};
    std::string whole = EscribirFormato(f);
    std::string detailStart = vcl::stream::Write(f.detalle.objeto);
    std::size_t cut = whole.find(detailStart) + detailStart.size() + 10;  // inside label B
    struct Case {
        std::string bytes;
        const char* why;
    };
    const Case cases[] = {
        {whole.substr(0, cut), "cut inside a control"},
        {whole.substr(0, cut) + std::string(200, '\x7F'), "garbage inside a control"},
        {whole + "TPF0\x06TLabel", "a last image cut short"},
        {whole + "GARBAGE", "no signature"},
    };
    for (const auto& c : cases) {
        Spit(n.formato, c.bytes);
        n.reporte.FormatoDeImpresion = n.formato.string();
        std::string e = error();
        EXPECT_NE(e.find("está dañado"), std::string::npos) << c.why << ": " << e;
        EXPECT_EQ(n.reporte.Encabezado().size(), 2u) << c.why;
    }
}

TEST(Layout, ColumnsFromPositionsAndRightAlignedLineTotals) {
    SerialNote n;
    TFormatoNota f = Vacio();
    f.detalle.controles = {Etiqueta("C", 40, 0, 40, "", "Cantidad"),
                           Etiqueta("T", 100, 0, 80, "", "TPartida")};
    n.Cargar(f);
    TCamposDetalle& d = n.datos.CamposDetalle();
    d.Add().SetNombre("Cantidad");
    d.Add().SetNombre("TPartida");
    for (auto [q, t] : {std::pair{"2", "$9.50"}, {"10", "$1,250.00"}}) {
        d.Append();
        d.SetAsString("Cantidad", q);
        d.SetAsString("TPartida", t);
    }
    d.SetIndice(0);  // every row prints, not only those up to the current one
    auto lines = Lineas(n);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], "    2        $9.50");
    EXPECT_EQ(lines[3], "    10    $1,250.00");
}

TEST(Layout, LinesFromTopsAndColumnsFromLefts) {
    struct Case {
        std::vector<Component> controls;
        std::vector<std::string> lines;  // of the footer
        const char* why;
    };
    const Case cases[] = {
        {{Etiqueta("A", 0, 0, 50, "a"), Etiqueta("B", 31, 0, 50, "b")}, {"a   b"},
         "Left 31: column 3, odd Left one more"},
        {{Etiqueta("A", 0, 0, 50, "a"), Etiqueta("B", 0, 5, 50, "b")}, {"a", "b"},
         "a larger Top starts a line whatever the gap"},
        {{Etiqueta("A", 0, 20, 50, "a")}, {"", "a"}, "a section starting below 0 begins empty"},
        {{Etiqueta("A", 0, 0, 30, "abcdefgh")}, {"abcd"}, "no word wrap: kept to the width"},
        {{Etiqueta("A", 0, 0, 30, "abcdefgh", "", true)}, {"abcdefgh"}, "word wrap: whole"},
        {{LineaHorizontal("L", 0, 0, 380)}, {std::string(40, '-')}, "a line of Width div 10 + 2"},
        {{Etiqueta("A", 0, 0, 10, "ñ"), Etiqueta("B", 20, 0, 10, "é")}, {"ñ é"},
         "columns count characters"},
        {{Etiqueta("A", 0, 0, 50, "", "NoHay")}, {""}, "a field nobody has prints nothing"},
    };
    for (const auto& c : cases) {
        SerialNote n;
        TFormatoNota f = Vacio();
        f.pie.controles = c.controls;
        n.Cargar(f);
        auto lines = Lineas(n);
        lines.erase(lines.begin(), lines.begin() + 2);  // header: empty line, company name
        EXPECT_EQ(lines, c.lines) << c.why;
    }
}

TEST(Layout, HeaderAmountsRightAlignedAndZeroPaymentsBlank) {
    SerialNote n;
    TFormatoNota f = Vacio();
    f.pie.controles = {Etiqueta("S", 0, 0, 80, "", "SubTotal"),
                       Etiqueta("I2", 0, 20, 80, "", "Importe2"),
                       Etiqueta("I3", 0, 40, 80, "", "Importe3"),
                       Etiqueta("L", 0, 60, 20, "", "Letras", true),
                       Etiqueta("F", 0, 80, 20, "", "Folio")};
    n.Cargar(f);
    n.Campo("SubTotal", "$12.50");
    n.Campo("Importe2", "$0.00");
    n.Campo("Letras", "101.5");
    n.Campo("Moneda", "dólares");
    n.Campo("Folio", "ABCDEFGH");
    auto lines = Lineas(n);
    lines.erase(lines.begin(), lines.begin() + 2);
    const std::vector<std::string> expected = {
        "   $12.50",  // 8 cells - 6 characters + 1
        " ",          // zero payment
        "",           // no such field at all
        "Son ciento un dólares 50/100 M.N.",
        "ABC",  // not an amount: the value, kept to its width
    };
    EXPECT_EQ(lines, expected);
}

TEST(Layout, LetrasWithoutMonedaIsAnError) {
    SerialNote n;
    TFormatoNota f = Vacio();
    f.pie.controles = {Etiqueta("L", 0, 0, 20, "", "Letras")};
    n.Cargar(f);
    n.Campo("Letras", "1");
    EXPECT_THROW(n.datos.ImprimirNota(), EError);
}

TEST(Layout, PaymentAndTaxLines) {
    struct Case {
        const char* field;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"FormasPago", {"EFECTIVO  $50.00", "TARJETA  $70.00", "VALE  $5.00"}},
        {"FormasPagoCompleto",
         {"EFECTIVO  $50.00", "TARJETA  $70.00", "1234  VENCE : 08/28", "AUTO :   999",
          "VALE  $5.00", "V-1"}},
        {"FormasImpuestos", {"IVA 16%        $16.00", "Impuesto e     $1.00"}},
    };
    for (const auto& c : cases) {
        SerialNote n;
        TFormatoNota f = Vacio();
        f.pie.controles = {Etiqueta("A", 0, 0, 10, "x", c.field)};
        n.Cargar(f);
        n.Campo("Importe1", "$50.00");
        n.Campo("FormaPago1", "EFECTIVO");
        n.Campo("Importe2", "$70.00");
        n.Campo("FormaPago2", "TARJETA");
        n.Campo("NumDoc2", "1234");
        n.Campo("FecVen2", "08/28");
        n.Campo("Autoriza2", "999");
        n.Campo("Importe3", "$0.00");
        n.Campo("FormaPago3", "NADA");
        n.Campo("Importe4", "$5.00");
        n.Campo("FormaPago4", "VALE");
        n.Campo("NumDoc4", "V-1");
        n.Campo("Impuesto1", "$16.00");
        n.Campo("DescImp1", "IVA 16%");
        n.Campo("Impuesto2", "$0.00");
        n.Campo("DescImp2", "Cero");
        n.Campo("Impuesto3", "$1.00");
        n.Campo("DescImp3", "Impuesto especial");
        auto lines = Lineas(n);
        lines.erase(lines.begin(), lines.begin() + 2);
        ASSERT_FALSE(lines.empty()) << c.field;
        EXPECT_EQ(lines.back(), "") << c.field << ": the label's own line comes after";
        lines.pop_back();
        EXPECT_EQ(lines, c.lines) << c.field;
    }
}

TEST(ImprimeNotaQR2, PrintsTheLayoutOnTheChosenPrinterAndGivesUpOnAMissingOne) {
    SerialNote n;
    n.datos.SetModoImpresion(mWindows);
    fs::path layout = Temp("RNota.QR2"), pdf = Temp("nota.pdf");
    Spit(layout,
         "<report name='RNota'><page columns='40'/><bands>"
         "<title name='bndTitulo' height='4.233'><label name='lblNota' left='0' top='0' "
         "width='40' caption='Nota de venta'/></title></bands></report>");
    n.reporte.FormatoDeImpresion = layout.string();
    n.datos.ImprimirNota();  // no report printer dialog: nothing happens, nothing is sent
    EXPECT_EQ(n.printer.Read(), "");

    report::TReportPrinterDialog dialog(nullptr);
    dialog.SetName("rppdlgNota");
    report::MemoryDatasetFactory factory;
    dialog.SetDatasetFactory(&factory);
    dialog.Printer.filePath = pdf.string();
    n.reporte.ReportPrinterQR2 = &dialog;
    n.reporte.SetNombredeImpresora(report::kFileDestination);
    EXPECT_EQ(n.reporte.NombredeImpresora(), report::kFileDestination);
    n.datos.ImprimirNota();
    EXPECT_EQ(Slurp(pdf).substr(0, 5), "%PDF-");

    n.reporte.SetNombredeImpresora("Impresora que no existe");
    EXPECT_FALSE(n.reporte.NombredeImpresora().empty());  // the default printer instead

    n.reporte.SetNombredeImpresora(report::kFileDestination);
    n.reporte.FormatoDeImpresion = "/no/such/RNota.QR2";
    try {
        n.datos.ImprimirNota();
        ADD_FAILURE() << "printed a missing layout";
    } catch (const EError& e) {
        EXPECT_NE(std::string(e.what()).find("No se pudo imprimir la nota"), std::string::npos);
    }
    fs::remove(layout);
    fs::remove(pdf);
}

}  // namespace
}  // namespace notix
