// The desktop driver played through real widgets on the offscreen platform: a criteria dialog
// built from the standard controls opens as a window with its controls in place, focus moves
// run the Exit handlers as in the script driver, Escape closes a dropped list before the
// dialog, message boxes are real dialogs, a report previews into the "VistaPrevia" window and
// the printer set-up can be cancelled. Every window is written as a PNG to screenshots/.
#include "platform/5_desktop/desktop_driver.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>

#include "platform/3_report/memory_dataset.h"
#include "platform/4_adapters/report/printer_dialog.h"
#include "platform/2_vcl/application.h"
#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/dblookup.h"
#include "platform/2_vcl/dialogs.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/panels.h"
#include "tests/platform/5_desktop/widget_steps.h"

namespace vcl::qt {
namespace {

namespace fs = std::filesystem;

// Before any QApplication exists: the tests never need a display.
const bool kOffscreen = [] { return setenv("QT_QPA_PLATFORM", "offscreen", 1) == 0; }();

std::string Shot(const std::string& name) {
    fs::create_directories(RAZIR_SCREENSHOTS);
    return (fs::path(RAZIR_SCREENSHOTS) / (name + ".png")).string();
}

class StoreList : public ListDataSource {
public:
    std::vector<std::pair<std::string, std::string>> rows = {
        {"01", "Centro"}, {"02", "Norte"}, {"03", "Peñón de los Baños"}, {"04", "Sur"}};
    void First() override { pos_ = 0; }
    void Next() override { ++pos_; }
    bool Eof() const override { return pos_ >= rows.size(); }
    std::string FieldAsString(std::string_view field) const override {
        if (Eof()) return "";
        if (SameName(field, "Tienda")) return rows[pos_].first;
        if (SameName(field, "Descripcio")) return rows[pos_].second;
        return "";
    }
    bool Locate(std::string_view field, std::string_view value) override {
        for (pos_ = 0; pos_ < rows.size(); ++pos_)
            if (FieldAsString(field) == value) return true;
        return false;
    }

private:
    std::size_t pos_ = 0;
};

bool ValidDate(const std::string& s) {
    if (s.size() != 10 || s[2] != '/' || s[5] != '/') return false;
    const int d = std::atoi(s.substr(0, 2).c_str()), m = std::atoi(s.substr(3, 2).c_str());
    constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m >= 1 && m <= 12 && d >= 1 && d <= kDays[m - 1];
}

// A criteria dialog as the report dialogs are built: a store lookup, a date range checked on
// Exit, the four buttons, key preview with the Escape rule, one report component.
class TfrmPrueba : public TForm {
public:
    explicit TfrmPrueba(TComponent* owner, report::DatasetFactory& data, std::string layout)
        : TForm(owner), layout_(std::move(layout)) {
        SetName("frmPrueba");
        SetCaption("Catálogo de tiendas");
        SetBorderStyle(bsDialog);
        SetPosition(poScreenCenter);
        SetBounds(0, 0, 384, 196);
        SetKeyPreview(true);
        SetShowHint(true);
        auto* lblTienda = NewControl<TLabel>(this, "lblTienda");
        lblTienda->SetCaption("&Tienda:");
        lblTienda->SetBounds(16, 20, 60, 13);
        lkcmbTiendas = NewControl<TDBLookupComboBox>(this, "lkcmbTiendas");
        lkcmbTiendas->SetBounds(96, 16, 270, 21);
        lkcmbTiendas->SetListSource(&stores_);
        lkcmbTiendas->SetKeyField("Tienda");
        lkcmbTiendas->SetListField("Descripcio;Tienda");
        lkcmbTiendas->SetHint("Tienda del reporte");
        lblTienda->SetFocusControl(lkcmbTiendas);
        auto* lblDesde = NewControl<TLabel>(this, "lblDesde");
        lblDesde->SetCaption("&Desde:");
        lblDesde->SetBounds(16, 56, 60, 13);
        edtFecDesde = NewControl<TEdit>(this, "edtFecDesde");
        edtFecDesde->SetBounds(96, 52, 96, 21);
        edtFecDesde->SetMaxLength(10);
        auto* lblHasta = NewControl<TLabel>(this, "lblHasta");
        lblHasta->SetCaption("&Hasta:");
        lblHasta->SetBounds(206, 56, 50, 13);
        edtFecHasta = NewControl<TEdit>(this, "edtFecHasta");
        edtFecHasta->SetBounds(270, 52, 96, 21);
        edtFecHasta->SetMaxLength(10);
        chkDireccion = NewControl<TCheckBox>(this, "chkDireccion");
        chkDireccion->SetCaption("Incluir la &dirección de cada tienda");
        chkDireccion->SetBounds(96, 88, 270, 17);
        struct B {
            TBitBtn*& button;
            const char* name;
            const char* caption;
            const char* hint;
        };
        const B buttons[] = {
            {btnPreview, "btnPreview", "&Preliminar", "Vista preliminar del reporte"},
            {btnImprimir, "btnImprimir", "&Imprimir", "Impresión del reporte"},
            {btnCancelar, "btnCancelar", "&Cancelar", "Cancelar operación"},
            {btnAyuda, "btnAyuda", "A&yuda", "Temas de ayuda"},
        };
        int left = 16;
        for (const B& b : buttons) {
            b.button = NewControl<TBitBtn>(this, b.name);
            if (b.button == btnAyuda) b.button->SetKind(bkHelp);
            b.button->SetCaption(b.caption);
            b.button->SetHint(b.hint);
            b.button->SetBounds(left, 140, 80, 25);
            left += 88;
        }
        btnCancelar->SetModalResult(mrCancel);
        SetHelpContext(194);
        rppdlgCatTie = new report::TReportPrinterDialog(this);
        rppdlgCatTie->SetName("rppdlgCatTie");
        rppdlgCatTie->SetDatasetFactory(&data);

        edtFecDesde->OnExit = [this](TObject*) { CheckDate(edtFecDesde); };
        edtFecHasta->OnExit = [this](TObject*) { CheckDate(edtFecHasta); };
        OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
            if (key != VK_ESCAPE) return;
            if (auto* l = dynamic_cast<TDBLookupComboBox*>(ActiveControl()); l && l->DroppedDown()) return;
            SetModalResult(mrCancel);
        };
        btnPreview->OnClick = [this](TObject*) {
            if (TForm* open = Screen->FindForm("VistaPrevia")) {
                open->BringToFront();
                return;
            }
            rppdlgCatTie->Preview(layout_);
        };
        btnCancelar->OnClick = [](TObject*) {
            if (TForm* open = Screen->FindForm("VistaPrevia")) open->Close();
        };
        OnHelp = [this](WORD, int data, bool& callHelp) {
            helpShown = data;
            callHelp = false;
            return false;
        };
    }

