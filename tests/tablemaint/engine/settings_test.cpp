// The engine's settings in its own configuration file.
#include <fstream>
#include <sstream>

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

}  // namespace
}  // namespace tablemaint::testing
