// A page spool: pages written to a temporary file as they are laid out and read back one at a
// time once the page count is known, so "Página N de M" needs neither a second layout pass
// (which would raise the band events twice) nor all pages in memory.
// Not here: layout (engine.cpp) or drawing (render_*.cpp).
#pragma once

#include <cstdio>

#include "platform/3_report/page.h"

namespace report {

class PageSpool : public PageSink {
public:
    PageSpool();
    ~PageSpool() override;
    PageSpool(const PageSpool&) = delete;
    PageSpool& operator=(const PageSpool&) = delete;

    void AddPage(const Page& page) override;
    int PageCount() const { return pages_; }
    // Sends every spooled page to `sink`, the page-count mark replaced by the count.
    void Replay(PageSink& sink);

private:
    std::FILE* file_;
    int pages_ = 0;
};

}  // namespace report
