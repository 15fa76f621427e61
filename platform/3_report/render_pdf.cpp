// cairo + pango drawing of the page model. Text is laid out with one reused PangoLayout and a
// cache of font descriptions, since a dense report draws tens of thousands of cells; the
// alignment inside a cell is computed from the measured width, so pango never wraps a cell
// that is not meant to wrap.
#include "platform/3_report/render_pdf.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <stdexcept>

namespace report {
namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

class Painter {
public:
    ~Painter() {
        if (layout_) g_object_unref(layout_);
        for (auto& [k, d] : fonts_) pango_font_description_free(d);
        for (auto& [k, s] : pictures_) if (s) cairo_surface_destroy(s);
    }

    // Draws onto `cr`, whose user space is points.
    void Draw(cairo_t* cr, const Page& page) {
        if (!layout_ || cr != cr_) {
            if (layout_) g_object_unref(layout_);
            layout_ = pango_cairo_create_layout(cr);
            cr_ = cr;
        }
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        cairo_set_source_rgb(cr, 0, 0, 0);
        for (const Element& e : page.elements) std::visit([&](const auto& el) { DrawOne(cr, el); }, e);
    }

private:
    static double P(double mm) { return mm * kPointsPerMm; }

    PangoFontDescription* FontFor(const Font& f) {
        std::string key = f.family + '|' + std::to_string(f.size) + (f.bold ? "b" : "") + (f.italic ? "i" : "");
        auto it = fonts_.find(key);
        if (it != fonts_.end()) return it->second;
        PangoFontDescription* d = pango_font_description_new();
        pango_font_description_set_family(d, f.family.c_str());
        pango_font_description_set_absolute_size(d, f.size * PANGO_SCALE);
        pango_font_description_set_weight(d, f.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
        pango_font_description_set_style(d, f.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
        fonts_.emplace(key, d);
        return d;
    }

    void DrawOne(cairo_t* cr, const TextElement& t) {
        if (t.text.empty()) return;
        pango_layout_set_font_description(layout_, FontFor(t.font));
        if (t.wordWrap) {
            pango_layout_set_width(layout_, static_cast<int>(P(t.width) * PANGO_SCALE));
            pango_layout_set_wrap(layout_, PANGO_WRAP_WORD_CHAR);
            pango_layout_set_alignment(layout_, t.align == Align::Right ? PANGO_ALIGN_RIGHT
                                               : t.align == Align::Center ? PANGO_ALIGN_CENTER : PANGO_ALIGN_LEFT);
        } else {
            pango_layout_set_width(layout_, -1);
            pango_layout_set_alignment(layout_, PANGO_ALIGN_LEFT);
        }
        pango_layout_set_text(layout_, t.text.data(), static_cast<int>(t.text.size()));
        int w = 0, h = 0;
        pango_layout_get_size(layout_, &w, &h);
        double textWidth = static_cast<double>(w) / PANGO_SCALE;
        double x = P(t.x);
        if (!t.wordWrap && !t.autoSize) {
            if (t.align == Align::Right) x += P(t.width) - textWidth;
            else if (t.align == Align::Center) x += (P(t.width) - textWidth) / 2;
        }
        bool clip = !t.autoSize && (textWidth > P(t.width) + 0.5 || static_cast<double>(h) / PANGO_SCALE > P(t.height) + 0.5) && t.width > 0;
        if (clip) {
            cairo_save(cr);
            cairo_rectangle(cr, P(t.x), P(t.y), P(t.width), P(t.height));
            cairo_clip(cr);
        }
        cairo_move_to(cr, x, P(t.y));
        pango_cairo_show_layout(cr, layout_);
        if (clip) cairo_restore(cr);
    }

    void DrawOne(cairo_t* cr, const LineElement& l) {
        cairo_set_line_width(cr, P(l.penWidth));
        cairo_move_to(cr, P(l.x1), P(l.y1));
        cairo_line_to(cr, P(l.x2), P(l.y2));
        cairo_stroke(cr);
    }

    void DrawOne(cairo_t* cr, const RectElement& r) {
        cairo_set_source_rgb(cr, ((r.color >> 16) & 0xFF) / 255.0, ((r.color >> 8) & 0xFF) / 255.0, (r.color & 0xFF) / 255.0);
        cairo_rectangle(cr, P(r.x), P(r.y), P(r.width), P(r.height));
        if (r.filled) cairo_fill(cr);
        else {
            cairo_set_line_width(cr, P(r.penWidth));
            cairo_stroke(cr);
        }
        cairo_set_source_rgb(cr, 0, 0, 0);
    }

    void Paint(cairo_t* cr, cairo_surface_t* s, double x, double y, double width, double height, int pw, int ph) {
        if (pw <= 0 || ph <= 0) return;
        cairo_save(cr);
        cairo_translate(cr, P(x), P(y));
        cairo_scale(cr, P(width) / pw, P(height) / ph);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    }

    void DrawOne(cairo_t* cr, const BitmapElement& b) {
        if (b.pixels.size() < static_cast<std::size_t>(b.pixelWidth) * static_cast<std::size_t>(b.pixelHeight)) return;
        int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, b.pixelWidth);
        std::vector<unsigned char> data(static_cast<std::size_t>(stride) * static_cast<std::size_t>(b.pixelHeight));
        for (int row = 0; row < b.pixelHeight; ++row)
            std::memcpy(data.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(stride),
                        b.pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(b.pixelWidth),
                        static_cast<std::size_t>(b.pixelWidth) * 4);
        cairo_surface_t* s = cairo_image_surface_create_for_data(data.data(), CAIRO_FORMAT_ARGB32, b.pixelWidth, b.pixelHeight, stride);
        Paint(cr, s, b.x, b.y, b.width, b.height, b.pixelWidth, b.pixelHeight);
        cairo_surface_destroy(s);
    }

    void DrawOne(cairo_t* cr, const PictureElement& p) {
        auto it = pictures_.find(p.path);
        if (it == pictures_.end()) {
            cairo_surface_t* s = cairo_image_surface_create_from_png(p.path.c_str());
            if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
                cairo_surface_destroy(s);
                s = nullptr;  // a missing logo leaves its box empty
            }
            it = pictures_.emplace(p.path, s).first;
        }
        if (!it->second) return;
        Paint(cr, it->second, p.x, p.y, p.width, p.height, cairo_image_surface_get_width(it->second),
              cairo_image_surface_get_height(it->second));
    }

