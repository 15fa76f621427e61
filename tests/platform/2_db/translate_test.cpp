// The old local-SQL dialect run on real table files: each construct the report dialogs and
// users' layouts write, with the rows it must give.
#include "platform/2_db/translate.h"

#include <gtest/gtest.h>

#include "platform/2_db/query.h"
#include "tests/platform/2_db/sales_fixture.h"

namespace {

struct Case {
    const char* sql;
    const char* rows;
    const char* why;
};

const Case kCases[] = {
    {"Select Nota From 'V012905H.DB' Where Caja = '01'", "0001;0002", "quoted file name"},
    {"Select V.Nota From V012905H.DB V Where V.Status Like 'N' Order by Nota", "0001;0002", "bare file name with alias"},
    {"Select Nombre From \"Usuarios.DB\" Where Usuario = '015'", "Beto", "double-quoted file name"},
    {"Select Nombre From usuarios Where TipoUsr<>'D' Order By Usuario", "Ana;Beto", "name in another case"},
    {"Select Usuarios.Nombre From \":RazirWin10:Usuarios\" Where Usuario = '001'", "Ana", "table behind an alias name"},
    {"Select Nombre From 'C:\\Razir\\Datos\\Usuarios.DB' Where Usuario = '001'", "Ana", "path from another machine"},
    {"Select Nota From V012905H.DB Where Fecha Between '5/29/2002' And '5/29/2002 12:00:00'", "0001", "M/D/YYYY with and without time"},
    {"Select Nota From V012905H.DB Where Fecha >= \"05/29/2002 13:00:00\"", "0002;0003", "double-quoted MM/DD/YYYY"},
    {"Select Producto From MovProd Where Fecha <= '5/30/2002' Order By Fecha", "P1;P2;P1", "date alone meets a timestamp at midnight"},
    {"Select EXTRACT(HOUR FROM Fecha), EXTRACT(DAY FROM Fecha), extract(month from Fecha), Extract(Year From Fecha) From V012905H.DB Where Nota = '0002'",
     "13,29,5,2002", "EXTRACT over ISO text"},
    {"Select cast(extract(hour from fecha) as integer) + 1 From V012905H.DB Where Nota = '0001'", "10", "CAST of EXTRACT"},
    {"Select CAST(TotDoc AS CHAR(2)), CAST(Fecha AS DATE) From V012905H.DB Where Nota = '0001'", "10,2002-05-29", "CAST to CHAR(n) and DATE"},
    {"Select Producto From CatInven Where Linea Like 'AB%'", "P1", "LIKE tells case apart"},
    {"Select Producto From CatInven Where Linea Like 'a_1'", "P2", "underscore wildcard"},
    {"Select Producto From CatInven Where UPPER(Linea) = 'AB1' Order By Producto", "P1;P2", "UPPER"},
    {"Select SUBSTRING(Descripcio FROM 2 FOR 3), TRIM(' x ' ), LOWER(Descripcio) || '!' From CatInven Where Producto = 'P1'",
     "an,x,pan!", "SUBSTRING FROM FOR, TRIM, ||"},
    {"Select TRIM(LEADING '0' FROM Usuario) From Usuarios Where Nombre = 'Beto'", "15", "TRIM LEADING"},
    {"Select Mov.Producto, MovProd.Cantidad From MovProd Mov Where MovProd.Tienda = '02' And Mov.TipoMov = 2", "P3,5",
     "table name as qualifier behind its alias"},
    {"Select Nota From V012905H.DB Where Caja='01'And Status='N'", "0001;0002", "no space between literal and keyword"},
    {"Select Count(*) From MovProd Where TipoProd <> 'K'", "4", "COUNT(*)"},
    {"Select Distinct Mov.Producto, Inv.Descripcio From MovProd Mov, CatInven Inv Where Mov.Producto = Inv.Producto And Mov.TipoProd <> 'K' Order By Mov.Producto",
     "P1,Pan;P2,Leche;P3,Queso 50%", "join of two tables with aliases"},
    {"Select PRODUCTO, Sum(TotPartida) From D012905H.DB Group By PRODUCTO", "P1,110;P2,40", "GROUP BY a day file"},
    {"Select U.Nombre, V.Nota From Usuarios U, 'V012905H.DB' V, 'D012905H.DB' D Where V.Cajero = U.Usuario And D.Nota = V.Nota And D.Producto = 'P2'",
     "Ana,0001", "three files, two quoted"},
    {"Select Nota From V012905H.DB Where Nota = '0001' Union Select Nota From V012905H.DB Where Nota = '0003'", "0001;0003", "UNION"},
    {"Select Usuario From Usuarios Where Usuario In (Select Usuario From MovProd Where TipoMov = 2)", "001", "subquery"},
    {"Select Producto From CatInven Where (Producto Between 'P1' And 'P2 ' Or Producto Is Null) Order By Producto", "P1;P2",
     "range with a padded bound"},
    {"Select Nota From V012905H.DB Where TotDoc > 60 And TRUE", "0001;0003", "TRUE literal"},
    {"Select Producto From CatInven Where Linea = '' And PrecioP > 1", "P4", "blank is null, as the old tables kept it"},
    {"Select Producto From CatInven C Where C.Linea<>'' Order By Producto", "P1;P2;P3", "not blank"},
    {"Select Usuario, Producto, Sum(Cantidad) As SumCant From MovProd M, CatInven C Where M.Producto = C.Producto And M.TipoProd <> 'K' Group By Usuario, Producto Order By Producto, Usuario",
     "001,P1,5;015,P2,1;001,P3,5", "a column two tables have is read from the first"},
};

class TranslateTest : public ::testing::Test {
protected:
    dbtest::SalesFolder dir;
};

TEST_F(TranslateTest, EveryConstructRunsOnTableFiles) {
    for (const auto& c : kCases) {
        db::TQuery q;
        q.DatabaseName = "RazirWin10";
        q.SQL.SetText(c.sql);
        try {
            q.Open();
            EXPECT_EQ(dbtest::Rows(q), c.rows) << c.why << "\n" << c.sql << "\n" << q.TranslatedSql();
        } catch (const std::exception& e) {
            ADD_FAILURE() << c.why << ": " << e.what();
        }
    }
}

TEST_F(TranslateTest, UnnamedAggregatesTakeTheOldNames) {
    db::TQuery q;
    q.DatabaseName = "RazirWin10";
    q.SQL.Add("SELECT  D.CAJA, SUM(D.TOTIMP1), SUM(D.TOTPARTIDA) AS TOT, Sum(Cantidad), Count(*)");
    q.SQL.Add("FROM D012905H.DB D, MovProd M");
    q.SQL.Add("WHERE D.PRODUCTO = M.PRODUCTO AND M.Fecha < '5/30/2002' GROUP BY D.CAJA");
    q.Open();
    EXPECT_DOUBLE_EQ(q.FieldByName("SUM OF TOTIMP1").AsFloat(), 15.0);
    EXPECT_DOUBLE_EQ(q.FieldByName("TOT").AsFloat(), 150.0);
    EXPECT_DOUBLE_EQ(q.FieldByName("SUM OF CANTIDAD").AsFloat(), 5.0);
    EXPECT_EQ(q.FieldByName("COUNT OF *").AsInteger(), 3);
    EXPECT_EQ(q.FieldByName("sum of totimp1").Index(), 1) << "names ignore case";
}

TEST_F(TranslateTest, ExtractFeedsAnInsert) {
    db::TQuery q;
    q.DatabaseName = "RazirWin10";
    dbtest::WriteTable(dir.Path(), {"tblHora", {{"hora", db::FieldType::Integer}, {"fecha", db::FieldType::Integer},
                                                {"ventas", db::FieldType::Float}}, {}}, {});
    q.SQL.Add("INSERT INTO tblHora ");
    q.SQL.Add("(hora, fecha, ventas) ");
    q.SQL.Add("select cast(extract(hour from fecha) as integer), cast(extract(day from fecha) as integer), TotDoc from 'V012905H.DB'");
    q.SQL.Add("where fecha between :fechaini and :fechafin");
    q.ParamByName("fechaini").SetAsDateTime(text::EncodeDate(2002, 5, 29));
    q.ParamByName("fechafin").SetAsDateTime(text::EncodeDate(2002, 5, 29) + text::EncodeTime(17, 0, 0));
    EXPECT_EQ(q.ExecSQL(), 2);
    db::TQuery r;
    r.DatabaseName = "RazirWin10";
    r.SQL.Add("select hora, fecha, sum(ventas) as ventas from tblHora group by hora, fecha order by hora, fecha");
    r.Open();
    EXPECT_EQ(dbtest::Rows(r), "9,29,100;13,29,50");
}

TEST_F(TranslateTest, MoreTablesThanSQLiteAttachesStillRun) {
    std::string sql = "Select Count(*) From Usuarios U0";
    std::string where = " Where U0.Usuario = '001'";
    for (int k = 1; k < 12; ++k) {
        const std::string name = "Copia" + std::to_string(k);
        dbtest::WriteTable(dir.Path(), {name, {{"Usuario", db::FieldType::String, 3}}, {}}, {{"001"}, {"002"}});
        sql += ", " + name + " U" + std::to_string(k);
        where += " And U" + std::to_string(k) + ".Usuario = U0.Usuario";
    }
    db::TQuery q;
    q.DatabaseName = "RazirWin10";
    q.SQL.Add(sql + where);
    q.Open();
    EXPECT_EQ(q.Fields(0).AsInteger(), 1);
}

TEST_F(TranslateTest, ErrorsNameWhatIsWrong) {
    struct Bad {
        const char* sql;
        const char* part;
    };
    const Bad cases[] = {
        {"Select * From NoHay", "NoHay"},
        {"Select Nota From V012905H.DB Where Caja = '01", "comilla"},
        {"Select CAST(Nota AS WIDGET) From V012905H.DB", "WIDGET"},
        {"Select EXTRACT(WEEK FROM Fecha) From V012905H.DB", "WEEK"},
        {"Select Nota Form V012905H.DB", "SQL"},
    };
    for (const auto& c : cases) {
        db::TQuery q;
        q.DatabaseName = "RazirWin10";
        q.SQL.Add(c.sql);
        try {
            q.Open();
            ADD_FAILURE() << c.sql;
        } catch (const db::EDatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find(c.part), std::string::npos) << e.what();
        }
    }
}

