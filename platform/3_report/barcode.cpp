// Encoding through zint: the symbol's module matrix is read back row by row.
// zint keeps the modules of a row bit-packed in encoded_data, eight to a byte, low bit first.
#include "platform/3_report/barcode.h"

#include <zint.h>

#include <memory>

#include "platform/3_report/names.h"

namespace report {
namespace {

struct Entry {
    std::string_view name;
    Symbology symbology;
    int zint;
};

constexpr Entry kSymbologies[] = {
    {"EAN13", Symbology::Ean13, BARCODE_EANX},
    {"EAN8", Symbology::Ean8, BARCODE_EANX},
    {"UPCA", Symbology::UpcA, BARCODE_UPCA},
    {"CODE128", Symbology::Code128, BARCODE_CODE128},
    {"CODE39", Symbology::Code39, BARCODE_CODE39},
    {"ITF", Symbology::Interleaved2of5, BARCODE_C25INTER},
    {"QR", Symbology::Qr, BARCODE_QRCODE},
};

bool ModuleSet(const zint_symbol* s, int row, int col) {
    return (s->encoded_data[row][col >> 3] >> (col & 7)) & 1;
}

struct SymbolDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

}  // namespace

std::optional<Symbology> SymbologyFromName(std::string_view name) {
    for (const Entry& e : kSymbologies)
        if (SameName(e.name, name)) return e.symbology;
    return std::nullopt;
}

std::string_view SymbologyName(Symbology s) {
    for (const Entry& e : kSymbologies)
        if (e.symbology == s) return e.name;
    return {};
}

BarcodeSymbol EncodeBarcode(Symbology symbology, std::string_view data) {
    const Entry* entry = nullptr;
    for (const Entry& e : kSymbologies)
        if (e.symbology == symbology) entry = &e;
    if (data.empty()) throw BarcodeError("No hay datos para el código de barras");
    // EAN-8 and EAN-13 share zint's EANX: the digit count chooses, so refuse the wrong length.
    std::size_t digits = data.size();
    if (symbology == Symbology::Ean13 && digits != 12 && digits != 13)
        throw BarcodeError("El código EAN-13 requiere 12 o 13 dígitos: \"" + std::string(data) + "\"");
    if (symbology == Symbology::Ean8 && digits != 7 && digits != 8)
        throw BarcodeError("El código EAN-8 requiere 7 u 8 dígitos: \"" + std::string(data) + "\"");

    std::unique_ptr<zint_symbol, SymbolDeleter> sym(ZBarcode_Create());
    if (!sym) throw BarcodeError("No hay memoria para el código de barras");
    sym->symbology = entry->zint;
    sym->input_mode = UNICODE_MODE;
    int rc = ZBarcode_Encode(sym.get(), reinterpret_cast<const unsigned char*>(data.data()),
                             static_cast<int>(data.size()));
    if (rc >= ZINT_ERROR)
        throw BarcodeError("No es posible codificar \"" + std::string(data) + "\" como " +
                           std::string(entry->name) + ": " + sym->errtxt);
    BarcodeSymbol out;
    for (int r = 0; r < sym->rows; ++r) {
        std::string row(static_cast<std::size_t>(sym->width), '0');
        for (int c = 0; c < sym->width; ++c)
            if (ModuleSet(sym.get(), r, c)) row[static_cast<std::size_t>(c)] = '1';
        out.rows.push_back(std::move(row));
    }
    out.text = reinterpret_cast<const char*>(sym->text);
    return out;
}

}  // namespace report
