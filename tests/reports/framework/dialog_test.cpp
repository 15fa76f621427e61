// The base report dialog through a small report of its own: a dialog that wires no event and
// only declares its range, masks, store heading and 40-column variant, over a small layout;
// and the entry point's direct mode and exception variants.
#include "reports/framework/dialog.h"

#include <fstream>
#include <regex>

#include "host/velmor/help.h"
#include "platform/4_adapters/db/list_source.h"
#include "platform/2_vcl/edits.h"
#include "reports/framework/entry.h"
#include "platform/6_schema/tables.h"
#include "tests/reports/report_fixture.h"

namespace {

using Row = db::BatchWriter::Row;

bool Has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }
bool HasWords(const std::string& text, const std::string& a, const std::string& b) {
    return std::regex_search(text, std::regex(a + " +" + b));
}

// The test report's layout; the 40-column one says so in its title. Query1 names no database.
std::string Layout(const char* titulo) {
    return std::string(R"(<?xml version="1.0" encoding="UTF-8"?>
<report name="RPrueba">
  <datasets>
    <query name="Query1">
      <sql>
        <line>SELECT Tienda, Descripcio, 2.5 AS Cantidad, 1234.5 AS Importe FROM Tiendas</line>
        <line>WHERE Tienda BETWEEN :TiendaIni AND :TiendaFin</line>
      </sql>
      <param name="TiendaIni" type="string"/>
      <param name="TiendaFin" type="string"/>
    </query>
  </datasets>
  <bands dataset="Query1">
    <pageheader name="bndEncabezado" height="30">
      <label name="lblNomEmpresa" left="0" top="0" width="100"/>
      <label name="lblTitulo" left="110" top="0" width="80" caption=")") + titulo + R"("/>
      <label name="lblNomTienda" left="0" top="5" width="60"/>
      <label name="lblDirTienda" left="70" top="5" width="60"/>
      <label name="lblTitReporte" left="0" top="10" width="100"/>
      <label name="lblFecha" left="110" top="10" width="80"/>
      <label name="lblEDesde" left="0" top="15" width="20" caption="Desde:"/>
      <label name="lblDesde" left="22" top="15" width="20"/>
      <label name="lblEHasta" left="50" top="15" width="20" caption="Hasta:"/>
      <label name="lblHasta" left="72" top="15" width="20"/>
    </pageheader>
    <detail name="bndDetalle" height="5">
      <field name="fldTienda" field="Tienda" left="0" top="0" width="15"/>
      <field name="fldDescripcio" field="Descripcio" left="20" top="0" width="50"/>
      <field name="fldCantidad" field="Cantidad" left="80" top="0" width="25" align="right"/>
      <field name="fldImporte" field="Importe" left="110" top="0" width="50" align="right"/>
    </detail>
  </bands>
</report>
)";
}

// What the hooks saw, for the checks.
struct Visto {
    std::string parametroIni, alias, titulo;
    bool pagina = true;
    int opcion = -1;
    int salidasA = 0, salidasB = 0, activaciones = 0;
};

