// A criteria dialog played through the script driver: validation in Exit handlers, the modal
// result that ends ShowModal, Escape with a dropped list, key preview, help and messages.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/2_vcl/script.h"
#include "tests/platform/2_vcl/fixtures.h"

using namespace vcl;
using vcl::testing::CriteriaDialog;

namespace {

struct Outcome {
    TModalResult result;
    std::vector<std::string> log;
    std::vector<MessageRecord> messages;
    std::vector<std::string> failures;
};

// Plays `script` on a fresh dialog; `inspect` sees the dialog after ShowModal returns.
template <class Inspect>
Outcome Play(std::string_view script, Inspect inspect) {
    ScriptDriver driver(ParseScript(script));
    DriverScope scope(driver);
    FreePtr<CriteriaDialog> dlg(Create<CriteriaDialog>());
    const TModalResult result = dlg->ShowModal();
    inspect(*dlg);
    return {result, driver.Log(), driver.Messages(), driver.Failures()};
}

Outcome Play(std::string_view script) {
    return Play(script, [](CriteriaDialog&) {});
}

bool Logged(const Outcome& run, std::string_view line) {
    return std::find(run.log.begin(), run.log.end(), line) != run.log.end();
}

}  // namespace

TEST(Dialog, AnInvertedDateRangeIsRejectedWithAWarningAndTheFocusGoesBack) {
    std::string focusedAfter;
    const Outcome run = Play(
        "set edtFecDesde=15/06/2026\n"
        "press Tab\n"
        "press Escape\n",
        [&](CriteriaDialog& d) { focusedAfter = d.ActiveControl()->Name(); });
    ASSERT_EQ(run.messages.size(), 1u);
    const MessageRequest& m = run.messages[0].request;
    EXPECT_EQ(m.text, "La fecha inicial no debe ser mayor que la fecha final");
    EXPECT_EQ(m.caption, "Advertencia");
    EXPECT_EQ(m.icon, MsgIcon::Information);
    EXPECT_EQ(m.buttons, std::vector<TModalResult>{mrOk});
    EXPECT_TRUE(run.messages[0].defaulted);
    EXPECT_EQ(focusedAfter, "edtFecDesde");
    EXPECT_EQ(run.result, mrCancel);
}

TEST(Dialog, TabbingToCancelFromAnInvertedRangeValidatesNothing) {
    // Tab order: lookup, desde, hasta, preview, cancel, help. Leaving hasta for preview would
    // complain; going straight to cancel must not.
    const Outcome run = Play(
        "set edtFecHasta=01/01/2026\n"
        "focus btnCancelar\n"
        "press Enter\n");
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(run.result, mrCancel);
    EXPECT_TRUE(run.failures.empty());
}

TEST(Dialog, AClickWhoseExitHandlerKeepsTheFocusNeverHappens) {
    int previews = -1;
    const Outcome run = Play(
        "set edtFecHasta=01/01/2026\n"
        "click btnPreview\n"
        "answer Aceptar\n"
        "click btnCancelar\n",
        [&](CriteriaDialog& d) { previews = d.previews; });
    EXPECT_EQ(previews, 0);
    EXPECT_TRUE(Logged(run, "el clic no llegó a btnPreview: el foco quedó en edtFecHasta"));
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_FALSE(run.messages[0].defaulted) << "the answer step that follows the click answers it";
    EXPECT_EQ(run.result, mrCancel);
}

TEST(Dialog, EscapeClosesTheDroppedListFirstAndTheDialogSecond) {
    ScriptDriver driver(ParseScript("drop lkcmbTiendas\npress Escape\n"));
    DriverScope scope(driver);
    FreePtr<CriteriaDialog> dlg(Create<CriteriaDialog>());
    int closeUps = 0;
    dlg->lkcmbTiendas->OnCloseUp = [&](TObject*) { ++closeUps; };
    EXPECT_EQ(dlg->ShowModal(), mrNone) << "the first Escape only closed the list";
    EXPECT_FALSE(dlg->lkcmbTiendas->DroppedDown());
    EXPECT_EQ(closeUps, 1);
    EXPECT_TRUE(driver.EndedWithFormOpen());

    driver.Add(Step::Press(VK_ESCAPE));
    EXPECT_EQ(dlg->ShowModal(), mrCancel);
}

TEST(Dialog, ThePickedStoreIsTheListCursorsRecord) {
    std::string address;
    Play("pick lkcmbTiendas Norte\nclick btnCancelar\n", [&](CriteriaDialog& d) {
        EXPECT_EQ(d.lkcmbTiendas->KeyValue(), "02");
        EXPECT_EQ(d.lkcmbTiendas->Text(), "Norte");
        address = d.stores.FieldAsString("Direccion");
    });
    EXPECT_EQ(address, "Hidalgo 5");
}

