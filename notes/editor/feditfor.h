// The format editor window ("Editor de formato de impresión VELMOR"): tool bar, menus and
// pop-up menu, printers (CUPS) and fixed-pitch fonts (fontconfig), the three section surfaces
// divided by splitters, the sample note as the ticket printer prints it, and the status bar.
// Every handler reads its control, calls the model (documento.*, archivo.*) and redraws.
// Not here: the model's rules, or pixels (the drawing surfaces hold plain shapes).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "notes/editor/archivo.h"
#include "notes/editor/labprop.h"
#include "notes/ntadatos.h"
#include "platform/2_vcl/bars.h"
#include "platform/2_vcl/lists.h"
#include "platform/2_vcl/menus.h"
#include "platform/2_vcl/paintbox.h"
#include "platform/2_vcl/panels.h"

namespace notix::editor {

// The splitter between two section panes: dragging it changes the height of the pane above.
class TAdvSplitter : public vcl::TPaintBox {
public:
    explicit TAdvSplitter(vcl::TComponent* owner);
    // Told how far the pointer moved since the press; the window re-lays its panes.
    std::function<void(int dy)> OnMoved;

private:
    int desde_ = -1;
};

// The insertion tools; at most one is down.
enum THerramienta { hNinguna = -1, hEtiqueta, hCampo, hImagen, hFigura };

class TfrmEditorDeFormato : public vcl::TForm {
public:
    explicit TfrmEditorDeFormato(vcl::TComponent* owner);

    TSesionEditor Sesion;
    // Field lists for data fields, filled by TNtaEditor.
    TListasDeCampos Campos;
    // The data the sample note is printed from (demo data unless the caller gives its own).
    TNtaDatos Muestra;
    // Opened when the window is shown.
    std::string ArchivoActual;

    THerramienta Herramienta() const { return herramienta_; }
    // A click on a tool button: that tool is down (or none when it was), the mark set.
    void ElegirHerramienta(THerramienta h);
    // A double click or the "Insertar" entry: the item goes in at once at the last point
    // pressed on the current section.
    void InsertarAhora(THerramienta h);
    // The properties dialog of the item (text items; shapes and images have none here).
    void EditarPropiedades(int id);
    // The printer chosen: its fonts again and the page defaults on all three sections.
    void ElegirImpresora(const std::string& nombre);
    // Everything shown again from the model.
    void Redibujar();
    vcl::TPaintBox* Superficie(TSeccion s) const { return superficies_[static_cast<int>(s)]; }

    vcl::TMenuItem& MenuPrincipal() { return *mnuPrincipal; }

    vcl::TToolBar* pnlToolButton;
    vcl::TToolButton *btnEtiqueta, *btnDBEtiqueta, *btnImagen, *btnFigura, *btnPredeterminados, *btnNuevo,
        *btnAbrir, *btnGuardar, *btnPegar, *btnCopiar, *btnCortar, *btnSalir;
    vcl::TPanel* pnlListas;
    vcl::TLabel *lblFuentes, *lblImpresoras;
    vcl::TComboBox *cmbFuentes, *cmbImpresoras;
    vcl::TLabel *lblEncabezado, *lblDetalle, *lblPie;
    vcl::TPanel *scrEncabezado, *scrDetalle, *scrPie;
    vcl::TPaintBox *DesignQuickReport1, *DesignQuickReport2, *DesignQuickReport3;
    TAdvSplitter *splEncabezado, *splDetalle;
    vcl::TLabel* lblMuestra;
    vcl::TPaintBox* pbxMuestra;
    vcl::TStatusBar* statEditor;
    vcl::TMenuItem *mnuPrincipal, *mnuArchivo, *mnuNuevoDe, *mnuNuevo, *mnuAbrir, *mnuGuardar, *mnuGuardarComo,
        *mnuCerrar, *mnuEdicion, *mnuDeshacer, *mnuRehacer, *mnuCortar, *mnuCopiar, *mnuPegar, *mnuInsertar,
        *mnuInsEtiqueta, *mnuInsCampo, *mnuInsImagen, *mnuInsFigura, *mnuPredeterminado, *mnuConfigurar;
    vcl::TPopupMenu* pmnEditor;

private:
    void ConstruirMenus();
    void Acomodar();
    void Presion(TSeccion s, vcl::TMouseButton b, vcl::TShiftState shift, int x, int y);
    void Arrastre(TSeccion s, int x, int y);
    void Suelta(TSeccion s, int x, int y);
    void Tecla(vcl::WORD& key, vcl::TShiftState shift);
    void ConfigurarHoja();
    void LlenarFuentes();

    std::array<vcl::TPaintBox*, 3> superficies_{};
    std::array<vcl::TLabel*, 3> titulos_{};
    std::array<vcl::TPanel*, 3> paneles_{};
    std::array<int, 3> altoExtra_{0, 0, 0};  // what the splitters added to or took from a pane
    std::vector<std::string> fuentes_;
    THerramienta herramienta_ = hNinguna;
    vcl::TShiftState ultimoShift_ = 0;
    int ultimoX_ = 0, ultimoY_ = 0;
    vcl::TMouseButton ultimoBoton_ = vcl::mbLeft;
    // A drag in progress: the item under the press, moving or resizing.
    struct Arrastrando {
        int id = 0;
        bool redimensiona = false;
        int x0 = 0, y0 = 0, x = 0, y = 0;
    };
    std::optional<Arrastrando> arrastre_;
    // The format the sample was last printed from: a drag only moves its outline, and the
    // sample is printed again only when the format changed.
    std::string impreso_;
    std::vector<std::string> lineas_;
};

}  // namespace notix::editor
