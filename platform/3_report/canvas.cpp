// Recording of canvas drawing as page elements.
#include "platform/3_report/canvas.h"

#include "platform/3_report/barcode.h"

namespace report {

void Canvas::Line(double x1, double y1, double x2, double y2, double penWidth) {
    ops_.push_back(LineElement{x1, y1, x2, y2, penWidth});
}

void Canvas::Rectangle(double x, double y, double width, double height, bool filled,
                       std::uint32_t color) {
    ops_.push_back(RectElement{x, y, width, height, 0.2, filled, color});
}

void Canvas::Text(double x, double y, double width, double height, std::string text, Font font,
                  Align align) {
    TextElement t;
    t.x = x; t.y = y; t.width = width; t.height = height;
    t.text = std::move(text);
    t.font = std::move(font);
    t.align = align;
    ops_.push_back(std::move(t));
}

void Canvas::Bitmap(double x, double y, double width, double height, int pixelWidth,
                    int pixelHeight, std::vector<std::uint32_t> pixels) {
    ops_.push_back(BitmapElement{x, y, width, height, pixelWidth, pixelHeight, std::move(pixels)});
}

void Canvas::Barcode(double x, double y, double width, double height, const BarcodeSymbol& symbol,
                     bool withText) {
    if (symbol.rows.empty() || symbol.Width() == 0) return;
    const double textHeight = withText && !symbol.text.empty() ? std::min(3.5, height / 3) : 0;
    const double barsHeight = height - textHeight;
    const double module = width / symbol.Width();
    const double rowHeight = barsHeight / static_cast<double>(symbol.rows.size());
    for (std::size_t r = 0; r < symbol.rows.size(); ++r) {
        const std::string& row = symbol.rows[r];
        for (std::size_t c = 0; c < row.size();) {
            if (row[c] != '1') { ++c; continue; }
            std::size_t end = c;
            while (end < row.size() && row[end] == '1') ++end;
            Rectangle(x + c * module, y + r * rowHeight, (end - c) * module, rowHeight, true);
            c = end;
        }
    }
    if (textHeight > 0) {
        Font font;
        font.size = textHeight * 72 / 25.4 * 0.8;
        Text(x, y + barsHeight, width, textHeight, symbol.text, font, Align::Center);
    }
}

}  // namespace report
