// Summary periods as tables of cases, and the refill of FecEst: every income of the range in
// exactly one period, the table held by one station at a time, and all or nothing.
#include "reports/framework/periods.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/2_db/batch.h"
#include "platform/2_db/error.h"
#include "platform/2_db/names.h"
#include "platform/2_db/query.h"
#include "platform/2_vcl/script.h"
#include "platform/6_schema/tables.h"
#include "tests/platform/2_db/temp_folder.h"

namespace {

using namespace reportes;
using text::EncodeDate;
using text::EncodeTime;

text::TDateTime Iso(const char* s) { return *text::FromIso(s); }

// "2026-01-01/2026-01-03;..." (days only) for a compact expectation.
std::string Dias(const std::vector<Periodo>& ps) {
    std::string out;
    for (const auto& p : ps) out += (out.empty() ? "" : ";") + text::ToIsoDate(p.ini).substr(5) + "/" + text::ToIsoDate(p.fin).substr(5);
    return out;
}

// Whole days, contiguous: each starts at midnight, ends at the day's last millisecond, and
// the next starts a millisecond later.
void ExpectWholeDays(const std::vector<Periodo>& ps, const std::string& why) {
    for (size_t i = 0; i < ps.size(); ++i) {
        EXPECT_EQ(text::ToIsoDateTime(ps[i].ini).substr(11), "00:00:00") << why;
        EXPECT_EQ(text::ToIsoDateTime(ps[i].fin).substr(11), "23:59:59.999") << why;
        if (i) {
            EXPECT_EQ(text::DateOf(ps[i].ini), text::DateOf(ps[i - 1].fin) + 1) << why;
        }
    }
}

TEST(Periodos, CalendarPeriodsOfARange) {
    struct Case { const char* desde; const char* hasta; Resumen r; int primerDia; const char* dias; const char* why; };
    const Case kCases[] = {
        {"2024-02-01", "2024-02-29", Resumen::Mensual, 0, "02-01/02-29", "leap February ends on the 29th"},
        {"2023-02-01", "2023-02-28", Resumen::Mensual, 0, "02-01/02-28", "common February ends on the 28th"},
        {"2024-02-01", "2024-02-29", Resumen::Quincenal, 0, "02-01/02-15;02-16/02-29", "leap February by fortnight"},
        {"2026-01-07", "2026-01-09", Resumen::Semanal, 0, "01-07/01-09", "shorter than a week: one period"},
        {"2026-01-07", "2026-01-07", Resumen::Mensual, 0, "01-07/01-07", "one day, whatever the summary"},
        {"2026-01-07", "2026-01-09", Resumen::Diario, 0, "01-07/01-07;01-08/01-08;01-09/01-09", "daily over three days"},
        {"2025-01-01", "2025-12-31", Resumen::Mensual, 0,
         "01-01/01-31;02-01/02-28;03-01/03-31;04-01/04-30;05-01/05-31;06-01/06-30;07-01/07-31;08-01/08-31;"
         "09-01/09-30;10-01/10-31;11-01/11-30;12-01/12-31",
         "a year by month"},
        {"2026-01-01", "2026-03-31", Resumen::Semanal, 0,
         "01-01/01-03;01-04/01-10;01-11/01-17;01-18/01-24;01-25/01-31;02-01/02-07;02-08/02-14;02-15/02-21;"
         "02-22/02-28;03-01/03-07;03-08/03-14;03-15/03-21;03-22/03-28;03-29/03-31",
         "a quarter by week from a Thursday, weeks Sunday to Saturday"},
        {"2026-01-01", "2026-03-31", Resumen::Quincenal, 0,
         "01-01/01-15;01-16/01-31;02-01/02-15;02-16/02-28;03-01/03-15;03-16/03-31", "a quarter by fortnight"},
        {"2026-01-01", "2026-01-20", Resumen::Semanal, 1, "01-01/01-04;01-05/01-11;01-12/01-18;01-19/01-20",
         "weeks starting on Monday"},
        {"2026-01-01", "2026-01-20", Resumen::Semanal, 0, "01-01/01-03;01-04/01-10;01-11/01-17;01-18/01-20",
         "weeks starting on Sunday"},
        {"2026-01-07", "2026-01-19", Resumen::Semanal, 0, "01-07/01-10;01-11/01-17;01-18/01-19",
         "Wednesday to the Monday twelve days later: the last week cut at the final date"},
        {"2026-04-10", "2026-05-20", Resumen::Quincenal, 0, "04-10/04-15;04-16/04-30;05-01/05-15;05-16/05-20",
         "from the 10th of a 30-day month to the 20th of the next"},
        {"2026-01-09", "2026-01-07", Resumen::Diario, 0, "", "an inverted range has no period"},
    };
    for (const auto& c : kCases) {
        const auto ps = Periodos(Iso(c.desde) + EncodeTime(15, 30, 0), Iso(c.hasta), c.r, c.primerDia);
        EXPECT_EQ(Dias(ps), c.dias) << c.why;
        ExpectWholeDays(ps, c.why);
    }
}

TEST(Periodos, PeriodsCountedInDays) {
    struct Case { const char* desde; const char* hasta; int dias; const char* out; const char* why; };
    const Case kCases[] = {
        {"2026-01-01", "2026-01-20", 7, "01-01/01-07;01-08/01-14;01-15/01-20", "twenty days by week: 7, 7 and 6"},
        {"2026-01-01", "2026-01-20", 15, "01-01/01-15;01-16/01-20", "twenty days by fortnight: 15 and 5"},
        {"2025-01-01", "2025-03-31", 30, "01-01/01-30;01-31/03-01;03-02/03-31", "months of 30 days, not calendar months"},
        {"2026-01-05", "2026-01-05", 30, "01-05/01-05", "one day"},
    };
    for (const auto& c : kCases) {
        const auto ps = PeriodosDeDias(Iso(c.desde), Iso(c.hasta), c.dias);
        EXPECT_EQ(Dias(ps), c.out) << c.why;
        ExpectWholeDays(ps, c.why);
    }
    EXPECT_EQ(RetrocedeADia(Iso("2026-01-07"), 0), Iso("2026-01-04")) << "a Wednesday back to its Sunday";
    EXPECT_EQ(RetrocedeADia(Iso("2026-01-04"), 0), Iso("2026-01-04")) << "a Sunday stays";
    EXPECT_EQ(RetrocedeADia(Iso("2026-01-04"), 6), Iso("2026-01-03")) << "a Sunday back to Saturday";
}

class FecEstFill : public ::testing::Test {
protected:
    std::string FecEstFile() const { return db::ResolveTableFile(dir_.Path(), "FecEst"); }
    std::string Periods() {
        db::TQuery q;
        q.DatabaseName = dir_.Alias();
        q.SQL.Add("Select FechaIni, FechaFin From FecEst Order By FechaIni");
        q.Open();
        std::vector<Periodo> ps;
        for (q.First(); !q.Eof(); q.Next()) ps.push_back({q.FieldByName("FechaIni").AsDateTime(), q.FieldByName("FechaFin").AsDateTime()});
        return Dias(ps);
    }
    dbtest::TempFolder dir_{"RazirWin10"};
};

TEST_F(FecEstFill, EveryIncomeOfTheRangeFallsInOnePeriod) {
    ASSERT_TRUE(LlenaFecEst(Iso("2026-01-01"), Iso("2026-01-31"), Resumen::Semanal, 0, dir_.Alias()));
    // Incomes at the instants a period boundary could lose: midnight, the last minute, the
    // last second, and a stamp with milliseconds.
    db::TableDef ing{"Ingresos", {{"Fecha", db::FieldType::DateTime}, {"Ventas", db::FieldType::Float}}, {}};
    {
        db::BatchWriter w(db::ResolveTableFile(dir_.Path(), "Ingresos"), ing);
        for (const char* f : {"2026-01-01 00:00:00", "2026-01-03 23:59:30", "2026-01-04 00:00:00", "2026-01-10 23:59:59",
                              "2026-01-31 23:59:59.250", "2026-01-17 12:00:00"})
            w.Append({f, 1.0});
    }
    db::TQuery q;
    q.DatabaseName = dir_.Alias();
    q.SQL.Add("Select Count(*) As N From Ingresos I, FecEst F Where I.Fecha Between F.FechaIni And F.FechaFin");
    q.Open();
    EXPECT_EQ(q.FieldByName("N").AsInteger(), 6) << "each income matched once";
}

TEST_F(FecEstFill, AnInvertedRangeLeavesTheTable) {
    EscribeFecEst(dir_.Alias(), Periodos(Iso("2026-01-01"), Iso("2026-01-02"), Resumen::Diario));
    vcl::ScriptDriver driver;
    vcl::DriverScope scope(driver);
    EXPECT_FALSE(LlenaFecEst(Iso("2026-01-09"), Iso("2026-01-07"), Resumen::Diario, 0, dir_.Alias()));
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].request.text, kRangoFechaNoValido);
    EXPECT_EQ(Periods(), "01-01/01-01;01-02/01-02");
}

