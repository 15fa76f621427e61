// The information dialog's grid, filled from the error table through the data layer.
#include "tablemaint/component/infoav.h"

#include "platform/2_db/table.h"
#include "tablemaint/component/frmconta.h"

namespace tablemaint {

TdlgInfoAv* dlgInfoAv = nullptr;

TdlgInfoAv::TdlgInfoAv(vcl::TComponent* AOwner, int modo) : vcl::TForm(AOwner), modo_(modo) {
    using namespace vcl;
    SetName("dlgInfoAv");
    SetCaption("Información Avanzada");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    Panel1 = NewControl<TPanel>(this, "Panel1");
    Panel1->SetBounds(0, 0, 600, 300);
    LbStirng1 = NewControl<TLabel>(Panel1, "LbStirng1");
    sgUnico = NewControl<TStringGrid>(Panel1, "sgUnico");
    sgUnico->SetFixedCols(0);
    sgUnico->SetDefaultRowHeight(15);
    sgUnico->SetOptions(sgUnico->Options() | goColSizing | goRangeSelect);
    lbString2 = NewControl<TLabel>(Panel1, "lbString2");
    sgDos = NewControl<TStringGrid>(Panel1, "sgDos");
    BitBtn1 = NewControl<TBitBtn>(this, "BitBtn1");
    BitBtn1->SetCaption("&Salir");
    BitBtn1->SetModalResult(mrOk);
    BitBtn2 = NewControl<TBitBtn>(this, "BitBtn2");
    BitBtn2->SetKind(bkHelp);
    BitBtn2->SetCaption("&Aceptar");
    OnShow = [this](TObject* s) { FormShow(s); };
    dlgInfoAv = this;
}

TdlgInfoAv::~TdlgInfoAv() {
    if (dlgInfoAv == this) dlgInfoAv = nullptr;
}

void TdlgInfoAv::FormShow(vcl::TObject*) {
    // Mode 0 covers the second grid.
    lbString2->SetVisible(modo_ != 0);
    sgDos->SetVisible(modo_ != 0);
    db::TTable errors;
    errors.TableName = CarpetaTemporal() + "VLMVERIF.DB";
    errors.Exclusive = true;
    errors.Open();
    LbStirng1->SetCaption("Resultado de la verificación");
    sgUnico->SetBounds(0, 23, Panel1->Width(), Panel1->Height() - 23);
    sgUnico->SetColCount(5);
    sgUnico->SetRowCount(2);
    sgUnico->SetFixedRows(1);
    const char* headings[] = {"Tabla", "Código", "Nivel", "Error", "Fecha"};
    anchos_ = {100, 40, 40, 140, 120};
    for (int c = 0; c < 5; ++c) sgUnico->SetCells(c, 0, headings[c]);
    int row = 1;
    for (errors.First(); !errors.Eof(); errors.Next(), ++row) {
        if (row > 1) sgUnico->SetRowCount(row + 1);
        auto f = [&](const char* name) { return errors.FieldByName(name).AsString(); };
        sgUnico->SetCells(0, row, f("Drive") + f("Directory") + f("Table Name") + f("Extension"));
        sgUnico->SetCells(1, row, f("Error Code"));
        sgUnico->SetCells(2, row, f("Error Level"));
        sgUnico->SetCells(3, row, f("Error Message"));
        sgUnico->SetCells(4, row, f("Date") + " " + f("Time"));
        // The last record decides the width of the name column.
        int chars = 0;
        for (unsigned char ch : sgUnico->Cells(0, row)) chars += (ch & 0xC0) != 0x80;
        anchos_[0] = 6 * chars;
    }
    errors.Close();
}

}  // namespace tablemaint
