// TAmountx: an amount written in Spanish words, as the "Letras" line of a sales note and the
// amount label of a reprinted note read it ("Son ciento un pesos 50/100 M.N.").
// Not here: where the words are printed (report.*) or how the amount was computed.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/2_vcl/component.h"

namespace vcl {
class TLabel;
class TEdit;
}  // namespace vcl

namespace notix {

class TAmountx : public vcl::TComponent {
public:
    using TAmountEvent1 = std::function<void(TAmountx& sender)>;
    using TAmountEvent2 = std::function<void(TAmountx& sender, const std::string& inText)>;

    static constexpr const char* kNumeroMuyGrande = "** Número muy grande **";

    explicit TAmountx(vcl::TComponent* AOwner = nullptr);

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
    // A label whose caption, and an edit box whose text, receive the words; either is
    // forgotten when it is destroyed.
    vcl::TLabel* LLabel() const { return label_; }
    void SetLLabel(vcl::TLabel* label);
    vcl::TEdit* Edit() const { return edit_; }
    void SetEdit(vcl::TEdit* edit);
    bool WantEvents = true;
    TAmountEvent1 OnInvalidNumber;
    TAmountEvent2 OnConvert;

    void Convert();
    void InvalidNumber();
    void ProcessHundred(int group);

protected:
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    vcl::TLabel* label_ = nullptr;
    vcl::TEdit* edit_ = nullptr;
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