TEST(Dialog, TheHelpButtonReachesOnHelpWithTheFormsContext) {
    std::vector<std::string> asked;
    std::string focused;
    const Outcome run = Play(
        "focus edtFecHasta\n"
        "click btnAyuda\n"
        "press Escape\n",
        [&](CriteriaDialog& d) {
            asked = d.helpAsked;
            focused = d.ActiveControl() ? d.ActiveControl()->Name() : "";
        });
    EXPECT_EQ(asked, std::vector<std::string>{"1:194"});
    EXPECT_EQ(focused, "edtFecHasta") << "help sends the focus back to the last control left";
    EXPECT_FALSE(Logged(run, "ayuda 194")) << "OnHelp cleared CallHelp";
}

TEST(Dialog, F1AsksForTheNearestContextFromTheFocusedControl) {
    ScriptDriver driver(ParseScript("focus edtFecDesde\npress F1\nfocus edtFecHasta\npress F1\nclick btnCancelar\n"));
    DriverScope scope(driver);
    FreePtr<CriteriaDialog> dlg(Create<CriteriaDialog>());
    dlg->edtFecDesde->SetHelpContext(25);
    dlg->ShowModal();
    EXPECT_EQ(dlg->helpAsked, (std::vector<std::string>{"1:25", "1:194"}));
}

TEST(Dialog, OnCloseQueryCanKeepTheDialogOpen) {
    ScriptDriver driver(ParseScript("click btnCancelar\nclick btnCancelar\n"));
    DriverScope scope(driver);
    FreePtr<CriteriaDialog> dlg(Create<CriteriaDialog>());
    int asked = 0;
    dlg->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
    EXPECT_EQ(dlg->ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(driver.StepsLeft(), 0u);
}

TEST(Dialog, AScriptThatRunsOutLeavesShowModalWithNone) {
    const Outcome run = Play("focus edtFecHasta\n");
    EXPECT_EQ(run.result, mrNone);
    EXPECT_TRUE(Logged(run, "script ended with form open: frmPrueba"));
}

TEST(Dialog, AnUnknownControlStopsTheScriptWithAClearFailure) {
    const Outcome run = Play("focus edtNoExiste\nclick btnCancelar\n");
    EXPECT_EQ(run.result, mrNone) << "the click after the failure is not played";
    ASSERT_EQ(run.failures.size(), 1u);
    EXPECT_EQ(run.failures[0], "línea 1: focus edtNoExiste: no hay un control llamado \"edtNoExiste\" en \"frmPrueba\"");
}

TEST(Dialog, KeyPreviewGivesTheFormTheKeyFirst) {
    struct Case {
        bool preview;
        bool formZeroes;
        std::vector<std::string> seen;
    };
    const Case kCases[] = {
        {true, false, {"form", "edit"}},
        {true, true, {"form"}},
        {false, false, {"edit"}},
        {false, true, {"edit"}},
    };
    for (const auto& c : kCases) {
        CriteriaDialog dlg;
        dlg.SetKeyPreview(c.preview);
        std::vector<std::string> seen;
        dlg.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
            seen.push_back("form");
            if (c.formZeroes) key = 0;
        };
        dlg.edtFecDesde->OnKeyDown = [&](TObject*, WORD&, TShiftState) { seen.push_back("edit"); };
        dlg.Show();
        dlg.edtFecDesde->SetFocus();
        dlg.PressKey(VK_F5);
        EXPECT_EQ(seen, c.seen) << "preview " << c.preview << ", zeroes " << c.formZeroes;
    }
}

TEST(Dialog, DialogKeysComeBeforeThePreview) {
    CriteriaDialog dlg;
    dlg.btnPreview->SetDefault(true);
    std::vector<std::string> seen;
    dlg.OnKeyDown = [&](TObject*, WORD& key, TShiftState) { seen.push_back("form " + std::to_string(key)); };
    dlg.Show();
    dlg.edtFecDesde->SetFocus();
    dlg.PressKey(VK_RETURN);  // the default button takes it
    dlg.PressKey(VK_TAB);     // moves the focus
    EXPECT_EQ(dlg.previews, 1);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(dlg.ActiveControl(), dlg.edtFecHasta);
}

TEST(Dialog, AltAndTheAcceleratorClicksTheButtonWithoutMovingTheFocus) {
    CriteriaDialog dlg;
    dlg.Show();
    dlg.edtFecHasta->SetFocus();
    dlg.PressKey('P', ssAlt);
    EXPECT_EQ(dlg.previews, 1);
    EXPECT_EQ(dlg.ActiveControl(), dlg.edtFecHasta);
}

