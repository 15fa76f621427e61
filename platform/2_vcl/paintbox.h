// A drawing surface: a control whose picture is a list of plain shapes (rectangles, ellipses,
// lines, texts) its owner fills, and which takes mouse presses, drags, releases and double
// clicks in its own coordinates, and keys when focused. Models draw into it without pixels;
// a desktop driver paints the list and hands the mouse back.
// Not here: fonts, pixels or what the shapes mean.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/2_vcl/control.h"
#include "platform/2_vcl/menus.h"

namespace vcl {

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// Colours are 0xBBGGRR, as stored colours have always been; kSinColor draws nothing.
inline constexpr int kSinColor = -1;

struct TTrazo {
    enum Tipo { Rectangulo, Elipse, Linea, Texto };
    Tipo tipo = Rectangulo;
    int x = 0, y = 0, ancho = 0, alto = 0;  // a line runs from (x, y) to (x + ancho, y + alto)
    int pluma = 0;                          // outline or text colour; kSinColor: none
    int relleno = kSinColor;
    int grosor = 1;
    bool punteado = false;
    // Texts: drawn inside the rectangle, cut at its right edge.
    std::string texto;
    std::string fuente;  // empty: the surface's fixed-pitch face
    int puntos = 9;
    bool negrita = false, cursiva = false, subrayado = false;
    bool derecha = false, centro = false;
    bool fijo = false;   // fixed pitch whatever the face
    int celda = 0;       // fixed pitch: one character this wide, the face sized to fit it
};

class TPaintBox : public TWinControl {
public:
    explicit TPaintBox(TComponent* AOwner);

    // The picture, back to front. Set replaces it and counts a new version.
    const std::vector<TTrazo>& Trazos() const { return trazos_; }
    void SetTrazos(std::vector<TTrazo> trazos);
    // Grows by one at every change of the picture: a driver repaints when it moved.
    unsigned Version() const { return version_; }
    int Color() const { return color_; }
    void SetColor(int bgr) { color_ = bgr; }

    // Shown by a right click once OnMouseDown has run (not owned).
    TPopupMenu* PopupMenu = nullptr;

    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnDblClick;

    // The user's mouse, as drivers and scripts deliver it.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseMove(TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void DblClick();

    // Arrows belong to the surface (they move what is drawn), not to the dialog keys.
    bool WantsKey(WORD key, TShiftState shift) const override;

private:
    std::vector<TTrazo> trazos_;
    unsigned version_ = 0;
    int color_ = 0xFFFFFF;
};

}  // namespace vcl
