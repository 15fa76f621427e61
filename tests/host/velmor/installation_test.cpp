#include "host/velmor/installation.h"
#include "host/velmor/help.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/2_shell/folders.h"
#include "platform/1_text/format.h"

using namespace velmor;
namespace fs = std::filesystem;

namespace {

class TempInstallation : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = shell::TempFolder() + "razir_velmor_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    void Write(const std::string& text) { std::ofstream(folder_ + "razir.ini") << text; }

    std::string folder_;
};

std::string ErrorOf(std::string_view text) {
    try {
        Installation::Parse(text, "/opt/razir/", "/opt/razir/razir.ini");
    } catch (const ConfigError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST_F(TempInstallation, MissingFileGivesDefaultsAndSaysSo) {
    const Installation inst = Installation::Load(folder_);
    EXPECT_FALSE(inst.ConfigFound);
    EXPECT_EQ(inst.ConfigFile, folder_ + "razir.ini");
    EXPECT_EQ(inst.DataFolder(), folder_ + "datos/");
    EXPECT_EQ(inst.DataFolder("razirwin10"), folder_ + "datos/");
    EXPECT_EQ(inst.NetFolder(), folder_ + "datos/");
    EXPECT_EQ(inst.HelpFolder, folder_ + "ayuda/");
    EXPECT_EQ(inst.PortDevice("COM1"), "/dev/ttyS0");
    EXPECT_EQ(inst.PortDevice("lpt1"), "/dev/lp0");
    EXPECT_EQ(inst.PortDevice("COM9"), "");
    EXPECT_EQ(inst.PrinterCodePage, "CP850");
    EXPECT_EQ(inst.Regional, text::FormatSettings{});
    EXPECT_TRUE(inst.FechaTrabajoHoy);
    EXPECT_EQ(inst.Config.DecCantidad, 2);
    EXPECT_EQ(inst.Config.TipoMovVentas, 2);
}

TEST_F(TempInstallation, ReadsEveryKindOfValue) {
    Write("[Empresa]\nNomEmpresa=Abarrotes La Peña\nRFCEmpresa=APE010101AB1\n"
          "[Sesion]\nTiendaActual=07\nCajaActual=03\nFechaTrabajo=29/05/2026\nAccesoTotal=No\n"
          "[Opciones]\nArchivosPorTienda=Sí\nPreciosConImpuestos=false\nModuloClientes=3\n"
          "DecCantidad=0\nOpcionImpresion=-1\n"
          "[Impuestos]\nNomImpuesto2=IEPS\nPorcImpuesto2=160\nPorcImpuesto1=8.5\n"
          "[Movimientos]\nTipoMovPerdidas=18\n"
          "[Alias]\nRazirWin10=/srv/datos\nCentral=central\n"
          "[Carpetas]\nNetFileDir=diarios\nAyuda=/usr/share/razir/ayuda\n"
          "[Puertos]\nCOM1=/dev/ttyUSB0\nLPT1=ticket.txt\n"
          "[Impresora]\nCodePage=cp1252\n"
          "[Regional]\nCurrencyString=MXN\nThousandSeparator=\" \"\nDecimalSeparator=,\n");
    const Installation inst = Installation::Load(folder_);
    const TRazirConfig& c = inst.Config;
    EXPECT_TRUE(inst.ConfigFound);
    EXPECT_EQ(c.NomEmpresa, "Abarrotes La Peña");
    EXPECT_EQ(c.RFCEmpresa, "APE010101AB1");
    EXPECT_EQ(c.TiendaActual, "07");
    EXPECT_EQ(c.CajaActual, "03");
    EXPECT_EQ(text::ToIsoDate(c.FechaTrabajo), "2026-05-29");
    EXPECT_FALSE(inst.FechaTrabajoHoy);
    EXPECT_FALSE(c.AccesoTotal);
    EXPECT_TRUE(c.ArchivosPorTienda);
    EXPECT_FALSE(c.PreciosConImpuestos);
    EXPECT_EQ(c.ModuloClientes, 3);
    EXPECT_EQ(c.DecCantidad, 0);
    EXPECT_EQ(c.OpcionImpresion, -1);
    EXPECT_EQ(c.NomImpuesto1, "IVA");
    EXPECT_EQ(c.NomImpuesto2, "IEPS");
    EXPECT_EQ(c.PorcImpuesto1, 8.5);
    EXPECT_EQ(c.PorcImpuesto2, 160);
    EXPECT_EQ(c.TipoMovPerdidas, 18);
    EXPECT_EQ(inst.DataFolder(), "/srv/datos/");
    EXPECT_EQ(inst.DataFolder("central"), folder_ + "central/");
    EXPECT_EQ(inst.NetFolder(), folder_ + "diarios/");
    EXPECT_EQ(inst.HelpFolder, "/usr/share/razir/ayuda/");
    EXPECT_EQ(inst.PortDevice("COM1"), "/dev/ttyUSB0");
    EXPECT_EQ(inst.PortDevice("COM2"), "/dev/ttyS1");
    EXPECT_EQ(inst.PortDevice("LPT1"), folder_ + "ticket.txt");
    EXPECT_EQ(inst.PrinterCodePage, "CP1252");
    EXPECT_EQ(inst.Regional.CurrencyString, "MXN");
    EXPECT_EQ(inst.Regional.ThousandSeparator, ' ');
    EXPECT_EQ(inst.Regional.DecimalSeparator, ',');
    EXPECT_EQ(text::FormatFloat("###,##0.00", 1234.5, inst.Regional), "1 234,50");
}

TEST(Installation, BooleansAndDatesInTheirAcceptedForms) {
    struct Case { const char* value; bool expected; };
    constexpr Case kBools[] = {{"Sí", true}, {"SÍ", true}, {"si", true}, {"1", true},
                               {"true", true}, {"No", false}, {"0", false}, {"FALSE", false}};
    for (const auto& c : kBools) {
        const auto inst = Installation::Parse(std::string("[Sesion]\nAccesoTotal=") + c.value,
                                              "/opt/razir", "razir.ini");
        EXPECT_EQ(inst.Config.AccesoTotal, c.expected) << c.value;
    }
    for (const char* date : {"29/05/2026", "2026-05-29", "29/5/2026"}) {
        const auto inst = Installation::Parse(std::string("[Sesion]\nFechaTrabajo=") + date,
                                              "/opt/razir", "razir.ini");
        EXPECT_EQ(text::ToIsoDate(inst.Config.FechaTrabajo), "2026-05-29") << date;
    }
}

TEST(Installation, WrongValuesGiveClearErrors) {
    struct Case { const char* text; const char* message; };
    constexpr Case kCases[] = {
        {"[Opciones]\nDecCantidad=dos\n",
         "Error en \"/opt/razir/razir.ini\", línea 2: el valor \"dos\" de la clave DecCantidad en "
         "[Opciones] no es válido: se espera un número entero de 0 a 6"},
        {"[Opciones]\nDecCantidad=7\n",
         "Error en \"/opt/razir/razir.ini\", línea 2: el valor \"7\" de la clave DecCantidad en "
         "[Opciones] no es válido: se espera un número entero de 0 a 6"},
        {"[Sesion]\nAccesoTotal=quizá\n",
         "Error en \"/opt/razir/razir.ini\", línea 2: el valor \"quizá\" de la clave AccesoTotal "
         "en [Sesion] no es válido: se espera Sí o No (también 1/0, true/false)"},
        {"[Sesion]\nFechaTrabajo=31/02/2026\n",
         "Error en \"/opt/razir/razir.ini\", línea 2: el valor \"31/02/2026\" de la clave "
         "FechaTrabajo en [Sesion] no es válido: se espera una fecha dd/mm/aaaa o aaaa-mm-dd"},
        {"[Sesion]\nFechaTrabajo=29/05/26\n",
         "Error en \"/opt/razir/razir.ini\", línea 2: el valor \"29/05/26\" de la clave "
         "FechaTrabajo en [Sesion] no es válido: se espera una fecha dd/mm/aaaa o aaaa-mm-dd"},
        {"[Impuestos]\nPorcImpuesto1=-16\n",
         "Error en \"/opt/razir/razir.ini\", línea 2: el valor \"-16\" de la clave PorcImpuesto1 "
         "en [Impuestos] no es válido: se espera un número de 0 a 1000"},
        {"[Opciones]\nModuloClientes=2.5\n",
         "Error en \"/opt/razir/razir.ini\", línea 2: el valor \"2.5\" de la clave ModuloClientes "
         "en [Opciones] no es válido: se espera un número entero de 0 a 255"},
        {"[Empresa]\nNombre=X\n",
         "Error en \"/opt/razir/razir.ini\", línea 2: la clave Nombre no existe en [Empresa]"},
        {"[Impresora]\nCodePage=UTF-8\n",
         "Error en \"/opt/razir/razir.ini\", línea 2: el valor \"UTF-8\" de la clave CodePage en "
         "[Impresora] no es válido: se espera CP437, CP850, CP858 o CP1252"},
        {"[Alias]\nRazirWin10=\n",
         "Error en \"/opt/razir/razir.ini\", línea 2: el valor \"\" de la clave RazirWin10 en "
         "[Alias] no es válido: no puede quedar vacío"},
        {"[Regional]\nCurrencyDecimals=x\n",
         "Error en \"/opt/razir/razir.ini\", línea 2, [Regional]: valor no válido para "
         "CurrencyDecimals: \"x\" (se espera un número de 0 a 4)"},
        {"[Regional]\nDecimalSeparator=,\n",
         "Error en \"/opt/razir/razir.ini\", [Regional]: el separador decimal y el de millares "
         "deben ser distintos (DecimalSeparator=\",\", ThousandSeparator=\",\")"},
        {"[Regional]\nLongMonthNames=enero,febrero\n",
         "Error en \"/opt/razir/razir.ini\", línea 2, [Regional]: valor no válido para "
         "LongMonthNames: \"enero,febrero\" (se esperan 12 nombres separados por comas)"},
        {"[Regional]\nColor=azul\n",
         "Error en \"/opt/razir/razir.ini\", línea 2, [Regional]: clave desconocida: Color"},
    };
    for (const auto& c : kCases) EXPECT_EQ(ErrorOf(c.text), c.message) << c.text;
}

TEST_F(TempInstallation, UnreadableConfigurationIsAnError) {
    fs::create_directories(folder_ + "razir.ini");  // a folder where the file should be
    try {
        Installation::Load(folder_);
        FAIL() << "no error";
    } catch (const ConfigError& e) {
        EXPECT_EQ(std::string(e.what()), "No se puede leer \"" + folder_ + "razir.ini\": no es un archivo");
    }
}

TEST_F(TempInstallation, UnknownSectionsAreKeptAndReported) {
    Write("[Notas]\nFormato=ticket.nta\n[Empresa]\nNomEmpresa=X\n");
    const Installation inst = Installation::Load(folder_);
    ASSERT_EQ(inst.Warnings.size(), 1u);
    EXPECT_NE(inst.Warnings[0].find("[Notas]"), std::string::npos);
    inst.Save();
    const Installation again = Installation::Load(folder_);
    ASSERT_NE(again.OtherSections.Find("Notas"), nullptr);
    EXPECT_EQ(again.OtherSections.Find("Notas")->Find("Formato")->value, "ticket.nta");
}

TEST_F(TempInstallation, SaveAndLoadGiveTheSameValues) {
    Installation inst = Installation::Defaults(folder_);
    TRazirConfig& c = inst.Config;
    c.NomEmpresa = "Ferretería \"El Clavo\"";
    c.DirEmpresa = " Av. Juárez 12 ";  // blanks at the ends survive
    c.AccesoTotal = false;
    c.PorcImpuesto1 = 16;
    c.PorcImpuesto3 = 0.1;
    c.DecCantidad = 3;
    c.OpcionImpresion = 123456;
    c.ModuloClientes = 255;
    c.TipoMovAjustes = 77;
    c.FechaTrabajo = text::EncodeDate(2026, 12, 11);
    inst.FechaTrabajoHoy = false;
    inst.Aliases.emplace_back("Central", "/srv/central/");
    inst.NetFileDir = folder_ + "diarios/";
    inst.Ports[0].second = folder_ + "puertos/com1";
    inst.PrinterCodePage = "CP437";
    inst.Regional.ShortDateFormat = "d/m/yyyy";
    inst.Regional.ThousandSeparator = ' ';
    inst.Regional.LongMonthNames[0] = "Enero";
    inst.Save();

    const Installation back = Installation::Load(folder_);
    const TRazirConfig& b = back.Config;
    EXPECT_TRUE(back.ConfigFound);
    EXPECT_EQ(b.NomEmpresa, c.NomEmpresa);
    EXPECT_EQ(b.DirEmpresa, c.DirEmpresa);
    EXPECT_EQ(b.AccesoTotal, c.AccesoTotal);
    EXPECT_EQ(b.PorcImpuesto1, c.PorcImpuesto1);
    EXPECT_EQ(b.PorcImpuesto3, c.PorcImpuesto3);
    EXPECT_EQ(b.DecCantidad, c.DecCantidad);
    EXPECT_EQ(b.OpcionImpresion, c.OpcionImpresion);
    EXPECT_EQ(b.ModuloClientes, c.ModuloClientes);
    EXPECT_EQ(b.TipoMovAjustes, c.TipoMovAjustes);
    EXPECT_EQ(b.FechaTrabajo, c.FechaTrabajo);
    EXPECT_EQ(back.Aliases, inst.Aliases);
    EXPECT_EQ(back.NetFileDir, inst.NetFileDir);
    EXPECT_EQ(back.HelpFolder, inst.HelpFolder);
    EXPECT_EQ(back.Ports, inst.Ports);
    EXPECT_EQ(back.PrinterCodePage, inst.PrinterCodePage);
    EXPECT_EQ(back.Regional, inst.Regional);
    // A second save writes the very same text: nothing drifts.
    EXPECT_EQ(back.ToText(), inst.ToText());
    // Folders inside the installation are written relative to it, so it can be moved.
    EXPECT_NE(inst.ToText().find("RazirWin10=datos\n"), std::string::npos);
    EXPECT_NE(inst.ToText().find("NetFileDir=diarios\n"), std::string::npos);
}

TEST_F(TempInstallation, TodayStaysTodayAcrossSave) {
    Installation inst = Installation::Defaults(folder_);
    inst.Save();
    EXPECT_NE(inst.ToText().find("FechaTrabajo=\n"), std::string::npos);
    const Installation back = Installation::Load(folder_);
    EXPECT_TRUE(back.FechaTrabajoHoy);
    EXPECT_EQ(back.Config.FechaTrabajo, inst.Config.FechaTrabajo);
}

TEST(Installation, FolderFromTheEnvironmentOrBesideTheProgram) {
    setenv("RAZIR_HOME", "/opt/razir", 1);
    EXPECT_EQ(FindInstallationFolder(), "/opt/razir/");
    setenv("RAZIR_HOME", "", 1);
    EXPECT_EQ(FindInstallationFolder(), shell::ProgramFolder());
    unsetenv("RAZIR_HOME");
    EXPECT_EQ(FindInstallationFolder(), shell::ProgramFolder());
}

TEST(TRazirConfig, StoreDescriptionComesFromTheLookup) {
    TRazirConfig c;
    EXPECT_EQ(c.GetDescripcionTienda(), "");  // no lookup installed
    c.SetStoreLookup([](std::string_view store) -> std::optional<std::string> {
        if (store == "01") return "Matriz Centro";
        return std::nullopt;
    });
    c.TiendaActual = "01";
    EXPECT_EQ(c.GetDescripcionTienda(), "Matriz Centro");
    c.TiendaActual = "99";
    EXPECT_EQ(c.GetDescripcionTienda(), "");
}

TEST(Installation, MakeCurrentPublishesConfigLocaleAndHelp) {
    Installation inst = Installation::Parse(
        "[Empresa]\nNomEmpresa=X\n[Carpetas]\nAyuda=/srv/ayuda\n[Regional]\nCurrencyString=MXN\n",
        "/opt/razir", "razir.ini");
    const text::FormatSettings saved = text::DefaultFormatSettings();
    inst.MakeCurrent();
    ASSERT_EQ(RazirWinConfig, &inst.Config);
    EXPECT_EQ(RazirWinConfig->NomEmpresa, "X");
    EXPECT_EQ(text::DefaultFormatSettings().CurrencyString, "MXN");
    EXPECT_EQ(HelpPage("/opt/razir/Razir.chm::/1.htm"), "/srv/ayuda/Razir/index.htm");
    RazirWinConfig = nullptr;
    text::SetDefaultFormatSettings(saved);
    SetHelpFolder("");
}
