// The lookup window: a search edit, the dataset as the list of a lookup control, two buttons.
#include "host/tolmabase/consultas.h"

#include <algorithm>

#include "platform/4_adapters/db/list_source.h"
#include "platform/2_db/query.h"
#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/dblookup.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/panels.h"

namespace tolmabase {
namespace {

std::string Join(const std::vector<std::string>& parts, const char* sep) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? sep : "") + parts[i];
    return out;
}

class TfrmConsulta : public vcl::TForm {
public:
    TfrmConsulta(vcl::TComponent* owner, db::TDataSet& ds, const std::vector<std::string>& campos,
                 const std::vector<std::string>& titulos, const std::string& titulo, const std::string& clave)
        : vcl::TForm(owner), ds_(ds), lista_(ds), campos_(campos), clave_(clave) {
        SetName(kConsultaForm);
        SetCaption(titulo);
        SetBorderStyle(vcl::bsDialog);
        SetPosition(vcl::poScreenCenter);
        SetKeyPreview(true);
        lblBuscar = vcl::NewControl<vcl::TLabel>(this, "lblBuscar");
        lblBuscar->SetCaption("&Buscar");
        edtBuscar = vcl::NewControl<vcl::TEdit>(this, kConsultaBuscar);
        lblBuscar->SetFocusControl(edtBuscar);
        lblTitulos = vcl::NewControl<vcl::TLabel>(this, "lblTitulos");
        lblTitulos->SetCaption(Join(titulos, " | "));
        lkcmbConsulta = vcl::NewControl<vcl::TDBLookupComboBox>(this, kConsultaLista);
        lkcmbConsulta->SetKeyField(clave);
        lkcmbConsulta->SetListField(Join(campos, ";"));
        lkcmbConsulta->SetListSource(&lista_);
        btnAceptar = vcl::NewControl<vcl::TBitBtn>(this, kConsultaAceptar);
        btnAceptar->SetCaption("&Aceptar");
        btnAceptar->SetDefault(true);
        btnAceptar->SetModalResult(vcl::mrOk);
        btnCancelar = vcl::NewControl<vcl::TBitBtn>(this, kConsultaCancelar);
        btnCancelar->SetCaption("&Cancelar");
        btnCancelar->SetCancel(true);
        btnCancelar->SetModalResult(vcl::mrCancel);
        edtBuscar->OnChange = [this](vcl::TObject*) { Buscar(edtBuscar->Text()); };
        OnKeyDown = [this](vcl::TObject*, vcl::WORD& key, vcl::TShiftState) {
            if (key == vcl::VK_ESCAPE && !lkcmbConsulta->DroppedDown()) SetModalResult(vcl::mrCancel);
        };
    }

    std::string Elegido() const { return lkcmbConsulta->KeyValue(); }

    vcl::TLabel *lblBuscar, *lblTitulos;
    vcl::TEdit* edtBuscar;
    vcl::TDBLookupComboBox* lkcmbConsulta;
    vcl::TBitBtn *btnAceptar, *btnCancelar;

private:
    // The first record whose key, or else whose second listed field, begins with the text.
    void Buscar(const std::string& texto) {
        if (texto.empty()) return;
        const db::TLocateOptions parcial{true, true};
        std::vector<std::string> donde{clave_};
        if (campos_.size() > 1) donde.push_back(campos_[1] == clave_ ? campos_[0] : campos_[1]);
        for (const auto& campo : donde) {
            if (ds_.Locate(campo, {db::Value(texto)}, parcial)) {
                lkcmbConsulta->SetKeyValue(ds_.FieldByName(clave_).AsString());
                return;
            }
        }
    }

    db::TDataSet& ds_;
    db::TDataSetListSource lista_;
    std::vector<std::string> campos_;
    std::string clave_;
};

// Puts the dataset back as the caller had it, whatever happens in the window.
class Restaurar {
public:
    explicit Restaurar(db::TDataSet& ds) : ds_(ds), filtro_(ds.Filter()), filtrado_(ds.Filtered()), activo_(ds.Active()) {}
    ~Restaurar() {
        try {
            if (ds_.Filter() != filtro_) ds_.SetFilter(filtro_);
            if (ds_.Filtered() != filtrado_) ds_.SetFiltered(filtrado_);
            if (!activo_) ds_.Close();
        } catch (...) {
            // Restoring a filter that was valid before cannot fail; never throw from here.
        }
    }

private:
    db::TDataSet& ds_;
    std::string filtro_;
    bool filtrado_, activo_;
};

}  // namespace

bool Consultas(vcl::TForm* owner, db::TDataSet& dataset, velmor::TVlmEdit* destino,
               const std::vector<std::string>& campos, const std::vector<std::string>& titulos,
               const std::string& titulo, const std::string& filtro, const std::string& campoClave,
               std::string* resultado) {
    Restaurar restaurar(dataset);
    if (!dataset.Active()) dataset.Open();
    if (!filtro.empty()) {
        dataset.SetFilter(filtro);
        dataset.SetFiltered(true);
    }
    vcl::FreePtr<TfrmConsulta> form(vcl::Create<TfrmConsulta>(owner, dataset, campos, titulos, titulo, campoClave));
    const vcl::TModalResult r = form->ShowModal();
    const std::string clave = form->Elegido();
    if (r != vcl::mrOk || clave.empty()) return false;
    if (destino) destino->SetText(clave);
    if (resultado) *resultado = clave;
    return true;
}

bool HelpInve(velmor::TVlmEdit* destino, const std::string& tienda) {
    db::TQuery q;
    q.Name = "qryHelpInve";
    q.DatabaseName = "RazirWin10";
    if (tienda.empty()) {
        q.SQL.Add("Select Producto, Descripcio, PrecioP, Existencia From CatInven Order By Producto");
    } else {
        // The store goes in as a parameter, never pasted into the SQL text.
        q.SQL.Add("Select C.Producto, C.Descripcio, C.PrecioP, E.Existencia");
        q.SQL.Add("From CatInven C Left Join Exist E On E.Producto = C.Producto And E.Tienda = :Tienda");
        q.SQL.Add("Order By C.Producto");
        q.ParamByName("Tienda").SetAsString(tienda);
    }
    return Consultas(destino ? vcl::GetParentForm(destino) : nullptr, q, destino,
                     {"Producto", "Descripcio", "PrecioP", "Existencia"},
                     {"Clave", "Descripción", "Precio", "Existencia"}, "Consulta de inventario", "", "Producto",
                     nullptr);
}

}  // namespace tolmabase
