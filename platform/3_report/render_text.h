// Fixed-pitch rendering: each page's text laid out on a character grid, for ticket and roll
// printers (40 columns) and for reading a report as plain text. Pages are separated by a form
// feed line; a continuous report is one page.
// Not here: proportional drawing (render_pdf.h).
#pragma once

#include <ostream>
#include <string>

#include "platform/3_report/page.h"
#include "platform/3_report/report.h"

namespace report {

class TextRenderer : public PageSink {
public:
    TextRenderer(const PageSetup& setup, std::ostream& out);
    void AddPage(const Page& page) override;
    int Columns() const { return columns_; }

private:
    PageSetup setup_;
    std::ostream& out_;
    int columns_;
    double columnWidth_;
    int pages_ = 0;
};

// Number of code points of UTF-8 text; grid widths count these, not bytes.
std::size_t CodePoints(std::string_view text);

}  // namespace report
