// `razir demo [DIR]`: writes a whole demo installation (razir.ini through velmor's writer, the
// data folder "datos" with a generated chain, the folder "out" for the ticket printer on a
// file) and prints a summary.
// Not here: the generation itself (demo/generator.*).
#include <charconv>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "host/razir/commands.h"
#include "host/razir/options.h"
#include "host/razir/report_runner.h"
#include "host/velmor/session.h"
#include "platform/2_shell/folders.h"
#include "platform/1_text/format.h"
#include "platform/1_text/fold.h"
#include "platform/2_vcl/application.h"
#include "host/razir/demo/generator.h"
#include "host/velmor/installation.h"

namespace razir {
namespace {

namespace fs = std::filesystem;

const char kUso[] =
    "Uso: razir demo [CARPETA] [--seed N] [--stores N] [--registers N] [--products N]\n"
    "                [--days N] [--from AAAA-MM-DD] [--threads N] [--archivos-por-tienda]\n"
    "                [--reemplazar]\n"
    "Escribe una instalación de demostración en CARPETA (./demo si no se indica).\n";

int ParseInt(const std::string& flag, const std::string& value) { return OpcionEntera(flag, value, 0, 1'000'000'000); }

bool HasTables(const fs::path& folder) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        if (text::SameText(e.path().extension().string(), ".DB")) return true;
    }
    return false;
}

void RemoveTables(const fs::path& folder) {
    std::error_code ec;
    std::vector<fs::path> old;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        if (text::SameText(e.path().extension().string(), ".DB")) old.push_back(e.path());
    }
    for (const auto& p : old) fs::remove(p);
}

// The demo's configuration: the first store, register and cashier are the station's, the
// last generated day is the working date, and LPT2 (the registers' printers) prints into
// out/tickets.prn so tickets can be read back.
void WriteIni(const fs::path& dir, const demo::Options& o) {
    using demo::TipoMov;
    velmor::Installation inst = velmor::Installation::Defaults(dir.string());
    velmor::TRazirConfig& c = inst.Config;
    c.NomEmpresa = "Comercializadora Razir de Demostración S.A. de C.V.";
    c.DirEmpresa = "Av. Insurgentes Sur 1234";
    c.PobEmpresa = "Ciudad de México";
    c.CPEmpresa = "03100";
    c.RFCEmpresa = "CRD010101AB1";
    c.TiendaActual = demo::StoreCode(0);
    c.CajaActual = demo::RegisterCode(o, 0, 0);
    c.UsuarioActual = demo::CashierCode(o, 0, 0, 0);
    c.FechaTrabajo = o.from + o.days - 1;
    inst.FechaTrabajoHoy = false;
    c.AccesoTotal = true;
    c.ArchivosPorTienda = o.filesPerStore;
    c.PreciosConImpuestos = true;  // the generated prices include their taxes
    c.DecCantidad = 3;             // weighed products sell in grams
    c.NomImpuesto1 = "IVA";
    c.PorcImpuesto1 = 16;
    c.NomImpuesto2 = "IEPS";
    c.PorcImpuesto2 = 8;
    c.TipoMovCompras = TipoMov::Compras;
    c.TipoMovVentas = TipoMov::Ventas;
    c.TipoMovDevCompras = TipoMov::DevCompras;
    c.TipoMovDevVentas = TipoMov::DevVentas;
    c.TipoMovEntrada = TipoMov::Entrada;
    c.TipoMovSalida = TipoMov::Salida;
    c.TipoMovAjustes = TipoMov::Ajustes;
    c.TipoMovPerdidas = TipoMov::Perdidas;
    bool mapped = false;
    for (auto& [port, device] : inst.Ports)
        if (port == "LPT2") { device = inst.Folder + "out/tickets.prn"; mapped = true; }
    if (!mapped) inst.Ports.emplace_back("LPT2", inst.Folder + "out/tickets.prn");
    inst.Save();
}

// The shipped layouts and note formats, from beside the program into the installation.
void InstallShipped(const fs::path& dir) {
    for (const char* folder : {"Reportes", "Formatos"}) {
        const fs::path from = fs::path(shell::ProgramFolder()) / folder;
        fs::create_directories(dir / folder);
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(from, ec))
            fs::copy_file(e.path(), dir / folder / e.path().filename(), fs::copy_options::overwrite_existing);
        if (ec) std::cerr << "razir demo: no se encontró " << from.string() << "\n";
    }
}

// The steps a report's sample plays before its preview: reports over a date range look at the
// generated days instead of today.
std::vector<vcl::Step> DemoSteps(const std::string& entry, const demo::Options& o) {
    const std::string desde = text::FormatDateTime("dd/mm/yyyy", o.from);
    const std::string hasta = text::FormatDateTime("dd/mm/yyyy", o.from + o.days - 1);
    if (entry == "RIngresoXTienda" || entry == "RIngresoXCajero")
        return {vcl::Step::Set("edtFecIni", desde), vcl::Step::Set("edtFecFin", hasta),
                vcl::Step::Click(o.days > 7 ? "rbtnSemanal" : "rbtnDiario")};
    if (entry == "RVenXCajero" || entry == "RVenXTienda" || entry == "RVenXVendedor" ||
        entry == "RKardex" || entry == "RMovProd")
        return {vcl::Step::Set("edtFecDesde", desde), vcl::Step::Set("edtFecHasta", hasta)};
    if (entry == "RPoliticas")
        return {vcl::Step::Set("edtFecFin", hasta), vcl::Step::Set("edtFecIni", desde)};
    if (entry == "RVenXProducto")
        return {vcl::Step::Set("edtFecDesde", desde), vcl::Step::Set("edtFecHasta", hasta),
                vcl::Step::Click(o.days > 28 ? "rbtnMensual" : o.days > 7 ? "rbtnSemanal" : "rbtnDiario")};
    return {};
}

