// The stored-formats dialog ("Formatos predeterminados"): the ".nta" files of the formats
// folder (or another one), with a sample of the one chosen; limited to one section by SetTipo.
// Not here: reading the chosen file into the editor (archivo.*).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "notes/editor/documento.h"
#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/paintbox.h"
#include "platform/2_vcl/panels.h"
#include "platform/2_vcl/treeview.h"

namespace notix::editor {

class TfrmFormatos : public vcl::TForm {
public:
    TfrmFormatos(vcl::TComponent* owner, const std::string& carpeta);

    // A section object's name ending in 1, 2 or 3 limits the sample to the header, the detail
    // or the footer and adds ": Encabezado", ": Detalle" or ": Pie" to the caption.
    void SetTipo(const std::string& seccion);
    std::optional<TSeccion> Limitado() const { return limitado_; }
    const std::string& Carpeta() const { return carpeta_; }
    void SetCarpeta(const std::string& carpeta);
    // The full path of the file chosen; "" when none.
    std::string Elegido() const;

    // "&Directorio...": asks for a folder; the default asks with a small form.
    std::function<std::string(const std::string& inicial)> PedirDirectorio;

    vcl::TLabel* lblFormatos;
    vcl::TTreeView* lstFormatos;
    vcl::TButton* btnDirectorio;
    vcl::TLabel* lblMuestra;
    vcl::TPaintBox* pbxMuestra;
    vcl::TBitBtn* btnAceptar;
    vcl::TBitBtn* btnCancelar;

private:
    void Mostrar();
    std::string carpeta_;
    std::optional<TSeccion> limitado_;
};

// The dialog shown modally; the chosen path, or "" when cancelled.
std::string ElegirFormato(vcl::TComponent* owner, const std::string& carpeta, const TSeccion* limitado);

}  // namespace notix::editor
