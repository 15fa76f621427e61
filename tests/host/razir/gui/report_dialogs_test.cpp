// The report dialogs of libReportes.so opened from razir gui's menus through the desktop
// driver, over a small demo chain: every dialog that exists opens as a window and closes, its
// picture written to screenshots/, and the catalogue of stores driven through real widgets
// (a range picked in the lookups, Preliminar, the preview's pages, Cancelar closing both),
// the reprint of notes with a day typed into its date edit, and the file-control dialog of the
// Archivo menu over the demo's data folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTableWidget>
#include <QTreeView>
#include <QTreeWidget>

#include <cstdlib>
#include <filesystem>

#include "host/razir/demo/generator.h"
#include "host/razir/gui/main_window.h"
#include "host/velmor/config.h"
#include "platform/2_db/session.h"
#include "platform/4_adapters/report/preview.h"
#include "platform/2_vcl/application.h"
#include "platform/2_vcl/dblookup.h"
#include "platform/2_vcl/treeview.h"
#include "platform/5_desktop/desktop_driver.h"
#include "tablemaint/engine/dictionary.h"
#include "tests/platform/5_desktop/widget_steps.h"

namespace razir::gui {
namespace {

namespace fs = std::filesystem;
using vcl::qt::Player;

const bool kOffscreen = [] { return setenv("QT_QPA_PLATFORM", "offscreen", 1) == 0; }();

class ReportDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new fs::path(fs::temp_directory_path() / ("razir-gui-" + std::to_string(getpid())));
        fs::remove_all(*dir_);
        demo::Options o;
        o.stores = 3;
        o.registers = 1;
        o.products = 40;
        o.days = 1;
        demo::Generate(o, *dir_ / "datos");
        fs::create_directories(*dir_ / "Reportes");
        for (const auto& e : fs::directory_iterator(fs::path(RAZIR_SOURCE_DIR) / "layouts"))
            fs::copy_file(e.path(), *dir_ / "Reportes" / e.path().filename());
    }
    static void TearDownTestSuite() {
        fs::remove_all(*dir_);
        delete dir_;
    }
    void SetUp() override {
        ASSERT_TRUE(kOffscreen);
        db::RegisterAlias("RazirWin10", (*dir_ / "datos").string() + "/");
        vcl::Application->SetExeName((*dir_ / "razir").string());
        config_.NomEmpresa = "Comercial de Prueba";
        velmor::RazirWinConfig = &config_;
        main_.reset(vcl::Create<TfrmRazir>(nullptr, library_, "01", "Centro", config_.NomEmpresa));
        vcl::Application->SetMainForm(main_.get());
        driver_.SetMainMenu(*main_, main_->MenuRoot());
        main_->Show();
    }
    void TearDown() override {
        report::CloseAllPreviews();
        vcl::Application->SetMainForm(nullptr);
        main_.reset();
        velmor::RazirWinConfig = nullptr;
        db::UnregisterAlias("RazirWin10");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The report dialog the entry point shows modally.
    vcl::TForm* Dialog() const {
        for (vcl::TForm* f : vcl::Screen->FormList())
            if (f->Modal() && f->Showing()) return f;
        return nullptr;
    }
    QWidget* W(const char* name) const {
        auto* c = dynamic_cast<vcl::TControl*>(Dialog() ? Dialog()->FindComponent(name) : nullptr);
        return c ? driver_.Widget(*c) : nullptr;
    }
    QWidget* KeyTarget() const {
        QWidget* window = Dialog() ? driver_.Window(*Dialog()) : nullptr;
        return window && window->focusWidget() ? window->focusWidget() : window;
    }
    // Runs the entry from its menu item; a last step closes whatever the steps left open.
    void RunFromMenu(const char* exportName, Player& p) {
        p.Add([this, &p] {
            QTimer::singleShot(4000, p.Context(), [this] {
                ADD_FAILURE() << "the steps left the dialog open";
                while (QMessageBox* box = vcl::qt::OpenMessage()) box->reject();
                if (Dialog()) Dialog()->SetModalResult(vcl::mrAbort);
            });
        });
        p.Start();
        vcl::TMenuItem* item = main_->ItemOf(exportName);
        ASSERT_NE(item, nullptr);
        ASSERT_TRUE(item->Enabled()) << exportName << " is not in libReportes.so";
        item->Click();
    }

    static fs::path* dir_;
    velmor::TRazirConfig config_;
    SharedReportLibrary library_{RAZIR_BIN_DIR "/libReportes.so"};
    vcl::qt::DesktopDriver driver_;
    vcl::DriverScope scope_{driver_};
    vcl::FreePtr<TfrmRazir> main_;
};

fs::path* ReportDialogs::dir_ = nullptr;

TEST_F(ReportDialogs, EveryDialogThatExistsOpensAndClosesThroughTheDesktop) {
    ASSERT_TRUE(library_.Error().empty()) << library_.Error();
    const std::string shots = RAZIR_SCREENSHOTS;
    fs::create_directories(shots);
    int opened = 0;
    for (const ReportGroup& group : ReportGroups())
        for (const ReportEntry& entry : group.entries) {
            if (!library_.Find(entry.exportName)) continue;
            SCOPED_TRACE(entry.exportName);
            std::string caption;
            Player p;
            p.Add([&] {
                vcl::TForm* dialog = Dialog();
                ASSERT_NE(dialog, nullptr);
                QWidget* window = driver_.Window(*dialog);
                ASSERT_NE(window, nullptr);
                caption = window->windowTitle().toStdString();
                auto* preview = qobject_cast<QPushButton*>(W("btnPreview"));
                ASSERT_NE(preview, nullptr);
                EXPECT_EQ(preview->text(), "&Preliminar");
                EXPECT_EQ(preview->toolTip(), "Vista preliminar del reporte");
                EXPECT_TRUE(driver_.SavePicture(dialog, shots + "/" + entry.exportName + ".png"));
                QTest::keyClick(KeyTarget(), Qt::Key_Escape);
            });
            RunFromMenu(entry.exportName, p);
            EXPECT_EQ(Dialog(), nullptr) << "Escape closed the dialog";
            EXPECT_FALSE(caption.empty());
            ++opened;
        }
    EXPECT_GE(opened, 9) << "the catalogues at least";
}

TEST_F(ReportDialogs, StoresCatalogueThroughRealWidgets) {
    Player p;
    auto pick = [&](const char* lookup, int downs) {
        QTest::mouseClick(W(lookup), Qt::LeftButton);  // focus, and the list drops
        auto* combo = qobject_cast<QComboBox*>(W(lookup));
        ASSERT_NE(combo, nullptr);
        ASSERT_TRUE(combo->view()->isVisible());
        QTreeView* view = qobject_cast<QTreeView*>(combo->view());
        ASSERT_NE(view, nullptr);
        ASSERT_GT(view->model()->rowCount(), downs);
        view->setCurrentIndex(view->model()->index(downs, 0));
        QTest::keyClick(view, Qt::Key_Return);
    };
    p.Add([&] {
        // Escape with a dropped list closes only the list.
        QTest::mouseClick(W("lkcmbTieDesde"), Qt::LeftButton);
        QTest::keyClick(qobject_cast<QComboBox*>(W("lkcmbTieDesde"))->view(), Qt::Key_Escape);
    });
    p.Add([&] {
        ASSERT_NE(Dialog(), nullptr) << "the first Escape closed only the list";
        driver_.Window(*main_)->close();  // the main window refuses input under the dialog
        EXPECT_TRUE(main_->Showing());
        pick("lkcmbTieDesde", 1);
    });
    p.Add([&] { pick("lkcmbTieHasta", 2); });
    p.Add([&] {
        auto* desde = dynamic_cast<vcl::TDBLookupComboBox*>(Dialog()->FindComponent("lkcmbTieDesde"));
        auto* hasta = dynamic_cast<vcl::TDBLookupComboBox*>(Dialog()->FindComponent("lkcmbTieHasta"));
        EXPECT_EQ(desde->KeyValue(), "02");
        EXPECT_EQ(hasta->KeyValue(), "03");
        EXPECT_TRUE(driver_.SavePicture(Dialog(), std::string(RAZIR_SCREENSHOTS) + "/RTiendas-rango.png"));
        QTest::mouseClick(W("btnPreview"), Qt::LeftButton);
    });
    p.Add([&] {
        auto* preview = dynamic_cast<report::PreviewForm*>(vcl::Screen->FindForm("VistaPrevia"));
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->Document().pages, 1);
        QWidget* window = driver_.Window(*preview);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->findChild<QLabel*>("lblPagina")->text(), "Página 1 de 1");
        EXPECT_TRUE(driver_.SavePicture(preview, std::string(RAZIR_SCREENSHOTS) + "/RTiendas-vista-previa.png"));
        QTest::mouseClick(W("btnPreview"), Qt::LeftButton);  // the open preview comes forward
    });
    p.Add([&] {
        EXPECT_EQ(report::OpenPreviews().size(), 1u);
        EXPECT_EQ(vcl::Screen->Forms(0)->Name(), "VistaPrevia");
        QTest::mouseClick(W("btnCancelar"), Qt::LeftButton);
    });
    RunFromMenu("RTiendas", p);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_TRUE(report::OpenPreviews().empty()) << "Cancelar closed the preview too";
}

