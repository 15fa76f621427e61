// The file-control dialog played through the script driver on a real data folder.
#include "tablemaint/component/frmconta.h"

#include "platform/2_vcl/script.h"
#include "tablemaint/component/controlarch.h"
#include "tablemaint/engine/salvage.h"
#include "tests/tablemaint/component/component_fixture.h"

namespace tablemaint::testing {
namespace {

class Dialog : public ::testing::Test {
protected:
    void SetUp() override {
        engine_ = std::make_unique<EnginePtr>(CreaVlmCtlArch(), DestruyeVlmCtlArch);
        VlmCtlArch& e = **engine_;
        std::strcpy(e.szRutaBD, f_.dir.path.c_str());
        std::strcpy(e.szRutaTablas, f_.tablas.c_str());
        std::strcpy(e.szRutaCampos, f_.campos.c_str());
        std::strcpy(e.szIndiceDetalle, "NumeroT");
        std::strcpy(e.szCamposMaestro, "Numero");
        e.Inicializa();
        dlg_.reset(vcl::Create<TVlmContArch>(nullptr, &e));
        std::strcpy(dlg_->szRutaTablas, f_.tablas.c_str());
        std::strcpy(dlg_->szRutaCampos, f_.campos.c_str());
        std::strcpy(dlg_->szRutaBD, f_.dir.path.c_str());
        dlg_->OnDameNombre = [](const std::string& table, vcl::TStrings& fisicos, vcl::TStrings& mostrar) {
            if (table != "V") return;
            fisicos.Add("V012905H.DB");
            mostrar.Add("Notas del 29/05/2002");
        };
    }
    void TearDown() override { dlg_.reset(); }

    // Plays steps written as the script's text form.
    void Play(const std::string& script) {
        for (auto& step : vcl::ParseScript(script)) driver_.Add(step);
        driver_.PlayOn(*dlg_);
        ASSERT_TRUE(driver_.Failures().empty()) << driver_.Failures().front();
    }
    std::string Status() const { return dlg_->stbMsg->SimpleText(); }
    std::string Cell(int col, int row) const { return dlg_->sgInfo->Cells(col, row); }
    std::string Selected() const { return dlg_->LBArch->Selected() ? dlg_->LBArch->Selected()->Text() : ""; }
    void Show() {
        dlg_->Show();
        Play("focus LBArch");
    }

