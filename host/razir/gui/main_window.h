// The main window of `razir gui`: the reports in menus grouped as the product groups them,
// each entry calling its export of libReportes.so as the host does (P1 the current store,
// P2 its description, P3 false), the file-control dialog under "Archivo", and the current
// store and company shown below the menu.
// A form of the component model: whichever driver is current shows it.
// Not here: the table of reports (report_menu.h) or the desktop driver (platform/5_desktop).
#pragma once

#include <functional>
#include <string>

#include "host/razir/gui/report_menu.h"
#include "platform/2_vcl/form.h"
#include "platform/2_vcl/menus.h"
#include "platform/2_vcl/panels.h"

namespace razir::gui {

// How the current driver gives a form its menu bar (the desktop driver's SetMainMenu); empty
// under the script driver, whose forms need none.
using MuestraMenu = std::function<void(vcl::TForm&, vcl::TMenuItem&)>;

class TfrmRazir : public vcl::TForm {
public:
    // `library` gives the exports; an entry whose export it lacks is disabled.
    TfrmRazir(vcl::TComponent* owner, ReportLibrary& library, std::string store, std::string storeName,
              std::string company, std::string libraryError = {});

    // The root of the menu bar: one item per group, then "Archivo".
    vcl::TMenuItem& MenuRoot() { return *mnuPrincipal; }
    // The menu item of an export (named "mnu" + export), nullptr when none.
    vcl::TMenuItem* ItemOf(std::string_view exportName) const;

    // Calls the report's export with the current store.
    void RunReport(const ReportEntry& entry);
    // The file-control dialog over the data folder ("RazirWin10") and the data dictionary
    // kept there (VlmTablas.DB, VlmCampos.DB); without the dictionary, a message says so.
    void ControlArchivos();

    vcl::TMenuItem* mnuPrincipal;
    vcl::TMenuItem* mnuArchivo;
    vcl::TMenuItem* mnuControlArchivos;
    vcl::TMenuItem* mnuFormatos;
    vcl::TMenuItem* mnuSalir;
    vcl::TLabel* lblEmpresa;
    vcl::TLabel* lblTienda;
    vcl::TLabel* lblEstado;
    // Given to the format editor that "Formatos de nota" opens.
    MuestraMenu muestraMenu;

private:
    ReportLibrary& library_;
    std::string store_;
    std::string storeName_;
};

// The note format editor over the sample sale, opening `archivo` when given, with the
// installation's Formatos/ as its folder; modal. `muestraMenu` gives its window the menu bar.
void EditarFormato(const std::string& archivo, const MuestraMenu& muestraMenu = {});

}  // namespace razir::gui
