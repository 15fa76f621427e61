// Finding and loading outside libraries by name.
#include "reports/framework/plugins.h"

#include <dlfcn.h>

#include <filesystem>
#include <map>
#include <memory>

#include "host/velmor/installation.h"
#include "platform/2_db/names.h"
#include "platform/2_shell/folders.h"

namespace reportes {
namespace {

namespace fs = std::filesystem;

// The file of `nombre` in `carpeta`, its case as the folder spells it; "" when absent.
std::string Busca(const std::string& carpeta, const std::string& nombre) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(carpeta, ec)) {
        if (db::SameName(e.path().filename().string(), nombre) && e.is_regular_file(ec)) return e.path().string();
    }
    return {};
}

std::vector<std::string> CarpetasPorOmision() {
    std::vector<std::string> out{shell::ProgramFolder()};
    if (const velmor::Installation* inst = velmor::CurrentInstallation()) out.push_back(inst->Folder);
    return out;
}

}  // namespace

std::vector<std::string> NombresDeBiblioteca(std::string_view nombre) {
    const fs::path p{std::string(nombre)};
    const std::string raiz = p.stem().string();
    return {std::string(nombre), raiz + ".so", "lib" + raiz + ".so"};
}

TBiblioteca::TBiblioteca(std::string_view nombre, std::vector<std::string> carpetas) {
    if (carpetas.empty()) carpetas = CarpetasPorOmision();
    for (const auto& carpeta : carpetas) {
        for (const auto& archivo : NombresDeBiblioteca(nombre)) {
            const std::string ruta = Busca(carpeta, archivo);
            if (ruta.empty()) continue;
            handle_ = ::dlopen(ruta.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (handle_) {
                archivo_ = ruta;
                return;
            }
            const char* por = ::dlerror();
            error_ = "No se pudo cargar \"" + ruta + "\"" + (por ? std::string(": ") + por : std::string());
            return;
        }
    }
    error_ = "No se encontró la biblioteca \"" + std::string(nombre) + "\"";
}

TBiblioteca::~TBiblioteca() {
    if (handle_) ::dlclose(handle_);
}

void* TBiblioteca::Simbolo(std::string_view simbolo) const {
    if (!handle_) return nullptr;
    return ::dlsym(handle_, std::string(simbolo).c_str());
}

// Reports run on the user-interface thread only, so the table needs no lock.
const TBiblioteca& BibliotecaDelProceso(std::string_view nombre) {
    static std::map<std::string, std::unique_ptr<TBiblioteca>> cargadas;
    auto& b = cargadas[db::FoldName(std::string(nombre))];
    if (!b) b = std::make_unique<TBiblioteca>(nombre);
    return *b;
}

}  // namespace reportes
