// The file-control dialog: building its controls, filling the tree from the dictionary, and
// the handlers of its actions. Each handler reads the selected node, calls the engine, and
// writes the outcome that outcomes.cpp words.
#include "tablemaint/component/frmconta.h"

#include <cstdlib>
#include <cstring>

#include "platform/2_shell/folders.h"
#include "platform/2_vcl/application.h"
#include "platform/2_vcl/dialogs.h"
#include "tablemaint/component/infoav.h"
#include "tablemaint/component/outcomes.h"
#include "tablemaint/engine/index_names.h"
#include "tablemaint/engine/table_file.h"
#include "tablemaint/engine/verify.h"
#include "tablemaint/engine/vlmctlarch.h"

namespace tablemaint {
std::string CarpetaTemporal() { return shell::TempFolder(); }

TVlmContArch::TVlmContArch(vcl::TComponent* AOwner, VlmCtlArch* engine) : vcl::TForm(AOwner), engine_(engine) {
    using namespace vcl;
    SetName("VlmContArch");
    SetCaption("Control de Archivos");
    SetBorderStyle(bsDialog);
    // Places for a desktop window: the tree of files on the left, what the chosen file
    // says on the right, the tool bar above and the two buttons below.
    SetBounds(0, 0, 640, 420);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);

    ImagenesDef = new TImageList(this);
    ImagenesDef->SetName("ImagenesDef");
    ImagenesDef->SetCount(4);
    ImageListTree = new TImageList(this);
    ImageListTree->SetName("ImageListTree");
    ImageListTree->SetCount(6);

    ToolBar = NewControl<TToolBar>(this, "ToolBar");
    ToolBar->SetImages(ImagenesDef);
    ToolBar->SetBounds(0, 0, 640, 30);
    auto tool = [&](const char* name, const char* hint, int image, TNotifyEvent handler) {
        auto* b = NewControl<TToolButton>(ToolBar, name);
        b->SetHint(hint);
        b->SetShowHint(true);
        b->SetImageIndex(image);
        b->OnClick = std::move(handler);
        return b;
    };
    tbCrear = tool("tbCrear", "Crear", 0, [this](TObject* s) { Crear(s); });
    tbRegen = tool("tbRegen", "Regenerar", 3, [this](TObject* s) { Regenerar(s); });
    tbVerif = tool("tbVerif", "Verificar", 1, [this](TObject* s) { Verificar(s); });
    tbRecup = tool("tbRecup", "Recuperar", 2, [this](TObject* s) { Recuperar(s); });

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    auto item = [&](const char* name, const char* caption, TNotifyEvent handler) {
        auto* m = new TMenuItem(this);
        m->SetName(name);
        m->SetCaption(caption);
        m->OnClick = std::move(handler);
        PopupMenu1->Items().Add(m);
        return m;
    };
    popCrear = item("popCrear", "&Crear", tbCrear->OnClick);
    PopRegen = item("PopRegen", "&Regenerar", tbRegen->OnClick);
    popVerif = item("popVerif", "&Verificar", tbVerif->OnClick);
    popRecup = item("popRecup", "R&ecuperar", tbRecup->OnClick);
    popVerArch = item("popVerArch", "Ver &Archivo", [this](TObject* s) { VerArchivo(s); });

    NotebookBDYC = NewControl<TNotebook>(this, "NotebookBDYC");
    NotebookBDYC->Pages().SetText("Base de Datos\nConfiguración");
    NotebookBDYC->SetBounds(8, 36, 250, 330);
    TPage* bd = NotebookBDYC->Page(0);
    TPage* conf = NotebookBDYC->Page(1);
    LBArch = NewControl<TTreeView>(bd, "LBArch");
    LBArch->SetReadOnly(true);
    LBArch->SetBounds(2, 2, 242, 322);
    LBArch->OnChange = [this](TObject* s, TTreeNode* n) { LBArchChange(s, n); };
    LBArch->OnExpanding = [this](TObject* s, TTreeNode* n, bool& a) { LBArchExpanding(s, n, a); };
    LBArch->OnCollapsing = [this](TObject*, TTreeNode* n, bool&) { LBArch->SetSelected(n); };
    tvConfig = NewControl<TTreeView>(conf, "tvConfig");
    tvConfig->SetReadOnly(true);
    tvConfig->SetBounds(2, 2, 242, 322);
    tvConfig->Items().AddChild(tvConfig->Items().Add(nullptr, "Configuración"), "Paradox");
    tvConfig->Items().GetFirstNode()->Expand();
    tvConfig->OnChange = [this](TObject* s, TTreeNode* n) { ConfigChange(s, n); };
    NotebookBDYC->OnPageChanged = [this](TObject* s) { PaginaCambiada(s); };

