// TTable on real table files: creation, filling, reading back, order, keys, ranges, filters,
// editing and names that differ in case.
#include "platform/2_db/table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/2_db/batch.h"
#include "platform/2_db/query.h"

#include "tests/platform/2_db/temp_folder.h"

namespace {

using db::FieldDef;
using db::FieldType;
using db::IndexDef;
using db::TTable;
using db::Value;

class TableTest : public ::testing::Test {
protected:
    void SetUp() override {
        TTable t;
        t.DatabaseName = dir.Alias();
        t.TableName = "Cajas";
        t.FieldDefs = {{"Tienda", FieldType::String, 2}, {"Caja", FieldType::String, 2},
                       {"Descripcio", FieldType::String, 30}, {"BLectOp", FieldType::Boolean},
                       {"Fondo", FieldType::Float}, {"Alta", FieldType::DateTime}};
        t.IndexDefs = {{"", {"Tienda", "Caja"}, true, true}, {"XDESC", {"Descripcio"}}};
        t.CreateTable();
        t.Open();
        const struct { const char *tienda, *caja, *desc; bool lect; double fondo; } rows[] = {
            {"01", "02", "Caja dos", false, 100}, {"01", "01", "Caja uno", true, 50.5},
            {"02", "01", "Otra tienda", false, 0}, {"10", "15", "Diez", false, 7}};
        for (const auto& r : rows) {
            t.Append();
            t.FieldByName("Tienda").SetAsString(r.tienda);
            t.FieldByName("Caja").SetAsString(r.caja);
            t.FieldByName("Descripcio").SetAsString(r.desc);
            t.FieldByName("BLectOp").SetAsBoolean(r.lect);
            t.FieldByName("Fondo").SetAsFloat(r.fondo);
            t.FieldByName("Alta").SetAsDateTime(text::EncodeDate(2002, 5, 29) + 0.5);
            t.Post();
        }
    }

    std::unique_ptr<TTable> Open(const std::string& name = "Cajas") {
        auto t = std::make_unique<TTable>();
        t->DatabaseName = dir.Alias();
        t->TableName = name;
        t->Open();
        return t;
    }

    static std::string Keys(TTable& t) {
        std::string out;
        for (t.First(); !t.Eof(); t.Next())
            out += t.FieldByName("Tienda").AsString() + "/" + t.FieldByName("caja").AsString() + " ";
        return out;
    }

    dbtest::TempFolder dir;
};

TEST_F(TableTest, ReadsBackInPrimaryOrderWithTypes) {
    auto t = Open();
    EXPECT_EQ(t->RecordCount(), 4);
    EXPECT_EQ(Keys(*t), "01/01 01/02 02/01 10/15 ");
    t->First();
    EXPECT_EQ(t->FieldByName("Descripcio").AsString(), "Caja uno");
    EXPECT_TRUE(t->FieldByName("BLectOp").AsBoolean());
    EXPECT_DOUBLE_EQ(t->FieldByName("Fondo").AsFloat(), 50.5);
    EXPECT_EQ(t->FieldByName("Tienda").DataType(), FieldType::String);
    EXPECT_EQ(t->FieldByName("Tienda").Size(), 2);
    EXPECT_DOUBLE_EQ(t->FieldByName("Alta").AsDateTime(), text::EncodeDate(2002, 5, 29) + 0.5);
    EXPECT_EQ(t->FieldByName("Alta").AsString(), "2002-05-29 12:00:00");
    EXPECT_EQ(t->FindField("NoExiste"), nullptr);
    try {
        t->FieldByName("NoExiste");
        FAIL();
    } catch (const db::EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("NoExiste"), std::string::npos);
    }
}

TEST_F(TableTest, CursorMovesBothWaysAndKeepsBookmarks) {
    auto t = Open();
    t->Last();
    EXPECT_TRUE(t->Eof());
    EXPECT_EQ(t->FieldByName("Tienda").AsString(), "10");
    t->Prior();
    EXPECT_EQ(t->FieldByName("Tienda").AsString(), "02");
    auto mark = t->GetBookmark();
    t->First();
    EXPECT_TRUE(t->Bof());
    t->Prior();
    EXPECT_TRUE(t->Bof());
    EXPECT_EQ(t->MoveBy(2), 2);
    EXPECT_EQ(t->FieldByName("Tienda").AsString(), "02");
    t->First();
    t->GotoBookmark(mark);
    EXPECT_EQ(t->FieldByName("Descripcio").AsString(), "Otra tienda");
    EXPECT_EQ(t->RecNo(), 3);
}

