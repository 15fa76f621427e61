#include "platform/1_text/ini.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace text;

TEST(Ini, ReadsSectionsKeysAndQuotedValues) {
    const IniFile ini = IniFile::Parse(
        "\xEF\xBB\xBF; comentario\r\n[Empresa]\r\nNomEmpresa = Abarrotes Peña \r\n\r\n"
        "[regional]\nThousandSeparator=\" \"\n# otro\nVacia=\n",
        "razir.ini");
    ASSERT_NE(ini.Find("EMPRESA"), nullptr);
    EXPECT_EQ(ini.Find("empresa")->Find("nomempresa")->value, "Abarrotes Peña");
    EXPECT_EQ(ini.Find("Regional")->Find("ThousandSeparator")->value, " ");
    EXPECT_EQ(ini.Find("Regional")->Find("Vacia")->value, "");
    EXPECT_EQ(ini.Find("Regional")->Find("ThousandSeparator")->line, 6);
    EXPECT_EQ(ini.Find("Otra"), nullptr);
}

TEST(Ini, MalformedLinesNameFileAndLine) {
    struct Case { const char* text; const char* message; };
    constexpr Case kCases[] = {
        {"[Empresa]\nsin igual\n", "Error en \"c.ini\", línea 2: se esperaba Clave=Valor: sin igual"},
        {"Clave=1\n", "Error en \"c.ini\", línea 1: la clave está fuera de toda sección: Clave=1"},
        {"[Empresa\n", "Error en \"c.ini\", línea 1: encabezado de sección mal formado: [Empresa"},
        {"[A]\nx=1\nX=2\n", "Error en \"c.ini\", línea 3: la clave X aparece dos veces en [A]"},
        {"[A]\n[a]\n", "Error en \"c.ini\", línea 2: la sección [a] aparece dos veces"},
    };
    for (const auto& c : kCases) {
        try {
            IniFile::Parse(c.text, "c.ini");
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const ConfigError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

TEST(Ini, Windows1252TextIsConverted) {
    // "Peña" and "€" as a Windows editor saves them.
    const IniFile ini = IniFile::Parse("[Empresa]\nNomEmpresa=Pe\xF1" "a \x80\n", "c.ini");
    EXPECT_EQ(ini.Find("Empresa")->Find("NomEmpresa")->value, "Peña €");
}

TEST(Ini, WriteQuotesWhatNeedsItAndReadsBack) {
    IniFile ini;
    ini.Set("A", "blanco", " ");
    ini.Set("A", "comilla", "\"x\"");
    ini.Set("A", "normal", "uno dos");
    ini.Set("A", "salto", "uno\ndos");
    ini.Set("B", "k", "v");
    ini.Set("a", "NORMAL", "tres");  // same section and key, any case: replaced
    const IniFile back = IniFile::Parse(ini.ToText(), "x.ini");
    EXPECT_EQ(back.Find("A")->Find("blanco")->value, " ");
    EXPECT_EQ(back.Find("A")->Find("comilla")->value, "\"x\"");
    EXPECT_EQ(back.Find("A")->Find("normal")->value, "tres");
    EXPECT_EQ(back.Find("A")->Find("salto")->value, "uno dos");
    EXPECT_EQ(back.Find("B")->Find("k")->value, "v");
}

TEST(Ini, LoadTellsAMissingFileFromABadOne) {
    const std::string folder = ::testing::TempDir() + "ini_load_test/";
    std::filesystem::create_directories(folder);
    EXPECT_FALSE(IniFile::Load(folder + "no_existe.ini").has_value());
    std::ofstream(folder + "mal.ini") << "[ProcesosCriticos]\nProceso1=2\nsleep 30\n";
    try {
        IniFile::Load(folder + "mal.ini");
        ADD_FAILURE() << "a line without '=' was read";
    } catch (const ConfigError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Error en \"" + folder + "mal.ini\", línea 3: se esperaba Clave=Valor: sleep 30");
    }
    try {
        IniFile::Load(folder);  // a folder is not a settings file
        ADD_FAILURE() << "a folder was read";
    } catch (const ConfigError& e) {
        EXPECT_NE(std::string(e.what()).find("no es un archivo"), std::string::npos);
    }
}
