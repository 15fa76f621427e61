// razir report and the demo's sample outputs, run as a user runs them: the real program, the
// library loaded by name, a demo installation.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "platform/2_db/query.h"
#include "platform/2_db/session.h"

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

int Exit(const std::string& command) {
    const int status = std::system((command + " > /dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ReportCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("razir-cmd-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        ASSERT_EQ(Exit(razir_ + " demo " + dir_.string() + " --stores 2 --registers 1 --days 1 --products 10"), 0);
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }
    static std::string Report(const std::string& args) {
        return "RAZIR_HOME=" + dir_.string() + " " + razir_ + " report " + args;
    }
    static inline fs::path dir_;
    static inline const std::string razir_ = std::string(RAZIR_BIN_DIR) + "/razir";
};

TEST_F(ReportCommand, TheDemoWritesEveryCataloguePreviewAndTheTicket) {
    for (const char* r : {"RTiendas", "RCajas", "RDispositivos", "RTipoPagos", "RUsuarios",
                          "RDepartamentos", "RLineas", "RMonedas", "REsquema"})
        EXPECT_EQ(Slurp(dir_ / "out" / (std::string(r) + ".pdf")).substr(0, 5), "%PDF-") << r;
    EXPECT_FALSE(Slurp(dir_ / "out" / "ticket.bin").empty());
}

// Every catalogue over the demo data, with no range chosen: exactly the table's records (of
// the current store where the catalogue is a store's), in key order, and their count.
TEST_F(ReportCommand, EveryCatalogueListsExactlyItsTableInKeyOrder) {
    struct Case { const char* entry; const char* sql; };
    constexpr Case kCases[] = {
        {"RTiendas", "SELECT Descripcio FROM Tiendas ORDER BY Tienda"},
        {"RCajas", "SELECT Descripcio FROM Cajas WHERE Tienda = '01' ORDER BY Caja"},
        {"RDispositivos", "SELECT Descripcio FROM Dispos ORDER BY Dispo"},
        {"RTipoPagos", "SELECT Descripcio FROM TPagos ORDER BY TPago"},
        {"RUsuarios", "SELECT Nombre FROM Usuarios WHERE Tienda = '01' ORDER BY Usuario"},
        {"RDepartamentos", "SELECT Descripcio FROM Deptos ORDER BY Depto"},
        {"RLineas", "SELECT Desc_Lin FROM Lineas ORDER BY Clv_Lin"},
        {"RMonedas", "SELECT Descripcion FROM Monedas ORDER BY Moneda"},
        {"REsquema", "SELECT Descripcion FROM EsqImp ORDER BY Clave"},
    };
    db::RegisterAlias("RazirWin10", (dir_ / "datos").string());
    for (const auto& c : kCases) {
        const fs::path out = dir_ / (std::string(c.entry) + ".txt");
        ASSERT_EQ(Exit(Report(std::string(c.entry) + " --out " + out.string())), 0) << c.entry;
        const std::string text = Slurp(out);
        db::TQuery q;
        q.DatabaseName = "RazirWin10";
        q.SQL.Add(c.sql);
        q.Open();
        size_t at = 0, rows = 0;
        for (; !q.Eof(); q.Next(), ++rows) {
            // The text grid cuts long descriptions at their column: compare their start.
            const std::string d = q.Fields(0).AsString().substr(0, 14);
            const size_t found = text.find(d, at);
            ASSERT_NE(found, std::string::npos) << c.entry << ": " << d << " missing or out of order";
            at = found + d.size();
        }
        EXPECT_GT(rows, 0u) << c.entry;
        EXPECT_TRUE(std::regex_search(text, std::regex("Total de registros: +" + std::to_string(rows) + "\\b")))
            << c.entry << "\n" << text;
    }
    db::UnregisterAlias("RazirWin10");
}

TEST_F(ReportCommand, StepsPlayTheDialogAndTheTextHoldsTheRange) {
    const fs::path out = dir_ / "tiendas.txt";
    ASSERT_EQ(Exit(Report("RTiendas --set lkcmbTieDesde=02 --set lkcmbTieHasta=02 --out " + out.string())), 0);
    const std::string text = Slurp(out);
    EXPECT_NE(text.find("Catálogo de tiendas"), std::string::npos);
    EXPECT_NE(text.find("Tienda Norte"), std::string::npos);
    EXPECT_EQ(text.find("Tienda Centro"), std::string::npos) << text;
}

// The reports take their layouts from the installation's Reportes/, not from beside the
// program, so a user's own layout is the one used (`razir gui` once looked beside the program).
TEST_F(ReportCommand, TheInstallationsOwnLayoutIsTheOneUsed) {
    const fs::path layout = dir_ / "Reportes" / "RMonedas.QR2";
    std::string xml = Slurp(layout);
    const std::string title = "Catálogo de monedas";
    xml.replace(xml.find(title), title.size(), "Monedas de la casa");
    std::ofstream(layout, std::ios::binary) << xml;
    const fs::path out = dir_ / "monedas.txt";
    ASSERT_EQ(Exit(Report("RMonedas --out " + out.string())), 0);
    EXPECT_NE(Slurp(out).find("Monedas de la casa"), std::string::npos);
}

TEST_F(ReportCommand, FailuresAreReportedByTheExitCode) {
    struct Case { std::string args; int code; const char* why; };
    const Case kCases[] = {
        {"", 2, "no report named"},
        {"RNoExiste --out /dev/null", 1, "an entry point the library lacks"},
        {"RTiendas --set lkcmbNoHay=1 --out /dev/null", 1, "a control the dialog lacks"},
        {"RTiendas --print ImpresoraQueNoExiste", 1, "a printer that is not there prints nothing"},
        {"RTiendas --bogus x", 2, "an unknown step is bad usage"},
    };
    for (const auto& c : kCases) EXPECT_EQ(Exit(Report(c.args)), c.code) << c.why;
}

}  // namespace