// The cash cut as the host prints it at the end of a shift: the station's cashier and working
// day, straight to the printer; without a printer service the job is a file, kept in out/.
void WriteDirectCut(const fs::path& dir, const velmor::TRazirConfig& config) {
    ReportRun run;
    run.entry = "RCorte";
    run.p1 = config.UsuarioActual;
    run.p2 = text::DateToStr(config.FechaTrabajo);
    run.direct = true;
    const fs::path out = fs::absolute(dir) / "out";
    const fs::path before = fs::current_path();
    fs::current_path(out);
    RunReport(run);
    fs::current_path(before);
    std::error_code ec;
    for (const char* printed : {"Corte.pdf", "Corte40.pdf"})
        if (fs::exists(out / printed, ec)) {
            fs::rename(out / printed, out / "RCorte-directo.pdf", ec);
            std::cout << "  corte de caja (modo directo): " << (out / "RCorte-directo.pdf").string() << "\n";
        }
}

// Every report the library has, previewed with its defaults into out/<report>.pdf, and the
// demo ticket as the printer's bytes and as text: what a new user looks at first.
void WriteSamples(const fs::path& dir, const demo::Options& o) {
    const std::string home = fs::absolute(dir).string();
    ::setenv("RAZIR_HOME", home.c_str(), 1);
    auto inst = velmor::Installation::Load(velmor::FindInstallationFolder());
    velmor::OpenSession(inst);
    int written = 0;
    for (const auto& entry : ReportEntries()) {
        if (!HasPreview(entry)) continue;
        ReportRun run;
        run.entry = entry;
        run.p1 = inst.Config.TiendaActual;
        run.p2 = inst.Config.GetDescripcionTienda();
        run.steps = DemoSteps(entry, o);
        run.out = (fs::absolute(dir) / "out" / (entry + ".pdf")).string();
        const ReportOutcome r = RunReport(run);
        if (r.previewed) ++written;
        else std::cerr << "razir demo: " << entry << " no produjo vista preliminar\n";
    }
    std::cout << "  reportes: " << written << " en " << (dir / "out").string() << "\n";
    WriteDirectCut(dir, inst.Config);
    const std::string ticket = (fs::absolute(dir) / "out" / "ticket.bin").string();
    const std::string texto = (fs::absolute(dir) / "out" / "ticket.txt").string();
    if (RunNote({"--out", ticket, "--text", texto}) == kExitDone)
        std::cout << "  nota: " << ticket << " y " << texto << "\n";
}

}  // namespace

int RunDemo(const std::vector<std::string>& args) {
    demo::Options o;
    fs::path dir = "demo";
    bool replace = false, dirGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& { return ValorDeOpcion(args, i); };
        try {
            if (a == "--help" || a == "-h") { std::cout << kUso; return kExitDone; }
            else if (a == "--seed") o.seed = static_cast<uint64_t>(ParseInt(a, value()));
            else if (a == "--stores") o.stores = ParseInt(a, value());
            else if (a == "--registers") o.registers = ParseInt(a, value());
            else if (a == "--products") o.products = ParseInt(a, value());
            else if (a == "--days") o.days = ParseInt(a, value());
            else if (a == "--threads") o.threads = ParseInt(a, value());
            else if (a == "--from") {
                const std::string& v = value();
                const auto d = text::FromIso(v);
                if (!d || v.size() != 10) throw std::invalid_argument("Fecha no válida para --from: \"" + v + "\" (AAAA-MM-DD)");
                o.from = *d;
            } else if (a == "--archivos-por-tienda") o.filesPerStore = true;
            else if (a == "--reemplazar") replace = true;
            else if (!a.empty() && a[0] != '-' && !dirGiven) { dir = a; dirGiven = true; }
            else throw std::invalid_argument("Argumento desconocido: \"" + a + "\"");
        } catch (const std::invalid_argument& e) {
            std::cerr << "razir demo: " << e.what() << "\n" << kUso;
            return kExitUsage;
        }
    }
    try {
        demo::Validate(o);  // once all flags are in: limits depend on several of them
    } catch (const std::invalid_argument& e) {
        std::cerr << "razir demo: " << e.what() << "\n" << kUso;
        return kExitUsage;
    }
    const fs::path datos = dir / "datos";
    if (HasTables(datos)) {
        if (!replace) {
            std::cerr << "razir demo: la carpeta " << datos.string()
                      << " ya contiene tablas; use --reemplazar para generarlas de nuevo\n";
            return kExitFailed;
        }
        RemoveTables(datos);
    }
    fs::create_directories(datos);
    fs::create_directories(dir / "out");
    WriteIni(dir, o);
    o.layoutFolder = (fs::absolute(dir) / "Reportes").string() + "/";
    const demo::Summary s = demo::Generate(o, datos);
    std::cout << "Instalación de demostración en " << dir.string() << "\n"
              << "  tiendas: " << s.stores << ", cajas: " << s.registers << ", usuarios: " << s.users
              << ", productos: " << s.products << ", días: " << s.days << "\n"
              << "  notas: " << s.notes << ", partidas: " << s.lines << ", movimientos: " << s.movements
              << ", archivos diarios: " << s.dayFiles << "\n";
    char secs[32];
    std::snprintf(secs, sizeof secs, "%.2f", s.seconds);
    std::cout << "  segundos: " << secs << "\n";
    InstallShipped(dir);
    WriteSamples(dir, o);
    std::cout << "Úsela con: RAZIR_HOME=" << fs::absolute(dir).lexically_normal().string() << " "
              << shell::ProgramFolder() << "razir <orden>\n";
    return kExitDone;
}

}  // namespace razir
