// The table schema and the shipped data dictionary name the same tables. Field by field, each
// table of the schema is compared with the dictionary by the engine's own test
// (tablemaint/engine/creation_test.cpp); this is the other direction: a table added to the
// dictionary alone, or to the schema alone, fails here.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/6_schema/tables.h"
#include "tablemaint/engine/dictionary.h"

namespace {

TEST(SchemaAndDictionary, NameTheSameTables) {
    // Per-day tables are groups in the dictionary, named after the kind of file.
    const std::set<std::string> groups = {"Ventas", "Detalle", "Impuestos", "Cortes"};
    std::set<std::string> schema;
    for (const auto& t : tables::PermanentTables()) schema.insert(t.name);

    std::set<std::string> dictionaryTables, dictionaryGroups;
    for (const auto& t : tablemaint::DiccionarioIncluido().tablas)
        (t.Calculado == "S" ? dictionaryGroups : dictionaryTables).insert(t.Nombre);

    EXPECT_EQ(dictionaryTables, schema);
    EXPECT_EQ(dictionaryGroups, groups);
}

}  // namespace
