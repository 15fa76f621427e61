// Windows of the report engine's forms: the preview "VistaPrevia" (the pages the engine drew,
// page navigation, whole page, page width and 100 %, print and save as PDF) and the printer
// set-up, whose controls come without places and are arranged here with their labels. The
// preview sink makes the engine draw each page as an image for this window.
#include "platform/5_desktop/desktop_internal.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <unistd.h>

#include <filesystem>

#include "platform/4_adapters/report/preview.h"
#include "platform/4_adapters/report/printer_dialog.h"
#include "platform/4_adapters/report/printer_setup.h"
#include "platform/3_report/printers.h"
#include "platform/2_shell/folders.h"
#include "platform/2_vcl/dialogs.h"

namespace vcl::qt {

namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderPrefix = "razir-vista-";

// Each preview in a folder of its own: a preview still open keeps its pages while the next
// one is drawn.
class DesktopPreviewSink : public report::PreviewSink {
public:
    report::PreviewTarget Target(const std::string& reportName) override {
        const fs::path folder = fs::path(shell::TempFolder()) /
                                (kFolderPrefix + std::to_string(getpid())) / std::to_string(++count_);
        fs::create_directories(folder);
        report::PreviewTarget t;
        t.pdfPath = (folder / (reportName + ".pdf")).string();
        t.pngPrefix = (folder / reportName).string();
        t.wantText = false;
        return t;
    }

private:
    int count_ = 0;
};

class PageArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    std::function<void()> onResize;

protected:
    void resizeEvent(QResizeEvent* e) override {
        QScrollArea::resizeEvent(e);
        if (onResize) onResize();
    }
};

class PreviewWindow : public FormWindow {
public:
    PreviewWindow(DesktopDriver::Impl& host, report::PreviewForm& form) : FormWindow(host, form), preview_(form) {}

    ~PreviewWindow() override {
        // The pages go with the window; a PDF the user saved was copied elsewhere.
        const fs::path folder = fs::path(preview_.Document().pdfPath).parent_path();
        std::error_code ec;
        if (folder.parent_path().filename().string().rfind(kFolderPrefix, 0) == 0) fs::remove_all(folder, ec);
    }

    void Build() override {
        const report::PreviewDocument& doc = preview_.Document();
        window_ = new QWidget(nullptr, Qt::Window);
        window_->setObjectName(Q(preview_.Name()));
        controlOf_[window_] = &form_;
        auto* layout = new QVBoxLayout(window_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        auto* bar = new QToolBar(window_);
        bar->setObjectName("barVista");
        bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
        layout->addWidget(bar);
        auto add = [&](const char* name, const QString& text, std::function<void()> act, const QString& tip = {}) {
            QAction* a = bar->addAction(text);
            a->setObjectName(name);
            if (!tip.isEmpty()) a->setToolTip(tip);
            QObject::connect(a, &QAction::triggered, std::move(act));
            return a;
        };
        // Short symbols for the page buttons, so the whole bar fits a small screen.
        first_ = add("actPrimera", "|<", [this] { ShowPage(0); }, "Primera página (Inicio)");
        prev_ = add("actAnterior", "<", [this] { ShowPage(page_ - 1); }, "Página anterior (RePág)");
        pageLabel_ = new QLabel(bar);
        pageLabel_->setObjectName("lblPagina");
        pageLabel_->setContentsMargins(8, 0, 8, 0);
        bar->addWidget(pageLabel_);
        next_ = add("actSiguiente", ">", [this] { ShowPage(page_ + 1); }, "Página siguiente (AvPág)");
        last_ = add("actUltima", ">|", [this] { ShowPage(Pages() - 1); }, "Última página (Fin)");
        bar->addSeparator();
        add("actPaginaCompleta", "Página completa", [this] { SetZoom(Zoom::WholePage); });
        add("actAnchoPagina", "Ancho de página", [this] { SetZoom(Zoom::PageWidth); });
        add("actTamanoReal", "100 %", [this] { SetZoom(Zoom::Actual); });
        bar->addSeparator();
        add("actImprimir", "Imprimir...", [this] { Print(); });
        add("actGuardarPdf", "Guardar PDF...", [this] { SavePdf(); });
        bar->addSeparator();
        add("actCerrar", "Cerrar", [this] { host_.Dispatch([this] { form_.Close(); }); }, "Cerrar la vista preliminar (Esc)");

        area_ = new PageArea(window_);
        area_->setObjectName("areaPagina");
        area_->setAlignment(Qt::AlignCenter);
        area_->setBackgroundRole(QPalette::Dark);
        image_ = new QLabel;
        image_->setObjectName("imgPagina");
        image_->setFrameStyle(QFrame::Box | QFrame::Plain);
        image_->setAlignment(Qt::AlignCenter);
        area_->setWidget(image_);
        area_->onResize = [this] { Render(); };
        layout->addWidget(area_, 1);

        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const int w = std::min(900, screen.width() - 40), h = std::min(760, screen.height() - 40);
        window_->resize(w, h);
        window_->move(screen.center().x() - w / 2, screen.center().y() - h / 2);
        window_->setWindowTitle(Q(form_.Caption() + (doc.reportName.empty() ? "" : " - " + doc.reportName)));
        ShowPage(0);
        window_->show();
        window_->raise();
        window_->activateWindow();
    }

    void Sync() override {}

    bool OwnInput(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease) return true;
        if (event->type() != QEvent::KeyPress) return false;
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_PageDown:
            case Qt::Key_Space: ShowPage(page_ + 1); break;
            case Qt::Key_PageUp: ShowPage(page_ - 1); break;
            case Qt::Key_Home: ShowPage(0); break;
            case Qt::Key_End: ShowPage(Pages() - 1); break;
            case Qt::Key_Escape: host_.Dispatch([this] { form_.Close(); }); break;
            case Qt::Key_Down: area_->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
            case Qt::Key_Up: area_->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
            default: break;
        }
        return true;
    }

