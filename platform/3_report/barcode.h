// Bar-code symbols encoded through zint: the dark and light modules of each row, which the
// engine turns into bars and a handler can draw into an image's canvas.
// Not here: drawing (canvas.cpp) or the bar-code item of a layout (item.h).
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace report {

enum class Symbology { Ean13, Ean8, UpcA, Code128, Code39, Interleaved2of5, Qr };

// The symbology by its layout name ("EAN13", "CODE128", "CODE39", ...), ignoring case.
std::optional<Symbology> SymbologyFromName(std::string_view name);
std::string_view SymbologyName(Symbology s);

struct BarcodeSymbol {
    std::vector<std::string> rows;  // one string per row: '1' dark module, '0' light
    std::string text;               // human-readable text, as the symbology prints it
    int Width() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
};

// Raised for data a symbology cannot encode; the message is the Spanish text shown to the user.
class BarcodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

BarcodeSymbol EncodeBarcode(Symbology symbology, std::string_view data);

}  // namespace report
