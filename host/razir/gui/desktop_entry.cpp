// The desktop program as a module that `razir gui` loads with dlopen: the only part of razir
// that links Qt, so every other command starts without the Qt libraries.
// Not here: the command line of `razir gui` (cmd_gui.cpp), the window (main_window.*) or the
// driver (platform/5_desktop).
#include <iostream>
#include <string>

#include "host/razir/gui/desktop_entry.h"
#include "host/razir/gui/main_window.h"
#include "host/velmor/installation.h"
#include "host/velmor/session.h"
#include "platform/2_shell/folders.h"
#include "platform/2_vcl/application.h"
#include "platform/5_desktop/desktop_driver.h"

namespace {

velmor::Installation AbreInstalacion(const char* orden) {
    velmor::Installation inst = velmor::Installation::Load(velmor::FindInstallationFolder());
    if (!inst.ConfigFound)
        std::cerr << orden << ": no se encontró " << inst.ConfigFile
                  << "; se usan los valores por omisión\n";
    for (const std::string& w : inst.Warnings) std::cerr << orden << ": " << w << "\n";
    velmor::OpenSession(inst);
    return inst;
}

razir::gui::MuestraMenu MenuDelEscritorio(vcl::qt::DesktopDriver& driver) {
    return [&driver](vcl::TForm& form, vcl::TMenuItem& raiz) { driver.SetMainMenu(form, raiz); };
}

}  // namespace

extern "C" int RazirDesktopEditor(const char* formato) noexcept {
    try {
        AbreInstalacion("razir note");
        vcl::qt::DesktopDriver driver;
        vcl::DriverScope scope(driver);
        razir::gui::EditarFormato(formato ? formato : "", MenuDelEscritorio(driver));
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "razir note: " << e.what() << "\n";
        return 1;
    }
}

extern "C" int RazirDesktopMain(const char* picture) noexcept {
    // No exception crosses the module's boundary: the caller sees an exit code.
    try {
        velmor::Installation inst = AbreInstalacion("razir gui");

        vcl::qt::DesktopDriver driver;
        vcl::DriverScope scope(driver);
        razir::gui::SharedReportLibrary library(shell::ProgramFolder() + "libReportes.so");
        if (!library.Error().empty()) std::cerr << "razir gui: " << library.Error() << "\n";
        const velmor::TRazirConfig& config = inst.Config;
        vcl::FreePtr<razir::gui::TfrmRazir> form(vcl::Create<razir::gui::TfrmRazir>(
            nullptr, library, config.TiendaActual, config.GetDescripcionTienda(), config.NomEmpresa,
            library.Error().empty() ? "" : "no se encontró libReportes.so junto al programa."));
        form->muestraMenu = MenuDelEscritorio(driver);
        vcl::Application->SetMainForm(form.get());
        driver.SetMainMenu(*form, form->MenuRoot());
        form->Show();
        if (picture && *picture) {
            if (!driver.SavePicture(form.get(), picture)) {
                std::cerr << "razir gui: no se pudo escribir " << picture << "\n";
                return 1;
            }
            return 0;
        }
        driver.Run(*form);
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "razir gui: " << e.what() << "\n";
        return 1;
    }
}
