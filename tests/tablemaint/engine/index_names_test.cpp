// Index identifiers and the index file names of the maintenance dialog.
#include "tablemaint/engine/index_names.h"

#include "tests/tablemaint/engine/engine_fixture.h"

namespace tablemaint::testing {
namespace {

TEST(IndexNames, ArmaNombreIndice) {
    struct Case {
        unsigned id;
        const char* table;
        const char* name;
    };
    constexpr Case kCases[] = {
        {10, "VENTAS.db", "VENTAS.X0A"}, {257, "VENTAS.db", "VENTAS.XG1"}, {1, "VENTAS.db", "VENTAS.X01"},
        {255, "VENTAS.db", "VENTAS.XFF"}, {256, "VENTAS.db", "VENTAS.XG0"}, {3, "x", "X03"},
    };
    EnginePtr e(CreaVlmCtlArch(), DestruyeVlmCtlArch);
    for (const auto& c : kCases) {
        char out[260];
        e->ArmaNombreIndice(out, uint16_t(c.id), c.table);
        EXPECT_STREQ(out, c.name) << c.id;
    }
}

TEST(IndexNames, NamesComeFromTheIndexesInsideTheTableFile) {
    TempDir dir;
    auto e = OpenEngine(dir.path, DicBuilder()
                                      .Tabla(1, "VENTAS")
                                      .Campo(1, "Caja", 1, 2)
                                      .Campo(1, "Nota", 1, 20)
                                      .Campo(1, "Fecha", 11)
                                      .Indice(1, "PRIMARIO", "Caja;Nota", true)
                                      .Indice(1, "XFECHA", "Fecha")
                                      .Indice(1, "XNOTA", "Nota")
                                      .Indice(1, "XCAJAFECHA", "Caja;Fecha")
                                      .d);
    ASSERT_EQ(e->CreaTbl("VENTAS"), 0);
    struct Case {
        const char* index;
        const char* name;
    };
    constexpr Case kCases[] = {
        {"XFECHA", "VENTAS.X03"},  // single field: its field number
        {"xfecha", "VENTAS.X03"},  // names compare ignoring case
        {"XNOTA", "VENTAS.X02"},   // field 2 is a real index, not "none"
        {"XCAJAFECHA", "VENTAS.XG0"},
        {"NOESTA", ""},
    };
    for (const auto& c : kCases) {
        char out[260] = "basura";
        e->GetNomReal(out, "VENTAS.db", c.index);
        EXPECT_STREQ(out, c.name) << c.index;
    }
    char table[] = "VENTAS.db", missing[] = "NOESTA", folder[260];
    std::strcpy(folder, dir.path.c_str());
    EXPECT_EQ(kGetIdenIdx(table, folder, missing), 2);

    struct File {
        const char* name;
        bool exists;
    };
    constexpr File kFiles[] = {
        {"VENTAS.db", true}, {"ventas.DB", true}, {"VENTAS.px", true}, {"VENTAS.X03", true},
        {"VENTAS.Y03", true}, {"VENTAS.XG0", true}, {"VENTAS.X05", false}, {"VENTAS.XG1", false},
        {"", false},         {"OTRA.px", false},
    };
    for (const auto& f : kFiles) {
        auto d = DescribeArchivo(dir.path, f.name);
        EXPECT_EQ(d.existe, f.exists) << f.name;
    }
}

}  // namespace
}  // namespace tablemaint::testing
