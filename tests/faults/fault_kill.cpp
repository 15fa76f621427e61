// Kills `razir tables rebuild` or `razir tables create --reinicializar` with SIGKILL at a random
// moment, over and over, and checks after each kill that every table of the data folder still
// opens and that every row it held is still in the table or in one of its backups.
// Not here: the other faults (fault_test.cpp); this program is what run_faults.sh repeats.
//
//   fault_kill RAZIR rebuild|create RUNS [SEED]
//
// Prints one line of figures; exits 1 when a row was lost or a table did not open.
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// The tables the runs fill and watch, and how many rows each gets.
const char* const kTablas[] = {"CatInven", "MovProd", "Tiendas", "Usuarios"};
constexpr int kFilas = 400;

int Run(const std::vector<std::string>& argv, int killAfterUs, bool* killed) {
    pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    if (killAfterUs >= 0) {
        const auto until = Clock::now() + std::chrono::microseconds(killAfterUs);
        while (Clock::now() < until) {
            if (waitpid(pid, &status, WNOHANG) == pid) {
                *killed = false;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        kill(pid, SIGKILL);
    }
    waitpid(pid, &status, 0);
    if (killed) *killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every row of the table in a file, as one text per row; nullopt when the file does not open
// or fails SQLite's own check.
bool Filas(const std::string& file, const std::string& table, std::multiset<std::string>& out) {
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    sqlite3_stmt* st = nullptr;
    if (ok) {
        ok = sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
             sqlite3_step(st) == SQLITE_ROW &&
             std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) == "ok";
        sqlite3_finalize(st);
    }
    if (ok) {
        const std::string q = "SELECT * FROM \"" + table + "\"";
        ok = sqlite3_prepare_v2(db, q.c_str(), -1, &st, nullptr) == SQLITE_OK;
        while (ok && sqlite3_step(st) == SQLITE_ROW) {
            std::string row;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const unsigned char* t = sqlite3_column_text(st, c);
                row += (t ? reinterpret_cast<const char*>(t) : "<nulo>") + std::string("|");
            }
            out.insert(row);
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return ok;
}

// Rows of every column's type, unique in every column so that any key holds.
bool Llena(const std::string& file, const std::string& table) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    std::string cols, vals;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, ("PRAGMA table_info(\"" + table + "\")").c_str(), -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        cols += std::string(cols.empty() ? "" : ", ") + "\"" + reinterpret_cast<const char*>(sqlite3_column_text(st, 1)) + "\"";
        vals += std::string(vals.empty() ? "" : ", ") + "printf('%d', i)";
    }
    sqlite3_finalize(st);
    const std::string sql = "BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                            std::to_string(kFilas) + ") INSERT INTO \"" + table + "\" (" + cols + ") SELECT " + vals +
                            " FROM n; COMMIT";
    bool ok = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// The file of a table in the folder, whatever its case.
std::string Archivo(const fs::path& dir, const std::string& table) {
    for (const auto& e : fs::directory_iterator(dir)) {
        std::string n = e.path().filename().string(), want = table + ".db";
        if (n.size() == want.size() &&
            std::equal(n.begin(), n.end(), want.begin(), [](char a, char b) { return std::tolower(a) == std::tolower(b); }))
            return e.path().string();
    }
    return (dir / (table + ".db")).string();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "Uso: fault_kill RAZIR rebuild|create CORRIDAS [SEMILLA]\n";
        return 2;
    }
    const std::string razir = fs::absolute(argv[1]).string(), op = argv[2];
    const int runs = std::atoi(argv[3]);
    std::mt19937 rng(argc > 4 ? unsigned(std::atoi(argv[4])) : unsigned(std::random_device{}()));
    if (op != "rebuild" && op != "create") return 2;

    char tmpl[] = "/tmp/razir_faltas.XXXXXX";
    const fs::path base = mkdtemp(tmpl);
    const fs::path pristine = base / "original", dir = base / "datos";
    fs::create_directories(pristine);
    bool dummy = false;
    if (Run({razir, "tables", "create", pristine.string()}, -1, &dummy) != 0) {
        std::cerr << "fault_kill: no se pudieron crear las tablas\n";
        return 1;
    }
    std::map<std::string, std::multiset<std::string>> before;
    for (const char* t : kTablas) {
        if (!Llena(Archivo(pristine, t), t) || !Filas(Archivo(pristine, t), t, before[t])) {
            std::cerr << "fault_kill: no se pudo llenar " << t << "\n";
            return 1;
        }
    }
    // A backup an earlier day left (half the rows): it must survive every run untouched.
    std::map<std::string, std::multiset<std::string>> earlierBackups;
    for (const char* t : kTablas) {
        const std::string backup = (pristine / (std::string("~") + t + ".db")).string();
        fs::copy_file(Archivo(pristine, t), backup);
        sqlite3* db = nullptr;
        sqlite3_open(backup.c_str(), &db);
        sqlite3_exec(db, ("DELETE FROM \"" + std::string(t) + "\" WHERE rowid > " + std::to_string(kFilas / 2)).c_str(),
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
        Filas(backup, t, earlierBackups[fs::path(backup).filename().string()]);
    }
    auto command = [&](int run) -> std::vector<std::string> {
        if (op == "create") return {razir, "tables", "create", dir.string(), "--reinicializar"};
        return {razir, "tables", "rebuild", dir.string(), kTablas[run % std::size(kTablas)]};
    };

    // How long one uninterrupted run takes: the kills fall anywhere inside it.
    fs::copy(pristine, dir, fs::copy_options::recursive);
    const auto t0 = Clock::now();
    Run(command(0), -1, &dummy);
    const int fullUs = int(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - t0).count());
    fs::remove_all(dir);

    int faults = 0, lost = 0, notOpened = 0;
    for (int run = 0; run < runs; ++run) {
        fs::copy(pristine, dir, fs::copy_options::recursive);
        bool killed = false;
        Run(command(run), int(rng() % unsigned(fullUs + 1)), &killed);
        faults += killed;
        for (const char* t : kTablas) {
            std::multiset<std::string> now;
            if (!Filas(Archivo(dir, t), t, now)) {
                ++notOpened;
                std::cerr << "corrida " << run << ": " << t << " no abre\n";
            }
            // Every original row is in the table or in a backup of it.
            std::multiset<std::string> kept = now;
            for (const auto& e : fs::directory_iterator(dir)) {
                const std::string n = e.path().filename().string();
                if (n.rfind(std::string("~") + t, 0) == 0 && n.find(".tmp") == std::string::npos) Filas(e.path().string(), t, kept);
            }
            int missing = 0;
            for (const auto& row : before[t]) missing += kept.count(row) == 0;
            // The table holds the old rows or the new ones (none), never a part.
            if (!now.empty() && now != before[t]) {
                std::cerr << "corrida " << run << ": " << t << " quedó con " << now.size() << " registros\n";
                missing += int(before[t].size());
            }
            for (const auto& [name, rows] : earlierBackups) {
                std::multiset<std::string> still;
                if (name != std::string("~") + t + ".db") continue;
                if (!Filas((dir / name).string(), t, still) || still != rows) {
                    std::cerr << "corrida " << run << ": se perdió el respaldo " << name << "\n";
                    missing += int(rows.size());
                }
            }
            if (missing) std::cerr << "corrida " << run << ": " << missing << " registros perdidos de " << t << "\n";
            lost += missing;
        }
        fs::remove_all(dir);
    }
    fs::remove_all(base);
    std::cout << "razir tables " << op << ": corridas " << runs << ", fallas inyectadas (kill -9 en plena marcha) "
              << faults << ", registros perdidos " << lost << ", tablas que no abrieron " << notOpened
              << " (una corrida completa: " << fullUs / 1000 << " ms)\n";
    return lost || notOpened ? 1 : 0;
}
