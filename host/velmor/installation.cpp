// razir.ini to Installation and back. Every key of the configuration object stands once in
// kKeys below, with its section and range, so reading, writing and the documentation agree.
// Values in the file are locale-neutral ("." decimals, dates "dd/mm/yyyy" or ISO) so that
// the [Regional] section cannot change how the rest of the file reads.
#include "host/velmor/installation.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <variant>

#include "host/velmor/help.h"
#include "platform/2_shell/folders.h"
#include "platform/1_text/fold.h"
#include "platform/1_text/format.h"

namespace velmor {
namespace {

namespace fs = std::filesystem;

constexpr const char* kConfigName = "razir.ini";
constexpr const char* kMainAlias = "RazirWin10";

using Member = std::variant<std::string TRazirConfig::*, bool TRazirConfig::*,
                            std::uint8_t TRazirConfig::*, std::int16_t TRazirConfig::*,
                            std::int32_t TRazirConfig::*, double TRazirConfig::*>;

struct KeyDef {
    const char* section;
    const char* key;
    Member member;
    double lo = 0, hi = 0;  // range of numbers
};

const KeyDef kKeys[] = {
    {"Empresa", "NomEmpresa", &TRazirConfig::NomEmpresa},
    {"Empresa", "DirEmpresa", &TRazirConfig::DirEmpresa},
    {"Empresa", "PobEmpresa", &TRazirConfig::PobEmpresa},
    {"Empresa", "CPEmpresa", &TRazirConfig::CPEmpresa},
    {"Empresa", "RFCEmpresa", &TRazirConfig::RFCEmpresa},
    {"Sesion", "TiendaActual", &TRazirConfig::TiendaActual},
    {"Sesion", "CajaActual", &TRazirConfig::CajaActual},
    {"Sesion", "UsuarioActual", &TRazirConfig::UsuarioActual},
    {"Sesion", "AccesoTotal", &TRazirConfig::AccesoTotal},
    {"Opciones", "ArchivosPorTienda", &TRazirConfig::ArchivosPorTienda},
    {"Opciones", "PreciosConImpuestos", &TRazirConfig::PreciosConImpuestos},
    {"Opciones", "ModuloClientes", &TRazirConfig::ModuloClientes, 0, 255},
    {"Opciones", "DecCantidad", &TRazirConfig::DecCantidad, 0, 6},
    {"Opciones", "OpcionImpresion", &TRazirConfig::OpcionImpresion, INT32_MIN, INT32_MAX},
    {"Impuestos", "NomImpuesto1", &TRazirConfig::NomImpuesto1},
    {"Impuestos", "NomImpuesto2", &TRazirConfig::NomImpuesto2},
    {"Impuestos", "NomImpuesto3", &TRazirConfig::NomImpuesto3},
    {"Impuestos", "NomImpuesto4", &TRazirConfig::NomImpuesto4},
    {"Impuestos", "PorcImpuesto1", &TRazirConfig::PorcImpuesto1, 0, 1000},
    {"Impuestos", "PorcImpuesto2", &TRazirConfig::PorcImpuesto2, 0, 1000},
    {"Impuestos", "PorcImpuesto3", &TRazirConfig::PorcImpuesto3, 0, 1000},
    {"Impuestos", "PorcImpuesto4", &TRazirConfig::PorcImpuesto4, 0, 1000},
    {"Movimientos", "TipoMovCompras", &TRazirConfig::TipoMovCompras, 0, 32767},
    {"Movimientos", "TipoMovVentas", &TRazirConfig::TipoMovVentas, 0, 32767},
    {"Movimientos", "TipoMovDevCompras", &TRazirConfig::TipoMovDevCompras, 0, 32767},
    {"Movimientos", "TipoMovDevVentas", &TRazirConfig::TipoMovDevVentas, 0, 32767},
    {"Movimientos", "TipoMovEntrada", &TRazirConfig::TipoMovEntrada, 0, 32767},
    {"Movimientos", "TipoMovSalida", &TRazirConfig::TipoMovSalida, 0, 32767},
    {"Movimientos", "TipoMovAjustes", &TRazirConfig::TipoMovAjustes, 0, 32767},
    {"Movimientos", "TipoMovPerdidas", &TRazirConfig::TipoMovPerdidas, 0, 32767},
};

// Sections read by code of their own rather than through kKeys.
constexpr const char* kSesion = "Sesion";
constexpr const char* kAlias = "Alias";
constexpr const char* kCarpetas = "Carpetas";
constexpr const char* kPuertos = "Puertos";
constexpr const char* kImpresora = "Impresora";
constexpr const char* kRegional = "Regional";
constexpr const char* kCodePages[] = {"CP437", "CP850", "CP858", "CP1252"};

// The file's own number and date conventions, independent of [Regional].
const text::FormatSettings& FileSettings() {
    static const text::FormatSettings s;
    return s;
}

struct Reader {
    std::string_view file;
    const IniSection& section;
    const IniEntry& entry;