    NotbookInfo = NewControl<TNotebook>(this, "NotbookInfo");
    NotbookInfo->Pages().SetText("Información\nResultado");
    NotbookInfo->SetBounds(266, 36, 366, 330);
    TPage* info = NotbookInfo->Page(0);
    TPage* result = NotbookInfo->Page(1);
    sgInfo = NewControl<TStringGrid>(info, "sgInfo");
    sgInfo->SetColCount(6);
    sgInfo->SetRowCount(2);
    sgInfo->SetFixedCols(0);
    sgInfo->SetBounds(4, 4, 354, 120);
    stbMsg = NewControl<TStatusBar>(info, "stbMsg");
    stbMsg->SetSimplePanel(true);
    stbMsg->SetBounds(4, 296, 354, 24);
    aviTrab = NewControl<TAnimate>(info, "aviTrab");
    aviTrab->SetCommonAVI(aviFindFolder);
    aviTrab->SetBounds(4, 132, 48, 48);
    btnInfAv = NewControl<TBitBtn>(info, "btnInfAv");
    btnInfAv->SetCaption("&Ver Errores");
    btnInfAv->SetEnabled(false);
    btnInfAv->SetBounds(238, 260, 120, 28);
    btnInfAv->OnClick = [this](TObject* s) { VerErrores(s); };
    MemoResult = NewControl<TMemo>(result, "MemoResult");
    MemoResult->SetReadOnly(true);
    MemoResult->SetBounds(4, 4, 354, 316);

    NotebookConf = NewControl<TNotebook>(this, "NotebookConf");
    NotebookConf->Pages().SetText("Información");
    TPage* settings = NotebookConf->Page(0);
    NotebookConf->SetVisible(false);
    NotebookConf->SetBounds(266, 36, 366, 330);
    auto label = [&](const char* name, const char* caption, int top) {
        auto* l = NewControl<TLabel>(settings, name);
        l->SetCaption(caption);
        l->SetBounds(10, top + 4, 120, 16);
    };
    label("lblNetDir", "Directorio de Red:", 12);
    label("lblLocalShare", " LOCALSHARE:", 44);
    label("lblNivel", "Nivel:", 76);
    label("lblLangDriver", "LANGDRIVER:", 108);
    edtNetDir = NewControl<TEdit>(settings, "edtNetDir");
    edtNetDir->SetBounds(136, 12, 216, 23);
    cbLocalShare = NewControl<TComboBox>(settings, "cbLocalShare");
    cbLocalShare->SetStyle(csDropDownList);
    cbLocalShare->SetBounds(136, 44, 100, 23);
    cbLocalShare->Items().SetText("false\ntrue");
    cbNivel = NewControl<TComboBox>(settings, "cbNivel");
    cbNivel->SetStyle(csDropDownList);
    cbNivel->SetBounds(136, 76, 100, 23);
    cbNivel->Items().SetText("4\n5\n6\n7");
    cbLengdrv = NewControl<TComboBox>(settings, "cbLengdrv");
    cbLengdrv->SetStyle(csDropDownList);
    cbLengdrv->SetBounds(136, 108, 216, 23);
    // Display only: the settings are shown, never written from this dialog.
    cbLocalShare->SetEnabled(false);
    cbNivel->SetEnabled(false);
    cbLengdrv->SetEnabled(false);
    btnNetDir = NewControl<TButton>(settings, "btnNetDir");
    btnNetDir->SetVisible(false);

