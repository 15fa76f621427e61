// razir note end to end: the demo sale on the shipped ticket format, bytes and text.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/notes/note_printer.h"

namespace notix {
namespace {

using namespace testing_notes;

TEST(RazirNote, PrintsTheDemoTicketToAFile) {
    fs::path out = Temp("note.bin"), text = Temp("note.txt");
    Spit(out, "old contents are replaced");
    fs::path home = Temp("home");
    fs::create_directories(home);
    std::string cmd = "RAZIR_HOME=" + home.string() + " " + std::string(RAZIR_BIN_DIR) +
                      "/razir note --format " + RAZIR_SOURCE_DIR +
                      "/formats/Ticket40.nta --out " + out.string() + " --text " +
                      text.string() + " --espacio 3";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    fs::path dir = fs::path(RAZIR_FIXTURES) / "notes";
    EXPECT_EQ(Slurp(out), Slurp(dir / "ticket40.bin"));
    EXPECT_EQ(Slurp(text), Slurp(dir / "ticket40.txt"));
    fs::remove(out);
    fs::remove(text);
    fs::remove_all(home);
}

TEST(RazirNote, PortNamesAndCodePageComeFromTheInstallation) {
    fs::path home = Temp("home"), out = Temp("com3.bin");
    fs::create_directories(home);
    Spit(home / "razir.ini", "[Puertos]\nLPT3=" + out.string() + "\n\n[Impresora]\nCodePage=CP1252\n");
    std::string cmd = "RAZIR_HOME=" + home.string() + " " + std::string(RAZIR_BIN_DIR) +
                      "/razir note --format Nota80 --out LPT3 --text /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    std::string bytes = Slurp(out);
    EXPECT_NE(bytes.find("A\xF1il"), std::string::npos) << "ñ in CP1252";
    fs::remove_all(home);
    fs::remove(out);
}

TEST(RazirNote, BadUsageAndMissingPrintersFail) {
    std::string razir = std::string(RAZIR_BIN_DIR) + "/razir note";
    EXPECT_EQ(WEXITSTATUS(std::system((razir + " --format Ticket40 2>/dev/null").c_str())), 2);
    EXPECT_EQ(WEXITSTATUS(std::system((razir + " --out /tmp/x --baud 12345 2>/dev/null").c_str())), 2);
    EXPECT_EQ(WEXITSTATUS(std::system(
                  (razir + " --format Ticket40 --out /dev/razir-missing-tty 2>/dev/null").c_str())),
              1);
}

}  // namespace
}  // namespace notix
