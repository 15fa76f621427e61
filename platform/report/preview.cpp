// Preview sinks and the list of open preview forms.
#include "platform/report/preview.h"

#include <algorithm>
#include <filesystem>
#include <unistd.h>

namespace report {

struct PreviewList {
    std::vector<std::unique_ptr<PreviewForm>> forms;
    static PreviewList& Get() {
        static PreviewList list;
        return list;
    }
};

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
        auto dir = std::filesystem::temp_directory_path() / ("razir-preview-" + std::to_string(getpid()));
        slot = std::make_shared<FolderPreviewSink>(dir.string());
    }
    return *slot;
}

PreviewForm::PreviewForm(PreviewDocument doc, std::function<void()> onPrint)
    : doc_(std::move(doc)), onPrint_(std::move(onPrint)) {}

PreviewForm& PreviewForm::Create(PreviewDocument doc, std::function<void()> onPrintRequest) {
    auto& forms = PreviewList::Get().forms;
    forms.push_back(std::unique_ptr<PreviewForm>(new PreviewForm(std::move(doc), std::move(onPrintRequest))));
    return *forms.back();
}

void PreviewForm::RequestPrint() {
    printRequested_ = true;
    if (onPrint_) onPrint_();
}

void PreviewForm::Close() {
    auto& forms = PreviewList::Get().forms;
    auto it = std::find_if(forms.begin(), forms.end(), [&](const auto& f) { return f.get() == this; });
    if (it != forms.end()) forms.erase(it);  // destroys *this: nothing may follow
}

void PreviewForm::BringToFront() {
    auto& forms = PreviewList::Get().forms;
    auto it = std::find_if(forms.begin(), forms.end(), [&](const auto& f) { return f.get() == this; });
    if (it != forms.end()) std::rotate(it, it + 1, forms.end());
}

std::vector<PreviewForm*> OpenPreviews() {
    std::vector<PreviewForm*> out;
    for (auto& f : PreviewList::Get().forms) out.push_back(f.get());
    return out;
}

PreviewForm* FindPreview() {
    auto& forms = PreviewList::Get().forms;
    return forms.empty() ? nullptr : forms.back().get();
}

void CloseAllPreviews() { PreviewList::Get().forms.clear(); }

}  // namespace report