    BitBtn1 = NewControl<TBitBtn>(this, "BitBtn1");
    BitBtn1->SetCaption("&Salir");
    BitBtn1->SetBounds(452, 380, 88, 28);
    BitBtn1->OnClick = [this](TObject* s) { Salir(s); };
    BtnAyuda = NewControl<TBitBtn>(this, "BtnAyuda");
    BtnAyuda->SetCaption("&Ayuda");
    BtnAyuda->SetBounds(544, 380, 88, 28);
    BtnAyuda->OnClick = [this](TObject* s) {
        if (OnAyuda) OnAyuda(s);
    };

    OnShow = [this](TObject* s) { FormShow(s); };
    OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { FormKeyDown(s, k, sh); };
}

TVlmContArch::~TVlmContArch() {
    // The tree's handlers point into this dialog; none may run while it goes.
    LBArch->OnChange = nullptr;
    LBArch->OnExpanding = nullptr;
    LBArch->OnCollapsing = nullptr;
    tvConfig->OnChange = nullptr;
}

void TVlmContArch::SetImagenes(vcl::TImageList* images) { ToolBar->SetImages(images ? images : ImagenesDef); }

void TVlmContArch::FormKeyDown(vcl::TObject*, vcl::WORD& Key, vcl::TShiftState) {
    if (Key == vcl::VK_F1 && OnAyuda) {
        OnAyuda(this);
        Key = 0;
    }
}

bool TVlmContArch::Enlaza(bool) {
    // Both dictionaries are read whole; linked or not, the records are the same.
    std::string err;
    if (LeeDiccionario(szRutaTablas, szRutaCampos, dic_, &err)) return true;
    NotebookBDYC->SetPageIndex(1);
    return false;
}

vcl::TTreeNode* TVlmContArch::NuevoNodo(vcl::TTreeNode* parent, const std::string& text, const std::string& name,
                                        int32_t number, int32_t group, TipoNodo tipo) {
    auto rec = std::make_unique<TNodoArch>();
    CopiaTexto(rec->name, sizeof rec->name, name);
    rec->number = number;
    rec->group = group;
    rec->tipo = tipo;
    vcl::TTreeNode* node = LBArch->Items().AddChildObject(parent, text, rec.get());
    const bool index = tipo == TipoNodo::Indice;
    node->SetImageIndex(group ? 5 : index ? 1 : 0);
    node->SetSelectedIndex(group ? 5 : index ? 4 : 3);
    registros_.push_back(std::move(rec));
    return node;
}

void TVlmContArch::AgregaIndices(vcl::TTreeNode* tableNode, int numero) {
    for (const RegistroCampo* c : dic_.Registros(numero, "I"))
        NuevoNodo(tableNode, c->Nombre, "", c->Identif, 0, TipoNodo::Indice);
}

void TVlmContArch::AgregaArchivos(vcl::TTreeNode* groupNode, const RegistroTabla& t, bool) {
    vcl::TStrings fisicos, mostrar;
    if (OnDameNombre) OnDameNombre(t.Nombre, fisicos, mostrar);
    for (int i = 0; i < fisicos.Count(); ++i) {
        const std::string shown = i < mostrar.Count() ? mostrar[i] : fisicos[i];
        AgregaIndices(NuevoNodo(groupNode, shown, fisicos[i], t.Numero, 0, TipoNodo::Tabla), t.Numero);
    }
}

void TVlmContArch::LlenaArbol() {
    LBArch->Items().Clear();
    registros_.clear();
    if (!Enlaza(true)) return;
    for (const auto& t : dic_.tablas) {
        if (t.Nombre.empty()) continue;
        if (t.Calculado == "N") {
            AgregaIndices(NuevoNodo(nullptr, t.Descrip, t.Nombre + ".db", t.Numero, 0, TipoNodo::Tabla), t.Numero);
        } else if (t.Calculado == "S") {
            AgregaArchivos(NuevoNodo(nullptr, t.Descrip, t.Nombre, t.Numero, 1, TipoNodo::Grupo), t, true);
        }
    }
}