    void CheckDate(TEdit* edit) {
        exitSawActive = ActiveControl() ? ActiveControl()->Name() : "";
        if (edit->Text().empty() || ValidDate(edit->Text())) return;
        MessageBox("La fecha no es válida", "Advertencia", MB_OK | MB_ICONINFORMATION);
        edit->SetFocus();
    }

    TDBLookupComboBox* lkcmbTiendas;
    TEdit* edtFecDesde;
    TEdit* edtFecHasta;
    TCheckBox* chkDireccion;
    TBitBtn *btnPreview, *btnImprimir, *btnCancelar, *btnAyuda;
    report::TReportPrinterDialog* rppdlgCatTie;
    std::string exitSawActive;
    int helpShown = 0;

private:
    StoreList stores_;
    std::string layout_;
};

void ClickMessageButton(const QString& text) {
    QMessageBox* box = OpenMessage();
    ASSERT_NE(box, nullptr) << "no message box open";
    for (QAbstractButton* b : box->buttons())
        if (b->text() == text) return QTest::mouseClick(b, Qt::LeftButton);
    ADD_FAILURE() << "no button " << text.toStdString();
}

class DesktopDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kOffscreen);
        dir_ = fs::temp_directory_path() / ("razir-qt-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        layout_ = (dir_ / "RTiendas.QR2").string();
        std::ofstream(layout_)
            << "<report name='RTiendas'>"
               "<datasets><query name='Query1'><sql><line>SELECT * FROM Tiendas</line></sql></query></datasets>"
               "<bands dataset='Query1'>"
               "<title name='bndTitulo' height='12'><label name='lblTitulo' left='0' top='0' width='120' "
               "caption='Catálogo de tiendas'/></title>"
               "<detail name='bndDetalle' height='10'><field left='0' top='0' width='20' field='Tienda'/>"
               "<field left='25' top='0' width='90' field='Descripcio'/></detail>"
               "</bands></report>";
        data_.Provide("Query1", [](const report::Dataset&) {
            report::MemoryTable t{{"Tienda", "Descripcio"}, {}};
            for (int i = 1; i <= 60; ++i)
                t.rows.push_back({std::string(i < 10 ? "0" : "") + std::to_string(i), std::string("Tienda número ") + std::to_string(i)});
            return t;
        });
        form_.reset(Create<TfrmPrueba>(nullptr, data_, layout_));
    }
    void TearDown() override {
        form_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        report::CloseAllPreviews();
        fs::remove_all(dir_);
    }
    QWidget* W(const TControl* c) const { return driver_.Widget(*c); }
    QWidget* KeyTarget() const {
        // Keys go where the user types: the active form's window, at its focused widget.
        QWidget* window = Screen->ActiveForm() ? driver_.Window(*Screen->ActiveForm()) : nullptr;
        if (window && window->focusWidget()) return window->focusWidget();
        return window;
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(KeyTarget(), key, mods); }
    // Runs the dialog with the steps; a last step cancels it should the steps leave it open.
    TModalResult Run(Player& p) {
        p.Add([this, &p] {
            if (!form_->Showing()) return;
            QTimer::singleShot(3000, p.Context(), [this] {
                ADD_FAILURE() << "the steps left the dialog open";
                while (QMessageBox* box = OpenMessage()) box->reject();
                if (form_ && form_->Showing()) form_->SetModalResult(mrAbort);
            });
        });
        p.Start();
        return form_->ShowModal();
    }

    DesktopDriver driver_;
    DriverScope scope_{driver_};
    fs::path dir_;
    std::string layout_;
    report::MemoryDatasetFactory data_;
    FreePtr<TfrmPrueba> form_;
};

