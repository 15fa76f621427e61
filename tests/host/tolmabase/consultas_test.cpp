// The lookup windows played by the script driver over real table files: a choice reaches the
// edit and the result, Cancel changes nothing, the dataset gets its filter back, and the
// product lookup lists the store's stock.
#include "host/tolmabase/consultas.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/2_db/session.h"
#include "platform/2_db/table.h"
#include "platform/2_vcl/script.h"
#include "platform/6_schema/tables.h"

namespace {

namespace fs = std::filesystem;

class ConsultasTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("consultas_" + std::to_string(getpid()));
        fs::create_directories(dir_);
        Fill(tables::Lineas(), {{"001", "Abarrotes A"}, {"002", "Lácteos B"}, {"003", "Limpieza C"}});
        Fill(tables::CatInven(), {{"7501", "Arroz", "ABA", "001", "25.5"}, {"7502", "Leche", "LAC", "002", "22"}});
        Fill(tables::Exist(), {{"01", "7501", "12"}, {"02", "7502", "4"}});
        db::RegisterAlias("RazirWin10", dir_.string());
        lineas_.DatabaseName = dir_.string();
        lineas_.TableName = "Lineas";
        edit_ = new velmor::TVlmEdit(nullptr);
    }
    void TearDown() override {
        delete edit_;
        lineas_.Close();
        db::UnregisterAlias("RazirWin10");
        fs::remove_all(dir_);
    }
    void Fill(const db::TableDef& def, const std::vector<std::vector<std::string>>& rows) {
        db::CreateTableFile((dir_ / (def.name + ".DB")).string(), def);
        db::TTable t;
        t.DatabaseName = dir_.string();
        t.TableName = def.name;
        t.Open();
        for (const auto& row : rows) {
            t.Append();
            for (size_t i = 0; i < row.size(); ++i) t.Fields(static_cast<int>(i)).SetAsString(row[i]);
            t.Post();
        }
    }
    bool Lineas(std::vector<vcl::Step> steps, const std::string& filtro = "") {
        vcl::ScriptDriver driver(std::move(steps));
        vcl::DriverScope scope(driver);
        const bool ok = tolmabase::Consultas(nullptr, lineas_, edit_, {"CLV_LIN", "DESC_LIN"}, {"Clave", "Descripción"},
                                             "Consulta de líneas", filtro, "Clv_Lin", &resultado_);
        failures_ = driver.Failures();
        return ok;
    }
    fs::path dir_;
    db::TTable lineas_;
    velmor::TVlmEdit* edit_ = nullptr;
    std::string resultado_ = "sin tocar";
    std::vector<std::string> failures_;
};

TEST_F(ConsultasTest, ChoiceByPickOrSearchReachesEditAndResult) {
    struct Case { std::vector<vcl::Step> steps; std::string key, why; };
    const Case kCases[] = {
        {{vcl::Step::Pick("lkcmbConsulta", "003"), vcl::Step::Click("btnAceptar")}, "003", "picked in the list"},
        {{vcl::Step::Set("edtBuscar", "lác"), vcl::Step::Click("btnAceptar")}, "002", "found by description, any case"},
        {{vcl::Step::Set("edtBuscar", "00"), vcl::Step::Press(vcl::VK_RETURN)}, "001", "found by key prefix, Enter"},
    };
    for (const auto& c : kCases) {
        edit_->SetText("");
        EXPECT_TRUE(Lineas(c.steps)) << c.why;
        EXPECT_TRUE(failures_.empty()) << c.why << ": " << (failures_.empty() ? "" : failures_[0]);
        EXPECT_EQ(edit_->Text(), c.key) << c.why;
        EXPECT_EQ(resultado_, c.key) << c.why;
        EXPECT_FALSE(lineas_.Active()) << c.why << ": a closed dataset is closed again";
    }
}

TEST_F(ConsultasTest, CancelChangesNothingAndTheFilterComesBack) {
    edit_->SetText("XYZ");
    lineas_.Open();
    lineas_.SetFilter("Clv_Lin = '001'");
    lineas_.SetFiltered(false);
    EXPECT_FALSE(Lineas({vcl::Step::Pick("lkcmbConsulta", "002"), vcl::Step::Press(vcl::VK_ESCAPE)}, "Clv_Lin <> '003'"));
    EXPECT_EQ(edit_->Text(), "XYZ");
    EXPECT_EQ(resultado_, "sin tocar");
    EXPECT_EQ(lineas_.Filter(), "Clv_Lin = '001'");
    EXPECT_FALSE(lineas_.Filtered());
    EXPECT_TRUE(lineas_.Active());
    // The filter given to the window applies while it is open: "003" is not offered.
    EXPECT_FALSE(Lineas({vcl::Step::Pick("lkcmbConsulta", "003"), vcl::Step::Click("btnAceptar")}, "Clv_Lin <> '003'"));
    EXPECT_FALSE(failures_.empty());
}

TEST_F(ConsultasTest, ProductLookupListsTheStoresStock) {
    vcl::ScriptDriver driver({vcl::Step::Set("edtBuscar", "lec"), vcl::Step::Click("btnAceptar")});
    vcl::DriverScope scope(driver);
    EXPECT_TRUE(tolmabase::HelpInve(edit_, "02"));
    EXPECT_EQ(edit_->Text(), "7502");
    vcl::ScriptDriver quote({vcl::Step::Pick("lkcmbConsulta", "7501"), vcl::Step::Click("btnAceptar")});
    vcl::DriverScope scope2(quote);
    EXPECT_TRUE(tolmabase::HelpInve(edit_, "01' Or '1'='1"));  // a quote in the store stays data
    EXPECT_EQ(edit_->Text(), "7501");
}

}  // namespace
