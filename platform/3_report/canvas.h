// The drawing surface of an image item: a handler (a band event, for example) draws lines,
// rectangles, text, bitmaps and bar codes into it, in millimetres from the image's top-left
// corner; the engine copies what is drawn into the page each time the image's band prints.
// Not here: rasterising (render_pdf.cpp).
#pragma once

#include <vector>

#include "platform/3_report/page.h"

namespace report {

struct BarcodeSymbol;

class Canvas {
public:
    void Clear() { ops_.clear(); }
    void Line(double x1, double y1, double x2, double y2, double penWidth = 0.2);
    void Rectangle(double x, double y, double width, double height, bool filled = false,
                   std::uint32_t color = 0x000000);
    void Text(double x, double y, double width, double height, std::string text, Font font = {},
              Align align = Align::Left);
    void Bitmap(double x, double y, double width, double height, int pixelWidth, int pixelHeight,
                std::vector<std::uint32_t> pixels);
    // Bars of an encoded symbol over the box, one rectangle per run of dark modules, and the
    // symbol's text under them when `withText`.
    void Barcode(double x, double y, double width, double height, const BarcodeSymbol& symbol,
                 bool withText = true);

    bool Empty() const { return ops_.empty(); }
    // The drawn elements in image coordinates.
    const std::vector<Element>& Elements() const { return ops_; }

private:
    std::vector<Element> ops_;
};

}  // namespace report