TEST(OldDateToIso, ReadsMonthFirstDates) {
    struct D {
        const char* in;
        const char* iso;
    };
    const D cases[] = {{"5/29/2002", "2002-05-29"},         {"05/29/2002", "2002-05-29"},
                       {"05/29/2002 13:00:00", "2002-05-29 13:00:00"}, {"1/1/2000 9:05", "2000-01-01 09:05:00"},
                       {"29/5/2002", ""},                 {"2/30/2002", ""},
                       {"5/29/02", ""},                   {"hola", ""}};
    for (const auto& c : cases) EXPECT_EQ(db::OldDateToIso(c.in, true).value_or(""), c.iso) << c.in;
}

TEST(ReferencedTables, FindsEveryTableOnce) {
    EXPECT_EQ(db::ReferencedTables("Select * From 'V012905H.DB' V, Usuarios U, v012905h.db Where x In (Select y From CatInven)"),
              (std::vector<std::string>{"V012905H.DB", "Usuarios", "CatInven"}));
    EXPECT_EQ(db::ReferencedTables("Select EXTRACT(HOUR FROM Fecha), SUBSTRING(a FROM 1) From FecEst"),
              (std::vector<std::string>{"FecEst"}));
    EXPECT_EQ(db::ReferencedTables("insert into tmpTabla (a) select a from FecEst"),
              (std::vector<std::string>{"tmpTabla", "FecEst"}));
}

}  // namespace
