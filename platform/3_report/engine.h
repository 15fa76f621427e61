// The band engine: lays a loaded report out over its open datasets, page by page, and hands
// each page to a sink as soon as it is complete. Groups break on their expression, totals
// accumulate per row and reset per group, page or report, sub-details re-open per master row.
// Not here: opening datasets and the dialog events (printer_dialog.h), drawing (render_*.h).
#pragma once

#include <functional>

#include "platform/3_report/mask.h"
#include "platform/3_report/page.h"
#include "platform/3_report/report.h"

namespace report {

struct EngineOptions {
    bool printIfEmpty = true;
    // Raised before each band prints; clearing the flag skips the band.
    std::function<void(Band& band, bool& printBand)> bandBeforePrint;
    double now = 0;  // TDateTime for DATE, TIME and the system data items
    FormatSettings formats;
};

struct RunResult {
    int pages = 0;
    bool empty = false;  // the main dataset had no rows
};

// Lays the report out into `sink`. The report's datasets must be open. Unknown fields and
// datasets raise LayoutError naming the layout line; dataset failures raise DatasetError.
// When the layout shows the page count the pages pass through a PageSpool first.
RunResult RunReport(Report& report, const EngineOptions& options, PageSink& sink);

}  // namespace report
