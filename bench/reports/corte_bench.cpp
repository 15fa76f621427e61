// The cash cut of one register's day printed in direct mode, `razir report RCorte CAJERO FECHA
// direct` as the host runs it at the end of a shift, whole process included, over a generated
// year of a 20-store chain (written once by `razir demo` and kept for later runs).
// Not here: the cut's figures (tests/reports/register/corte_test.cpp).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/2_shell/folders.h"

namespace {

namespace fs = std::filesystem;

const std::string kRazir = std::string(RAZIR_BIN_DIR) + "/razir";

// The installation, generated the first time: 20 stores, 2 registers each, 365 days.
const fs::path& Instalacion() {
    static const fs::path folder = [] {
        fs::path f = fs::path(shell::TempFolder()) / "razir_bench_corte_anio";
        if (!fs::exists(f / "razir.ini")) {
            fs::remove_all(f);
            const std::string cmd = kRazir + " demo " + f.string() +
                                    " --stores 20 --days 365 --from 2026-01-01 > /dev/null";
            if (std::system(cmd.c_str()) != 0) std::abort();
        }
        return f;
    }();
    return folder;
}

void BM_CorteDirecto(benchmark::State& state) {
    const fs::path& home = Instalacion();
    // The station's cashier (001 at register 01 of store 01) on the last day of the year.
    const std::string cmd = "cd " + (home / "out").string() + " && RAZIR_HOME=" + home.string() + " " + kRazir +
                            " report RCorte 001 31/12/2026 direct > /dev/null 2>&1";
    for (auto _ : state) {
        fs::remove(home / "out" / "Corte.pdf");
        if (std::system(cmd.c_str()) != 0 || !fs::exists(home / "out" / "Corte.pdf")) {
            state.SkipWithError("no se imprimió el corte");
            break;
        }
    }
}
BENCHMARK(BM_CorteDirecto)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
