// The text form of script steps: what each line means, that it reads back the same, and the
// errors a mistyped line gets.
#include "platform/2_vcl/script.h"

#include <gtest/gtest.h>

using namespace vcl;

TEST(Script, LinesBecomeStepsAndDescribeThemBack) {
    struct Case { const char* line; Step::Kind kind; const char* target; const char* text; const char* described; };
    const Case kCases[] = {
        {"focus edtFecDesde", Step::Kind::Focus, "edtFecDesde", "", "focus edtFecDesde"},
        {"type 01/05/2026", Step::Kind::Type, "", "01/05/2026", "type 01/05/2026"},
        {"type  dos espacios", Step::Kind::Type, "", " dos espacios", "type  dos espacios"},
        {"set edtFecDesde=01/05/2026", Step::Kind::Set, "edtFecDesde", "01/05/2026", "set edtFecDesde=01/05/2026"},
        {"set edtTitReporte=", Step::Kind::Set, "edtTitReporte", "", "set edtTitReporte="},
        {"set edtX=a=b", Step::Kind::Set, "edtX", "a=b", "set edtX=a=b"},
        {"pick lkcmbTiendas Tienda Centro", Step::Kind::Pick, "lkcmbTiendas", "Tienda Centro",
         "pick lkcmbTiendas Tienda Centro"},
        {"pick cmbOrden #2", Step::Kind::PickIndex, "cmbOrden", "", "pick cmbOrden #2"},
        {"drop lkcmbTiendas", Step::Kind::Drop, "lkcmbTiendas", "", "drop lkcmbTiendas"},
        {"CloseUp lkcmbTiendas", Step::Kind::CloseUp, "lkcmbTiendas", "", "closeup lkcmbTiendas"},
        {"click VistaPrevia.btnCerrar", Step::Kind::Click, "VistaPrevia.btnCerrar", "", "click VistaPrevia.btnCerrar"},
        {"press Esc", Step::Kind::Press, "", "", "press Escape"},
        {"press shift+tab", Step::Kind::Press, "", "", "press Shift+Tab"},
        {"press Alt+p", Step::Kind::Press, "", "", "press Alt+P"},
        {"press F12", Step::Kind::Press, "", "", "press F12"},
        {"press Intro", Step::Kind::Press, "", "", "press Enter"},
        {"answer Sí", Step::Kind::Answer, "", "", "answer Sí"},
        {"answer si", Step::Kind::Answer, "", "", "answer Sí"},
        {"answer OK", Step::Kind::Answer, "", "", "answer Aceptar"},
        {"  answer   No  ", Step::Kind::Answer, "", "", "answer No"},
        {"close", Step::Kind::Close, "", "", "close"},
        {"close VistaPrevia", Step::Kind::Close, "VistaPrevia", "", "close VistaPrevia"},
    };
    for (const auto& c : kCases) {
        const Step s = ParseStep(c.line);
        EXPECT_EQ(s.kind, c.kind) << c.line;
        EXPECT_EQ(s.target, c.target) << c.line;
        EXPECT_EQ(s.text, c.text) << c.line;
        EXPECT_EQ(Describe(s), c.described) << c.line;
        EXPECT_EQ(Describe(ParseStep(Describe(s))), c.described) << "reads back: " << c.line;
    }
}

TEST(Script, KeysAreTheirVirtualCodes) {
    struct Case { const char* name; WORD key; TShiftState shift; };
    const Case kCases[] = {
        {"Escape", VK_ESCAPE, ssNone}, {"Enter", VK_RETURN, ssNone}, {"Tab", VK_TAB, ssNone},
        {"F1", VK_F1, ssNone},         {"f2", VK_F2, ssNone},        {"Ctrl+Alt+Delete", VK_DELETE, ssCtrl | ssAlt},
        {"a", 'A', ssNone},            {"7", '7', ssNone},           {"Down", VK_DOWN, ssNone},
    };
    for (const auto& c : kCases) {
        const auto key = ParseKey(c.name);
        ASSERT_TRUE(key) << c.name;
        EXPECT_EQ(key->first, c.key) << c.name;
        EXPECT_EQ(key->second, c.shift) << c.name;
    }
    for (const char* bad : {"", "F13", "F0", "Hyper+A", "Enterr", "+"}) EXPECT_FALSE(ParseKey(bad)) << bad;
}

