// Drawing pages with cairo and pango: to a PDF file, page by page as they arrive (nothing is
// kept after a page is drawn), and to one PNG image per page.
// Not here: layout (engine.h) or fixed-pitch text (render_text.h).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/3_report/page.h"

namespace report {

class PdfRenderer : public PageSink {
public:
    // Opens `path` for writing; a failure is a std::runtime_error in Spanish.
    explicit PdfRenderer(const std::string& path, std::string title = {});
    ~PdfRenderer() override;
    void AddPage(const Page& page) override;
    void EndDocument() override;  // closes the file; also done by the destructor
    int Pages() const;

private:
    struct State;
    std::unique_ptr<State> s_;
};

// Writes each page as `<prefix>-NNNN.png` at `dpi` dots per inch.
class PngRenderer : public PageSink {
public:
    PngRenderer(std::string prefix, double dpi = 96);
    ~PngRenderer() override;
    void AddPage(const Page& page) override;
    // Paths written so far.
    const std::vector<std::string>& Files() const { return files_; }

private:
    std::string prefix_;
    double dpi_;
    std::vector<std::string> files_;
};

// Sends every page to several sinks (PDF, PNG and text of one preview).
class TeeSink : public PageSink {
public:
    void Add(PageSink& sink) { sinks_.push_back(&sink); }
    void BeginDocument(int pageCount) override { for (auto* s : sinks_) s->BeginDocument(pageCount); }
    void AddPage(const Page& page) override { for (auto* s : sinks_) s->AddPage(page); }
    void EndDocument() override { for (auto* s : sinks_) s->EndDocument(); }

private:
    std::vector<PageSink*> sinks_;
};

}  // namespace report