TEST_F(FecEstFill, AFillCutShortLeavesTheOldPeriods) {
    EscribeFecEst(dir_.Alias(), Periodos(Iso("2026-01-01"), Iso("2026-01-02"), Resumen::Diario));
    db::BatchWriter::Options o;
    o.replaceRows = true;
    // An exception half way through a refill.
    try {
        db::BatchWriter w(FecEstFile(), tables::FecEst(), o);
        w.Append({Iso("2026-03-01"), Iso("2026-03-01")});
        throw std::runtime_error("cut");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(Periods(), "01-01/01-01;01-02/01-02");
    // A station killed half way through a refill.
    const pid_t child = fork();
    if (child == 0) {
        db::BatchWriter w(FecEstFile(), tables::FecEst(), o);
        w.Append({Iso("2026-03-01"), Iso("2026-03-01")});
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(Periods(), "01-01/01-01;01-02/01-02");
}

TEST_F(FecEstFill, TwoStationsNeverMixTheirPeriods) {
    EscribeFecEst(dir_.Alias(), {});
    int ready[2], done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    const pid_t child = fork();
    if (child == 0) {
        // The other station: holds FecEst while it refills it with March.
        db::BatchWriter::Options o;
        o.exclusive = true;
        o.replaceRows = true;
        db::BatchWriter w(FecEstFile(), tables::FecEst(), o);
        for (const auto& p : Periodos(Iso("2026-03-01"), Iso("2026-03-03"), Resumen::Diario)) w.Append({p.ini, p.fin});
        char b = 1;
        if (write(ready[1], &b, 1) != 1) _exit(2);
        if (read(done[0], &b, 1) != 1) _exit(2);
        w.Commit();
        _exit(0);
    }
    char b = 0;
    ASSERT_EQ(read(ready[0], &b, 1), 1);
    try {
        EscribeFecEst(dir_.Alias(), Periodos(Iso("2026-01-01"), Iso("2026-01-02"), Resumen::Diario), 100);
        ADD_FAILURE() << "refilled a table another station holds";
    } catch (const db::EDatabaseError& e) {
        EXPECT_EQ(e.Kind(), db::ErrorKind::Locked);
        EXPECT_STREQ(e.what(), "La tabla FecEst está en uso");
    }
    ASSERT_EQ(write(done[1], &b, 1), 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Periods(), "03-01/03-01;03-02/03-02;03-03/03-03") << "the other station's periods, whole";
    EscribeFecEst(dir_.Alias(), Periodos(Iso("2026-01-01"), Iso("2026-01-02"), Resumen::Diario), 100);
    EXPECT_EQ(Periods(), "01-01/01-01;01-02/01-02") << "free again once the other station is done";
    for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
}

}  // namespace
