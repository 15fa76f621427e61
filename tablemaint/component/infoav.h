// TdlgInfoAv, the information dialog: the records that the last verification wrote into its
// error table, one grid row each. Opened by the file-control dialog's "&Ver Errores".
// Not here: the verification itself (the engine).
#pragma once

#include "platform/vcl/buttons.h"
#include "platform/vcl/panels.h"
#include "tablemaint/component/grids.h"

namespace tablemaint {

class TdlgInfoAv : public vcl::TForm {
public:
    // Mode 0: the verification result (the only mode in use).
    TdlgInfoAv(vcl::TComponent* AOwner, int modo);
    ~TdlgInfoAv() override;

    int Modo() const { return modo_; }

    vcl::TPanel* Panel1;
    vcl::TLabel* LbStirng1;
    vcl::TStringGrid* sgUnico;
    vcl::TLabel* lbString2;
    vcl::TStringGrid* sgDos;
    vcl::TBitBtn* BitBtn1;
    vcl::TBitBtn* BitBtn2;

private:
    // Reads the error table into the grid; the data layer's error (table held elsewhere)
    // reaches the caller.
    void FormShow(vcl::TObject* Sender);
    int modo_;
};

// The dialog while it is shown; nullptr otherwise.
extern TdlgInfoAv* dlgInfoAv;

}  // namespace tablemaint
