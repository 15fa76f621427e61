#include "reports/framework/criteria.h"

#include <functional>

#include "platform/4_adapters/db/list_source.h"
#include "reports/framework/store_picker.h"
#include "platform/6_schema/tables.h"
#include "tests/reports/report_fixture.h"

namespace {

using Row = db::BatchWriter::Row;
using reportes::Criterios;

TEST(Fragments, ValuesAreQuotedSoTheyNeverChangeTheQuery) {
    struct Case { std::string got, want, why; };
    const Case kCases[] = {
        {reportes::FragmentoTienda("E.Tienda", "01"), " And (E.Tienda = '01')", "plain store"},
        {reportes::FragmentoTienda("E.Tienda", "0'1"), " And (E.Tienda = '0''1')", "quote doubled"},
        {reportes::FragmentoRango("Inv.Producto", "A", "B' Or '1'='1"),
         " And (Inv.Producto Between 'A' And 'B'' Or ''1''=''1')", "injection stays a value"},
        {reportes::FragmentoLinea("Inv.Linea", "AB???"), " And (Inv.Linea Like 'AB%' ESCAPE '\\')", "pattern"},
        {reportes::FragmentoLinea("Inv.Linea", ""), "", "no line: no condition"},
        {reportes::FragmentoUsuario("Cajero", "01%"), " And (Cajero = '01%')", "typed % is literal"},
        {reportes::FragmentoRango("Inv.Producto", "", "B"), " And (Inv.Producto <= 'B')", "only a final key"},
    };
    for (const auto& c : kCases) EXPECT_EQ(c.got, c.want) << c.why;
}

// A dialog with every shared criterion, over a small store.
class TfrmPrueba : public reportes::TfrmReporte {
public:
    explicit TfrmPrueba(vcl::TComponent* owner)
        : TfrmReporte(owner, "TfrmPrueba", "Prueba", 1), criterios(*this),
          tienda(*this, this, "&Tienda", 0, 0, 100, 60), fDeptos(deptos), fUsuarios(usuarios) {
        tienda.Abre();
        for (auto [t, name] : {std::pair{&existencias, "Exist"},
                               {&deptos, "Deptos"}, {&lineas, "Lineas"}, {&usuarios, "Usuarios"}}) {
            t->DatabaseName = "RazirWin10";
            t->TableName = name;
            t->Open();
        }
        auto lookup = [this](const char* name, vcl::ListDataSource& src, const char* key) {
            auto* c = vcl::NewControl<vcl::TDBLookupComboBox>(this, name);
            c->SetListSource(&src);
            c->SetKeyField(key);
            c->SetListField(key);
            c->SetTabStop(true);
            return c;
        };
        auto edit = [this](const char* name) {
            auto* e = vcl::NewControl<velmor::TVlmEdit>(this, name);
            e->SetTabStop(true);
            return e;
        };
        lkcmbTiendas = tienda.combo;
        lkcmbDepDesde = lookup("lkcmbDepDesde", fDeptos, "Depto");
        lkcmbDepHasta = lookup("lkcmbDepHasta", fDeptos, "Depto");
        edtProdIni = edit("edtProdIni");
        edtProdFin = edit("edtProdFin");
        edtLinea2 = edit("edtLinea2");
        edtFecDesde = edit("edtFecDesde");
        edtFecHasta = edit("edtFecHasta");
        lkcmbCajero = lookup("lkcmbCajero", fUsuarios, "Usuario");
        lkcmbVendedor = lookup("lkcmbVendedor", fUsuarios, "Usuario");
        btnPreview->SetTabOrder(20);
        btnImprimir->SetTabOrder(21);
        btnCancelar->SetTabOrder(22);
        btnAyuda->SetTabOrder(23);
        criterios.Tienda(tienda, &existencias);
        criterios.Deptos(lkcmbDepDesde, lkcmbDepHasta);
        criterios.Productos(edtProdIni, edtProdFin);
        criterios.Linea(edtLinea2, &lineas);
        criterios.Fechas(edtFecDesde, edtFecHasta);
        criterios.Usuarios(lkcmbCajero, lkcmbVendedor, &usuarios);
        OnCreate = [this](vcl::TObject*) { criterios.CambiaTienda("01"); };
    }
    std::string ArchivoReporte() override { return "RTiendas.QR2"; }
    using TfrmReporte::MascaraCantidad;
    using TfrmReporte::MascaraDinero;
    using TfrmReporte::MascaraDineroSinMiles;
    using TfrmReporte::VarianteCuarenta;