TEST_F(TableTest, NamesResolveIgnoringCase) {
    for (const char* name : {"Cajas", "Cajas.DB", "cajas.db", "CAJAS"}) {
        auto t = Open(name);
        EXPECT_EQ(t->RecordCount(), 4) << name;
        EXPECT_EQ(std::filesystem::path(t->FileName()).filename(), "Cajas.DB") << name;
    }
}

TEST_F(TableTest, FindKeyOnCompositeAndPartialKeys) {
    auto t = Open();
    EXPECT_TRUE(t->FindKey({"02", "01"}));
    EXPECT_EQ(t->FieldByName("Descripcio").AsString(), "Otra tienda");
    EXPECT_FALSE(t->FindKey({"02", "09"}));
    EXPECT_EQ(t->FieldByName("Descripcio").AsString(), "Otra tienda") << "a failed search leaves the cursor";
    EXPECT_TRUE(t->FindKey({"01"}));
    EXPECT_EQ(t->FieldByName("Caja").AsString(), "01");
    t->FindNearest({"03"});
    EXPECT_EQ(t->FieldByName("Tienda").AsString(), "10");
    t->SetIndexName("XDESC");
    EXPECT_TRUE(t->FindKey({"Diez"}));
    EXPECT_EQ(t->FieldByName("Caja").AsString(), "15");
    t->First();
    EXPECT_EQ(t->FieldByName("Descripcio").AsString(), "Caja dos");
}

TEST_F(TableTest, OrderByFieldNamesRefreshAndDisplayText) {
    auto t = Open();
    t->SetIndexFieldNames("Fondo;Caja");
    t->First();
    EXPECT_EQ(t->FieldByName("Descripcio").AsString(), "Otra tienda");
    t->Next();
    EXPECT_EQ(t->FieldByName("Descripcio").AsString(), "Diez");
    EXPECT_TRUE(t->FindKey({100.0}));
    EXPECT_EQ(t->RecNo(), 4);
    {
        TTable other;
        other.DatabaseName = dir.Alias();
        other.TableName = "Cajas";
        other.Open();
        other.Append();
        other.FieldByName("Tienda").SetAsString("09");
        other.FieldByName("Caja").SetAsString("01");
        other.FieldByName("Fondo").SetAsFloat(1);
        other.Post();
    }
    t->Refresh();
    EXPECT_EQ(t->RecordCount(), 5) << "a record posted elsewhere shows after Refresh";
    EXPECT_EQ(t->FieldByName("Fondo").AsFloat(), 100.0) << "Refresh keeps the current record";
    auto& lect = t->FieldByName("BLectOp");
    lect.OnGetText = [](db::TField& f, std::string& text, bool) { text = f.AsBoolean() ? "Sí" : "No"; };
    EXPECT_EQ(lect.DisplayText(), "No");
    EXPECT_EQ(lect.AsString(), "False");
    EXPECT_THROW(t->SetIndexName("NoHay"), db::EDatabaseError);
    EXPECT_EQ(t->FieldByName("Fondo").AsFloat(), 100.0) << "an unknown index leaves the order as it was";
    t->Next();
    EXPECT_TRUE(t->Eof());
}

TEST_F(TableTest, RangesLimitToKeys) {
    auto t = Open();
    t->SetRange({"01"}, {"01"});
    EXPECT_EQ(t->RecordCount(), 2);
    EXPECT_EQ(Keys(*t), "01/01 01/02 ");
    t->SetRange({"01", "02"}, {"02"});
    EXPECT_EQ(Keys(*t), "01/02 02/01 ");
    t->CancelRange();
    EXPECT_EQ(t->RecordCount(), 4);
}

TEST_F(TableTest, FiltersInTheOldSyntax) {
    struct Case {
        const char* filter;
        const char* keys;
    };
    const Case cases[] = {
        {"Tienda = 01", "01/01 01/02 "},  // unquoted code compares as text
        {"Tienda = '01'", "01/01 01/02 "},
        {"Tienda =10", "10/15 "},
        {"Caja = 015", ""},              // "015" is not "15"
        {"Caja = 15", "10/15 "},
        {"(Tienda = '01') And (Caja <> '01')", "01/02 "},
        {"Tienda='01'and Caja='02'", "01/02 "},
        {"Fondo > 60", "01/02 "},
        {"Fondo >= 0 and not (Tienda = \"01\")", "02/01 10/15 "},
        {"BLectOp = True", "01/01 "},
        {"Descripcio = 'Caja*'", "01/01 01/02 "},
        {"Descripcio <> 'Caja*'", "02/01 10/15 "},
        {"Tienda = '02' or Tienda = '10'", "02/01 10/15 "},
        {"Alta >= '5/29/2002'", "01/01 01/02 02/01 10/15 "},
        {"Descripcio = ''", ""},
        {"", "01/01 01/02 02/01 10/15 "},
    };
    auto t = Open();
    for (const auto& c : cases) {
        t->SetFilter(c.filter);
        t->SetFiltered(true);
        EXPECT_EQ(Keys(*t), c.keys) << c.filter;
        t->SetFiltered(false);
    }
}

