// TReportPrinterDialog: the report component a criteria dialog owns. It loads a layout, opens
// its datasets raising BeforeGetQueryParams and BeforeOpenDataset for each, raises
// AfterReportLoaded and BeforePrint, and then previews (the "VistaPrevia" form, every page
// rendered before Preview returns) or prints (CUPS or a file, after a set-up that can be
// cancelled), raising BandBeforePrint before each band.
// Not here: the layout format (layout.h), pagination (engine.h), CUPS (printers.h).
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/3_report/dataset.h"
#include "platform/3_report/mask.h"
#include "platform/3_report/page.h"
#include "platform/4_adapters/report/preview.h"
#include "platform/4_adapters/report/printer_setup.h"
#include "platform/3_report/report.h"
#include "platform/2_vcl/component.h"

namespace report {

// The print job's settings as BeforePrint sees them.
class PrintJob {
public:
    explicit PrintJob(Report& report) : report_(report) {}
    // Option words. The first is the one the dialogs set (1 or 0); the engine carries the
    // words with the job and does not act on them.
    std::array<int, 4> Options{};
    // Title lines: joined, they become the PDF title and the CUPS job name.
    std::vector<std::string> Title;
    // The loaded report's page-mode switch: off prints one continuous page (roll printers).
    bool PageMode() const { return report_.PageMode; }
    void SetPageMode(bool on) { report_.PageMode = on; }
    Report& LoadedReport() { return report_; }

private:
    Report& report_;
};

// A first page after the last one is a PrintError.
void CheckPageRange(const PrinterSettings& settings);
// Renders the pages `produce` sends, only those of the settings' page range, to a temporary
// PDF and sends that to the settings' destination ("file": their path, or `defaultFile`).
// A range that holds none of the pages is a PrintError and nothing is sent.
void PrintPages(const std::function<void(PageSink&)>& produce, const PrinterSettings& settings,
                const std::string& title, const std::string& defaultFile);
// Prints a preview's kept pages (the preview window's print button).
void PrintPreviewDocument(const PreviewDocument& doc, const PrinterSettings& settings);

class TReportPrinterDialog : public vcl::TComponent {
public:
    explicit TReportPrinterDialog(vcl::TComponent* AOwner);
    ~TReportPrinterDialog() override;

    // Published properties. ShowFilterBeforePrint, UseDataModules, SaveLoadPrinterSetup and
    // UsePrinterSettings are kept for the dialogs that set them; this engine has no filter
    // dialog, data modules or stored printer set-up, so they change nothing. PrintIfEmpty
    // (not the layout's attribute) decides whether an empty report prints its headings.
    bool PrintIfEmpty = true;
    bool ShowFilterBeforePrint = false;
    bool UseDataModules = false;
    bool SaveLoadPrinterSetup = false;
    bool UsePrinterSettings = false;
    bool UseModalPreview = false;
    int Copies = 1;
    // A print request in the preview comes back to this dialog: PrintRequested() turns true
    // and OnPreviewPrint runs.
    bool PrintFromPreview = false;

    // Events.
    std::function<void(Dataset& dataset, Params& params)> BeforeGetQueryParams;
    std::function<void(Dataset& dataset)> BeforeOpenDataset;
    std::function<void(Report& report)> AfterReportLoaded;
    std::function<void(PrintJob& job)> BeforePrint;
    std::function<void(Band& band, bool& printBand)> BandBeforePrint;
    std::function<void()> AfterReportFormCreated;
    std::function<void()> OnPreviewPrint;

    // Where layout datasets come from; the dialog does not own it. Required before Preview.
    void SetDatasetFactory(DatasetFactory* factory) { factory_ = factory; }
    FormatSettings Formats;
    PrinterSettings Printer;

    // Previews the layout at `path`: the "VistaPrevia" form holds every page on return.
    // LayoutError, DatasetError and PrintError reach the caller.
    void Preview(const std::string& path);
    // Prints the layout with the current printer settings.
    void Print(const std::string& path);
    // The set-up form (TfrmPrinterSetup) played by the driver; false when cancelled, and
    // nothing changes then.
    bool PrinterSetup();
    bool PrintRequested() const { return printRequested_; }

private:
    struct Prepared;
    std::unique_ptr<Prepared> Prepare(const std::string& path);
    int Produce(Prepared& run, PageSink& sink);

    DatasetFactory* factory_ = nullptr;
    bool printRequested_ = false;
    std::shared_ptr<bool> alive_;
};

}  // namespace report