private:
    enum class Zoom { WholePage, PageWidth, Actual };

    int Pages() const { return static_cast<int>(preview_.Document().pngPaths.size()); }

    void ShowPage(int page) {
        const int count = Pages();
        page_ = std::clamp(page, 0, std::max(0, count - 1));
        pixmap_ = count ? QPixmap(Q(preview_.Document().pngPaths[page_])) : QPixmap();
        pageLabel_->setText(count ? QString("Página %1 de %2").arg(page_ + 1).arg(count) : QString("Sin páginas"));
        first_->setEnabled(page_ > 0);
        prev_->setEnabled(page_ > 0);
        next_->setEnabled(page_ + 1 < count);
        last_->setEnabled(page_ + 1 < count);
        Render();
    }

    void SetZoom(Zoom zoom) {
        zoom_ = zoom;
        Render();
    }

    void Render() {
        if (pixmap_.isNull()) {
            image_->setPixmap(QPixmap());
            image_->setText("El reporte no tiene páginas que mostrar.");
            image_->adjustSize();
            return;
        }
        // The page images are drawn at 96 dots per inch: 100 % shows them pixel for pixel.
        // The room without scroll bars: a whole page then needs none, and page width leaves
        // space for the vertical one it brings.
        QSize room = area_->maximumViewportSize() - QSize(24, 24);
        if (zoom_ == Zoom::PageWidth) room.rwidth() -= area_->verticalScrollBar()->sizeHint().width();
        const double pw = pixmap_.width(), ph = pixmap_.height();
        double f = 1.0;
        if (zoom_ == Zoom::WholePage) f = std::min(room.width() / pw, room.height() / ph);
        if (zoom_ == Zoom::PageWidth) f = room.width() / pw;
        f = std::max(f, 0.1);
        const QPixmap shown = f == 1.0 ? pixmap_
                                       : pixmap_.scaled(static_cast<int>(pw * f), static_cast<int>(ph * f),
                                                        Qt::KeepAspectRatio, Qt::SmoothTransformation);
        image_->setPixmap(shown);
        image_->resize(shown.size() + QSize(2, 2));
    }

    void Print() {
        host_.Dispatch([this] {
            report::PrinterSettings s = settings_;
            if (!report::RunPrinterSetup(s)) return;
            settings_ = s;
            report::PrintPreviewDocument(preview_.Document(), s);
        });
    }

    void SavePdf() {
        const report::PreviewDocument& doc = preview_.Document();
        const QString suggested = QDir::homePath() + "/" + Q(doc.reportName.empty() ? "reporte" : doc.reportName) + ".pdf";
        QString path = QFileDialog::getSaveFileName(window_, "Guardar como PDF", suggested, "Documentos PDF (*.pdf)",
                                                    nullptr, QFileDialog::DontUseNativeDialog);
        if (path.isEmpty()) return;
        if (!path.endsWith(".pdf", Qt::CaseInsensitive)) path += ".pdf";
        std::error_code ec;
        fs::copy_file(doc.pdfPath, U(path), fs::copy_options::overwrite_existing, ec);
        if (ec) host_.Dispatch([&] { MessageBox("No se pudo guardar el archivo \"" + U(path) + "\": " + ec.message(), "Error", MB_ICONERROR); });
    }

    report::PreviewForm& preview_;
    report::PrinterSettings settings_;
    int page_ = 0;
    Zoom zoom_ = Zoom::PageWidth;
    QPixmap pixmap_;
    PageArea* area_ = nullptr;
    QLabel* image_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QAction *first_ = nullptr, *prev_ = nullptr, *next_ = nullptr, *last_ = nullptr;
};

