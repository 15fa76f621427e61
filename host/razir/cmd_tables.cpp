// razir tables: creates a data folder's tables from the data dictionary, verifies and
// rebuilds table files, regenerates indexes and shows or changes the engine's settings,
// all through the maintenance engine (VlmCtlArch).
// Not here: the maintenance dialog (tablemaint/component).
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "host/razir/commands.h"
#include "platform/2_db/names.h"
#include "platform/2_shell/folders.h"
#include "tablemaint/engine/dictionary.h"
#include "tablemaint/engine/table_file.h"
#include "tablemaint/engine/verify.h"
#include "tablemaint/engine/vlmctlarch.h"

namespace razir {
namespace {

using tablemaint::VlmCtlArch;

constexpr const char* kUso =
    "Uso: razir tables create CARPETA [--diccionario CARPETA] [--reinicializar]\n"
    "     razir tables verify CARPETA [TABLA...]\n"
    "     razir tables rebuild CARPETA TABLA\n"
    "     razir tables reindex CARPETA TABLA [ÍNDICE]\n"
    "     razir tables settings [ENTRADA [VALOR]]\n"
    "El diccionario de datos son las tablas VlmTablas.DB y VlmCampos.DB de la carpeta de datos\n"
    "(o de la carpeta dada con --diccionario); create las escribe con el diccionario incluido\n"
    "cuando no existen.\n";

constexpr const char* kTablasDic = "VlmTablas.DB";
constexpr const char* kCamposDic = "VlmCampos.DB";

struct Engine {
    VlmCtlArch* obj = nullptr;
    ~Engine() { DestruyeVlmCtlArch(obj); }
};

bool IsFolder(const std::string& p) {
    struct stat st {};
    return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
std::string Slash(std::string p) {
    if (!p.empty() && p.back() != '/') p += '/';
    return p;
}

// A table as the user names it ("Usuarios", "usuarios.db") to its file's name in the folder.
std::string TableFileName(const std::string& data, const std::string& name) {
    return std::filesystem::path(db::ResolveTableFile(data, name)).filename().string();
}

// An existing folder other than the file system's root; false with the message given.
bool DataFolder(const std::string& data) {
    if (!tablemaint::CarpetaDeDatosValida(data)) {
        std::cerr << "razir tables: la carpeta de datos \"" << data << "\" no es válida\n";
        return false;
    }
    if (!IsFolder(data)) {
        std::cerr << "razir tables: no existe la carpeta de datos \"" << data << "\"\n";
        return false;
    }
    return true;
}

// The dictionary's tables (groups aside) whose files exist in the folder, as the data layer
// finds them: ignoring case.
std::vector<std::string> DictionaryFiles(const std::string& data, const tablemaint::Diccionario& d) {
    std::vector<std::string> out;
    for (const auto& t : d.tablas)
        if (t.Calculado == "N" && !t.Nombre.empty() && db::TableFileExists(data, tablemaint::NombreArchivo(t)))
            out.push_back(TableFileName(data, tablemaint::NombreArchivo(t)));
    return out;
}

// Opens the engine on the data folder and its dictionary; false (message given) when they are missing.
bool Open(Engine& e, const std::string& data, const std::string& dicFolder) {
    if (!DataFolder(data)) return false;
    const std::string tablas = Slash(dicFolder) + kTablasDic, campos = Slash(dicFolder) + kCamposDic;
    e.obj = CreaVlmCtlArch();
    if (!e.obj) {
        std::cerr << "razir tables: sin memoria\n";
        return false;
    }
    tablemaint::CopiaTexto(e.obj->szRutaBD, sizeof e.obj->szRutaBD, Slash(data));
    tablemaint::CopiaTexto(e.obj->szRutaTablas, sizeof e.obj->szRutaTablas, tablas);
    tablemaint::CopiaTexto(e.obj->szRutaCampos, sizeof e.obj->szRutaCampos, campos);
    tablemaint::CopiaTexto(e.obj->szIndiceDetalle, sizeof e.obj->szIndiceDetalle, "NumeroT");
    tablemaint::CopiaTexto(e.obj->szCamposMaestro, sizeof e.obj->szCamposMaestro, "Numero");
    e.obj->Inicializa();
    return true;
}

bool ReadDictionary(const std::string& dicFolder, tablemaint::Diccionario& d) {
    std::string err;
    if (tablemaint::LeeDiccionario(Slash(dicFolder) + kTablasDic, Slash(dicFolder) + kCamposDic, d, &err)) return true;
    std::cerr << "razir tables: " << err << "\n";
    return false;
}

int Create(std::vector<std::string> args) {
    std::string data, dic;
    bool reset = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--diccionario" && i + 1 < args.size()) dic = args[++i];
        else if (args[i] == "--reinicializar") reset = true;
        else if (data.empty() && args[i][0] != '-') data = args[i];
        else return std::cerr << kUso, kExitUsage;
    }
    if (data.empty()) return std::cerr << kUso, kExitUsage;
    if (dic.empty()) dic = data;
    if (!DataFolder(data)) return kExitFailed;
    const std::string tablas = Slash(dic) + kTablasDic, campos = Slash(dic) + kCamposDic;
    if (!db::TableFileExists(dic, kTablasDic) || !db::TableFileExists(dic, kCamposDic)) {
        std::string err;
        if (!tablemaint::EscribeDiccionario(tablemaint::DiccionarioIncluido(), tablas, campos, &err)) {
            std::cerr << "razir tables: no se pudo escribir el diccionario: " << err << "\n";
            return kExitFailed;
        }
        std::cout << "Diccionario de datos escrito en " << tablas << " y " << campos << "\n";
    }
    tablemaint::Diccionario d;
    if (!ReadDictionary(dic, d)) return kExitFailed;
    const std::vector<std::string> existing = DictionaryFiles(data, d);
    if (!reset) {
        if (!existing.empty()) {
            std::cerr << "razir tables: ya existen " << existing.size() << " tablas (la primera, "
                      << existing.front() << "); use --reinicializar para crearlas de nuevo "
                      << "(se respaldan como ~NOMBRE)\n";
            return kExitFailed;
        }
    }
    Engine e;
    if (!Open(e, data, dic)) return kExitFailed;
    // The user chose to start the existing tables again: each is backed up by CreaTbl first
    // (CreaBD itself leaves existing tables alone).
    for (const auto& t : d.tablas) {
        if (t.Calculado != "N" || t.Nombre.empty() || !db::TableFileExists(data, tablemaint::NombreArchivo(t)))
            continue;
        const std::string name = TableFileName(data, tablemaint::NombreArchivo(t));
        if (e.obj->CreaTbl(name.c_str(), t.Numero) != 0) {
            std::cerr << "razir tables: No se pudo crear \"" << name << "\": " << e.obj->UltimoError() << "\n";
            return kExitFailed;
        }
    }
    e.obj->AsociaTabla(true);
    int r = e.obj->CreaBD();
    if (r != 0) {
        std::cerr << "razir tables: " << e.obj->UltimoError() << "\n";
        return kExitFailed;
    }
    int n = 0;
    for (const auto& t : d.tablas) n += t.Calculado == "N" && !t.Nombre.empty();
    std::cout << "Se crearon " << n << " tablas en " << data << "\n";
    if (!existing.empty())
        std::cout << existing.size() << " tablas existentes se respaldaron como ~NOMBRE antes de crearlas de nuevo\n";
    return kExitDone;
}

// Every "*.db" file of the folder but backups ("~") and the engine's own tables ("VLM").
std::vector<std::string> TableFiles(const std::string& data) {
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(data)) {
        const std::string name = entry.path().filename().string();
        std::string upper = name;
        for (auto& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
        if (entry.is_regular_file() && upper.size() > 3 && upper.substr(upper.size() - 3) == ".DB" &&
            name[0] != '~' && upper.rfind("VLM", 0) != 0)
            out.push_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
}

int Verify(const std::vector<std::string>& args) {
    if (args.empty()) return std::cerr << kUso, kExitUsage;
    const std::string data = args[0];
    Engine e;
    if (!Open(e, data, data)) return kExitFailed;
    std::vector<std::string> names;
    for (auto it = args.begin() + 1; it != args.end(); ++it) names.push_back(TableFileName(data, *it));
    if (names.empty()) {
        tablemaint::Diccionario d;
        if (db::TableFileExists(data, kTablasDic)) {
            if (!ReadDictionary(data, d)) return kExitFailed;
            names = DictionaryFiles(data, d);
        } else {
            names = TableFiles(data);  // a folder without a dictionary: every table file
        }
        // Nothing checked is no verdict: success would tell the user the tables are sound.
        if (names.empty()) {
            std::cerr << "razir tables: no hay tablas que verificar en " << data << "\n";
            return kExitFailed;
        }
    }
    const std::string errTable = shell::TempFolder() + "VLMVERIF.DB";
    int worst = kExitDone;
    for (const auto& name : names) {
        int r = e.obj->VerificaTbl(name.c_str(), errTable.c_str(), "");
        if (r == 6) {
            std::cout << name << ": no existe\n";
            worst = kExitFailed;
            continue;
        }
        if (r == -1) {
            std::cout << name << ": no se pudo verificar: " << e.obj->UltimoError() << "\n";
            worst = kExitFailed;
            continue;
        }
        std::cout << name << ": nivel de error " << r << (r == 0 ? " (sin errores)" : "") << "\n";
        if (r != 0) worst = kExitFailed;
        // The findings are in the error table; list them.
        for (const auto& line : tablemaint::LeeTablaErrores(errTable))
            std::cout << "  código " << line.codigo << " (nivel " << line.nivel << "): " << line.mensaje << "\n";
    }
    return worst;
}

int Rebuild(const std::vector<std::string>& args) {
    if (args.size() != 2) return std::cerr << kUso, kExitUsage;
    const std::string data = Slash(args[0]);
    Engine e;
    if (!Open(e, data, data)) return kExitFailed;
    const std::string name = TableFileName(data, args[1]);
    const std::string err = shell::TempFolder() + "VLMVERIF.DB";
    // The engine never overwrites these: it numbers the backup and names the side tables
    // after the table (the names it used come back in the summary).
    const std::string backup = data + "~" + name, problem = data + "VLMPRBLM.DB", keys = data + "VLMKEYVL.DB";
    int r = e.obj->RecuperaTbl(name.c_str(), err.c_str(), backup.c_str(), problem.c_str(), keys.c_str(), "");
    auto s = e.obj->UltimaRecuperacion();
    switch (r) {
    case 0:
        std::cout << name << ": recuperada, " << s.filasGuardadas << " registros conservados; respaldo en "
                  << s.respaldo << "\n";
        return kExitDone;
    case tablemaint::kRecuperadaConApartados:
        std::cout << name << ": recuperada, " << s.filasGuardadas << " registros conservados; "
                  << s.problemas << " datos ilegibles apartados en " << s.tablaProblemas << " y " << s.violaciones
                  << " registros con llave repetida en " << s.tablaViolaciones << "; respaldo en " << s.respaldo
                  << "\n";
        return kExitFailed;
    case 6: std::cerr << "razir tables: no existe la tabla " << name << "\n"; return kExitFailed;
    default:
        std::cerr << "razir tables: no se pudo recuperar " << name << " (resultado " << r << "): "
                  << e.obj->UltimoError() << "\n";
        return kExitFailed;
    }
}

int Reindex(const std::vector<std::string>& args) {
    if (args.size() < 2 || args.size() > 3) return std::cerr << kUso, kExitUsage;
    const std::string data = args[0], name = args[1];
    Engine e;
    if (!Open(e, data, data)) return kExitFailed;
    std::vector<std::string> indexes;
    if (args.size() == 3) {
        indexes.push_back(args[2]);
    } else {
        tablemaint::Diccionario d;
        if (!ReadDictionary(data, d)) return kExitFailed;
        for (const auto& t : d.tablas)
            if (db::SameName(tablemaint::NombreArchivo(t), name) || db::SameName(t.Nombre, db::TableStem(name)))
                for (const auto* c : d.Registros(t.Numero, "I")) indexes.push_back(c->Nombre);
        if (indexes.empty()) {
            std::cerr << "razir tables: el diccionario no declara índices de " << name << "\n";
            return kExitFailed;
        }
    }
    int worst = kExitDone;
    for (const auto& idx : indexes) {
        int r = e.obj->RegeneraIdx(name.c_str(), idx.c_str());
        if (r == 0) {
            std::cout << name << ": índice " << idx << " regenerado\n";
        } else {
            std::cerr << "razir tables: no se pudo regenerar el índice " << idx << " de " << name
                      << (r == tablemaint::kOcupadoIdx ? " (el archivo está ocupado por otro programa)" : "")
                      << ": " << e.obj->UltimoError() << "\n";
            worst = kExitFailed;
        }
    }
    return worst;
}

struct Setting {
    const char* entrada;
    int (VlmCtlArch::*get)(char*);
    int (VlmCtlArch::*set)(char*);
};
constexpr Setting kSettings[] = {
    {"LOCAL SHARE", &VlmCtlArch::GetLocalShare, &VlmCtlArch::SetLocalShare},
    {"NET DIR", &VlmCtlArch::GetNetDir, &VlmCtlArch::SetNetDir},
    {"LANGDRIVER", &VlmCtlArch::GetLangDriver, &VlmCtlArch::SetLangDriver},
    {"LEVEL", &VlmCtlArch::GetLevel, &VlmCtlArch::SetLevel},
};

bool ValidSetting(VlmCtlArch& e, const std::string& entry, const std::string& value) {
    if (entry == "LOCAL SHARE") return value == "TRUE" || value == "FALSE";
    if (entry == "LEVEL") return value.size() == 1 && value[0] >= '4' && value[0] <= '7';
    if (entry == "NET DIR") return value.empty() || IsFolder(value);
    tablemaint::ListaLD list;
    e.GetListaLD(&list);
    for (const auto& ld : list)
        if (ld.nombre == value) return true;
    return false;
}

int Settings(const std::vector<std::string>& args) {
    if (args.size() > 2) return std::cerr << kUso, kExitUsage;
    std::unique_ptr<VlmCtlArch, int (*)(VlmCtlArch*)> e(CreaVlmCtlArch(), DestruyeVlmCtlArch);
    if (!e) return kExitFailed;
    if (args.empty()) {
        std::cout << "Archivo: " << tablemaint::RutaConfiguracion() << "\n";
        for (const auto& s : kSettings) {
            char buf[260] = {};
            ((*e).*s.get)(buf);
            std::cout << s.entrada << "=" << buf << "\n";
        }
        tablemaint::ListaLD list;
        e->GetListaLD(&list);
        std::cout << "Controladores de idioma:\n";
        for (const auto& ld : list) std::cout << "  " << ld.nombre << "\t" << ld.descripcion << "\n";
        return kExitDone;
    }
    std::string entry = args[0];
    for (auto& c : entry) c = char(std::toupper(static_cast<unsigned char>(c)));
    for (const auto& s : kSettings) {
        if (entry != s.entrada) continue;
        char buf[260] = {};
        if (args.size() == 1) {
            ((*e).*s.get)(buf);
            std::cout << buf << "\n";
            return kExitDone;
        }
        if (!ValidSetting(*e, entry, args[1])) {
            std::cerr << "razir tables: valor no válido para " << entry << ": \"" << args[1] << "\"\n";
            return kExitFailed;
        }
        tablemaint::CopiaTexto(buf, sizeof buf, args[1]);
        if (!((*e).*s.set)(buf)) {
            std::cerr << "razir tables: no se pudo escribir " << entry << " en " << tablemaint::RutaConfiguracion()
                      << " (el disco está lleno o no hay permiso de escritura); el archivo quedó como estaba\n";
            return kExitFailed;
        }
        std::cout << entry << "=" << args[1] << "\n"
                  << "Los programas que usan las tablas deben reiniciarse para que el cambio tome efecto\n";
        return kExitDone;
    }
    std::cerr << "razir tables: entrada desconocida \"" << args[0]
              << "\"; las entradas son LOCAL SHARE, NET DIR, LANGDRIVER y LEVEL\n";
    return kExitUsage;
}

}  // namespace

int RunTables(const std::vector<std::string>& args) {
    if (args.empty()) return std::cerr << kUso, kExitUsage;
    std::vector<std::string> rest(args.begin() + 1, args.end());
    const std::string& sub = args[0];
    if (sub == "--help" || sub == "-h") return std::cout << kUso, kExitDone;
    if (sub == "create") return Create(rest);
    if (sub == "verify") return Verify(rest);
    if (sub == "rebuild") return Rebuild(rest);
    if (sub == "reindex") return Reindex(rest);
    if (sub == "settings") return Settings(rest);
    std::cerr << "razir tables: orden desconocida \"" << sub << "\"\n" << kUso;
    return kExitUsage;
}

}  // namespace razir