void TVlmContArch::Habilita(const Acciones& a) {
    auto set = [](vcl::TToolButton* b, vcl::TMenuItem* m, bool on) {
        if (b) b->SetEnabled(on);
        m->SetVisible(on);
    };
    set(tbCrear, popCrear, a.crear);
    set(tbRegen, PopRegen, a.regenerar);
    set(tbVerif, popVerif, a.verificar);
    set(tbRecup, popRecup, a.recuperar);
    set(nullptr, popVerArch, a.verArchivo);
}

void TVlmContArch::EscribeFila(int row, const std::string& name) {
    bool exists = false;
    FilaArchivo cells = DescribeFila(*engine_, szRutaBD, name, &exists);
    for (int c = 0; c < 6; ++c) sgInfo->SetCells(c, row, cells[size_t(c)]);
}

std::string TVlmContArch::TablaDelNodo(vcl::TTreeNode* node) const {
    if (!node) return "";
    TNodoArch* rec = Registro(node);
    if (rec->tipo == TipoNodo::Indice && node->Parent()) return Registro(node->Parent())->name;
    return rec->name;
}

void TVlmContArch::MuestraNodo(bool limpiar) {
    if (limpiar) Estado("");
    vcl::TTreeNode* node = LBArch->Selected();
    TNodoArch* rec = Registro(node);
    sgInfo->SetRowCount(2);
    for (int c = 0; c < 6; ++c) sgInfo->SetCells(c, 0, kEncabezadoArchivo[size_t(c)]);
    if (!rec || rec->group) {
        Habilita(AccionesPara(TipoNodo::Grupo, true));
        if (!rec) popVerArch->SetVisible(true);
        sgInfo->ClearRow(1);
        btnInfAv->SetEnabled(false);
        return;
    }
    std::string indexName;
    if (rec->tipo == TipoNodo::Indice) {
        if (const RegistroCampo* c = dic_.CampoPorIdentif(rec->number)) indexName = c->Nombre;
        if (!rec->name[0]) {
            const std::string table = Registro(node->Parent())->name;
            char out[260] = {};
            if (indexName == "PRIMARIO") CopiaTexto(out, sizeof out, ArchivoPrimario(table));
            else engine_->GetNomReal(out, table.c_str(), indexName.c_str());
            CopiaTexto(rec->name, sizeof rec->name, out);
        }
    }
    EscribeFila(1, rec->name);
    const bool exists = !sgInfo->Cells(0, 1).empty();
    if (rec->tipo == TipoNodo::Indice && indexName != "PRIMARIO" && rec->name[0]) {
        sgInfo->SetRowCount(3);
        EscribeFila(2, ArchivoCompanero(rec->name));
    }
    Habilita(AccionesPara(rec->tipo, exists));
    btnInfAv->SetEnabled(rec->tipo != TipoNodo::Indice && node->AbsoluteIndex() == nodoProblemas_);
}

void TVlmContArch::Muestra(const Resultado& r) {
    Estado(r.estado);
    for (const auto& line : r.memo) MemoResult->Lines().Add(line);
}

void TVlmContArch::FormShow(vcl::TObject*) {
    Enlaza(true);
    CopiaTexto(engine_->szRutaBD, sizeof engine_->szRutaBD, szRutaBD);
    sgInfo->SetRowCount(2);
    for (int c = 0; c < 6; ++c) sgInfo->SetCells(c, 0, kEncabezadoArchivo[size_t(c)]);
    sgInfo->ClearRow(1);
    LlenaArbol();
    if (vcl::TTreeNode* first = LBArch->Items().GetFirstNode()) {
        LBArch->SetSelected(first);
        MuestraNodo(true);
    } else {
        Habilita({});
    }
    ListaLD drivers;
    engine_->GetListaLD(&drivers);
    cbLengdrv->Items().Clear();
    drivers_.clear();
    cbLengdrv->SetSorted(true);
    for (const auto& d : drivers) cbLengdrv->Items().Add(d.descripcion);
    for (int i = 0; i < cbLengdrv->Items().Count(); ++i)
        for (const auto& d : drivers)
            if (d.descripcion == cbLengdrv->Items()[i]) drivers_.push_back(d.nombre);
}

