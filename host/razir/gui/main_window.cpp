// The main window's menus and the call of an export.
#include "host/razir/gui/main_window.h"

#include "notes/editor/lienzo.h"
#include "notes/editor/ntaedit.h"
#include "platform/2_db/session.h"
#include "platform/2_vcl/dialogs.h"
#include "tablemaint/component/controlarch.h"

namespace razir::gui {

namespace {

const char kTitulo[] = "Razir - Reportes";
const char kSinBiblioteca[] = "Los reportes no están disponibles: ";
const char kListo[] = "Elija un reporte en el menú.";

vcl::TMenuItem* NewItem(vcl::TForm* owner, vcl::TMenuItem* parent, const std::string& name, const std::string& caption) {
    auto* item = new vcl::TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    if (parent) parent->Add(item);
    return item;
}

}  // namespace

TfrmRazir::TfrmRazir(vcl::TComponent* owner, ReportLibrary& library, std::string store, std::string storeName,
                     std::string company, std::string libraryError)
    : vcl::TForm(owner), library_(library), store_(std::move(store)), storeName_(std::move(storeName)) {
    SetName("frmRazir");
    SetCaption(kTitulo);
    SetBorderStyle(vcl::bsSingle);
    SetPosition(vcl::poScreenCenter);
    SetBounds(0, 0, 520, 120);

    mnuPrincipal = NewItem(this, nullptr, "mnuPrincipal", "");
    mnuArchivo = NewItem(this, mnuPrincipal, "mnuArchivo", "&Archivo");
    mnuControlArchivos = NewItem(this, mnuArchivo, "mnuControlArchivos", "&Control de archivos...");
    mnuControlArchivos->OnClick = [this](vcl::TObject*) { ControlArchivos(); };
    mnuFormatos = NewItem(this, mnuArchivo, "mnuFormatos", "&Formatos de nota...");
    mnuFormatos->OnClick = [this](vcl::TObject*) { EditarFormato("", muestraMenu); };
    NewItem(this, mnuArchivo, "mnuSeparador", "-");
    mnuSalir = NewItem(this, mnuArchivo, "mnuSalir", "&Salir");
    mnuSalir->OnClick = [this](vcl::TObject*) { Close(); };
    for (const ReportGroup& group : ReportGroups()) {
        vcl::TMenuItem* menu = NewItem(this, mnuPrincipal, group.name, group.caption);
        for (const ReportEntry& entry : group.entries) {
            vcl::TMenuItem* item = NewItem(this, menu, std::string("mnu") + entry.exportName, entry.caption);
            item->SetEnabled(library_.Find(entry.exportName) != nullptr);
            item->OnClick = [this, &entry](vcl::TObject*) { RunReport(entry); };
        }
    }

    lblEmpresa = vcl::NewControl<vcl::TLabel>(this, "lblEmpresa");
    lblEmpresa->SetBounds(16, 16, 480, 16);
    lblEmpresa->SetCaption(company.empty() ? std::string("Empresa sin nombre configurado") : company);
    lblTienda = vcl::NewControl<vcl::TLabel>(this, "lblTienda");
    lblTienda->SetBounds(16, 44, 480, 16);
    lblTienda->SetCaption("Tienda actual: " + store_ + (storeName_.empty() ? "" : " - " + storeName_));
    lblEstado = vcl::NewControl<vcl::TLabel>(this, "lblEstado");
    lblEstado->SetBounds(16, 80, 480, 16);
    lblEstado->SetCaption(libraryError.empty() ? std::string(kListo) : kSinBiblioteca + libraryError);
}

vcl::TMenuItem* TfrmRazir::ItemOf(std::string_view exportName) const {
    return dynamic_cast<vcl::TMenuItem*>(FindComponent("mnu" + std::string(exportName)));
}

void TfrmRazir::RunReport(const ReportEntry& entry) {
    void* symbol = library_.Find(entry.exportName);
    if (!symbol) return;
    // The entry points catch everything themselves; the dialog they show is modal.
    if (entry.kind == EntryKind::NoArgs) {
        reinterpret_cast<NoArgsEntryPoint>(symbol)();
        return;
    }
    reinterpret_cast<StoreEntryPoint>(symbol)(store_.c_str(), storeName_.c_str(), false);
}

void TfrmRazir::ControlArchivos() {
    const std::string datos = db::DatabaseFolder("RazirWin10");
    // A missing dictionary file is the component's own message.
    try {
        tablemaint::TControlArch control(this);
        control.SetRutaBD(datos);
        control.SetRutaTablas(control.RutaBD() + "VlmTablas.DB");
        control.SetRutaCampos(control.RutaBD() + "VlmCampos.DB");
        control.Ejecuta();
    } catch (const std::exception& e) {
        vcl::MessageBox(e.what(), "Control de archivos", vcl::MB_OK | vcl::MB_ICONERROR);
    }
}

void EditarFormato(const std::string& archivo, const MuestraMenu& muestraMenu) {
    notix::TNtaDatos datos;
    notix::editor::DatosDeMuestra(datos);
    notix::editor::TNtaEditor editor;
    editor.SetNtaDatos(&datos);
    editor.SetFormShow(notix::editor::ShowModal);
    editor.AlCrearVentana = [&muestraMenu](notix::editor::TfrmEditorDeFormato& v) {
        if (muestraMenu) muestraMenu(v, v.MenuPrincipal());
    };
    editor.EjecutarEditorNta(archivo);
}

}  // namespace razir::gui
