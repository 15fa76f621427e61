// TVlmEdit, the host's edit control: an edit whose text is of a type (text, date, number,
// time) with a button (key F2 by default) that raises OnBoton1Click, where the dialogs open
// their lookups and calendars. Built on vcl::TEdit; the typing rules are vlmedit_text.h.
// Not here: the lookups themselves (host/tolmabase).
#pragma once

#include "host/velmor/vlmedit_text.h"
#include "platform/1_text/datetime.h"
#include "platform/1_text/locale.h"
#include "platform/2_vcl/edits.h"

namespace velmor {

class TVlmEdit : public vcl::TEdit {
public:
    explicit TVlmEdit(vcl::TComponent* AOwner);

    TTipoDeDato TipoDeDato() const { return tipo_; }
    void SetTipoDeDato(TTipoDeDato tipo) { tipo_ = tipo; }

    // Decimals of a number edit. Setting them rewrites a number edit's text with that many
    // decimals, keeping a leading literal such as "$ ".
    int Decimals() const { return decimals_; }
    void SetDecimals(int decimals);

    // The text as a date with the short date format; throws text::ConvertError
    // "'<text>' no es una fecha válida".
    text::TDateTime TextAsDate() const;
    // Writes the date with the short date format.
    void SetTextAsDate(text::TDateTime date) { SetDate(date); }
    void SetDate(text::TDateTime date);

    // The text as a number, ignoring the currency symbol, blanks and thousands separators;
    // 0 for an empty text. Throws text::ConvertError for text that is no number.
    double GetTextAsFloat() const;

    // The button: its key (113, F2, unless set), whether it shows, its hint.
    vcl::WORD Boton1Key() const { return boton1Key_; }
    void SetBoton1Key(vcl::WORD key) { boton1Key_ = key; }
    bool Boton1Visible() const { return boton1Visible_; }
    void SetBoton1Visible(bool visible) { boton1Visible_ = visible; }
    const std::string& Boton1Hint() const { return boton1Hint_; }
    void SetBoton1Hint(std::string_view hint) { boton1Hint_ = hint; }

    vcl::TNotifyEvent OnBoton1Click;
    // What pressing the button (or its key in the edit) does: OnBoton1Click with this edit.
    void Boton1Click();

    // Settings for dates and numbers; the application's (text::DefaultFormatSettings) unless
    // given. The object must outlive the control.
    void SetFormatSettings(const text::FormatSettings* settings) { settings_ = settings; }
    const text::FormatSettings& Settings() const;

    void HandleKey(vcl::WORD& key, vcl::TShiftState shift) override;

protected:
    bool IsValidChar(char32_t ch) const override;
    // A number edit tidies its text ("12.5" -> "12.50") before the Exit handler reads it.
    void DoExit() override;

private:
    TTipoDeDato tipo_ = tyTexto;
    int decimals_ = 0;
    vcl::WORD boton1Key_ = 113;
    bool boton1Visible_ = false;
    std::string boton1Hint_;
    const text::FormatSettings* settings_ = nullptr;
};

}  // namespace velmor
