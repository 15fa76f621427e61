// A dialog's temporary table: the first free name across processes, gone with its dialog on
// every path, and the layout's dataset reading it under the name taken.
#include "reports/framework/temp_table.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "platform/2_db/names.h"
#include "platform/2_db/table.h"
#include "platform/4_adapters/report/db_dataset.h"
#include "platform/3_report/value.h"
#include "tests/platform/2_db/temp_folder.h"

namespace {

using reportes::Numeracion;
using reportes::TTablaTemporal;

const std::vector<db::FieldDef> kCampos = {{"Producto", db::FieldType::String, 16}, {"PrecioP", db::FieldType::Float}};

class TempTable : public ::testing::Test {
protected:
    bool Existe(const std::string& name) const { return db::TableFileExists(dir_.Path(), name); }
    dbtest::TempFolder dir_{"RazirWin10"};
};

TEST_F(TempTable, TwoStationsAtOnceGetTwoTables) {
    int pipes[2][2];
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    std::vector<pid_t> children;
    for (int k = 0; k < 2; ++k) {
        ASSERT_EQ(pipe(pipes[k]), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            char b;
            if (read(go[0], &b, 1) != 1) _exit(2);  // both start together
            auto* dialogo = new vcl::TComponent(nullptr);
            auto* tabla = new TTablaTemporal(dialogo, "tblTemp", kCampos);
            const std::string name = tabla->Crea() + "\n";
            if (write(pipes[k][1], name.data(), name.size()) != static_cast<ssize_t>(name.size())) _exit(2);
            usleep(300 * 1000);  // both hold their table
            delete dialogo;
            _exit(0);
        }
        children.push_back(pid);
    }
    ASSERT_EQ(write(go[1], "xx", 2), 2);
    std::set<std::string> names;
    for (int k = 0; k < 2; ++k) {
        char buf[64] = {};
        ASSERT_GT(read(pipes[k][0], buf, sizeof buf - 1), 0);
        names.insert(std::string(buf, strcspn(buf, "\n")));
    }
    for (pid_t p : children) {
        int status = 0;
        waitpid(p, &status, 0);
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    EXPECT_EQ(names, (std::set<std::string>{"tblTemp", "tblTemp2"}));
    EXPECT_FALSE(Existe("tblTemp"));
    EXPECT_FALSE(Existe("tblTemp2"));
}

TEST_F(TempTable, GoneWithItsDialogOnEveryPath) {
    struct Case { const char* why; bool lanza; bool reCrea; };
    const Case kCases[] = {
        {"closed without printing (Cancel, or no layout to print)", false, false},
        {"an exception while the table was being filled", true, false},
        {"created again for a second preview", false, true},
    };
    for (const auto& c : kCases) {
        auto* dialogo = new vcl::TComponent(nullptr);
        auto* tabla = new TTablaTemporal(dialogo, "tmpTabla", kCampos);
        std::set<std::string> usadas{tabla->Crea()};
        try {
            if (c.reCrea) usadas.insert(tabla->Crea());
            if (c.lanza) throw std::runtime_error("falla al llenar");
        } catch (const std::runtime_error&) {
        }
        EXPECT_TRUE(Existe(tabla->TableName())) << c.why;
        if (c.reCrea) {
            EXPECT_EQ(usadas, std::set<std::string>{"tmpTabla"}) << "the earlier table goes first, its name is free again";
            EXPECT_FALSE(Existe("tmpTabla2"));
        }
        delete dialogo;
        for (const auto& n : usadas) EXPECT_FALSE(Existe(n)) << c.why << ": " << n;
    }
}

TEST_F(TempTable, NamesFromOneOrTwo) {
    vcl::TComponent dialogo(nullptr);
    auto* a = new TTablaTemporal(&dialogo, "CajConcen", kCampos, Numeracion::DesdeUno);
    auto* b = new TTablaTemporal(&dialogo, "CajConcen", kCampos, Numeracion::DesdeUno);
    auto* c = new TTablaTemporal(&dialogo, "tmpTabla", kCampos);
    auto* d = new TTablaTemporal(&dialogo, "tmpTabla", kCampos);
    EXPECT_EQ(a->Crea(), "CajConcen");
    EXPECT_EQ(b->Crea(), "CajConcen1") << "numbered from 1 while the base is taken";
    EXPECT_EQ(c->Crea(), "tmpTabla");
    EXPECT_EQ(d->Crea(), "tmpTabla2");
    d->Borra();
    EXPECT_FALSE(Existe("tmpTabla2")) << "deleted after printing";
    EXPECT_EQ(d->TableName(), "");
}

TEST_F(TempTable, TheLayoutDatasetReadsTheNameTaken) {
    vcl::TComponent dialogo(nullptr);
    db::TTable otra;
    otra.DatabaseName = dir_.Alias();
    otra.TableName = "tblTemp";
    otra.FieldDefs = kCampos;
    otra.CreateTable();  // another station's
    auto* tabla = new TTablaTemporal(&dialogo, "tblTemp", kCampos);
    ASSERT_EQ(tabla->Crea(), "tblTemp2");
    {
        db::TTable t;
        t.DatabaseName = dir_.Alias();
        t.TableName = tabla->TableName();
        t.Open();
        t.Append();
        t.FieldByName("Producto").SetAsString("P001");
        t.Post();
    }
    report::DatasetDef def;
    def.kind = report::DatasetKind::Table;
    def.name = "TBLTEMP_Tabla";
    def.tableName = "tblTemp";
    report::DbDataset ds(def);
    report::DatasetDef otraDef = def;
    otraDef.name = "Query1";
    report::DbDataset query1(otraDef);
    EXPECT_TRUE(tabla->Apunta(ds));
    EXPECT_FALSE(tabla->Apunta(query1)) << "another dataset is left alone";
    EXPECT_EQ(query1.TableName, "tblTemp");
    ds.Open();
    ds.Rows().First();
    ASSERT_FALSE(ds.Rows().Eof()) << "reads tblTemp2, not the other station's empty tblTemp";
    EXPECT_EQ(report::ToText(ds.Rows().Get(0)), "P001");
}

}  // namespace
