// Where a preview goes and the preview window's stand-in. A preview is rendered completely
// (PDF, and on request PNG pages and the page text) before the dialog's Preview returns;
// the PreviewSink the application sets decides where the files go and who shows them; the
// non-modal form named "VistaPrevia" joins the screen's forms until it is closed.
// Not here: laying out or drawing pages (engine.h, render_pdf.h).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/3_report/page.h"
#include "platform/2_vcl/form.h"

namespace report {

// What one preview produced.
struct PreviewDocument {
    std::string reportName;
    std::string pdfPath;
    std::vector<std::string> pngPaths;  // empty unless the sink asked for images
    std::string text;                   // page text on a character grid, when asked
    int pages = 0;
    std::shared_ptr<const std::vector<Page>> pageList;  // every page, for printing a range
};

// Where a preview's files are written.
struct PreviewTarget {
    std::string pdfPath;
    std::string pngPrefix;  // empty: no PNG images
    bool wantText = true;
};

class PreviewForm;

class PreviewSink {
public:
    virtual ~PreviewSink() = default;
    virtual PreviewTarget Target(const std::string& reportName) = 0;
    // The form exists, is shown and holds every page; a desktop driver shows a window here.
    virtual void Show(PreviewForm& form) { (void)form; }
};

// Writes "<folder>/<report>.pdf" (and "<report>-NNNN.png" when `png`).
class FolderPreviewSink : public PreviewSink {
public:
    explicit FolderPreviewSink(std::string folder, bool png = false) : folder_(std::move(folder)), png_(png) {}
    PreviewTarget Target(const std::string& reportName) override;

private:
    std::string folder_;
    bool png_;
};

// The sink used by every preview; by default a folder under the system's temporary folder.
void SetPreviewSink(std::shared_ptr<PreviewSink> sink);
PreviewSink& CurrentPreviewSink();

// The preview window: a non-modal form named "VistaPrevia" in the screen's form list, holding
// the finished pages. Closing it frees it (at the application's next message processing).
class PreviewForm : public vcl::TForm {
public:
    static constexpr const char* kName = "VistaPrevia";
    PreviewForm(vcl::TComponent* owner, PreviewDocument doc, std::function<void()> onPrintRequest);
    const PreviewDocument& Document() const { return doc_; }
    // The user pressed Print in the preview: handed to the dialog that made it, if alive.
    void RequestPrint();
    bool PrintRequested() const { return printRequested_; }

private:
    PreviewDocument doc_;
    std::function<void()> onPrint_;
    bool printRequested_ = false;
};

// Shown preview forms in screen order, front first.
std::vector<PreviewForm*> OpenPreviews();
PreviewForm* FindPreview();  // the front "VistaPrevia" still shown, or nullptr
void CloseAllPreviews();     // frees them at once

}  // namespace report
