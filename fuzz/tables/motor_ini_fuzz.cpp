// Fuzzes the engine's settings file (motor.ini): any contents read entry by entry, list the
// language drivers and take a written entry, or raise ConfigError, without a crash; a write
// keeps the file whole.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "platform/1_text/ini.h"
#include "tablemaint/engine/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = [] {
        std::string p = "/tmp/razir_fuzz_motor_" + std::to_string(::getpid()) + ".ini";
        setenv("RAZIR_MOTOR", p.c_str(), 1);
        return p;
    }();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        std::string value;
        tablemaint::LeeValor("\\DRIVERS\\PARADOX\\INIT", "LANGDRIVER", value);
        tablemaint::LeeValor("\\SYSTEM\\INIT", "LOCAL SHARE", value);
        std::vector<tablemaint::ControladorIdioma> drivers;
        tablemaint::ListaControladores(drivers);
        tablemaint::EscribeValor("\\DRIVERS\\PARADOX\\TABLE CREATE", "LEVEL", "5");
    } catch (const text::ConfigError&) {
    }
    return 0;
}
