// Bulk loading: one rule for blank text with a record edit, rows stored as the field types
// store them, new files whole or absent.
#include "platform/2_db/batch.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/2_db/names.h"
#include "platform/2_db/query.h"
#include "platform/2_db/table.h"
#include "tests/platform/2_db/temp_folder.h"

namespace {

const db::TableDef kNotas{"Notas",
                          {{"Nota", db::FieldType::String, 7},
                           {"TIPODOCZOD", db::FieldType::String, 1},
                           {"Fecha", db::FieldType::DateTime},
                           {"Total", db::FieldType::Float},
                           {"Renglon", db::FieldType::Integer}},
                          {{"", {"Nota"}, true, true}, {"XFECHA", {"Fecha"}}}};

class Batch : public ::testing::Test {
protected:
    std::string File() const { return db::ResolveTableFile(dir_.Path(), "Notas"); }
    std::string Select(const std::string& where) {
        db::TQuery q;
        q.DatabaseName = dir_.Alias();
        q.SQL.Add("Select Nota From Notas " + where + " Order By Nota");
        q.Open();
        std::string out;
        for (q.First(); !q.Eof(); q.Next()) out += (out.empty() ? "" : ";") + q.FieldByName("Nota").AsString();
        return out;
    }
    dbtest::TempFolder dir_;
};

TEST_F(Batch, BlankTextReadsBackAsARecordEditStoresIt) {
    // The demo's writer kept a blank kind as "" and every other writer as null: a report could
    // pass on the demo data and drop every plain sale on real files.
    {
        db::BatchWriter w(File(), kNotas);
        w.Append({"0000001", "", 1.5, 10.0, 1});          // a whole row, blank kind
        w.Set(0, "0000002");                             // field by field, blank kind
        w.Set(1, "");
        w.Set(2, "2026-01-05 10:00:00");
        w.Append();
        w.Append({"0000003", "P", 2.0, 30.0, 3});
    }
    {
        db::TTable t;  // a record posted through a table, blank kind
        t.DatabaseName = dir_.Alias();
        t.TableName = "Notas";
        t.Open();
        t.Append();
        t.FieldByName("Nota").SetAsString("0000004");
        t.FieldByName("TIPODOCZOD").SetAsString("");
        t.Post();
    }
    struct Case { const char* where; const char* rows; const char* why; };
    const Case kCases[] = {
        {"Where TIPODOCZOD = ''", "0000001;0000002;0000004", "blank as a report asks for it"},
        {"Where TIPODOCZOD Is Null", "0000001;0000002;0000004", "blank is null, from every path"},
        {"Where TIPODOCZOD <> ''", "0000003", "not blank"},
        {"Where (TIPODOCZOD Is Null Or TIPODOCZOD <> 'P')", "0000001;0000002;0000004", "plain sales kept explicitly"},
    };
    for (const auto& c : kCases) EXPECT_EQ(Select(c.where), c.rows) << c.why;
    db::TTable t;
    t.DatabaseName = dir_.Alias();
    t.TableName = "Notas";
    t.Open();
    for (t.First(); !t.Eof(); t.Next())
        if (t.FieldByName("Nota").AsString() != "0000003") {
            EXPECT_TRUE(t.FieldByName("TIPODOCZOD").IsNull()) << t.FieldByName("Nota").AsString();
        }
}

TEST_F(Batch, ValuesAreStoredAsTheFieldTypesStoreThem) {
    {
        db::BatchWriter w(File(), kNotas);
        w.Append({"0000001", "N", text::EncodeDate(2026, 1, 31) + text::EncodeTime(23, 59, 59, 500), "12.5", 2.0});
        w.Set(0, "0000002");
        w.Set(2, "2026-01-31");  // a day alone in a date-time field
        w.SetInteger(3, 7);
        w.Set(4, 3.0);
        w.Append();
    }
    db::TQuery q;
    q.DatabaseName = dir_.Alias();
    q.SQL.Add("Select Nota, Fecha, Total, Renglon, typeof(Total) As T From Notas Order By Nota");
    q.Open();
    EXPECT_EQ(q.FieldByName("Fecha").AsString(), "2026-01-31 23:59:59.500");
    EXPECT_EQ(q.FieldByName("T").AsString(), "real") << "a number given as text is stored as a number";
    q.Next();
    EXPECT_EQ(q.FieldByName("Fecha").AsString(), "2026-01-31 00:00:00");
    EXPECT_EQ(q.FieldByName("Total").AsFloat(), 7.0);
    EXPECT_EQ(q.FieldByName("Renglon").AsInteger(), 3);
    EXPECT_THROW(db::BatchWriter(File(), kNotas).Append({"0000009", "N", "31/02/2026", 1.0, 1}), db::EDatabaseError)
        << "a date that does not exist";
}

TEST_F(Batch, ANewFileIsWholeOrAbsent) {
    try {
        db::BatchWriter w(File(), kNotas);
        w.Append({"0000001", "N", 1.0, 1.0, 1});
        throw std::runtime_error("falla");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(std::filesystem::exists(File())) << "an abandoned new file is removed, not left empty";
    {
        db::BatchWriter w(File(), kNotas);
        for (int i = 0; i < 500; ++i) w.Append({std::to_string(1000000 + i), "", i * 1.0, 1.0, i});
    }
    db::TTable t;
    t.DatabaseName = dir_.Alias();
    t.TableName = "Notas";
    t.SetIndexName("XFECHA");
    t.Open();
    EXPECT_EQ(t.RecordCount(), 500) << "the secondary index was built after the rows";
    t.Last();
    EXPECT_EQ(t.FieldByName("Nota").AsString(), "1000499");
}

TEST_F(Batch, ReplacingRowsIsOneTransaction) {
    {
        db::BatchWriter w(File(), kNotas);
        w.Append({"0000001", "N", 1.0, 1.0, 1});
    }
    db::BatchWriter::Options o;
    o.replaceRows = true;
    {
        db::BatchWriter w(File(), kNotas, o);
        w.Append({"0000002", "N", 1.0, 1.0, 1});
        w.Rollback();
    }
    EXPECT_EQ(Select(""), "0000001") << "rolled back: the old rows stay";
    {
        db::BatchWriter w(File(), kNotas, o);
    }
    EXPECT_EQ(Select(""), "") << "replaced by no rows: emptied";
}

}  // namespace
