// Loads libReportes.so beside the program, plays a script on the dialog an entry point shows
// and collects what the preview produced.
#include "host/razir/report_runner.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "host/razir/gui/report_menu.h"
#include "platform/4_adapters/report/preview.h"
#include "platform/2_shell/folders.h"
#include "platform/1_text/fold.h"

namespace razir {
namespace {

namespace fs = std::filesystem;

gui::SharedReportLibrary& Library() {
    static gui::SharedReportLibrary library(shell::ProgramFolder() + "libReportes.so");
    if (!library.Error().empty()) throw std::runtime_error(library.Error());
    return library;
}

// Where the preview of a run goes: the PDF always (beside a text or image output, in a
// temporary folder), page images and text when asked.
class RunSink : public report::PreviewSink {
public:
    RunSink(const std::string& out, ReportOutcome& outcome) : out_(out), outcome_(outcome) {}
    report::PreviewTarget Target(const std::string& name) override {
        const fs::path out(out_);
        std::string ext = out.extension().string();
        ext = text::FoldCase(ext);
        ext_ = ext;
        report::PreviewTarget t;
        t.wantText = ext == ".txt";
        if (ext == ".pdf") t.pdfPath = out_;
        else t.pdfPath = shell::TempFolder() + name + "-" + std::to_string(::getpid()) + ".pdf";
        if (ext == ".png") t.pngPrefix = (out.parent_path() / out.stem()).string();
        return t;
    }
    void Show(report::PreviewForm& form) override {
        const auto& doc = form.Document();
        outcome_.previewed = true;
        outcome_.pages = doc.pages;
        if (ext_ == ".pdf") outcome_.files.push_back(doc.pdfPath);
        for (const auto& png : doc.pngPaths) outcome_.files.push_back(png);
        if (ext_ == ".txt") {
            std::ofstream(out_, std::ios::binary) << doc.text;
            outcome_.files.push_back(out_);
        }
        if (ext_ != ".pdf") fs::remove(doc.pdfPath);
    }

private:
    std::string out_, ext_;
    ReportOutcome& outcome_;
};

}  // namespace

ReportOutcome RunReport(const ReportRun& run) {
    auto entry = reinterpret_cast<gui::StoreEntryPoint>(Library().Find(run.entry));
    if (!entry) throw std::runtime_error("No existe el reporte \"" + run.entry + "\" en libReportes.so");

    ReportOutcome outcome;
    std::vector<vcl::Step> steps = run.steps;
    if (!run.printTo.empty()) {
        // The printer set-up answered as the user would: destination, file, Aceptar.
        std::string dest = run.printTo, file;
        if (dest.rfind("file:", 0) == 0) {
            file = dest.substr(5);
            dest = "file";
        }
        steps.push_back(vcl::Step::Click("btnImprimir"));
        steps.push_back(vcl::Step::Set("cmbImpresora", dest));
        if (!file.empty()) steps.push_back(vcl::Step::Set("edtArchivo", file));
        steps.push_back(vcl::Step::Click("btnAceptar"));
    } else if (!run.out.empty() && !run.direct) {
        bool pressed = false;
        for (const auto& s : steps) pressed |= s.kind == vcl::Step::Kind::Click && s.target == "btnPreview";
        if (!pressed) steps.push_back(vcl::Step::Click("btnPreview"));
    }

    std::shared_ptr<report::PreviewSink> sink;
    if (!run.out.empty()) sink = std::make_shared<RunSink>(run.out, outcome);
    else sink = std::make_shared<report::FolderPreviewSink>(shell::TempFolder());
    report::SetPreviewSink(sink);

    vcl::ScriptDriver driver(std::move(steps));
    {
        vcl::DriverScope scope(driver);
        entry(run.p1.c_str(), run.p2.c_str(), run.direct);
    }
    report::CloseAllPreviews();
    report::SetPreviewSink(nullptr);
    outcome.messages = driver.Messages();
    outcome.failures = driver.Failures();
    outcome.dialogLeftOpen = driver.EndedWithFormOpen();
    return outcome;
}

std::vector<std::string> ReportEntries() {
    std::vector<std::string> out;
    for (const auto& group : gui::ReportGroups())
        for (const auto& e : group.entries)
            if (e.kind == gui::EntryKind::StoreArgs && Library().Find(e.exportName)) out.emplace_back(e.exportName);
    return out;
}

bool HasPreview(const std::string& entry) {
    // The reprint of notes prints straight to the register's printer.
    return entry != "RImpresionNotas";
}

}  // namespace razir
