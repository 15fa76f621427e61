// The razir program: one command line over the whole back office. Each command lives in its
// own file and is listed once in kCommands below.
// Exit codes: 0 done, 1 the work failed (reason on standard error), 2 bad usage.
#include <cstring>
#include <iostream>
#include <string_view>
#include <vector>

#include "host/razir/commands.h"

namespace razir {
namespace {

struct Command {
    std::string_view name;
    std::string_view summary;
    int (*run)(const std::vector<std::string>& args);
};

int Version(const std::vector<std::string>&) {
    std::cout << "razir " << RAZIR_VERSION << "\n";
    return 0;
}

int Help(const std::vector<std::string>&);

constexpr Command kCommands[] = {
    {"version", "muestra la versión del programa", Version},
    {"help", "muestra esta ayuda", Help},
    {"note", "imprime una nota de venta de ejemplo en un archivo o una impresora (razir note --help)", RunNote},
    {"tables", "crea, verifica, recupera y reindexa las tablas; configuración del motor (razir tables --help)", RunTables},
    {"report", "muestra o imprime un reporte (razir report --help)", RunReportCommand},
    {"demo", "escribe una instalación de demostración (razir demo --help)", RunDemo},
    {"gui", "abre la ventana principal con los reportes (razir gui --help)", RunGui},
};

int Help(const std::vector<std::string>&) {
    std::cout << "Uso: razir <orden> [argumentos]\n\n"
                 "La instalación (configuración razir.ini, carpeta de datos, Reportes/, Formatos/)\n"
                 "se busca en la carpeta de la variable RAZIR_HOME o, sin ella, junto al programa.\n\n"
                 "Órdenes:\n";
    for (const auto& c : kCommands) std::cout << "  " << c.name << "\t" << c.summary << "\n";
    return 0;
}

}  // namespace
}  // namespace razir

int main(int argc, char** argv) {
    using namespace razir;
    if (argc < 2) {
        Help({});
        return kExitUsage;
    }
    std::string_view name = argv[1];
    if (name == "--help" || name == "-h") name = "help";
    if (name == "--version") name = "version";
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& c : kCommands) {
        if (c.name == name) {
            try {
                return c.run(args);
            } catch (const std::exception& e) {
                std::cerr << "razir " << name << ": " << e.what() << "\n";
                return kExitFailed;
            }
        }
    }
    std::cerr << "razir: orden desconocida \"" << name << "\"; vea razir --help\n";
    return kExitUsage;
}
