// Fuzzes the "datosnota" settings file: any contents give handshake counts and a pause within
// their bounds, never a crash.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "notes/datosnota.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/razir_fuzz_datosnota_" + std::to_string(::getpid());
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const notix::TDatosNota d = notix::LeerDatosNota(path);
    if (d.Sleep < 0 || d.Sleep > notix::TDatosNota::kMaxSleep || d.Proceso1 < 0 || d.Proceso2 < 0 || d.Proceso3 < 0)
        std::abort();
    return 0;
}