    DataFolder f_;
    std::unique_ptr<EnginePtr> engine_;
    vcl::ScriptDriver driver_;
    vcl::DriverScope scope_{driver_};
    vcl::FreePtr<TVlmContArch> dlg_;
};

TEST_F(Dialog, TreeFromTheDictionaryAndFileRows) {
    Show();
    std::vector<std::string> top;
    for (auto* n = dlg_->LBArch->Items().GetFirstNode(); n; n = n->GetNextSibling()) top.push_back(n->Text());
    EXPECT_EQ(top, (std::vector<std::string>{"Ventas", "Tiendas", "Notas por día"}))
        << "no node for an empty name or another Calculado";
    EXPECT_EQ(Selected(), "Ventas");
    EXPECT_EQ(Cell(0, 0), "Nombre");
    EXPECT_EQ(Cell(0, 1), "VENTAS.db");
    EXPECT_EQ(Cell(1, 1), "Sí Existe...");
    EXPECT_EQ(Cell(2, 1), "SQLite 3");
    EXPECT_EQ(Cell(5, 1), f_.dir.path);
    EXPECT_NE(Cell(3, 1).find(" KB"), std::string::npos);
    EXPECT_TRUE(dlg_->tbCrear->Enabled() && dlg_->tbVerif->Enabled() && dlg_->tbRecup->Enabled());
    EXPECT_FALSE(dlg_->tbRegen->Enabled());

    // The primary index, then a secondary one with its companion file.
    Play("press Right\npress Down");
    EXPECT_EQ(Selected(), "PRIMARIO");
    EXPECT_EQ(Cell(0, 1), "VENTAS.px");
    EXPECT_EQ(dlg_->sgInfo->RowCount(), 2);
    Play("press Down");
    EXPECT_EQ(Selected(), "XFECHA");
    EXPECT_EQ(Cell(0, 1), "VENTAS.X03");
    EXPECT_EQ(dlg_->sgInfo->RowCount(), 3);
    EXPECT_EQ(Cell(0, 2), "VENTAS.Y03");
    EXPECT_TRUE(dlg_->tbRegen->Enabled());
    EXPECT_FALSE(dlg_->tbCrear->Enabled() || dlg_->tbVerif->Enabled() || dlg_->tbRecup->Enabled());
    Play("click tbRegen");
    EXPECT_EQ(Status(), "La Regeneración fue exitosa");
    EXPECT_EQ(dlg_->MemoResult->Lines()[0], "La regeneración del Índice XFECHA");

    // The group: its file nodes come from OnDameNombre.
    Play("pick LBArch Notas por día");
    EXPECT_EQ(Selected(), "Notas por día");
    EXPECT_TRUE(dlg_->popVerArch->Visible());
    EXPECT_FALSE(dlg_->tbCrear->Enabled());
    EXPECT_EQ(dlg_->LBArch->Selected()->Count(), 1);
    EXPECT_EQ(dlg_->LBArch->Selected()->Item(0)->Text(), "Notas del 29/05/2002");
}

TEST_F(Dialog, GroupFilesRefreshedFromTheApplication) {
    int calls = 0;
    dlg_->OnDameNombre = [&](const std::string&, vcl::TStrings& fisicos, vcl::TStrings& mostrar) {
        ++calls;
        for (int i = 0; i < calls; ++i) {
            fisicos.Add("V01290" + std::to_string(5 + i) + "H.DB");
            mostrar.Add("Día " + std::to_string(i + 1));
        }
    };
    Show();
    Play("pick LBArch Notas por día");
    ASSERT_EQ(dlg_->LBArch->Selected()->Count(), 1);
    Play("click popVerArch");
    ASSERT_EQ(dlg_->LBArch->Selected()->Count(), 2) << "the file nodes are asked for again";
    EXPECT_EQ(dlg_->LBArch->Selected()->Item(1)->Text(), "Día 2");
    EXPECT_EQ(dlg_->LBArch->Selected()->Item(1)->Count(), 1) << "each with the group's indexes";
    // A file of the group that does not exist yet is created from the group's definition.
    Play("pick LBArch Día 2");
    EXPECT_EQ(Cell(1, 1), "No Existe...");
    Play("click tbCrear");
    EXPECT_EQ(Status(), "La creación fue exitosa");
    EXPECT_TRUE(std::filesystem::exists(f_.dir.path + "V012906H.DB"));
}

TEST_F(Dialog, GroupWithoutHandlerHasNoFiles) {
    dlg_->OnDameNombre = nullptr;
    Show();
    Play("pick LBArch Notas por día");
    EXPECT_EQ(dlg_->LBArch->Selected()->Count(), 0);
}

TEST_F(Dialog, MissingTableOffersOnlyCreation) {
    Show();
    Play("press Down");
    EXPECT_EQ(Selected(), "Tiendas");
    EXPECT_EQ(Cell(1, 1), "No Existe...");
    EXPECT_EQ(Cell(0, 1), "");
    EXPECT_TRUE(dlg_->tbCrear->Enabled());
    EXPECT_FALSE(dlg_->tbVerif->Enabled() || dlg_->tbRecup->Enabled() || dlg_->tbRegen->Enabled());
    Play("press Right");
    EXPECT_FALSE(dlg_->LBArch->Selected()->Expanded());
    ASSERT_EQ(driver_.Messages().size(), 1u);
    EXPECT_EQ(driver_.Messages()[0].request.text, "El \"Tiendas\" NO existe debe ser creado");
    EXPECT_EQ(driver_.Messages()[0].request.caption, "Advertencia");
    Play("click tbCrear");
    EXPECT_EQ(Status(), "La creación fue exitosa");
    EXPECT_EQ(Cell(1, 1), "Sí Existe...");
    EXPECT_TRUE(std::filesystem::exists(f_.dir.path + "TIENDAS.db"));
}

TEST_F(Dialog, CreatingOverAnExistingTableAsksFirst) {
    Show();
    Play("click tbCrear\nanswer No");
    ASSERT_EQ(driver_.Messages().size(), 1u);
    EXPECT_EQ(driver_.Messages()[0].request.text, "El archivo a crear ya existe ¿Desea reinicializarlo?");
    EXPECT_EQ(driver_.Messages()[0].request.caption, "Archios");
    EXPECT_EQ(Scalar(f_.dir.path + "VENTAS.db", "SELECT count(*) FROM VENTAS"), 600) << "No changes nothing";
    Play("answer Sí\nclick tbCrear");
    EXPECT_EQ(Status(), "La creación fue exitosa");
    EXPECT_EQ(Scalar(f_.dir.path + "VENTAS.db", "SELECT count(*) FROM VENTAS"), 0);
    EXPECT_EQ(Scalar(f_.dir.path + "~VENTAS.db", "SELECT count(*) FROM VENTAS"), 600);
}

TEST_F(Dialog, VerifyAndRecover) {
    int asked = 0;
    dlg_->OnVerificar = [&](const std::string& table, vcl::TStrings& lines) {
        EXPECT_EQ(table, f_.dir.path + "VENTAS.db");
        ++asked;
        lines.Add("Existencias cuadradas");
        lines.Add("Folios continuos");
    };
    Show();
    Play("click tbVerif");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Status(), "Verificación Completada. cheque la pestaña de resultado.");
    EXPECT_EQ(dlg_->MemoResult->Lines()[1], "Folios continuos");
    EXPECT_FALSE(dlg_->btnInfAv->Enabled());

