// Test fixtures of the component model: a list source over rows in memory and a small
// criteria dialog wired as the report dialogs wire theirs (key preview with Escape, help,
// a date range whose Exit handler rejects an inverted range).
#pragma once

#include <string>
#include <vector>

#include "platform/2_vcl/application.h"
#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/dblookup.h"
#include "platform/2_vcl/dialogs.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/lists.h"

namespace vcl::testing {

class MemoryListSource : public ListDataSource {
public:
    MemoryListSource(std::vector<std::string> fields, std::vector<std::vector<std::string>> rows)
        : fields_(std::move(fields)), rows_(std::move(rows)) {}
    void First() override { pos_ = 0; }
    void Next() override { ++pos_; }
    bool Eof() const override { return pos_ >= rows_.size(); }
    std::string FieldAsString(std::string_view field) const override {
        if (Eof()) return {};
        for (std::size_t i = 0; i < fields_.size(); ++i)
            if (SameName(fields_[i], field)) return rows_[pos_][i];
        return {};
    }
    bool Locate(std::string_view keyField, std::string_view value) override {
        const std::size_t was = pos_;
        for (pos_ = 0; pos_ < rows_.size(); ++pos_)
            if (FieldAsString(keyField) == value) return true;
        pos_ = was;
        return false;
    }
    std::size_t Position() const { return pos_; }

private:
    std::vector<std::string> fields_;
    std::vector<std::vector<std::string>> rows_;
    std::size_t pos_ = 0;
};

inline MemoryListSource Stores() {
    return MemoryListSource({"Tienda", "Descripcio", "Direccion"},
                            {{"01", "Centro", "Juárez 10"}, {"02", "Norte", "Hidalgo 5"}, {"03", "Sur", "Morelos 7"}});
}

// "dd/mm/yyyy" as yyyymmdd for comparing; the dialogs use the system's date conversion.
inline std::string Sortable(const std::string& date) {
    return date.size() == 10 ? date.substr(6, 4) + date.substr(3, 2) + date.substr(0, 2) : date;
}

class CriteriaDialog : public TForm {
public:
    explicit CriteriaDialog(TComponent* owner = nullptr) : TForm(owner), stores(Stores()) {
        SetName("frmPrueba");
        SetCaption("Catálogo de tiendas");
        SetBorderStyle(bsDialog);
        SetPosition(poScreenCenter);
        SetHelpContext(194);
        SetKeyPreview(true);
        lkcmbTiendas = NewControl<TDBLookupComboBox>(this, "lkcmbTiendas");
        lkcmbTiendas->SetKeyField("Tienda");
        lkcmbTiendas->SetListField("Tienda; Descripcio");
        lkcmbTiendas->SetListFieldIndex(1);
        lkcmbTiendas->SetListSource(&stores);
        edtFecDesde = NewControl<TEdit>(this, "edtFecDesde");
        edtFecHasta = NewControl<TEdit>(this, "edtFecHasta");
        edtFecDesde->SetText("01/05/2026");
        edtFecHasta->SetText("31/05/2026");
        btnPreview = NewControl<TBitBtn>(this, "btnPreview");
        btnPreview->SetCaption("&Preliminar");
        btnCancelar = NewControl<TBitBtn>(this, "btnCancelar");
        btnCancelar->SetCaption("&Cancelar");
        btnCancelar->SetModalResult(mrCancel);
        btnAyuda = NewControl<TBitBtn>(this, "btnAyuda");
        btnAyuda->SetKind(bkHelp);
        btnAyuda->SetCaption("A&yuda");

        btnPreview->OnClick = [this](TObject*) { previews++; };
        edtFecDesde->OnExit = [this](TObject* s) { FechaExit(s); };
        edtFecHasta->OnExit = [this](TObject* s) { FechaExit(s); };
        OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
            if (key != VK_ESCAPE) return;
            if (ActiveControl() == lkcmbTiendas && lkcmbTiendas->DroppedDown()) return;
            SetModalResult(mrCancel);
        };
        OnHelp = [this](WORD command, int data, bool& callHelp) {
            helpAsked.push_back(std::to_string(command) + ":" + std::to_string(data));
            callHelp = false;
            if (ctlUltimo && ctlUltimo->CanFocus()) ctlUltimo->SetFocus();
            return false;
        };
    }

    void FechaExit(TObject* sender) {
        auto* edit = static_cast<TEdit*>(sender);
        ctlUltimo = edit;
        if (ActiveControl() == btnCancelar || ActiveControl() == btnAyuda) return;
        if (Sortable(edtFecDesde->Text()) > Sortable(edtFecHasta->Text())) {
            MessageBox("La fecha inicial no debe ser mayor que la fecha final", "Advertencia", MB_OK | MB_ICONINFORMATION);
            edit->SetFocus();
        }
    }

    MemoryListSource stores;
    TDBLookupComboBox* lkcmbTiendas;
    TEdit *edtFecDesde, *edtFecHasta;
    TBitBtn *btnPreview, *btnCancelar, *btnAyuda;
    TWinControl* ctlUltimo = nullptr;
    int previews = 0;
    std::vector<std::string> helpAsked;
};

}  // namespace vcl::testing
