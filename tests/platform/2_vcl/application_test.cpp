// The screen's forms in z-order and the active form, the application's help dispatch,
// program folder and deferred release, and the cursor shown through the driver.
#include "platform/2_vcl/application.h"

#include <gtest/gtest.h>

#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/script.h"

using namespace vcl;

namespace {

TForm* NewForm(const char* name) {
    TForm* f = Create<TForm>(nullptr);
    f->SetName(name);
    return f;
}

std::vector<std::string> ZOrder() {
    std::vector<std::string> names;
    for (TForm* f : Screen->FormList()) names.push_back(f->Name());
    return names;
}

}  // namespace

TEST(Screen, FormsRegisterOnCreationAndLeaveOnDestruction) {
    const int before = Screen->FormCount();
    FreePtr<TForm> a(NewForm("frmCatTie"));
    FreePtr<TForm> b(NewForm("VistaPrevia"));
    EXPECT_EQ(Screen->FormCount(), before + 2);
    EXPECT_EQ(Screen->FindForm("vistaprevia"), b.get());
    b.reset();
    EXPECT_EQ(Screen->FindForm("VistaPrevia"), nullptr);
    EXPECT_EQ(Screen->FormCount(), before + 1);
}

TEST(Screen, ShowingAndBringingToFrontOrderTheFormsAndActivate) {
    FreePtr<TForm> dialog(NewForm("frmCatTie"));
    FreePtr<TForm> preview(NewForm("VistaPrevia"));
    std::vector<std::string> events;
    for (TForm* f : {dialog.get(), preview.get()}) {
        f->OnActivate = [&events, f](TObject*) { events.push_back("activate " + f->Name()); };
        f->OnDeactivate = [&events, f](TObject*) { events.push_back("deactivate " + f->Name()); };
    }
    dialog->Show();
    preview->Show();
    EXPECT_EQ(ZOrder(), (std::vector<std::string>{"VistaPrevia", "frmCatTie"}));
    dialog->BringToFront();
    EXPECT_EQ(ZOrder(), (std::vector<std::string>{"frmCatTie", "VistaPrevia"}));
    EXPECT_EQ(Screen->ActiveForm(), dialog.get());
    dialog->Hide();
    EXPECT_EQ(Screen->ActiveForm(), preview.get()) << "the next visible form in z-order takes over";
    EXPECT_EQ(events, (std::vector<std::string>{"activate frmCatTie", "deactivate frmCatTie", "activate VistaPrevia",
                                                "deactivate VistaPrevia", "activate frmCatTie",
                                                "deactivate frmCatTie", "activate VistaPrevia"}));
    preview->Hide();
    EXPECT_EQ(Screen->ActiveForm(), nullptr);
}

TEST(Screen, TheCursorIsShownThroughTheDriver) {
    ScriptDriver driver;
    DriverScope scope(driver);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(driver.Log(), (std::vector<std::string>{"cursor reloj de arena", "cursor normal"}));
}

TEST(Application, ExeFolderIsTheFolderOfExeNameWithItsSeparator) {
    const std::string saved = Application->ExeName();
    EXPECT_FALSE(saved.empty()) << "read from /proc/self/exe";
    struct Case { const char* exe; const char* folder; };
    const Case kCases[] = {{"/opt/razir/razir", "/opt/razir/"}, {"/razir", "/"}, {"razir", ""}};
    for (const auto& c : kCases) {
        Application->SetExeName(c.exe);
        EXPECT_EQ(Application->ExeFolder(), c.folder) << c.exe;
    }
    Application->SetExeName(saved);
}

TEST(Application, HelpNotTakenOverByTheFormReachesTheDriver) {
    ScriptDriver driver;
    DriverScope scope(driver);
    FreePtr<TForm> form(NewForm("frmKardex"));
    form->SetHelpContext(100);
    auto* button = NewControl<TBitBtn>(form.get(), "btnAyuda");
    button->SetKind(bkHelp);
    std::vector<int> contexts;
    form->OnHelp = [&](WORD, int data, bool&) {
        contexts.push_back(data);
        return true;
    };
    button->Click();
    EXPECT_EQ(contexts, std::vector<int>{100});
    EXPECT_EQ(driver.Log(), std::vector<std::string>{"ayuda 100"}) << "CallHelp stayed true";
    EXPECT_FALSE(Application->HelpFor(nullptr));
}

TEST(Application, AReleasedFormGoesWhenMessagesAreProcessed) {
    TForm* form = NewForm("frmTemporal");
    form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    form->Show();
    form->Close();
    EXPECT_EQ(Screen->FindForm("frmTemporal"), form) << "not inside the handler that asked";
    Application->ProcessMessages();
    EXPECT_EQ(Screen->FindForm("frmTemporal"), nullptr);
}

TEST(Application, TheMainFormIsForgottenWhenDestroyed) {
    TForm* main = NewForm("frmPrincipal");
    Application->SetMainForm(main);
    auto* child = Create<TForm>(Application->MainForm());
    child->SetName("frmCatCaj");
    EXPECT_EQ(main->FindComponent("frmCatCaj"), child);
    main->Free();
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(Screen->FindForm("frmCatCaj"), nullptr) << "owned forms go with their owner";
}

TEST(Application, AnExceptionFromAHandlerIsShownAndTheScriptGoesOn) {
    ScriptDriver driver(ParseScript("click btnFalla\nclick btnCancelar\n"));
    DriverScope scope(driver);
    FreePtr<TForm> form(NewForm("frmFalla"));
    auto* fails = NewControl<TButton>(form.get(), "btnFalla");
    fails->OnClick = [](TObject*) { throw std::runtime_error("Tabla no encontrada"); };
    NewControl<TButton>(form.get(), "btnCancelar")->SetModalResult(mrCancel);
    EXPECT_EQ(form->ShowModal(), mrCancel);
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].request.text, "Tabla no encontrada");
    EXPECT_EQ(driver.Messages()[0].request.icon, MsgIcon::Error);
}