    [[noreturn]] void Bad(std::string_view why) const {
        throw ConfigError("Error en \"" + std::string(file) + "\", línea " +
                          std::to_string(entry.line) + ": el valor \"" + entry.value +
                          "\" de la clave " + entry.key + " en [" + section.name +
                          "] no es válido: " + std::string(why));
    }

    bool Bool() const {
        const std::string v = text::FoldCase(entry.value);
        if (v == "sí" || v == "si" || v == "1" || v == "true") return true;
        if (v == "no" || v == "0" || v == "false") return false;
        Bad("se espera Sí o No (también 1/0, true/false)");
    }

    double Number(double lo, double hi, bool integer) const {
        auto number = text::TryStrToFloat(entry.value, FileSettings());
        const std::string range = text::FloatToStr(lo, FileSettings()) + " a " +
                                  text::FloatToStr(hi, FileSettings());
        if (!number || *number < lo || *number > hi || (integer && std::floor(*number) != *number))
            Bad(integer ? "se espera un número entero de " + range
                        : "se espera un número de " + range);
        return *number;
    }

    text::TDateTime Date() const {
        if (auto iso = text::FromIso(entry.value); iso && entry.value.size() == 10) return *iso;
        const std::string_view v = entry.value;
        const size_t last = v.rfind('/');
        if (last != std::string_view::npos && v.size() - last - 1 == 4)
            if (auto d = text::TryStrToDate(v, FileSettings())) return *d;
        Bad("se espera una fecha dd/mm/aaaa o aaaa-mm-dd");
    }

    std::string NonEmpty() const {
        if (entry.value.empty()) Bad("no puede quedar vacío");
        return entry.value;
    }
};

text::TDateTime Today() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return text::EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

// A folder named in the file: relative ones hang from the installation folder.
std::string ResolveFolder(std::string_view installation, std::string_view value) {
    fs::path p(value);
    if (p.is_relative()) p = fs::path(installation) / p;
    std::string out = p.lexically_normal().string();
    return shell::IncludeTrailingPathDelimiter(out);
}

std::string ResolveFile(std::string_view installation, std::string_view value) {
    fs::path p(value);
    if (p.is_relative()) p = fs::path(installation) / p;
    return p.lexically_normal().string();
}

// The inverse of the two above for paths inside the installation, so that a saved
// installation can be moved as a whole.
std::string Relative(std::string_view installation, std::string_view path) {
    if (path.size() >= installation.size() && path.substr(0, installation.size()) == installation) {
        std::string rest(path.substr(installation.size()));
        if (!rest.empty() && rest.back() == '/') rest.pop_back();
        return rest.empty() ? "." : rest;
    }
    return std::string(path);
}

void ReadKnownKey(Installation& inst, const Reader& r) {
    for (const auto& k : kKeys) {
        if (!text::SameText(k.section, r.section.name) || !text::SameText(k.key, r.entry.key))
            continue;
        TRazirConfig& c = inst.Config;
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(c.*member)>;
                if constexpr (std::is_same_v<T, std::string>) c.*member = r.entry.value;
                else if constexpr (std::is_same_v<T, bool>) c.*member = r.Bool();
                else if constexpr (std::is_same_v<T, double>) c.*member = r.Number(k.lo, k.hi, false);
                else c.*member = static_cast<T>(r.Number(k.lo, k.hi, true));
            },
            k.member);
        return;
    }
    if (text::SameText(r.section.name, kSesion) && text::SameText(r.entry.key, "FechaTrabajo")) {
        inst.FechaTrabajoHoy = r.entry.value.empty();
        inst.Config.FechaTrabajo = inst.FechaTrabajoHoy ? Today() : r.Date();
        return;
    }
    throw ConfigError("Error en \"" + std::string(r.file) + "\", línea " +
                      std::to_string(r.entry.line) + ": la clave " + r.entry.key +
                      " no existe en [" + r.section.name + "]");
}

