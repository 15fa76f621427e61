// razir note: prints the demo sale through a note format to a file, a printer device or a port
// of the installation, and writes the note as readable text. Port names, the printer's code
// page, the regional settings and "datosnota" come from the installation.
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <stdexcept>

#include "host/razir/commands.h"
#include "host/razir/gui/desktop_entry.h"
#include "host/razir/options.h"
#include "host/velmor/installation.h"
#include "host/velmor/session.h"
#include "notes/demo.h"
#include "notes/report.h"
#include "platform/2_shell/folders.h"

namespace razir {
namespace {

namespace fs = std::filesystem;

const char kUso[] =
    "Uso: razir note --out SALIDA [--format F] [--text ARCHIVO] [--cp CP850|CP437|CP858|CP1252]\n"
    "                [--baud N] [--tipo R|C] [--espacio N]\n"
    "       razir note --editar FORMATO   (abre el editor de formatos)\n"
    "  F: un archivo de formato .nta, o Ticket40 / Nota80 (los formatos incluidos); sin él,\n"
    "     Formatos/Ticket40.nta de la instalación o el Ticket40 incluido\n"
    "  SALIDA: un puerto de la instalación (COM1, LPT1), un archivo, una línea serie\n"
    "          (/dev/ttyS0, /dev/ttyUSB0) o una impresora de línea (/dev/lp0, /dev/usb/lp0)\n";

// "COM1" or "LPT2": the kind and the number; false for anything else.
bool PortName(const std::string& s, notix::TPuerto& kind, std::string& number) {
    if (s.size() < 4 || s.find_first_not_of("0123456789", 3) != std::string::npos) return false;
    std::string prefix = s.substr(0, 3);
    for (auto& c : prefix) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (prefix != "COM" && prefix != "LPT") return false;
    kind = prefix == "COM" ? notix::SERIE : notix::PARALELO;
    number = s.substr(3);
    return true;
}

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
    const std::string p = shell::TempFolder() + "razir_" + name + "_" + std::to_string(::getpid());
    std::ofstream(p, std::ios::binary) << notix::EscribirFormato(f);
    return p;
}

}  // namespace

int RunNote(const std::vector<std::string>& args) {
    std::map<std::string, std::string> opt;
    constexpr const char* kOpciones[] = {"out", "format", "text", "cp", "baud", "tipo", "espacio", "editar"};
    int espacio = -1;  // the report's own default
    try {
        for (size_t i = 0; i < args.size(); ++i) {
            if (args[i] == "--help" || args[i] == "-h") {
                std::cout << kUso;
                return kExitDone;
            }
            const std::string name = args[i].starts_with("--") ? args[i].substr(2) : "";
            if (std::find(std::begin(kOpciones), std::end(kOpciones), name) == std::end(kOpciones))
                throw std::invalid_argument("Argumento desconocido: \"" + args[i] + "\"");
            opt[name] = ValorDeOpcion(args, i);
        }
        if (opt.count("espacio")) espacio = OpcionEntera("--espacio", opt["espacio"], 0, 99);
        if (opt.count("tipo") && opt["tipo"] != "R" && opt["tipo"] != "C")
            throw std::invalid_argument("Valor no válido para --tipo: \"" + opt["tipo"] + "\" (R o C)");
    } catch (const std::invalid_argument& e) {
        std::cerr << "razir note: " << e.what() << "\n" << kUso;
        return kExitUsage;
    }
    if (opt.count("editar")) {
        auto editar = reinterpret_cast<RazirDesktopEditorFn>(DesktopSymbol(kDesktopEditor, "razir note"));
        return editar && editar(opt["editar"].c_str()) == 0 ? kExitDone : kExitFailed;
    }
    if (!opt.count("out")) {
        std::cerr << kUso;
        return kExitUsage;
    }
    const std::string out = opt["out"];
    velmor::Installation inst = velmor::Installation::Load(velmor::FindInstallationFolder());
    if (!opt.count("format")) {
        std::string shipped = inst.Folder + "Formatos/Ticket40.nta";
        opt["format"] = fs::exists(shipped) ? shipped : "Ticket40";
    }

    notix::TNtaDatos datos;
    notix::TNtaReporte reporte;
    datos.SetNotaReporte(&reporte);
    datos.Formatos = inst.Regional;
    reporte.Secuencias = notix::SecuenciasEscPos();
    reporte.ArchivoDatosNota = inst.Folder + "datosnota";
    ports::PortMap portMap(inst.Ports.begin(), inst.Ports.end());
    if (auto cp = text::CodePageByName(inst.PrinterCodePage)) reporte.PaginaDeCodigos = *cp;
    if (opt.count("cp")) {
        auto cp = text::CodePageByName(opt["cp"]);
        if (!cp) {
            std::cerr << "razir note: Valor no válido para --cp: \"" << opt["cp"] << "\" (página de códigos desconocida)\n";
            return kExitUsage;
        }
        reporte.PaginaDeCodigos = *cp;
    }
    if (opt.count("baud")) {
        // Only the rates the port settings can hold: the port is set up from them on opening.
        bool found = false;
        for (int r = ports::br9600; r <= ports::br256000; ++r)
            if (std::to_string(ports::BaudRateValue(static_cast<ports::TBaudRate>(r))) == opt["baud"]) {
                reporte.ConfigPuerto.BitsPorSegundo = static_cast<ports::TBaudRate>(r);
                found = true;
            }
        if (!found) {
            std::cerr << "razir note: Valor no válido para --baud: \"" << opt["baud"] << "\" (velocidad no admitida)\n";
            return kExitUsage;
        }
    }
    if (espacio >= 0) reporte.EspacioEntreNotas = espacio;
    notix::TPuerto kind;
    std::string number;
    if (PortName(out, kind, number)) {
        reporte.Puerto = kind;
        reporte.SetPuertoNumero(number);
    } else if (IsSerial(out)) {
        reporte.Puerto = notix::SERIE;
        portMap["COM1"] = out;
    } else {
        reporte.Puerto = notix::PARALELO;
        portMap["LPT1"] = out;
        struct stat st{};
        if (::stat(out.c_str(), &st) == 0 && S_ISREG(st.st_mode)) fs::resize_file(out, 0);
    }
    reporte.SetMapaDePuertos(portMap);
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