TEST_F(ReportDialogs, ReprintListsTheNotesOfTheDayTypedAndRefusesADayThatDoesNotExist) {
    auto lookup = [&](const char* name) {
        return dynamic_cast<vcl::TDBLookupComboBox*>(Dialog()->FindComponent(name));
    };
    auto typeDate = [&](const char* date) {
        QTest::mouseClick(W("edtFecDesde"), Qt::LeftButton);
        QTest::keyClick(KeyTarget(), Qt::Key_A, Qt::ControlModifier);  // typing replaces the date
        QTest::keyClicks(KeyTarget(), date);
        EXPECT_EQ(qobject_cast<QLineEdit*>(W("edtFecDesde"))->text(), date);
        QTest::keyClick(KeyTarget(), Qt::Key_Tab);
    };
    Player p;
    p.Add([&] { typeDate("01/01/2026"); });  // the demo's one day
    p.Add([&] {
        vcl::TDBLookupComboBox* desde = lookup("lkcmbNotaDesde");
        ASSERT_NE(desde, nullptr);
        // The note group is a tab stop of its own; entering it lists the day's notes.
        EXPECT_EQ(Dialog()->ActiveControl(), Dialog()->FindComponent("grpNotas"));
        auto* combo = qobject_cast<QComboBox*>(W("lkcmbNotaDesde"));
        ASSERT_NE(combo, nullptr);
        ASSERT_GT(combo->count(), 0) << "the day's notes are listed";
        EXPECT_FALSE(desde->KeyValue().empty());
        EXPECT_EQ(combo->itemText(0).toStdString(), desde->KeyValue()) << "the first note of the day is chosen";
        EXPECT_EQ(combo->currentText().toStdString(), desde->KeyValue());
        EXPECT_FALSE(lookup("lkcmbNotaHasta")->KeyValue().empty());
        EXPECT_TRUE(driver_.SavePicture(Dialog(), std::string(RAZIR_SCREENSHOTS) + "/RImpresionNotas-dia.png"));
        typeDate("31/02/2026");
    });
    p.Answer([&] {
        QMessageBox* box = vcl::qt::OpenMessage();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "'31/02/2026' no es una fecha válida");
        EXPECT_EQ(box->windowTitle(), "Advertencia");
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        box->accept();
    });
    p.Add([&] {
        EXPECT_EQ(Dialog()->ActiveControl(), Dialog()->FindComponent("edtFecDesde")) << "the refused day keeps the focus";
        EXPECT_EQ(driver_.Window(*Dialog())->focusWidget(), W("edtFecDesde"));
        QTest::mouseClick(W("btnCancelar"), Qt::LeftButton);
    });
    RunFromMenu("RImpresionNotas", p);
    EXPECT_EQ(Dialog(), nullptr);
}

