// Preview sinks and the preview form.
#include "platform/4_adapters/report/preview.h"

#include <unistd.h>

#include <filesystem>

#include "platform/2_shell/folders.h"
#include "platform/2_vcl/application.h"

namespace report {
namespace {

std::shared_ptr<PreviewSink>& SinkSlot() {
    static std::shared_ptr<PreviewSink> sink;
    return sink;
}

}  // namespace

PreviewTarget FolderPreviewSink::Target(const std::string& reportName) {
    std::filesystem::create_directories(folder_);
    PreviewTarget t;
    std::filesystem::path base = std::filesystem::path(folder_) / reportName;
    t.pdfPath = base.string() + ".pdf";
    if (png_) t.pngPrefix = base.string();
    return t;
}

void SetPreviewSink(std::shared_ptr<PreviewSink> sink) { SinkSlot() = std::move(sink); }

PreviewSink& CurrentPreviewSink() {
    auto& slot = SinkSlot();
    if (!slot) {
        slot = std::make_shared<FolderPreviewSink>(shell::TempFolder() + "razir-preview-" +
                                                   std::to_string(getpid()));
    }
    return *slot;
}

PreviewForm::PreviewForm(vcl::TComponent* owner, PreviewDocument doc, std::function<void()> onPrintRequest)
    : vcl::TForm(owner), doc_(std::move(doc)), onPrint_(std::move(onPrintRequest)) {
    SetName(kName);
    SetCaption("Vista preliminar");
    // Closing discards the preview: hidden at once so it no longer counts as open, freed at
    // the next message processing.
    OnClose = [this](vcl::TObject*, vcl::TCloseAction& action) {
        Hide();
        action = vcl::caFree;
    };
}

void PreviewForm::RequestPrint() {
    printRequested_ = true;
    if (onPrint_) onPrint_();
}

std::vector<PreviewForm*> OpenPreviews() {
    std::vector<PreviewForm*> out;
    for (vcl::TForm* f : vcl::Screen->FormList())
        if (auto* p = dynamic_cast<PreviewForm*>(f); p && p->Showing()) out.push_back(p);
    return out;
}

PreviewForm* FindPreview() {
    auto open = OpenPreviews();
    return open.empty() ? nullptr : open.front();
}

void CloseAllPreviews() {
    std::vector<PreviewForm*> all;
    for (vcl::TForm* f : vcl::Screen->FormList())
        if (auto* p = dynamic_cast<PreviewForm*>(f)) all.push_back(p);
    for (PreviewForm* p : all) p->Free();
}

}  // namespace report
