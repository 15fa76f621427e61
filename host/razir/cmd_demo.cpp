// `razir demo [DIR]`: writes a whole demo installation (razir.ini, the data folder "datos" with
// a generated chain, the folder "out" for the ticket printer on a file) and prints a summary.
// Not here: the generation itself (demo/generator.*).
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "host/razir/commands.h"
#include "host/razir/demo/generator.h"

namespace razir {
namespace {

namespace fs = std::filesystem;

const char kUso[] =
    "Uso: razir demo [CARPETA] [--seed N] [--stores N] [--registers N] [--products N]\n"
    "                [--days N] [--from AAAA-MM-DD] [--threads N] [--archivos-por-tienda]\n"
    "                [--reemplazar]\n"
    "Escribe una instalación de demostración en CARPETA (./demo si no se indica).\n";

int ParseInt(const std::string& flag, const std::string& value) {
    long long n = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (ec != std::errc() || end != value.data() + value.size() || n < 0 || n > 1'000'000'000)
        throw std::invalid_argument("Valor no válido para " + flag + ": \"" + value + "\"");
    return static_cast<int>(n);
}

bool HasTables(const fs::path& folder) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        std::string ext = e.path().extension().string();
        for (auto& ch : ext) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        if (ext == ".DB") return true;
    }
    return false;
}

void RemoveTables(const fs::path& folder) {
    std::error_code ec;
    std::vector<fs::path> old;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        std::string ext = e.path().extension().string();
        for (auto& ch : ext) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        if (ext == ".DB") old.push_back(e.path());
    }
    for (const auto& p : old) fs::remove(p);
}

void WriteIni(const fs::path& file, const demo::Options& o) {
    using demo::TipoMov;
    std::ofstream ini(file, std::ios::binary | std::ios::trunc);
    const std::string last = text::ToIsoDate(o.from + o.days - 1);
    ini << "; Instalación de demostración generada por \"razir demo\".\n"
           "[Empresa]\n"
           "NomEmpresa=Comercializadora Razir de Demostración S.A. de C.V.\n"
           "DirEmpresa=Av. Insurgentes Sur 1234\n"
           "PobEmpresa=Ciudad de México\n"
           "CPEmpresa=03100\n"
           "RFCEmpresa=CRD010101AB1\n"
           "\n[Datos]\n"
           "Alias=RazirWin10\n"
           "Driver=sqlite\n"
           "Carpeta=datos\n"
           "\n[Estacion]\n"
        << "TiendaActual=" << demo::StoreCode(0) << "\n"
        << "CajaActual=" << demo::RegisterCode(o, 0, 0) << "\n"
        << "UsuarioActual=" << demo::CashierCode(o, 0, 0, 0) << "\n"
        << "FechaTrabajo=" << last << "\n"
        << "AccesoTotal=1\n"
        << "ArchivosPorTienda=" << (o.filesPerStore ? 1 : 0) << "\n"
        << "PreciosConImpuestos=1\n"
           "ModuloClientes=0\n"
           "DecCantidad=3\n"
           "OpcionImpresion=0\n"
           "\n[Impuestos]\n"
           "NomImpuesto1=IVA\nPorcImpuesto1=16\n"
           "NomImpuesto2=IEPS\nPorcImpuesto2=8\n"
           "NomImpuesto3=ISH\nPorcImpuesto3=0\n"
           "NomImpuesto4=Otro\nPorcImpuesto4=0\n"
           "\n[Movimientos]\n"
        << "TipoMovCompras=" << TipoMov::Compras << "\n"
        << "TipoMovVentas=" << TipoMov::Ventas << "\n"
        << "TipoMovDevCompras=" << TipoMov::DevCompras << "\n"
        << "TipoMovDevVentas=" << TipoMov::DevVentas << "\n"
        << "TipoMovEntrada=" << TipoMov::Entrada << "\n"
        << "TipoMovSalida=" << TipoMov::Salida << "\n"
        << "TipoMovAjustes=" << TipoMov::Ajustes << "\n"
        << "TipoMovPerdidas=" << TipoMov::Perdidas << "\n"
        << "\n[Locale]\n"
           "FormatoFechaCorta=dd/mm/yyyy\n"
           "SimboloMoneda=$\n"
           "DecimalesMoneda=2\n"
           "SeparadorMiles=,\n"
           "SeparadorDecimal=.\n";
    if (!ini) throw std::runtime_error("No se puede escribir " + file.string());
}

}  // namespace

int RunDemo(const std::vector<std::string>& args) {
    demo::Options o;
    fs::path dir = "demo";
    bool replace = false, dirGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw std::invalid_argument("Falta el valor de " + a);
            return args[++i];
        };
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
            demo::Validate(o);
        } catch (const std::invalid_argument& e) {
            std::cerr << "razir demo: " << e.what() << "\n" << kUso;
            return kExitUsage;
        }
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
    WriteIni(dir / "razir.ini", o);
    const demo::Summary s = demo::Generate(o, datos);
    std::cout << "Instalación de demostración en " << dir.string() << "\n"
              << "  tiendas: " << s.stores << ", cajas: " << s.registers << ", usuarios: " << s.users
              << ", productos: " << s.products << ", días: " << s.days << "\n"
              << "  notas: " << s.notes << ", partidas: " << s.lines << ", movimientos: " << s.movements
              << ", archivos diarios: " << s.dayFiles << "\n";
    char secs[32];
    std::snprintf(secs, sizeof secs, "%.2f", s.seconds);
    std::cout << "  segundos: " << secs << "\n";
    return kExitDone;
}

}  // namespace razir
