// Writing one new per-day file of note lines (100 rows, the size of a register's day in the
// demo year): db::BatchWriter against bare SQLite doing the least it can (an in-memory
// database with no journal, its image written with one write). The demo generator writes
// 116,800 such files for a year of a 20-store chain, so this is its cost per file.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/2_db/batch.h"
#include "platform/2_shell/folders.h"
#include "platform/6_schema/tables.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 100;

fs::path Folder() {
    static const fs::path folder = [] {
        fs::path f = fs::path(shell::TempFolder()) / ("bench_writer_" + std::to_string(getpid()));
        fs::create_directories(f);
        return f;
    }();
    return folder;
}

std::string Nota(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%07d", n);
    return buf;
}

void BM_BatchWriter(benchmark::State& state) {
    const db::TableDef def = tables::DayTable(tables::DayKind::Detalle, "010101F");
    const std::string path = (Folder() / "D010101F.DB").string();
    db::BatchWriter probe(path, def);
    const int nota = probe.FieldIndex("Nota"), caja = probe.FieldIndex("Caja"), renglon = probe.FieldIndex("Renglon"),
              producto = probe.FieldIndex("Producto"), cantidad = probe.FieldIndex("Cantidad"),
              precio = probe.FieldIndex("Precio"), total = probe.FieldIndex("TotPartida");
    probe.Rollback();
    for (auto _ : state) {
        fs::remove(path);
        db::BatchWriter w(path, def);
        for (int r = 0; r < kRows; ++r) {
            w.Set(nota, Nota(r / 3 + 1));
            w.Set(caja, "01");
            w.SetInteger(renglon, r % 3 + 1);
            w.Set(producto, "P" + Nota(r * 7 % 200));
            w.Set(cantidad, 1.0 + r % 4);
            w.Set(precio, 12.5 + r);
            w.Set(total, (12.5 + r) * (1 + r % 4));
            w.Append();
        }
        w.Commit();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BatchWriter)->Unit(benchmark::kMicrosecond);

void Check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) throw std::runtime_error(sqlite3_errmsg(db));
}

void BM_BareSqlite(benchmark::State& state) {
    const db::TableDef def = tables::DayTable(tables::DayKind::Detalle, "010101F");
    const auto sql = db::CreateTableSql(def);
    const std::string path = (Folder() / "D010101F.DB").string();
    std::string insert = "INSERT INTO D010101F (Nota, Caja, Renglon, Producto, Cantidad, Precio, TotPartida) VALUES (?,?,?,?,?,?,?)";
    for (auto _ : state) {
        fs::remove(path);
        sqlite3* db = nullptr;
        sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_MEMORY, nullptr);
        Check(sqlite3_exec(db, "PRAGMA journal_mode=OFF", nullptr, nullptr, nullptr), db);
        Check(sqlite3_exec(db, sql[0].c_str(), nullptr, nullptr, nullptr), db);
        Check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
        sqlite3_stmt* st = nullptr;
        Check(sqlite3_prepare_v2(db, insert.c_str(), -1, &st, nullptr), db);
        for (int r = 0; r < kRows; ++r) {
            const std::string n = Nota(r / 3 + 1), p = "P" + Nota(r * 7 % 200);
            sqlite3_bind_text(st, 1, n.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, "01", -1, SQLITE_TRANSIENT);
            sqlite3_bind_int64(st, 3, r % 3 + 1);
            sqlite3_bind_text(st, 4, p.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(st, 5, 1.0 + r % 4);
            sqlite3_bind_double(st, 6, 12.5 + r);
            sqlite3_bind_double(st, 7, (12.5 + r) * (1 + r % 4));
            Check(sqlite3_step(st), db);
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
        }
        sqlite3_finalize(st);
        Check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
        for (size_t k = 1; k < sql.size(); ++k) Check(sqlite3_exec(db, sql[k].c_str(), nullptr, nullptr, nullptr), db);
        sqlite3_int64 size = 0;
        unsigned char* image = sqlite3_serialize(db, "main", &size, 0);
        std::FILE* out = std::fopen(path.c_str(), "wb");
        std::fwrite(image, 1, static_cast<size_t>(size), out);
        std::fclose(out);
        sqlite3_free(image);
        sqlite3_close(db);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BareSqlite)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
