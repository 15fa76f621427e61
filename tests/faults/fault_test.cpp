// The razir program as a store's administrator runs it, under faults: a full disk (a file
// size limit), a table another program holds, a read-only data folder, a folder named with
// spaces and accents, and the bad input and repeated runs that once emptied tables.
// Every case checks the message the user reads and that the rows are all still there.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/tablemaint/engine/engine_fixture.h"

namespace {

namespace fs = std::filesystem;

const std::string kRazir = std::string(RAZIR_BIN_DIR) + "/razir";

struct Salida {
    int codigo = -1;
    std::string texto;  // standard output and error together
};

// Runs razir with `args`; `antes` runs in the child before the program starts (limits, user).
// The output goes through a pipe: a file-size limit must not silence the messages.
Salida Razir(const std::vector<std::string>& args, const std::function<void()>& antes = {}) {
    int out[2];
    if (pipe(out) != 0) return {};
    pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        dup2(out[1], 2);
        close(out[0]);
        if (antes) antes();
        std::vector<char*> argv{const_cast<char*>(kRazir.c_str())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    Salida s;
    char buf[4096];
    for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;) s.texto.append(buf, size_t(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    s.codigo = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return s;
}

using tablemaint::testing::Scalar;
using tablemaint::testing::Sql;

// A data folder made by `razir tables create`, with `rows` products in CatInven.
class Carpeta : public ::testing::Test {
protected:
    void SetUp() override { Prepara("datos"); }
    void TearDown() override { fs::remove_all(base_); }

    void Prepara(const std::string& nombre) {
        char tmpl[] = "/tmp/razir_fallas.XXXXXX";
        base_ = mkdtemp(tmpl);
        dir_ = base_ + "/" + nombre + "/";
        fs::create_directories(dir_);
        fs::create_directories(base_ + "/tmp");
        setenv("TMPDIR", (base_ + "/tmp").c_str(), 1);
        setenv("RAZIR_MOTOR", (base_ + "/motor.ini").c_str(), 1);
        ASSERT_EQ(Razir({"tables", "create", dir_}).codigo, 0);
        ASSERT_EQ(Sql(cat(), "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                             "INSERT INTO CatInven (Producto, Descripcio) SELECT printf('%06d', i), "
                             "'Producto ' || hex(randomblob(12)) FROM n"),
                  SQLITE_OK);
    }
    std::string cat() const { return dir_ + "CatInven.db"; }
    long long Rows() const { return Scalar(cat(), "SELECT count(*) FROM CatInven"); }

    std::string base_, dir_;
};

// Every bad option value is named with its value, in Spanish, and is a usage error.
TEST(Opciones, BadValuesAreNamedInSpanish) {
    struct Case {
        std::vector<std::string> args;
        const char* opcion;
    };
    // broke: "razir note --espacio abc" answered "razir note: stoi".
    const Case cases[] = {
        {{"note", "--out", "/dev/null", "--espacio", "abc"}, "--espacio"},
        {{"note", "--out", "/dev/null", "--espacio", "-3"}, "--espacio"},
        {{"note", "--out", "/dev/null", "--tipo", "X"}, "--tipo"},
        {{"note", "--out", "/dev/null", "--baud", "rápido"}, "--baud"},
        {{"demo", "/tmp/no-se-crea", "--days", "dos"}, "--days"},
        {{"demo", "/tmp/no-se-crea", "--stores", "1e3"}, "--stores"},
    };
    for (const auto& c : cases) {
        Salida s = Razir(c.args);
        SCOPED_TRACE(c.args[0] + " " + c.opcion + ": " + s.texto);
        EXPECT_EQ(s.codigo, 2);
        EXPECT_NE(s.texto.find(c.opcion), std::string::npos);
        EXPECT_NE(s.texto.find(c.args.back()), std::string::npos);
        EXPECT_EQ(s.texto.find("stoi"), std::string::npos);
    }
    EXPECT_EQ(Razir({"note", "--out"}).codigo, 2);
    EXPECT_NE(Razir({"note", "--out"}).texto.find("Falta el valor de --out"), std::string::npos);
}

TEST_F(Carpeta, CreateNeverEmptiesTablesSpeltInAnotherCase) {
    fs::rename(cat(), dir_ + "CatInven.DB");
    // broke: "CatInven.db" was looked for with its case, not found, and the table emptied.
    Salida s = Razir({"tables", "create", dir_});
    EXPECT_EQ(s.codigo, 1) << s.texto;
    EXPECT_NE(s.texto.find("--reinicializar"), std::string::npos) << s.texto;
    EXPECT_EQ(Scalar(dir_ + "CatInven.DB", "SELECT count(*) FROM CatInven"), 3000);
    EXPECT_FALSE(fs::exists(cat()));
}

TEST_F(Carpeta, CreateTwiceKeepsEveryBackup) {
    ASSERT_EQ(Razir({"tables", "create", dir_, "--reinicializar"}).codigo, 0);
    ASSERT_EQ(Razir({"tables", "create", dir_, "--reinicializar"}).codigo, 0);
    // broke: the second run replaced every "~" backup with the emptied table.
    EXPECT_EQ(Scalar(dir_ + "~CatInven.db", "SELECT count(*) FROM CatInven"), 3000);
    EXPECT_EQ(Scalar(dir_ + "~CatInven-2.db", "SELECT count(*) FROM CatInven"), 0);
    EXPECT_EQ(Rows(), 0);
}

TEST_F(Carpeta, VerifyingNothingIsNotASuccess) {
    const std::string empty = base_ + "/vacia";
    fs::create_directories(empty);
    // broke: a folder without tables printed nothing and answered 0.
    Salida s = Razir({"tables", "verify", empty});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_NE(s.texto.find("no hay tablas que verificar"), std::string::npos) << s.texto;
    for (const char* raiz : {"/", "//"}) {
        s = Razir({"tables", "create", raiz});
        EXPECT_EQ(s.codigo, 1) << raiz;
        EXPECT_NE(s.texto.find("no es válida"), std::string::npos) << s.texto;
    }
}

// A file-size limit stands for a full disk: each write that needs room fails half way.
TEST_F(Carpeta, FullDiskLeavesTheTableWholeWithASpanishMessage) {
    const auto size = fs::file_size(cat());
    struct Case {
        std::vector<std::string> args;
        rlim_t limit;
        const char* what;
    };
    const Case cases[] = {
        {{"tables", "rebuild", dir_, "CatInven"}, rlim_t(size / 2), "no se pudo"},             // the backup copy
        {{"note", "--out", base_ + "/ticket.prn"}, rlim_t(100), "Error al escribir"},           // a ticket file
        {{"tables", "verify", dir_, "CatInven"}, rlim_t(1024), "no se pudo escribir la tabla de errores"},
        {{"tables", "settings", "LEVEL", "5"}, rlim_t(0), "no se pudo escribir LEVEL"},  // motor.ini
    };
    for (const auto& c : cases) {
        fs::remove(base_ + "/motor.ini");
        Salida s = Razir(c.args, [&] {
            signal(SIGXFSZ, SIG_IGN);
            rlimit r{c.limit, c.limit};
            setrlimit(RLIMIT_FSIZE, &r);
        });
        SCOPED_TRACE(c.args[1] + " con " + std::to_string(c.limit) + " bytes: " + s.texto);
        EXPECT_EQ(s.codigo, 1);
        EXPECT_NE(s.texto.find(c.what), std::string::npos);
        EXPECT_NE(s.texto.find("disco"), std::string::npos) << "the user is told the disk is the cause";
        EXPECT_EQ(Rows(), 3000);
        EXPECT_EQ(Scalar(cat(), "SELECT count(*) FROM pragma_integrity_check WHERE integrity_check = 'ok'"), 1);
        for (const auto& e : fs::directory_iterator(dir_))
            EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << "no temporary file left";
    }
    EXPECT_EQ(Razir({"tables", "verify", dir_, "CatInven"}).codigo, 0) << "the table is sound";
    // broke: the engine's settings file, cut by the full disk, was left empty: every entry lost.
    EXPECT_EQ(Razir({"tables", "settings", "LEVEL"}).texto, "7\n");
}

TEST_F(Carpeta, ATableHeldByAnotherProgramIsLeftAlone) {
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(cat().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    for (const char* op : {"rebuild", "verify"}) {
        Salida s = Razir({"tables", op, dir_, "CatInven"});
        EXPECT_EQ(s.codigo, 1) << op;
        EXPECT_NE(s.texto.find("otro programa está usando"), std::string::npos) << s.texto;
    }
    Salida s = Razir({"tables", "create", dir_, "--reinicializar"});
    EXPECT_EQ(s.codigo, 1) << s.texto;
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(Rows(), 3000);
}

// As root, permissions do not stop writes: the program runs as "nobody", as a clerk would.
TEST_F(Carpeta, AReadOnlyDataFolder) {
    fs::permissions(base_, fs::perms(0755));
    fs::permissions(base_ + "/tmp", fs::perms(0777));
    fs::permissions(dir_, fs::perms(0555));
    auto asClerk = [] {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(126);
    };
    Salida s = Razir({"tables", "rebuild", dir_, "CatInven"}, asClerk);
    EXPECT_EQ(s.codigo, 1) << s.texto;
    EXPECT_NE(s.texto.find("permiso"), std::string::npos) << s.texto;
    s = Razir({"tables", "create", dir_, "--reinicializar"}, asClerk);
    EXPECT_EQ(s.codigo, 1) << s.texto;
    s = Razir({"tables", "verify", dir_, "CatInven"}, asClerk);
    EXPECT_EQ(s.codigo, 0) << "reading needs no writing: " << s.texto;
    fs::permissions(dir_, fs::perms(0755));
    EXPECT_EQ(Rows(), 3000);
}

class CarpetaConNombreRaro : public Carpeta {
    void SetUp() override { Prepara("Datos de la tienda Nº 3 (año 2026) ñandú"); }
};

TEST_F(CarpetaConNombreRaro, EveryCommandWorks) {
    EXPECT_EQ(Razir({"tables", "verify", dir_}).codigo, 0);
    Salida s = Razir({"tables", "rebuild", dir_, "catinven"});
    EXPECT_EQ(s.codigo, 0) << s.texto;
    EXPECT_EQ(Rows(), 3000);
    EXPECT_TRUE(fs::exists(dir_ + "~CatInven.db"));
    EXPECT_EQ(Razir({"tables", "reindex", dir_, "CatInven.db"}).codigo, 0);
    // broke: the dictionary's indexes were looked up with the name's case ("no declara índices").
    s = Razir({"tables", "reindex", dir_, "catinven"});
    EXPECT_EQ(s.codigo, 0) << s.texto;
    EXPECT_EQ(Razir({"tables", "create", dir_, "--reinicializar"}).codigo, 0);
    EXPECT_EQ(Scalar(dir_ + "~CatInven-2.db", "SELECT count(*) FROM CatInven"), 3000);
}

}  // namespace
