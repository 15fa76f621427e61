// The typed edit: filters typed characters by type, converts its text, and turns its button
// key into OnBoton1Click before the edit's own key handling sees it.
#include "host/velmor/vlmedit.h"

#include "platform/1_text/format.h"

namespace velmor {

TVlmEdit::TVlmEdit(vcl::TComponent* AOwner) : vcl::TEdit(AOwner) {}

const text::FormatSettings& TVlmEdit::Settings() const {
    return settings_ ? *settings_ : text::DefaultFormatSettings();
}

void TVlmEdit::SetDecimals(int decimals) {
    decimals_ = decimals < 0 ? 0 : decimals;
    if (tipo_ != tyNumero) return;
    const std::string current = Text();
    try {
        SetText(FloatToEditText(TextToFloat(current, Settings()), decimals_,
                                NumberPrefix(current, Settings()), Settings()));
    } catch (const text::ConvertError&) {
        // Text that is no number stays as it is; the Exit handler will see it.
    }
}

text::TDateTime TVlmEdit::TextAsDate() const { return text::StrToDate(Text(), Settings()); }

void TVlmEdit::SetDate(text::TDateTime date) { SetText(text::DateToStr(date, Settings())); }

double TVlmEdit::GetTextAsFloat() const { return TextToFloat(Text(), Settings()); }

void TVlmEdit::Boton1Click() {
    if (OnBoton1Click && !Destroying()) OnBoton1Click(this);
}

void TVlmEdit::HandleKey(vcl::WORD& key, vcl::TShiftState shift) {
    if (key == boton1Key_ && key != 0 && shift == vcl::ssNone) {
        key = 0;
        Boton1Click();
        return;
    }
    vcl::TEdit::HandleKey(key, shift);
}

bool TVlmEdit::IsValidChar(char32_t ch) const {
    return vcl::TEdit::IsValidChar(ch) && AcceptsChar(tipo_, ch, decimals_, Settings());
}

void TVlmEdit::DoExit() {
    if (tipo_ == tyNumero && !Text().empty()) SetDecimals(decimals_);
    vcl::TEdit::DoExit();
}

}  // namespace velmor
