// The editor window's controls, menus and handlers. The sections are drawn at one design unit
// a pixel, so a column of the ticket is ten pixels; the sample beside them is printed by the
// note engine from the sample data after every change.
#include "notes/editor/feditfor.h"

#include <algorithm>

#include "notes/editor/dialogos.h"
#include "notes/editor/fformato.h"
#include "notes/editor/lienzo.h"
#include "platform/2_vcl/application.h"
#include "platform/2_vcl/component.h"
#include "platform/1_text/utf8.h"
#include "platform/2_vcl/dialogs.h"

namespace notix::editor {

namespace {

const char kCaption[] = "Editor de formato de impresión VELMOR";
const char* const kTitulos[] = {"&Encabezado", "&Detalle", "&Pie"};
constexpr int kArriba = 68;       // below the tool bar and the lists
constexpr int kTitulo = 18;
constexpr int kSeparador = 7;
constexpr int kMargen = 8;


vcl::TMenuItem* Item(vcl::TForm* owner, vcl::TMenuItem* parent, const char* name, const char* caption,
                     std::function<void()> accion = {}) {
    auto* item = new vcl::TMenuItem(owner);
    if (name[0]) item->SetName(name);
    item->SetCaption(caption);
    if (accion) item->OnClick = [accion](vcl::TObject*) { accion(); };
    if (parent) parent->Add(item);
    return item;
}

std::optional<int> PedirFigura(vcl::TComponent* owner, int actual) {
    static const char* const kFiguras[] = {"Rectángulo", "Círculo", "Línea vertical", "Línea horizontal",
                                           "Líneas arriba y abajo", "Líneas izquierda y derecha"};
    vcl::FreePtr<vcl::TForm> f(new vcl::TForm(owner));
    f->SetName("frmFigura");
    f->SetCaption("Figura");
    f->SetBorderStyle(vcl::bsDialog);
    f->SetPosition(vcl::poMainFormCenter);
    f->SetBounds(0, 0, 300, 130);
    auto* cmb = Control<vcl::TComboBox>(f.get(), "cmbFigura", 12, 12, 270, 22);
    cmb->SetStyle(vcl::csDropDownList);
    for (const char* n : kFiguras) cmb->Items().Add(n);
    cmb->SetItemIndex(actual);
    auto* ok = Control<vcl::TBitBtn>(f.get(), "btnAceptar", 104, 56, 85, 25);
    ok->SetKind(vcl::bkOK);
    ok->SetCaption("&Aceptar");
    auto* no = Control<vcl::TBitBtn>(f.get(), "btnCancelar", 196, 56, 85, 25);
    no->SetKind(vcl::bkCancel);
    no->SetCaption("&Cancelar");
    if (f->ShowModal() != vcl::mrOk || cmb->ItemIndex() < 0) return std::nullopt;
    return cmb->ItemIndex();
}

}  // namespace

TAdvSplitter::TAdvSplitter(vcl::TComponent* owner) : vcl::TPaintBox(owner) {
    SetTabStop(false);
    SetColor(0xC8C8C8);
    OnMouseDown = [this](vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int y) { desde_ = y; };
    OnMouseUp = [this](vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int y) {
        if (desde_ >= 0 && y != desde_ && OnMoved) OnMoved(y - desde_);
        desde_ = -1;
    };
}

TfrmEditorDeFormato::TfrmEditorDeFormato(vcl::TComponent* owner) : vcl::TForm(owner) {
    SetName("frmEditorDeFormato");
    SetCaption(kCaption);
    SetBounds(0, 0, 1240, 820);
    SetPosition(vcl::poScreenCenter);
    SetKeyPreview(true);
    SetShowHint(true);

    pnlToolButton = Control<vcl::TToolBar>(this, "pnlToolButton", 0, 0, 1232, 30);
    struct Boton {
        vcl::TToolButton** campo;
        const char *nombre, *caption, *hint;
        int tag;
    };
    const Boton kBotones[] = {
        {&btnEtiqueta, "btnEtiqueta", "Etiqueta", "Inserta nueva etiqueta", 0},
        {&btnDBEtiqueta, "btnDBEtiqueta", "Campo", "Inserta nuevo campo de datos", 0},
        {&btnImagen, "btnImagen", "Imagen", "Inserta nueva imagen", 1},
        {&btnFigura, "btnFigura", "Figura", "Inserta nueva figura", 2},
        {&btnPredeterminados, "btnPredeterminados", "Sección...", "Abrir formatos existentes", 0},
        {&btnNuevo, "btnNuevo", "Nuevo", "Nuevo formato", 0},
        {&btnAbrir, "btnAbrir", "Abrir", "Abrir formatos existentes...", 0},
        {&btnGuardar, "btnGuardar", "Guardar", "Guardar formato en edición...", 0},
        {&btnPegar, "btnPegar", "Pegar", "Pegar", 0},
        {&btnCopiar, "btnCopiar", "Copiar", "Copiar", 0},
        {&btnCortar, "btnCortar", "Cortar", "Cortar", 0},
        {&btnSalir, "btnSalir", "Salir", "Cerrar el editor", 0},
    };
    for (const auto& b : kBotones) {
        *b.campo = vcl::NewControl<vcl::TToolButton>(pnlToolButton, b.nombre);
        (*b.campo)->SetCaption(b.caption);
        (*b.campo)->SetHint(b.hint);
        (*b.campo)->SetTag(b.tag);
    }
    btnEtiqueta->OnClick = [this](vcl::TObject*) { ElegirHerramienta(hEtiqueta); };
    btnDBEtiqueta->OnClick = [this](vcl::TObject*) { ElegirHerramienta(hCampo); };
    btnImagen->OnClick = [this](vcl::TObject*) { ElegirHerramienta(hImagen); };
    btnFigura->OnClick = [this](vcl::TObject*) { ElegirHerramienta(hFigura); };
    btnPredeterminados->OnClick = [this](vcl::TObject*) { Sesion.Predeterminado(); };
    btnNuevo->OnClick = [this](vcl::TObject*) { Sesion.Nuevo(); };
    btnAbrir->OnClick = [this](vcl::TObject*) { Sesion.Abrir(); };
    btnGuardar->OnClick = [this](vcl::TObject*) { Sesion.Guardar(); };
    btnPegar->OnClick = [this](vcl::TObject*) { Sesion.Documento.Pegar(); };
    btnCopiar->OnClick = [this](vcl::TObject*) { Sesion.Documento.Copiar(); };
    btnCortar->OnClick = [this](vcl::TObject*) { Sesion.Documento.Cortar(); };
    btnSalir->OnClick = [this](vcl::TObject*) { Close(); };

    pnlListas = Control<vcl::TPanel>(this, "pnlListas", 0, 32, 1232, 32);
    cmbFuentes = Control<vcl::TComboBox>(pnlListas, "cmbFuentes", 70, 4, 220, 22);
    cmbFuentes->SetStyle(vcl::csDropDownList);
    cmbFuentes->SetHint("Fuente");
    lblFuentes = Control<vcl::TLabel>(pnlListas, "lblFuentes", 8, 8, 60, 16);
    lblFuentes->SetCaption("&Fuentes:");
    lblFuentes->SetFocusControl(cmbFuentes);
    cmbImpresoras = Control<vcl::TComboBox>(pnlListas, "cmbImpresoras", 390, 4, 260, 22);
    cmbImpresoras->SetStyle(vcl::csDropDownList);
    lblImpresoras = Control<vcl::TLabel>(pnlListas, "lblImpresoras", 310, 8, 76, 16);
    lblImpresoras->SetCaption("&Impresoras");
    lblImpresoras->SetFocusControl(cmbImpresoras);

    const char* const kScr[] = {"scrEncabezado", "scrDetalle", "scrPie"};
    const char* const kLbl[] = {"lblEncabezado", "lblDetalle", "lblPie"};
    for (TSeccion s : kSecciones) {
        const int i = static_cast<int>(s);
        titulos_[i] = Control<vcl::TLabel>(this, kLbl[i], kMargen, 0, 300, 16);
        paneles_[i] = Control<vcl::TPanel>(this, kScr[i], kMargen, 0, 100, 100);
        superficies_[i] = Control<vcl::TPaintBox>(paneles_[i], ObjetoSeccion(s), 2, 2, 100, 100);
        titulos_[i]->SetFocusControl(superficies_[i]);
        vcl::TPaintBox* p = superficies_[i];
        p->OnMouseDown = [this, s](vcl::TObject*, vcl::TMouseButton b, vcl::TShiftState sh, int x, int y) {
            Presion(s, b, sh, x, y);
        };
        p->OnMouseMove = [this, s](vcl::TObject*, vcl::TShiftState, int x, int y) { Arrastre(s, x, y); };
        p->OnMouseUp = [this, s](vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int x, int y) { Suelta(s, x, y); };
        p->OnDblClick = [this, s](vcl::TObject*) {
            if (const TElemento* e = Sesion.Documento.ElementoEn(s, ultimoX_, ultimoY_)) EditarPropiedades(e->Id());
        };
        p->OnKeyDown = [this](vcl::TObject*, vcl::WORD& key, vcl::TShiftState shift) { Tecla(key, shift); };
        p->OnEnter = [this, s](vcl::TObject*) { Sesion.Documento.SetSeccionActual(s); };
    }
    lblEncabezado = titulos_[0], lblDetalle = titulos_[1], lblPie = titulos_[2];
    scrEncabezado = paneles_[0], scrDetalle = paneles_[1], scrPie = paneles_[2];
    DesignQuickReport1 = superficies_[0], DesignQuickReport2 = superficies_[1], DesignQuickReport3 = superficies_[2];
    splEncabezado = Control<TAdvSplitter>(this, "splEncabezado", kMargen, 0, 100, 5);
    splDetalle = Control<TAdvSplitter>(this, "splDetalle", kMargen, 0, 100, 5);
    splEncabezado->OnMoved = [this](int dy) { altoExtra_[0] += dy, Redibujar(); };
    splDetalle->OnMoved = [this](int dy) { altoExtra_[1] += dy, Redibujar(); };

    lblMuestra = Control<vcl::TLabel>(this, "lblMuestra", 0, kArriba, 320, 16);
    lblMuestra->SetCaption("Muestra de la nota (impresora de tickets):");
    pbxMuestra = Control<vcl::TPaintBox>(this, "pbxMuestra", 0, kArriba + kTitulo, 100, 100);
    pbxMuestra->SetColor(0xE0E0E0);
    pbxMuestra->SetTabStop(false);
    statEditor = Control<vcl::TStatusBar>(this, "statEditor", 0, 0, 100, 22);
    statEditor->SetSimplePanel(true);

    ConstruirMenus();
    for (vcl::TPaintBox* p : superficies_) p->PopupMenu = pmnEditor;
    OnKeyDown = [this](vcl::TObject*, vcl::WORD& key, vcl::TShiftState shift) {
        if (!(shift & vcl::ssCtrl)) return;
        TDocumento& d = Sesion.Documento;
        switch (key) {
            case 'U': Sesion.Nuevo(); break;
            case 'A': Sesion.Abrir(); break;
            case 'G': Sesion.Guardar(); break;
            case 'X': d.Cortar(); break;
            case 'C': d.Copiar(); break;
            case 'V': d.Pegar(); break;
            case 'Z': d.Deshacer(); break;
            case 'Y': d.Rehacer(); break;
            default: return;
        }
        key = 0;
    };
    OnShow = [this](vcl::TObject*) {
        if (!ArchivoActual.empty()) Sesion.AbrirArchivo(ArchivoActual);
        ArchivoActual.clear();
        Redibujar();
    };
    OnCloseQuery = [this](vcl::TObject*, bool& puede) { puede = Sesion.Cerrar(); };
    OnClose = [this](vcl::TObject*, vcl::TCloseAction& accion) { accion = Modal() ? vcl::caHide : vcl::caFree; };

    // The session's files go through the editor's own dialogs.
    Sesion.CarpetaFormatos = vcl::Application->ExeFolder() + "Formatos";
    Sesion.PedirAbrir = [this](const std::string& c) { return PedirArchivo(this, c, false); };
    Sesion.PedirGuardar = [this](const std::string& c) { return PedirArchivo(this, c, true); };
    Sesion.PedirFormato = [this](const TSeccion* s) { return ElegirFormato(this, Sesion.CarpetaFormatos, s); };
    Sesion.Impresoras = ImpresorasDelSistema();
    Sesion.Impresora = Sesion.Impresoras.predeterminada;
    for (const auto& n : Sesion.Impresoras.nombres) cmbImpresoras->Items().Add(n);
    cmbImpresoras->SetItemIndex(cmbImpresoras->Items().IndexOf(Sesion.Impresora));
    cmbImpresoras->OnSelect = [this](vcl::TObject*) { ElegirImpresora(cmbImpresoras->Text()); };
    LlenarFuentes();
    cmbFuentes->OnSelect = [this](vcl::TObject*) {
        TDocumento& d = Sesion.Documento;
        const std::string nombre = cmbFuentes->Text();
        for (int id : std::vector<int>(d.Seleccion())) {
            const TElemento* e = d.Buscar(id);
            if (!e || (e->Tipo() != TTipoElemento::Texto && e->Tipo() != TTipoElemento::Campo)) continue;
            TFuente f = e->Fuente();
            f.Nombre = nombre;
            d.Editar(id, [&](TElemento& x) { x.SetFuente(f); });
        }
    };
    DatosDeMuestra(Muestra);
    Sesion.Documento.Nuevo(Sesion.Impresora);
    Sesion.Documento.OnCambio = [this] { Redibujar(); };
    Redibujar();
}

void TfrmEditorDeFormato::ConstruirMenus() {
    TDocumento& d = Sesion.Documento;
    mnuPrincipal = Item(this, nullptr, "mnuPrincipal", "");
    mnuArchivo = Item(this, mnuPrincipal, "mnuArchivo", "&Archivo");
    mnuNuevoDe = Item(this, mnuArchivo, "mnuNuevoDe", "Nuevo...", [this] { Sesion.NuevoDesde(); });
    mnuNuevo = Item(this, mnuArchivo, "mnuNuevo", "&Nuevo formato", [this] { Sesion.Nuevo(); });
    mnuAbrir = Item(this, mnuArchivo, "mnuAbrir", "&Abrir", [this] { Sesion.Abrir(); });
    mnuGuardar = Item(this, mnuArchivo, "mnuGuardar", "&Guardar", [this] { Sesion.Guardar(); });
    mnuGuardarComo = Item(this, mnuArchivo, "mnuGuardarComo", "G&uardar como", [this] { Sesion.GuardarComo(); });
    Item(this, mnuArchivo, "mnuSep1", "-");
    mnuCerrar = Item(this, mnuArchivo, "mnuCerrar", "&Cerrar", [this] { Close(); });
    mnuEdicion = Item(this, mnuPrincipal, "mnuEdicion", "Edi&ción");
    mnuDeshacer = Item(this, mnuEdicion, "mnuDeshacer", "&Deshacer", [&d] { d.Deshacer(); });
    mnuRehacer = Item(this, mnuEdicion, "mnuRehacer", "&Rehacer", [&d] { d.Rehacer(); });
    Item(this, mnuEdicion, "mnuSep2", "-");
    mnuCortar = Item(this, mnuEdicion, "mnuCortar", "C&ortar", [&d] { d.Cortar(); });
    mnuCopiar = Item(this, mnuEdicion, "mnuCopiar", "&Copiar", [&d] { d.Copiar(); });
    mnuPegar = Item(this, mnuEdicion, "mnuPegar", "&Pegar", [&d] { d.Pegar(); });
    mnuInsertar = Item(this, mnuEdicion, "mnuInsertar", "&Insertar");
    mnuInsEtiqueta = Item(this, mnuInsertar, "mnuInsEtiqueta", "&Etiqueta", [this] { InsertarAhora(hEtiqueta); });
    mnuInsCampo = Item(this, mnuInsertar, "mnuInsCampo", "&Campo", [this] { InsertarAhora(hCampo); });
    mnuInsImagen = Item(this, mnuInsertar, "mnuInsImagen", "&Imagen", [this] { InsertarAhora(hImagen); });
    mnuInsFigura = Item(this, mnuInsertar, "mnuInsFigura", "&Figura", [this] { InsertarAhora(hFigura); });
    mnuPredeterminado = Item(this, mnuEdicion, "mnuPredeterminado", "Predeterminado", [this] { Sesion.Predeterminado(); });
    mnuConfigurar = Item(this, mnuEdicion, "mnuConfigurar", "Configurar &hoja/rollo", [this] { ConfigurarHoja(); });

    pmnEditor = new vcl::TPopupMenu(this);
    pmnEditor->SetName("pmnEditor");
    vcl::TMenuItem* ins = Item(this, &pmnEditor->Items(), "pmnInsertar", "Insertar");
    Item(this, ins, "pmnEtiqueta", "Etiqueta", [this] { InsertarAhora(hEtiqueta); });
    Item(this, ins, "pmnCampo", "Campo", [this] { InsertarAhora(hCampo); });
    Item(this, ins, "pmnImagen", "Imagen", [this] { InsertarAhora(hImagen); });
    Item(this, ins, "pmnFigura", "Figura", [this] { InsertarAhora(hFigura); });
    Item(this, &pmnEditor->Items(), "pmnPredeterminado", "Predeterminado", [this] { Sesion.Predeterminado(); });
    Item(this, &pmnEditor->Items(), "pmnConfigurar", "Configurar hoja/rollo", [this] { ConfigurarHoja(); });
}

void TfrmEditorDeFormato::LlenarFuentes() {
    if (fuentes_.empty()) fuentes_ = FuentesDeAnchoFijo();
    cmbFuentes->Items().Clear();
    for (const auto& f : fuentes_) cmbFuentes->Items().Add(f);
    cmbFuentes->SetItemIndex(0);
}

void TfrmEditorDeFormato::ElegirImpresora(const std::string& nombre) {
    Sesion.SetImpresora(nombre);
    LlenarFuentes();
    TPagina p;
    p.Impresora = Sesion.Impresora;
    p.Fuente = fuentes_.front();
    Sesion.Documento.SetPagina(p);
}

void TfrmEditorDeFormato::ConfigurarHoja() {
    if (auto p = PedirPagina(this, Sesion.Documento.Pagina(), fuentes_)) Sesion.Documento.SetPagina(*p);
}

void TfrmEditorDeFormato::ElegirHerramienta(THerramienta h) {
    herramienta_ = herramienta_ == h ? hNinguna : h;
    Sesion.Documento.SetModificado(true);
    Redibujar();
}

void TfrmEditorDeFormato::InsertarAhora(THerramienta h) {
    herramienta_ = h;
    const TSeccion s = Sesion.Documento.SeccionActual();
    Presion(s, vcl::mbLeft, 0, ultimoX_, ultimoY_);
}

void TfrmEditorDeFormato::EditarPropiedades(int id) {
    TDocumento& d = Sesion.Documento;
    const TElemento* e = d.Buscar(id);
    if (!e) return;
    switch (e->Tipo()) {
        case TTipoElemento::Texto:
        case TTipoElemento::Campo:
            VlmEditLabelProps(d, this, id, e->Tipo() == TTipoElemento::Campo, Campos, fuentes_);
            break;
        case TTipoElemento::Figura:
            if (auto f = PedirFigura(this, e->Figura())) d.Editar(id, [&](TElemento& x) { x.SetFigura(*f); });
            break;
        default: break;
    }
}

void TfrmEditorDeFormato::Presion(TSeccion s, vcl::TMouseButton b, vcl::TShiftState shift, int x, int y) {
    TDocumento& d = Sesion.Documento;
    ultimoBoton_ = b, ultimoShift_ = shift, ultimoX_ = x, ultimoY_ = y;
    d.SetSeccionActual(s);
    if (vcl::TPaintBox* p = Superficie(s); p->CanFocus() && !p->Focused()) p->SetFocus();
    if (b == vcl::mbRight) {
        pmnEditor->Popup(x, y);
        return;
    }
    if (herramienta_ != hNinguna) {
        const THerramienta h = herramienta_;
        herramienta_ = hNinguna;
        if (h == hCampo) {
            const bool hay = !Campos.nomEncabezado.empty();
            int id = d.Insertar(s, TTipoElemento::Campo, x, y, hay ? Campos.nomEncabezado[0] : "",
                                hay ? Campos.descEncabezado[0] : "");
            VlmEditLabelProps(d, this, id, true, Campos, fuentes_);
        } else {
            d.Insertar(s, h == hEtiqueta ? TTipoElemento::Texto : h == hImagen ? TTipoElemento::Imagen
                                                                                 : TTipoElemento::Figura,
                       x, y);
        }
        return;
    }
    const TElemento* e = d.ElementoEn(s, x, y);
    if (!e) {
        d.SeleccionarNada();
        return;
    }
    const auto& sel = d.Seleccion();
    const bool elegido = std::find(sel.begin(), sel.end(), e->Id()) != sel.end();
    if (!elegido || (shift & vcl::ssShift)) d.Seleccionar(e->Id(), (shift & vcl::ssShift) != 0);
    arrastre_ = Arrastrando{e->Id(), elegido && EnAgarre(*e, x, y), x, y, x, y};
}

void TfrmEditorDeFormato::Arrastre(TSeccion, int x, int y) {
    if (!arrastre_) return;
    arrastre_->x = x, arrastre_->y = y;
    Redibujar();
}

void TfrmEditorDeFormato::Suelta(TSeccion, int x, int y) {
    if (!arrastre_) return;
    const Arrastrando a = *arrastre_;
    arrastre_.reset();
    TDocumento& d = Sesion.Documento;
    const int dx = x - a.x0, dy = y - a.y0;
    if (dx == 0 && dy == 0) {
        Redibujar();
        return;
    }
    if (a.redimensiona) {
        const TElemento* e = d.Buscar(a.id);
        d.SetLimites(a.id, e->Left(), e->Top(), e->Width() + dx, e->Height() + dy);
    } else {
        d.Mover(dx, dy);
    }
}

void TfrmEditorDeFormato::Tecla(vcl::WORD& key, vcl::TShiftState shift) {
    TDocumento& d = Sesion.Documento;
    const bool grande = (shift & vcl::ssShift) != 0;
    int dx = 0, dy = 0;
    switch (key) {
        case vcl::VK_LEFT: dx = -kRejilla; break;
        case vcl::VK_RIGHT: dx = kRejilla; break;
        case vcl::VK_UP: dy = -kRejilla; break;
        case vcl::VK_DOWN: dy = kRejilla; break;
        case vcl::VK_DELETE: d.Borrar(); key = 0; return;
        case vcl::VK_RETURN:
            if (d.Seleccion().size() == 1) EditarPropiedades(d.Seleccion()[0]);
            key = 0;
            return;
        default: return;
    }
    key = 0;
    if (grande) d.Redimensionar(dx, dy);
    else d.Mover(dx, dy);
}

void TfrmEditorDeFormato::Acomodar() {
    const TDocumento& d = Sesion.Documento;
    const int ancho = d.AnchoDiseno();
    int y = kArriba;
    TAdvSplitter* splitters[] = {splEncabezado, splDetalle};
    for (TSeccion s : kSecciones) {
        const int i = static_cast<int>(s);
        const bool actual = d.SeccionActual() == s;
        titulos_[i]->SetCaption(actual ? std::string("▸ ") + kTitulos[i] + " (sección actual)" : kTitulos[i]);
        titulos_[i]->SetBounds(kMargen, y, 300, 16);
        y += kTitulo;
        const int alto = d.AltoDiseno(s);
        const int panel = std::max(24, alto + altoExtra_[i]) + 4;
        paneles_[i]->SetBounds(kMargen, y, ancho + 4, panel);
        superficies_[i]->SetBounds(2, 2, ancho, alto);
        y += panel;
        if (i < 2) {
            splitters[i]->SetBounds(kMargen, y + 1, ancho + 4, kSeparador - 2);
            y += kSeparador;
        }
    }
    const int x = kMargen + ancho + 4 + 24;
    lblMuestra->SetBounds(x, kArriba, 320, 16);
    pbxMuestra->SetLeft(x);
    const int derecha = std::max(x + pbxMuestra->Width() + kMargen + 8, 1050);
    const int abajo = std::max(std::max(y, pbxMuestra->Top() + pbxMuestra->Height()) + 8 + 22 + 30, 600);
    if (!Visible()) SetBounds(Left(), Top(), derecha, abajo);
    // A window already shown keeps its size; the bars reach across whatever is drawn.
    const int barras = std::max(Width(), derecha) - 8;
    statEditor->SetBounds(0, std::max(Height(), abajo) - 30 - 22, barras, 22);
    pnlToolButton->SetWidth(barras);
    pnlListas->SetWidth(barras);
}

void TfrmEditorDeFormato::Redibujar() {
    if (!statEditor) return;
    const TDocumento& d = Sesion.Documento;
    for (TSeccion s : kSecciones) {
        std::vector<vcl::TTrazo> trazos = DibujarSeccion(d, s);
        if (arrastre_ && d.SeccionDe(arrastre_->id) == s)
            if (const TElemento* e = d.Buscar(arrastre_->id)) {
                const int dx = arrastre_->x - arrastre_->x0, dy = arrastre_->y - arrastre_->y0;
                vcl::TTrazo t;
                t.x = e->Left() + (arrastre_->redimensiona ? 0 : dx);
                t.y = e->Top() + (arrastre_->redimensiona ? 0 : dy);
                t.ancho = std::max(kMinimo, e->Width() + (arrastre_->redimensiona ? dx : 0));
                t.alto = std::max(kMinimo, e->Height() + (arrastre_->redimensiona ? dy : 0));
                t.pluma = 0xC06000;
                t.punteado = true;
                trazos.push_back(t);
            }
        superficies_[static_cast<int>(s)]->SetTrazos(std::move(trazos));
    }
    std::string formato;
    for (const std::string& pieza : Imagenes(d)) formato += pieza;
    if (formato != impreso_ || lineas_.empty()) {
        lineas_ = LineasDeMuestra(d, Muestra);
        impreso_ = std::move(formato);
    }
    const std::vector<std::string>& lineas = lineas_;
    int columnas = d.AnchoDiseno() / kCelda;
    for (const auto& l : lineas) columnas = std::max(columnas, static_cast<int>(text::Utf8Length(l)));
    pbxMuestra->SetTrazos(DibujarMuestra(lineas, columnas));
    pbxMuestra->SetWidth(columnas * kCeldaMuestra + 24);
    pbxMuestra->SetHeight(static_cast<int>(lineas.size()) * kLineaMuestra + 24);
    static const char* const kHerramientas[] = {"Etiqueta", "Campo", "Imagen", "Figura"};
    vcl::TToolButton* herramientas[] = {btnEtiqueta, btnDBEtiqueta, btnImagen, btnFigura};
    for (int i = 0; i < 4; ++i)
        herramientas[i]->SetCaption(herramienta_ == i ? std::string("● ") + kHerramientas[i] : kHerramientas[i]);
    std::string estado;
    if (!d.Seleccion().empty())
        if (const TElemento* e = d.Buscar(d.Seleccion().front())) {
            int left = e->Left(), top = e->Top();
            if (arrastre_ && !arrastre_->redimensiona)
                left += arrastre_->x - arrastre_->x0, top += arrastre_->y - arrastre_->y0;
            estado = "X: " + std::to_string(left) + " / " + "Y: " + std::to_string(top);
        }
    statEditor->SetSimpleText(estado);
    SetCaption(std::string(kCaption) + (Sesion.Archivo.empty() ? "" : " - " + Sesion.Archivo) +
               (d.Modificado() ? " *" : ""));
    Acomodar();
}

}  // namespace notix::editor
