// The demo generator's invariants on a small chain, read back from the files with SQLite:
// note totals, payments, per-day files, cash cuts, movements, determinism; and `razir demo`.
#include "host/razir/demo/generator.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "host/velmor/installation.h"
#include "platform/6_schema/tables.h"

namespace {

namespace fs = std::filesystem;
using razir::demo::Options;

fs::path TempDir(const std::string& name) {
    const fs::path p = fs::temp_directory_path() / ("demo_test_" + std::to_string(getpid()) + "_" + name);
    fs::remove_all(p);
    return p;
}

Options Small() {
    Options o;
    o.seed = 7;
    o.stores = 2;
    o.registers = 2;
    o.products = 60;
    o.days = 4;
    o.from = text::EncodeDate(2026, 2, 27);  // across the end of February
    return o;
}

// Runs a query on a table file with the given other files attached; returns rows as text.
std::vector<std::vector<std::string>> Query(const fs::path& file, const std::string& sql,
                                            const std::map<std::string, fs::path>& attach = {}) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK) << file;
    for (const auto& [name, path] : attach) {
        const std::string a = "ATTACH '" + path.string() + "' AS " + name;
        EXPECT_EQ(sqlite3_exec(db, a.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << a;
    }
    std::vector<std::vector<std::string>> rows;
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sql << ": " << sqlite3_errmsg(db);
    while (st && sqlite3_step(st) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            const auto* t = sqlite3_column_text(st, i);
            row.push_back(t ? reinterpret_cast<const char*>(t) : "");
        }
        rows.push_back(row);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

std::string Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class SmallChain : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new fs::path(TempDir("chain"));
        summary_ = razir::demo::Generate(Small(), *dir_);
    }
    static void TearDownTestSuite() {
        fs::remove_all(*dir_);
        delete dir_;
    }
    static std::vector<std::string> DayStems() {
        std::vector<std::string> stems;
        const Options o = Small();
        for (int d = 0; d < o.days; ++d)
            for (int s = 0; s < o.stores; ++s)
                for (int r = 0; r < o.registers; ++r)
                    stems.push_back(tables::DayFileStem(razir::demo::RegisterCode(o, s, r), o.from + d));
        return stems;
    }
    static inline fs::path* dir_ = nullptr;
    static inline razir::demo::Summary summary_;
};

TEST_F(SmallChain, EveryRegisterAndDayHasItsFourFiles) {
    const auto stems = DayStems();
    EXPECT_EQ(stems.front(), "012702F");  // register 01, 27 February 2026
    for (const auto& stem : stems)
        for (const char* kind : {"V", "D", "I", "C"})
            EXPECT_TRUE(fs::exists(*dir_ / (kind + stem + ".DB"))) << kind << stem;
    EXPECT_EQ(summary_.dayFiles, static_cast<int64_t>(stems.size()) * 4);
    for (const auto& t : tables::PermanentTables())
        EXPECT_TRUE(fs::exists(*dir_ / (t.name + ".DB"))) << t.name;
}

TEST_F(SmallChain, NoteTotalsAreTheSumOfTheirLinesAndPaymentsCoverThem) {
    int64_t notes = 0;
    for (const auto& stem : DayStems()) {
        const fs::path v = *dir_ / ("V" + stem + ".DB");
        const auto bad = Query(v,
            "SELECT V.Nota, V.TotDoc, IFNULL(SUM(D.TotPartida), 0), V.TotDesc, IFNULL(SUM(D.TotDesc), 0) "
            "FROM V" + stem + " V LEFT JOIN d.D" + stem + " D ON D.Caja = V.Caja AND D.Nota = V.Nota "
            "AND IFNULL(D.TipoProducto, '') <> 'P' "
            "WHERE IFNULL(V.TIPODOCZOD, '') = '' GROUP BY V.Caja, V.Nota "
            "HAVING ABS(V.TotDoc - IFNULL(SUM(D.TotPartida), 0)) > 0.005 "
            "OR ABS(V.TotDesc - IFNULL(SUM(D.TotDesc), 0)) > 0.005 OR COUNT(D.Nota) = 0",
            {{"d", *dir_ / ("D" + stem + ".DB")}});
        EXPECT_TRUE(bad.empty()) << stem << " note " << bad[0][0] << ": total " << bad[0][1] << " lines " << bad[0][2];
        const auto unpaid = Query(v, "SELECT Nota FROM V" + stem +
                                         " WHERE MontoPago1 + MontoPago2 + MontoPago3 + MontoPago4 < TotDoc - 0.005");
        EXPECT_TRUE(unpaid.empty()) << stem << " note " << unpaid[0][0];
        const auto taxes = Query(v,
            "SELECT V.Nota FROM V" + stem + " V LEFT JOIN i.I" + stem + " I ON I.CAJA = V.Caja AND I.NOTA = V.Nota "
            "GROUP BY V.Caja, V.Nota HAVING ABS(V.TotImp1 + V.TotImp2 + V.TotImp3 + V.TotImp4 - IFNULL(SUM(I.Monto), 0)) > 0.005",
            {{"i", *dir_ / ("I" + stem + ".DB")}});
        EXPECT_TRUE(taxes.empty()) << stem << " taxes of note " << taxes[0][0];
        notes += std::stoll(Query(v, "SELECT COUNT(*) FROM V" + stem)[0][0]);
    }
    EXPECT_EQ(notes, summary_.notes);
}