TEST_F(TableTest, MalformedFilterRaisesNamingIt) {
    auto t = Open();
    for (const char* bad : {"Tienda = ", "(Tienda = '01'", "Tienda = 'abc", "Nada = 1", "Tienda 01", "Fondo = abc"}) {
        t->SetFilter(bad);
        try {
            t->SetFiltered(true);
            ADD_FAILURE() << bad;
        } catch (const db::EDatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find(bad), std::string::npos) << e.what();
            EXPECT_EQ(e.Kind(), db::ErrorKind::Syntax) << bad;
        }
        t->SetFiltered(false);
    }
}

TEST_F(TableTest, EditDeleteAndKeyViolation) {
    auto t = Open();
    ASSERT_TRUE(t->FindKey({"01", "02"}));
    t->Edit();
    EXPECT_EQ(t->State(), db::TDataSetState::dsEdit);
    t->FieldByName("Descripcio").SetAsString("Cambiada");
    t->Post();
    EXPECT_EQ(t->State(), db::TDataSetState::dsBrowse);
    EXPECT_EQ(t->FieldByName("Descripcio").AsString(), "Cambiada");
    t->Append();
    t->FieldByName("Tienda").SetAsString("01");
    t->FieldByName("Caja").SetAsString("01");
    try {
        t->Post();
        FAIL();
    } catch (const db::EDatabaseError& e) {
        EXPECT_EQ(e.Kind(), db::ErrorKind::KeyViolation);
    }
    t->Cancel();
    ASSERT_TRUE(t->FindKey({"02", "01"}));
    t->Delete();
    EXPECT_EQ(t->RecordCount(), 3);
    EXPECT_EQ(t->FieldByName("Tienda").AsString(), "10") << "the next record becomes current";
    t->EmptyTable();
    EXPECT_TRUE(t->IsEmpty());
    t->DeleteTable();
    EXPECT_FALSE(t->Exists());
}

TEST_F(TableTest, PostedRecordStaysCurrentAndFindsItsPlace) {
    auto t = Open();
    t->Append();
    t->FieldByName("Tienda").SetAsString("01");
    t->FieldByName("Caja").SetAsString("05");
    t->Post();
    EXPECT_EQ(t->FieldByName("Caja").AsString(), "05");
    EXPECT_FALSE(t->Eof());
    EXPECT_EQ(t->RecNo(), 3);
    t->Next();
    EXPECT_EQ(t->FieldByName("Tienda").AsString(), "02");
    t->Append();
    t->FieldByName("Tienda").SetAsString("00");
    t->FieldByName("Caja").SetAsString("01");
    t->Post();
    t->Prior();
    EXPECT_TRUE(t->Bof()) << "the new first record has nothing before it";
    EXPECT_EQ(t->FieldByName("Tienda").AsString(), "00");
    t->SetFilter("Tienda = 10");
    t->SetFiltered(true);
    t->Append();
    t->FieldByName("Tienda").SetAsString("03");
    t->FieldByName("Caja").SetAsString("01");
    t->Post();
    EXPECT_EQ(t->FieldByName("Tienda").AsString(), "03") << "shown until the cursor moves, as before";
    t->First();
    EXPECT_EQ(t->RecordCount(), 1);
}

TEST_F(TableTest, ExclusiveTableIsEmptiedAndRefilled) {
    TTable t;
    t.DatabaseName = dir.Alias();
    t.TableName = "Cajas";
    t.Exclusive = true;
    t.Open();
    t.EmptyTable();
    EXPECT_TRUE(t.IsEmpty());
    t.Append();
    t.FieldByName("Tienda").SetAsString("07");
    t.FieldByName("Caja").SetAsString("01");
    t.Post();
    db::TQuery q;
    q.DatabaseName = dir.Alias();
    q.SQL.Add("Select * From Cajas");
    q.LockWaitMs = 100;
    EXPECT_THROW(q.Open(), db::EDatabaseError) << "the exclusive open keeps queries out too";
    t.Close();
    q.Open();
    EXPECT_EQ(q.RecordCount(), 1);
}

