// The reprint end to end as a user runs it: a demo installation, then `razir report
// RImpresionNotas` with the criteria as steps, and the ticket read back from the file printer.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

TEST(ReprintDemo, OneNoteOfTheWorkingDayReprintsOnTheDemosTicketPrinter) {
    const fs::path home = fs::temp_directory_path() / ("razir-reprint-demo-" + std::to_string(::getpid()));
    fs::remove_all(home);
    const std::string razir = std::string(RAZIR_BIN_DIR) + "/razir";
    ASSERT_EQ(std::system((razir + " demo " + home.string() + " --days 3 --from 2026-01-29 > /dev/null").c_str()), 0);
    EXPECT_FALSE(fs::exists(home / "out" / "tickets.prn")) << "the demo reprints nothing by itself";

    // Register 02 of store 01 prints 40-column tickets; its first note of the last day.
    const std::string cmd = "RAZIR_HOME=" + home.string() + " " + razir +
                            " report RImpresionNotas --set edtFecDesde=31/01/2026 --pick 'lkcmbCajas 02'"
                            " --focus lkcmbNotaDesde --pick 'lkcmbNotaHasta #0' --click btnImprimir 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    const std::string t = Slurp(home / "out" / "tickets.prn");
    EXPECT_EQ(Count(t, "REIMPRESO"), 1) << "one note, marked as reprinted";
    EXPECT_EQ(Count(t, "SUBTOTAL"), 1);
    EXPECT_NE(t.find("Comercializadora Razir"), std::string::npos);
    EXPECT_NE(t.find("31/01/2026"), std::string::npos);
    fs::remove_all(home);
}

}  // namespace