// A report dialog as a new report would write it: controls, declarations and hooks, no
// event wiring.
class TfrmPrueba : public reportes::TfrmReporte {
public:
    explicit TfrmPrueba(vcl::TComponent* owner) : TfrmReporte(owner, "TfrmPrueba", "Prueba", 300), fuente_(tiendas) {
        for (auto [t, name] : {std::pair{&tiendas, "Tiendas"}, {&cajas, "Cajas"}}) {
            t->DatabaseName = "RazirWin10";
            t->TableName = name;
        }
        edtA = vcl::NewControl<vcl::TEdit>(this, "edtA");
        edtA->SetTabStop(true);
        edtA->OnExit = [](vcl::TObject*) { ++visto.salidasA; };
        lkcmbB = NuevoLookup(this, "lkcmbB", &fuente_, "Tienda", "Tienda", "&B", 10, 40, 100);
        lkcmbB->OnExit = [](vcl::TObject*) { ++visto.salidasB; };
        edtTitReporte = vcl::NewControl<vcl::TEdit>(this, "edtTitReporte");
        edtTitReporte->SetTabStop(true);
        edtTitReporte->SetText("Mi título");
        ColocaBotones(100);
        RangoPrincipal(tiendas, "Tienda", "TiendaIni", "TiendaFin", "Todas");
        VarianteCuarenta(cajas, "RPrueba40.QR2");
        camposCantidad = {"fldCantidad"};
        camposDinero = {"fldImporte"};
        encabezadoTienda = true;
        OnCreate = [this](vcl::TObject*) {
            tiendas.Open();
            cajas.Open();
        };
        OnActivate = [](vcl::TObject*) { ++visto.activaciones; };
        if (falla) throw std::runtime_error("falla al construir");
    }
    bool ModoDirecto(const std::string& p1, const std::string&) override {
        if (!leeDirecto) return false;
        strTienda = p1;
        rppdlg->Printer.filePath = pdfDirecto;
        ImprimeDirecto();
        return true;
    }
    using TfrmReporte::temaFijoRazir;
    using TfrmReporte::temaFijoTolmaa;
    using TfrmReporte::ayuda;
    using TfrmReporte::ayudaDevuelveFoco;

    vcl::TEdit* edtA;
    vcl::TDBLookupComboBox* lkcmbB;
    vcl::TEdit* edtTitReporte;
    db::TTable tiendas, cajas;

    static inline Visto visto;
    static inline bool falla = false, leeDirecto = false;
    static inline std::string pdfDirecto;

protected:
    std::string ArchivoReporte() override { return "RPrueba.QR2"; }
    void AlPedirParametros(report::Dataset&, report::Params& params) override {
        if (auto* p = params.FindParam("TiendaIni")) visto.parametroIni = report::ToText(p->value);
    }
    void AlAbrirDataset(report::Dataset& ds) override { visto.alias = ds.DatabaseName; }
    void AlCargarReporte(report::Report& r) override {
        auto* l = r.Find<report::Label>("lblTitReporte");
        visto.titulo = l ? l->Caption() : "";
        r.SetCaption("lblFecha", "FECHA DEL REPORTE");  // the hook has the last word
    }
    void AlImprimirTrabajo(report::PrintJob& job) override {
        visto.pagina = job.PageMode();
        visto.opcion = job.Options[0];
    }

private:
    db::TDataSetListSource fuente_;
};

template <reportes::Excepcion Como = reportes::Excepcion::Mensaje>
void EntradaPrueba(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<TfrmPrueba, Como>(p1, p2, p3);
}

class DialogBase : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        TfrmPrueba::visto = {};
        TfrmPrueba::falla = TfrmPrueba::leeDirecto = false;
        TfrmPrueba::pdfDirecto = (dir_ / "directo.pdf").string();
        std::ofstream(dir_ / "Reportes" / "RPrueba.QR2") << Layout("Reporte de prueba");
        std::ofstream(dir_ / "Reportes" / "RPrueba40.QR2") << Layout("Reporte de 40");
        Fill(tables::Tiendas(), {Row{"01", "Centro", "Madero 12", "México", ""},
                                 Row{"02", "Norte", "Av. Norte 4", "Monterrey", ""}});
        Fill(tables::Cajas(), {Row{"01", "01", "Caja ancha", "Nota80.nta", 0, "002", 0, 0, 0}});
        config_.DecCantidad = 2;
    }
    // Runs the script on a dialog kept for the checks.
    TfrmPrueba& Run(const std::string& script) {
        dialog_.reset(vcl::Create<TfrmPrueba>(nullptr));
        driver_ = std::make_unique<vcl::ScriptDriver>(vcl::ParseScript(script));
        vcl::DriverScope scope(*driver_);
        dialog_->strNomTienda = "Centro";
        dialog_->strDirTienda = "Madero 12";
        dialog_->ShowModal();
        return *dialog_;
    }
    void TearDown() override {
        dialog_.reset();
        ReportTest::TearDown();
    }
    vcl::FreePtr<TfrmPrueba> dialog_;
    std::unique_ptr<vcl::ScriptDriver> driver_;
};