    cairo_t* cr_ = nullptr;
    PangoLayout* layout_ = nullptr;
    std::map<std::string, PangoFontDescription*> fonts_;
    std::map<std::string, cairo_surface_t*> pictures_;
};

}  // namespace

struct PdfRenderer::State {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    Painter painter;
    int pages = 0;
};

PdfRenderer::PdfRenderer(const std::string& path, std::string title) : s_(std::make_unique<State>()) {
    s_->surface = cairo_pdf_surface_create(path.c_str(), 595, 842);
    if (cairo_surface_status(s_->surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s_->surface);
        s_->surface = nullptr;
        throw std::runtime_error("No es posible crear el archivo \"" + path + "\"");
    }
    if (!title.empty()) cairo_pdf_surface_set_metadata(s_->surface, CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_pdf_surface_set_metadata(s_->surface, CAIRO_PDF_METADATA_CREATOR, "Razir");
    s_->cr = cairo_create(s_->surface);
}

PdfRenderer::~PdfRenderer() { EndDocument(); }

void PdfRenderer::AddPage(const Page& page) {
    if (!s_->cr) return;
    cairo_pdf_surface_set_size(s_->surface, page.width * kPointsPerMm, page.height * kPointsPerMm);
    s_->painter.Draw(s_->cr, page);
    cairo_show_page(s_->cr);
    ++s_->pages;
}

void PdfRenderer::EndDocument() {
    if (!s_ || !s_->surface) return;
    cairo_destroy(s_->cr);
    s_->cr = nullptr;
    cairo_surface_finish(s_->surface);
    cairo_surface_destroy(s_->surface);
    s_->surface = nullptr;
}

int PdfRenderer::Pages() const { return s_->pages; }

PngRenderer::PngRenderer(std::string prefix, double dpi) : prefix_(std::move(prefix)), dpi_(dpi) {}

PngRenderer::~PngRenderer() = default;

void PngRenderer::AddPage(const Page& page) {
    const double scale = dpi_ / 72.0;
    int w = static_cast<int>(page.width * kPointsPerMm * scale + 0.5);
    int h = static_cast<int>(page.height * kPointsPerMm * scale + 0.5);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    // A fresh painter context per page: its layout is bound to this page's cairo context.
    Painter painter;
    painter.Draw(cr, page);
    cairo_destroy(cr);
    char name[32];
    std::snprintf(name, sizeof name, "-%04d.png", page.number);
    std::string path = prefix_ + name;
    cairo_status_t st = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (st != CAIRO_STATUS_SUCCESS) throw std::runtime_error("No es posible escribir la imagen \"" + path + "\"");
    files_.push_back(path);
}

}  // namespace report