    db::TTable existencias, deptos, lineas, usuarios;
    Criterios criterios;
    reportes::SelectorTienda tienda;
    db::TDataSetListSource fDeptos, fUsuarios;
    vcl::TDBLookupComboBox *lkcmbTiendas, *lkcmbDepDesde, *lkcmbDepHasta, *lkcmbCajero, *lkcmbVendedor;
    velmor::TVlmEdit *edtProdIni, *edtProdFin, *edtLinea2, *edtFecDesde, *edtFecHasta;
};

class CriteriaDialog : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        Fill(tables::Tiendas(), {Row{"01", "Centro", "Madero 12", "", ""}, Row{"02", "Vacía", "", "", ""}});
        Fill(tables::Exist(), {Row{"01", "P001", 5.0, "", 0.0, 0.0}, Row{"01", "P005", 2.0, "", 0.0, 0.0},
                               Row{"01", "P009", 1.0, "", 0.0, 0.0}});
        Fill(tables::Deptos(), {Row{"D1", "Uno"}, Row{"D2", "Dos"}});
        Fill(tables::Lineas(), {Row{"AB", "Abarrotes"}});
        Fill(tables::Usuarios(), {Row{"001", "Ana", "ana", "01", "C"}, Row{"002", "Beto", "beto", "01", "D"},
                                  Row{"003", "Carla", "carla", "01", "A"}});
    }
    // Plays the script on a fresh dialog and keeps it for the checks.
    TfrmPrueba& Run(const std::string& script) {
        dialog_.reset(vcl::Create<TfrmPrueba>(nullptr));
        driver_ = std::make_unique<vcl::ScriptDriver>(vcl::ParseScript(script));
        vcl::DriverScope scope(*driver_);
        dialog_->ShowModal();
        return *dialog_;
    }
    const std::vector<vcl::MessageRecord>& Messages() const { return driver_->Messages(); }
    void TearDown() override {
        dialog_.reset();
        ReportTest::TearDown();
    }
    vcl::FreePtr<TfrmPrueba> dialog_;
    std::unique_ptr<vcl::ScriptDriver> driver_;
};

TEST_F(CriteriaDialog, LeavingTheInitialProductWithTheFinalEmptyMakesASingleProductRange) {
    auto& d = Run("set edtProdIni=P005\nfocus edtLinea2");
    EXPECT_EQ(d.edtProdFin->Text(), "P005");
    EXPECT_EQ(d.strProdIni, "P005");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CriteriaDialog, AProductWithoutStockInTheStoreKeepsTheFocusWithoutAMessage) {
    auto& d = Run("set edtProdIni=P777\nfocus edtLinea2");
    EXPECT_EQ(d.ActiveControl(), d.edtProdIni);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CriteriaDialog, AnInvertedProductRangeWarnsLeavingTheFinalEdit) {
    auto& d = Run("set edtProdFin=P009\nset edtProdIni=P005\nfocus edtProdFin\nset edtProdFin=P001\nfocus edtLinea2");
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back().request.text, "La clave del producto inicial no debe ser mayor a la final");
    EXPECT_EQ(d.ActiveControl(), d.edtProdFin);
}

TEST_F(CriteriaDialog, TheInitialLinePatternNeedsNoLookupAndMatchesEveryLine) {
    auto& d = Run("focus edtLinea2\nfocus edtFecDesde");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(d.strLinea, "?????");
    EXPECT_EQ(reportes::FragmentoLinea("Inv.Linea", d.strLinea), " And (Inv.Linea Like '%' ESCAPE '\\')");
}

