// `razir report ENTRY [P1 [P2 [direct]]] [steps] [--out F | --print D]`: runs one report of
// libReportes.so on the installation, with the criteria given as steps the script driver
// plays on the report's own dialog, exactly as a user at the dialog would.
#include <fstream>
#include <iostream>
#include <sstream>

#include "host/razir/commands.h"
#include "host/razir/options.h"
#include "host/razir/report_runner.h"
#include "host/velmor/installation.h"
#include "host/velmor/session.h"
#include "platform/2_vcl/application.h"

namespace razir {
namespace {

const char kUso[] =
    "Uso: razir report REPORTE [P1 [P2 [direct]]] [pasos] [--out ARCHIVO] [--print DESTINO]\n"
    "  REPORTE      el nombre exportado: RTiendas, RCajas, RUsuarios... (--list los muestra)\n"
    "  P1, P2       tienda y su descripción (por omisión, la tienda actual de razir.ini);\n"
    "               en modo directo, el cajero o la caja y la fecha\n"
    "  pasos        --set CONTROL=VALOR, --pick \"CONTROL ELEMENTO\", --focus CONTROL,\n"
    "               --type TEXTO, --press TECLA|BOTÓN, --click BOTÓN, --answer RESPUESTA,\n"
    "               --script ARCHIVO (un paso por línea), en el orden dado\n"
    "  --out        la vista preliminar en ARCHIVO: .pdf, .png (una imagen por página) o\n"
    "               .txt (el texto de cada página); sin --click btnPreview, se pulsa al final\n"
    "  --print      imprime en DESTINO (una impresora del sistema, o file:/ruta.pdf)\n";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("No se puede leer " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

int RunReportCommand(const std::vector<std::string>& args) {
    ReportRun run;
    std::vector<std::string> positional;
    bool list = false;
    try {
        for (size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            auto value = [&]() -> const std::string& { return ValorDeOpcion(args, i); };
            if (a == "--help" || a == "-h") {
                std::cout << kUso;
                return kExitDone;
            } else if (a == "--list") list = true;
            else if (a == "--out") run.out = value();
            else if (a == "--print") run.printTo = value();
            else if (a == "--script") {
                for (auto& s : vcl::ParseScript(ReadFile(value()))) run.steps.push_back(std::move(s));
            } else if (a.rfind("--", 0) == 0) run.steps.push_back(vcl::ParseOption(a, value()));
            else positional.push_back(a);
        }
        if (!list && positional.empty()) throw std::invalid_argument("Falta el nombre del reporte");
        if (positional.size() > 4) throw std::invalid_argument("Sobran argumentos: \"" + positional[4] + "\"");
        if (positional.size() == 4) {
            if (positional[3] != "direct") throw std::invalid_argument("Se esperaba \"direct\", no \"" + positional[3] + "\"");
            run.direct = true;
        }
        if (!run.out.empty() && !run.printTo.empty())
            throw std::invalid_argument("--out y --print no van juntos");
    } catch (const std::exception& e) {
        std::cerr << "razir report: " << e.what() << "\n" << kUso;
        return kExitUsage;
    }

    if (list) {
        for (const auto& name : ReportEntries()) std::cout << name << "\n";
        return kExitDone;
    }

    auto inst = velmor::Installation::Load(velmor::FindInstallationFolder());
    if (!inst.ConfigFound)
        throw std::runtime_error("No hay razir.ini en " + inst.Folder +
                                 "; indique la instalación con RAZIR_HOME o cree una con «razir demo»");
    velmor::OpenSession(inst);
    vcl::TForm principal(nullptr);
    principal.SetName("frmPrincipal");
    vcl::Application->SetMainForm(&principal);

    run.entry = positional[0];
    run.p1 = positional.size() > 1 ? positional[1] : inst.Config.TiendaActual;
    run.p2 = positional.size() > 2 ? positional[2] : inst.Config.GetDescripcionTienda();
    const ReportOutcome outcome = RunReport(run);
    vcl::Application->SetMainForm(nullptr);

    for (const auto& m : outcome.messages)
        std::cerr << "Mensaje «" << m.request.caption << "»: " << m.request.text << "\n";
    for (const auto& f : outcome.files) std::cout << f << "\n";
    if (!outcome.failures.empty()) {
        std::cerr << "razir report: " << outcome.failures.front() << "\n";
        return kExitFailed;
    }
    // Print closes the dialog once the job is sent; a dialog still open printed nothing.
    if (!run.printTo.empty() && outcome.dialogLeftOpen) {
        std::cerr << "razir report: no se imprimió " << run.entry << "\n";
        return kExitFailed;
    }
    if (!run.out.empty() && !outcome.previewed) {
        std::cerr << "razir report: no se produjo la vista preliminar de " << run.entry << "\n";
        return kExitFailed;
    }
    return kExitDone;
}

}  // namespace razir
