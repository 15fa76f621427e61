// What the engine must never destroy: tables found under another spelling of their name,
// earlier backups, earlier problem and key-violation tables, and tables in a data folder that
// was never set. Each case is a fault that once emptied or replaced a user's file.
#include <fstream>

#include "platform/2_db/names.h"
#include "platform/2_vcl/driver.h"
#include "tablemaint/engine/rebuild.h"
#include "tablemaint/engine/verify.h"
#include "tests/tablemaint/engine/engine_fixture.h"

namespace tablemaint::testing {
namespace {

namespace fs = std::filesystem;

Diccionario OneTable(const std::string& name) {
    return DicBuilder()
        .Tabla(1, name)
        .Campo(1, "Clave", 1, 5)
        .Campo(1, "Nombre", 1, 20)
        .Indice(1, "PRIMARIO", "Clave", true)
        .Indice(1, "XNOMBRE", "Nombre")
        .d;
}

// A table file with `rows` rows written under `file`, as another installation spelt it.
void TableWithRows(const std::string& file, const std::string& table, int rows) {
    ASSERT_EQ(Sql(file, "CREATE TABLE \"" + table + "\" (Clave VARCHAR(5) PRIMARY KEY, Nombre VARCHAR(20)); "
                        "CREATE INDEX XNOMBRE ON \"" + table + "\" (Nombre); "
                        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                        std::to_string(rows) + ") INSERT INTO \"" + table +
                        "\" SELECT printf('%05d', i), 'nombre ' || i FROM n"),
              SQLITE_OK);
}

long long Rows(const std::string& file, const std::string& table) {
    return Scalar(file, "SELECT count(*) FROM \"" + table + "\"");
}

// The dictionary says "CatInven.db" and "Año.db"; the folder holds other spellings.
TEST(KeepsData, TablesFoundIgnoringCaseAreNeverEmptiedByCreaBD) {
    struct Case {
        const char* dictionary;
        const char* onDisk;
    };
    // broke: CreaBD compared names with their case and emptied "CatInven.DB"; the engine's own
    // folding missed "AÑO" for "Año".
    const Case cases[] = {{"CatInven", "CatInven.DB"}, {"CatInven", "CATINVEN.db"}, {"Año", "AÑO.DB"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.onDisk);
        TempDir dir;
        TableWithRows(dir.path + c.onDisk, c.dictionary, 200);
        auto e = OpenEngine(dir.path, OneTable(c.dictionary));
        e->AsociaTabla(true);
        EXPECT_EQ(e->CreaBD(), 0) << e->UltimoError();
        EXPECT_EQ(Rows(dir.path + c.onDisk, c.dictionary), 200);
        EXPECT_FALSE(fs::exists(dir.path + c.dictionary + ".db")) << "no second file beside the table";
        const std::string lower = db::FoldName(c.onDisk);
        EXPECT_EQ(e->VerificaTbl(lower.c_str(), (dir.path + "E.DB").c_str(), ""), 0) << "found as " << lower;
    }
}

TEST(KeepsData, EveryOverwriteKeepsItsOwnBackup) {
    TempDir dir;
    auto e = OpenEngine(dir.path, OneTable("T"));
    ASSERT_EQ(e->CreaTbl("T"), 0);
    ASSERT_EQ(Sql(dir.path + "T.db", "INSERT INTO T VALUES ('a', 'uno'), ('b', 'dos')"), SQLITE_OK);
    ASSERT_EQ(e->CreaTbl("T"), 0);
    ASSERT_EQ(Sql(dir.path + "T.db", "INSERT INTO T VALUES ('c', 'tres')"), SQLITE_OK);
    ASSERT_EQ(e->CreaTbl("T"), 0);
    // broke: the second overwrite replaced "~T.db" (two rows) with the emptied table.
    EXPECT_EQ(Rows(dir.path + "~T.db", "T"), 2);
    EXPECT_EQ(Rows(dir.path + "~T-2.db", "T"), 1) << "the newest backup carries the highest number";
    EXPECT_EQ(Rows(dir.path + "T.db", "T"), 0);
}

TEST(KeepsData, RebuildsKeepEveryBackupAndSideTablePerTable) {
    TempDir dir;
    DicBuilder b;
    b.Tabla(1, "UNO").Campo(1, "Clave", 1, 5).Campo(1, "Nombre", 1, 20);
    b.Tabla(2, "DOS").Campo(2, "Clave", 1, 5).Campo(2, "Nombre", 1, 20);
    auto e = OpenEngine(dir.path, b.d);
    for (const char* t : {"UNO", "DOS"}) {
        // A unique index whose rows repeat a key (declared unique afterwards): the rebuild
        // sets the repeats aside.
        const std::string file = dir.path + t + ".db", table = t;
        TableWithRows(file, table, 50);
        ASSERT_EQ(Sql(file, "UPDATE " + table + " SET Nombre = 'igual' WHERE rowid <= 3; PRAGMA writable_schema = ON; "
                            "UPDATE sqlite_master SET sql = 'CREATE UNIQUE INDEX XNOMBRE ON " + table +
                            " (Nombre)' WHERE name = 'XNOMBRE'"),
                  SQLITE_OK);
    }
    auto rebuild = [&](const std::string& t) {
        return e->RecuperaTbl((t + ".db").c_str(), (dir.path + "VLMVERIF.DB").c_str(), (dir.path + "~" + t + ".db").c_str(),
                              (dir.path + "VLMPRBLM.DB").c_str(), (dir.path + "VLMKEYVL.DB").c_str(), "");
    };
    std::vector<std::string> keyTables;
    for (const char* t : {"UNO", "DOS"}) {
        EXPECT_EQ(rebuild(t), kRecuperadaConApartados) << e->UltimoError();
        keyTables.push_back(e->UltimaRecuperacion().tablaViolaciones);
    }
    // broke: DOS's rebuild replaced the key-violation table UNO's had filled.
    EXPECT_EQ(keyTables[0], dir.path + "VLMKEYVL-UNO.DB");
    EXPECT_EQ(keyTables[1], dir.path + "VLMKEYVL-DOS.DB");
    EXPECT_EQ(Rows(keyTables[0], "VLMKEYVL-UNO"), 2);
    EXPECT_EQ(Rows(keyTables[1], "VLMKEYVL-DOS"), 2);
    // A second rebuild of UNO: the first backup is still the damaged original.
    EXPECT_EQ(Rows(dir.path + "~UNO.db", "UNO"), 50);
    EXPECT_EQ(rebuild("UNO"), kRecuperada) << e->UltimoError();
    // broke: the second rebuild replaced "~UNO.db", the only copy of the original.
    EXPECT_EQ(Rows(dir.path + "~UNO.db", "UNO"), 50);
    EXPECT_EQ(e->UltimaRecuperacion().respaldo, dir.path + "~UNO-2.db");
    EXPECT_EQ(Rows(dir.path + "~UNO-2.db", "UNO"), 48);
}

TEST(KeepsData, AnEmptyOrRootDataFolderIsRefused) {
    for (const char* folder : {"", "/", "//", "/tmp/.."}) {
        SCOPED_TRACE(std::string("\"") + folder + "\"");
        TempDir dic;
        auto e = OpenEngine(dic.path, OneTable("ZZVLMPRUEBA"));
        std::strcpy(e->szRutaBD, folder);
        e->Inicializa();
        EXPECT_EQ(e->CreaTbl("ZZVLMPRUEBA"), kNoCreadoTbl);
        EXPECT_NE(std::string(e->UltimoError()).find("no es válida"), std::string::npos) << e->UltimoError();
        e->AsociaTabla(true);
        EXPECT_EQ(e->CreaBD(), kNoCreadoTbl);
        EXPECT_FALSE(fs::exists("/ZZVLMPRUEBA.db"));
        EXPECT_FALSE(fs::exists("ZZVLMPRUEBA.db"));
    }
}

TEST(KeepsData, CreaBDTellsTheUserWhichTableFailed) {
    TempDir dir;
    auto e = OpenEngine(dir.path, DicBuilder().Tabla(1, "UNO").Campo(1, "A", 1, 2).Tabla(2, "DOS").Campo(2, "A", 2).d);
    vcl::HeadlessDriver user;
    vcl::DriverScope scope(user);
    e->AsociaTabla(true);
    EXPECT_EQ(e->CreaBD(), kNoCreadoTbl);
    // broke: the failure was only a result code; the user saw nothing.
    ASSERT_EQ(user.Messages().size(), 1u);
    EXPECT_EQ(user.Messages()[0].request.text, "No se pudo crear \"DOS.db\"");
}

// A truncated file whose list of indexes cannot be read is damaged, not short of indexes.
TEST(KeepsData, TruncatedTablesAreNotReportedAsMissingIndexes) {
    TempDir dir;
    auto e = OpenEngine(dir.path, OneTable("T"));
    ASSERT_EQ(e->CreaTbl("T"), 0);
    ASSERT_EQ(Sql(dir.path + "T.db", "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                                     "INSERT INTO T SELECT printf('%05d', i), hex(randomblob(9)) FROM n"),
              SQLITE_OK);
    const std::string pristine = dir.path + "pristine";
    fs::copy_file(dir.path + "T.db", pristine);
    const auto size = fs::file_size(pristine);
    for (std::uintmax_t cut : {std::uintmax_t(100), std::uintmax_t(4096 + 7), size / 3, size - 4096}) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        fs::copy_file(pristine, dir.path + "T.db", fs::copy_options::overwrite_existing);
        fs::resize_file(dir.path + "T.db", cut);
        const int level = e->VerificaTbl("T.db", (dir.path + "E.DB").c_str(), "");
        EXPECT_GE(level, 1);
        bool damage = false, missingIndex = false;
        for (const auto& f : LeeTablaErrores(dir.path + "E.DB")) {
            damage = damage || CodigoDeDano(f.codigo);
            missingIndex = missingIndex || f.codigo == kIndiceInexistente;
        }
        EXPECT_TRUE(damage);
        // broke: every declared index came out as code 15 and the advice was to create them.
        EXPECT_FALSE(missingIndex);
    }
}

}  // namespace
}  // namespace tablemaint::testing