TEST(Script, MistypedLinesNameTheLineAndTheFault) {
    struct Case { const char* script; const char* message; };
    const Case kCases[] = {
        {"focus edtA\nbogus x", "línea 2: acción desconocida \"bogus\" (se esperaba focus, type, set, pick, drop, "
                                "closeup, press, click, answer o close)"},
        {"focus", "línea 1: falta el nombre del control"},
        {"# comentario\n\nclick btn Preview", "línea 3: \"btn Preview\" no es un nombre de control"},
        {"set edtFecDesde", "línea 1: se esperaba control=valor"},
        {"set =01/05/2026", "línea 1: falta el nombre del control"},
        {"pick lkcmbTiendas", "línea 1: se esperaba el control y el elemento que se elige"},
        {"press Ctrl+Q+", "línea 1: tecla desconocida \"Ctrl+Q+\""},
        {"answer Quizá", "línea 1: respuesta desconocida \"Quizá\""},
        {"type", "línea 1: falta el texto que se escribe"},
        {"pick cmbOrden #99999999999", "línea 1: índice fuera de rango \"#99999999999\""},
    };
    for (const auto& c : kCases) {
        try {
            ParseScript(c.script);
            ADD_FAILURE() << "accepted: " << c.script;
        } catch (const ScriptError& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.script;
        }
    }
}

TEST(Script, CommentsAndBlankLinesAreSkippedAndLinesNumbered) {
    const auto steps = ParseScript("# criterios\r\n\r\nset edtFecDesde=01/05/2026\r\n  \nclick btnPreview");
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].line, 3);
    EXPECT_EQ(steps[0].text, "01/05/2026") << "no carriage return left";
    EXPECT_EQ(steps[1].line, 5);
}

TEST(Script, CommandLineOptionsBecomeSteps) {
    struct Case { const char* option; const char* value; const char* described; };
    const Case kCases[] = {
        {"--set", "edtFecDesde=01/05/2026", "set edtFecDesde=01/05/2026"},
        {"--press", "btnPreview", "click btnPreview"},
        {"--press", "Escape", "press Escape"},
        {"--press", "Alt+P", "press Alt+P"},
        {"--pick", "lkcmbTiendas Norte", "pick lkcmbTiendas Norte"},
        {"--answer", "Sí", "answer Sí"},
        {"--close", "", "close"},
    };
    for (const auto& c : kCases) EXPECT_EQ(Describe(ParseOption(c.option, c.value)), c.described) << c.option;
    EXPECT_THROW(ParseOption("--set", "edtFecDesde"), ScriptError);
    EXPECT_THROW(ParseOption("--pulsar", "btnPreview"), ScriptError);
    try {
        ParseOption("--answer", "Quizá");
    } catch (const ScriptError& e) {
        EXPECT_EQ(std::string(e.what()), "--answer Quizá: respuesta desconocida \"Quizá\"");
    }
}

TEST(Script, ArbitraryBytesGiveAnErrorOrStepsNeverACrash) {
    // A fixed generator, so a failure repeats.
    unsigned state = 12345;
    auto next = [&] { return state = state * 1103515245u + 12345u; };
    const std::string alphabet = "focus type set pick drop closeup press click answer close #=+ \n\xc3\xb1\xff\x80" "Alt F1 #99999999999";
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int length = static_cast<int>(next() % 60);
        for (int i = 0; i < length; ++i) text += alphabet[next() % alphabet.size()];
        try {
            for (const Step& s : ParseScript(text)) Describe(s);
        } catch (const ScriptError&) {
        }
    }
}
