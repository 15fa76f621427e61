// `razir gui`: the desktop program. Loads the installation, opens libReportes.so beside the
// program and shows the main window with the report menus through the desktop driver.
// Not here: the window itself (gui/main_window.*) or the driver (platform/vcl/qt).
#include <iostream>

#include "host/razir/commands.h"
#include "host/razir/gui/main_window.h"
#include "host/velmor/installation.h"
#include "host/velmor/session.h"
#include "platform/shell/folders.h"
#include "platform/vcl/application.h"
#include "platform/vcl/qt/desktop_driver.h"

namespace razir {

namespace {

const char kUso[] =
    "Uso: razir gui [--captura ARCHIVO.png]\n"
    "Abre la ventana principal con los reportes en sus menús. La instalación se busca en\n"
    "RAZIR_HOME o junto al programa; con --captura escribe la imagen de la ventana y termina.\n";

}  // namespace

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

    velmor::Installation inst = velmor::Installation::Load(velmor::FindInstallationFolder());
    if (!inst.ConfigFound)
        std::cerr << "razir gui: no se encontró " << inst.ConfigFile << "; se usan los valores por omisión\n";
    for (const std::string& w : inst.Warnings) std::cerr << "razir gui: " << w << "\n";
    velmor::OpenSession(inst);

    vcl::qt::DesktopDriver driver;
    vcl::DriverScope scope(driver);
    gui::SharedReportLibrary library(shell::ProgramFolder() + "libReportes.so");
    if (!library.Error().empty()) std::cerr << "razir gui: " << library.Error() << "\n";
    const velmor::TRazirConfig& config = inst.Config;
    vcl::FreePtr<gui::TfrmRazir> form(vcl::Create<gui::TfrmRazir>(
        nullptr, library, config.TiendaActual, config.GetDescripcionTienda(), config.NomEmpresa,
        library.Error().empty() ? "" : "no se encontró libReportes.so junto al programa."));
    vcl::Application->SetMainForm(form.get());
    driver.SetMainMenu(*form, form->MenuRoot());
    form->Show();
    if (!picture.empty()) {
        if (!driver.SavePicture(form.get(), picture)) {
            std::cerr << "razir gui: no se pudo escribir " << picture << "\n";
            return kExitFailed;
        }
        return kExitDone;
    }
    driver.Run(*form);
    return kExitDone;
}

}  // namespace razir
