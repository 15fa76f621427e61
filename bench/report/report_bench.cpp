// A dense report (63 rows of six cells a page, a page header with "Página N de M") rendered to
// PDF by the engine, side by side with a bare cairo + pango program that draws the same text
// at the same places. Reports pages per second, the engine/bare time ratio and the peak
// resident memory after 100 and after 1,000 pages (rows are generated, not held, so memory
// shows what rendering keeps).
#include <benchmark/benchmark.h>

#include <cairo-pdf.h>
#include <pango/pangocairo.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/3_report/engine.h"
#include "platform/3_report/layout.h"
#include "platform/3_report/render_pdf.h"
#include "platform/1_text/format.h"
#include "platform/2_shell/folders.h"

namespace {

constexpr int kRowsPerPage = 63;  // what fits under the page header of an A4 page
constexpr double kRowHeight = 4.233;
constexpr double kMm = 72.0 / 25.4;

// Row i of the generated data, as the layout prints it.
std::string Code(long i) { char b[32]; std::snprintf(b, sizeof b, "P%06ld", i); return b; }
std::string Name(long i) { return "Producto de prueba " + std::to_string(i % 977); }
double Qty(long i) { return static_cast<double>(i % 37) + 0.5; }
double Price(long i) { return static_cast<double>(i % 1000) * 1.37 + 10; }

class GeneratedCursor : public report::Cursor {
public:
    explicit GeneratedCursor(long rows) : rows_(rows) {}
    void First() override { pos_ = 0; }
    void Next() override { if (pos_ < rows_) ++pos_; }
    void Prior() override { if (pos_ > 0) --pos_; }
    bool Eof() const override { return pos_ >= rows_; }
    bool Bof() const override { return pos_ == 0; }
    int FieldCount() const override { return 5; }
    std::string FieldName(int i) const override { return kNames[i]; }
    int FieldIndex(std::string_view n) const override {
        for (int i = 0; i < 5; ++i) if (n == kNames[i]) return i;
        return -1;
    }
    report::Value Get(int i) const override {
        switch (i) {
            case 0: return Code(pos_);
            case 1: return Name(pos_);
            case 2: return Qty(pos_);
            case 3: return Price(pos_);
            default: return Qty(pos_) * Price(pos_);
        }
    }

private:
    static constexpr const char* kNames[5] = {"Codigo", "Nombre", "Cant", "Precio", "Importe"};
    long rows_, pos_ = 0;
};

class GeneratedDataset : public report::Dataset {
public:
    GeneratedDataset(const report::DatasetDef& d, long rows) : Dataset(d), cursor_(rows) {}
    report::Cursor& Rows() override { return cursor_; }

protected:
    void DoOpen() override {}
    void DoClose() override {}
    void DoOpenForMaster(const std::vector<report::Value>&) override {}

private:
    GeneratedCursor cursor_;
};

class Factory : public report::DatasetFactory {
public:
    long rows = 0;
    std::unique_ptr<report::Dataset> Create(const report::DatasetDef& d) override {
        return std::make_unique<GeneratedDataset>(d, rows);
    }
};

const char* kLayout = R"xml(<report name="Denso">
  <page size="A4" left="10" top="10" right="10" bottom="10"/>
  <datasets><query name="Q"/></datasets>
  <bands dataset="Q">
    <pageheader height="8.466">
      <label left="0" top="0" width="100" caption="Reporte denso de prueba"/>
      <expr left="140" top="0" width="50" align="right" expression="'Página ' + PAGENUMBER + ' de ' + PAGECOUNT"/>
    </pageheader>
    <detail height="4.233">
      <field left="0" top="0" width="25" field="Codigo" size="8"/>
      <field left="25" top="0" width="60" field="Nombre" size="8"/>
      <field left="85" top="0" width="20" align="right" field="Cant" mask="#0.00" size="8"/>
      <field left="105" top="0" width="30" align="right" field="Precio" mask="$ ###,##0.00" size="8"/>
      <field left="135" top="0" width="35" align="right" field="Importe" mask="$ ###,##0.00" size="8"/>
      <expr left="170" top="0" width="20" align="right" expression="IF(Cant > 20, 'alto', 'bajo')" size="8"/>
    </detail>
  </bands>
</report>)xml";

