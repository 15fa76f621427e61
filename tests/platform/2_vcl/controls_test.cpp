// Standard controls: typing into edits, button kinds and modal results, check marks, combo
// boxes and lookups picked as a user picks, accelerators, spin-edit bounds, string lists.
#include <gtest/gtest.h>

#include "platform/2_vcl/panels.h"
#include "tests/platform/2_vcl/fixtures.h"

using namespace vcl;
using vcl::testing::MemoryListSource;

namespace {

// A shown form with one control of each kind the tests need.
struct Shown {
    TForm form{nullptr};
    Shown() {
        form.SetName("frmControles");
        form.Show();
    }
    ~Shown() { form.Hide(); }
    template <class T>
    T* Add(const char* name) {
        return NewControl<T>(&form, name);
    }
    void Type(std::string_view text) {
        for (unsigned char c : text) form.TypeChar(c);
    }
    void TypeChar(char32_t c) { form.TypeChar(c); }
};

}  // namespace

TEST(Accelerator, LetterAndShownCaption) {
    struct Case { const char* caption; char32_t letter; const char* shown; };
    const Case kCases[] = {
        {"&Preliminar", U'p', "Preliminar"}, {"A&yuda", U'y', "Ayuda"},
        {"I&mprimir", U'm', "Imprimir"},     {"Sin marca", 0, "Sin marca"},
        {"Uno && dos", 0, "Uno & dos"},      {"&&Uno &Dos", U'd', "&Uno Dos"},
        {"&Ñandú", U'ñ', "Ñandú"},           {"Fin&", 0, "Fin"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(AcceleratorOf(c.caption), c.letter) << c.caption;
        EXPECT_EQ(StripAccelerator(c.caption), c.shown) << c.caption;
    }
}

TEST(Edit, TypingReplacesTheTextOnEnterAndRaisesOnChangeEachKey) {
    Shown s;
    auto* edt = s.Add<TEdit>("edtFecDesde");
    edt->SetText("11/12/2026");
    std::vector<std::string> changes;
    edt->OnChange = [&](TObject*) { changes.push_back(edt->Text()); };
    edt->SetFocus();
    s.Type("01/0");
    EXPECT_EQ(edt->Text(), "01/0");
    EXPECT_EQ(changes, (std::vector<std::string>{"0", "01", "01/", "01/0"}));
    s.form.PressKey(VK_BACK);
    EXPECT_EQ(edt->Text(), "01/");
}

TEST(Edit, MaxLengthCountsCharactersNotBytes) {
    Shown s;
    auto* edt = s.Add<TEdit>("edtNombre");
    edt->SetMaxLength(4);
    edt->SetFocus();
    for (char32_t c : std::u32string(U"Año 2026")) s.form.TypeChar(c);
    EXPECT_EQ(edt->Text(), "Año ");
}

TEST(Edit, KeyPressHandlersFilterWhatIsTyped) {
    Shown s;
    auto* edt = s.Add<TEdit>("edtClave");
    edt->OnKeyPress = [](TObject*, char32_t& key) {
        if (key >= 'a' && key <= 'z') key -= 32;  // upper-case codes
        if (key == '-') key = 0;
    };
    edt->SetFocus();
    s.Type("ab-c1");
    EXPECT_EQ(edt->Text(), "ABC1");
}

TEST(Button, ItsModalResultIsSetBeforeOnClickWhichMayClearIt) {
    Shown s;
    auto* ok = s.Add<TButton>("btnAceptar");
    ok->SetModalResult(mrOk);
    TModalResult seenInClick = -1;
    ok->OnClick = [&](TObject*) {
        seenInClick = s.form.ModalResult();
        s.form.SetModalResult(mrNone);  // a failed check keeps the dialog open
    };
    ok->Click();
    EXPECT_EQ(seenInClick, mrOk);
    EXPECT_EQ(s.form.ModalResult(), mrNone);
}

TEST(BitBtn, KindsSetCaptionResultAndRole) {
    struct Case { TBitBtnKind kind; const char* caption; TModalResult result; bool def, cancel; };
    const Case kCases[] = {
        {bkOK, "Aceptar", mrOk, true, false},    {bkCancel, "Cancelar", mrCancel, false, true},
        {bkYes, "&Sí", mrYes, true, false},      {bkNo, "&No", mrNo, false, true},
        {bkHelp, "&Ayuda", mrNone, false, false}, {bkRetry, "&Reintentar", mrRetry, false, false},
    };
    for (const auto& c : kCases) {
        TBitBtn b(nullptr);
        b.SetKind(c.kind);
        EXPECT_EQ(b.Caption(), c.caption) << c.caption;
        EXPECT_EQ(b.ModalResult(), c.result) << c.caption;
        EXPECT_EQ(b.Default(), c.def) << c.caption;
        EXPECT_EQ(b.Cancel(), c.cancel) << c.caption;
    }
}

TEST(BitBtn, AHelpButtonWithNoContextAnywhereClicksAsAnyButton) {
    Shown s;
    auto* help = s.Add<TBitBtn>("btnAyuda");
    help->SetKind(bkHelp);
    int clicks = 0;
    help->OnClick = [&](TObject*) { ++clicks; };
    bool formAsked = false;
    s.form.OnHelp = [&](WORD, int, bool&) { return formAsked = true; };
    help->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(formAsked);
    s.form.SetHelpContext(70);
    help->Click();
    EXPECT_EQ(clicks, 1) << "with a context the help replaces the click";
    EXPECT_TRUE(formAsked);
}

TEST(Button, ReturnGoesToTheFocusedButtonElseTheDefaultOneAndEscapeToTheCancelOne) {
    Shown s;
    auto* edt = s.Add<TEdit>("edtA");
    auto* def = s.Add<TButton>("btnDefault");
    auto* other = s.Add<TButton>("btnOtro");
    auto* cancel = s.Add<TButton>("btnCancel");
    def->SetDefault(true);
    cancel->SetCancel(true);
    std::string last;
    for (TButton* b : {def, other, cancel}) b->OnClick = [&last, b](TObject*) { last = b->Name(); };
    struct Case { TWinControl* focus; WORD key; const char* clicked; };
    const Case kCases[] = {
        {edt, VK_RETURN, "btnDefault"}, {other, VK_RETURN, "btnOtro"},
        {edt, VK_ESCAPE, "btnCancel"},  {other, VK_ESCAPE, "btnCancel"},
    };
    for (const auto& c : kCases) {
        last.clear();
        c.focus->SetFocus();
        s.form.PressKey(c.key);
        EXPECT_EQ(last, c.clicked) << c.focus->Name() << " key " << c.key;
    }
    cancel->SetEnabled(false);
    last.clear();
    s.form.PressKey(VK_ESCAPE);
    EXPECT_EQ(last, "") << "a disabled cancel button takes no Escape";
}

TEST(CheckBox, ChangesRaiseOnClickAndRadioButtonsExcludeEachOther) {
    Shown s;
    auto* chk = s.Add<TCheckBox>("chkDetalle");
    int clicks = 0;
    chk->OnClick = [&](TObject*) { ++clicks; };
    chk->SetChecked(true);
    chk->SetChecked(true);
    chk->SetFocus();
    s.form.PressKey(VK_SPACE);
    EXPECT_FALSE(chk->Checked());
    EXPECT_EQ(clicks, 2);

    auto* group = s.Add<TGroupBox>("grpOrden");
    auto* a = NewControl<TRadioButton>(group, "rbCodigo");
    auto* b = NewControl<TRadioButton>(group, "rbNombre");
    auto* loose = s.Add<TRadioButton>("rbOtro");
    a->SetChecked(true);
    loose->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(loose->Checked()) << "another parent, another group";
}

TEST(ComboBox, APickRaisesChangeThenCloseUpButCodeRaisesNothing) {
    Shown s;
    auto* cmb = s.Add<TComboBox>("cmbOrden");
    cmb->SetStyle(csDropDownList);
    cmb->Items().SetText("Código\nDescripción\nLínea\n");
    std::vector<std::string> events;
    cmb->OnDropDown = [&](TObject*) { events.push_back("drop"); };
    cmb->OnChange = [&](TObject*) { events.push_back("change " + cmb->Text()); };
    cmb->OnCloseUp = [&](TObject*) { events.push_back("closeup"); };
    cmb->SetItemIndex(0);
    cmb->SetText("línea");
    EXPECT_EQ(cmb->ItemIndex(), 2);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(cmb->PickText("Descripción"));
    EXPECT_EQ(events, (std::vector<std::string>{"drop", "change Descripción", "closeup"}));
    EXPECT_FALSE(cmb->PickText("Precio"));
    cmb->SetFocus();
    events.clear();
    s.form.PressKey(VK_DOWN);
    s.TypeChar('c');
    EXPECT_EQ(events, (std::vector<std::string>{"change Línea", "change Código"}));
}

TEST(ComboBox, EscapeAndReturnOnAnOpenListOnlyCloseIt) {
    Shown s;
    auto* cmb = s.Add<TComboBox>("cmbOrden");
    auto* cancel = s.Add<TButton>("btnCancelar");
    cancel->SetCancel(true);
    int cancelled = 0;
    cancel->OnClick = [&](TObject*) { ++cancelled; };
    cmb->SetFocus();
    for (WORD key : {VK_ESCAPE, VK_RETURN}) {
        s.form.PressKey(VK_F4);
        ASSERT_TRUE(cmb->DroppedDown());
        s.form.PressKey(key);
        EXPECT_FALSE(cmb->DroppedDown());
        EXPECT_EQ(cancelled, 0) << key;
    }
    s.form.PressKey(VK_ESCAPE);
    EXPECT_EQ(cancelled, 1);
}

TEST(Lookup, ShowsTheChosenFieldAndPicksByTextKeyOrAnyField) {
    MemoryListSource deptos({"Depto", "Descripcio"}, {{"10", "Abarrotes"}, {"20", "Lácteos"}, {"30", "Limpieza"}});
    TDBLookupComboBox lk(nullptr);
    lk.SetKeyField("Depto");
    lk.SetListField(" Depto ;Descripcio ");
    lk.SetListSource(&deptos);
    EXPECT_EQ(lk.ListFields(), (std::vector<std::string>{"Depto", "Descripcio"}));
    lk.SetKeyValue("20");
    EXPECT_EQ(lk.Text(), "20");
    lk.SetListFieldIndex(1);
    lk.SetKeyValue("20");
    EXPECT_EQ(lk.Text(), "Lácteos");
    lk.SetKeyValue("99");
    EXPECT_EQ(lk.KeyValue(), "99");
    EXPECT_EQ(lk.Text(), "");

    struct Case { const char* text; const char* key; };
    const Case kCases[] = {{"Limpieza", "30"}, {"10", "10"}, {"lácteos", "20"}, {"ABARROTES", "10"}};
    for (const auto& c : kCases) {
        EXPECT_TRUE(lk.PickText(c.text)) << c.text;
        EXPECT_EQ(lk.KeyValue(), c.key) << c.text;
        EXPECT_EQ(deptos.FieldAsString("Depto"), c.key) << "the cursor follows the pick: " << c.text;
    }
    EXPECT_FALSE(lk.PickText("Ferretería"));
    EXPECT_EQ(lk.KeyValue(), "10") << "a failed pick changes nothing";
}

TEST(Lookup, APickClosesTheListThenChangesTheValueThenRaisesCloseUp) {
    auto stores = vcl::testing::Stores();
    TDBLookupComboBox lk(nullptr);
    lk.SetKeyField("Tienda");
    lk.SetListField("Descripcio");
    lk.SetListSource(&stores);
    std::vector<std::string> events;
    lk.OnDropDown = [&](TObject*) { events.push_back("drop"); };
    lk.OnClick = [&](TObject*) { events.push_back("click " + lk.KeyValue() + (lk.DroppedDown() ? " open" : "")); };
    lk.OnCloseUp = [&](TObject*) { events.push_back("closeup " + lk.KeyValue()); };
    lk.PickIndex(2);
    lk.PickIndex(2);
    EXPECT_EQ(events, (std::vector<std::string>{"drop", "click 03", "closeup 03", "drop", "closeup 03"}));
}

TEST(Lookup, ListingTheRowsKeepsTheCursorOnTheChosenRecord) {
    auto stores = vcl::testing::Stores();
    TDBLookupComboBox lk(nullptr);
    lk.SetKeyField("Tienda");
    lk.SetListField("Tienda;Descripcio");
    lk.SetListSource(&stores);
    lk.SetKeyValue("02");
    const auto rows = lk.Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].fields, (std::vector<std::string>{"03", "Sur"}));
    EXPECT_EQ(stores.FieldAsString("Direccion"), "Hidalgo 5");
}

