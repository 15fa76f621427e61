// The band engine over in-memory datasets: groups and totals against a golden text, the same
// figures in the PDF, page breaks (a band taller than a page, a group footer at a break), the
// empty report, roll output and sub-details.
#include "platform/3_report/engine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/3_report/layout.h"
#include "platform/3_report/memory_dataset.h"
#include "platform/3_report/render_pdf.h"
#include "platform/3_report/render_text.h"

namespace report {
namespace {

const std::string kFixtures = std::string(RAZIR_FIXTURES) + "/report/";

MemoryTable Sales() {
    MemoryTable t;
    t.columns = {"Tienda", "Producto", "Cantidad", "Importe"};
    auto row = [&](const char* store, const char* product, double qty, double amount) {
        t.rows.push_back({std::string(store), std::string(product), qty, amount});
    };
    row("01", "Arroz 1 kg", 3, 45.5);
    row("01", "Frijol negro", 2, 38);
    row("01", "Aceite 1 l", 1, 1234.5);
    row("02", "Azúcar", 10, 210);
    row("02", "Café soluble", 1.5, 99.99);
    row("03", "Leche", 4, 88);
    return t;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void OpenAll(Report& rep) {
    for (auto& ds : rep.Datasets()) ds->Open();
}

std::string RunText(Report& rep, EngineOptions opt = {}, RunResult* result = nullptr) {
    std::ostringstream out;
    TextRenderer text(rep.Page, out);
    RunResult r = RunReport(rep, opt, text);
    if (result) *result = r;
    return out.str();
}

TEST(ReportEngine, GroupedReportMatchesGoldenText) {
    MemoryDatasetFactory factory;
    factory.Provide("Query1", Sales());
    auto rep = LoadLayout(kFixtures + "RVentas.QR2", factory);
    OpenAll(*rep);
    std::string text = RunText(*rep);
    const std::string golden = kFixtures + "RVentas.txt";
    if (std::getenv("RAZIR_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << text;
    EXPECT_EQ(text, Slurp(golden));
}

TEST(ReportEngine, PdfTextHoldsTheSameFigures) {
    MemoryDatasetFactory factory;
    factory.Provide("Query1", Sales());
    auto rep = LoadLayout(kFixtures + "RVentas.QR2", factory);
    OpenAll(*rep);
    auto dir = std::filesystem::temp_directory_path() / ("razir-engine-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string pdf = (dir / "RVentas.pdf").string();
    {
        PdfRenderer r(pdf, "Ventas");
        RunReport(*rep, {}, r);
    }
    std::string txt = (dir / "RVentas.txt").string();
    ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + txt + "'").c_str()), 0);
    std::string text = Slurp(txt);
    for (const char* figure : {"$ 1,318.00", "$ 309.99", "$ 88.00", "$ 1,715.99", "21.50", "Página 1", "de 1",
                               "Café soluble", "Tienda 02"})
        EXPECT_NE(text.find(figure), std::string::npos) << figure << "\n" << text;
    std::filesystem::remove_all(dir);
}

// A page 60 mm tall with 10 mm margins: 40 mm of body, about nine text lines.
std::string SmallPage(const std::string& bands, const std::string& extra = "") {
    return "<report><page size='custom' width='100' height='60' left='10' top='10' right='10' bottom='10' columns='32'/>"
           "<datasets><query name='Q'/>" + extra + "</datasets><bands dataset='Q'>" + bands + "</bands></report>";
}

MemoryTable Numbers(int n, int perGroup) {
    MemoryTable t;
    t.columns = {"G", "N"};
    for (int i = 1; i <= n; ++i) t.rows.push_back({static_cast<std::int64_t>((i - 1) / perGroup), static_cast<std::int64_t>(i)});
    return t;
}

TEST(ReportEngine, BandTallerThanAPageIsSplitAcrossPages) {
    MemoryDatasetFactory factory;
    factory.Provide("Q", Numbers(2, 100));
    auto rep = ParseLayout(SmallPage("<detail height='100'>"
                                     "<expr left='0' top='0' width='40' expression=\"'arriba ' + N\"/>"
                                     "<expr left='0' top='50' width='40' expression=\"'medio ' + N\"/>"
                                     "<expr left='0' top='95' width='40' expression=\"'abajo ' + N\"/>"
                                     "</detail>"), "Alta.QR2", factory);
    OpenAll(*rep);
    RunResult r;
    std::string text = RunText(*rep, {}, &r);
    // Each 100 mm band takes three 40 mm pages; the second row starts on a fresh page.
    EXPECT_EQ(r.pages, 6);
    // Items keep their place inside the band: "medio" sits 10 mm into the second page's body.
    EXPECT_EQ(text, "arriba 1\n\f\n\n\nmedio 1\n\f\n\n\n\n\nabajo 1\n\f\narriba 2\n\f\n\n\nmedio 2\n\f\n\n\n\n\nabajo 2\n");
}

TEST(ReportEngine, GroupFooterAtAPageBreakKeepsItsGroupTotal) {
    MemoryDatasetFactory factory;
    factory.Provide("Q", Numbers(10, 9));  // group 0: rows 1..9 fill page one; group 1: row 10
    auto rep = ParseLayout(SmallPage("<group expression='G'><footer height='4.233'>"
                                     "<expr left='0' top='0' width='40' expression=\"'Subtotal ' + SUM(N)\" reset='group'/>"
                                     "</footer></group>"
                                     "<detail height='4.233'><field left='0' top='0' width='20' field='N'/></detail>"
                                     "<pagefooter height='0'/>"), "Corte.QR2", factory);
    OpenAll(*rep);
    std::string text = RunText(*rep);
    EXPECT_EQ(text, "1\n2\n3\n4\n5\n6\n7\n8\n9\n\f\nSubtotal 45\n10\nSubtotal 10\n");
}

TEST(ReportEngine, PageTotalsResetOnEachPage) {
    MemoryDatasetFactory factory;
    factory.Provide("Q", Numbers(12, 100));
    auto rep = ParseLayout(SmallPage("<detail height='4.233'><field left='0' top='0' width='20' field='N'/></detail>"
                                     "<pagefooter height='4.233'><expr left='0' top='0' width='80' "
                                     "expression=\"'Página ' + PAGENUMBER + ' de ' + PAGECOUNT + ' suma ' + SUM(N)\" reset='page'/></pagefooter>"),
                           "Pie.QR2", factory);
    OpenAll(*rep);
    std::string text = RunText(*rep);
    // Eight rows per page above the footer: 1..8 = 36, 9..12 = 42. The count comes from the
    // spool once the last page is known.
    EXPECT_NE(text.find("Página 1 de 2 suma 36"), std::string::npos) << text;
    EXPECT_NE(text.find("Página 2 de 2 suma 42"), std::string::npos) << text;
}

TEST(ReportEngine, EmptyReportPrintsItsHeadingsOrNothing) {
    MemoryDatasetFactory factory;
    factory.Provide("Query1", MemoryTable{{"Tienda", "Producto", "Cantidad", "Importe"}, {}});
    auto rep = LoadLayout(kFixtures + "RVentas.QR2", factory);
    OpenAll(*rep);
    RunResult r;
    std::string text = RunText(*rep, {}, &r);
    EXPECT_TRUE(r.empty);
    EXPECT_EQ(r.pages, 1);
    for (const char* heading : {"EMPRESA", "Ventas por tienda", "Producto", "Total general", "Página 1"})
        EXPECT_NE(text.find(heading), std::string::npos) << heading;
    EXPECT_EQ(text.find("Tienda 0"), std::string::npos) << "no group bands without rows";

    EngineOptions off;
    off.printIfEmpty = false;
    EXPECT_EQ(RunText(*rep, off, &r), "");
    EXPECT_EQ(r.pages, 0);
}

TEST(ReportEngine, FortyColumnLayoutIsOneContinuousPage) {
    MemoryDatasetFactory factory;
    MemoryTable pagos{{"Descripcion", "Monto"}, {}};
    for (int i = 0; i < 40; ++i) pagos.rows.push_back({std::string(i % 2 ? "Tarjeta" : "Efectivo"), 1000.25 + i});
    factory.Provide("tblPagos", pagos);
    auto rep = LoadLayout(kFixtures + "RCorte40.QR2", factory);
    OpenAll(*rep);
    RunResult r;
    std::string text = RunText(*rep, {}, &r);
    EXPECT_EQ(r.pages, 1);
    EXPECT_EQ(text.find('\f'), std::string::npos);
    std::istringstream lines(text);
    std::vector<std::string> all;
    for (std::string l; std::getline(lines, l);) {
        EXPECT_LE(CodePoints(l), 40u) << l;
        all.push_back(l);
    }
    ASSERT_EQ(all.size(), 2u + 40u + 2u + 1u);
    EXPECT_EQ(all[0], "                EMPRESA");
    EXPECT_EQ(all[2], "Efectivo                        1,000.25");
    EXPECT_EQ(all[42], std::string(40, '-'));
    EXPECT_EQ(all[43], "Total                          40,790.00");
    EXPECT_EQ(all[44], "                Gracias");

    // The page-mode switch off makes any layout continuous.
    factory.Provide("Q", Numbers(30, 100));
    auto paged = ParseLayout(SmallPage("<detail height='4.233'><field left='0' top='0' width='20' field='N'/></detail>"), "P.QR2", factory);
    OpenAll(*paged);
    paged->PageMode = false;
    EXPECT_EQ(RunText(*paged, {}, &r).find('\f'), std::string::npos);
    EXPECT_EQ(r.pages, 1);
}

TEST(ReportEngine, SubDetailReopensForEachMasterRow) {
    MemoryDatasetFactory factory;
    factory.Provide("M", MemoryTable{{"Nota", "Cliente"}, {{std::int64_t{1}, std::string("Ana")}, {std::int64_t{2}, std::string("Luis")}, {std::int64_t{3}, std::string("Eva")}}});
    factory.Provide("D", MemoryTable{{"Nota", "Art", "Imp"},
                                     {{std::int64_t{1}, std::string("a"), 5.0}, {std::int64_t{2}, std::string("b"), 7.0},
                                      {std::int64_t{1}, std::string("c"), 1.0}}});
    auto rep = ParseLayout(
        "<report><page size='custom' width='100' height='200' left='0' top='0' right='0' bottom='0' columns='40'/>"
        "<datasets><query name='M'/><query name='D' master='M'><link detail='Nota' master='Nota'/></query></datasets>"
        "<bands dataset='M'><detail height='4.233'><field left='0' top='0' width='20' field='Cliente'/></detail>"
        "<subdetail dataset='D'><detail height='4.233'><field left='5' top='0' width='20' field='Art'/></detail>"
        "<footer height='4.233'><expr left='5' top='0' width='30' expression=\"'suma ' + SUM(D.Imp)\"/></footer></subdetail>"
        "</bands></report>", "MD.QR2", factory);
    OpenAll(*rep);
    EXPECT_EQ(RunText(*rep), "Ana\n  a\n  c\n  suma 6\nLuis\n  b\n  suma 7\nEva\n");
}

TEST(ReportEngine, UnknownFieldNamesItsLayoutLine) {
    MemoryDatasetFactory factory;
    factory.Provide("Q", Numbers(1, 1));
    auto rep = ParseLayout(SmallPage("<detail height='5'>\n<field left='0' top='0' width='20' field='NoHay'/>\n</detail>"), "F.QR2", factory);
    OpenAll(*rep);
    try {
        RunText(*rep);
        ADD_FAILURE() << "accepted an unknown field";
    } catch (const LayoutError& e) {
        EXPECT_EQ(e.Line(), 2);
        EXPECT_NE(std::string(e.what()).find("NoHay"), std::string::npos);
    }
}

}  // namespace
}  // namespace report

namespace report {
namespace {

TEST(ReportEngine, ImageDrawingIsCapturedEachTimeItsBandPrints) {
    MemoryDatasetFactory factory;
    factory.Provide("Q", MemoryTable{{"Producto"}, {{std::string("750103131130")}, {std::string("750100000001")}}});
    auto rep = ParseLayout(SmallPage("<detail name='bndCodBar' height='20'><image name='imgCodBar1' left='0' top='0' width='40' height='15'/>"
                                     "<barcode name='bcProducto' symbology='EAN13' data='Producto' left='45' top='0' width='30' height='15' showtext='false'/>"
                                     "</detail>"), "CB.QR2", factory);
    OpenAll(*rep);
    auto* img = rep->Find<Image>("imgCodBar1");
    Dataset* q = rep->MainDataset();
    EngineOptions opt;
    // As the six-across label band does: clear the image and draw this row's code into it.
    opt.bandBeforePrint = [&](Band& band, bool&) {
        if (band.Name() != "bndCodBar") return;
        img->Picture().Clear();
        img->Picture().Barcode(1, 1, 38, 13, EncodeBarcode(Symbology::Ean13, ToText(q->Rows().Get(0))), false);
    };
    struct Capture : PageSink {
        std::vector<std::size_t> rects;
        void AddPage(const Page& p) override {
            std::size_t n = 0;
            for (const Element& e : p.elements) n += std::holds_alternative<RectElement>(e);
            rects.push_back(n);
        }
    } capture;
    RunReport(*rep, opt, capture);
    // Both rows on one page: 30 bars drawn by the handler and 30 by the bar-code item, per row.
    ASSERT_EQ(capture.rects.size(), 1u);
    EXPECT_EQ(capture.rects[0], 4u * 30u);
}

TEST(ReportEngine, DataFieldHooksShapeTheText) {
    MemoryDatasetFactory factory;
    factory.Provide("Q", MemoryTable{{"TipoMov", "Monto"}, {{std::int64_t{1}, 1234.5}, {std::int64_t{3}, Value{}}}});
    auto rep = ParseLayout(SmallPage("<detail height='4.233'><field name='fTipoMov' left='0' top='0' width='30' field='TipoMov'/>"
                                     "<field name='lblMonto' left='30' top='0' width='30' align='right' field='Monto' mask='$ ###,##0.00'/></detail>"),
                           "Hooks.QR2", factory);
    OpenAll(*rep);
    rep->Find<DataField>("fTipoMov")->OnGetText = [](const Value& v, std::string& text) {
        text = ToNumber(v) == 1 ? "Ventas" : "Traspasos";
    };
    rep->Find<DataField>("lblMonto")->OnPrint = [](DataField&, std::string& text) { if (text.empty()) text = "-"; };
    EXPECT_EQ(RunText(*rep), "Ventas        $ 1,234.50\nTraspasos              -\n");
}

}  // namespace
}  // namespace report

namespace report {
namespace {

TEST(ReportEngine, BandSwitches) {
    struct Case { const char* bands; const char* text; const char* why; };
    const Case cases[] = {
        {"<detail height='4.233' enabled='false'><field left='0' top='0' width='20' field='N'/></detail>"
         "<summary height='4.233'><expr left='0' top='0' width='30' expression=\"'n=' + COUNT()\"/></summary>",
         "n=3\n", "a disabled detail still counts its rows"},
        {"<detail height='4.233'><field left='0' top='0' width='20' field='N'/></detail>"
         "<summary height='4.233' newpage='true'><label left='0' top='0' width='20' caption='fin'/></summary>",
         "1\n2\n3\n\f\nfin\n", "newpage starts the band on a fresh page"},
        {"<detail height='4.233'><field left='0' top='0' width='20' field='N'/></detail>"
         "<subdetail dataset='D'><header height='4.233' printifempty='true'><label left='2.54' top='0' width='20' caption='notas:'/></header>"
         "<detail height='4.233'><field left='5.08' top='0' width='20' field='X'/></detail></subdetail>",
         "1\n notas:\n  a\n2\n notas:\n3\n notas:\n", "the header prints for a master row with no detail rows"},
        {"<summary height='21.166'><label left='0' top='0' width='20.32' height='21.166' wordwrap='true' caption='  uno&#10;&#10;  dos&#10;12345678&#10;x'/></summary>",
         "  uno\n\n  dos\n12345678\nx\n", "regression: a memo's line breaks ran its lines together in the text"},
    };
    for (const Case& c : cases) {
        MemoryDatasetFactory factory;
        factory.Provide("Q", Numbers(3, 100));
        factory.Provide("D", MemoryTable{{"N", "X"}, {{std::int64_t{1}, std::string("a")}}});
        auto rep = ParseLayout(SmallPage(c.bands, "<query name='D' master='Q'><link detail='N' master='N'/></query>"), "S.QR2", factory);
        OpenAll(*rep);
        EXPECT_EQ(RunText(*rep), c.text) << c.why;
    }
}

}  // namespace
}  // namespace report
