// TVlmContArch, the file-control dialog: the dictionary's tables in a tree with their indexes,
// what exists of each file, and the actions create, verify, recover and regenerate through the
// engine, with their outcome in the status line and the result page; a second page shows the
// engine's settings. Opened modally by TControlArch::Ejecuta over a fresh engine.
// Not here: the wording of outcomes (outcomes.*), file rows (file_rows.*).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/lists.h"
#include "platform/2_vcl/panels.h"
#include "platform/2_vcl/bars.h"
#include "platform/2_vcl/grids.h"
#include "platform/2_vcl/images.h"
#include "platform/2_vcl/menus.h"
#include "platform/2_vcl/notebook.h"
#include "platform/2_vcl/treeview.h"
#include "tablemaint/component/file_rows.h"
#include "tablemaint/component/outcomes.h"
#include "tablemaint/engine/dictionary.h"

namespace tablemaint {

class VlmCtlArch;

// The editions of the product; carried into the dialog, which does not use it.
enum class TVersion { vrEstandar, vrProfesional, vrRed, vrCorporativa };

using TDameNombreEvent =
    std::function<void(const std::string& NombreTabla, vcl::TStrings& NomFisicos, vcl::TStrings& NomDesplegar)>;
using TVerificarEvent = std::function<void(const std::string& NombreTabla, vcl::TStrings& Resultado)>;

// The record each tree node carries.
struct TNodoArch {
    char name[80] = {};
    int32_t number = 0;  // Numero of the table, Identif of an index
    int32_t group = 0;   // 1 for a group node
    TipoNodo tipo = TipoNodo::Tabla;
};

class TVlmContArch : public vcl::TForm {
public:
    TVlmContArch(vcl::TComponent* AOwner, VlmCtlArch* engine);
    ~TVlmContArch() override;

    char szRutaTablas[260] = {};
    char szRutaCampos[260] = {};
    char szRutaBD[260] = {};
    TDameNombreEvent OnDameNombre;
    TVerificarEvent OnVerificar;
    vcl::TNotifyEvent OnAyuda;
    TVersion Version = TVersion::vrEstandar;
    void SetImagenes(vcl::TImageList* images);

    // Absolute index of the last node whose verification found problems; -1 when none.
    int NodoProblemas() const { return nodoProblemas_; }
    bool ConfigCambiada() const { return configCambiada_; }
    TNodoArch* Registro(vcl::TTreeNode* node) const { return node ? static_cast<TNodoArch*>(node->Data()) : nullptr; }

    // Controls, named as the form declares them.
    vcl::TToolBar* ToolBar;
    vcl::TToolButton *tbCrear, *tbRegen, *tbVerif, *tbRecup;
    vcl::TImageList* ImagenesDef;
    vcl::TImageList* ImageListTree;
    vcl::TPopupMenu* PopupMenu1;
    vcl::TMenuItem *popCrear, *PopRegen, *popVerif, *popRecup, *popVerArch;
    vcl::TNotebook* NotebookBDYC;
    vcl::TTreeView* LBArch;
    vcl::TTreeView* tvConfig;
    vcl::TNotebook* NotbookInfo;
    vcl::TStringGrid* sgInfo;
    vcl::TStatusBar* stbMsg;
    vcl::TAnimate* aviTrab;
    vcl::TBitBtn* btnInfAv;
    vcl::TMemo* MemoResult;
    vcl::TNotebook* NotebookConf;
    vcl::TEdit* edtNetDir;
    vcl::TComboBox *cbLocalShare, *cbNivel, *cbLengdrv;
    vcl::TButton* btnNetDir;
    vcl::TBitBtn* BitBtn1;
    vcl::TBitBtn* BtnAyuda;

private:
    void FormShow(vcl::TObject* Sender);
    void FormKeyDown(vcl::TObject* Sender, vcl::WORD& Key, vcl::TShiftState Shift);
    bool Enlaza(bool enlazar);
    void LlenaArbol();
    void AgregaArchivos(vcl::TTreeNode* parent, const RegistroTabla& t, bool group);
    void AgregaIndices(vcl::TTreeNode* tableNode, int numero);
    vcl::TTreeNode* NuevoNodo(vcl::TTreeNode* parent, const std::string& text, const std::string& name,
                              int32_t number, int32_t group, TipoNodo tipo);
    void MuestraNodo(bool limpiar);
    void EscribeFila(int row, const std::string& name);
    void Habilita(const Acciones& a);
    void Estado(const std::string& text) { stbMsg->SetSimpleText(text); }
    void Muestra(const Resultado& r);
    std::string TablaDelNodo(vcl::TTreeNode* node) const;

    void LBArchChange(vcl::TObject* Sender, vcl::TTreeNode* Node);
    void LBArchExpanding(vcl::TObject* Sender, vcl::TTreeNode* Node, bool& Allow);
    void Verificar(vcl::TObject* Sender);
    void Recuperar(vcl::TObject* Sender);
    void Regenerar(vcl::TObject* Sender);
    void Crear(vcl::TObject* Sender);
    void VerArchivo(vcl::TObject* Sender);
    void VerErrores(vcl::TObject* Sender);
    void PaginaCambiada(vcl::TObject* Sender);
    void ConfigChange(vcl::TObject* Sender, vcl::TTreeNode* Node);
    void Salir(vcl::TObject* Sender);

    VlmCtlArch* engine_;
    Diccionario dic_;
    std::vector<std::unique_ptr<TNodoArch>> registros_;
    std::vector<std::string> drivers_;  // short names, parallel to cbLengdrv's items
    int nodoProblemas_ = -1;
    bool configCambiada_ = false;
    bool mostrandoConfig_ = false;
};

// The system's temporary folder, with a trailing "/".
std::string CarpetaTemporal();

}  // namespace tablemaint
