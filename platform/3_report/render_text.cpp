// Character-grid rendering. An element's left edge picks its column and its top its line
// (nearest cell); its width in columns cuts or pads the text by its alignment. Horizontal
// lines become runs of "-"; other drawing has no text form and is left out.
#include "platform/3_report/render_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/1_text/utf8.h"

namespace report {

std::size_t CodePoints(std::string_view text) { return text::Utf8Length(text); }

namespace {

// Splits UTF-8 text into its code points; a line break stays one only for wrapped text.
std::vector<std::string> Chars(std::string_view text, bool saltos = false) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = std::max<std::size_t>(1, std::min(text::Utf8CharSize(text, i), text.size() - i));
        std::string ch(text.substr(i, len));
        if ((ch == "\n" && !saltos) || ch == "\r" || ch == "\t") ch = " ";
        out.push_back(std::move(ch));
        i += len;
    }
    return out;
}

std::vector<std::vector<std::string>> Wrap(const std::vector<std::string>& chars, int width) {
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> line;
    std::size_t i = 0;
    while (i < chars.size()) {
        std::size_t end = std::min(chars.size(), i + static_cast<std::size_t>(width));
        // A line break inside the width ends the line there, as the PDF does (memos).
        // A line that fills the width exactly and then breaks is one line, not two.
        const auto hasta = chars.begin() + static_cast<std::ptrdiff_t>(std::min(chars.size(), end + 1));
        const auto salto = std::find(chars.begin() + static_cast<std::ptrdiff_t>(i), hasta, "\n");
        if (salto != hasta) {
            lines.emplace_back(chars.begin() + static_cast<std::ptrdiff_t>(i), salto);
            i = static_cast<std::size_t>(salto - chars.begin()) + 1;
            continue;
        }
        if (end < chars.size()) {
            // Break at the last space inside the width when there is one.
            std::size_t cut = end;
            while (cut > i && chars[cut] != " ") --cut;
            if (cut > i) end = cut;
        }
        lines.emplace_back(chars.begin() + static_cast<std::ptrdiff_t>(i), chars.begin() + static_cast<std::ptrdiff_t>(end));
        i = end;
        while (i < chars.size() && chars[i] == " ") ++i;
    }
    return lines;
}

}  // namespace

TextRenderer::TextRenderer(const PageSetup& setup, std::ostream& out) : setup_(setup), out_(out) {
    double printable = setup.width - setup.marginLeft - setup.marginRight;
    columns_ = setup.columns > 0 ? setup.columns : std::max(1, static_cast<int>(std::floor(printable / 2.54 + 1e-6)));
    columnWidth_ = printable / columns_;
}

void TextRenderer::AddPage(const Page& page) {
    const double lh = setup_.lineHeight;
    int rows = std::max(1, static_cast<int>(std::ceil((page.height - setup_.marginTop - setup_.marginBottom) / lh - 1e-6)));
    std::vector<std::vector<std::string>> grid(static_cast<std::size_t>(rows),
                                               std::vector<std::string>(static_cast<std::size_t>(columns_), " "));
    auto cell = [&](double v, double origin, double size) { return static_cast<int>(std::lround((v - origin) / size)); };
    auto put = [&](int row, int col, const std::vector<std::string>& chars) {
        if (row < 0 || row >= rows) return;
        for (std::size_t k = 0; k < chars.size(); ++k) {
            int c = col + static_cast<int>(k);
            if (c >= 0 && c < columns_) grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(c)] = chars[k];
        }
    };
    for (const Element& e : page.elements) {
        if (auto* t = std::get_if<TextElement>(&e)) {
            int col = cell(t->x, setup_.marginLeft, columnWidth_);
            int row = cell(t->y, setup_.marginTop, lh);
            int width = std::max(1, static_cast<int>(std::lround(t->width / columnWidth_)));
            std::vector<std::string> chars = Chars(t->text, t->wordWrap);
            if (t->autoSize) width = std::max(width, static_cast<int>(chars.size()));
            int lines = std::max(1, static_cast<int>(std::lround(t->height / lh)));
            std::vector<std::vector<std::string>> wrapped =
                t->wordWrap ? Wrap(chars, width) : std::vector<std::vector<std::string>>{chars};
            for (int l = 0; l < static_cast<int>(wrapped.size()) && l < (t->wordWrap ? lines : 1); ++l) {
                std::vector<std::string> text = wrapped[static_cast<std::size_t>(l)];
                if (static_cast<int>(text.size()) > width) {
                    // Numbers aligned right keep their last digits; other text its start.
                    if (t->align == Align::Right) text.erase(text.begin(), text.end() - width);
                    else text.resize(static_cast<std::size_t>(width));
                }
                int pad = width - static_cast<int>(text.size());
                int offset = t->align == Align::Right ? pad : (t->align == Align::Center ? pad / 2 : 0);
                put(row + l, col + offset, text);
            }
        } else if (auto* ln = std::get_if<LineElement>(&e)) {
            if (std::fabs(ln->y1 - ln->y2) > 1e-6) continue;
            int row = cell(ln->y1 - lh / 2, setup_.marginTop, lh);
            int c1 = cell(std::min(ln->x1, ln->x2), setup_.marginLeft, columnWidth_);
            int c2 = cell(std::max(ln->x1, ln->x2), setup_.marginLeft, columnWidth_);
            put(row, c1, std::vector<std::string>(static_cast<std::size_t>(std::max(0, c2 - c1)), "-"));
        }
    }
    if (pages_++ > 0) out_ << "\f\n";
    // Trailing spaces and trailing empty lines carry nothing.
    std::vector<std::string> lines;
    for (const auto& row : grid) {
        std::string s;
        for (const auto& ch : row) s += ch;
        s.erase(s.find_last_not_of(' ') + 1);
        lines.push_back(std::move(s));
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    for (const std::string& l : lines) out_ << l << '\n';
}

}  // namespace report
