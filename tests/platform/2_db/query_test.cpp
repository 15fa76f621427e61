// TQuery: SQL lines, parameters that outlive text changes, master-detail, filters on
// results, and criteria values that carry quotes and wildcards.
#include "platform/2_db/query.h"

#include <gtest/gtest.h>

#include "platform/2_db/quote.h"
#include "platform/2_db/table.h"
#include "tests/platform/2_db/sales_fixture.h"

namespace {

class QueryTest : public ::testing::Test {
protected:
    void SetUp() override { q.DatabaseName = "RazirWin10"; }
    dbtest::SalesFolder dir;
    db::TQuery q;
};

TEST_F(QueryTest, LinesCanBeInsertedReplacedAndDeleted) {
    q.SQL.Add("Select Usuario From Usuarios");
    q.SQL.Add("Where TipoUsr <> 'D'");
    q.SQL.Insert(2, "Order by Usuario DESC");
    EXPECT_EQ(q.SQL.Count(), 3);
    q.Open();
    EXPECT_EQ(dbtest::Rows(q), "015;001");
    q.SQL.SetStrings(2, "Order by Usuario");  // closes the query
    EXPECT_FALSE(q.Active());
    q.SQL.Delete(1);
    q.Open();
    EXPECT_EQ(dbtest::Rows(q), "001;015;020");
    EXPECT_EQ(q.RecordCount(), 3);
    EXPECT_EQ(q.SQL.Text(), "Select Usuario From Usuarios\nOrder by Usuario\n");
    EXPECT_THROW(q.SQL.Delete(5), db::EDatabaseError);
}

TEST_F(QueryTest, ParametersKeepTheirValuesWhileTheTextChanges) {
    q.SQL.Add("Select Producto From MovProd Where Tienda Like :Tienda");
    q.ParamByName("TIENDA").SetAsString("01");
    q.SQL.Add("And Fecha Between :FecIni And :FecFin");
    q.ParamByName("FecIni").SetAsDateTime(text::EncodeDate(2002, 5, 29));
    q.ParamByName("FecFin").SetAsDateTime(text::EncodeDate(2002, 5, 30));
    q.SQL.Add("Order By Fecha");
    q.Open();
    EXPECT_EQ(dbtest::Rows(q), "P1;P2;P1") << "the date-only bound meets the timestamp at midnight";
    EXPECT_THROW(q.ParamByName("NoHay"), db::EDatabaseError);
    q.Close();
    q.ParamByName("FecIni").SetAsString("5/29/2002 13:00");
    q.ParamByName("FecFin").SetAsString("2002-05-30");
    q.Open();
    EXPECT_EQ(dbtest::Rows(q), "P2;P1") << "dates given as text take the column's form";
}

TEST_F(QueryTest, MissingParameterValueIsReported) {
    q.SQL.Add("Select * From Usuarios Where Usuario = :Clave");
    try {
        q.Open();
        FAIL();
    } catch (const db::EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("Clave"), std::string::npos);
    }
}

TEST_F(QueryTest, DetailFollowsItsMaster) {
    db::TTable master;
    master.DatabaseName = "RazirWin10";
    master.TableName = "Usuarios";
    master.Open();
    db::TDataSource source(&master);
    q.SQL.Add("Select Producto, Cantidad From MovProd Where Usuario = :Usuario Order By Fecha");
    q.DataSource = &source;
    q.Open();
    EXPECT_EQ(dbtest::Rows(q), "P1,2;P1,3;P3,5");
    master.Next();
    EXPECT_EQ(dbtest::Rows(q), "P2,1;P3,1");
    master.Next();
    EXPECT_TRUE(q.IsEmpty());
}

TEST_F(QueryTest, FilterOnResults) {
    q.SQL.Add("Select D.CAJA, SUM(D.TOTIMP1) From D012905H.DB D Group By D.CAJA, D.Nota");
    q.Open();
    q.SetFilter("CAJA = 01");
    q.SetFiltered(true);
    EXPECT_EQ(q.RecordCount(), 2);
    q.SetFilter("CAJA = 02");
    EXPECT_TRUE(q.IsEmpty());
}

TEST_F(QueryTest, CriteriaValuesWithQuotesAndWildcardsStayValues) {
    dbtest::WriteTable(dir.Path(), {"Notas", {{"Texto", db::FieldType::String, 30}}, {}},
                       {{"O'Brien"}, {"50%"}, {"50 pesos"}, {"a_b"}, {"axb"}});
    struct Case {
        std::string value;
        std::string rows;
    };
    const Case cases[] = {{"O'Brien", "O'Brien"}, {"50%", "50%"}, {"a_b", "a_b"}, {"' Or '1'='1", ""}};
    for (const auto& c : cases) {
        q.SQL.Clear();
        q.SQL.Add("Select Texto From Notas Where Texto Like " + db::QuoteLikeValue(c.value));
        q.Open();
        EXPECT_EQ(dbtest::Rows(q), c.rows) << c.value;
        q.SQL.Clear();
        q.SQL.Add("Select Texto From Notas Where Texto = " + db::QuoteValue(c.value));
        q.Open();
        EXPECT_EQ(dbtest::Rows(q), c.rows) << c.value;
    }
    db::TTable t;
    t.DatabaseName = "RazirWin10";
    t.TableName = "Notas";
    t.Open();
    for (const char* v : {"O'Brien", "50%", "x*"}) {
        t.SetFilter("Texto = " + db::QuoteFilterValue(v));
        t.SetFiltered(true);
        EXPECT_EQ(dbtest::Rows(t), v == std::string("x*") ? "" : v) << v;
        t.SetFiltered(false);
    }
}

TEST_F(QueryTest, LocateOnQueryRows) {
    q.SQL.Add("Select Usuario, Nombre From Usuarios Order By Usuario");
    q.Open();
    EXPECT_TRUE(q.Locate("Nombre", {"beto"}, {true, false}));
    EXPECT_EQ(q.FieldByName("Usuario").AsString(), "015");
    EXPECT_TRUE(q.Locate("Usuario;Nombre", {"020", "Do"}, {false, true}));
    EXPECT_EQ(q.RecNo(), 3);
    EXPECT_FALSE(q.Locate("Nombre", {"Zoe"}));
    EXPECT_EQ(q.RecNo(), 3);
}

}  // namespace
