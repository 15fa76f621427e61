// The printer set-up dialog, a form of the component model so that the driver plays it: a
// list of destinations (the CUPS printers and "file"), the file path for "file", the number
// of copies, the first and last page to print, Aceptar and Cancelar. Headless it is cancelled; the script driver answers it.
// Not here: printing itself (printers.h).
#pragma once

#include <string>
#include <vector>

#include "platform/3_report/printers.h"
#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/form.h"
#include "platform/2_vcl/lists.h"

namespace report {

// Choices of the printer set-up.
struct PrinterSettings {
    std::string destination = kFileDestination;
    std::string filePath;  // "file" destination; empty: "<report>.pdf" in the current folder
    int copies = 1;
    // Pages to print, 1-based and inclusive; 0 leaves that end open (0 and 0: every page).
    int firstPage = 0;
    int lastPage = 0;
    bool AllPages() const { return firstPage <= 0 && lastPage <= 0; }
    bool Includes(int page) const {
        return (firstPage <= 0 || page >= firstPage) && (lastPage <= 0 || page <= lastPage);
    }
};

class TfrmPrinterSetup : public vcl::TForm {
public:
    explicit TfrmPrinterSetup(vcl::TComponent* owner);
    void Load(const std::vector<Destination>& destinations, const PrinterSettings& settings);
    PrinterSettings Settings() const;

    vcl::TComboBox* cmbImpresora;
    vcl::TEdit* edtArchivo;
    vcl::TSpinEdit* spnCopias;
    vcl::TSpinEdit* spnDesde;  // first page, 0: from the first
    vcl::TSpinEdit* spnHasta;  // last page, 0: to the last
    vcl::TButton* btnAceptar;
    vcl::TButton* btnCancelar;
};

// Shows the set-up modally; false when cancelled, and `settings` is then unchanged.
bool RunPrinterSetup(PrinterSettings& settings);

}  // namespace report
