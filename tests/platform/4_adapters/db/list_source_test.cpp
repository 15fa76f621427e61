// Tables as lookup lists, and temporary tables that go with the dialog that owns them.
#include "platform/4_adapters/db/list_source.h"

#include <gtest/gtest.h>

#include "platform/2_db/names.h"
#include "platform/2_db/table.h"
#include "platform/4_adapters/db/temptable_component.h"
#include "tests/platform/2_db/sales_fixture.h"

namespace {

TEST(ListSource, LookupListsATableAndLocatesItsKey) {
    dbtest::SalesFolder dir;
    db::TTable users;
    users.DatabaseName = "RazirWin10";
    users.TableName = "Usuarios.DB";
    users.SetFilter("TipoUsr<>'D'");
    users.SetFiltered(true);
    db::TDataSetListSource source(users);
    vcl::TDBLookupComboBox lookup(nullptr);
    lookup.SetKeyField("Usuario");
    lookup.SetListField("Usuario; Nombre");
    lookup.SetListSource(&source);
    lookup.SetKeyValue("015");
    EXPECT_EQ(users.FieldByName("Nombre").AsString(), "Beto") << "the table stands on the chosen record";
    EXPECT_EQ(source.FieldAsString("nombre"), "Beto");
    EXPECT_EQ(source.FieldAsString("NoHay"), "");
    EXPECT_FALSE(source.Locate("Usuario", "020")) << "filtered out";
    EXPECT_FALSE(source.Locate("NoHay", "020"));
}

TEST(ListSource, TemporaryTablesGoWithTheirDialog) {
    dbtest::TempFolder dir;
    auto* dialog = new vcl::TComponent(nullptr);
    auto* temps = new db::TTempTables(dialog);
    const std::string name = temps->Create(dir.Alias(), "tmpTabla", {{"Cont", db::FieldType::Integer}}).TableName();
    EXPECT_TRUE(db::TableFileExists(dir.Path(), name));
    delete dialog;
    EXPECT_FALSE(db::TableFileExists(dir.Path(), name));
}

}  // namespace
