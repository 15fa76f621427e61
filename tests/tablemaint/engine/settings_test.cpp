// The engine's settings in its own configuration file.
#include <fstream>
#include <sstream>

#include "platform/1_text/ini.h"
#include "tablemaint/engine/settings.h"
#include "tests/tablemaint/engine/engine_fixture.h"

namespace tablemaint::testing {
namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Settings, SeededEntriesReadAndWritten) {
    TempDir dir;
    const std::string file = dir.path + "motor.ini";
    setenv("RAZIR_MOTOR", file.c_str(), 1);
    EnginePtr e(CreaVlmCtlArch(), DestruyeVlmCtlArch);
    char buf[260] = {};
    EXPECT_EQ(e->GetLocalShare(buf), 1);
    EXPECT_STREQ(buf, "FALSE");
    char node[] = "\\system\\init", entry[] = "local share", out[260] = {};
    EXPECT_TRUE(kGetBDEInfo(node, entry, out)) << "names compare ignoring case";
    EXPECT_STREQ(out, "FALSE");

    char level[] = "5";
    EXPECT_EQ(e->SetLevel(level), 1);
    std::memset(buf, 0, sizeof buf);
    e->GetLevel(buf);
    EXPECT_STREQ(buf, "5");

    const std::string before = Contents(file);
    char unknown[] = "NO EXISTE", value[] = "x";
    EXPECT_FALSE(kSetBDEInfo(node, unknown, value));
    EXPECT_EQ(Contents(file), before) << "no entry is created";
    char untouched[260] = "igual";
    EXPECT_FALSE(kGetBDEInfo(node, unknown, untouched));
    EXPECT_STREQ(untouched, "igual");

    ListaLD list;
    EXPECT_TRUE(e->GetListaLD(&list));
    ASSERT_GE(list.size(), 4u);
    std::memset(buf, 0, sizeof buf);
    e->GetLangDriver(buf);
    bool listed = false;
    for (const auto& ld : list) listed = listed || ld.nombre == buf;
    EXPECT_TRUE(listed) << "the current driver is one of the list";
    unsetenv("RAZIR_MOTOR");
}

// A line that is neither a header, an entry nor a comment used to be skipped, so a mistyped
// header handed its entries to the section above it.
TEST(Settings, MalformedLineNamesFileAndLine) {
    TempDir dir;
    const std::string file = dir.path + "motor.ini";
    setenv("RAZIR_MOTOR", file.c_str(), 1);
    std::ofstream(file) << "[\\SYSTEM\\INIT]\nLOCAL SHARE=FALSE\n[\\DRIVERS\\PARADOX\\INIT\nLEVEL=7\n";
    std::string value = "igual";
    try {
        LeeValor("\\SYSTEM\\INIT", "LOCAL SHARE", value);
        ADD_FAILURE() << "a malformed header was read past";
    } catch (const text::ConfigError& e) {
        EXPECT_NE(std::string(e.what()).find("\"" + file + "\", línea 3"), std::string::npos) << e.what();
    }
    EXPECT_EQ(value, "igual");
    const std::string before = Contents(file);
    EXPECT_THROW(EscribeValor("\\SYSTEM\\INIT", "LOCAL SHARE", "TRUE"), text::ConfigError);
    EXPECT_EQ(Contents(file), before);
    unsetenv("RAZIR_MOTOR");
}

// A written entry changes its own line only: the user's comments and quoting stay.
TEST(Settings, WriteKeepsTheRestOfTheFile) {
    TempDir dir;
    const std::string file = dir.path + "motor.ini";
    setenv("RAZIR_MOTOR", file.c_str(), 1);
    std::ofstream(file) << "; compartida con la caja 2\n[\\SYSTEM\\INIT]\n  local share = \"FALSE\"\n"
                           "[LANGDRIVERS]\n# sin comentarios en la lista\nUTF8ES=UTF-8\n";
    std::string value;
    ASSERT_TRUE(LeeValor("\\system\\init", "LOCAL SHARE", value));
    EXPECT_EQ(value, "FALSE") << "quotes are not part of the value";
    ASSERT_TRUE(EscribeValor("\\SYSTEM\\INIT", "LOCAL SHARE", "TRUE"));
    EXPECT_EQ(Contents(file), "; compartida con la caja 2\n[\\SYSTEM\\INIT]\n  local share =TRUE\n"
                              "[LANGDRIVERS]\n# sin comentarios en la lista\nUTF8ES=UTF-8\n");
    std::vector<ControladorIdioma> list;
    ASSERT_TRUE(ListaControladores(list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].nombre, "UTF8ES");
    unsetenv("RAZIR_MOTOR");
}

}  // namespace
}  // namespace tablemaint::testing
