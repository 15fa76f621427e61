// The stored-formats dialog: a list of files and the sample of the one chosen.
#include "notes/editor/fformato.h"

#include <algorithm>
#include <filesystem>

#include "notes/editor/archivo.h"
#include "notes/editor/dialogos.h"
#include "notes/editor/lienzo.h"
#include "platform/2_vcl/component.h"

namespace notix::editor {

namespace fs = std::filesystem;

namespace {
const char kCaption[] = "Formatos predeterminados";
}  // namespace

TfrmFormatos::TfrmFormatos(vcl::TComponent* owner, const std::string& carpeta) : vcl::TForm(owner) {
    SetName("frmFormatos");
    SetCaption(kCaption);
    SetBorderStyle(vcl::bsDialog);
    SetPosition(vcl::poMainFormCenter);
    SetBounds(0, 0, 760, 560);
    lstFormatos = Control<vcl::TTreeView>(this, "lstFormatos", 8, 28, 220, 440);
    lblFormatos = Control<vcl::TLabel>(this, "lblFormatos", 8, 8, 0, 0);
    lblFormatos->SetCaption("&Formatos:");
    lblFormatos->SetFocusControl(lstFormatos);
    btnDirectorio = Control<vcl::TButton>(this, "btnDirectorio", 8, 476, 120, 25);
    btnDirectorio->SetCaption("&Directorio...");
    lblMuestra = Control<vcl::TLabel>(this, "lblMuestra", 240, 8, 0, 0);
    lblMuestra->SetCaption("Muestra:");
    pbxMuestra = Control<vcl::TPaintBox>(this, "pbxMuestra", 240, 28, 500, 440);
    pbxMuestra->SetColor(0xD8D8D8);
    pbxMuestra->SetTabStop(false);
    btnAceptar = Control<vcl::TBitBtn>(this, "btnAceptar", 560, 492, 85, 25);
    btnAceptar->SetKind(vcl::bkOK);
    btnAceptar->SetCaption("&Aceptar");
    btnCancelar = Control<vcl::TBitBtn>(this, "btnCancelar", 655, 492, 85, 25);
    btnCancelar->SetKind(vcl::bkCancel);
    btnCancelar->SetCaption("&Cancelar");

    lstFormatos->OnChange = [this](vcl::TObject*, vcl::TTreeNode*) { Mostrar(); };
    btnDirectorio->OnClick = [this](vcl::TObject*) {
        std::string c = PedirDirectorio ? PedirDirectorio(carpeta_) : PedirCarpeta(this, carpeta_);
        if (!c.empty()) SetCarpeta(c);
    };
    btnAceptar->OnClick = [this](vcl::TObject*) {
        if (Elegido().empty()) SetModalResult(vcl::mrNone);
    };
    SetCarpeta(carpeta);
}

void TfrmFormatos::SetTipo(const std::string& seccion) {
    static const char* const kSufijos[] = {": Encabezado", ": Detalle", ": Pie"};
    limitado_.reset();
    SetCaption(kCaption);
    if (seccion.empty()) return;
    const char ultimo = seccion.back();
    if (ultimo < '1' || ultimo > '3') return;
    limitado_ = static_cast<TSeccion>(ultimo - '1');
    SetCaption(std::string(kCaption) + kSufijos[ultimo - '1']);
    Mostrar();
}

void TfrmFormatos::SetCarpeta(const std::string& carpeta) {
    carpeta_ = carpeta;
    lstFormatos->Items().Clear();
    for (const auto& n : ArchivosDe(carpeta_, true)) lstFormatos->Items().Add(nullptr, n);
    Mostrar();
}

std::string TfrmFormatos::Elegido() const {
    if (!lstFormatos->Selected()) return {};
    return (fs::path(carpeta_.empty() ? "." : carpeta_) / lstFormatos->Selected()->Text()).string();
}

void TfrmFormatos::Mostrar() {
    const std::string archivo = Elegido();
    if (archivo.empty()) {
        pbxMuestra->SetTrazos({});
        return;
    }
    TLectura l = LeerFormato(archivo);
    TDocumento doc;
    doc.Cargar(l.componentes);
    const TSeccion s = limitado_.value_or(TSeccion::Encabezado);
    std::vector<vcl::TTrazo> trazos = DibujarFormato(doc, limitado_ ? &s : nullptr);
    for (auto& t : trazos) t.x += 10, t.y += 10;
    pbxMuestra->SetTrazos(std::move(trazos));
}

std::string ElegirFormato(vcl::TComponent* owner, const std::string& carpeta, const TSeccion* limitado) {
    vcl::FreePtr<TfrmFormatos> f(vcl::Create<TfrmFormatos>(owner, carpeta));
    if (limitado) f->SetTipo(ObjetoSeccion(*limitado));
    return f->ShowModal() == vcl::mrOk ? f->Elegido() : std::string();
}

}  // namespace notix::editor
