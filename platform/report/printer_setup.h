// The printer set-up dialog, a form of the component model so that the driver plays it: a
// list of destinations (the CUPS printers and "file"), the file path for "file", the number
// of copies, Aceptar and Cancelar. Headless it is cancelled; the script driver answers it.
// Not here: printing itself (printers.h).
#pragma once

#include <string>
#include <vector>

#include "platform/report/printers.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/edits.h"
#include "platform/vcl/form.h"
#include "platform/vcl/lists.h"

namespace report {

// Choices of the printer set-up.
struct PrinterSettings {
    std::string destination = kFileDestination;
    std::string filePath;  // "file" destination; empty: "<report>.pdf" in the current folder
    int copies = 1;
};

class TfrmPrinterSetup : public vcl::TForm {
public:
    explicit TfrmPrinterSetup(vcl::TComponent* owner);
    void Load(const std::vector<Destination>& destinations, const PrinterSettings& settings);
    PrinterSettings Settings() const;

    vcl::TComboBox* cmbImpresora;
    vcl::TEdit* edtArchivo;
    vcl::TSpinEdit* spnCopias;
    vcl::TButton* btnAceptar;
    vcl::TButton* btnCancelar;
};

// Shows the set-up modally; false when cancelled, and `settings` is then unchanged.
bool RunPrinterSetup(PrinterSettings& settings);

}  // namespace report
