// TdlgInfoAv, the information dialog: the records that the last verification wrote into its
// error table, one grid row each. Opened by the file-control dialog's "&Ver Errores".
// Not here: the verification itself (the engine).
#pragma once

#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/panels.h"
#include "platform/2_vcl/grids.h"

#include <vector>

namespace tablemaint {

class TdlgInfoAv : public vcl::TForm {
public:
    // Mode 0: the verification result (the only mode in use).
    TdlgInfoAv(vcl::TComponent* AOwner, int modo);
    ~TdlgInfoAv() override;

    int Modo() const { return modo_; }
    // Widths of sgUnico's columns in pixels (the grid keeps cells only).
    int AnchoColumna(int col) const { return col >= 0 && col < int(anchos_.size()) ? anchos_[size_t(col)] : 0; }

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
    std::vector<int> anchos_;
};

// The dialog while it is shown; nullptr otherwise.
extern TdlgInfoAv* dlgInfoAv;

}  // namespace tablemaint
