// The printer dialog: order of the events, names a layout lacks, the live detail cursor, a
// failing dataset, the preview form and printing to a file or to a missing CUPS printer.
#include "platform/4_adapters/report/printer_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/3_report/layout.h"
#include "platform/3_report/memory_dataset.h"
#include "platform/2_vcl/application.h"
#include "platform/2_vcl/script.h"

namespace report {
namespace {

namespace fs = std::filesystem;

class ReportPrinterDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("razir-dialog-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        SetPreviewSink(std::make_shared<FolderPreviewSink>((dir_ / "preview").string()));
        CloseAllPreviews();
        dlg_.SetName("rppdlgPrueba");
        dlg_.SetDatasetFactory(&factory_);
        factory_.Fallback([](const Dataset&) { return MemoryTable{{"Tienda", "Nota"}, {}}; });
    }
    void TearDown() override {
        CloseAllPreviews();
        fs::remove_all(dir_);
    }
    std::string Write(const std::string& name, const std::string& xml) {
        std::string path = (dir_ / name).string();
        std::ofstream(path) << xml;
        return path;
    }

    fs::path dir_;
    MemoryDatasetFactory factory_;
    TReportPrinterDialog dlg_{nullptr};
};

const char* kTwoDatasets =
    "<report name='RPrueba'><page columns='60'/>"
    "<datasets>"
    "<query name='Query1'><sql><line>SELECT * FROM Tiendas</line></sql><param name='TiendaIni'/><param name='TiendaFin'/></query>"
    "<table name='tblNotas' table='Notas'/>"
    "<query name='Query2' master='Query1'><link detail='Tienda' master='Tienda'/></query>"
    "</datasets>"
    "<bands dataset='Query1'>"
    "<title name='bndTitulo' height='4.233'><label name='lblNomEmpresa' left='0' top='0' width='80'/></title>"
    "<detail name='bndDetalle' height='4.233'><field left='0' top='0' width='20' field='Tienda'/></detail>"
    "<summary name='bndResumen' height='4.233'><expr left='0' top='0' width='40' expression=\"'Tiendas: ' + COUNT()\"/></summary>"
    "</bands></report>";

MemoryTable Stores(std::initializer_list<const char*> codes) {
    MemoryTable t{{"Tienda"}, {}};
    for (const char* c : codes) t.rows.push_back({std::string(c)});
    return t;
}

TEST_F(ReportPrinterDialogTest, EventsComeInTheDocumentedOrder) {
    std::vector<std::string> log;
    factory_.Provide("Query1", [&](const Dataset& ds) {
        log.push_back("open Query1 " + ToText(ds.Parameters().FindParam("TiendaIni")->value) + ".." +
                      ToText(ds.Parameters().FindParam("TiendaFin")->value));
        return Stores({"01", "02"});
    });
    factory_.Provide("tblNotas", [&](const Dataset& ds) { log.push_back("open tblNotas " + ds.TableName); return MemoryTable{{"Nota"}, {}}; });
    factory_.Provide("Query2", [&](const Dataset&) { log.push_back("open Query2"); return MemoryTable{{"Tienda"}, {{std::string("01")}}}; });
    dlg_.BeforeGetQueryParams = [&](Dataset& ds, Params& p) {
        log.push_back("params " + ds.Name());
        p.Set("TiendaIni", std::string("01"));
        p.Set("TiendaFin", std::string("09"));
        EXPECT_FALSE(p.Set("NoDeclarado", std::string("x"))) << "a missing parameter is skipped";
    };
    dlg_.BeforeOpenDataset = [&](Dataset& ds) {
        log.push_back("before open " + ds.Name());
        if (ds.Name() == "Query1") ds.DatabaseName = "RazirWin10";
        if (ds.Name() == "tblNotas") ds.TableName = "tblTemp3";
    };
    dlg_.AfterReportLoaded = [&](Report& rep) {
        for (auto& ds : rep.Datasets()) EXPECT_TRUE(ds->Active()) << ds->Name();
        EXPECT_EQ(ToText(rep.MainDataset()->Rows().Get(0)), "01") << "on the first record";
        EXPECT_EQ(rep.Find<Dataset>("Query1")->DatabaseName, "RazirWin10");
        log.push_back("loaded");
        rep.SetCaption("lblNomEmpresa", "Abarrotes La Paz");
        EXPECT_FALSE(rep.SetCaption("lblRFC", "X")) << "a missing label is skipped";
    };
    dlg_.BeforePrint = [&](PrintJob& job) {
        log.push_back("before print");
        job.Options[0] = 1;
        job.Title.push_back("Abarrotes La Paz");
        job.SetPageMode(true);
    };
    dlg_.BandBeforePrint = [&](Band& band, bool&) { log.push_back("band " + band.Name()); };
    dlg_.AfterReportFormCreated = [&] { log.push_back("form created"); };

    dlg_.Preview(Write("RPrueba.QR2", kTwoDatasets));
    const std::vector<std::string> expected = {
        "params Query1", "before open Query1", "open Query1 01..09",
        "before open tblNotas", "open tblNotas tblTemp3",
        "before open Query2", "open Query2",
        "loaded", "before print",
        "band bndTitulo", "band bndDetalle", "band bndDetalle", "band bndResumen",
        "form created"};
    EXPECT_EQ(log, expected);

    PreviewForm* form = FindPreview();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Name(), "VistaPrevia");
    EXPECT_EQ(vcl::Screen->FindForm("VistaPrevia"), form) << "in the screen's form list";
    EXPECT_TRUE(form->Showing()) << "shown, not modal";
    EXPECT_EQ(form->Document().pages, 1);
    EXPECT_TRUE(fs::exists(form->Document().pdfPath));
    EXPECT_NE(form->Document().text.find("Abarrotes La Paz"), std::string::npos);
    EXPECT_NE(form->Document().text.find("Tiendas: 2"), std::string::npos);
    form->Close();
    EXPECT_EQ(FindPreview(), nullptr) << "closing discards the form";
    vcl::Application->ProcessMessages();
    EXPECT_EQ(vcl::Screen->FindForm("VistaPrevia"), nullptr);
}