TEST_F(ReportDialogs, F2OnTheReprintsDateOpensTheDatePickAndTheChosenDayComesBack) {
    Player p;
    vcl::TForm* pick = nullptr;
    p.Add([&] {
        QTest::mouseClick(W("edtFecDesde"), Qt::LeftButton);
        QTest::keyClick(KeyTarget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(KeyTarget(), "15/01/2026");
        QTest::keyClick(KeyTarget(), Qt::Key_F2);  // the pick's own loop runs the next steps
    });
    p.Add([&] {
        pick = vcl::Screen->FindForm("frmFecha");
        ASSERT_NE(pick, nullptr) << "F2 opened the date pick";
        QWidget* window = driver_.Window(*pick);
        ASSERT_NE(window, nullptr);
        auto* dia = dynamic_cast<vcl::TControl*>(pick->FindComponent("cmbDia"));
        auto* combo = qobject_cast<QComboBox*>(driver_.Widget(*dia));
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->currentText(), "15") << "the edit's day";
        EXPECT_TRUE(driver_.SavePicture(pick, std::string(RAZIR_SCREENSHOTS) + "/RImpresionNotas-fecha.png"));
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
    });
    p.Closing([&] {
        auto* aceptar = dynamic_cast<vcl::TControl*>(pick->FindComponent("btnAceptar"));
        QTest::mouseClick(driver_.Widget(*aceptar), Qt::LeftButton);
    });
    p.Add([&] {
        EXPECT_EQ(vcl::Screen->FindForm("frmFecha"), nullptr);
        EXPECT_EQ(qobject_cast<QLineEdit*>(W("edtFecDesde"))->text(), "16/01/2026");
        QTest::mouseClick(W("btnCancelar"), Qt::LeftButton);
    });
    RunFromMenu("RImpresionNotas", p);
    EXPECT_EQ(Dialog(), nullptr);
}

