// The text-item dialog. In data-field mode the entry equal to the item's caption is chosen,
// first among the header fields, then the detail fields; choosing in one list clears the other.
#include "notes/editor/labprop.h"

#include "notes/editor/dialogos.h"
#include "platform/2_vcl/component.h"

namespace notix::editor {

namespace {

const char kCaptionTexto[] = "Etiqueta";
const char kCaptionCampos[] = "Campos";


int Indice(const std::vector<std::string>& lista, const std::string& s) {
    for (std::size_t i = 0; i < lista.size(); ++i)
        if (lista[i] == s) return static_cast<int>(i);
    return -1;
}

int Elegido(const vcl::TTreeView* lista) {
    return lista->Selected() ? lista->Selected()->AbsoluteIndex() : -1;
}

}  // namespace

TVlmLabelPropertyForm::TVlmLabelPropertyForm(vcl::TComponent* owner, const TElemento& item, bool campoDeDatos,
                                             const TListasDeCampos& campos, std::vector<std::string> fuentes)
    : vcl::TForm(owner), campoDeDatos_(campoDeDatos), campos_(campos), fuentes_(std::move(fuentes)),
      fuente_(item.Fuente()), color_(item.Color()) {
    SetName("VlmLabelPropertyForm");
    SetCaption(campoDeDatos ? kCaptionCampos : kCaptionTexto);
    SetBorderStyle(vcl::bsDialog);
    SetPosition(vcl::poMainFormCenter);
    // Fixed text: the group holds one edit box and the dialog is shortened.
    const int alto = campoDeDatos ? 250 : 60;
    SetBounds(0, 0, 420, campoDeDatos ? 389 : 199);
    grpTexto = Control<vcl::TGroupBox>(this, "grpTexto", 8, 8, 396, alto);
    grpTexto->SetCaption(campoDeDatos ? "Campo" : "Texto");
    LabelCaptionEdit = Control<vcl::TEdit>(grpTexto, "LabelCaptionEdit", 10, 24, 376, 22);
    lstCampos = Control<vcl::TTreeView>(grpTexto, "lstCampos", 10, 40, 184, 200);
    lblCampos = Control<vcl::TLabel>(grpTexto, "lblCampos", 10, 20, 0, 0);
    lblCampos->SetCaption("Campos &generales:");
    lblCampos->SetFocusControl(lstCampos);
    lstCampoDetalle = Control<vcl::TTreeView>(grpTexto, "lstCampoDetalle", 202, 40, 184, 200);
    lblCampoDetalle = Control<vcl::TLabel>(grpTexto, "lblCampoDetalle", 202, 20, 0, 0);
    lblCampoDetalle->SetCaption("Campos de &detalle:");
    lblCampoDetalle->SetFocusControl(lstCampoDetalle);
    const int y = alto + 16;
    chkWordWrap = Control<vcl::TCheckBox>(this, "chkWordWrap", 8, y, 110, 20);
    chkWordWrap->SetCaption("WordWrap");
    cmbAlineacion = Control<vcl::TComboBox>(this, "cmbAlineacion", 124, y, 110, 22);
    cmbAlineacion->SetStyle(vcl::csDropDownList);
    cmbAlineacion->Items().Add("Izquierda");
    cmbAlineacion->Items().Add("Derecha");
    btnFuente = Control<vcl::TButton>(this, "btnFuente", 240, y, 80, 25);
    btnFuente->SetCaption("&Fuente...");
    btnColor = Control<vcl::TButton>(this, "btnColor", 324, y, 80, 25);
    btnColor->SetCaption("C&olor");
    btnAceptar = Control<vcl::TBitBtn>(this, "btnAceptar", 228, y + 36, 85, 25);
    btnAceptar->SetKind(vcl::bkOK);
    btnAceptar->SetCaption("&Aceptar");
    btnCancelar = Control<vcl::TBitBtn>(this, "btnCancelar", 319, y + 36, 85, 25);
    btnCancelar->SetKind(vcl::bkCancel);
    btnCancelar->SetCaption("&Cancelar");

    chkWordWrap->SetChecked(item.WordWrap());
    // Left, or right for any other alignment: the ticket knows no centring.
    cmbAlineacion->SetItemIndex(item.Alineacion() == TAlineacion::Izquierda ? 0 : 1);
    LabelCaptionEdit->SetVisible(!campoDeDatos);
    for (vcl::TControl* c : {static_cast<vcl::TControl*>(lstCampos), static_cast<vcl::TControl*>(lblCampos),
                             static_cast<vcl::TControl*>(lstCampoDetalle), static_cast<vcl::TControl*>(lblCampoDetalle)})
        c->SetVisible(campoDeDatos);
    if (!campoDeDatos) {
        LabelCaptionEdit->SetText(item.Caption());
        SetActiveControl(LabelCaptionEdit);
    } else {
        for (const auto& d : campos.descEncabezado) lstCampos->Items().Add(nullptr, d);
        for (const auto& d : campos.descDetalle) lstCampoDetalle->Items().Add(nullptr, d);
        // The bound field first: a caption edited by hand, or a description that changed,
        // must not rebind the item to the first field when the dialog is confirmed.
        int i = Indice(campos.nomEncabezado, item.NombreCampo());
        int j = i < 0 ? Indice(campos.nomDetalle, item.NombreCampo()) : -1;
        if (i < 0 && j < 0) {
            i = Indice(campos.descEncabezado, item.Caption());
            j = i < 0 ? Indice(campos.descDetalle, item.Caption()) : -1;
        }
        if (i >= 0) {
            lstCampos->SetSelected(lstCampos->Items().Item(i));
            SetActiveControl(lstCampos);
        } else if (j >= 0) {
            lstCampoDetalle->SetSelected(lstCampoDetalle->Items().Item(j));
            SetActiveControl(lstCampoDetalle);
        } else if (lstCampos->Items().Count() > 0) {
            lstCampos->SetSelected(lstCampos->Items().Item(0));
            SetActiveControl(lstCampos);
        }
        lstCampos->OnEnter = [this](vcl::TObject*) { lstCampoDetalle->SetSelected(nullptr); };
        lstCampoDetalle->OnEnter = [this](vcl::TObject*) { lstCampos->SetSelected(nullptr); };
    }
    btnFuente->OnClick = [this](vcl::TObject*) {
        if (auto f = PedirFuente(this, fuente_, fuentes_)) fuente_ = *f;
    };
    btnColor->OnClick = [this](vcl::TObject*) {
        if (auto c = PedirColor(this, color_)) color_ = *c;
    };
}

void TVlmLabelPropertyForm::Aplicar(TElemento& item) const {
    if (campoDeDatos_) {
        const int i = Elegido(lstCampos), j = Elegido(lstCampoDetalle);
        if (i >= 0 && i < static_cast<int>(campos_.nomEncabezado.size())) {
            item.SetCaption(campos_.descEncabezado[i]);
            item.SetNombreCampo(campos_.nomEncabezado[i]);
        } else if (j >= 0 && j < static_cast<int>(campos_.nomDetalle.size())) {
            item.SetCaption(campos_.descDetalle[j]);
            item.SetNombreCampo(campos_.nomDetalle[j]);
        }
        item.SetTag(1);
    } else {
        item.SetCaption(LabelCaptionEdit->Text());
    }
    item.SetWordWrap(chkWordWrap->Checked());
    item.SetAlineacion(cmbAlineacion->ItemIndex() == 1 ? TAlineacion::Derecha : TAlineacion::Izquierda);
    item.SetFuente(fuente_);
    item.SetColor(color_);
}

bool VlmEditLabelProps(TDocumento& designer, vcl::TComponent* owner, int item, bool campoDeDatos,
                       const TListasDeCampos& campos, const std::vector<std::string>& fuentes) {
    const TElemento* e = designer.Buscar(item);
    if (!e) return false;
    vcl::FreePtr<TVlmLabelPropertyForm> f(
        vcl::Create<TVlmLabelPropertyForm>(owner, *e, campoDeDatos, campos, fuentes));
    if (f->ShowModal() != vcl::mrOk) return false;
    designer.Editar(item, [&](TElemento& x) { f->Aplicar(x); });
    return true;
}

}  // namespace notix::editor