TEST_F(ReportPrinterDialogTest, BandHandlerMovesTheLiveCursor) {
    factory_.Provide("Query1", Stores({"01", "02", "03", "04", "05"}));
    Dataset* main = nullptr;
    dlg_.AfterReportLoaded = [&](Report& rep) { main = rep.MainDataset(); };
    int details = 0;
    dlg_.BandBeforePrint = [&](Band& band, bool& print) {
        if (band.Name() != "bndDetalle") return;
        ++details;
        // Moves on a row before the band prints, as the six-across label band does: the band
        // shows the row the cursor is on and the engine goes on from there.
        if (ToText(main->Rows().Get(0)) == "02") main->Rows().Next();
        print = true;
    };
    dlg_.Preview(Write("RPrueba.QR2", kTwoDatasets));
    EXPECT_EQ(details, 4);
    const std::string& text = FindPreview()->Document().text;
    EXPECT_EQ(text.find("02"), std::string::npos) << text;
    for (const char* shown : {"01", "03", "04", "05", "Tiendas: 4"}) EXPECT_NE(text.find(shown), std::string::npos) << shown;
}

TEST_F(ReportPrinterDialogTest, FailingDatasetReachesTheCaller) {
    factory_.Provide("Query1", [](const Dataset&) -> MemoryTable { throw std::runtime_error("no such table: Tiendaz"); });
    try {
        dlg_.Preview(Write("RPrueba.QR2", kTwoDatasets));
        ADD_FAILURE() << "no exception";
    } catch (const DatasetError& e) {
        EXPECT_NE(std::string(e.what()).find("no such table: Tiendaz"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("Query1"), std::string::npos);
    }
    EXPECT_EQ(FindPreview(), nullptr);
}

TEST_F(ReportPrinterDialogTest, PreviewHandsAPrintRequestBack) {
    factory_.Provide("Query1", Stores({"01"}));
    int requests = 0;
    dlg_.PrintFromPreview = true;
    dlg_.OnPreviewPrint = [&] { ++requests; };
    dlg_.Preview(Write("RPrueba.QR2", kTwoDatasets));
    FindPreview()->RequestPrint();
    EXPECT_TRUE(dlg_.PrintRequested());
    EXPECT_EQ(requests, 1);
}

TEST_F(ReportPrinterDialogTest, PrintsToAFileAfterTheSetUp) {
    factory_.Provide("Query1", Stores({"01", "02"}));
    std::string out = (dir_ / "salida.pdf").string();
    vcl::ScriptDriver script(vcl::ParseScript("pick cmbImpresora file\nset edtArchivo=" + out +
                                              "\nset spnCopias=2\nclick btnAceptar\n"));
    {
        vcl::DriverScope scope(script);
        ASSERT_TRUE(dlg_.PrinterSetup());
    }
    EXPECT_EQ(dlg_.Printer.destination, "file");
    EXPECT_EQ(dlg_.Printer.filePath, out);
    EXPECT_EQ(dlg_.Copies, 2);
    dlg_.Print(Write("RPrueba.QR2", kTwoDatasets));
    std::ifstream pdf(out, std::ios::binary);
    std::string head(5, '\0');
    pdf.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
}

// One page a store: each detail band starts a new page.
const char* kPageAStore =
    "<report name='RPaginas'><page columns='60'/>"
    "<datasets><query name='Query1'><sql><line>SELECT * FROM Tiendas</line></sql></query></datasets>"
    "<bands dataset='Query1'>"
    "<detail name='bndDetalle' height='4.233' newpage='true'><field left='0' top='0' width='20' field='Tienda'/></detail>"
    "</bands></report>";

// Pages of a PDF as its page objects ("/Type /Pages" is the tree, not a page).
int PdfPages(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int count = 0;
    for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
        if (pdf.compare(at, 12, "/Type /Pages") != 0) ++count;
    return count;
}

TEST_F(ReportPrinterDialogTest, PrintsOnlyThePagesOfTheChosenRange) {
    factory_.Provide("Query1", Stores({"01", "02", "03"}));
    const std::string layout = Write("RPaginas.QR2", kPageAStore);
    struct Case {
        const char* name;
        int first, last;
        int pages;  // -1: a PrintError and no file
    };
    const Case cases[] = {
        {"todas", 0, 0, 3},       {"solo la segunda", 2, 2, 1}, {"de la segunda en adelante", 2, 0, 2},
        {"hasta la primera", 0, 1, 1}, {"fuera del reporte", 4, 9, -1}, {"invertido", 3, 2, -1},
    };
    for (const Case& c : cases) {
        const std::string out = (dir_ / (std::string(c.name) + ".pdf")).string();
        vcl::ScriptDriver script(vcl::ParseScript("pick cmbImpresora file\nset edtArchivo=" + out + "\nset spnDesde=" +
                                                  std::to_string(c.first) + "\nset spnHasta=" + std::to_string(c.last) +
                                                  "\nclick btnAceptar\n"));
        {
            vcl::DriverScope scope(script);
            ASSERT_TRUE(dlg_.PrinterSetup()) << c.name;
        }
        EXPECT_EQ(dlg_.Printer.firstPage, c.first) << c.name;
        EXPECT_EQ(dlg_.Printer.lastPage, c.last) << c.name;
        if (c.pages < 0) {
            EXPECT_THROW(dlg_.Print(layout), PrintError) << c.name;
            EXPECT_FALSE(fs::exists(out)) << c.name;
            continue;
        }
        dlg_.Print(layout);
        EXPECT_EQ(PdfPages(out), c.pages) << c.name;
    }
}

TEST_F(ReportPrinterDialogTest, PreviewPrintsARangeOfItsPages) {
    factory_.Provide("Query1", Stores({"01", "02", "03"}));
    dlg_.Preview(Write("RPaginas.QR2", kPageAStore));
    PrinterSettings s;
    s.filePath = (dir_ / "rango.pdf").string();
    s.firstPage = 2;
    s.lastPage = 3;
    PrintPreviewDocument(FindPreview()->Document(), s);
    EXPECT_EQ(PdfPages(s.filePath), 2);
}

TEST_F(ReportPrinterDialogTest, CancelledSetUpChangesNothing) {
    vcl::ScriptDriver script(vcl::ParseScript("set spnCopias=9\nclick btnCancelar\n"));
    {
        vcl::DriverScope scope(script);
        EXPECT_FALSE(dlg_.PrinterSetup());
    }
    EXPECT_EQ(dlg_.Copies, 1);
    EXPECT_FALSE(dlg_.PrinterSetup()) << "headless, nobody accepts the set-up";
}

TEST_F(ReportPrinterDialogTest, MissingCupsPrinterIsASpanishError) {
    factory_.Provide("Query1", Stores({"01"}));
    dlg_.Printer.destination = "LaserPiso2";
    try {
        dlg_.Print(Write("RPrueba.QR2", kTwoDatasets));
        ADD_FAILURE() << "printed to a printer that does not exist";
    } catch (const PrintError& e) {
        EXPECT_NE(std::string(e.what()).find("LaserPiso2"), std::string::npos) << e.what();
    }
}

TEST_F(ReportPrinterDialogTest, EmptyReportPrintsHeadingsWhenAsked) {
    factory_.Provide("Query1", Stores({}));
    dlg_.Preview(Write("RPrueba.QR2", kTwoDatasets));
    EXPECT_NE(FindPreview()->Document().text.find("Tiendas: 0"), std::string::npos);
    CloseAllPreviews();
    dlg_.PrintIfEmpty = false;
    dlg_.Preview(Write("RPrueba.QR2", kTwoDatasets));
    EXPECT_EQ(FindPreview()->Document().pages, 0);
}

}  // namespace
}  // namespace report

namespace report {
namespace {

TEST_F(ReportPrinterDialogTest, PreviewCanWritePageImages) {
    factory_.Provide("Query1", Stores({"01", "02"}));
    SetPreviewSink(std::make_shared<FolderPreviewSink>((dir_ / "png").string(), true));
    dlg_.Preview(Write("RPrueba.QR2", kTwoDatasets));
    const PreviewDocument& doc = FindPreview()->Document();
    ASSERT_EQ(doc.pngPaths.size(), 1u);
    std::ifstream png(doc.pngPaths[0], std::ios::binary);
    std::string magic(4, '\0');
    png.read(magic.data(), 4);
    EXPECT_EQ(magic, "\x89PNG");
}

}  // namespace
}  // namespace report