TEST_F(DesktopDriverTest, DialogOpensAsAWindowWithItsControlsInPlace) {
    Player p;
    p.Add([&] {
        QWidget* window = driver_.Window(*form_);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Catálogo de tiendas");
        auto* preview = qobject_cast<QPushButton*>(W(form_->btnPreview));
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->text(), "&Preliminar");
        EXPECT_EQ(preview->geometry(), QRect(16, 140, 80, 25));
        EXPECT_EQ(preview->toolTip(), "Vista preliminar del reporte");
        EXPECT_EQ(W(form_->edtFecHasta)->geometry(), QRect(270, 52, 96, 21));
        auto* combo = qobject_cast<QComboBox*>(W(form_->lkcmbTiendas));
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->count(), 4);
        auto* label = window->findChild<QLabel*>("lblTienda");
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), "<u>T</u>ienda:");
        // Width and Height count the frame; every control stays inside the client area.
        EXPECT_EQ(window->width(), 384 - 8);
        EXPECT_GE(window->height(), W(form_->btnAyuda)->geometry().bottom() + 10);
        EXPECT_TRUE(driver_.SavePicture(form_.get(), Shot("criterios")));
    });
    p.Add([&] {
        QTest::mouseClick(W(form_->chkDireccion), Qt::LeftButton);
        EXPECT_TRUE(form_->chkDireccion->Checked()) << "a click focuses, then toggles the model";
        EXPECT_EQ(form_->FocusedControl(), form_->chkDireccion);
        EXPECT_TRUE(qobject_cast<QAbstractButton*>(W(form_->chkDireccion))->isChecked());
    });
    p.Add([&] { driver_.Window(*form_)->close(); });  // the window's close box
    EXPECT_EQ(Run(p), mrCancel);
}