TEST_F(SmallChain, PackageComponentsShareThePackageAmount) {
    int64_t packages = 0;
    for (const auto& stem : DayStems()) {
        const fs::path d = *dir_ / ("D" + stem + ".DB");
        // Each run of "P" lines follows its "K" line and adds up to it.
        const auto rows = Query(d, "SELECT Nota, IFNULL(TipoProducto, ''), TotPartida FROM D" + stem +
                                       " ORDER BY Caja, Nota, Renglon");
        double open = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i][1] == "K") { open = std::stod(rows[i][2]); ++packages; }
            if (rows[i][1] == "P") open -= std::stod(rows[i][2]);
            const bool runEnds = i + 1 == rows.size() || rows[i + 1][1] != "P";
            if (rows[i][1] != "" && runEnds) {
                EXPECT_NEAR(open, 0, 0.005) << stem << " note " << rows[i][0];
            }
        }
    }
    EXPECT_GT(packages, 0);
}

TEST_F(SmallChain, BlankCodesAreNullAsARecordEditStoresThem) {
    // The demo wrote "" for a blank kind while every other writer stores null, so a report could
    // pass on the demo and drop every plain line and note on real files. One rule now: null.
    const std::string stem = DayStems().front();
    const auto lines = Query(*dir_ / ("D" + stem + ".DB"),
                             "SELECT SUM(TipoProducto IS NULL), IFNULL(SUM(TipoProducto = ''), 0), "
                             "SUM(TipoProducto IS NULL OR TipoProducto <> 'K') FROM D" + stem);
    EXPECT_NE(lines[0][0], "0") << "plain lines";
    EXPECT_EQ(lines[0][1], "0");
    EXPECT_NE(lines[0][2], "0");
    const auto notes = Query(*dir_ / ("V" + stem + ".DB"), "SELECT SUM(TIPODOCZOD IS NULL), IFNULL(SUM(TIPODOCZOD = ''), 0), "
                                                           "SUM(ClaveCli IS NULL), IFNULL(SUM(ClaveCli = ''), 0) FROM V" + stem);
    EXPECT_NE(notes[0][0], "0") << "plain sales";
    EXPECT_EQ(notes[0][1], "0");
    EXPECT_NE(notes[0][2], "0") << "sales to the public";
    EXPECT_EQ(notes[0][3], "0");
}

TEST_F(SmallChain, CashCutCountsTheCashiersNotes) {
    for (const auto& stem : DayStems()) {
        const fs::path c = *dir_ / ("C" + stem + ".DB");
        const auto bad = Query(c,
            "SELECT C.Cajero FROM C" + stem + " C WHERE C.TPago = 'AF' AND C.Cantidad <> "
            "(SELECT COUNT(*) FROM v.V" + stem + " V WHERE V.Cajero = C.Cajero AND V.Caja = C.Caja AND V.Status = 'N')",
            {{"v", *dir_ / ("V" + stem + ".DB")}});
        EXPECT_TRUE(bad.empty()) << stem << " cashier " << bad[0][0];
        const auto summary = Query(c, "SELECT COUNT(*) FROM C" + stem + " WHERE TPago IN ('AA', 'AF', 'AB')");
        const auto cashiers = Query(c, "SELECT COUNT(DISTINCT Cajero || Caja) FROM C" + stem);
        EXPECT_EQ(std::stoi(summary[0][0]), 3 * std::stoi(cashiers[0][0])) << stem;
    }
}

TEST_F(SmallChain, MovementsHoldEveryKindAndPackages) {
    const auto kinds = Query(*dir_ / "MovProd.DB", "SELECT DISTINCT TipoMov FROM MovProd ORDER BY 1");
    std::set<std::string> got;
    for (const auto& r : kinds) got.insert(r[0]);
    for (int k = 1; k <= 8; ++k) EXPECT_TRUE(got.count(std::to_string(k))) << "TipoMov " << k;
    const auto k = Query(*dir_ / "MovProd.DB", "SELECT COUNT(*) FROM MovProd WHERE TipoProd = 'K'");
    EXPECT_GT(std::stoi(k[0][0]), 0);
    // The last day of each store's first register is left unconcentrated.
    const Options o = Small();
    const std::string last = text::ToIsoDate(o.from + o.days - 1);
    const auto unconcentrated = Query(*dir_ / "MovProd.DB",
        "SELECT COUNT(*) FROM MovProd WHERE Caja = '01' AND TipoMov = 2 AND Fecha = '" + last + "'");
    EXPECT_EQ(unconcentrated[0][0], "0");
    const auto users = Query(*dir_ / "Usuarios.DB", "SELECT TipoUsr, COUNT(*) FROM Usuarios GROUP BY 1 ORDER BY 1");
    ASSERT_EQ(users.size(), 3u);  // "A", "C" cashiers and "D" sellers
    const auto forty = Query(*dir_ / "Cajas.DB", "SELECT COUNT(*) FROM Cajas WHERE BLectOp = 1");
    EXPECT_GT(std::stoi(forty[0][0]), 0);
}

