// Layout datasets over real SQLite table files through platform/2_db: the handlers work on the
// db::TQuery itself, parameters set on either side reach the query, a detail query re-opens
// per master row, and a failing SQL reaches the caller with the database's message.
#include "platform/4_adapters/report/db_dataset.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/2_db/batch.h"
#include "platform/2_db/names.h"
#include "platform/2_db/session.h"
#include "platform/4_adapters/report/printer_dialog.h"

namespace report {
namespace {

namespace fs = std::filesystem;

class ReportDbDatasetTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "razir_rep_db_XXXXXX").string();
        dir_ = mkdtemp(tmpl.data());
        db::RegisterAlias("RazirRepTest", dir_);
        using db::FieldType;
        Write({"Tiendas", {{"Tienda", FieldType::String, 2}, {"Descripcio", FieldType::String, 30}}, {{"", {"Tienda"}, true, true}}},
              {{"01", "Centro"}, {"02", "Norte"}, {"03", "Sur"}});
        Write({"Cajas", {{"Tienda", FieldType::String, 2}, {"Caja", FieldType::String, 2}, {"Fondo", FieldType::Float}}, {}},
              {{"01", "01", 500.0}, {"01", "02", 250.5}, {"02", "01", 100.0}});
        SetPreviewSink(std::make_shared<FolderPreviewSink>(dir_ + "/preview"));
        CloseAllPreviews();
        dlg_.SetDatasetFactory(&factory_);
        std::ofstream(dir_ + "/RCajas.QR2") << kLayout;
    }
    void TearDown() override {
        CloseAllPreviews();
        db::UnregisterAlias("RazirRepTest");
        fs::remove_all(dir_);
    }
    void Write(const db::TableDef& def, const std::vector<db::BatchWriter::Row>& rows) {
        db::BatchWriter w(db::ResolveTableFile(dir_, def.name), def);
        for (const auto& r : rows) w.Append(r);
        w.Commit();
    }

    static constexpr const char* kLayout =
        "<report name='RCajas'><page columns='60'/><datasets>"
        "<query name='Query1'><sql><line>SELECT Tienda, Descripcio FROM Tiendas</line>"
        "<line>WHERE Tienda BETWEEN :TiendaIni AND :TiendaFin</line><line>ORDER BY Tienda</line></sql></query>"
        "<query name='Query2' master='Query1'><link detail='Tienda' master='Tienda'/>"
        "<sql><line>SELECT Caja, Fondo FROM Cajas WHERE Tienda = :Tienda ORDER BY Caja</line></sql></query>"
        "</datasets><bands dataset='Query1'>"
        "<detail height='4.233'><field left='0' top='0' width='10' field='Tienda'/><field left='12.7' top='0' width='30' field='Descripcio'/></detail>"
        "<subdetail dataset='Query2'><detail height='4.233'><field left='5.08' top='0' width='10' field='Caja'/>"
        "<field left='20' top='0' width='25' align='right' field='Fondo' mask='#,##0.00'/></detail></subdetail>"
        "<summary height='4.233'><expr left='0' top='0' width='40' expression=\"'Tiendas: ' + COUNT()\"/></summary>"
        "</bands></report>";

    std::string dir_;
    DbDatasetFactory factory_;
    TReportPrinterDialog dlg_{nullptr};
};

TEST_F(ReportDbDatasetTest, HandlersWorkOnTheRealQuery) {
    std::vector<std::string> asked;
    dlg_.BeforeGetQueryParams = [&](Dataset& ds, Params& params) {
        asked.push_back(ds.Name());
        if (ds.Name() != "Query1") return;  // the detail's parameter comes from its master
        // One bound through the report's list, one on the db::TQuery itself.
        params.Set("TiendaIni", std::string("01"));
        AsQuery(ds)->ParamByName("TiendaFin").SetAsString("02");
    };
    dlg_.BeforeOpenDataset = [](Dataset& ds) {
        db::TQuery* q = AsQuery(ds);
        ASSERT_NE(q, nullptr);
        q->DatabaseName = "RazirRepTest";
    };
    dlg_.Preview(dir_ + "/rcajas.qr2");
    EXPECT_EQ(asked, (std::vector<std::string>{"Query1", "Query2"})) << "once each, not per master row";
    const std::string& text = FindPreview()->Document().text;
    EXPECT_EQ(text,
              "01  Centro\n"
              "  01    500.00\n"
              "  02    250.50\n"
              "02  Norte\n"
              "  01    100.00\n"
              "Tiendas: 2\n");
}

TEST_F(ReportDbDatasetTest, FailingSqlCarriesTheDatabaseMessage) {
    dlg_.BeforeOpenDataset = [](Dataset& ds) {
        ds.DatabaseName = "RazirRepTest";
        if (ds.Name() == "Query1") ds.SQL = {"SELECT Tienda FROM NoHayTabla"};
    };
    try {
        dlg_.Preview(dir_ + "/RCajas.QR2");
        ADD_FAILURE() << "the query ran";
    } catch (const DatasetError& e) {
        EXPECT_NE(std::string(e.what()).find("Query1"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("NoHayTabla"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace report

namespace report {
namespace {

TEST_F(ReportDbDatasetTest, TableNameIsSetAtRunTime) {
    std::ofstream(dir_ + "/RTabla.QR2")
        << "<report name='RTabla'><page columns='40'/><datasets><table name='tmptabla_Tabla' table='NoExiste'/></datasets>"
           "<bands dataset='tmptabla_Tabla'><detail height='4.233'><field left='0' top='0' width='40' field='Descripcio'/></detail>"
           "</bands></report>";
    dlg_.BeforeOpenDataset = [](Dataset& ds) {
        db::TTable* t = AsTable(ds);
        ASSERT_NE(t, nullptr);
        t->DatabaseName = "RazirRepTest";
        ds.TableName = "Tiendas";  // the temporary table's current name, as the dialogs do
    };
    dlg_.Preview(dir_ + "/RTabla.QR2");
    EXPECT_EQ(FindPreview()->Document().text, "Centro\nNorte\nSur\n");
}

}  // namespace
}  // namespace report