void TVlmContArch::LBArchChange(vcl::TObject*, vcl::TTreeNode*) {
    if (!mostrandoConfig_) MuestraNodo(true);
}

void TVlmContArch::LBArchExpanding(vcl::TObject*, vcl::TTreeNode* node, bool& allow) {
    TNodoArch* rec = Registro(node);
    if (!rec || rec->group) return;
    if (DescribeArchivo(szRutaBD, rec->name).existe) {
        LBArch->SetSelected(node);
        return;
    }
    allow = false;
    vcl::MessageBox("El \"" + node->Text() + "\" NO existe debe ser creado", "Advertencia",
                    vcl::MB_OK | vcl::MB_ICONWARNING);
    LBArch->SetSelected(node);
}

void TVlmContArch::Verificar(vcl::TObject*) {
    vcl::TTreeNode* node = LBArch->Selected();
    TNodoArch* rec = Registro(node);
    if (!rec) return;
    nodoProblemas_ = -1;
    aviTrab->SetActive(true);
    vcl::Screen->SetCursor(vcl::crHourGlass);
    Estado("");
    MemoResult->Lines().Clear();
    const std::string table = sgInfo->Cells(5, 1) + rec->name;
    try {
        const std::string errTable = CarpetaTemporal() + "VLMVERIF.DB";
        int r = engine_->VerificaTbl(table.c_str(), errTable.c_str(), "");
        std::vector<int> codes;
        if (r != -1)
            for (const auto& e : LeeTablaErrores(errTable)) codes.push_back(e.codigo);
        std::vector<std::string> own;
        if (r == 0 && codes.empty() && OnVerificar) {
            vcl::TStrings lines;
            OnVerificar(table, lines);
            own.assign(lines.begin(), lines.end());
        }
        Resultado out = TextoVerificacion(r, codes, table, own);
        Muestra(out);
        if (out.problemas) nodoProblemas_ = node->AbsoluteIndex();
    } catch (...) {
        aviTrab->SetActive(false);
        Muestra(TextoVerificacionInesperada(table));
    }
    vcl::Screen->SetCursor(vcl::crDefault);
    MuestraNodo(false);
    aviTrab->SetActive(false);
}

void TVlmContArch::Recuperar(vcl::TObject*) {
    TNodoArch* rec = Registro(LBArch->Selected());
    if (!rec) return;
    aviTrab->SetActive(true);
    vcl::Screen->SetCursor(vcl::crHourGlass);
    Estado("");
    MemoResult->Lines().Clear();
    const std::string t = CarpetaTemporal();
    const std::string table = sgInfo->Cells(5, 1) + rec->name;
    try {
        const std::string backup = t + "~" + rec->name, err = t + "VLMVERIF.db", problem = t + "VLMPRBLM.db",
                          keys = t + "VLMKEYVL.db";
        int r = engine_->RecuperaTbl(table.c_str(), err.c_str(), backup.c_str(), problem.c_str(), keys.c_str(), "");
        Muestra(TextoRecuperacion(r, table, engine_->UltimaRecuperacion(), problem, keys));
    } catch (...) {
        Muestra(TextoRecuperacionInesperada(table));
    }
    vcl::Screen->SetCursor(vcl::crDefault);
    aviTrab->SetActive(false);
    MuestraNodo(false);
}

void TVlmContArch::Regenerar(vcl::TObject*) {
    vcl::TTreeNode* node = LBArch->Selected();
    TNodoArch* rec = Registro(node);
    if (!rec || rec->tipo != TipoNodo::Indice) return;
    MemoResult->Lines().Clear();
    aviTrab->SetActive(true);
    const std::string file = TablaDelNodo(node);
    int r = engine_->RegeneraIdx(file.c_str(), node->Text().c_str());
    Muestra(TextoRegeneracion(r, node->Text(), file));
    aviTrab->SetActive(false);
    MuestraNodo(false);
}