TEST(TableDefinitions, AutoIncrementAndPathsFromAnotherMachine) {
    dbtest::TempFolder dir;
    TTable t;
    t.DatabaseName = dir.Alias();
    t.TableName = "C:\\Razir\\Datos\\RepUsr.DB";  // a path the old installation stored
    t.FieldDefs = {{"NUMERO", FieldType::AutoInc}, {"NOMBRE", FieldType::String, 25}};
    t.IndexDefs = {{"", {"NUMERO"}, true, true}};
    t.CreateTable();
    EXPECT_TRUE(std::filesystem::exists(dir.Path() + "/RepUsr.DB")) << "the folder that does not exist here is the data folder";
    t.Open();
    for (const char* n : {"Uno", "Dos"}) {
        t.Append();
        t.FieldByName("NOMBRE").SetAsString(n);
        t.Post();
    }
    EXPECT_EQ(t.FieldByName("NUMERO").AsInteger(), 2);
    EXPECT_EQ(t.Definition().fields[0].type, FieldType::AutoInc);
}

}  // namespace

namespace {

// More rows than one read window holds, so moves cross window edges in both directions.
TEST(LargeTable, MovesAcrossReadWindows) {
    dbtest::TempFolder dir;
    const db::TableDef def{"MovProd", {{"Producto", FieldType::String, 16}, {"Fecha", FieldType::DateTime}, {"N", FieldType::Integer}},
                           {{"", {"Producto"}, true, true}, {"XFECHA", {"Fecha"}}}};
    const int n = 2000;
    {
        db::BatchWriter w(dir.Path() + "/MovProd.DB", def);
        for (int i = 0; i < n; ++i) {
            char code[16];
            std::snprintf(code, sizeof code, "P%05d", i);
            // Dates run backwards, so the date index reverses the primary order.
            w.Append({std::string(code), Value(text::EncodeDate(2002, 1, 1) + (n - i)), i});
        }
    }
    for (const char* sql : {"", "Select Producto, Fecha, N From MovProd Order By Producto"}) {
        std::unique_ptr<db::TDataSet> ds;
        if (*sql) {
            auto q = std::make_unique<db::TQuery>();
            q->SQL.Add(sql);
            ds = std::move(q);
        } else {
            auto t = std::make_unique<TTable>();
            t->TableName = "MovProd";
            ds = std::move(t);
        }
        ds->DatabaseName = dir.Alias();
        ds->Open();
        long k = 0;
        for (ds->First(); !ds->Eof(); ds->Next()) ASSERT_EQ(ds->FieldByName("N").AsInteger(), k++) << sql;
        EXPECT_EQ(k, n);
        EXPECT_EQ(ds->RecordCount(), n);
        ds->Last();
        for (k = n - 1; !ds->Bof(); ds->Prior()) ASSERT_EQ(ds->FieldByName("N").AsInteger(), k--) << sql;
        EXPECT_EQ(k, -1);
        EXPECT_EQ(ds->MoveBy(1500), 1500);
        EXPECT_EQ(ds->FieldByName("N").AsInteger(), 1500);
        EXPECT_EQ(ds->MoveBy(-1000), -1000);
        EXPECT_EQ(ds->FieldByName("N").AsInteger(), 500);
        EXPECT_TRUE(ds->Locate("Producto", {"P01234"}));
        EXPECT_EQ(ds->RecNo(), 1235);
    }
    TTable t;
    t.DatabaseName = dir.Alias();
    t.TableName = "MovProd";
    t.SetIndexName("XFECHA");
    t.Open();
    EXPECT_EQ(t.FieldByName("N").AsInteger(), n - 1);
    ASSERT_TRUE(t.FindKey({Value(text::EncodeDate(2002, 1, 1) + 10)})) << "a TDateTime key meets ISO text";
    EXPECT_EQ(t.FieldByName("N").AsInteger(), n - 10);
    EXPECT_EQ(t.RecNo(), 10);
    t.Next();
    EXPECT_EQ(t.FieldByName("N").AsInteger(), n - 11);
    t.SetRange({Value(text::EncodeDate(2002, 1, 1) + 100)}, {Value(text::EncodeDate(2002, 1, 1) + 1000)});
    EXPECT_EQ(t.RecordCount(), 901);
}

}  // namespace
