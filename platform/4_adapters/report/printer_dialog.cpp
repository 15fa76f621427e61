// The life of one Preview or Print:
//   load the layout -> for each dataset in layout order: BeforeGetQueryParams (queries with
//   parameters), BeforeOpenDataset, open (a detail on its master's current row) ->
//   AfterReportLoaded (every dataset open on its first row) -> BeforePrint -> lay out and
//   render, BandBeforePrint before each band -> close the datasets.
// Details re-opened for each master row during layout raise no events.
#include "platform/4_adapters/report/printer_dialog.h"

#include <filesystem>
#include <sstream>

#include "platform/3_report/engine.h"
#include "platform/3_report/layout.h"
#include "platform/3_report/render_pdf.h"
#include "platform/3_report/render_text.h"
#include "platform/2_shell/folders.h"
#include "platform/1_text/datetime.h"

#include <chrono>
#include <unistd.h>

namespace report {
namespace {

double NowAsDateTime() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    return text::EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           text::EncodeTime(local.tm_hour, local.tm_min, local.tm_sec);
}

std::string JoinTitle(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) {
        if (l.empty()) continue;
        if (!out.empty()) out += " - ";
        out += l;
    }
    return out;
}

// Closes the report's datasets whatever happens, so temporary tables can go right after.
struct DatasetCloser {
    Report* report = nullptr;
    ~DatasetCloser() {
        if (!report) return;
        for (auto it = report->Datasets().rbegin(); it != report->Datasets().rend(); ++it) (*it)->Close();
    }
};

// Passes on only the pages of the chosen range, counting from 1 as they arrive.
class PageRangeSink : public PageSink {
public:
    PageRangeSink(const PrinterSettings& settings, PageSink& out) : settings_(settings), out_(out) {}
    void BeginDocument(int) override { out_.BeginDocument(0); }
    void AddPage(const Page& page) override {
        if (!settings_.Includes(++seen_)) return;
        out_.AddPage(page);
        ++kept_;
    }
    void EndDocument() override { out_.EndDocument(); }
    int Kept() const { return kept_; }

private:
    const PrinterSettings& settings_;
    PageSink& out_;
    int seen_ = 0, kept_ = 0;
};

// Keeps a copy of every page so that the preview can print a range of them later.
class PageKeeper : public PageSink {
public:
    explicit PageKeeper(std::vector<Page>& pages) : pages_(pages) {}
    void AddPage(const Page& page) override { pages_.push_back(page); }

private:
    std::vector<Page>& pages_;
};

}  // namespace

void CheckPageRange(const PrinterSettings& settings) {
    if (settings.firstPage > 0 && settings.lastPage > 0 && settings.firstPage > settings.lastPage)
        throw PrintError("La página inicial no debe ser mayor que la página final");
}

void PrintPages(const std::function<void(PageSink&)>& produce, const PrinterSettings& settings,
                const std::string& title, const std::string& defaultFile) {
    CheckPageRange(settings);
    namespace fs = std::filesystem;
    static int serial = 0;
    fs::path tmp = shell::TempFolder() +
                   ("razir-print-" + std::to_string(getpid()) + "-" + std::to_string(++serial) + ".pdf");
    std::error_code ec;
    try {
        int kept = 0;
        {
            PdfRenderer pdf(tmp.string(), title);
            PageRangeSink range(settings, pdf);
            produce(range);
            kept = range.Kept();
        }
        if (kept == 0 && !settings.AllPages())
            throw PrintError("Ninguna página del reporte está entre la " + std::to_string(settings.firstPage) +
                             " y la " + (settings.lastPage > 0 ? std::to_string(settings.lastPage) : "última"));
        PrintRequest req;
        req.pdfPath = tmp.string();
        req.destination = settings.destination;
        req.filePath = settings.filePath.empty() ? defaultFile : settings.filePath;
        req.title = title;
        req.copies = settings.copies;
        SendToPrinter(req);
    } catch (...) {
        fs::remove(tmp, ec);
        throw;
    }
    fs::remove(tmp, ec);
}

void PrintPreviewDocument(const PreviewDocument& doc, const PrinterSettings& settings) {
    PrintPages(
        [&](PageSink& sink) {
            sink.BeginDocument(doc.pages);
            if (doc.pageList)
                for (const Page& page : *doc.pageList) sink.AddPage(page);
            sink.EndDocument();
        },
        settings, doc.reportName, (doc.reportName.empty() ? "reporte" : doc.reportName) + ".pdf");
}

struct TReportPrinterDialog::Prepared {
    std::unique_ptr<Report> report;
    std::unique_ptr<PrintJob> job;
    DatasetCloser closer;
};

