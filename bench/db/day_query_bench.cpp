// A report's grouped query over one day's notes and lines joined with the catalogue: through
// db::TQuery (dialect translation, attaching files, windowed cursor, field reads) against the
// same SQL on bare SQLite with the same files attached, and against the sqlite3 program.
// Data: demo chains written once into a temporary folder: a register's day (about 100 lines)
// and the day of a 40-register store whose files are kept per store (about 4,000 lines).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/razir/demo/generator.h"
#include "platform/2_db/query.h"
#include "platform/2_shell/folders.h"
#include "platform/6_schema/tables.h"

namespace {

namespace fs = std::filesystem;

struct Fixture {
    fs::path folder;
    std::string stem;
};

const Fixture& Data(bool perStore) {
    static Fixture fixtures[2];
    Fixture& f = fixtures[perStore ? 1 : 0];
    if (f.folder.empty()) {
        razir::demo::Options o;
        o.stores = 1;
        o.registers = perStore ? 40 : 2;
        o.products = 5000;
        o.days = 1;
        o.filesPerStore = perStore;
        f.folder = fs::path(shell::TempFolder()) / ("bench_day_" + std::to_string(getpid()) + (perStore ? "_tienda" : "_caja"));
        fs::remove_all(f.folder);
        razir::demo::Generate(o, f.folder);
        f.stem = tables::DayFileStem(perStore ? razir::demo::StoreCode(0) : razir::demo::RegisterCode(o, 0, 0), o.from);
    }
    return f;
}

// The query as a report writes it (local dialect: bare file names, aliases).
std::string LocalSql(const std::string& stem) {
    return "Select D.Producto, C.Descripcio, Sum(D.Cantidad) As SumCant, "
           "Sum(D.TotPartida-D.TotImp1-D.TotImp2-D.TotImp3-D.TotImp4) As SumMonto "
           "From V" + stem + " V, D" + stem + " D, CatInven C "
           "Where V.Nota = D.Nota And V.Caja = D.Caja And D.Producto = C.Producto "
           "And V.Status = 'N' And (D.TipoProducto Is Null Or D.TipoProducto <> 'K') "
           "Group By D.Producto, C.Descripcio";
}

// The same on SQLite with the files attached under schema names.
std::string BareSql(const std::string& stem) {
    return "SELECT D.Producto, C.Descripcio, SUM(D.Cantidad) AS SumCant, "
           "SUM(D.TotPartida-D.TotImp1-D.TotImp2-D.TotImp3-D.TotImp4) AS SumMonto "
           "FROM v.V" + stem + " V, d.D" + stem + " D, main.CatInven C "
           "WHERE V.Nota = D.Nota AND V.Caja = D.Caja AND D.Producto = C.Producto "
           "AND V.Status = 'N' AND (D.TipoProducto IS NULL OR D.TipoProducto <> 'K') "
           "GROUP BY D.Producto, C.Descripcio";
}

void TQueryDay(benchmark::State& state) {
    const Fixture& f = Data(state.range(0) != 0);
    double total = 0;
    long rows = 0;
    for (auto _ : state) {
        db::TQuery q;
        q.DatabaseName = f.folder.string();
        q.SQL.Add(LocalSql(f.stem));
        q.Open();
        rows = 0;
        for (q.First(); !q.Eof(); q.Next()) {
            benchmark::DoNotOptimize(q.FieldByName("Producto").AsString());
            total += q.FieldByName("SumCant").AsFloat() + q.FieldByName("SumMonto").AsFloat();
            ++rows;
        }
        q.Close();
    }
    benchmark::DoNotOptimize(total);
    state.counters["rows"] = static_cast<double>(rows);
}

void BareSqliteDay(benchmark::State& state) {
    const Fixture& f = Data(state.range(0) != 0);
    const std::string sql = BareSql(f.stem);
    double total = 0;
    long rows = 0;
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2((f.folder / "CatInven.DB").c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        const std::string attach = "ATTACH '" + (f.folder / ("V" + f.stem + ".DB")).string() + "' AS v; ATTACH '" +
                                   (f.folder / ("D" + f.stem + ".DB")).string() + "' AS d";
        sqlite3_exec(db, attach.c_str(), nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
            state.SkipWithError(sqlite3_errmsg(db));
            break;
        }
        rows = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            benchmark::DoNotOptimize(sqlite3_column_text(st, 0));
            total += sqlite3_column_double(st, 2) + sqlite3_column_double(st, 3);
            ++rows;
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
    benchmark::DoNotOptimize(total);
    state.counters["rows"] = static_cast<double>(rows);
}

// The sqlite3 program on the same files, output discarded; includes starting the process.
void Sqlite3ProgramDay(benchmark::State& state) {
    const Fixture& f = Data(state.range(0) != 0);
    const std::string cmd = "sqlite3 -readonly '" + (f.folder / "CatInven.DB").string() + "' \"ATTACH '" +
                            (f.folder / ("V" + f.stem + ".DB")).string() + "' AS v; ATTACH '" +
                            (f.folder / ("D" + f.stem + ".DB")).string() + "' AS d; " + BareSql(f.stem) +
                            ";\" > /dev/null";
    for (auto _ : state) {
        if (std::system(cmd.c_str()) != 0) {
            state.SkipWithError("sqlite3 failed");
            break;
        }
    }
}

BENCHMARK(TQueryDay)->ArgName("tienda")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BareSqliteDay)->ArgName("tienda")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Sqlite3ProgramDay)->ArgName("tienda")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
