// `razir gui`: the desktop program. The window and the Qt driver live in a module beside the
// program (librazir_desktop.so) loaded here with dlopen, so the other commands never load Qt.
// Not here: the window (gui/main_window.*) or what the module runs (gui/desktop_entry.cpp).
#include <dlfcn.h>

#include <iostream>

#include "host/razir/commands.h"
#include "host/razir/gui/desktop_entry.h"
#include "platform/2_shell/folders.h"

namespace razir {

namespace {

const char kUso[] =
    "Uso: razir gui [--captura ARCHIVO.png]\n"
    "Abre la ventana principal con los reportes en sus menús. La instalación se busca en\n"
    "RAZIR_HOME o junto al programa; con --captura escribe la imagen de la ventana y termina.\n";

}  // namespace

void* DesktopSymbol(const char* symbol, const char* command) {
    const std::string path = shell::ProgramFolder() + kDesktopModule;
    // Kept loaded to the end of the process: Qt's own exit handlers live in the module.
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        std::cerr << command << ": no se pudo cargar la parte de escritorio (" << path
                  << "): " << ::dlerror()
                  << "\nSe construye con: cmake --build build --target razir_desktop\n";
        return nullptr;
    }
    void* found = ::dlsym(module, symbol);
    if (!found) std::cerr << command << ": " << path << " no tiene " << symbol << "\n";
    return found;
}

int RunGui(const std::vector<std::string>& args) {
    std::string picture;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            std::cout << kUso;
            return kExitDone;
        }
        if (args[i] == "--captura" && i + 1 < args.size()) {
            picture = args[++i];
            continue;
        }
        std::cerr << kUso;
        return kExitUsage;
    }

    auto run = reinterpret_cast<RazirDesktopMainFn>(DesktopSymbol(kDesktopEntry, "razir gui"));
    if (!run) return kExitFailed;
    return run(picture.c_str());
}

}  // namespace razir
