// Bar codes through zint: the module patterns of EAN-13 and Code 39, errors for bad data, and
// the bars a bar-code item puts on the page.
#include "platform/3_report/barcode.h"

#include <gtest/gtest.h>

#include "platform/3_report/canvas.h"

namespace report {
namespace {

// EAN-13 digit patterns: L (odd), G (even) for the left half, R for the right half.
const char* const kL[] = {"0001101", "0011001", "0010011", "0111101", "0100011", "0110001", "0101111", "0111011", "0110111", "0001011"};
const char* const kG[] = {"0100111", "0110011", "0011011", "0100001", "0011101", "0111001", "0000101", "0010001", "0001001", "0010111"};
const char* const kR[] = {"1110010", "1100110", "1101100", "1000010", "1011100", "1001110", "1010000", "1000100", "1001000", "1110100"};
// Parity of the six left digits chosen by the first digit.
const char* const kParity[] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG", "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};

std::string Ean13Modules(const std::string& digits) {
    std::string out = "101";
    int first = digits[0] - '0';
    for (int i = 1; i <= 6; ++i) out += (kParity[first][i - 1] == 'L' ? kL : kG)[digits[static_cast<std::size_t>(i)] - '0'];
    out += "01010";
    for (int i = 7; i <= 12; ++i) out += kR[digits[static_cast<std::size_t>(i)] - '0'];
    return out + "101";
}

TEST(ReportBarcode, Ean13ModulesFollowTheSymbology) {
    // 12 digits: zint adds the check digit (7501031311309 is valid).
    BarcodeSymbol s = EncodeBarcode(Symbology::Ean13, "750103131130");
    ASSERT_EQ(s.rows.size(), 1u);
    EXPECT_EQ(s.rows[0], Ean13Modules("7501031311309"));
    EXPECT_EQ(s.Width(), 95);
    EXPECT_NE(s.text.find("7501031311309"), std::string::npos);
}

TEST(ReportBarcode, Code39AndCode128Encode) {
    BarcodeSymbol c39 = EncodeBarcode(Symbology::Code39, "A1");
    // Start and stop character "*" is 100101101101 in Code 39 (narrow gap between characters).
    EXPECT_EQ(c39.rows[0].substr(0, 12), "100101101101");
    EXPECT_EQ(c39.rows[0].substr(c39.rows[0].size() - 12), "100101101101");
    BarcodeSymbol c128 = EncodeBarcode(Symbology::Code128, "Razir-01");
    EXPECT_EQ(c128.rows[0].substr(c128.rows[0].size() - 13), "1100011101011") << "Code 128 stop pattern";
}

TEST(ReportBarcode, BadDataIsASpanishError) {
    EXPECT_THROW(EncodeBarcode(Symbology::Ean13, "12345"), BarcodeError);
    EXPECT_THROW(EncodeBarcode(Symbology::Ean13, "75010313113AB"), BarcodeError);
    EXPECT_THROW(EncodeBarcode(Symbology::Code128, ""), BarcodeError);
    EXPECT_EQ(SymbologyFromName("ean13"), Symbology::Ean13);
    EXPECT_FALSE(SymbologyFromName("PDF999"));
}

TEST(ReportBarcode, CanvasDrawsOneRectanglePerBar) {
    BarcodeSymbol s = EncodeBarcode(Symbology::Ean13, "750103131130");
    Canvas c;
    c.Barcode(0, 0, 38, 20, s, false);
    std::size_t bars = 0;
    for (std::size_t i = 0; i < s.rows[0].size(); ++i)
        if (s.rows[0][i] == '1' && (i == 0 || s.rows[0][i - 1] == '0')) ++bars;
    EXPECT_EQ(c.Elements().size(), bars);
    EXPECT_EQ(bars, 30u) << "EAN-13 always has 30 bars";
}

}  // namespace
}  // namespace report