TEST(Dialog, WithoutADriverShowModalCancelsAtOnce) {
    FreePtr<CriteriaDialog> dlg(Create<CriteriaDialog>());
    std::vector<std::string> events;
    dlg->OnShow = [&](TObject*) { events.push_back("show"); };
    dlg->OnActivate = [&](TObject*) { events.push_back("activate"); };
    dlg->lkcmbTiendas->OnEnter = [&](TObject*) { events.push_back("enter lkcmbTiendas"); };
    dlg->OnClose = [&](TObject*, TCloseAction&) { events.push_back("close"); };
    EXPECT_EQ(dlg->ShowModal(), mrCancel);
    EXPECT_EQ(events, (std::vector<std::string>{"show", "activate", "enter lkcmbTiendas", "close"}));
    EXPECT_FALSE(dlg->Visible());
}

TEST(Dialog, OnCreateRunsAfterTheConstructorAndOnDestroyBeforeTheControlsGo) {
    std::vector<std::string> events;
    struct Dialog : CriteriaDialog {
        explicit Dialog(std::vector<std::string>& events) {
            OnCreate = [&events, this](TObject*) { events.push_back("create " + edtFecDesde->Text()); };
            OnDestroy = [&events, this](TObject*) { events.push_back("destroy " + edtFecHasta->Text()); };
        }
    };
    Dialog* dlg = Create<Dialog>(events);
    dlg->Free();
    EXPECT_EQ(events, (std::vector<std::string>{"create 01/05/2026", "destroy 31/05/2026"}));
    Dialog plain(events);
    EXPECT_THROW(plain.ShowModal(), EInvalidOperation) << "made without Create: OnCreate never ran";
}

TEST(Dialog, TheCloseBoxCancelsAModalDialogUnlessOnCloseRefuses) {
    ScriptDriver driver(ParseScript("close\nclose\n"));
    DriverScope scope(driver);
    FreePtr<CriteriaDialog> dlg(Create<CriteriaDialog>());
    int asked = 0;
    dlg->OnClose = [&](TObject*, TCloseAction& action) {
        if (++asked == 1) action = caNone;
    };
    EXPECT_EQ(dlg->ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
}

TEST(Dialog, AModalFormOpenedFromAHandlerPlaysTheNextStepsThenTheOuterGoesOn) {
    // As the F2 lookup window of a product edit: it opens over the dialog and returns a code.
    ScriptDriver driver(ParseScript(
        "focus edtFecDesde\n"
        "press F2\n"
        "set frmConsulta.edtBuscar=0105\n"
        "click btnAceptar\n"
        "click btnCancelar\n"));
    DriverScope scope(driver);
    FreePtr<CriteriaDialog> dlg(Create<CriteriaDialog>());
    TModalResult inner = -1;
    dlg->edtFecDesde->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        if (key != VK_F2) return;
        FreePtr<TForm> lookup(Create<TForm>(dlg.get()));
        lookup->SetName("frmConsulta");
        auto* search = NewControl<TEdit>(lookup.get(), "edtBuscar");
        NewControl<TButton>(lookup.get(), "btnAceptar")->SetModalResult(mrOk);
        inner = lookup->ShowModal();
        if (inner == mrOk) dlg->edtFecDesde->SetText(search->Text() + "/2026");
    };
    EXPECT_EQ(dlg->ShowModal(), mrCancel);
    EXPECT_EQ(inner, mrOk);
    EXPECT_EQ(dlg->edtFecDesde->Text(), "0105/2026");
    EXPECT_TRUE(driver.Failures().empty());
    EXPECT_EQ(Screen->FindForm("frmConsulta"), nullptr);
}

TEST(Dialog, AControlPlacedNowhereIsClickedByItsOwnState) {
    ScriptDriver driver(ParseScript("click lblUno\nclick lblDos\n"));
    DriverScope scope(driver);
    FreePtr<CriteriaDialog> dlg(Create<CriteriaDialog>());
    int clicks = 0;
    for (const char* name : {"lblUno", "lblDos"}) {
        auto* item = new TControl(dlg.get());
        item->SetName(name);
        item->OnClick = [&](TObject*) { ++clicks; };
    }
    static_cast<TControl*>(dlg->FindComponent("lblDos"))->SetVisible(false);
    EXPECT_EQ(dlg->ShowModal(), mrNone);
    EXPECT_EQ(clicks, 1);
    ASSERT_EQ(driver.Failures().size(), 1u);
    EXPECT_EQ(driver.Failures()[0], "línea 2: click lblDos: \"lblDos\" está desactivado o invisible");
}

TEST(Dialog, WithoutADriverAFormThatRefusesToCloseStillReturns) {
    FreePtr<CriteriaDialog> dlg(Create<CriteriaDialog>());
    dlg->OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
    EXPECT_EQ(dlg->ShowModal(), mrNone) << "the headless driver asks once and never loops";
    EXPECT_FALSE(dlg->Visible());
}