TEST_F(CriteriaDialog, ALineMissingFromTheCatalogueIsRefused) {
    auto& d = Run("set edtLinea2=ZZ\nfocus edtFecDesde");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].request.caption, "Políticas");
    EXPECT_EQ(Messages()[0].request.icon, vcl::MsgIcon::Error);
    EXPECT_EQ(d.ActiveControl(), d.edtLinea2);
    EXPECT_EQ(d.strLineaTexto, "ZZ");
}

TEST_F(CriteriaDialog, DateChecks) {
    struct Case { const char* script; const char* message; bool open; const char* why; };
    const Case kCases[] = {
        {"set edtFecDesde=02/01/2026\nset edtFecHasta=01/01/2026\nfocus edtProdIni",
         "La fecha inicial no debe ser mayor que la fecha final", true, "inverted range"},
        {"set edtFecDesde=02/01/2026\nset edtFecHasta=01/01/2026\nfocus btnCancelar\nclick btnCancelar",
         nullptr, false, "on the way to Cancel nothing is checked"},
        {"set edtFecDesde=31/02/2024\nfocus edtProdIni", "'31/02/2024' no es una fecha válida", true,
         "a day that does not exist"},
        {"set edtFecDesde=01/01/2026\nset edtFecHasta=31/01/2026\nfocus edtProdIni", nullptr, true,
         "day first: a valid range"},
    };
    for (const auto& c : kCases) {
        Run(c.script);
        if (c.message) {
            ASSERT_EQ(Messages().size(), 1u) << c.why;
            EXPECT_EQ(Messages()[0].request.text, c.message) << c.why;
            EXPECT_EQ(Messages()[0].request.caption, "Advertencia") << c.why;
        } else {
            EXPECT_TRUE(Messages().empty()) << c.why;
        }
        EXPECT_EQ(driver_->EndedWithFormOpen(), c.open) << c.why;
    }
}

TEST_F(CriteriaDialog, AnInvertedDepartmentRangeIsCopiedFromTheInitialCombo) {
    auto& d = Run("pick lkcmbDepHasta D1\npick lkcmbDepDesde D2\nfocus edtProdIni");
    EXPECT_EQ(d.lkcmbDepHasta->KeyValue(), "D2");
    EXPECT_EQ(d.strDeptoFin, "D2");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CriteriaDialog, EnteringTheSellerComboAfterTheCashierComboListsSellers) {
    auto& d = Run("focus lkcmbCajero\nfocus lkcmbVendedor");
    const auto rows = d.lkcmbVendedor->Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].key, "002");
    Run("focus lkcmbVendedor\nfocus lkcmbCajero");
    EXPECT_EQ(dialog_->lkcmbCajero->Rows().size(), 2u);
}

TEST_F(CriteriaDialog, AStoreWithoutStockDisablesProductsPreviewAndPrint) {
    auto& d = Run("pick lkcmbTiendas 02\nfocus edtLinea2");
    EXPECT_FALSE(d.btnPreview->Enabled());
    EXPECT_FALSE(d.edtProdIni->Enabled());
    EXPECT_EQ(d.strNomTienda, "Vacía");
    Run("pick lkcmbTiendas 02\nfocus edtLinea2\npick lkcmbTiendas 01\nfocus edtLinea2");
    EXPECT_TRUE(dialog_->btnPreview->Enabled());
}

}  // namespace