TEST_F(ReportDialogs, FileControlShowsTheDataFolderThroughItsDictionary) {
    const fs::path datos = *dir_ / "datos";
    fs::remove(datos / "VlmTablas.DB");
    // Without the dictionary the menu entry says so and opens nothing.
    {
        Player p;
        p.Answer([&] {
            QMessageBox* box = vcl::qt::OpenMessage();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Control de archivos");
            EXPECT_FALSE(box->text().isEmpty());
            box->accept();
        });
        p.Start();
        main_->mnuControlArchivos->Click();
        EXPECT_EQ(vcl::Screen->FindForm("VlmContArch"), nullptr);
    }
    std::string error;
    ASSERT_TRUE(tablemaint::EscribeDiccionario(tablemaint::DiccionarioIncluido(), (datos / "VlmTablas.DB").string(),
                                               (datos / "VlmCampos.DB").string(), &error))
        << error;
    Player p;
    QTreeWidget* tree = nullptr;
    p.Add([&] {
        vcl::TForm* dialog = vcl::Screen->FindForm("VlmContArch");
        ASSERT_NE(dialog, nullptr);
        QWidget* window = driver_.Window(*dialog);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Control de Archivos");
        tree = window->findChild<QTreeWidget*>("LBArch");
        ASSERT_NE(tree, nullptr);
        ASSERT_GT(tree->topLevelItemCount(), 0) << "the dictionary's files are listed";
        EXPECT_TRUE(tree->isVisible());
        auto* grid = window->findChild<QTableWidget*>("sgInfo");
        ASSERT_NE(grid, nullptr);
        EXPECT_FALSE(grid->item(0, 0)->text().isEmpty()) << "the grid's heading";
        EXPECT_NE(window->findChild<QWidget*>("tbVerif"), nullptr);
        EXPECT_TRUE(driver_.SavePicture(dialog, std::string(RAZIR_SCREENSHOTS) + "/control-de-archivos.png"));
        // A click on the second file makes it the model's selection.
        QTreeWidgetItem* second = tree->topLevelItem(std::min(1, tree->topLevelItemCount() - 1));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(second).center());
    });
    p.Add([&] {
        auto* dialog = vcl::Screen->FindForm("VlmContArch");
        ASSERT_NE(dialog, nullptr);
        auto* lbArch = dynamic_cast<vcl::TTreeView*>(dialog->FindComponent("LBArch"));
        ASSERT_NE(lbArch, nullptr);
        ASSERT_NE(lbArch->Selected(), nullptr);
        EXPECT_EQ(QString::fromStdString(lbArch->Selected()->Text()), tree->currentItem()->text(0));
        EXPECT_TRUE(driver_.SavePicture(dialog, std::string(RAZIR_SCREENSHOTS) + "/control-de-archivos-archivo.png"));
        QTest::mouseClick(driver_.Widget(*dynamic_cast<vcl::TControl*>(dialog->FindComponent("BitBtn1"))), Qt::LeftButton);
    });
    p.Add([&] {
        if (auto* open = vcl::Screen->FindForm("VlmContArch"); open && open->Showing()) {
            ADD_FAILURE() << "Salir left the dialog open";
            open->SetModalResult(vcl::mrAbort);
        }
    });
    p.Start();
    main_->mnuControlArchivos->Click();
    EXPECT_EQ(vcl::Screen->FindForm("VlmContArch"), nullptr);
}

}  // namespace
}  // namespace razir::gui
