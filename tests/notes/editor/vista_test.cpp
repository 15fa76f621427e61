// The format editor on the desktop driver (offscreen platform): each shipped format open with
// its sample note, an item dragged with the real mouse and moved by the arrow keys, and the
// text-item dialog; pictures go to build/screenshots/.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <string>

#include "notes/editor/fformato.h"
#include "notes/editor/lienzo.h"
#include "notes/editor/ntaedit.h"
#include "platform/2_vcl/application.h"
#include "platform/5_desktop/desktop_driver.h"

namespace notix::editor {
namespace {

const bool kOffscreen = [] { return setenv("QT_QPA_PLATFORM", "offscreen", 1) == 0; }();

std::string Shot(const std::string& name) { return std::string(RAZIR_SCREENSHOTS) + "/" + name + ".png"; }

std::string Muestra(const TfrmEditorDeFormato& f) {
    std::string s;
    for (const auto& t : f.pbxMuestra->Trazos())
        if (t.tipo == vcl::TTrazo::Texto) s += t.texto + "\n";
    return s;
}

struct Escritorio {
    vcl::qt::DesktopDriver driver;
    vcl::DriverScope scope{driver};
    TNtaDatos datos;
    TNtaEditor editor;
    Escritorio() {
        DatosDeMuestra(datos);
        editor.SetNtaDatos(&datos);
        editor.AlCrearVentana = [this](TfrmEditorDeFormato& v) { driver.SetMainMenu(v, v.MenuPrincipal()); };
    }
    TfrmEditorDeFormato* Abrir(const char* formato) {
        editor.EjecutarEditorNta(std::string(RAZIR_SOURCE_DIR) + "/formats/" + formato);
        return editor.frmEditorDeFormato();
    }
};

TEST(EditorEnEscritorio, EachShippedFormatWithItsSampleNote) {
    ASSERT_TRUE(kOffscreen);
    Escritorio e;
    for (const char* formato : {"Ticket40.nta", "Nota80.nta"}) {
        SCOPED_TRACE(formato);
        TfrmEditorDeFormato* f = e.Abrir(formato);
        ASSERT_NE(f, nullptr);
        QApplication::processEvents();
        EXPECT_FALSE(f->Sesion.Documento.Modificado());
        EXPECT_NE(Muestra(*f).find("TOTAL"), std::string::npos);
        ASSERT_NE(e.driver.Widget(*f->DesignQuickReport1), nullptr);
        EXPECT_TRUE(e.driver.SavePicture(f, Shot(std::string("editor-") + formato)));
    }
}

TEST(EditorEnEscritorio, TheMouseDragsAnItemAndTheArrowsStepIt) {
    Escritorio e;
    TfrmEditorDeFormato* f = e.Abrir("Ticket40.nta");
    TDocumento& d = f->Sesion.Documento;
    QWidget* detalle = e.driver.Widget(*f->DesignQuickReport2);
    ASSERT_NE(detalle, nullptr);
    const TElemento& cantidad = d.Seccion(TSeccion::Detalle).elementos.at(0);
    const int id = cantidad.Id(), left = cantidad.Left();
    const QPoint desde(left + 3, cantidad.Top() + 3);
    QTest::mousePress(detalle, Qt::LeftButton, {}, desde);
    QMouseEvent move(QEvent::MouseMove, QPointF(desde + QPoint(20, 0)), QPointF(detalle->mapToGlobal(desde + QPoint(20, 0))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(detalle, &move);
    QTest::mouseRelease(detalle, Qt::LeftButton, {}, desde + QPoint(20, 0));
    EXPECT_EQ(d.Buscar(id)->Left(), left + 20);
    EXPECT_EQ(f->statEditor->SimpleText(), "X: " + std::to_string(left + 20) + " / Y: 0");
    QTest::keyClick(detalle, Qt::Key_Left);
    QTest::keyClick(detalle, Qt::Key_Left);
    EXPECT_EQ(d.Buscar(id)->Left(), left + 18);
    EXPECT_TRUE(d.Modificado());
    EXPECT_TRUE(e.driver.SavePicture(f, Shot("editor-arrastre")));
    d.SetModificado(false);
}

TEST(EditorEnEscritorio, ARightClickOffersThePopUpAndInsertsWhereItWasPressed) {
    Escritorio e;
    TfrmEditorDeFormato* f = e.Abrir("Ticket40.nta");
    QWidget* detalle = e.driver.Widget(*f->DesignQuickReport2);
    bool visto = false;
    QTimer::singleShot(200, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        visto = menu->grab().save(QString::fromStdString(Shot("editor-menu")));
        for (QAction* a : menu->actions())
            if (a->menu() && a->text() == "Insertar")
                for (QAction* b : a->menu()->actions())
                    if (b->text() == "Etiqueta") b->trigger();
        menu->close();
    });
    QTest::mouseClick(detalle, Qt::RightButton, {}, QPoint(120, 10));
    EXPECT_TRUE(visto);
    const auto& det = f->Sesion.Documento.Seccion(TSeccion::Detalle).elementos;
    ASSERT_EQ(det.size(), 4u);
    EXPECT_EQ(det.back().Left(), 120);
    EXPECT_EQ(det.back().Top(), 10);
    f->Sesion.Documento.SetModificado(false);
}

TEST(EditorEnEscritorio, TheStoredFormatsDialogWithItsSample) {
    Escritorio e;
    vcl::FreePtr<TfrmFormatos> f(vcl::Create<TfrmFormatos>(nullptr, std::string(RAZIR_SOURCE_DIR) + "/formats"));
    f->SetTipo("DesignQuickReport3");
    f->lstFormatos->PickText("Ticket40.nta");
    bool visto = false;
    QTimer::singleShot(200, [&] {
        visto = e.driver.SavePicture(f.get(), Shot("editor-formatos"));
        QTest::keyClick(e.driver.Window(*f), Qt::Key_Escape);
    });
    EXPECT_EQ(f->ShowModal(), vcl::mrCancel);
    EXPECT_TRUE(visto);
}

TEST(EditorEnEscritorio, TheTextItemDialog) {
    Escritorio e;
    TfrmEditorDeFormato* f = e.Abrir("Ticket40.nta");
    TDocumento& d = f->Sesion.Documento;
    const int id = d.Seccion(TSeccion::Pie).elementos.at(1).Id();  // "SUBTOTAL"
    // Pictured and cancelled with Escape once it shows.
    auto fotografiar = [&](const char* nombre, bool& visto) {
        QTimer::singleShot(200, [&e, nombre, &visto] {
            vcl::TForm* dialogo = vcl::Screen->FindForm("VlmLabelPropertyForm");
            ASSERT_NE(dialogo, nullptr);
            visto = e.driver.SavePicture(dialogo, Shot(nombre));
            QTest::keyClick(e.driver.Window(*dialogo), Qt::Key_Escape);
        });
    };
    bool texto = false, campo = false;
    fotografiar("editor-etiqueta", texto);
    f->EditarPropiedades(id);
    EXPECT_TRUE(texto);
    fotografiar("editor-campo", campo);
    f->EditarPropiedades(d.Seccion(TSeccion::Pie).elementos.at(2).Id());  // SubTotal
    EXPECT_TRUE(campo);
    EXPECT_FALSE(d.Modificado());
}

}  // namespace
}  // namespace notix::editor
