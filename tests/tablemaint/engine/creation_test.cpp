// Creation of tables and indexes from the data dictionary, on real table files.
#include <fstream>

#include "platform/2_db/table.h"
#include "platform/6_schema/tables.h"
#include "tests/tablemaint/engine/engine_fixture.h"

namespace tablemaint::testing {
namespace {

std::string Declared(const std::string& file, const std::string& table, const std::string& column) {
    sqlite3* db = nullptr;
    std::string type;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    std::string q = "SELECT type FROM pragma_table_info('" + table + "') WHERE name='" + column + "'";
    if (sqlite3_prepare_v2(db, q.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        type = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return type;
}

TEST(Dictionary, ShippedDictionaryDescribesTheTablesAsTheReportsReadThem) {
    const Diccionario d = DiccionarioIncluido();
    auto check = [&](const db::TableDef& want, const std::string& nombre) {
        SCOPED_TRACE(nombre);
        const RegistroTabla* t = d.TablaPorNombre(nombre);
        ASSERT_NE(t, nullptr);
        db::TableDef got;
        ASSERT_EQ(DescribeTabla(d, t->Numero, got), 0);
        ASSERT_EQ(got.fields.size(), want.fields.size());
        for (size_t i = 0; i < want.fields.size(); ++i) {
            EXPECT_EQ(got.fields[i].name, want.fields[i].name);
            EXPECT_EQ(got.fields[i].type, want.fields[i].type) << want.fields[i].name;
            EXPECT_EQ(got.fields[i].size, want.fields[i].size) << want.fields[i].name;
        }
        ASSERT_EQ(got.indexes.size(), want.indexes.size());
        for (size_t i = 0; i < want.indexes.size(); ++i) {
            EXPECT_EQ(got.indexes[i].name, want.indexes[i].name);
            EXPECT_EQ(got.indexes[i].fields, want.indexes[i].fields);
            EXPECT_EQ(got.indexes[i].primary, want.indexes[i].primary);
        }
    };
    for (const auto& t : tables::PermanentTables()) check(t, t.name);
    check(tables::DayTable(tables::DayKind::Ventas, "012905H"), "Ventas");
    check(tables::DayTable(tables::DayKind::Detalle, "012905H"), "Detalle");
    check(tables::DayTable(tables::DayKind::Impuestos, "012905H"), "Impuestos");
    check(tables::DayTable(tables::DayKind::Corte, "012905H"), "Cortes");
}

TEST(Creation, WholeDatabaseFromTheShippedDictionary) {
    TempDir dir;
    auto e = OpenEngine(dir.path, DiccionarioIncluido());
    e->AsociaTabla(true);
    ASSERT_EQ(e->CreaBD(), 0) << e->UltimoError();
    for (const auto& t : tables::PermanentTables()) {
        const std::string file = dir.path + t.name + ".db";
        SCOPED_TRACE(file);
        ASSERT_TRUE(std::filesystem::exists(file));
        EXPECT_EQ(Scalar(file, "SELECT count(*) FROM pragma_table_info('" + t.name + "')"),
                  static_cast<long long>(t.fields.size()));
        EXPECT_EQ(Scalar(file, "SELECT count(*) FROM \"" + t.name + "\""), 0);
        EXPECT_EQ(e->VerificaTbl((t.name + ".db").c_str(), (dir.path + "ERR.DB").c_str(), ""), 0);
    }
    // Types that keep codes as text and flags as booleans, as the reports read them.
    EXPECT_EQ(Declared(dir.path + "Cajas.db", "Cajas", "Caja"), "VARCHAR(2)");
    EXPECT_EQ(Declared(dir.path + "Cajas.db", "Cajas", "BLectOp"), "BOOLEAN");
    EXPECT_EQ(Declared(dir.path + "MovProd.db", "MovProd", "Fecha"), "DATE");
    // The data layer reads and writes what was created, with the declared types.
    {
        db::TTable cajas;
        cajas.TableName = dir.path + "Cajas.db";
        cajas.Open();
        cajas.Append();
        cajas.FieldByName("Tienda").SetAsString("01");
        cajas.FieldByName("Caja").SetAsString("02");
        cajas.FieldByName("BLectOp").SetAsBoolean(true);
        cajas.Post();
        cajas.Close();
        cajas.Open();
        EXPECT_EQ(cajas.FieldByName("Caja").AsString(), "02") << "codes stay text";
        EXPECT_TRUE(cajas.FieldByName("BLectOp").AsBoolean());
        EXPECT_EQ(cajas.FieldByName("BLectOp").DataType(), db::FieldType::Boolean);
    }
    // Groups are named by the application: no "Ventas.db" is made.
    EXPECT_FALSE(std::filesystem::exists(dir.path + "Ventas.db"));
    // A per-day file is created from its group's definition.
    const RegistroTabla* ventas = DiccionarioIncluido().TablaPorNombre("Ventas");
    ASSERT_EQ(e->CreaTbl("V012905H.DB", ventas->Numero), 0);
    EXPECT_EQ(Scalar(dir.path + "V012905H.DB", "SELECT count(*) FROM pragma_table_info('V012905H')"),
              static_cast<long long>(tables::DayTable(tables::DayKind::Ventas, "012905H").fields.size()));
}

TEST(Creation, FieldTypeCodes) {
    struct Case {
        int code;
        const char* declared;  // "" when the table must be refused
    };
    constexpr Case kCases[] = {
        {1, "VARCHAR(12)"}, {3, "SMALLINT"}, {4, "INTEGER"},     {5, "BOOLEAN"},         {6, "FLOAT"},
        {7, "CURRENCY FLOAT"}, {9, "DATE"},  {10, "TIME"},       {11, "TIMESTAMP"},      {15, "INTEGER AUTOINC"},
        {2, ""},            {0, ""},         {8, ""},            {12, ""},               {99, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE("code " + std::to_string(c.code));
        TempDir dir;
        auto e = OpenEngine(dir.path, DicBuilder()
                                          .Tabla(1, "T")
                                          .Campo(1, "Clave", 1, 4)
                                          .Campo(1, "Valor", c.code, 12)
                                          .Indice(1, "PRIMARIO", "Clave", true)
                                          .d);
        int r = e->CreaTbl("T");
        if (*c.declared) {
            EXPECT_EQ(r, 0);
            EXPECT_EQ(Declared(dir.path + "T.db", "T", "Valor"), c.declared);
        } else {
            EXPECT_EQ(r, kCampoNoSoportado);
            EXPECT_FALSE(std::filesystem::exists(dir.path + "T.db")) << "nothing is created";
        }
    }
}

TEST(Creation, IndexDescriptionsAndNames) {
    TempDir dir;
    auto e = OpenEngine(dir.path, DicBuilder()
                                      .Tabla(1, "CLIENTES")
                                      .Tabla(2, "otra.dat", "ttASCII")
                                      .Campo(1, "Tienda", 1, 2)
                                      .Campo(1, "Caja", 1, 2)
                                      .Campo(1, "Nombre", 1, 40)
                                      .Indice(1, "PRIMARIO", "Tienda;Caja", true)
                                      .Indice(1, "XNOMBRE", "Nombre", false, true, true)
                                      .Campo(2, "A", 1, 2)
                                      .d);
    int16_t nf = 0, ni = 0;
    ASSERT_EQ(e->DameNumCamposIdx(1, &nf, &ni), 0);
    EXPECT_EQ(nf, 3);
    EXPECT_EQ(ni, 2);
    std::vector<FLDDesc> f(3);
    std::vector<IDXDesc> i(2);
    ASSERT_EQ(e->LLenaDescCampos(1, f.data(), i.data()), 0);
    EXPECT_EQ(i[0].aiKeyFld, (std::vector<uint16_t>{1, 2}));
    EXPECT_EQ(i[0].iFldsInKey, 2);
    EXPECT_TRUE(i[0].indice.primary);
    EXPECT_TRUE(i[1].indice.descending);
    EXPECT_TRUE(i[1].indice.caseInsensitive);
    EXPECT_EQ(e->GetNumCampo("Nombre", 1), 3);

    ASSERT_EQ(e->CreaBD(), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.path + "CLIENTES.db"));
    EXPECT_TRUE(std::filesystem::exists(dir.path + "otra.dat")) << "other types keep their name";
    EXPECT_EQ(Scalar(dir.path + "CLIENTES.db",
                     "SELECT count(*) FROM sqlite_master WHERE sql LIKE '%\"Nombre\" COLLATE NOCASE DESC%'"),
              1);
    // Unknown key field: refused rather than an index on nothing.
    TempDir other;
    auto bad = OpenEngine(other.path, DicBuilder().Tabla(1, "T").Campo(1, "A", 1, 2).Indice(1, "X", "A;B").d);
    EXPECT_EQ(bad->CreaTbl("T"), kNoCreadoTbl);
    EXPECT_FALSE(std::filesystem::exists(other.path + "T.db"));
}

TEST(Creation, CreaBDStopsAtTheFirstTableThatCannotBeCreated) {
    TempDir dir;
    auto e = OpenEngine(dir.path, DicBuilder()
                                      .Tabla(1, "UNO").Campo(1, "A", 1, 2)
                                      .Tabla(2, "DOS").Campo(2, "A", 2)
                                      .Tabla(3, "TRES").Campo(3, "A", 1, 2)
                                      .d);
    EXPECT_EQ(e->CreaBD(), 3);
    EXPECT_EQ(std::string(e->UltimoError()).rfind("No se pudo crear \"DOS.db\"", 0), 0u) << e->UltimoError();
    EXPECT_TRUE(std::filesystem::exists(dir.path + "UNO.db"));
    EXPECT_FALSE(std::filesystem::exists(dir.path + "DOS.db"));
    EXPECT_FALSE(std::filesystem::exists(dir.path + "TRES.db"));
}

TEST(Creation, OverwritingATableKeepsABackupOfIt) {
    TempDir dir;
    auto e = OpenEngine(dir.path, DicBuilder().Tabla(1, "T").Campo(1, "A", 1, 5).Indice(1, "PRIMARIO", "A", true).d);
    ASSERT_EQ(e->CreaTbl("T"), 0);
    ASSERT_EQ(Sql(dir.path + "T.db", "INSERT INTO T VALUES ('uno'), ('dos')"), SQLITE_OK);
    ASSERT_EQ(e->CreaTbl("T"), 0);
    EXPECT_EQ(Scalar(dir.path + "T.db", "SELECT count(*) FROM T"), 0);
    EXPECT_EQ(Scalar(dir.path + "~T.db", "SELECT count(*) FROM T"), 2) << "the old rows are in the backup";
}

TEST(Creation, BadNamesAndUninitialisedEngines) {
    TempDir dir;
    auto e = OpenEngine(dir.path, DicBuilder().Tabla(1, "T").Campo(1, "A", 1, 5).d);
    EXPECT_EQ(e->CreaTbl("", 1), kNoCreadoTbl);
    EXPECT_EQ(e->CreaTbl(nullptr, 1), kNoCreadoTbl);
    EXPECT_EQ(e->CreaTbl("T.db", 42), kSinNumeroTabla);
    EXPECT_EQ(e->CreaTbl("NOESTA"), kNoCreadoTbl);
    EXPECT_EQ(e->CreaIdx("T", "NOESTA"), kNoCreadoTbl);
    // An engine that never reached Inicializa is destroyed without harm.
    EXPECT_EQ(DestruyeVlmCtlArch(CreaVlmCtlArch()), 1);
    EXPECT_EQ(DestruyeVlmCtlArch(nullptr), 1);
    EXPECT_EQ(CheckDbiError(10024, nullptr, 0), 10024);
    EXPECT_EQ(CheckTUError(7, nullptr, 0), 7);
    // A missing dictionary is a result, not a crash.
    EnginePtr lost(CreaVlmCtlArch(), DestruyeVlmCtlArch);
    std::strcpy(lost->szRutaBD, dir.path.c_str());
    std::strcpy(lost->szRutaTablas, "/no/existe/T.DB");
    std::strcpy(lost->szRutaCampos, "/no/existe/C.DB");
    lost->Inicializa();
    EXPECT_EQ(lost->CreaBD(), 3);
    EXPECT_EQ(lost->CreaTbl("T.db", 1), kErrorDiccionario);
}

TEST(Creation, IndexesAddedFromTheDictionary) {
    TempDir dir;
    DicBuilder b;
    b.Tabla(1, "T").Campo(1, "A", 1, 5).Campo(1, "B", 6).Indice(1, "PRIMARIO", "A", true).Indice(1, "XB", "B");
    auto e = OpenEngine(dir.path, b.d);
    // A table made without its key and index: both are added, rows kept.
    ASSERT_EQ(Sql(dir.path + "T.db", "CREATE TABLE T (A VARCHAR(5), B FLOAT); INSERT INTO T VALUES ('a', 1), ('b', 2)"),
              SQLITE_OK);
    EXPECT_EQ(e->CreaIdx("T", "XB"), 0) << e->UltimoError();
    EXPECT_EQ(e->CreaIdx("T", "PRIMARIO"), 0) << e->UltimoError();
    EXPECT_EQ(Scalar(dir.path + "T.db", "SELECT count(*) FROM T"), 2);
    EXPECT_EQ(Scalar(dir.path + "T.db", "SELECT count(*) FROM pragma_table_info('T') WHERE pk > 0"), 1);
    EXPECT_EQ(Scalar(dir.path + "T.db", "SELECT count(*) FROM sqlite_master WHERE name = 'XB'"), 1);
    EXPECT_EQ(e->VerificaTbl("T.db", (dir.path + "E.DB").c_str(), ""), 0);
    // A primary key the rows break is not added, and the table stays as it was.
    ASSERT_EQ(Sql(dir.path + "T.db", "DROP TABLE T; CREATE TABLE T (A VARCHAR(5), B FLOAT); "
                                     "INSERT INTO T VALUES ('a', 1), ('a', 2)"),
              SQLITE_OK);
    EXPECT_EQ(e->CreaIdx("T", "PRIMARIO"), kNoCreadoTbl);
    EXPECT_EQ(Scalar(dir.path + "T.db", "SELECT count(*) FROM T"), 2);
}

}  // namespace
}  // namespace tablemaint::testing
