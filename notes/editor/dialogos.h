// The small dialogs of the format editor, as component-model forms the script driver plays:
// choosing a file to open or save, a folder, the page ("Configurar hoja/rollo"), a font among
// the fixed-pitch faces and a colour. Each returns "" or false when cancelled.
// Not here: the text-item dialog (labprop.*) and the stored-formats dialog (fformato.*).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "notes/editor/documento.h"
#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/lists.h"
#include "platform/2_vcl/panels.h"
#include "platform/2_vcl/treeview.h"

namespace notix::editor {

// A control placed on `parent` with its name and bounds, as every dialog here builds itself.
template <class T>
T* Control(vcl::TWinControl* parent, const std::string& name, int left, int top, int width, int height) {
    T* c = vcl::NewControl<T>(parent, name);
    c->SetBounds(left, top, width, height);
    return c;
}

// The names of the files of a folder, sorted: the ".nta" ones (any case), or all of them.
std::vector<std::string> ArchivosDe(const std::string& carpeta, bool soloNta);

// The faces fontconfig lists as fixed pitch, sorted, without repeats; "Courier New" and
// "DejaVu Sans Mono" first when present.
std::vector<std::string> FuentesDeAnchoFijo();

// Open and save: the format files of a folder (filter "Notas de venta (*.nta)" or
// "Todos los archivos (*.*)") and a name typed or picked.
class TfrmArchivo : public vcl::TForm {
public:
    TfrmArchivo(vcl::TComponent* owner, const std::string& carpeta, bool guardar);
    // The full path chosen; "" when cancelled.
    std::string Elegido() const;
    void Listar();

    vcl::TLabel* lblCarpeta;
    vcl::TTreeView* lstArchivos;
    vcl::TLabel* lblNombre;
    vcl::TEdit* edtNombre;
    vcl::TComboBox* cmbFiltro;
    vcl::TBitBtn* btnAceptar;
    vcl::TBitBtn* btnCancelar;

private:
    std::string carpeta_;
};
std::string PedirArchivo(vcl::TComponent* owner, const std::string& carpeta, bool guardar);

// A folder typed ("Seleccione un directorio:").
std::string PedirCarpeta(vcl::TComponent* owner, const std::string& inicial);

// "Configurar hoja/rollo": paper, margins, the section font.
std::optional<TPagina> PedirPagina(vcl::TComponent* owner, const TPagina& actual,
                                   const std::vector<std::string>& fuentes);

std::optional<TFuente> PedirFuente(vcl::TComponent* owner, const TFuente& actual,
                                   const std::vector<std::string>& fuentes);
std::optional<int> PedirColor(vcl::TComponent* owner, int actual);

}  // namespace notix::editor