void TVlmContArch::Crear(vcl::TObject*) {
    vcl::TTreeNode* node = LBArch->Selected();
    TNodoArch* rec = Registro(node);
    if (!rec || rec->group) return;
    MemoResult->Lines().Clear();
    if (rec->tipo == TipoNodo::Tabla) {
        if (!sgInfo->Cells(0, 1).empty() &&
            vcl::MessageBox("El archivo a crear ya existe ¿Desea reinicializarlo?", "Archios",
                            vcl::MB_ICONINFORMATION | vcl::MB_YESNO) == vcl::IDNO)
            return;
        aviTrab->SetActive(true);
        int r = engine_->CreaTbl(rec->name, rec->number);
        Muestra(TextoCreacionTabla(r, rec->name, r ? engine_->UltimoError() : ""));
    } else {
        aviTrab->SetActive(true);
        const std::string file = TablaDelNodo(node);
        int r = engine_->CreaIdx(file.c_str(), int16_t(rec->number));
        Muestra(TextoCreacionIndice(r, node->Text(), file));
        // The index's file name is worked out again now that it may exist.
        if (r == 0) rec->name[0] = 0;
    }
    aviTrab->SetActive(false);
    MuestraNodo(false);
}

void TVlmContArch::VerArchivo(vcl::TObject*) {
    vcl::TTreeNode* node = LBArch->Selected();
    TNodoArch* rec = Registro(node);
    if (!rec || !rec->group || !Enlaza(true)) return;
    const RegistroTabla* t = dic_.TablaPorNumero(rec->number);
    if (!t) return;
    node->DeleteChildren();
    AgregaArchivos(node, *t, true);
}

void TVlmContArch::VerErrores(vcl::TObject*) {
    try {
        vcl::FreePtr<TdlgInfoAv> dlg(vcl::Create<TdlgInfoAv>(this, 0));
        dlg->ShowModal();
    } catch (const std::exception& e) {
        // The error table may be held elsewhere: say so instead of ending the dialog.
        vcl::ShowMessage(std::string("No se pudo abrir la tabla de errores: ") + e.what());
    }
}

void TVlmContArch::PaginaCambiada(vcl::TObject*) {
    if (NotebookBDYC->PageIndex() == 1) {
        mostrandoConfig_ = true;
        Habilita({});
        NotbookInfo->SetVisible(false);
        char buf[260] = {};
        engine_->GetLocalShare(buf);
        cbLocalShare->SetItemIndex(std::string(buf) == "FALSE" || std::string(buf) == "false" ? 0 : 1);
        std::memset(buf, 0, sizeof buf);
        engine_->GetLevel(buf);
        cbNivel->SetItemIndex(std::atoi(buf) - 4);
        std::memset(buf, 0, sizeof buf);
        engine_->GetNetDir(buf);
        edtNetDir->SetText(buf);
        // An empty entry means no network control folder: nothing to warn about.
        if (buf[0] && !FolderExists(buf)) {
            tvConfig->SetSelected(tvConfig->Items().Item(1));
            vcl::ShowMessage("El directorio de red no existe");
        }
        std::memset(buf, 0, sizeof buf);
        engine_->GetLangDriver(buf);
        for (size_t i = 0; i < drivers_.size(); ++i)
            if (EqualsIgnoringCase(drivers_[i], buf)) {
                cbLengdrv->SetItemIndex(int(i));
                break;
            }
        ConfigChange(tvConfig, tvConfig->Selected());
    } else {
        mostrandoConfig_ = false;
        NotbookInfo->SetVisible(true);
        NotebookConf->SetVisible(false);
        if (!LBArch->Selected()) {
            LlenaArbol();
            LBArch->SetSelected(LBArch->Items().GetFirstNode());
        }
        MuestraNodo(false);
    }
}

void TVlmContArch::ConfigChange(vcl::TObject*, vcl::TTreeNode* node) {
    NotebookConf->SetVisible(node && !node->HasChildren() && NotebookBDYC->PageIndex() == 1);
}

void TVlmContArch::Salir(vcl::TObject*) {
    LBArch->OnChange = nullptr;
    LBArch->Items().Clear();
    registros_.clear();
    SetModalResult(vcl::mrOk);
}

}  // namespace tablemaint