TEST_F(DialogBase, TheCommonPartOfEachEventRunsBeforeTheReportsOwnHook) {
    Run("click btnPreview");
    ASSERT_EQ(Previews().size(), 1u) << (driver_->Messages().empty() ? "" : driver_->Messages()[0].request.text);
    const std::string& t = Previews()[0];
    const Visto& v = TfrmPrueba::visto;
    EXPECT_EQ(v.parametroIni, "01") << "the range default is in the parameters before the hook";
    EXPECT_EQ(v.alias, "RazirWin10") << "the alias is set before the hook";
    EXPECT_EQ(v.titulo, "Mi título") << "the title edit reached the heading before the hook";
    EXPECT_TRUE(Has(t, "Comercial de Prueba"));
    EXPECT_TRUE(HasWords(t, "Centro", "Madero 12")) << t;
    EXPECT_TRUE(HasWords(t, "Desde:", "01")) << t;
    EXPECT_TRUE(HasWords(t, "Hasta:", "02")) << t;
    EXPECT_TRUE(Has(t, "FECHA DEL REPORTE"));
    EXPECT_TRUE(Has(t, " 2.50")) << "the quantity mask of two decimals\n" << t;
    EXPECT_TRUE(Has(t, "$ 1,234.50")) << "the money mask\n" << t;
    EXPECT_TRUE(v.pagina);
    EXPECT_EQ(v.opcion, 1);
}

TEST_F(DialogBase, ARegisterOnA40ColumnRollPrintsThe40ColumnLayoutAsOneContinuousPage) {
    struct Case { int lectOp; const char* titulo; bool pagina; };
    const Case kCases[] = {{0, "Reporte de prueba", true}, {1, "Reporte de 40", false}};
    for (const auto& c : kCases) {
        fs::remove(dir_ / "datos" / "Cajas.DB");
        Fill(tables::Cajas(), {Row{"01", "01", "Caja", "Ticket40.nta", c.lectOp, "001", 0, 0, 0}});
        sink_->texts.clear();
        Run("click btnPreview");
        ASSERT_EQ(Previews().size(), 1u) << c.lectOp;
        EXPECT_TRUE(Has(Previews()[0], c.titulo)) << c.lectOp;
        EXPECT_EQ(TfrmPrueba::visto.pagina, c.pagina) << c.lectOp;
        report::CloseAllPreviews();
    }
}

TEST_F(DialogBase, TheLastControlLeftIsTrackedAndHelpGivesItTheFocusBack) {
    auto& d = Run("focus edtA\nfocus lkcmbB\nfocus edtTitReporte\nclick btnAyuda");
    EXPECT_EQ(TfrmPrueba::visto.salidasA, 1) << "the dialog's own Exit still runs";
    EXPECT_EQ(d.ctlUltimo, d.edtTitReporte);
    EXPECT_EQ(d.ActiveControl(), d.edtTitReporte);
    EXPECT_EQ(velmor::LastHelpAddress(), (dir_ / "Razir.chm::/300.htm").string());
}

TEST_F(DialogBase, ALookupsCloseUpRunsItsExitWithoutWiring) {
    auto& d = Run("focus edtA\npick lkcmbB 02");
    EXPECT_EQ(TfrmPrueba::visto.salidasB, 1);
    EXPECT_EQ(d.ctlUltimo, d.lkcmbB);
}

