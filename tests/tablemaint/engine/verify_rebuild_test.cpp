// Verification and rebuilding of table files that the tests damage themselves: overwritten
// pages, a truncated file, a broken or missing index, a destroyed header, duplicate keys, and
// a table held open by another process. Each rebuild must keep every row that survives.
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <set>

#include "tablemaint/engine/salvage.h"
#include "tablemaint/engine/verify.h"
#include "tests/tablemaint/engine/engine_fixture.h"

namespace tablemaint::testing {
namespace {

constexpr int kRows = 3000;

class Damaged : public ::testing::Test {
protected:
    void SetUp() override {
        e_ = std::make_unique<EnginePtr>(OpenEngine(dir_.path, DicBuilder()
                                                                  .Tabla(1, "VENTAS")
                                                                  .Campo(1, "Caja", 1, 2)
                                                                  .Campo(1, "Nota", 1, 20)
                                                                  .Campo(1, "Fecha", 11)
                                                                  .Campo(1, "Monto", 6)
                                                                  .Campo(1, "Texto", 1, 200)
                                                                  .Indice(1, "PRIMARIO", "Caja;Nota", true)
                                                                  .Indice(1, "XFECHA", "Fecha")
                                                                  .d));
        ASSERT_EQ(engine().CreaTbl("VENTAS"), 0);
        std::string sql =
            "BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
            std::to_string(kRows) +
            ") INSERT INTO VENTAS SELECT printf('%02d', i % 3 + 1), printf('%06d', i), "
            "datetime('2002-05-29', '+' || i || ' minutes'), i * 1.25, "
            "substr('ñandú ' || hex(randomblob(100)), 1, 60 + i % 90) FROM n; COMMIT";
        ASSERT_EQ(Sql(table(), sql), SQLITE_OK);
        // Where every row lives, read from the intact file.
        for (const auto& f : RescataTabla(table(), "VENTAS", 5, -1).filas) pageOfRow_[f.rowid] = f.pagina;
        ASSERT_EQ(pageOfRow_.size(), size_t(kRows));
        for (const auto& [page, tree] : ArbolesPorPagina(table())) treeOfPage_[page] = tree;
    }

    VlmCtlArch& engine() { return **e_; }
    std::string table() const { return dir_.path + "VENTAS.db"; }
    std::string err() const { return dir_.path + "VLMVERIF.DB"; }

