// Message boxes reach the driver with the caption, icon, buttons and default the user sees,
// and hand back the driver's answer.
#include "platform/2_vcl/dialogs.h"

#include <gtest/gtest.h>

#include "platform/2_vcl/script.h"

using namespace vcl;

TEST(Messages, MessageBoxFlagsBecomeButtonsIconAndDefault) {
    struct Case { unsigned flags; std::vector<TModalResult> buttons; MsgIcon icon; TModalResult def; };
    const Case kCases[] = {
        {MB_OK, {mrOk}, MsgIcon::None, mrOk},
        {MB_OK | MB_ICONINFORMATION, {mrOk}, MsgIcon::Information, mrOk},
        {MB_OK | MB_ICONERROR, {mrOk}, MsgIcon::Error, mrOk},
        {MB_OK | MB_ICONWARNING, {mrOk}, MsgIcon::Warning, mrOk},
        {MB_YESNO | MB_ICONQUESTION, {mrYes, mrNo}, MsgIcon::Question, mrYes},
        {MB_YESNO | MB_DEFBUTTON2, {mrYes, mrNo}, MsgIcon::None, mrNo},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, {mrYes, mrNo, mrCancel}, MsgIcon::None, mrCancel},
        {MB_OKCANCEL | MB_DEFBUTTON3, {mrOk, mrCancel}, MsgIcon::None, mrCancel},
        {MB_ABORTRETRYIGNORE, {mrAbort, mrRetry, mrIgnore}, MsgIcon::None, mrAbort},
        {MB_RETRYCANCEL, {mrRetry, mrCancel}, MsgIcon::None, mrRetry},
    };
    for (const auto& c : kCases) {
        ScriptDriver driver;
        DriverScope scope(driver);
        const int answer = MessageBox("texto", "Advertencia", c.flags);
        ASSERT_EQ(driver.Messages().size(), 1u) << c.flags;
        const MessageRequest& r = driver.Messages()[0].request;
        EXPECT_EQ(r.buttons, c.buttons) << c.flags;
        EXPECT_EQ(r.icon, c.icon) << c.flags;
        EXPECT_EQ(r.defaultButton, c.def) << c.flags;
        EXPECT_EQ(answer, c.def) << "unanswered: the default button, flags " << c.flags;
        EXPECT_TRUE(driver.Messages()[0].defaulted);
    }
}

TEST(Messages, MessageDlgCaptionsIconsAndDefaults) {
    Application->SetTitle("Razir");
    struct Case { TMsgDlgType type; TMsgDlgButtons buttons; const char* caption; MsgIcon icon; TModalResult def; };
    const Case kCases[] = {
        {mtWarning, mbOK, "Advertencia", MsgIcon::Warning, mrOk},
        {mtError, mbOK, "Error", MsgIcon::Error, mrOk},
        {mtInformation, mbOKCancel, "Información", MsgIcon::Information, mrOk},
        {mtConfirmation, mbYes | mbNo, "Confirmación", MsgIcon::Question, mrYes},
        {mtConfirmation, mbNo | mbCancel, "Confirmación", MsgIcon::Question, mrNo},
        {mtCustom, 0, "Razir", MsgIcon::None, mrOk},
    };
    for (const auto& c : kCases) {
        ScriptDriver driver;
        DriverScope scope(driver);
        EXPECT_EQ(MessageDlg("¿Continuar?", c.type, c.buttons), c.def) << c.caption;
        const MessageRequest& r = driver.Messages().at(0).request;
        EXPECT_EQ(r.caption, c.caption);
        EXPECT_EQ(r.icon, c.icon) << c.caption;
        EXPECT_EQ(r.text, "¿Continuar?");
    }
}

TEST(Messages, QueuedAnswersAreGivenInOrderAndRecorded) {
    ScriptDriver driver;
    DriverScope scope(driver);
    driver.QueueAnswer(mrNo);
    driver.QueueAnswer(mrYes);
    const char* text = "El archivo a crear ya existe ¿Desea reinicializarlo?";
    EXPECT_EQ(MessageBox(text, "Archios", MB_YESNO | MB_ICONINFORMATION), IDNO);
    EXPECT_EQ(MessageBox(text, "Archios", MB_YESNO | MB_ICONINFORMATION), IDYES);
    ShowMessage("El directorio de red no existe");
    ASSERT_EQ(driver.Messages().size(), 3u);
    EXPECT_EQ(Describe(driver.Messages()[0]),
              "mensaje [Archios] \"El archivo a crear ya existe ¿Desea reinicializarlo?\" (información) [Sí*, No] -> No");
    EXPECT_EQ(Describe(driver.Messages()[2]),
              "mensaje [Razir] \"El directorio de red no existe\" (sin icono) [Aceptar*] -> Aceptar (por omisión)");
    EXPECT_TRUE(driver.Failures().empty());
}

TEST(Messages, AnAnswerThatIsNotAButtonFailsTheScriptAndTheDefaultAnswers) {
    ScriptDriver driver;
    DriverScope scope(driver);
    driver.QueueAnswer(mrYes);
    EXPECT_EQ(MessageBox("No es posible mostrar díalogo,\nbaje una o más de su aplicaciones que no esten en uso.", "", MB_OK),
              IDOK);
    ASSERT_EQ(driver.Failures().size(), 1u);
    EXPECT_NE(driver.Failures()[0].find("\"Sí\" no es un botón"), std::string::npos);
}

TEST(Messages, TheHeadlessDriverAnswersTheDefaultAndRecords) {
    HeadlessDriver headless;
    DriverScope scope(headless);
    EXPECT_EQ(MessageBox("¿Imprimir?", "Reporte", MB_YESNO | MB_DEFBUTTON2), IDNO);
    ASSERT_EQ(headless.Messages().size(), 1u);
    EXPECT_EQ(headless.Messages()[0].request.caption, "Reporte");
}