bool IsKeySection(std::string_view name) {
    for (const auto& k : kKeys)
        if (text::SameText(k.section, name)) return true;
    return false;
}

void SetPair(std::vector<std::pair<std::string, std::string>>& list, const std::string& key,
             std::string value) {
    for (auto& [k, v] : list) {
        if (text::SameText(k, key)) {
            v = std::move(value);
            return;
        }
    }
    list.emplace_back(key, std::move(value));
}

std::string FindPair(const std::vector<std::pair<std::string, std::string>>& list,
                     std::string_view key) {
    for (const auto& [k, v] : list)
        if (text::SameText(k, key)) return v;
    return {};
}

void ReadSection(Installation& inst, const IniSection& section, std::string_view file) {
    const auto unknownKey = [&](const IniEntry& e) {
        throw ConfigError("Error en \"" + std::string(file) + "\", línea " +
                          std::to_string(e.line) + ": la clave " + e.key + " no existe en [" +
                          section.name + "]");
    };
    for (const auto& e : section.entries) {
        const Reader r{file, section, e};
        if (IsKeySection(section.name)) {
            ReadKnownKey(inst, r);
        } else if (text::SameText(section.name, kAlias)) {
            SetPair(inst.Aliases, e.key, ResolveFolder(inst.Folder, r.NonEmpty()));
        } else if (text::SameText(section.name, kCarpetas)) {
            if (text::SameText(e.key, "NetFileDir"))
                inst.NetFileDir = e.value.empty() ? "" : ResolveFolder(inst.Folder, e.value);
            else if (text::SameText(e.key, "Ayuda"))
                inst.HelpFolder = ResolveFolder(inst.Folder, r.NonEmpty());
            else
                unknownKey(e);
        } else if (text::SameText(section.name, kPuertos)) {
            SetPair(inst.Ports, e.key, ResolveFile(inst.Folder, r.NonEmpty()));
        } else if (text::SameText(section.name, kImpresora)) {
            if (!text::SameText(e.key, "CodePage")) unknownKey(e);
            const std::string v = text::UpperCase(e.value);
            bool known = false;
            for (const char* cp : kCodePages) known = known || v == cp;
            if (!known) r.Bad("se espera CP437, CP850, CP858 o CP1252");
            inst.PrinterCodePage = v;
        } else if (text::SameText(section.name, kRegional)) {
            try {
                text::SetFormatSetting(inst.Regional, e.key, e.value);
            } catch (const text::ConvertError& err) {
                throw ConfigError("Error en \"" + std::string(file) + "\", línea " +
                                  std::to_string(e.line) + ", [" + section.name + "]: " +
                                  err.what());
            }
        }
    }
    if (text::SameText(section.name, kRegional)) {
        try {
            text::ValidateFormatSettings(inst.Regional);
        } catch (const text::ConvertError& err) {
            throw ConfigError("Error en \"" + std::string(file) + "\", [" + section.name +
                              "]: " + err.what());
        }
    }
}

std::string ErrnoText() { return std::strerror(errno); }

}  // namespace

std::string FindInstallationFolder() {
    const char* home = std::getenv("RAZIR_HOME");
    if (home && *home) {
        std::error_code ec;
        const fs::path abs = fs::absolute(fs::path(home), ec);
        return shell::IncludeTrailingPathDelimiter((ec ? fs::path(home) : abs).lexically_normal().string());
    }
    return shell::ProgramFolder();
}

std::string Installation::DataFolder(std::string_view alias) const { return FindPair(Aliases, alias); }

std::string Installation::NetFolder() const {
    return NetFileDir.empty() ? DataFolder(kMainAlias) : NetFileDir;
}

std::string Installation::PortDevice(std::string_view port) const { return FindPair(Ports, port); }

Installation Installation::Defaults(std::string_view folder) {
    Installation inst;
    inst.Folder = shell::IncludeTrailingPathDelimiter(
        fs::path(folder.empty() ? "." : folder).lexically_normal().string());
    inst.ConfigFile = inst.Folder + kConfigName;
    inst.Config.FechaTrabajo = Today();
    inst.Aliases = {{kMainAlias, inst.Folder + "datos/"}};
    inst.HelpFolder = inst.Folder + "ayuda/";
    inst.Ports = {{"COM1", "/dev/ttyS0"}, {"COM2", "/dev/ttyS1"}, {"COM3", "/dev/ttyS2"},
                  {"COM4", "/dev/ttyS3"}, {"LPT1", "/dev/lp0"},   {"LPT2", "/dev/lp1"},
                  {"LPT3", "/dev/lp2"}};
    return inst;
}

