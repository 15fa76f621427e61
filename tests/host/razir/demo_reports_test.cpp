// The demo data read the way the reports read them: their own SQL through the data layer's
// local-SQL dialect, so the generated files fit the reports (codes as text, blanks as empty
// text, unnamed sums, LIKE on movement codes) and their figures agree across tables.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "host/razir/demo/generator.h"
#include "platform/2_db/query.h"
#include "platform/6_schema/tables.h"

namespace {

namespace fs = std::filesystem;

class DemoAsReportsReadIt : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new fs::path(fs::temp_directory_path() / ("demo_reports_" + std::to_string(getpid())));
        fs::remove_all(*dir_);
        options_.stores = 1;
        options_.registers = 2;
        options_.products = 120;
        options_.days = 2;
        razir::demo::Generate(options_, *dir_);
        stem_ = tables::DayFileStem(razir::demo::RegisterCode(options_, 0, 1), options_.from);  // concentrated
    }
    static void TearDownTestSuite() {
        fs::remove_all(*dir_);
        delete dir_;
    }
    // The first row's fields as numbers, after running the lines through db::TQuery.
    static std::vector<double> Sums(const std::vector<std::string>& lines, const std::vector<std::string>& fields) {
        db::TQuery q;
        q.DatabaseName = dir_->string();
        for (const auto& l : lines) q.SQL.Add(l);
        q.Open();
        std::vector<double> out(fields.size(), 0);
        for (q.First(); !q.Eof(); q.Next())
            for (size_t i = 0; i < fields.size(); ++i) out[i] += q.FieldByName(fields[i]).AsFloat();
        return out;
    }
    static inline fs::path* dir_ = nullptr;
    static inline razir::demo::Options options_;
    static inline std::string stem_;
};

TEST_F(DemoAsReportsReadIt, FiscalCheckLinesAddUpToThePaidNotes) {
    // The fiscal check's own query: package components ("P") out, paid notes only. A plain
    // line or note keeps its kind blank, which the tables hold as null: asked for by itself.
    const auto fiscal = Sums({"SELECT  D.CAJA, C.ESQIMP, SUM(D.TOTIMP1), SUM(D.TOTIMP2), SUM(D.TOTIMP3), SUM(D.TOTIMP4), "
                              "SUM(D.TOTDESC) AS TOTDESC, SUM(D.TOTPARTIDA) FROM CATINVEN C, D" + stem_ + " D, V" + stem_ + " V",
                              "WHERE D.PRODUCTO LIKE C.PRODUCTO AND (D.TIPOPRODUCTO IS NULL OR D.TIPOPRODUCTO NOT LIKE 'P') ",
                              "AND D.NOTA LIKE V.NOTA AND V.STATUS LIKE 'N' ", "GROUP BY D.CAJA, C.ESQIMP"},
                             {"SUM OF TOTPARTIDA", "SUM OF TOTIMP1", "TOTDESC"});
    const auto notes = Sums({"Select Sum(TotDoc) As T, Sum(TotImp1) As I1, Sum(TotDesc) As TD From V" + stem_,
                             "Where Status = 'N' And (TIPODOCZOD Is Null Or (TIPODOCZOD <> 'P' And TIPODOCZOD <> 'A'))"},
                            {"T", "I1", "TD"});
    ASSERT_GT(notes[0], 0);
    EXPECT_NEAR(fiscal[0], notes[0], 0.01);
    EXPECT_NEAR(fiscal[1], notes[1], 0.01);
    EXPECT_NEAR(fiscal[2], notes[2], 0.01);
}

TEST_F(DemoAsReportsReadIt, SalesMovementsMatchTheLinesAndLeavePackagesOut) {
    const std::string day = text::ToIsoDate(options_.from);
    const std::string caja = razir::demo::RegisterCode(options_, 0, 1);
    const auto moves = Sums({"Select Sum(Cantidad) As SumCant,Sum(MontoAcum-MontoImp1-MontoImp2-MontoImp3-MontoImp4) As SumMonto "
                             "From MovProd Mov",
                             "Where (Mov.TipoProd Is Null Or Mov.TipoProd <> 'K') and Mov.TipoMov Like '" + std::to_string(razir::demo::TipoMov::Ventas) +
                                 "' And Mov.Caja = '" + caja + "' And Mov.Fecha = '" + day + "'"},
                            {"SumCant", "SumMonto"});
    // The daily sales by product read the lines the same way: packages ("K") out, components in.
    const auto lines = Sums({"select sum(d.cantidad) as q, sum(d.totpartida-d.totimp1-d.totimp2-d.totimp3-d.totimp4) as preuni",
                             "from V" + stem_ + " v, D" + stem_ + " d", "where v.nota like d.nota and (d.tipoproducto is null or d.tipoproducto <> 'K')",
                             "and v.status like 'N' and v.TIPODOCZOD = ''"},
                            {"q", "preuni"});
    ASSERT_GT(lines[1], 0);
    EXPECT_NEAR(moves[0], lines[0], 1e-6);
    EXPECT_NEAR(moves[1], lines[1], 0.01);
}

TEST_F(DemoAsReportsReadIt, CommissionsNeverDivideByZero) {
    const auto c = Sums({"Select U.Usuario, Sum(D.TotComis) As TotComis, Sum((D.TotComis*100)/D.Comision) As Precio "
                         "From Usuarios U, V" + stem_ + " V, D" + stem_ + " D",
                         "Where D.Vendedor Like U.Usuario", "And V.Status Like 'N'", "And V.Nota Like D.Nota",
                         "Group By U.Usuario"},
                        {"TotComis", "Precio"});
    EXPECT_GT(c[0], 0);
    EXPECT_GT(c[1], c[0]);
}

}  // namespace