TEST(Lookup, ASourceComponentThatIsDestroyedEmptiesTheLookup) {
    struct SourceComponent : TComponent, MemoryListSource {
        explicit SourceComponent(TComponent* owner) : TComponent(owner), MemoryListSource(vcl::testing::Stores()) {}
    };
    TForm other(nullptr);
    auto* source = new SourceComponent(&other);
    TDBLookupComboBox lk(nullptr);
    lk.SetKeyField("Tienda");
    lk.SetListField("Descripcio");
    lk.SetListSource(source);
    lk.SetKeyValue("01");
    EXPECT_EQ(lk.Text(), "Centro");
    delete source;
    EXPECT_EQ(lk.ListSource(), nullptr);
    EXPECT_EQ(lk.Text(), "");
    EXPECT_TRUE(lk.Rows().empty());
}

TEST(Lookup, TypingSearchesTheShownField) {
    Shown s;
    auto stores = vcl::testing::Stores();
    auto* lk = s.Add<TDBLookupComboBox>("lkcmbTiendas");
    lk->SetKeyField("Tienda");
    lk->SetListField("Descripcio");
    lk->SetListSource(&stores);
    lk->SetFocus();
    s.Type("no");
    EXPECT_EQ(lk->KeyValue(), "02");
    s.form.PressKey(VK_DOWN);
    EXPECT_EQ(lk->Text(), "Sur");
}