TEST_F(DesktopDriverTest, FocusMovesRunExitHandlersAsInTheModel) {
    Player p;
    p.Add([&] { QTest::mouseClick(W(form_->edtFecDesde), Qt::LeftButton); });
    p.Add([&] {
        EXPECT_EQ(form_->FocusedControl(), form_->edtFecDesde);
        QTest::keyClicks(KeyTarget(), "31/02/2026");
        EXPECT_EQ(form_->edtFecDesde->Text(), "31/02/2026") << "typed through real key events";
        EXPECT_EQ(qobject_cast<QLineEdit*>(W(form_->edtFecDesde))->text(), "31/02/2026");
    });
    // The click on Hasta moves the focus; Desde's Exit sees Hasta active and rejects the date.
    p.Add([&] { QTest::mouseClick(W(form_->edtFecHasta), Qt::LeftButton); });
    p.Answer([&] {
        ASSERT_NE(OpenMessage(), nullptr);
        EXPECT_EQ(OpenMessage()->windowTitle(), "Advertencia");
        EXPECT_EQ(OpenMessage()->icon(), QMessageBox::Information);
        EXPECT_TRUE(driver_.SavePicture(nullptr, Shot("mensaje-advertencia")));
        ClickMessageButton("Aceptar");
    });
    p.Add([&] {
        EXPECT_EQ(form_->exitSawActive, "edtFecHasta");
        EXPECT_EQ(form_->FocusedControl(), form_->edtFecDesde) << "the rejected date keeps the focus";
        EXPECT_EQ(driver_.Window(*form_)->focusWidget(), W(form_->edtFecDesde));
        Key(Qt::Key_A, Qt::ControlModifier);  // select all, so typing replaces the date
        QTest::keyClicks(KeyTarget(), "01/05/2026");
        Key(Qt::Key_Tab);
    });
    p.Add([&] {
        EXPECT_EQ(form_->FocusedControl(), form_->edtFecHasta);
        QTest::keyClicks(KeyTarget(), "31/05/2026");
        Key(Qt::Key_Backspace);
        QTest::keyClicks(KeyTarget(), "6");
        EXPECT_EQ(form_->edtFecHasta->Text(), "31/05/2026");
        Key(Qt::Key_D, Qt::AltModifier);  // accelerator of the check box
        EXPECT_TRUE(form_->chkDireccion->Checked());
        Key(Qt::Key_Y, Qt::AltModifier);  // help through the help button
        EXPECT_EQ(form_->helpShown, 194);
    });
    p.Add([&] { Key(Qt::Key_C, Qt::AltModifier); });
    EXPECT_EQ(Run(p), mrCancel);
    EXPECT_EQ(form_->edtFecDesde->Text(), "01/05/2026");
}

TEST_F(DesktopDriverTest, EscapeClosesADroppedListBeforeTheDialog) {
    Player p;
    p.Add([&] { QTest::mouseClick(W(form_->lkcmbTiendas), Qt::LeftButton); });
    p.Add([&] {
        auto* combo = qobject_cast<QComboBox*>(W(form_->lkcmbTiendas));
        EXPECT_TRUE(form_->lkcmbTiendas->DroppedDown()) << "the real list opened the model's";
        EXPECT_TRUE(combo->view()->isVisible());
        EXPECT_TRUE(driver_.SavePicture(form_.get(), Shot("criterios-lista")));
        QTest::keyClick(combo->view(), Qt::Key_Escape);
    });
    p.Add([&] {
        EXPECT_FALSE(form_->lkcmbTiendas->DroppedDown());
        EXPECT_TRUE(form_->Showing()) << "the first Escape closed only the list";
        Key(Qt::Key_F4);
    });
    p.Add([&] {
        auto* combo = qobject_cast<QComboBox*>(W(form_->lkcmbTiendas));
        EXPECT_TRUE(combo->view()->isVisible()) << "F4 through the model opens the real list";
        QTreeView* view = qobject_cast<QTreeView*>(combo->view());
        ASSERT_NE(view, nullptr);
        const QModelIndex third = view->model()->index(2, 0);
        EXPECT_EQ(third.data().toString(), "Peñón de los Baños");
        view->setCurrentIndex(third);
        QTest::keyClick(view, Qt::Key_Return);  // the open list takes the key, as Qt routes it
    });
    p.Add([&] {
        EXPECT_EQ(form_->lkcmbTiendas->KeyValue(), "03");
        EXPECT_FALSE(form_->lkcmbTiendas->DroppedDown());
        EXPECT_EQ(qobject_cast<QComboBox*>(W(form_->lkcmbTiendas))->currentText(), "Peñón de los Baños");
        Key(Qt::Key_Down);  // the next store, chosen by the model
        EXPECT_EQ(form_->lkcmbTiendas->KeyValue(), "04");
        Key(Qt::Key_Escape);
    });
    EXPECT_EQ(Run(p), mrCancel);
}

