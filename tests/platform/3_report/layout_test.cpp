// Layout loading: the model built from a layout, lookups by name, and errors naming the line.
#include "platform/3_report/layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/3_report/memory_dataset.h"

namespace report {
namespace {

TEST(ReportLayout, LoadsTheSalesLayoutAndFindsComponentsByName) {
    MemoryDatasetFactory factory;
    // The file is "RVentas.QR2": a lower-case request still finds it.
    auto rep = LoadLayout(std::string(RAZIR_FIXTURES) + "/report/rventas.qr2", factory);
    EXPECT_EQ(rep->Name, "RVentas");
    ASSERT_EQ(rep->Datasets().size(), 1u);
    Dataset* q = rep->Find<Dataset>("query1");
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->DatabaseName, "RazirWin10");
    EXPECT_EQ(q->SQL.size(), 2u);
    EXPECT_NE(q->ParamByName("TIENDAINI"), nullptr);
    EXPECT_EQ(q->ParamByName("NoExiste"), nullptr);
    EXPECT_TRUE(rep->SetCaption("lblNomEmpresa", "Abarrotes"));
    EXPECT_EQ(rep->Find<Label>("LBLNOMEMPRESA")->Caption(), "Abarrotes");
    EXPECT_FALSE(rep->SetCaption("lblNoEsta", "x")) << "a missing label is skipped";
    EXPECT_FALSE(rep->SetCaption("lblCant", "x")) << "a data field is not a label";
    EXPECT_TRUE(rep->SetDisplayMask("lblCant", "#0.000"));
    EXPECT_TRUE(rep->SetDisplayMask("lblSubMonto", "#0"));
    EXPECT_EQ(rep->FindComponent("nada"), nullptr);
    EXPECT_EQ(rep->FindComponent(""), nullptr);
    ASSERT_EQ(rep->Groups.size(), 1u);
    EXPECT_EQ(rep->Groups[0].footer->Name(), "bndSubtotal");
    EXPECT_EQ(rep->Find<ExprItem>("lblSubCant")->Reset, ResetKind::Group);
    EXPECT_NEAR(rep->Page.width, 210, 1e-9);
}

TEST(ReportLayout, MalformedLayoutsNameTheirLine) {
    struct Case { const char* xml; int line; const char* what; };
    const Case cases[] = {
        {"<report>\n<bands>\n<detail height='5'>\n</bands>\n</report>", 4, "XML mal formado"},
        {"<informe/>", 1, "raíz"},
        {"<report>\n</report>", 1, "falta el elemento <bands>"},
        {"<report>\n<bands>\n<detail height='cinco'/>\n</bands>\n</report>", 3, "número"},
        {"<report>\n<bands>\n<title height='5'>\n  <etiqueta/>\n</title>\n</bands>\n</report>", 4, "<etiqueta>"},
        {"<report>\n<bands>\n<title height='5'>\n<label colour='red'/>\n</title>\n</bands>\n</report>", 4, "colour"},
        {"<report>\n<bands dataset='Query9'/>\n</report>", 2, "Query9"},
        {"<report>\n<page size='A3'/>\n<bands/>\n</report>", 2, "A3"},
        {"<report>\n<page left='200' right='20'/>\n<bands/>\n</report>", 2, "márgenes"},
        {"<report>\n<datasets>\n<query name='Q'/>\n<query name='q'/>\n</datasets>\n<bands/>\n</report>", 4, "repetido"},
        {"<report>\n<datasets>\n<query name='D' master='M'><link detail='a' master='b'/></query>\n</datasets>\n<bands/>\n</report>", 3, "maestro"},
        {"<report>\n<bands>\n<summary height='5'>\n<expr expression='SUM(1'/>\n</summary>\n</bands>\n</report>", 4, "falta \")\""},
        {"<report>\n<bands>\n<summary height='5'>\n<barcode symbology='PDF999' data='1'/>\n</summary>\n</bands>\n</report>", 4, "simbología"},
        {"<report>\n<datasets><query name='Q'/></datasets>\n<bands dataset='Q'>\n<detail/>\n<detail/>\n</bands>\n</report>", 5, "dos veces"},
        {"<report>\n<bands>\n<summary height='5'>\n<field name='f'/>\n</summary>\n</bands>\n</report>", 4, "field"},
    };
    MemoryDatasetFactory factory;
    for (const Case& c : cases) {
        try {
            ParseLayout(c.xml, "Prueba.QR2", factory);
            ADD_FAILURE() << "accepted: " << c.xml;
        } catch (const LayoutError& e) {
            EXPECT_EQ(e.File(), "Prueba.QR2");
            EXPECT_EQ(e.Line(), c.line) << c.xml << "\n" << e.what();
            EXPECT_NE(std::string(e.what()).find(c.what), std::string::npos) << e.what();
        }
    }
}

TEST(ReportLayout, MissingFileIsALayoutError) {
    MemoryDatasetFactory factory;
    EXPECT_THROW(LoadLayout("/no/existe/RNada.QR2", factory), LayoutError);
    EXPECT_EQ(FindLayoutFile("/no/existe/RNada.QR2"), "");
}

}  // namespace
}  // namespace report