TEST(SpinEdit, ValueStaysWithinItsBounds) {
    struct Case { int min, max; const char* text; int value; };
    const Case kCases[] = {
        {1, 12, "5", 5},   {1, 12, "40", 12}, {1, 12, "-3", 1}, {1, 12, "abc", 1},
        {1, 12, "", 1},    {0, 0, "-3", -3},  {0, 0, "+7", 7},  {1, 99, "3x", 1},
    };
    for (const auto& c : kCases) {
        TSpinEdit spin(nullptr);
        spin.SetMinValue(c.min);
        spin.SetMaxValue(c.max);
        spin.SetText(c.text);
        EXPECT_EQ(spin.Value(), c.value) << c.text << " in " << c.min << ".." << c.max;
    }
}

TEST(SpinEdit, ArrowsStepAndOnlyDigitsAreTyped) {
    Shown s;
    auto* spin = s.Add<TSpinEdit>("speCopias");
    spin->SetMinValue(1);
    spin->SetMaxValue(3);
    spin->SetValue(2);
    spin->SetFocus();
    s.form.PressKey(VK_UP);
    s.form.PressKey(VK_UP);
    EXPECT_EQ(spin->Value(), 3);
    spin->SelectAll();
    s.Type("1a");
    EXPECT_EQ(spin->Text(), "1");
}

