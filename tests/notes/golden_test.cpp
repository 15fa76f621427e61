// The shipped formats and whole demo notes against committed files. The formats under
// formats/ are written by our own writer; RAZIR_UPDATE_GOLDEN=1 rewrites formats and goldens
// after a deliberate change (then review the diff).
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/2_vcl/stream/reader.h"
#include "platform/2_vcl/stream/writer.h"
#include "tests/notes/note_printer.h"

namespace notix {
namespace {

using namespace testing_notes;

bool Updating() { return std::getenv("RAZIR_UPDATE_GOLDEN") != nullptr; }

void Compare(const fs::path& file, const std::string& actual) {
    if (Updating()) Spit(file, actual);
    ASSERT_TRUE(fs::exists(file)) << file;
    EXPECT_EQ(Slurp(file), actual) << file;
}

struct Shipped {
    const char* file;
    TFormatoNota (*make)();
};
const Shipped kShipped[] = {{"Ticket40.nta", FormatoTicket40}, {"Nota80.nta", FormatoNota80}};

TEST(ShippedFormats, AreWhatOurWriterWritesAndReadBackUnchanged) {
    for (const auto& s : kShipped) {
        std::string bytes = EscribirFormato(s.make());
        Compare(fs::path(RAZIR_SOURCE_DIR) / "formats" / s.file, bytes);
        std::vector<vcl::stream::Component> images;
        vcl::stream::ReadAll(bytes, images);
        std::string again;
        for (const auto& c : images) vcl::stream::WriteComponent(again, c);
        EXPECT_EQ(again, bytes) << s.file;
    }
}

// Readable form of what the printer got: text in its code page, every other byte as <n>,
// the zero padding of the fixed blocks left out.
std::string Visible(const std::string& bytes) {
    std::string out;
    for (unsigned char b : bytes) {
        if (b == 0) continue;
        if (b == '\n')
            out += "<10>\n";
        else if (b >= 0x20 && b < 0x7F)
            out += static_cast<char>(b);
        else if (b >= 0x80)
            out += text::ToUtf8(std::string(1, static_cast<char>(b)), text::CodePage::CP850);
        else
            out += "<" + std::to_string(b) + ">";
    }
    return out;
}

TEST(GoldenNotes, FortyColumnTicketOnASerialPrinter) {
    SerialNote n;
    n.reporte.Secuencias = SecuenciasEscPos();
    n.reporte.EspacioEntreNotas = 3;
    n.Cargar(FormatoTicket40());
    LlenarNotaDemo(n.datos);
    std::string text;
    n.reporte.OnLinea = [&](const std::string& l) { text += l + "\n"; };
    n.datos.ImprimirNota();
    std::string bytes = n.printer.Read();
    fs::path dir = fs::path(RAZIR_FIXTURES) / "notes";
    Compare(dir / "ticket40.bin", bytes);
    Compare(dir / "ticket40.txt", text);
    Compare(dir / "ticket40.visible.txt", Visible(bytes));
}

TEST(GoldenNotes, EightyColumnNoteOnALinePrinter) {
    fs::path lp = Temp("lp1");
    TNtaDatos datos;
    TNtaReporte r;
    datos.SetNotaReporte(&r);
    r.Puerto = PARALELO;
    r.SetMapaDePuertos({{"LPT1", lp.string()}});
    r.Secuencias = SecuenciasEscPos();
    r.ArchivoDatosNota = Temp("none").string();
    fs::path formato = Temp("nota80.nta");
    Spit(formato, EscribirFormato(FormatoNota80()));
    r.FormatoDeImpresion = formato.string();
    r.CargarFormato();
    LlenarNotaDemo(datos);
    std::string text;
    r.OnLinea = [&](const std::string& l) { text += l + "\n"; };
    datos.ImprimirNota();
    std::string bytes = Slurp(lp);
    fs::path dir = fs::path(RAZIR_FIXTURES) / "notes";
    Compare(dir / "nota80.bin", bytes);
    Compare(dir / "nota80.txt", text);
    Compare(dir / "nota80.visible.txt", Visible(bytes));
    fs::remove(lp);
    fs::remove(formato);
}

}  // namespace
}  // namespace notix
