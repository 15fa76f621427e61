// Base library: separators, per-day stems, weeks and tax schemes both ways, on a real EsqImp file.
#include "host/tolmabase/tolmabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <thread>

#include "host/tolmabase/seguro.h"
#include "platform/2_db/error.h"
#include "platform/2_db/schema.h"
#include "platform/2_db/table.h"
#include "platform/6_schema/tables.h"

namespace {

TEST(QuitaSeparadorMillar, RemovesOnlyTheSeparator) {
    struct Case { std::string in, sep, out, why; };
    const Case kCases[] = {
        {"1,234,567.89", ",", "1234567.89", "Mexican separators"},
        {"1234.5", ",", "1234.5", "nothing to remove"},
        {"", ",", "", "empty text"},
        {"-12,000", ",", "-12000", "sign kept"},
        {"1.234.567,89", ".", "1234567,89", "separator of another locale"},
        {"1\u202f234", "\u202f", "1234", "multi-byte separator"},
        {"1,234", "", "1,234", "no separator configured"},
    };
    for (const auto& c : kCases) {
        std::string s = c.in;
        tolmabase::QuitaSeparadorMillar(s, c.sep);
        EXPECT_EQ(s, c.out) << c.why;
    }
}

TEST(FirstDayOfWeek, IsTheSundayOnOrBefore) {
    struct Case { int y, m, d; int fy, fm, fd; const char* why; };
    const Case kCases[] = {
        {2026, 12, 9, 2026, 12, 6, "Wednesday"},
        {2026, 12, 6, 2026, 12, 6, "a Sunday is its own week start"},
        {2026, 12, 12, 2026, 12, 6, "Saturday closes the week"},
        {2027, 1, 1, 2026, 12, 27, "week across the year end"},
        {2024, 3, 1, 2024, 2, 25, "across a leap February"},
    };
    for (const auto& c : kCases) {
        const auto day = text::EncodeDate(c.y, c.m, c.d) + 0.75;  // 18:00: the time is dropped
        EXPECT_EQ(tolmabase::FirstDayOfWeek(day), text::EncodeDate(c.fy, c.fm, c.fd)) << c.why;
    }
}

TEST(GetNameArch, StemWithoutKindLetter) {
    std::string stem = "basura";
    tolmabase::GetNameArch(stem, "03", text::EncodeDate(2000, 1, 1));
    EXPECT_EQ(stem, "030101F");
}

tolmabase::Esquema Scheme(double r1, double r2, double r3, double r4, bool cascada2 = false) {
    tolmabase::Esquema e;
    e.clave = "X";
    e.porcen[0] = r1; e.porcen[1] = r2; e.porcen[2] = r3; e.porcen[3] = r4;
    e.cascada[1] = cascada2;
    return e;
}

TEST(Esquemas, CalculationBothWays) {
    struct Case { tolmabase::Esquema e; double price; double t1, t2, t3, t4, withTaxes; const char* why; };
    const Case kCases[] = {
        {Scheme(16, 0, 0, 0), 100, 16, 0, 0, 0, 116, "one tax"},
        {Scheme(0, 0, 0, 0), 50, 0, 0, 0, 0, 50, "exempt"},
        {Scheme(16, 8, 0, 0), 100, 16, 8, 0, 0, 124, "two taxes on the price"},
        {Scheme(8, 16, 0, 0, true), 100, 8, 17.28, 0, 0, 125.28, "second tax on price plus first"},
        {Scheme(1, 2, 3, 4), 200, 2, 4, 6, 8, 220, "all four"},
        {Scheme(16, 0, 0, 0), 0, 0, 0, 0, 0, 0, "zero price"},
    };
    for (const auto& c : kCases) {
        tolmabase::Desglose r{};
        tolmabase::CalculaEsquema(c.e, c.price, r);
        EXPECT_NEAR(r[4], c.t1, 1e-9) << c.why;
        EXPECT_NEAR(r[5], c.t2, 1e-9) << c.why;
        EXPECT_NEAR(r[6], c.t3, 1e-9) << c.why;
        EXPECT_NEAR(r[7], c.t4, 1e-9) << c.why;
        EXPECT_NEAR(r[8], c.withTaxes, 1e-9) << c.why;
        tolmabase::Desglose back{};
        tolmabase::DesgloseEsquema(c.e, c.withTaxes, back);
        EXPECT_NEAR(back[8], c.price, 1e-9) << c.why << " (breakdown)";
        EXPECT_NEAR(back[4] + back[5] + back[6] + back[7] + back[8], c.withTaxes, 1e-9) << c.why;
    }
}

class EsquemasEnTabla : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("tolmabase_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((dir_ / "esqimp.db").c_str(), &db), SQLITE_OK);  // lowercase on purpose
        for (const auto& sql : db::CreateTableSql(tables::EsqImp()))
            ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
        ASSERT_EQ(sqlite3_exec(db,
                               "INSERT INTO EsqImp (Clave, Descripcion, Porcen1, Porcen2, Porcen3, Porcen4,"
                               " Cascada2, Cascada3, Cascada4) VALUES ('IE', 'IEPS e IVA', 8, 16, 0, 0, 1, 0, 0)",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
        tolmabase::SetCarpetaDatos(dir_.string());
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(EsquemasEnTabla, ReadsTheSchemeByKey) {
    tolmabase::Desglose r{};
    tolmabase::CalculaEsquema("IE", 100, r);
    EXPECT_NEAR(r[4], 8, 1e-9);
    EXPECT_NEAR(r[5], 17.28, 1e-9);
    EXPECT_NEAR(r[8], 125.28, 1e-9);
    tolmabase::DesgloseEsquema("IE", 125.28, r);
    EXPECT_NEAR(r[8], 100, 1e-9);
}

TEST_F(EsquemasEnTabla, AChangedTableIsReadAgain) {
    tolmabase::Desglose r{};
    tolmabase::CalculaEsquema("IE", 100, r);
    ASSERT_NEAR(r[4], 8, 1e-9);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((dir_ / "esqimp.db").c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "UPDATE EsqImp SET Porcen1 = 6 WHERE Clave = 'IE'", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    tolmabase::CalculaEsquema("IE", 100, r);
    EXPECT_NEAR(r[4], 6, 1e-9) << "the rates of the old file were kept";
}

TEST_F(EsquemasEnTabla, MissingSchemeMeansNoTaxes) {
    tolmabase::Desglose r{};
    tolmabase::CalculaEsquema("ZZ", 100, r);
    EXPECT_EQ(r[4] + r[5] + r[6] + r[7], 0);
    EXPECT_EQ(r[8], 100);
}

TEST_F(EsquemasEnTabla, MissingTableIsAClearError) {
    tolmabase::SetCarpetaDatos((dir_ / "no-existe").string());
    tolmabase::Desglose r{};
    EXPECT_THROW(tolmabase::CalculaEsquema("IE", 100, r), std::runtime_error);
}

// Safe edit and post on RepUsr while another station holds the file locked.
class SeguroEnTabla : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("seguro_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
        db::CreateTableFile((dir_ / "RepUsr.DB").string(), tables::RepUsr());
        tabla_.DatabaseName = dir_.string();
        tabla_.TableName = "RepUsr";
        tabla_.Open();
    }
    void TearDown() override {
        tabla_.Close();
        std::filesystem::remove_all(dir_);
    }
    // Another station writing: an exclusive transaction on the file, for `ms` milliseconds.
    std::thread Lock(int ms) {
        sqlite3* other = nullptr;
        EXPECT_EQ(sqlite3_open((dir_ / "RepUsr.DB").c_str(), &other), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        return std::thread([other, ms] {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_close(other);
        });
    }
    void Fill(int numero, const char* nombre) {
        tabla_.FieldByName("NUMERO").SetAsInteger(numero);
        tabla_.FieldByName("NOMBRE").SetAsString(nombre);
    }
    std::filesystem::path dir_;
    db::TTable tabla_;
};

TEST_F(SeguroEnTabla, EditOnAnEmptyTableAddsAndPostWaitsForTheLock) {
    tolmabase::EditSeguroEnTabla(tabla_);
    EXPECT_EQ(tabla_.State(), db::TDataSetState::dsInsert);
    Fill(1, "Ventas del día");
    auto holder = Lock(300);
    tolmabase::PostSeguroEnTabla(tabla_, {2, std::chrono::milliseconds(50)});
    holder.join();
    EXPECT_EQ(tabla_.State(), db::TDataSetState::dsBrowse);
    EXPECT_EQ(tabla_.RecordCount(), 1);
}

TEST_F(SeguroEnTabla, ALockThatOutlastsTheWaitKeepsTheRecordAndSaysSo) {
    tabla_.Append();
    Fill(1, "Ventas del día");
    auto holder = Lock(3600);  // beyond the data layer's 3-second busy wait
    try {
        tolmabase::PostSeguroEnTabla(tabla_, {1, std::chrono::milliseconds(0)});
        ADD_FAILURE() << "the post went through a lock";
    } catch (const db::EDatabaseError& e) {
        EXPECT_EQ(e.Kind(), db::ErrorKind::Locked);
        EXPECT_NE(std::string(e.what()).find("está en uso por otro usuario"), std::string::npos) << e.what();
    }
    EXPECT_EQ(tabla_.State(), db::TDataSetState::dsInsert) << "what was typed is kept";
    holder.join();
    tolmabase::PostSeguroEnTabla(tabla_);
    EXPECT_EQ(tabla_.RecordCount(), 1);
}

TEST_F(SeguroEnTabla, DuplicateKeyIsCancelledWithAClearError) {
    tabla_.Append();
    Fill(1, "Uno");
    tolmabase::PostSeguroEnTabla(tabla_);
    tabla_.Append();
    Fill(1, "Otro con la misma clave");
    try {
        tolmabase::PostSeguroEnTabla(tabla_);
        ADD_FAILURE() << "duplicate key accepted";
    } catch (const db::EDatabaseError& e) {
        EXPECT_EQ(e.Kind(), db::ErrorKind::KeyViolation);
        EXPECT_NE(std::string(e.what()).find("RepUsr"), std::string::npos) << e.what();
    }
    EXPECT_EQ(tabla_.State(), db::TDataSetState::dsBrowse);
    EXPECT_EQ(tabla_.RecordCount(), 1);
}

}  // namespace