TEST(RadioGroup, ChoosingRaisesOnClickAndAcceleratorsChoose) {
    Shown s;
    auto* rdg = s.Add<TRadioGroup>("rdgpCriterio");
    rdg->Items().SetText("&Código\n&Descripción\n");
    rdg->SetColumns(2);
    int clicks = 0;
    rdg->OnClick = [&](TObject*) { ++clicks; };
    rdg->SetItemIndex(0);
    rdg->SetItemIndex(0);
    s.form.PressKey('D', ssAlt);
    EXPECT_EQ(rdg->ItemIndex(), 1);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(rdg->PickText("código"));
    EXPECT_THROW(rdg->SetItemIndex(2), std::out_of_range);
}

TEST(Label, ItsAcceleratorFocusesItsControlUntilThatControlIsGone) {
    Shown s;
    auto* edt = s.Add<TEdit>("edtFecDesde");
    auto* other = s.Add<TEdit>("edtFecHasta");
    auto* lbl = s.Add<TLabel>("lblFecDesde");
    lbl->SetCaption("&Desde:");
    lbl->SetFocusControl(edt);
    other->SetFocus();
    s.form.PressKey('D', ssAlt);
    EXPECT_EQ(s.form.ActiveControl(), edt);
    delete edt;
    EXPECT_EQ(lbl->FocusControl(), nullptr);
}

TEST(Memo, LinesAndTextAgree) {
    TMemo memo(nullptr);
    int changes = 0;
    memo.OnChange = [&](TObject*) { ++changes; };
    memo.SetText("uno\ndos\n");
    EXPECT_EQ(memo.Lines().Count(), 3);
    EXPECT_EQ(memo.Text(), "uno\ndos\n");
    memo.Lines().Add("tres");
    EXPECT_EQ(memo.Text(), "uno\ndos\n\ntres");
    EXPECT_EQ(changes, 2);
}

TEST(Strings, SortedListsKeepOrderIgnoringCase) {
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"paradox", "Ascii", "dBase", "ANSI"}) list.Add(s);
    EXPECT_EQ(list.Text(), "ANSI\nAscii\ndBase\nparadox\n");
    EXPECT_EQ(list.IndexOf("DBASE"), 2);
    list.SetText("b\r\na\r\n");
    EXPECT_EQ(list.Text(), "a\nb\n");
}
