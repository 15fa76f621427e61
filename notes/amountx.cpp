// Spanish words for an amount, group by group from the units upwards. The spacing is part of
// what callers and stored notes expect ("Son  mil  pesos  M.N."), so no step tidies spaces.
#include "notes/amountx.h"

#include <cmath>
#include <cstdio>

#include "platform/2_vcl/application.h"
#include "platform/2_vcl/dialogs.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/panels.h"

namespace notix {
namespace {

// A table entry "a/b" holds two forms of one word; the algorithm picks one.
std::string Form(const std::string& entry, bool second) {
    auto slash = entry.find('/');
    if (slash == std::string::npos) return entry;
    return second ? entry.substr(slash + 1) : entry.substr(0, slash);
}

int DigitAt(const std::string& group, int i) { return group[i] == ' ' ? 0 : group[i] - '0'; }

int ValueOf(const std::string& group) {
    return DigitAt(group, 0) * 100 + DigitAt(group, 1) * 10 + DigitAt(group, 2);
}

// The shortest text that keeps 15 significant digits, "." as the separator. Tiny amounts,
// which that text would give with an exponent, are written out in full so their cents read 00.
std::string DecimalText(long double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15Lg", value);
    std::string text = buf;
    if (text.find('e') != std::string::npos && value < 1) {
        std::snprintf(buf, sizeof buf, "%.20Lf", value);
        text = buf;
        while (!text.empty() && text.back() == '0') text.pop_back();
        if (!text.empty() && text.back() == '.') text.pop_back();
    }
    return text;
}

}  // namespace

TAmountx::TAmountx(vcl::TComponent* AOwner)
    : vcl::TComponent(AOwner),
      units_{"cero", "un/uno", "dos", "tres", "cuatro", "cinco", "seis", "siete", "ocho", "nueve",
             "diez", "once", "doce", "trece", "catorce", "quince", "dieciséis", "diecisiete",
             "dieciocho", "diecinueve"},
      unitsAfterTens_{"un/uno", "dos", "tres", "cuatro", "cinco", "seis/séis", "siete", "ocho",
                      "nueve"},
      tens_{"veinte/veinti", "treinta", "cuarenta", "cincuenta", "sesenta", "setenta", "ochenta",
            "noventa"},
      hundreds_{"cien/ciento", "doscientos", "trescientos", "cuatrocientos", "quinientos",
                "seiscientos", "setecientos", "ochocientos", "novecientos"},
      scale_{"mil", "millón/millones"} {
    SetNumber(0);
}

void TAmountx::SetLLabel(vcl::TLabel* label) {
    label_ = label;
    if (label) label->FreeNotification(this);
}

void TAmountx::SetEdit(vcl::TEdit* edit) {
    edit_ = edit;
    if (edit) edit->FreeNotification(this);
}

void TAmountx::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation != vcl::opRemove) return;
    if (component == label_) label_ = nullptr;
    if (component == edit_) edit_ = nullptr;
}

void TAmountx::Convert() {
    if (OnConvert) OnConvert(*this, inText_);
}

void TAmountx::InvalidNumber() {
    if (OnInvalidNumber) {
        OnInvalidNumber(*this);
    } else if (WantEvents) {
        vcl::TForm* main = vcl::Application->MainForm();
        vcl::MessageBox(kNumeroMuyGrande, main ? main->Caption() : vcl::Application->Title(),
                        vcl::MB_OK | vcl::MB_ICONERROR);
    }
}

void TAmountx::SetNumber(long double value) {
    number_ = value;
    negative_ = value < 0;
    long double magnitude = negative_ ? -value : value;

    std::string text = std::isfinite(magnitude) ? DecimalText(magnitude) : std::string(13, '9');
    std::string cents;
    if (auto dot = text.find('.'); dot != std::string::npos) {
        cents = text.substr(dot + 1);
        if (cents.size() == 1) cents += "0";
        cents = cents.substr(0, 2);  // cut, never rounded: 7.999 reads 99
        if (LikeMoney) cents += "/100";
        text.erase(dot);
    }
    // An amount of thirteen digits or more (or an exponent text) has no words here: the
    // message stays as the result rather than words for groups the tables do not cover.
    if (text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos) {
        inText_ = kNumeroMuyGrande;
        InvalidNumber();
    } else {
        groups_ = std::max<int>(1, (static_cast<int>(text.size()) + 2) / 3);
        digits_ = std::string(groups_ * 3 - text.size(), ' ') + text;
        inText_.clear();
        for (int g = 1; g <= groups_; ++g) ProcessHundred(g);
        if (negative_ && !IgnoreNegative) inText_ = "menos " + inText_;
        if (LikeMoney)
            inText_ = Leyend1 + " " + inText_ + " " + Leyend2 + " " + cents + " " + Leyend3;
    }
    if (label_) label_->SetCaption(inText_);
    if (edit_) edit_->SetText(inText_);
    Convert();
}

void TAmountx::ProcessHundred(int g) {
    groupText_ = digits_.substr((groups_ - g) * 3, 3);
    groupValue_ = ValueOf(groupText_);
    groupWords_.clear();
    hasHundreds_ = false;

    if (g > 1 && groupValue_ > 0) {
        std::string word;
        if (g % 2 == 1)
            word = Form(scale_[1], !(groupValue_ == 1 && groups_ <= 3));
        else
            word = scale_[0];
        inText_ = " " + word + " " + inText_;
    }
    if (groupValue_ >= 100) {
        hasHundreds_ = true;
        int d = DigitAt(groupText_, 0);
        groupWords_ = d == 1 ? Form(hundreds_[0], groupValue_ != 100) : hundreds_[d - 1];
        groupWords_ += " ";
    }
    groupText_[0] = ' ';
    groupValue_ = ValueOf(groupText_);

    if (groupValue_ >= 20) {
        int t = DigitAt(groupText_, 1), u = DigitAt(groupText_, 2);
        groupWords_ += t == 2 ? Form(tens_[0], groupValue_ != 20) : tens_[t - 2];
        if (groupValue_ > 30 && u != 0) groupWords_ += " y ";
        if (u != 0) {
            const std::string& entry = unitsAfterTens_[u - 1];
            if (u == 1)
                groupWords_ += Form(entry, !LikeMoney);
            else
                groupWords_ += Form(entry, groupValue_ < 30);  // veintiséis, treinta y seis
        }
    } else if (groupValue_ >= 1) {
        if (groupValue_ == 1) {
            if (g == 1)
                groupWords_ += Form(units_[1], !LikeMoney);
            else if (g == 3 || hasHundreds_)
                groupWords_ += Form(units_[1], false);  // un millón, ciento un mil
            // otherwise nothing: 1,000 reads "mil", not "un mil"
        } else {
            groupWords_ += units_[groupValue_];
        }
    } else if (groups_ == 1 && !hasHundreds_) {
        groupWords_ += units_[0];
    }
    // One thousand million and up with no millions of its own still names the millions.
    if (g == 3 && groups_ == 4 && ValueOf(digits_.substr(3, 3)) == 0)
        inText_ = " " + Form(scale_[1], true) + " " + inText_;

    inText_ = groupWords_ + inText_;
}

}  // namespace notix