TEST_F(DesktopDriverTest, ReportPreviewsIntoOneWindowAndCancelClosesBoth) {
    Player p;
    p.Add([&] {
        QTest::mouseClick(W(form_->edtFecDesde), Qt::LeftButton);
        QTest::keyClicks(KeyTarget(), "01/05/2026");
        Key(Qt::Key_Tab);
        QTest::keyClicks(KeyTarget(), "31/05/2026");
        QTest::mouseClick(W(form_->btnPreview), Qt::LeftButton);
    });
    QWidget* shown = nullptr;
    p.Add([&] {
        auto* preview = dynamic_cast<report::PreviewForm*>(Screen->FindForm("VistaPrevia"));
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->Document().pages, 3);
        ASSERT_EQ(preview->Document().pngPaths.size(), 3u);
        shown = driver_.Window(*preview);
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->isVisible());
        auto* page = shown->findChild<QLabel*>("lblPagina");
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->text(), "Página 1 de 3");
        EXPECT_TRUE(driver_.SavePicture(preview, Shot("vista-previa")));
        auto* bar = shown->findChild<QToolBar*>("barVista");
        auto* image = shown->findChild<QLabel*>("imgPagina");
        ASSERT_NE(bar, nullptr);
        ASSERT_NE(image, nullptr);
        shown->findChild<QAction*>("actSiguiente")->trigger();
        EXPECT_EQ(page->text(), "Página 2 de 3");
        QTest::keyClick(shown, Qt::Key_End);
        EXPECT_EQ(page->text(), "Página 3 de 3");
        shown->findChild<QAction*>("actTamanoReal")->trigger();
        const int actual = image->pixmap().width();
        EXPECT_EQ(actual, QPixmap(QString::fromStdString(preview->Document().pngPaths[0])).width());
        shown->findChild<QAction*>("actPaginaCompleta")->trigger();
        EXPECT_LT(image->pixmap().height(), shown->height()) << "the whole page fits";
        EXPECT_TRUE(driver_.SavePicture(preview, Shot("vista-previa-pagina-completa")));
        // Back to the dialog: a second Preview brings the same window forward.
        QTest::mouseClick(W(form_->btnPreview), Qt::LeftButton);
    });
    p.Add([&] {
        int previews = 0;
        for (TForm* f : Screen->FormList())
            if (f->Name() == "VistaPrevia" && f->Showing()) ++previews;
        EXPECT_EQ(previews, 1);
        EXPECT_EQ(Screen->Forms(0)->Name(), "VistaPrevia");
        QTest::mouseClick(W(form_->btnCancelar), Qt::LeftButton);
    });
    EXPECT_EQ(Run(p), mrCancel);
    EXPECT_EQ(report::FindPreview(), nullptr) << "Cancel closed the preview too";
}

TEST_F(DesktopDriverTest, PreviewPrintsToAFileAndSavesItsPdf) {
    const std::string printed = (dir_ / "impreso.pdf").string();
    const std::string saved = (dir_ / "guardado.pdf").string();
    QWidget* shown = nullptr;
    Player p;
    p.Add([&] { QTest::mouseClick(W(form_->btnPreview), Qt::LeftButton); });
    p.Add([&] {
        shown = driver_.Window(*Screen->FindForm("VistaPrevia"));
        ASSERT_NE(shown, nullptr);
        shown->findChild<QAction*>("actImprimir")->trigger();  // the set-up opens, modal
    });
    p.Closing([&] {
        TForm* setup = Screen->FindForm("frmPrinterSetup");
        ASSERT_NE(setup, nullptr);
        ASSERT_TRUE(setup->Showing());
        QWidget* window = driver_.Window(*setup);
        QTest::mouseClick(window->findChild<QLineEdit*>("edtArchivo"), Qt::LeftButton);
        QTest::keyClicks(KeyTarget(), QString::fromStdString(printed));
        QTest::mouseClick(window->findChild<QPushButton*>("btnAceptar"), Qt::LeftButton);
    });
    p.Add([&] { shown->findChild<QAction*>("actGuardarPdf")->trigger(); });
    p.Answer([&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(QString::fromStdString(saved));  // typed into the dialog's name box
        static_cast<QDialog*>(dialog)->accept();  // what the Save button does
    });
    p.Add([&] { QTest::mouseClick(W(form_->btnCancelar), Qt::LeftButton); });
    EXPECT_EQ(Run(p), mrCancel);
    EXPECT_TRUE(fs::exists(printed)) << "printed through the \"file\" destination";
    EXPECT_TRUE(fs::exists(saved));
    if (fs::exists(saved)) {
        EXPECT_GT(fs::file_size(saved), 1000u);
    }
}