    // A damaged data page: errors, the "Ver Errores" button, then the rebuild.
    std::set<uint32_t> pages;
    for (const auto& r : RescataTabla(f_.dir.path + "VENTAS.db", "VENTAS", 4, -1).filas) pages.insert(r.pagina);
    f_.Overwrite(*std::next(pages.begin(), int(pages.size() / 2)));
    Play("click tbVerif");
    EXPECT_EQ(Status(), "Verificación Completada. La tabla contiene errores.");
    EXPECT_EQ(dlg_->MemoResult->Lines()[0], f_.dir.path + "VENTAS.db : Contiene errores");
    EXPECT_TRUE(dlg_->btnInfAv->Enabled());
    EXPECT_EQ(dlg_->NodoProblemas(), 0);
    Play("click btnInfAv\nclick BitBtn1");
    EXPECT_TRUE(driver_.Failures().empty());

    Play("click tbRecup");
    EXPECT_EQ(Status(), "La recuperación terminó con registros apartados");
    EXPECT_NE(dlg_->MemoResult->Lines()[0].find("Se recuperaron"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(f_.tmp.path + "~VENTAS.db"));
    Play("click tbVerif");
    EXPECT_EQ(Status(), "Verificación Completada. cheque la pestaña de resultado.");
    EXPECT_FALSE(dlg_->btnInfAv->Enabled()) << "a clean verification clears the problem node";
    EXPECT_EQ(dlg_->NodoProblemas(), -1);
}

TEST_F(Dialog, MissingIndexIsReportedAndCreated) {
    ASSERT_EQ(Sql(f_.dir.path + "VENTAS.db", "DROP INDEX XFECHA"), SQLITE_OK);
    Show();
    Play("click tbVerif");
    EXPECT_EQ(Status(), "Verificación completada.  Índices inexistentes");
    Play("press Right\npress Down\npress Down");
    EXPECT_EQ(Selected(), "XFECHA");
    EXPECT_EQ(Cell(1, 1), "No Existe...") << "the engine knows no such index in the file";
    EXPECT_TRUE(dlg_->tbCrear->Enabled());
    Play("click tbCrear");
    EXPECT_EQ(Status(), "La creación fue exitosa");
    EXPECT_EQ(Cell(0, 1), "VENTAS.X03");
}

TEST_F(Dialog, SettingsPage) {
    Show();
    dlg_->NotebookBDYC->SetPageIndex(1);
    EXPECT_FALSE(dlg_->NotbookInfo->Visible());
    EXPECT_EQ(dlg_->cbLocalShare->Text(), "false");
    EXPECT_EQ(dlg_->cbNivel->Text(), "7");
    EXPECT_FALSE(dlg_->cbLengdrv->Text().empty());
    EXPECT_FALSE(dlg_->tbCrear->Enabled() || dlg_->tbVerif->Enabled());
    EXPECT_FALSE(dlg_->NotebookConf->Visible());
    dlg_->tvConfig->SetSelected(dlg_->tvConfig->Items().Item(1));
    EXPECT_TRUE(dlg_->NotebookConf->Visible()) << "the Paradox node shows the settings";
    dlg_->NotebookBDYC->SetPageIndex(0);
    EXPECT_TRUE(dlg_->NotbookInfo->Visible());
    EXPECT_FALSE(dlg_->NotebookConf->Visible());
    EXPECT_FALSE(dlg_->ConfigCambiada());
}

TEST(ControlArchDialog, EjecutaShowsTheDialogAndFreesIt) {
    DataFolder f;
    TControlArch c(nullptr);
    c.SetRutaBD(f.dir.path);
    c.SetRutaTablas(f.tablas);
    c.SetRutaCampos(f.campos);
    int help = 0;
    c.OnAyuda = [&](vcl::TObject*) { ++help; };
    vcl::ScriptDriver driver(vcl::ParseScript("focus LBArch\npress F1\nclick BtnAyuda\nclick BitBtn1"));
    vcl::DriverScope scope(driver);
    c.Ejecuta();
    EXPECT_TRUE(driver.Failures().empty()) << driver.Failures().front();
    EXPECT_EQ(help, 2);
    EXPECT_FALSE(driver.EndedWithFormOpen());
    EXPECT_EQ(c.Motor(), nullptr);
    EXPECT_EQ(c.Dialogo(), nullptr);
}

}  // namespace
}  // namespace tablemaint::testing
