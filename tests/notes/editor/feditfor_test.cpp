// The editor's forms played by the script driver: TNtaEditor's checks, inserting with the
// tools and the mouse, dragging and the keyboard, the text-item dialog in both modes,
// "Predeterminado" through the stored-formats dialog, the page set-up, and closing with changes.
#include "notes/editor/ntaedit.h"

#include <gtest/gtest.h>

#include "notes/editor/fformato.h"
#include "notes/editor/lienzo.h"
#include "platform/2_vcl/application.h"
#include "platform/2_vcl/script.h"
#include "tests/notes/note_printer.h"

namespace notix::editor {
namespace {

using namespace testing_notes;
using vcl::Step;

std::string Muestra(const TfrmEditorDeFormato& f) {
    std::string s;
    for (const auto& t : f.pbxMuestra->Trazos())
        if (t.tipo == vcl::TTrazo::Texto) s += t.texto + "\n";
    return s;
}

// An editor window over the demo data, shown modeless under a script driver.
struct Editor {
    vcl::ScriptDriver driver;
    vcl::DriverScope scope{driver};
    TNtaDatos datos;
    TNtaEditor editor;
    TfrmEditorDeFormato* f = nullptr;
    Editor() {
        DatosDeMuestra(datos);
        editor.SetName("NtaEditor1");
        editor.SetNtaDatos(&datos);
        editor.EjecutarEditor();
        f = editor.frmEditorDeFormato();
        f->Sesion.CarpetaFormatos = std::string(RAZIR_SOURCE_DIR) + "/formats";
    }
    TDocumento& Doc() { return f->Sesion.Documento; }
    void Play(std::vector<Step> steps) {
        for (auto& s : steps) driver.Add(std::move(s));
        driver.PlayOn(*f);
        EXPECT_TRUE(driver.Failures().empty()) << driver.Failures().front();
    }
};

TEST(NtaEditor, RefusesToOpenWithoutFieldsAndLeavesNoWindow) {
    struct Case {
        const char* why;
        bool enlazar, encabezado, detalle;
        const char* mensaje;
    };
    const Case kCases[] = {
        {"no data component", false, true, true,
         "El componente NtaEditor1 no se encuentra ligado al componentes de datos"},
        {"no header fields", true, false, true, "No existen campos de datos definidos"},
        {"no detail fields", true, true, false, "No existen campos de detalle definidos"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.why);
        TNtaDatos datos;
        if (c.encabezado) datos.Campos().Add().SetNombre("Fecha");
        if (c.detalle) datos.CamposDetalle().Add().SetNombre("Cantidad");
        TNtaEditor editor;
        editor.SetName("NtaEditor1");
        if (c.enlazar) editor.SetNtaDatos(&datos);
        const int formas = vcl::Screen->FormCount();
        try {
            editor.EjecutarEditor();
            ADD_FAILURE() << "no error";
        } catch (const EError& e) {
            EXPECT_STREQ(e.what(), c.mensaje);
        }
        EXPECT_EQ(editor.frmEditorDeFormato(), nullptr);
        EXPECT_EQ(vcl::Screen->FormCount(), formas);
    }
}

TEST(NtaEditor, AnMdiChildIsAlwaysModelessAndTheDataIsForgottenWhenFreed) {
    TNtaEditor editor;
    editor.SetFormShow(ShowModal);
    editor.SetFormStyle(tfMDIHija);
    EXPECT_EQ(editor.FormShow(), Show);
    editor.SetFormShow(ShowModal);
    EXPECT_EQ(editor.FormShow(), Show);
    auto* datos = new TNtaDatos;
    editor.SetNtaDatos(datos);
    delete datos;
    EXPECT_EQ(editor.NtaDatos(), nullptr);
}

TEST(EditorDeFormato, ToolsInsertWhereTheSectionIsPressedAndThePreviewFollows) {
    Editor e;
    EXPECT_EQ(e.f->Caption(), "Editor de formato de impresión VELMOR");
    EXPECT_EQ(e.f->Campos.nomDetalle.size(), 5u);
    e.Play({Step::Click("btnEtiqueta")});
    EXPECT_EQ(e.f->Herramienta(), hEtiqueta);
    EXPECT_TRUE(e.Doc().Modificado());
    e.f->DesignQuickReport2->MouseDown(vcl::mbLeft, 0, 30, 0);
    EXPECT_EQ(e.f->Herramienta(), hNinguna);
    const auto& det = e.Doc().Seccion(TSeccion::Detalle).elementos;
    ASSERT_EQ(det.size(), 1u);
    EXPECT_EQ(det[0].Left(), 30);
    EXPECT_EQ(e.f->statEditor->SimpleText(), "X: 30 / Y: 0");
    // One detail line per sold item, the text from column 3.
    EXPECT_NE(Muestra(*e.f).find("   QRDesignLabel1\n   QRDesignLabel1\n   QRDesignLabel1\n"), std::string::npos) << Muestra(*e.f);

    // Dragged 40 units right: moved once, undone in one step, and the preview moved with it.
    const int id = det[0].Id();
    e.f->DesignQuickReport2->MouseDown(vcl::mbLeft, 0, 35, 6);
    e.f->DesignQuickReport2->MouseMove(0, 55, 6);
    EXPECT_EQ(e.Doc().Buscar(id)->Left(), 30) << "moved before the drop";
    EXPECT_EQ(e.f->statEditor->SimpleText(), "X: 50 / Y: 0");
    e.f->DesignQuickReport2->MouseUp(vcl::mbLeft, 0, 75, 6);
    EXPECT_EQ(e.Doc().Buscar(id)->Left(), 70);
    EXPECT_NE(Muestra(*e.f).find("       QRDesignLabel1\n"), std::string::npos);
    // The grip at the lower right corner resizes.
    const TElemento* x = e.Doc().Buscar(id);
    const int w = x->Width(), h = x->Height();
    e.f->DesignQuickReport2->MouseDown(vcl::mbLeft, 0, 70 + w - 1, h - 1);
    e.f->DesignQuickReport2->MouseUp(vcl::mbLeft, 0, 70 + w + 19, h - 1);
    EXPECT_EQ(e.Doc().Buscar(id)->Width(), w + 20);
    EXPECT_EQ(e.Doc().Buscar(id)->Left(), 70);
    e.Play({Step::Click("mnuDeshacer"), Step::Click("mnuDeshacer")});
    EXPECT_EQ(e.Doc().Buscar(id)->Left(), 30);

    // Keyboard steps on the focused section: arrows move, Shift+arrows resize, Delete removes.
    e.Play({Step::Focus("DesignQuickReport2"), Step::Press(vcl::VK_RIGHT), Step::Press(vcl::VK_DOWN),
            Step::Press(vcl::VK_RIGHT, vcl::ssShift)});
    EXPECT_EQ(e.Doc().Buscar(id)->Left(), 31);
    EXPECT_EQ(e.Doc().Buscar(id)->Top(), 1);
    EXPECT_EQ(e.Doc().Buscar(id)->Width(), w + 1);
    e.Play({Step::Press(vcl::VK_DELETE)});
    EXPECT_TRUE(det.empty());
    EXPECT_EQ(e.f->statEditor->SimpleText(), "");
}

TEST(EditorDeFormato, ADataFieldIsChosenFromTheFieldListsAndAFixedTextTyped) {
    Editor e;
    e.Play({Step::Click("btnDBEtiqueta")});
    e.driver.Add(Step::Pick("lstCampoDetalle", "TPartida"));
    e.driver.Add(Step::Pick("cmbAlineacion", "Derecha"));
    e.driver.Add(Step::Click("btnAceptar"));
    e.f->DesignQuickReport2->MouseDown(vcl::mbLeft, 0, 300, 0);
    const auto& det = e.Doc().Seccion(TSeccion::Detalle).elementos;
    ASSERT_EQ(det.size(), 1u);
    EXPECT_EQ(det[0].NombreCampo(), "TPartida");
    EXPECT_EQ(det[0].Caption(), "TPartida");
    EXPECT_EQ(det[0].Tag(), 1);
    EXPECT_EQ(det[0].Alineacion(), TAlineacion::Derecha);
    EXPECT_NE(Muestra(*e.f).find("$966.96"), std::string::npos);

    // A fixed text: the edit box, in the shortened dialog; cancelled changes nothing.
    e.Play({Step::Click("mnuInsEtiqueta")});
    const int id = e.Doc().Seleccion().at(0);
    e.driver.Add(Step::Set("LabelCaptionEdit", "Total de la partida"));
    e.driver.Add(Step::Click("btnCancelar"));
    e.f->EditarPropiedades(id);
    EXPECT_EQ(e.Doc().Buscar(id)->Caption(), "QRDesignLabel2");
    e.driver.Add(Step::Set("LabelCaptionEdit", "Total de la partida"));
    e.driver.Add(Step::Set("chkWordWrap", "sí"));
    e.driver.Add(Step::Click("btnAceptar"));
    e.f->EditarPropiedades(id);
    EXPECT_EQ(e.Doc().Buscar(id)->Caption(), "Total de la partida");
    EXPECT_TRUE(e.Doc().Buscar(id)->WordWrap());
    EXPECT_TRUE(e.driver.Failures().empty());
}

TEST(EditorDeFormato, PredeterminadoLoadsTheCurrentSectionFromAStoredFormat) {
    Editor e;
    e.Play({Step::Click("mnuInsEtiqueta")});  // on the header
    e.f->DesignQuickReport2->MouseDown(vcl::mbLeft, 0, 0, 0);
    e.Play({Step::Click("btnPredeterminados"), Step::Pick("lstFormatos", "Nota80.nta"), Step::Click("btnAceptar")});
    EXPECT_EQ(e.Doc().Seccion(TSeccion::Detalle).elementos.size(), 5u);
    EXPECT_EQ(e.Doc().Seccion(TSeccion::Encabezado).elementos.size(), 1u);
    EXPECT_TRUE(e.Doc().Seccion(TSeccion::Pie).elementos.empty());
}

TEST(EditorDeFormato, TheStoredFormatsCaptionNamesTheSection) {
    struct Case {
        const char *tipo, *caption;
    };
    const Case kCases[] = {
        {"DesignQuickReport1", "Formatos predeterminados: Encabezado"},
        {"DesignQuickReport2", "Formatos predeterminados: Detalle"},
        {"DesignQuickReport3", "Formatos predeterminados: Pie"},
        {"", "Formatos predeterminados"},
        {"Otra", "Formatos predeterminados"},
    };
    vcl::FreePtr<TfrmFormatos> f(vcl::Create<TfrmFormatos>(nullptr, std::string(RAZIR_SOURCE_DIR) + "/formats"));
    EXPECT_EQ(f->lstFormatos->Items().Count(), 2);
    for (const auto& c : kCases) {
        f->SetTipo(c.tipo);
        EXPECT_EQ(f->Caption(), c.caption) << c.tipo;
    }
    f->lstFormatos->PickText("Ticket40.nta");
    EXPECT_FALSE(f->pbxMuestra->Trazos().empty());
}

TEST(EditorDeFormato, PageSetUpGoesToAllThreeSectionsAndRefusesNonsense) {
    Editor e;
    e.Play({Step::Click("mnuConfigurar"), Step::Set("edtAncho", "abc"), Step::Click("btnAceptar"),
            Step::Answer(vcl::mrOk), Step::Set("edtAncho", "80"), Step::Click("btnAceptar")});
    ASSERT_EQ(e.driver.Messages().size(), 1u);
    EXPECT_EQ(e.driver.Messages()[0].request.text, "Escriba una medida en milímetros, de 0 a 1000");
    EXPECT_EQ(e.Doc().Pagina().AnchoMm, 80);
    for (TSeccion s : kSecciones) EXPECT_NE(e.Doc().Seccion(s).objeto.Find("Page.Width"), nullptr);
    EXPECT_TRUE(e.Doc().Modificado());
}

TEST(EditorDeFormato, TheSplitterGivesThePaneAboveMoreRoomAndTheOnesBelowMoveDown) {
    Editor e;
    const int alto = e.f->scrEncabezado->Height(), detalle = e.f->lblDetalle->Top();
    e.f->splEncabezado->MouseDown(vcl::mbLeft, 0, 10, 2);
    e.f->splEncabezado->MouseUp(vcl::mbLeft, 0, 10, 32);
    EXPECT_EQ(e.f->scrEncabezado->Height(), alto + 30);
    EXPECT_EQ(e.f->lblDetalle->Top(), detalle + 30);
    EXPECT_EQ(e.f->DesignQuickReport1->Height(), e.Doc().AltoDiseno(TSeccion::Encabezado));
    // Never below a strip of its own.
    e.f->splEncabezado->MouseDown(vcl::mbLeft, 0, 10, 2);
    e.f->splEncabezado->MouseUp(vcl::mbLeft, 0, 10, -500);
    EXPECT_GT(e.f->scrEncabezado->Height(), 20);
}

TEST(EditorDeFormato, ClosingWithChangesAnsweredNoSavesAsAndStaysOpen) {
    fs::path dir = Temp("_cerrar");
    fs::create_directories(dir);
    Editor e;
    e.f->Sesion.CarpetaFormatos = dir.string();
    e.Play({Step::Click("mnuInsEtiqueta")});
    e.Play({Step::Click("btnSalir"), Step::Answer(vcl::mrNo), Step::Set("edtNombre", "mio"),
            Step::Click("btnAceptar")});
    EXPECT_TRUE(fs::exists(dir / "mio.nta"));
    EXPECT_TRUE(e.f->Visible());
    EXPECT_FALSE(e.Doc().Modificado());
    e.Play({Step::Click("mnuCerrar")});
    EXPECT_EQ(e.editor.frmEditorDeFormato(), nullptr) << "the window was not freed on closing";
    fs::remove_all(dir);
}

}  // namespace
}  // namespace notix::editor
