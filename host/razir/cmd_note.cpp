// razir note: prints the demo sale through a note format to a file or a printer device, and
// writes the note as readable text. Shows the note engine end to end from the command line.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

#include "host/razir/commands.h"
#include "notes/demo.h"
#include "notes/report.h"

namespace razir {
namespace {

namespace fs = std::filesystem;

const char kUso[] =
    "Uso: razir note --format F --out SALIDA [--text ARCHIVO] [--cp CP850|CP437|CP858|CP1252]\n"
    "                [--baud N] [--tipo R|C] [--espacio N]\n"
    "  F: un archivo de formato .nta, o Ticket40 / Nota80 (los formatos incluidos)\n"
    "  SALIDA: un archivo, una línea serie (/dev/ttyS0, /dev/ttyUSB0) o una impresora\n"
    "          de línea (/dev/lp0, /dev/usb/lp0)\n";

bool IsSerial(const std::string& path) {
    return path.starts_with("/dev/tty") || path.starts_with("/dev/pts/");
}

// A built-in format name is written out to a temporary file, as the editor would store it.
std::string FormatPath(const std::string& name) {
    if (fs::exists(name)) return name;
    notix::TFormatoNota f;
    if (name == "Ticket40" || name == "Ticket40.nta")
        f = notix::FormatoTicket40();
    else if (name == "Nota80" || name == "Nota80.nta")
        f = notix::FormatoNota80();
    else
        return name;  // CargarFormato reports it missing
    fs::path p = fs::temp_directory_path() / ("razir_" + name + "_" + std::to_string(::getpid()));
    std::ofstream(p, std::ios::binary) << notix::EscribirFormato(f);
    return p.string();
}

}  // namespace

int RunNote(const std::vector<std::string>& args) {
    std::map<std::string, std::string> opt;
    for (size_t i = 0; i < args.size(); ++i) {
        if (!args[i].starts_with("--") || i + 1 >= args.size()) {
            std::cerr << kUso;
            return kExitUsage;
        }
        opt[args[i].substr(2)] = args[i + 1];
        ++i;
    }
    if (!opt.count("format") || !opt.count("out")) {
        std::cerr << kUso;
        return kExitUsage;
    }
    const std::string out = opt["out"];

    notix::TNtaDatos datos;
    notix::TNtaReporte reporte;
    datos.SetNotaReporte(&reporte);
    reporte.Secuencias = notix::SecuenciasEscPos();
    if (opt.count("cp")) {
        auto cp = ports::CodePageByName(opt["cp"]);
        if (!cp) {
            std::cerr << "razir note: página de códigos desconocida \"" << opt["cp"] << "\"\n";
            return kExitUsage;
        }
        reporte.PaginaDeCodigos = *cp;
    }
    if (opt.count("espacio")) reporte.EspacioEntreNotas = std::stoi(opt["espacio"]);
    if (IsSerial(out)) {
        reporte.Puerto = notix::SERIE;
        reporte.SetMapaDePuertos({{"COM1", out}});
        if (opt.count("baud")) reporte.Comm().SetBaudRateValue(std::stoul(opt["baud"]));
    } else {
        reporte.Puerto = notix::PARALELO;
        reporte.SetMapaDePuertos({{"LPT1", out}});
        struct stat st{};
        if (::stat(out.c_str(), &st) == 0 && S_ISREG(st.st_mode)) fs::resize_file(out, 0);
    }
    std::string format = FormatPath(opt["format"]);
    reporte.FormatoDeImpresion = format;
    reporte.CargarFormato();
    if (format != opt["format"]) fs::remove(format);

    notix::LlenarNotaDemo(datos);
    if (opt.count("tipo")) datos.TipoImpresion = opt["tipo"];
    std::string text;
    reporte.OnLinea = [&](const std::string& l) { text += l + "\n"; };
    datos.ImprimirNota();

    if (opt.count("text"))
        std::ofstream(opt["text"], std::ios::binary) << text;
    else
        std::cout << text;
    return kExitDone;
}

}  // namespace razir