namespace {

TEST_F(CriteriaDialog, NumberMasksFollowTheConfiguredDecimalsAndCurrency) {
    auto& d = Run("");
    struct Case { int decimales; const char* cantidad; };
    constexpr Case kCases[] = {{2, "#0.00"}, {3, "#0.000"}, {0, "#0."}};
    for (const auto& c : kCases) {
        config_.DecCantidad = static_cast<std::int16_t>(c.decimales);
        EXPECT_EQ(d.MascaraCantidad(), c.cantidad) << c.decimales;
    }
    EXPECT_EQ(d.MascaraDinero(), "$ ###,##0.00");
    EXPECT_EQ(d.MascaraDineroSinMiles(), "$ #0.00");
}

TEST_F(CriteriaDialog, ARegisterOnA40ColumnRollChoosesThe40ColumnLayout) {
    Fill(tables::Cajas(), {Row{"01", "01", "Caja ancha", "Nota80.nta", 0, "002", 0, 0, 0},
                           Row{"01", "02", "Caja de rollo", "Ticket40.nta", 1, "001", 0, 0, 0}});
    db::TTable cajas;
    cajas.DatabaseName = "RazirWin10";
    cajas.TableName = "Cajas";
    cajas.Open();
    auto& d = Run("");
    d.VarianteCuarenta(cajas, "Corte40.QR2");
    EXPECT_EQ(d.ArchivoElegido(), "RTiendas.QR2");
    cajas.Next();
    EXPECT_EQ(d.ArchivoElegido(), "Corte40.QR2");
    cajas.SetFilter("Caja = '09'");
    cajas.SetFiltered(true);
    EXPECT_FALSE(reportes::TfrmReporte::Cuarenta(cajas)) << "no register chosen: the page layout";
}

}  // namespace

namespace {

// F2 on the product, line and date edits opens their lookups; the choice lands in the edit
// and its Exit then checks it as if typed.
TEST_F(CriteriaDialog, F2OpensTheLookupOfEachEditAndTheChoiceIsCheckedOnExit) {
    Fill(tables::CatInven(),
         {Row{"P001", "Arroz", "D1", "AB", 10.0, 0.0, 0.0, 0.0, 0.0, 5.0, "", "PZA", "", 0.0},
          Row{"P005", "Frijol", "D1", "AB", 20.0, 0.0, 0.0, 0.0, 0.0, 2.0, "", "PZA", "", 0.0}});
    struct Case {
        const char* why;
        std::string script;
        std::function<void(TfrmPrueba&)> check;
    };
    const Case kCases[] = {
        {"product from the store's stock",
         "focus edtProdIni\npress F2\npick lkcmbConsulta P005\nclick btnAceptar\nfocus edtLinea2",
         [](TfrmPrueba& d) {
             EXPECT_EQ(d.edtProdIni->Text(), "P005");
             EXPECT_EQ(d.strProdIni, "P005");
             EXPECT_EQ(d.edtProdFin->Text(), "P005") << "a single-product range, as if typed";
             EXPECT_EQ(d.edtProdIni->Boton1Hint(), "F2 Consultar inventario");
         }},
        {"line from the catalogue",
         "focus edtLinea2\npress F2\npick lkcmbConsulta AB\nclick btnAceptar\nfocus edtFecDesde",
         [](TfrmPrueba& d) {
             EXPECT_EQ(d.edtLinea2->Text(), "AB");
             EXPECT_EQ(d.strDescLinea, "Abarrotes");
         }},
        {"a day of a leap February",
         "focus edtFecDesde\npress F2\nset spnAnio=2024\npick cmbMes febrero\npick cmbDia 29\nclick btnAceptar\n"
         "set edtFecHasta=01/03/2024\nfocus edtProdIni",
         [](TfrmPrueba& d) { EXPECT_EQ(d.edtFecDesde->Text(), "29/02/2024"); }},
        {"the day kept within the month chosen",
         "set edtFecDesde=31/01/2023\nfocus edtFecDesde\npress F2\npick cmbMes febrero\nclick btnAceptar\n"
         "set edtFecHasta=01/03/2023\nfocus edtProdIni",
         [](TfrmPrueba& d) { EXPECT_EQ(d.edtFecDesde->Text(), "28/02/2023"); }},
        {"cancelled: the date stays",
         "set edtFecDesde=15/01/2023\nfocus edtFecDesde\npress F2\npick cmbMes marzo\nclick btnCancelar\n"
         "set edtFecHasta=01/03/2023\nfocus edtProdIni",
         [](TfrmPrueba& d) { EXPECT_EQ(d.edtFecDesde->Text(), "15/01/2023"); }},
    };
    for (const auto& c : kCases) {
        auto& d = Run(c.script);
        EXPECT_TRUE(Messages().empty()) << c.why << ": " << Messages()[0].request.text;
        c.check(d);
    }
}

}  // namespace
