// Fuzzes note formats: any file either loads or gives EError, and a loaded format prints the
// demo sale (to /dev/null) without crashing, whatever positions and texts it holds.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "notes/demo.h"
#include "notes/report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/razir_fuzz_format_" + std::to_string(::getpid()) + ".nta";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    notix::TNtaDatos datos;
    notix::TNtaReporte reporte;
    datos.SetNotaReporte(&reporte);
    reporte.Puerto = notix::PARALELO;
    reporte.SetMapaDePuertos({{"LPT1", "/dev/null"}});
    reporte.ArchivoDatosNota = "/nonexistent";
    reporte.Secuencias = notix::SecuenciasEscPos();
    reporte.FormatoDeImpresion = path;
    try {
        reporte.CargarFormato();
    } catch (const notix::EError&) {
    }
    notix::LlenarNotaDemo(datos);
    try {
        datos.ImprimirNota();
    } catch (const std::exception&) {
        // conversion errors of odd field bindings are expected results, not faults
    }
    return 0;
}
