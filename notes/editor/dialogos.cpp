// The editor's small dialogs. Each is built, shown modally and freed by its Pedir function.
#include "notes/editor/dialogos.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "platform/1_text/format.h"
#include "platform/2_vcl/component.h"
#include "platform/2_vcl/dialogs.h"

namespace notix::editor {

namespace fs = std::filesystem;

namespace {

const char kFiltroNta[] = "Notas de venta (*.nta)";
const char kFiltroTodos[] = "Todos los archivos (*.*)";
const char kMedidaNoValida[] = "Escriba una medida en milímetros, de 0 a 1000";


vcl::TLabel* Etiqueta(vcl::TWinControl* parent, const char* name, const char* caption, int left, int top,
                      vcl::TWinControl* foco = nullptr) {
    auto* l = Control<vcl::TLabel>(parent, name, left, top, 0, 0);
    l->SetCaption(caption);
    l->SetFocusControl(foco);
    return l;
}

void Botones(vcl::TForm* f, vcl::TBitBtn*& aceptar, vcl::TBitBtn*& cancelar, int top, int right) {
    aceptar = Control<vcl::TBitBtn>(f, "btnAceptar", right - 180, top, 85, 25);
    aceptar->SetKind(vcl::bkOK);
    aceptar->SetCaption("&Aceptar");
    cancelar = Control<vcl::TBitBtn>(f, "btnCancelar", right - 88, top, 85, 25);
    cancelar->SetKind(vcl::bkCancel);
    cancelar->SetCaption("&Cancelar");
}

vcl::TForm* Forma(vcl::TComponent* owner, const char* name, const char* caption, int width, int height) {
    auto* f = new vcl::TForm(owner);
    f->SetName(name);
    f->SetCaption(caption);
    f->SetBorderStyle(vcl::bsDialog);
    f->SetPosition(vcl::poMainFormCenter);
    f->SetBounds(0, 0, width, height);
    return f;
}

std::string Mm(double v) {
    return text::FloatToStr(v);
}

}  // namespace

std::vector<std::string> ArchivosDe(const std::string& carpeta, bool soloNta) {
    std::vector<std::string> nombres;
    std::error_code e;
    for (const auto& entrada : fs::directory_iterator(carpeta.empty() ? "." : carpeta, e)) {
        if (!entrada.is_regular_file(e)) continue;
        std::string ext = entrada.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (!soloNta || ext == ".nta") nombres.push_back(entrada.path().filename().string());
    }
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

std::vector<std::string> FuentesDeAnchoFijo() {
    std::set<std::string> nombres;
    if (FcInit()) {
        FcPattern* patron = FcPatternCreate();
        FcPatternAddInteger(patron, FC_SPACING, FC_MONO);
        FcObjectSet* objetos = FcObjectSetBuild(FC_FAMILY, nullptr);
        if (FcFontSet* lista = FcFontList(nullptr, patron, objetos)) {
            for (int i = 0; i < lista->nfont; ++i) {
                FcChar8* familia = nullptr;
                if (FcPatternGetString(lista->fonts[i], FC_FAMILY, 0, &familia) == FcResultMatch)
                    nombres.insert(reinterpret_cast<const char*>(familia));
            }
            FcFontSetDestroy(lista);
        }
        FcObjectSetDestroy(objetos);
        FcPatternDestroy(patron);
    }
    std::vector<std::string> out;
    for (const char* primero : {"Courier New", "DejaVu Sans Mono"})
        if (nombres.erase(primero)) out.push_back(primero);
    out.insert(out.end(), nombres.begin(), nombres.end());
    if (out.empty()) out.push_back("Courier New");
    return out;
}

// ---------------------------------------------------------------------------------------------
// TfrmArchivo

TfrmArchivo::TfrmArchivo(vcl::TComponent* owner, const std::string& carpeta, bool guardar)
    : vcl::TForm(owner), carpeta_(carpeta) {
    SetName("frmArchivo");
    SetCaption(guardar ? "Guardar formato" : "Abrir formato");
    SetBorderStyle(vcl::bsDialog);
    SetPosition(vcl::poMainFormCenter);
    SetBounds(0, 0, 420, 360);
    lblCarpeta = Etiqueta(this, "lblCarpeta", "", 8, 8);
    lblCarpeta->SetCaption(carpeta.empty() ? "." : carpeta);
    lstArchivos = Control<vcl::TTreeView>(this, "lstArchivos", 8, 30, 396, 190);
    edtNombre = Control<vcl::TEdit>(this, "edtNombre", 100, 232, 304, 22);
    lblNombre = Etiqueta(this, "lblNombre", "&Nombre:", 8, 236, edtNombre);
    cmbFiltro = Control<vcl::TComboBox>(this, "cmbFiltro", 100, 262, 304, 22);
    cmbFiltro->SetStyle(vcl::csDropDownList);
    cmbFiltro->Items().Add(kFiltroNta);
    cmbFiltro->Items().Add(kFiltroTodos);
    cmbFiltro->SetItemIndex(0);
    Etiqueta(this, "lblFiltro", "&Tipo:", 8, 266, cmbFiltro);
    Botones(this, btnAceptar, btnCancelar, 298, 404);
    lstArchivos->OnChange = [this](vcl::TObject*, vcl::TTreeNode* n) {
        if (n) edtNombre->SetText(n->Text());
    };
    cmbFiltro->OnChange = [this](vcl::TObject*) { Listar(); };
    btnAceptar->OnClick = [this](vcl::TObject*) {
        if (edtNombre->Text().empty()) SetModalResult(vcl::mrNone);
    };
    Listar();
}

void TfrmArchivo::Listar() {
    lstArchivos->Items().Clear();
    for (const auto& n : ArchivosDe(carpeta_, cmbFiltro->ItemIndex() == 0)) lstArchivos->Items().Add(nullptr, n);
}

std::string TfrmArchivo::Elegido() const {
    const std::string n = edtNombre->Text();
    if (n.empty()) return {};
    fs::path p(n);
    return p.is_absolute() ? n : (fs::path(carpeta_.empty() ? "." : carpeta_) / p).string();
}

std::string PedirArchivo(vcl::TComponent* owner, const std::string& carpeta, bool guardar) {
    vcl::FreePtr<TfrmArchivo> f(vcl::Create<TfrmArchivo>(owner, carpeta, guardar));
    return f->ShowModal() == vcl::mrOk ? f->Elegido() : std::string();
}

// ---------------------------------------------------------------------------------------------
// A folder, a page, a font, a colour

std::string PedirCarpeta(vcl::TComponent* owner, const std::string& inicial) {
    vcl::FreePtr<vcl::TForm> f(Forma(owner, "frmCarpeta", "Directorio", 420, 130));
    auto* edt = Control<vcl::TEdit>(f.get(), "edtCarpeta", 8, 30, 396, 22);
    Etiqueta(f.get(), "lblCarpeta", "Seleccione un directorio:", 8, 8, edt);
    edt->SetText(inicial);
    vcl::TBitBtn *ok, *cancel;
    Botones(f.get(), ok, cancel, 64, 404);
    ok->OnClick = [&](vcl::TObject*) {
        if (!fs::is_directory(edt->Text())) {
            vcl::MessageBox("No existe el directorio " + edt->Text(), "Directorio", vcl::MB_OK | vcl::MB_ICONWARNING);
            f->SetModalResult(vcl::mrNone);
        }
    };
    return f->ShowModal() == vcl::mrOk ? edt->Text() : std::string();
}

std::optional<TPagina> PedirPagina(vcl::TComponent* owner, const TPagina& actual,
                                   const std::vector<std::string>& fuentes) {
    vcl::FreePtr<vcl::TForm> f(Forma(owner, "frmHoja", "Configurar hoja/rollo", 340, 300));
    struct Medida {
        const char *nombre, *caption;
        double TPagina::*campo;
    };
    const Medida kMedidas[] = {
        {"edtAncho", "&Ancho (mm):", &TPagina::AnchoMm},
        {"edtLargo", "&Largo (mm):", &TPagina::LargoMm},
        {"edtSuperior", "Margen &superior:", &TPagina::MargenSuperior},
        {"edtInferior", "Margen i&nferior:", &TPagina::MargenInferior},
        {"edtIzquierdo", "Margen i&zquierdo:", &TPagina::MargenIzquierdo},
        {"edtDerecho", "Margen &derecho:", &TPagina::MargenDerecho},
    };
    std::vector<vcl::TEdit*> edits;
    int top = 12;
    for (const auto& m : kMedidas) {
        auto* e = Control<vcl::TEdit>(f.get(), m.nombre, 150, top, 100, 22);
        e->SetText(Mm(actual.*m.campo));
        Etiqueta(f.get(), (std::string("lbl") + (m.nombre + 3)).c_str(), m.caption, 12, top + 4, e);
        edits.push_back(e);
        top += 30;
    }
    auto* cmb = Control<vcl::TComboBox>(f.get(), "cmbFuente", 150, top, 170, 22);
    cmb->SetStyle(vcl::csDropDownList);
    for (const auto& n : fuentes) cmb->Items().Add(n);
    cmb->SetItemIndex(cmb->Items().IndexOf(actual.Fuente));
    Etiqueta(f.get(), "lblFuente", "&Fuente:", 12, top + 4, cmb);
    vcl::TBitBtn *ok, *cancel;
    Botones(f.get(), ok, cancel, top + 40, 324);
    TPagina r = actual;
    ok->OnClick = [&](vcl::TObject*) {
        for (std::size_t i = 0; i < edits.size(); ++i) {
            std::optional<double> v = text::TryStrToFloat(edits[i]->Text());
            if (!v || *v < 0 || *v > 1000 || (i < 2 && *v < 10)) {
                vcl::MessageBox(kMedidaNoValida, "Configurar hoja/rollo", vcl::MB_OK | vcl::MB_ICONWARNING);
                f->SetModalResult(vcl::mrNone);
                edits[i]->SetFocus();
                return;
            }
            r.*kMedidas[i].campo = *v;
        }
        if (cmb->ItemIndex() >= 0) r.Fuente = cmb->Items()[cmb->ItemIndex()];
    };
    if (f->ShowModal() != vcl::mrOk) return std::nullopt;
    return r;
}

std::optional<TFuente> PedirFuente(vcl::TComponent* owner, const TFuente& actual,
                                   const std::vector<std::string>& fuentes) {
    vcl::FreePtr<vcl::TForm> f(Forma(owner, "frmFuente", "Fuente", 320, 220));
    auto* cmb = Control<vcl::TComboBox>(f.get(), "cmbNombre", 90, 12, 210, 22);
    cmb->SetStyle(vcl::csDropDownList);
    for (const auto& n : fuentes) cmb->Items().Add(n);
    if (cmb->Items().IndexOf(actual.Nombre) < 0) cmb->Items().Insert(0, actual.Nombre);
    cmb->SetItemIndex(cmb->Items().IndexOf(actual.Nombre));
    Etiqueta(f.get(), "lblNombre", "&Fuente:", 12, 16, cmb);
    auto* spn = Control<vcl::TSpinEdit>(f.get(), "spnTamano", 90, 42, 60, 22);
    spn->SetMinValue(4);
    spn->SetMaxValue(72);
    spn->SetValue(actual.Tamano);
    Etiqueta(f.get(), "lblTamano", "&Tamaño:", 12, 46, spn);
    auto* chkN = Control<vcl::TCheckBox>(f.get(), "chkNegrita", 12, 76, 100, 20);
    chkN->SetCaption("&Negrita");
    chkN->SetChecked(actual.Negrita);
    auto* chkC = Control<vcl::TCheckBox>(f.get(), "chkCursiva", 112, 76, 100, 20);
    chkC->SetCaption("&Cursiva");
    chkC->SetChecked(actual.Cursiva);
    auto* chkS = Control<vcl::TCheckBox>(f.get(), "chkSubrayado", 212, 76, 100, 20);
    chkS->SetCaption("&Subrayado");
    chkS->SetChecked(actual.Subrayado);
    vcl::TBitBtn *ok, *cancel;
    Botones(f.get(), ok, cancel, 140, 304);
    if (f->ShowModal() != vcl::mrOk) return std::nullopt;
    TFuente r = actual;
    if (cmb->ItemIndex() >= 0) r.Nombre = cmb->Items()[cmb->ItemIndex()];
    r.Tamano = spn->Value();
    r.Negrita = chkN->Checked();
    r.Cursiva = chkC->Checked();
    r.Subrayado = chkS->Checked();
    return r;
}

std::optional<int> PedirColor(vcl::TComponent* owner, int actual) {
    struct Color {
        const char* nombre;
        int bgr;
    };
    static const Color kColores[] = {{"Blanco", 0xFFFFFF}, {"Negro", 0x000000}, {"Gris claro", 0xC0C0C0},
                                     {"Gris", 0x808080},   {"Rojo", 0x0000FF},  {"Verde", 0x008000},
                                     {"Azul", 0xFF0000},   {"Amarillo", 0x00FFFF}};
    vcl::FreePtr<vcl::TForm> f(Forma(owner, "frmColor", "Color", 280, 130));
    auto* cmb = Control<vcl::TComboBox>(f.get(), "cmbColor", 80, 12, 180, 22);
    cmb->SetStyle(vcl::csDropDownList);
    for (const auto& c : kColores) {
        cmb->Items().Add(c.nombre);
        if (c.bgr == actual) cmb->SetItemIndex(cmb->Items().Count() - 1);
    }
    Etiqueta(f.get(), "lblColor", "C&olor:", 12, 16, cmb);
    vcl::TBitBtn *ok, *cancel;
    Botones(f.get(), ok, cancel, 56, 264);
    if (f->ShowModal() != vcl::mrOk || cmb->ItemIndex() < 0) return std::nullopt;
    return kColores[cmb->ItemIndex()].bgr;
}

}  // namespace notix::editor
