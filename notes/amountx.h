// TAmountx: an amount written in Spanish words, as the "Letras" line of a sales note and the
// amount label of a reprinted note read it ("Son ciento un pesos 50/100 M.N.").
// Not here: where the words are printed (report.*) or how the amount was computed.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace notix {

// Anything that shows the words: a label caption or an edit box text. The component model's
// controls adapt to it; tests use a plain string holder.
class TTextoDestino {
public:
    virtual ~TTextoDestino() = default;
    virtual void SetTexto(const std::string& texto) = 0;
};

class TAmountx {
public:
    using TAmountEvent1 = std::function<void(TAmountx& sender)>;
    using TAmountEvent2 = std::function<void(TAmountx& sender, const std::string& inText)>;

    static constexpr const char* kNumeroMuyGrande = "** Número muy grande **";

    TAmountx();

    // Stores the amount and converts it; then writes the words to LLabel and Edit and calls
    // OnConvert.
    void SetNumber(long double value);
    long double Number() const { return number_; }
    bool Negative() const { return negative_; }

    bool IgnoreNegative = false;
    const std::string& InText() const { return inText_; }
    // The words belong to the conversion: assigning them keeps what the last conversion made.
    void SetInText(const std::string&) {}

    std::string Leyend1 = "Son";
    std::string Leyend2 = "pesos";
    std::string Leyend3 = "M.N.";
    bool LikeMoney = true;
    TTextoDestino* LLabel = nullptr;
    TTextoDestino* Edit = nullptr;
    bool WantEvents = true;
    TAmountEvent1 OnInvalidNumber;
    TAmountEvent2 OnConvert;
    // Shows the invalid-number message when WantEvents is set and no OnInvalidNumber handler
    // is; the application plugs its message box in here. Unset, the text goes to stderr.
    std::function<void(const std::string& mensaje)> MessageBox;

    void Convert();
    void InvalidNumber();
    void ProcessHundred(int group);

private:
    long double number_ = 0;
    bool negative_ = false;
    std::string inText_;

    // Working state of one conversion.
    std::string digits_;
    int groups_ = 0;
    std::string groupText_;
    int groupValue_ = 0;
    std::string groupWords_;
    bool hasHundreds_ = false;

    std::vector<std::string> units_, unitsAfterTens_, tens_, hundreds_, scale_;
};

}  // namespace notix