TEST_F(DesktopDriverTest, PrinterSetupListsDestinationsAndCanBeCancelled) {
    report::PrinterSettings settings;
    settings.copies = 2;
    Player p;
    p.Add([&] {
        TForm* setup = Screen->FindForm("frmPrinterSetup");
        ASSERT_NE(setup, nullptr);
        auto* combo = driver_.Window(*setup)->findChild<QComboBox*>("cmbImpresora");
        ASSERT_NE(combo, nullptr);
        EXPECT_GE(combo->findText("file"), 0);
        EXPECT_TRUE(driver_.SavePicture(setup, Shot("configurar-impresion")));
        Key(Qt::Key_Escape);
    });
    p.Start();
    EXPECT_FALSE(report::RunPrinterSetup(settings));
    EXPECT_EQ(settings.copies, 2) << "a cancelled set-up changes nothing";

    const std::string out = (dir_ / "salida.pdf").string();
    Player q;
    q.Add([&] {
        TForm* setup = Screen->FindForm("frmPrinterSetup");
        QWidget* window = driver_.Window(*setup);
        QTest::mouseClick(window->findChild<QLineEdit*>("edtArchivo"), Qt::LeftButton);
        QTest::keyClicks(KeyTarget(), QString::fromStdString(out));
        Key(Qt::Key_Tab);
        Key(Qt::Key_Up);
        QTest::mouseClick(window->findChild<QPushButton*>("btnAceptar"), Qt::LeftButton);
    });
    q.Start();
    ASSERT_TRUE(report::RunPrinterSetup(settings));
    EXPECT_EQ(settings.filePath, out);
    EXPECT_EQ(settings.copies, 3);
}

TEST_F(DesktopDriverTest, PrinterSetupWindowPrintsAPageRange) {
    const std::string layout = (dir_ / "RPaginas.QR2").string();
    std::ofstream(layout) << "<report name='RPaginas'>"
                             "<datasets><query name='Query1'><sql><line>SELECT * FROM Tiendas</line></sql></query></datasets>"
                             "<bands dataset='Query1'><detail name='bndDetalle' height='10' newpage='true'>"
                             "<field left='0' top='0' width='20' field='Tienda'/></detail></bands></report>";
    report::MemoryDatasetFactory data;
    data.Provide("Query1", report::MemoryTable{{"Tienda"}, {{std::string("01")}, {std::string("02")}, {std::string("03")}}});
    report::TReportPrinterDialog dlg(nullptr);
    dlg.SetDatasetFactory(&data);
    const std::string out = (dir_ / "pagina2.pdf").string();
    Player p;
    p.Add([&] {
        TForm* setup = Screen->FindForm("frmPrinterSetup");
        ASSERT_NE(setup, nullptr);
        QWidget* window = driver_.Window(*setup);
        QTest::mouseClick(window->findChild<QLineEdit*>("edtArchivo"), Qt::LeftButton);
        QTest::keyClicks(KeyTarget(), QString::fromStdString(out));
        for (const char* name : {"spnDesde", "spnHasta"}) {
            auto* spin = window->findChild<QSpinBox*>(name);
            ASSERT_NE(spin, nullptr) << name;
            QTest::mouseClick(spin->findChild<QLineEdit*>(), Qt::LeftButton);
            Key(Qt::Key_Up);
            Key(Qt::Key_Up);
        }
        EXPECT_TRUE(driver_.SavePicture(setup, Shot("configurar-impresion-paginas")));
        QTest::mouseClick(window->findChild<QPushButton*>("btnAceptar"), Qt::LeftButton);
    });
    p.Start();
    ASSERT_TRUE(dlg.PrinterSetup());
    EXPECT_EQ(dlg.Printer.firstPage, 2);
    EXPECT_EQ(dlg.Printer.lastPage, 2);
    dlg.Print(layout);
    // pdfinfo reads the page tree as a viewer would.
    const std::string command = "pdfinfo '" + out + "' 2>&1";
    std::string info;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buf[256];
        while (fgets(buf, sizeof buf, pipe)) info += buf;
        pclose(pipe);
    }
    const auto at = info.find("Pages:");
    ASSERT_NE(at, std::string::npos) << info;
    EXPECT_EQ(std::atoi(info.c_str() + at + 6), 1) << info;
}

TEST_F(DesktopDriverTest, HourglassFollowsTheScreenCursor) {
    Screen->SetCursor(crHourGlass);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace vcl::qt