TEST(Determinism, SameSeedSameBytesWhateverTheThreads) {
    Options a = Small();
    a.days = 2;
    a.threads = 1;
    Options b = a;
    b.threads = 3;
    const fs::path da = TempDir("a"), db = TempDir("b"), dc = TempDir("c");
    razir::demo::Generate(a, da);
    razir::demo::Generate(b, db);
    size_t files = 0;
    for (const auto& e : fs::directory_iterator(da)) {
        ++files;
        EXPECT_EQ(Bytes(e.path()), Bytes(db / e.path().filename())) << e.path().filename();
    }
    EXPECT_GT(files, 20u);
    Options c = a;
    c.seed = 8;
    razir::demo::Generate(c, dc);
    ASSERT_FALSE(Bytes(da / "V012802F.DB").empty());
    EXPECT_NE(Bytes(da / "V012802F.DB"), Bytes(dc / "V012802F.DB"));
    for (const auto& d : {da, db, dc}) fs::remove_all(d);
}

TEST(FilesPerStore, OneFileSetPerStoreHoldingAllItsRegisters) {
    Options o = Small();
    o.days = 1;
    o.filesPerStore = true;
    const fs::path dir = TempDir("store");
    razir::demo::Generate(o, dir);
    for (const char* kind : {"V", "D", "I", "C"}) {
        EXPECT_TRUE(fs::exists(dir / (std::string(kind) + "012702F.DB"))) << kind;
        EXPECT_TRUE(fs::exists(dir / (std::string(kind) + "022702F.DB"))) << kind;
    }
    const auto regs = Query(dir / "V022702F.DB", "SELECT DISTINCT Caja FROM V022702F ORDER BY 1");
    ASSERT_EQ(regs.size(), 2u);
    EXPECT_EQ(regs[0][0], "03");  // store 02 holds registers 03 and 04
    fs::remove_all(dir);
}

TEST(Options, ImpossibleSizesAreRejected) {
    struct Case { int stores, registers, products, days; const char* why; };
    const Case kCases[] = {
        {0, 2, 200, 31, "no store"},
        {100, 1, 200, 31, "store keys have two digits"},
        {90, 10, 200, 31, "user keys have three digits"},
        {3, 2, 5, 31, "too few products"},
        {3, 2, 200, 0, "no day"},
    };
    for (const auto& c : kCases) {
        Options o;
        o.stores = c.stores; o.registers = c.registers; o.products = c.products; o.days = c.days;
        EXPECT_THROW(razir::demo::Validate(o), std::invalid_argument) << c.why;
    }
    Options many;
    many.stores = 20;
    many.registers = 4;
    EXPECT_NO_THROW(razir::demo::Validate(many));
    EXPECT_EQ(razir::demo::RegisterCode(many, 19, 3), "80");
    Options wide;
    wide.stores = 40;
    wide.registers = 5;
    EXPECT_EQ(razir::demo::RegisterCode(wide, 19, 4), "A0");  // the 100th register
}

TEST(DemoCommand, WritesAnInstallationAndKeepsExistingData) {
    const fs::path dir = TempDir("cmd");
    const std::string razir = std::string(RAZIR_BIN_DIR) + "/razir";
    const std::string run = razir + " demo " + dir.string() + " --stores 1 --registers 1 --days 2 --products 20";
    ASSERT_EQ(std::system((run + " > /dev/null").c_str()), 0);
    EXPECT_TRUE(fs::exists(dir / "razir.ini"));
    EXPECT_TRUE(fs::exists(dir / "out"));
    EXPECT_TRUE(fs::exists(dir / "datos" / "V010101F.DB")) << "2026-01-01";
    const std::string ini = Bytes(dir / "razir.ini");
    EXPECT_NE(ini.find("TipoMovVentas=2"), std::string::npos);
    EXPECT_NE(ini.find("ArchivosPorTienda=No"), std::string::npos);
    EXPECT_NE(ini.find("tickets.prn"), std::string::npos);
    // The configuration reads back through the installation loader the programs use.
    const auto inst = velmor::Installation::Load(dir.string());
    EXPECT_TRUE(inst.ConfigFound);
    EXPECT_EQ(inst.Config.CajaActual, "01");
    EXPECT_EQ(inst.Config.FechaTrabajo, text::EncodeDate(2026, 1, 2));
    EXPECT_EQ(fs::path(inst.DataFolder()), fs::path(inst.Folder) / "datos/");
    EXPECT_EQ(fs::path(inst.PortDevice("LPT2")), fs::path(inst.Folder) / "out/tickets.prn");
    EXPECT_NE(std::system((run + " > /dev/null 2>&1").c_str()), 0) << "existing tables are not overwritten";
    EXPECT_EQ(std::system((run + " --reemplazar > /dev/null").c_str()), 0);
    EXPECT_NE(std::system((razir + " demo " + dir.string() + " --stores x 2> /dev/null").c_str()), 0);
    fs::remove_all(dir);
}

}  // namespace
