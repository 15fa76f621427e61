// Fuzzes the salvage of damaged table files, the most exposed parser of the engine: it walks
// the raw pages of a file whatever they hold. Any bytes, taken as a table file, must give
// rows, unreadable data and a verdict, never a crash, a hang or a read outside the file.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "tablemaint/engine/salvage.h"
#include "tablemaint/engine/verify.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/razir_fuzz_salvage_" + std::to_string(::getpid()) + ".db";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    tablemaint::LeeEsquema(path);
    tablemaint::ArbolesPorPagina(path);
    // The seeds' table has three columns; the rowid is the key of none of them.
    tablemaint::RescataTabla(path, "T", 3, -1);
    tablemaint::RescataTabla(path, "T", 1, 0);
    tablemaint::VerificaArchivo(path);
    return 0;
}
