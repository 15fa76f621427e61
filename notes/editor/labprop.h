// The text-item dialog ("Etiqueta"; "Campos" for a data field): the caption of a fixed text,
// or the header or detail field a data field prints; word wrap, alignment, font and colour.
// Confirmed, it changes the item through one undoable command of the model.
// Not here: the model (documento.*) or where the field lists come from (ntaedit.*).
#pragma once

#include <string>
#include <vector>

#include "notes/editor/documento.h"
#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/lists.h"
#include "platform/2_vcl/panels.h"
#include "platform/2_vcl/treeview.h"

namespace notix::editor {

struct TListasDeCampos {
    std::vector<std::string> descEncabezado, descDetalle, nomEncabezado, nomDetalle;
};

class TVlmLabelPropertyForm : public vcl::TForm {
public:
    TVlmLabelPropertyForm(vcl::TComponent* owner, const TElemento& item, bool campoDeDatos,
                          const TListasDeCampos& campos, std::vector<std::string> fuentes);

    // The dialog's choices applied to an item.
    void Aplicar(TElemento& item) const;

    vcl::TGroupBox* grpTexto;
    vcl::TEdit* LabelCaptionEdit;
    vcl::TLabel* lblCampos;
    vcl::TTreeView* lstCampos;
    vcl::TLabel* lblCampoDetalle;
    vcl::TTreeView* lstCampoDetalle;
    vcl::TCheckBox* chkWordWrap;
    vcl::TComboBox* cmbAlineacion;
    vcl::TBitBtn* btnAceptar;
    vcl::TBitBtn* btnCancelar;
    vcl::TButton* btnFuente;
    vcl::TButton* btnColor;

private:
    bool campoDeDatos_;
    const TListasDeCampos& campos_;
    std::vector<std::string> fuentes_;
    TFuente fuente_;
    int color_;
};

// True when confirmed; the item is then changed in `designer`.
bool VlmEditLabelProps(TDocumento& designer, vcl::TComponent* owner, int item, bool campoDeDatos,
                       const TListasDeCampos& campos, const std::vector<std::string>& fuentes);

}  // namespace notix::editor
