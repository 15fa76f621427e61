// The information dialog over an error table written by a verification.
#include "tablemaint/component/infoav.h"

#include "platform/2_vcl/script.h"
#include "tablemaint/component/frmconta.h"
#include "tablemaint/engine/verify.h"
#include "tests/tablemaint/component/component_fixture.h"

namespace tablemaint::testing {
namespace {

TEST(InfoAv, OneRowPerErrorRecord) {
    DataFolder f;
    struct Case {
        size_t records;
    };
    for (const Case c : {Case{1}, Case{3}}) {
        std::vector<ErrorVerificacion> errors;
        for (size_t i = 0; i < c.records; ++i) errors.push_back({21, 1, "Página dañada " + std::to_string(i)});
        std::string err;
        ASSERT_TRUE(EscribeTablaErrores(CarpetaTemporal() + "VLMVERIF.DB", f.dir.path + "VENTAS.db", errors, &err)) << err;
        vcl::FreePtr<TdlgInfoAv> dlg(vcl::Create<TdlgInfoAv>(nullptr, 0));
        EXPECT_EQ(dlgInfoAv, dlg.get());
        dlg->Show();
        EXPECT_EQ(dlg->LbStirng1->Caption(), "Resultado de la verificación");
        EXPECT_EQ(dlg->sgUnico->RowCount(), int(c.records) + 1);
        EXPECT_EQ(dlg->sgUnico->Cells(0, 0), "Tabla");
        EXPECT_EQ(dlg->sgUnico->Cells(0, 1), f.dir.path + "VENTAS.db") << "drive, folder, name and extension joined";
        EXPECT_EQ(dlg->sgUnico->Cells(1, 1), "21");
        EXPECT_EQ(dlg->sgUnico->Cells(3, int(c.records)), "Página dañada " + std::to_string(c.records - 1));
        EXPECT_EQ(dlg->sgUnico->Cells(4, 1).size(), std::string("2002-05-29 10:00:00").size()) << "date, space, time";
        EXPECT_EQ(dlg->AnchoColumna(0), 6 * int((f.dir.path + "VENTAS.db").size()));
        EXPECT_FALSE(dlg->sgDos->Visible());
        dlg.reset();
        EXPECT_EQ(dlgInfoAv, nullptr);
    }
}

}  // namespace
}  // namespace tablemaint::testing