long PeakRssKb() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

std::string OutPath(const char* what) {
    return (std::filesystem::path(shell::TempFolder()) / (std::string("razir-bench-") + what + ".pdf")).string();
}


void BM_EnginePdf(benchmark::State& state) {
    const long pages = state.range(0);
    Factory factory;
    factory.rows = pages * kRowsPerPage;
    int produced = 0;
    for (auto _ : state) {
        auto rep = report::ParseLayout(kLayout, "Denso.QR2", factory);
        for (auto& d : rep->Datasets()) d->Open();
        report::PdfRenderer pdf(OutPath("engine"));
        produced = report::RunReport(*rep, {}, pdf).pages;
    }
    state.counters["pages"] = produced;
    state.counters["pages_per_s"] = benchmark::Counter(static_cast<double>(produced) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["peak_rss_mb"] = PeakRssKb() / 1024.0;
}

// The same cells drawn directly: one reused PangoLayout, fonts described once.
void BM_BarePdf(benchmark::State& state) {
    const long pages = state.range(0);
    const text::FormatSettings fs;
    for (auto _ : state) {
        cairo_surface_t* s = cairo_pdf_surface_create(OutPath("bare").c_str(), 210 * kMm, 297 * kMm);
        cairo_t* cr = cairo_create(s);
        PangoLayout* layout = pango_cairo_create_layout(cr);
        PangoFontDescription* big = pango_font_description_from_string("DejaVu Sans");
        pango_font_description_set_absolute_size(big, 10 * PANGO_SCALE);
        PangoFontDescription* small = pango_font_description_copy(big);
        pango_font_description_set_absolute_size(small, 8 * PANGO_SCALE);
        auto cell = [&](double x, double y, double w, const std::string& t, bool right) {
            pango_layout_set_text(layout, t.data(), static_cast<int>(t.size()));
            int tw, th;
            pango_layout_get_size(layout, &tw, &th);
            double px = x * kMm + (right ? w * kMm - static_cast<double>(tw) / PANGO_SCALE : 0);
            cairo_move_to(cr, px, y * kMm);
            pango_cairo_show_layout(cr, layout);
        };
        long row = 0;
        for (long p = 1; p <= pages; ++p) {
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_paint(cr);
            cairo_set_source_rgb(cr, 0, 0, 0);
            pango_layout_set_font_description(layout, big);
            cell(10, 10, 100, "Reporte denso de prueba", false);
            cell(150, 10, 50, "Página " + std::to_string(p) + " de " + std::to_string(pages), true);
            pango_layout_set_font_description(layout, small);
            for (int r = 0; r < kRowsPerPage; ++r, ++row) {
                double y = 10 + 8.466 + r * kRowHeight;
                cell(10, y, 25, Code(row), false);
                cell(35, y, 60, Name(row), false);
                cell(95, y, 20, text::FormatFloat("#0.00", Qty(row), fs), true);
                cell(115, y, 30, text::FormatFloat("$ ###,##0.00", Price(row), fs), true);
                cell(145, y, 35, text::FormatFloat("$ ###,##0.00", Qty(row) * Price(row), fs), true);
                cell(180, y, 20, Qty(row) > 20 ? "alto" : "bajo", true);
            }
            cairo_show_page(cr);
        }
        pango_font_description_free(big);
        pango_font_description_free(small);
        g_object_unref(layout);
        cairo_destroy(cr);
        cairo_surface_finish(s);
        cairo_surface_destroy(s);
    }
    state.counters["pages_per_s"] = benchmark::Counter(static_cast<double>(pages) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["peak_rss_mb"] = PeakRssKb() / 1024.0;
}

}  // namespace

// Engine first, 100 then 1,000 pages, so the peak after each shows whether memory grows
// with pages; the bare program runs after both.
BENCHMARK(BM_EnginePdf)->Arg(100)->Arg(1000)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_BarePdf)->Arg(100)->Arg(1000)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK_MAIN();
