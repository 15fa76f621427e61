// The page model: what the engine lays out and the renderers draw. Positions and sizes are in
// millimetres from the page's top-left corner, font sizes in points.
// Not here: how pages are drawn (render_pdf.h, render_text.h) or laid out (engine.h).
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace report {

enum class Align { Left, Center, Right };

struct Font {
    std::string family = "DejaVu Sans";
    double size = 10;  // points
    bool bold = false;
    bool italic = false;
    friend bool operator==(const Font&, const Font&) = default;
};

struct TextElement {
    double x = 0, y = 0, width = 0, height = 0;
    std::string text;
    Font font;
    Align align = Align::Left;
    bool wordWrap = false;
    bool autoSize = false;  // drawn at its natural width, not clipped to `width`
};

struct LineElement {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double penWidth = 0.2;
};

struct RectElement {
    double x = 0, y = 0, width = 0, height = 0;
    double penWidth = 0.2;
    bool filled = false;
    std::uint32_t color = 0x000000;  // 0xRRGGBB, fill or pen
};

// A bitmap of width*height pixels, 0xAARRGGBB each, stretched over the box.
struct BitmapElement {
    double x = 0, y = 0, width = 0, height = 0;
    int pixelWidth = 0, pixelHeight = 0;
    std::vector<std::uint32_t> pixels;
};

// A PNG file from the layout (a logo), scaled over the box.
struct PictureElement {
    double x = 0, y = 0, width = 0, height = 0;
    std::string path;
};

using Element = std::variant<TextElement, LineElement, RectElement, BitmapElement, PictureElement>;

struct Page {
    int number = 0;           // 1-based
    double width = 0, height = 0;
    std::vector<Element> elements;
};

// Text of a page-count reference not yet known while pages are laid out; the spooler puts the
// count in its place before the page reaches a renderer.
inline constexpr const char* kPageCountMark = "\x1e#PAGES#\x1e";

// Receives pages in order as they are laid out; a page is not kept after the call returns.
class PageSink {
public:
    virtual ~PageSink() = default;
    virtual void BeginDocument(int pageCount) { (void)pageCount; }  // pageCount 0 when unknown
    virtual void AddPage(const Page& page) = 0;
    virtual void EndDocument() {}
};

}  // namespace report
