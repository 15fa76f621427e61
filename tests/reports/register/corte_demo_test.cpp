// The cash cut end to end as the host and a user run it: a demo installation, the cut the demo
// prints both ways (and the other reports of a register's day it previews), `razir report RCorte CAJERO FECHA direct` at the end of a shift, and the
// 40-column register's cut as text.
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

std::size_t Utf8Length(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

TEST(CorteDemo, TheHostsDirectCallPrintsTheShiftAndTheRollIsFortyColumnsWide) {
    const fs::path home = fs::temp_directory_path() / ("razir-corte-demo-" + std::to_string(::getpid()));
    fs::remove_all(home);
    const std::string razir = std::string(RAZIR_BIN_DIR) + "/razir";
    ASSERT_EQ(std::system((razir + " demo " + home.string() + " --days 3 --from 2026-01-29 > /dev/null").c_str()), 0);
    EXPECT_TRUE(fs::exists(home / "out" / "RCorte.pdf"));
    EXPECT_TRUE(fs::exists(home / "out" / "RCorte-directo.pdf"));
    // The other reports of a register's day preview with the demo's working day.
    for (const char* otro : {"RCompFiscal.pdf", "RResumenVentaHora.pdf", "RVentasPorTPago.pdf", "RComPorVendedor.pdf"})
        EXPECT_TRUE(fs::exists(home / "out" / otro)) << otro;

    // The station's register 01 prints on sheets; no printer service here: the job is a file.
    const fs::path trabajo = home / "trabajo";
    fs::create_directories(trabajo);
    const std::string directo = "cd " + trabajo.string() + " && RAZIR_HOME=" + home.string() + " " + razir +
                                " report RCorte 001 ";
    ASSERT_EQ(std::system((directo + "15/02/2026 direct > /dev/null 2>&1").c_str()), 0);
    EXPECT_FALSE(fs::exists(trabajo / "Corte.pdf")) << "a day the host never closed prints nothing";
    ASSERT_EQ(std::system((directo + "31/01/2026 direct > /dev/null 2>&1").c_str()), 0);
    ASSERT_TRUE(fs::exists(trabajo / "Corte.pdf"));
    ASSERT_EQ(std::system(("pdftotext -layout " + (trabajo / "Corte.pdf").string() + " " +
                           (trabajo / "corte.txt").string()).c_str()), 0);
    const std::string pdf = Slurp(trabajo / "corte.txt");
    EXPECT_NE(pdf.find("Total cobrado"), std::string::npos);
    EXPECT_NE(pdf.find("Del 31/enero/2026"), std::string::npos);

    // Register 02 has a 40-column printer: its cashier's cut as continuous text.
    const fs::path txt = home / "corte40.txt";
    const std::string cmd = "RAZIR_HOME=" + home.string() + " " + razir +
                            " report RCorte --set edtFecDesde=31/01/2026 --pick 'lkcmbCajas 02'"
                            " --pick 'lkcmbCajero 003' --out " + txt.string() + " > /dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    const std::string t = Slurp(txt);
    ASSERT_NE(t.find("Total cobrado"), std::string::npos) << t;
    std::istringstream lineas(t);
    for (std::string l; std::getline(lineas, l);) EXPECT_LE(Utf8Length(l), 40u) << l;
    fs::remove_all(home);
}

}  // namespace