TEST_F(DialogBase, HelpVariantsOpenTheirTopicAndLeaveTheFocusWhereTheySay) {
    struct Case {
        bool acceso, fijo, devuelve;
        const char* direccion;
        const char* foco;  // after help, the last control left was lkcmbB
    };
    const Case kCases[] = {
        {true, true, true, "Razir.chm::/55.htm", "edtA"},
        {false, true, true, "Tolmaa.chm::/555.htm", "edtA"},
        {false, false, true, "Tolmaa.chm::/300.htm", "lkcmbB"},
        {true, false, false, "Razir.chm::/300.htm", "edtA"},
    };
    for (const auto& c : kCases) {
        config_.AccesoTotal = c.acceso;
        dialog_.reset(vcl::Create<TfrmPrueba>(nullptr));
        dialog_->ayuda = reportes::AyudaSegunAcceso::PorAcceso;
        if (c.fijo) {
            dialog_->temaFijoRazir = 55;
            dialog_->temaFijoTolmaa = 555;
        }
        dialog_->ayudaDevuelveFoco = c.devuelve;
        driver_ = std::make_unique<vcl::ScriptDriver>(vcl::ParseScript("focus lkcmbB\nfocus edtA\npress F1"));
        vcl::DriverScope scope(*driver_);
        dialog_->ShowModal();
        EXPECT_EQ(velmor::LastHelpAddress(), (dir_ / c.direccion).string()) << c.direccion;
        EXPECT_EQ(dialog_->ActiveControl(), dialog_->FindComponent(c.foco)) << c.direccion;
    }
}

TEST_F(DialogBase, WithoutKeyPreviewEscapeDoesNotCloseTheDialog) {
    struct Case { bool preview; bool open; };
    for (const auto& c : {Case{true, false}, Case{false, true}}) {
        dialog_.reset(vcl::Create<TfrmPrueba>(nullptr));
        dialog_->SetKeyPreview(c.preview);
        driver_ = std::make_unique<vcl::ScriptDriver>(vcl::ParseScript("focus edtA\npress Escape"));
        vcl::DriverScope scope(*driver_);
        dialog_->ShowModal();
        EXPECT_EQ(driver_->EndedWithFormOpen(), c.open) << c.preview;
    }
}

TEST_F(DialogBase, DirectModePrintsWithoutShowingTheDialogOnlyWhenTheReportReadsIt) {
    struct Case { bool lee; bool impreso; int mostrado; };
    for (const auto& c : {Case{true, true, 0}, Case{false, false, 1}}) {
        TfrmPrueba::visto = {};
        TfrmPrueba::leeDirecto = c.lee;
        fs::remove(TfrmPrueba::pdfDirecto);
        vcl::ScriptDriver driver(vcl::ParseScript("click btnCancelar"));
        {
            vcl::DriverScope scope(driver);
            EntradaPrueba<>("02", "05/10/2000", true);
        }
        EXPECT_EQ(fs::exists(TfrmPrueba::pdfDirecto), c.impreso) << c.lee;
        EXPECT_EQ(TfrmPrueba::visto.activaciones, c.mostrado) << c.lee;
        EXPECT_TRUE(driver.Messages().empty()) << c.lee;
    }
}

TEST_F(DialogBase, AnExceptionBecomesTheMessageTheEntryPointChose) {
    using reportes::Excepcion;
    TfrmPrueba::falla = true;
    struct Case { void (*entry)(const char*, const char*, bool); bool directo; std::size_t mensajes; const char* why; };
    const Case kCases[] = {
        {EntradaPrueba<Excepcion::Mensaje>, false, 1, "the fixed message"},
        {EntradaPrueba<Excepcion::Mensaje>, true, 1, "the fixed message in direct mode too"},
        {EntradaPrueba<Excepcion::SinMensaje>, false, 0, "the cash cut says nothing"},
        {EntradaPrueba<Excepcion::MensajeSoloDialogo>, false, 1, "dialog mode: the message"},
        {EntradaPrueba<Excepcion::MensajeSoloDialogo>, true, 0, "direct mode: nothing"},
    };
    for (const auto& c : kCases) {
        vcl::ScriptDriver driver(vcl::ParseScript(""));
        {
            vcl::DriverScope scope(driver);
            EXPECT_NO_THROW(c.entry("01", "Centro", c.directo)) << c.why;
        }
        ASSERT_EQ(driver.Messages().size(), c.mensajes) << c.why;
        if (c.mensajes) {
            EXPECT_EQ(driver.Messages()[0].request.text,
                      "No es posible mostrar díalogo,\nbaje una o más de su aplicaciones que no esten en uso.");
        }
    }
    // The entry without arguments has no handler: the host sees the exception.
    EXPECT_THROW(reportes::EjecutaSinArgumentos<TfrmPrueba>(), std::runtime_error);
}

}  // namespace