Installation Installation::Parse(std::string_view text, std::string_view folder,
                                 std::string_view fileName) {
    Installation inst = Defaults(folder);
    inst.ConfigFound = true;
    const IniFile ini = IniFile::Parse(text, fileName);
    for (const auto& section : ini.Sections()) {
        const bool known = IsKeySection(section.name) || text::SameText(section.name, kAlias) ||
                           text::SameText(section.name, kCarpetas) ||
                           text::SameText(section.name, kPuertos) ||
                           text::SameText(section.name, kImpresora) ||
                           text::SameText(section.name, kRegional);
        if (known) {
            ReadSection(inst, section, fileName);
            continue;
        }
        for (const auto& e : section.entries) inst.OtherSections.Set(section.name, e.key, e.value);
        inst.Warnings.push_back("\"" + std::string(fileName) + "\", línea " +
                                std::to_string(section.line) + ": la sección [" + section.name +
                                "] no es de esta instalación; se conserva sin usarla");
    }
    return inst;
}

Installation Installation::Load(std::string_view folder) {
    Installation defaults = Defaults(folder);
    const std::string path = defaults.ConfigFile;
    std::error_code ec;
    if (!fs::exists(path, ec)) return defaults;
    if (!fs::is_regular_file(path, ec))
        throw ConfigError("No se puede leer \"" + path + "\": no es un archivo");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ConfigError("No se puede leer \"" + path + "\": " + ErrnoText());
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw ConfigError("No se puede leer \"" + path + "\": " + ErrnoText());
    Installation inst = Parse(text.str(), defaults.Folder, path);
    inst.ConfigFile = path;
    return inst;
}

std::string Installation::ToText() const {
    IniFile ini;
    const TRazirConfig& c = Config;
    for (const auto& k : kKeys) {
        std::string value;
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(c.*member)>;
                if constexpr (std::is_same_v<T, std::string>) value = c.*member;
                else if constexpr (std::is_same_v<T, bool>) value = c.*member ? "Sí" : "No";
                else if constexpr (std::is_same_v<T, double>) value = text::FloatToStr(c.*member, FileSettings());
                else value = std::to_string(static_cast<long long>(c.*member));
            },
            k.member);
        ini.Set(k.section, k.key, value);
        if (std::string_view(k.key) == "UsuarioActual")
            ini.Set(kSesion, "FechaTrabajo",
                    FechaTrabajoHoy ? ""
                                    : text::FormatDateTime("dd/mm/yyyy", c.FechaTrabajo, FileSettings()));
    }
    for (const auto& [alias, folder] : Aliases) ini.Set(kAlias, alias, Relative(Folder, folder));
    ini.Set(kCarpetas, "NetFileDir", NetFileDir.empty() ? "" : Relative(Folder, NetFileDir));
    ini.Set(kCarpetas, "Ayuda", Relative(Folder, HelpFolder));
    for (const auto& [port, device] : Ports) ini.Set(kPuertos, port, Relative(Folder, device));
    ini.Set(kImpresora, "CodePage", PrinterCodePage);
    for (const auto& [key, value] : text::FormatSettingsEntries(Regional))
        ini.Set(kRegional, key, value);
    for (const auto& section : OtherSections.Sections())
        for (const auto& e : section.entries) ini.Set(section.name, e.key, e.value);
    return "; Configuración de la instalación (claves en docs/configuration.md)\n" + ini.ToText();
}

namespace {
const Installation* current = nullptr;
}  // namespace

const Installation* CurrentInstallation() { return current; }

void Installation::MakeCurrent() {
    current = this;
    RazirWinConfig = &Config;
    text::SetDefaultFormatSettings(Regional);
    SetHelpFolder(HelpFolder);
}

void Installation::Save(std::string_view where) const {
    const std::string path = where.empty() ? ConfigFile : std::string(where);
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) throw ConfigError("No se puede escribir \"" + path + "\": " + ErrnoText());
        out << ToText();
        out.flush();
        if (!out) {
            const std::string why = ErrnoText();
            std::remove(temp.c_str());
            throw ConfigError("No se puede escribir \"" + path + "\": " + why);
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string why = ErrnoText();
        std::remove(temp.c_str());
        throw ConfigError("No se puede escribir \"" + path + "\": " + why);
    }
}

}  // namespace velmor