// The set-up form carries no places: its controls are arranged here, each with a label.
class PrinterSetupWindow : public FormWindow {
public:
    PrinterSetupWindow(DesktopDriver::Impl& host, report::TfrmPrinterSetup& form) : FormWindow(host, form), setup_(form) {}

protected:
    void Arrange() override {
        struct Row {
            const char* caption;
            vcl::TControl* control;
            int width;
        };
        const Row rows[] = {
            {"Impresora:", setup_.cmbImpresora, 280},
            {"Archivo:", setup_.edtArchivo, 280},
            {"Copias:", setup_.spnCopias, 80},
            {"Desde página:", setup_.spnDesde, 80},
            {"Hasta página:", setup_.spnHasta, 80},
        };
        int y = 14;
        for (const Row& row : rows) {
            auto* label = new QLabel(Q(row.caption), client_);
            label->setGeometry(14, y + 4, 84, 18);
            if (QWidget* w = WidgetOf(row.control)) w->setGeometry(100, y, row.width, 24);
            y += 34;
            const char* note = row.control == setup_.edtArchivo ? "Solo con el destino \"file\"; vacío: el nombre del reporte."
                               : row.control == setup_.spnHasta ? "0 en ambas: todas las páginas; 0 en una: sin límite de ese lado."
                                                                : nullptr;
            if (!note) continue;
            auto* hint = new QLabel(Q(note), client_);
            hint->setObjectName(row.control == setup_.edtArchivo ? "lblNotaArchivo" : "lblNotaPaginas");
            hint->setWordWrap(true);
            hint->setGeometry(100, y - 8, 280, 32);
            hint->setEnabled(false);
            y += 26;
        }
        y += 8;
        if (QWidget* w = WidgetOf(setup_.btnAceptar)) w->setGeometry(198, y, 88, 28);
        if (QWidget* w = WidgetOf(setup_.btnCancelar)) w->setGeometry(292, y, 88, 28);
    }

private:
    report::TfrmPrinterSetup& setup_;
};

}  // namespace

std::unique_ptr<FormWindow> MakeReportWindow(DesktopDriver::Impl& host, TForm& form) {
    if (auto* preview = dynamic_cast<report::PreviewForm*>(&form)) return std::make_unique<PreviewWindow>(host, *preview);
    if (auto* setup = dynamic_cast<report::TfrmPrinterSetup*>(&form)) return std::make_unique<PrinterSetupWindow>(host, *setup);
    return nullptr;
}

void InstallPreviewSink() { report::SetPreviewSink(std::make_shared<DesktopPreviewSink>()); }
void RemovePreviewSink() { report::SetPreviewSink(nullptr); }

}  // namespace vcl::qt