TReportPrinterDialog::TReportPrinterDialog(vcl::TComponent* AOwner)
    : vcl::TComponent(AOwner), alive_(std::make_shared<bool>(true)) {}

TReportPrinterDialog::~TReportPrinterDialog() { *alive_ = false; }

std::unique_ptr<TReportPrinterDialog::Prepared> TReportPrinterDialog::Prepare(const std::string& path) {
    if (!factory_) throw DatasetError("El reporte no tiene de dónde tomar sus datos");
    auto run = std::make_unique<Prepared>();
    run->report = LoadLayout(path, *factory_);
    Report& rep = *run->report;
    run->closer.report = &rep;
    for (const auto& dsPtr : rep.Datasets()) {
        Dataset& ds = *dsPtr;
        ds.PrepareForEvents();
        if (ds.Kind() == DatasetKind::Query && ds.Parameters().Count() > 0 && BeforeGetQueryParams)
            BeforeGetQueryParams(ds, ds.Parameters());
        if (BeforeOpenDataset) BeforeOpenDataset(ds);
        if (ds.MasterName().empty()) {
            ds.Open();
        } else {
            Dataset* master = rep.FindDataset(ds.MasterName());
            std::vector<Value> keys;
            for (const FieldLink& link : ds.Links()) {
                int idx = master->Rows().FieldIndex(link.masterField);
                if (idx < 0)
                    throw DatasetError(ds.Name() + ": no existe el campo \"" + link.masterField + "\" en \"" + master->Name() + "\"");
                keys.push_back(master->Rows().Get(idx));
            }
            ds.OpenForMaster(keys);
        }
        ds.Rows().First();
    }
    if (AfterReportLoaded) AfterReportLoaded(rep);
    run->job = std::make_unique<PrintJob>(rep);
    if (BeforePrint) BeforePrint(*run->job);
    return run;
}

int TReportPrinterDialog::Produce(Prepared& run, PageSink& sink) {
    EngineOptions options;
    options.printIfEmpty = PrintIfEmpty;
    options.bandBeforePrint = BandBeforePrint;
    options.now = NowAsDateTime();
    options.formats = Formats;
    return RunReport(*run.report, options, sink).pages;
}

void TReportPrinterDialog::Preview(const std::string& path) {
    printRequested_ = false;
    auto run = Prepare(path);
    PreviewSink& sink = CurrentPreviewSink();
    PreviewTarget target = sink.Target(run->report->Name);
    PreviewDocument doc;
    doc.reportName = run->report->Name;
    doc.pdfPath = target.pdfPath;
    {
        PdfRenderer pdf(target.pdfPath, JoinTitle(run->job->Title));
        std::unique_ptr<PngRenderer> png;
        std::ostringstream text;
        TextRenderer textRenderer(run->report->Page, text);
        TeeSink tee;
        tee.Add(pdf);
        if (!target.pngPrefix.empty()) {
            png = std::make_unique<PngRenderer>(target.pngPrefix);
            tee.Add(*png);
        }
        if (target.wantText) tee.Add(textRenderer);
        auto kept = std::make_shared<std::vector<Page>>();
        PageKeeper keeper(*kept);
        tee.Add(keeper);
        doc.pages = Produce(*run, tee);
        doc.pageList = std::move(kept);
        if (png) doc.pngPaths = png->Files();
        doc.text = text.str();
    }
    run.reset();  // datasets closed: the pages are all rendered
    std::weak_ptr<bool> alive = alive_;
    // The preview belongs to no one: it outlives the criteria dialog until it is closed.
    auto* form = vcl::Create<PreviewForm>(nullptr, std::move(doc), [this, alive] {
        auto a = alive.lock();
        if (!a || !*a || !PrintFromPreview) return;
        printRequested_ = true;
        if (OnPreviewPrint) OnPreviewPrint();
    });
    if (AfterReportFormCreated) AfterReportFormCreated();
    if (UseModalPreview) {
        sink.Show(*form);
        form->ShowModal();
        form->Free();
        return;
    }
    form->Show();
    sink.Show(*form);
}

bool TReportPrinterDialog::PrinterSetup() {
    PrinterSettings s = Printer;
    s.copies = Copies;
    if (!RunPrinterSetup(s)) return false;
    Printer = s;
    Copies = s.copies;
    return true;
}

void TReportPrinterDialog::Print(const std::string& path) {
    PrinterSettings settings = Printer;
    settings.copies = Copies;
    CheckPageRange(settings);  // before the datasets open
    auto run = Prepare(path);
    std::string title = JoinTitle(run->job->Title);
    const std::string stem = std::filesystem::path(path).stem().string();
    PrintPages([&](PageSink& sink) { Produce(*run, sink); }, settings, title.empty() ? stem : title, stem + ".pdf");
}

}  // namespace report