    // Pages of one tree; leaves only (pages that hold rows) for the table.
    std::vector<uint32_t> Pages(const std::string& tree, bool withRows) const {
        std::set<uint32_t> rowPages;
        for (const auto& [rowid, page] : pageOfRow_) rowPages.insert(page);
        std::vector<uint32_t> out;
        for (const auto& [page, t] : treeOfPage_)
            if (t == tree && (!withRows || rowPages.count(page))) out.push_back(page);
        return out;
    }
    int RowsOn(const std::set<uint32_t>& pages) const {
        int n = 0;
        for (const auto& [rowid, page] : pageOfRow_) n += pages.count(page);
        return n;
    }
    void Overwrite(uint32_t page, char byte) const {
        std::fstream f(table(), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(std::streamoff(page - 1) * 4096);
        std::string junk(4096, byte);
        f.write(junk.data(), junk.size());
    }
    std::set<int> Codes() const {
        std::set<int> codes;
        for (const auto& e : LeeTablaErrores(err())) codes.insert(e.codigo);
        return codes;
    }
    int Rebuild() {
        return engine().RecuperaTbl("VENTAS.db", err().c_str(), (dir_.path + "~VENTAS.db").c_str(),
                                    (dir_.path + "VLMPRBLM.db").c_str(), (dir_.path + "VLMKEYVL.db").c_str(), "");
    }
    // The rebuilt table holds `rows` rows and passes verification.
    void ExpectSound(long long rows) {
        EXPECT_EQ(Scalar(table(), "SELECT count(*) FROM VENTAS"), rows);
        EXPECT_EQ(engine().VerificaTbl("VENTAS.db", err().c_str(), ""), 0) << "the rebuilt table verifies";
        EXPECT_EQ(Codes().count(kIndiceInexistente), 0u);
    }
    static void Report(const char* damage, int kept, int readable) {
        std::cout << "[medida] " << damage << ": " << kept << " de " << kRows << " registros conservados ("
                  << readable << " legibles)\n";
    }

    TempDir dir_;
    std::unique_ptr<EnginePtr> e_;
    std::map<int64_t, uint32_t> pageOfRow_;
    std::map<uint32_t, std::string> treeOfPage_;
};

TEST_F(Damaged, IntactTableVerifiesClean) {
    EXPECT_EQ(engine().VerificaTbl("VENTAS.db", err().c_str(), ""), 0);
    EXPECT_TRUE(LeeTablaErrores(err()).empty());
    // The error table's name parts join into the table's path.
    EXPECT_EQ(Sql(err(), "SELECT 1"), SQLITE_OK);
    EXPECT_EQ(engine().VerificaTbl("NOESTA.db", err().c_str(), ""), 6);
}

TEST_F(Damaged, OverwrittenLeafPages) {
    auto leaves = Pages("VENTAS", true);
    ASSERT_GT(leaves.size(), 20u);
    std::set<uint32_t> hit{leaves[leaves.size() / 3], leaves[leaves.size() / 2], leaves[leaves.size() * 2 / 3]};
    for (uint32_t p : hit) Overwrite(p, '\xAA');
    const int readable = kRows - RowsOn(hit);
    const auto damagedSize = std::filesystem::file_size(table());

    EXPECT_EQ(engine().VerificaTbl("VENTAS.db", err().c_str(), ""), 1);
    EXPECT_TRUE(Codes().count(kRegistroDanado));
    auto errs = LeeTablaErrores(err());
    ASSERT_FALSE(errs.empty());
    EXPECT_EQ(Scalar(err(), "SELECT count(*) FROM VLMVERIF WHERE \"Directory\" || \"Table Name\" || \"Extension\" = '" +
                                table() + "'"),
              static_cast<long long>(errs.size()));

    EXPECT_EQ(Rebuild(), kRecuperadaConApartados) << engine().UltimoError();
    auto s = engine().UltimaRecuperacion();
    EXPECT_EQ(s.filasGuardadas, readable);
    EXPECT_EQ(s.problemas, 3) << "one record per unreadable page";
    EXPECT_EQ(Scalar(dir_.path + "VLMPRBLM-VENTAS.db", "SELECT count(*) FROM \"VLMPRBLM-VENTAS\""), 3);
    EXPECT_EQ(std::filesystem::file_size(dir_.path + "~VENTAS.db"), damagedSize) << "the original is backed up";
    Report("3 páginas de datos sobrescritas", s.filasGuardadas, readable);
    ExpectSound(readable);
}

TEST_F(Damaged, OverwrittenRootPageLosesNoRow) {
    const uint32_t root = uint32_t(Scalar(table(), "SELECT rootpage FROM sqlite_master WHERE name = 'VENTAS'"));
    Overwrite(root, '\x00');
    EXPECT_EQ(engine().VerificaTbl("VENTAS.db", err().c_str(), ""), 1);
    Rebuild();
    auto s = engine().UltimaRecuperacion();
    EXPECT_EQ(s.filasGuardadas, kRows) << "rows of leaves cut off from the tree are found";
    EXPECT_EQ(s.filasHuerfanas, kRows);
    Report("página raíz sobrescrita", s.filasGuardadas, kRows);
    ExpectSound(kRows);
}

TEST_F(Damaged, TruncatedFile) {
    const auto pages = uint32_t(std::filesystem::file_size(table()) / 4096);
    const uint32_t keep = pages * 6 / 10;
    std::filesystem::resize_file(table(), std::uintmax_t(keep) * 4096);
    std::set<uint32_t> gone;
    for (uint32_t p = keep + 1; p <= pages; ++p) gone.insert(p);
    const int readable = kRows - RowsOn(gone);

    int level = engine().VerificaTbl("VENTAS.db", err().c_str(), "");
    EXPECT_EQ(level, 1);
    EXPECT_TRUE(Codes().count(kArchivoTruncado));
    EXPECT_EQ(Rebuild(), kRecuperadaConApartados);
    auto s = engine().UltimaRecuperacion();
    EXPECT_EQ(s.filasGuardadas, readable);
    EXPECT_GT(s.problemas, 0);
    Report("archivo truncado al 60 %", s.filasGuardadas, readable);
    ExpectSound(readable);
}

TEST_F(Damaged, BrokenIndexIsOutOfDateAndRegenerates) {
    auto index = Pages("XFECHA", false);
    ASSERT_FALSE(index.empty());
    Overwrite(index.back(), '\x55');
    EXPECT_EQ(engine().VerificaTbl("VENTAS.db", err().c_str(), ""), 1);
    auto codes = Codes();
    EXPECT_TRUE(codes.count(kIndiceDesactualizado));
    EXPECT_FALSE(codes.count(kRegistroDanado)) << "the table's own rows are intact";
    EXPECT_EQ(engine().RegeneraIdx("VENTAS.db", "XFECHA"), 0) << engine().UltimoError();
    ExpectSound(kRows);
    EXPECT_EQ(engine().RegeneraIdx("VENTAS.db", "PRIMARIO"), 0) << "the primary index is rebuilt, never deleted";
    EXPECT_EQ(engine().RegeneraIdx("VENTAS.db", "NOESTA"), kNoRegenerado);
    ExpectSound(kRows);
}

TEST_F(Damaged, BrokenIndexRebuildKeepsEveryRow) {
    Overwrite(Pages("sqlite_autoindex_VENTAS_1", false).back(), '\x55');
    EXPECT_EQ(Rebuild(), kRecuperada) << engine().UltimoError();
    EXPECT_EQ(engine().UltimaRecuperacion().filasGuardadas, kRows);
    Report("índice primario dañado", engine().UltimaRecuperacion().filasGuardadas, kRows);
    ExpectSound(kRows);
}

TEST_F(Damaged, MissingIndexIsReported) {
    ASSERT_EQ(Sql(table(), "DROP INDEX XFECHA"), SQLITE_OK);
    EXPECT_EQ(engine().VerificaTbl("VENTAS.db", err().c_str(), ""), 1);
    EXPECT_TRUE(Codes().count(kIndiceInexistente));
    char t[260], e[260];
    std::strcpy(t, table().c_str());
    std::strcpy(e, err().c_str());
    EXPECT_EQ(kVerificaTabla(t, e, nullptr, 0), 0) << "without the dictionary nothing is missing";
    EXPECT_EQ(engine().CreaIdx("VENTAS", "XFECHA"), 0);
    ExpectSound(kRows);
}

TEST_F(Damaged, DestroyedHeaderRebuildsFromTheDictionary) {
    Overwrite(1, '\x00');
    EXPECT_EQ(engine().VerificaTbl("VENTAS.db", err().c_str(), ""), 3);
    EXPECT_TRUE(Codes().count(kEncabezadoDanado));
    char t[260], e[260], b[260], p[260], k[260];
    std::strcpy(t, table().c_str());
    std::strcpy(e, err().c_str());
    std::strcpy(b, (dir_.path + "~X.db").c_str());
    std::strcpy(p, (dir_.path + "P.db").c_str());
    std::strcpy(k, (dir_.path + "K.db").c_str());
    EXPECT_EQ(kRecuperaTabla(t, e, b, p, k, nullptr, 0), kSinDescripcion) << "no definition left in the file";
    EXPECT_EQ(Rebuild(), kRecuperada) << engine().UltimoError();
    Report("encabezado destruido", engine().UltimaRecuperacion().filasGuardadas, kRows);
    EXPECT_EQ(engine().UltimaRecuperacion().filasGuardadas, kRows);
    ExpectSound(kRows);
}

TEST_F(Damaged, EmptyFileIsNotATable) {
    std::filesystem::resize_file(table(), 0);
    EXPECT_EQ(engine().VerificaTbl("VENTAS.db", err().c_str(), ""), 4);
    EXPECT_TRUE(Codes().count(kNoEsTabla));
    EXPECT_EQ(Rebuild(), kRecuperada);
    ExpectSound(0);
}

TEST_F(Damaged, DuplicateKeysGoToTheKeyViolationTable) {
    // A unique index whose rows repeat a key: made by declaring the index unique afterwards.
    ASSERT_EQ(Sql(table(), "UPDATE VENTAS SET Fecha = '1999-01-01 00:00:00' WHERE rowid IN (10, 11, 12)"), SQLITE_OK);
    ASSERT_EQ(Sql(table(), "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = "
                           "'CREATE UNIQUE INDEX \"XFECHA\" ON \"VENTAS\" (\"Fecha\")' WHERE name = 'XFECHA'"),
              SQLITE_OK);
    EXPECT_EQ(engine().VerificaTbl("VENTAS.db", err().c_str(), ""), 1);
    EXPECT_EQ(Rebuild(), kRecuperadaConApartados);
    auto s = engine().UltimaRecuperacion();
    EXPECT_EQ(s.violaciones, 2);
    EXPECT_EQ(s.filasGuardadas, kRows - 2);
    EXPECT_EQ(Scalar(dir_.path + "VLMKEYVL-VENTAS.db", "SELECT count(*) FROM \"VLMKEYVL-VENTAS\""), 2);
    Report("claves repetidas en un índice único", s.filasGuardadas, kRows);
    ExpectSound(kRows - 2);
}

TEST_F(Damaged, FailedReplacementLeavesTheOriginal) {
    Overwrite(Pages("VENTAS", true)[5], '\xAA');
    const auto size = std::filesystem::file_size(table());
    const auto stamp = std::filesystem::last_write_time(table());
    int r = engine().RecuperaTbl("VENTAS.db", err().c_str(), "/no/existe/~VENTAS.db", "", "", "");
    EXPECT_EQ(r, kRecuperacionFallida);
    EXPECT_EQ(std::filesystem::file_size(table()), size);
    EXPECT_EQ(std::filesystem::last_write_time(table()), stamp);
}

// Random damage, many times: the rebuild never crashes, keeps every row of the pages left
// alone, and never makes up a row: each row kept is one of the table's, unchanged.
TEST_F(Damaged, RandomDamageKeepsUntouchedRowsAndInventsNone) {
    const std::string pristine = dir_.path + "pristine.db";
    std::filesystem::copy_file(table(), pristine);
    auto contents = [](const std::string& file) {
        std::map<long long, std::string> rows;
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT rowid, Caja || Nota || Fecha || Monto || Texto FROM VENTAS", -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            rows[sqlite3_column_int64(st, 0)] = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
        sqlite3_finalize(st);
        sqlite3_close(db);
        return rows;
    };
    const auto original = contents(pristine);
    const auto pages = uint32_t(std::filesystem::file_size(pristine) / 4096);
    std::mt19937 rng(20261211);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::filesystem::copy_file(pristine, table(), std::filesystem::copy_options::overwrite_existing);
        std::set<uint32_t> hit;
        for (int k = 0; k < 1 + round % 4; ++k) hit.insert(2 + rng() % (pages - 1));
        {
            std::fstream f(table(), std::ios::in | std::ios::out | std::ios::binary);
            for (uint32_t p : hit) {
                // Within the page, so the rows of its neighbours stay untouched.
                const uint32_t at = rng() % 2048;
                f.seekp(std::streamoff(p - 1) * 4096 + at);
                std::string junk(512 + rng() % (4096 - 512 - at), '\0');
                for (auto& c : junk) c = char(rng());
                f.write(junk.data(), junk.size());
            }
        }
        if (round % 3 == 2) {
            const auto cut = uint64_t(pages - 1 - rng() % (pages / 3)) * 4096 + rng() % 4096;
            std::filesystem::resize_file(table(), cut);
            for (uint32_t p = uint32_t(cut / 4096) + 1; p <= pages; ++p) hit.insert(p);
        }
        int r = Rebuild();
        ASSERT_TRUE(r == kRecuperada || r == kRecuperadaConApartados) << r << " " << engine().UltimoError();
        const auto kept = contents(table());
        EXPECT_GE(int(kept.size()), kRows - RowsOn(hit));
        for (const auto& [rowid, text] : kept) {
            auto it = original.find(rowid);
            ASSERT_NE(it, original.end()) << "row " << rowid << " was made up";
            EXPECT_EQ(text, it->second) << "row " << rowid;
        }
        EXPECT_EQ(engine().VerificaTbl("VENTAS.db", err().c_str(), ""), 0);
    }
}

// A small table, each of its pages in turn overwritten with junk (the header page, the
// schema, the table's pages, the indexes'): the rebuild keeps every row of the other pages.
TEST(DamagedPages, EveryPageOverwrittenInTurnKeepsTheRowsOfTheOthers) {
    TempDir dir;
    auto e = OpenEngine(dir.path, DicBuilder()
                                      .Tabla(1, "VENTAS")
                                      .Campo(1, "Nota", 1, 20)
                                      .Campo(1, "Texto", 1, 200)
                                      .Indice(1, "PRIMARIO", "Nota", true)
                                      .Indice(1, "XTEXTO", "Texto")
                                      .d);
    ASSERT_EQ(e->CreaTbl("VENTAS"), 0);
    const std::string table = dir.path + "VENTAS.db", pristine = dir.path + "pristine";
    ASSERT_EQ(Sql(table, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
                         "INSERT INTO VENTAS SELECT printf('%06d', i), 'ñ' || hex(randomblob(30 + i % 40)) FROM n"),
              SQLITE_OK);
    std::filesystem::copy_file(table, pristine);
    std::map<int64_t, std::pair<uint32_t, std::string>> original;  // rowid -> page, row
    for (const auto& f : RescataTabla(pristine, "VENTAS", 2, -1).filas)
        original[f.rowid] = {f.pagina, f.valores[0].bytes + "|" + f.valores[1].bytes};
    ASSERT_EQ(original.size(), 400u);
    const auto pages = uint32_t(std::filesystem::file_size(pristine) / 4096);
    ASSERT_GE(pages, 10u);
    std::mt19937 rng(7);
    for (uint32_t page = 1; page <= pages; ++page) {
        SCOPED_TRACE("page " + std::to_string(page) + " of " + std::to_string(pages));
        std::filesystem::copy_file(pristine, table, std::filesystem::copy_options::overwrite_existing);
        {
            std::fstream f(table, std::ios::in | std::ios::out | std::ios::binary);
            f.seekp(std::streamoff(page - 1) * 4096);
            std::string junk(4096, '\0');
            for (auto& c : junk) c = char(rng());
            f.write(junk.data(), junk.size());
        }
        int r = e->RecuperaTbl("VENTAS.db", (dir.path + "E.DB").c_str(), (dir.path + "~VENTAS.db").c_str(),
                               (dir.path + "P.DB").c_str(), (dir.path + "K.DB").c_str(), "");
        ASSERT_TRUE(r == kRecuperada || r == kRecuperadaConApartados) << r << " " << e->UltimoError();
        std::map<int64_t, std::string> kept;
        sqlite3* db = nullptr;
        sqlite3_open_v2(table.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT rowid, Nota || '|' || Texto FROM VENTAS", -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            kept[sqlite3_column_int64(st, 0)] = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
        sqlite3_finalize(st);
        sqlite3_close(db);
        for (const auto& [rowid, where] : original) {
            if (where.first == page) continue;
            EXPECT_EQ(kept[rowid], where.second) << "row " << rowid << " of page " << where.first;
        }
        for (const auto& [rowid, row] : kept) EXPECT_TRUE(original.count(rowid)) << "row " << rowid << " was made up";
    }
}

TEST_F(Damaged, TableOpenInAnotherProcessIsBusy) {
    int ready[2], release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    pid_t child = fork();
    if (child == 0) {
        sqlite3* db = nullptr;
        sqlite3_open(table().c_str(), &db);
        sqlite3_exec(db, "SELECT count(*) FROM VENTAS", nullptr, nullptr, nullptr);
        char c = 'x';
        if (write(ready[1], &c, 1) != 1) _exit(1);
        if (read(release[0], &c, 1) != 1) _exit(1);
        sqlite3_close(db);
        _exit(0);
    }
    char c;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    EXPECT_EQ(engine().VerificaTbl("VENTAS.db", err().c_str(), ""), -1);
    EXPECT_EQ(Rebuild(), kVerificacionFallida);
    EXPECT_EQ(engine().RegeneraIdx("VENTAS.db", "XFECHA"), kOcupadoIdx);
    EXPECT_EQ(engine().CreaIdx("VENTAS", "XFECHA"), kOcupadoIdx);
    EXPECT_EQ(engine().CreaTbl("VENTAS"), kOcupadoTbl);
    EXPECT_EQ(write(release[1], "x", 1), 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(engine().VerificaTbl("VENTAS.db", err().c_str(), ""), 0);
    EXPECT_EQ(Scalar(table(), "SELECT count(*) FROM VENTAS"), kRows) << "nothing was touched";
    // Held open by another part of this process (the data layer of the application).
    sqlite3* held = nullptr;
    sqlite3_open(table().c_str(), &held);
    EXPECT_EQ(engine().VerificaTbl("VENTAS.db", err().c_str(), ""), -1);
    sqlite3_close(held);
    EXPECT_EQ(engine().VerificaTbl("VENTAS.db", err().c_str(), ""), 0);
}

}  // namespace
}  // namespace tablemaint::testing
