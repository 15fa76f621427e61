#include "host/velmor/vlmedit.h"

#include <gtest/gtest.h>

#include "platform/1_text/format.h"
#include "platform/1_text/utf8.h"
#include "platform/2_vcl/form.h"

using namespace velmor;

namespace {

const text::FormatSettings kMx;

class EditForm : public vcl::TForm {
public:
    EditForm() : vcl::TForm(nullptr) {
        SetName("frmPrueba");
        edtProdIni = vcl::NewControl<TVlmEdit>(this, "edtProdIni");
        edtFecDesde = vcl::NewControl<TVlmEdit>(this, "edtFecDesde");
        edtMonto = vcl::NewControl<TVlmEdit>(this, "edtMonto");
        edtFecDesde->SetTipoDeDato(tyFecha);
        edtMonto->SetTipoDeDato(tyNumero);
        for (TVlmEdit* e : {edtProdIni, edtFecDesde, edtMonto}) e->SetFormatSettings(&kMx);
        edtMonto->SetText("$ 0");
        edtMonto->SetDecimals(2);
        edtProdIni->OnBoton1Click = [this](vcl::TObject* s) { clicks.push_back(s); };
    }
    void Type(TVlmEdit* edit, std::string_view text) {
        edit->SetFocus();
        for (size_t i = 0; i < text.size(); i += text::Utf8CharSize(text, i))
            TypeChar(text::Utf8Decode(text, i));
    }
    TVlmEdit *edtProdIni, *edtFecDesde, *edtMonto;
    std::vector<vcl::TObject*> clicks;
};

}  // namespace

TEST(TVlmEdit, F2RaisesTheButtonEventAndIsConsumed) {
    EditForm f;
    f.Show();
    f.edtProdIni->SetFocus();
    f.PressKey(vcl::VK_F2);
    ASSERT_EQ(f.clicks.size(), 1u);
    EXPECT_EQ(f.clicks[0], f.edtProdIni);
    f.PressKey(vcl::VK_F2, vcl::ssShift);  // Shift+F2 is not the button key
    f.PressKey(vcl::VK_F3);
    EXPECT_EQ(f.clicks.size(), 1u);
    EXPECT_EQ(f.edtProdIni->Boton1Key(), 113);
    f.edtProdIni->SetBoton1Key(vcl::VK_F3);
    f.PressKey(vcl::VK_F3);
    EXPECT_EQ(f.clicks.size(), 2u);
    f.edtFecDesde->SetFocus();
    f.PressKey(vcl::VK_F2);  // no handler: nothing happens, nothing breaks
    EXPECT_EQ(f.clicks.size(), 2u);
}

TEST(TVlmEdit, TypedCharactersFollowTheType) {
    EditForm f;
    f.Show();
    f.Type(f.edtFecDesde, "3a1/0x5/2026");
    EXPECT_EQ(f.edtFecDesde->Text(), "31/05/2026");
    EXPECT_EQ(text::ToIsoDate(f.edtFecDesde->TextAsDate()), "2026-05-31");
    f.Type(f.edtMonto, "1,23x4.5");
    EXPECT_EQ(f.edtMonto->Text(), "1,234.5");
    EXPECT_EQ(f.edtMonto->GetTextAsFloat(), 1234.5);
    f.Type(f.edtProdIni, "ABC-ñ");
    EXPECT_EQ(f.edtProdIni->Text(), "ABC-ñ");
}

TEST(TVlmEdit, NumberTextKeepsItsLiteralAndDecimals) {
    EditForm f;
    f.Show();
    EXPECT_EQ(f.edtMonto->Text(), "$ 0.00");
    EXPECT_EQ(f.edtMonto->GetTextAsFloat(), 0);
    f.edtMonto->SetText("$ 12.5");
    f.edtMonto->SetDecimals(3);
    EXPECT_EQ(f.edtMonto->Text(), "$ 12.500");
    f.Type(f.edtMonto, "7.25");
    f.edtProdIni->SetFocus();  // leaving tidies the text
    EXPECT_EQ(f.edtMonto->Text(), "7.250");
}

TEST(TVlmEdit, DatesInAndOut) {
    EditForm f;
    f.edtFecDesde->SetDate(text::EncodeDate(2026, 1, 2));
    EXPECT_EQ(f.edtFecDesde->Text(), "02/01/2026");
    f.edtFecDesde->SetText("31/02/2024");
    try {
        f.edtFecDesde->TextAsDate();
        FAIL();
    } catch (const text::ConvertError& e) {
        EXPECT_STREQ(e.what(), "'31/02/2024' no es una fecha válida");
    }
    f.edtMonto->SetText("doce");
    EXPECT_THROW(f.edtMonto->GetTextAsFloat(), text::ConvertError);
}
