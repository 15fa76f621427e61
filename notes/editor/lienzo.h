// What the editor shows, as plain shapes for a drawing surface: each section with its items
// drawn where the ticket prints them (fixed-pitch text in the printer's character cells), the
// selection with its resize grip, and the note the ticket printer would print from sample data.
// Not here: windows, pixels (a desktop driver paints the shapes) or the model's rules.
#pragma once

#include <string>
#include <vector>

#include "notes/editor/documento.h"
#include "notes/ntadatos.h"
#include "platform/2_vcl/paintbox.h"

namespace notix::editor {

// Design units of one printed character: the ticket lays columns out in cells this wide.
inline constexpr int kCelda = 10;
// The grip at an item's lower right corner that resizes it.
inline constexpr int kAgarre = 5;

// The printed column of an item's Left, as the ticket computes it.
int ColumnaImpresa(int left);

std::vector<vcl::TTrazo> DibujarSeccion(const TDocumento& doc, TSeccion s);
// A stored format on one page as wide as its paper, the sections one below the other, white
// with a dark shadow and a black border (the stored-formats dialog's "Muestra"); only one
// section when `limitado` names it.
std::vector<vcl::TTrazo> DibujarFormato(const TDocumento& doc, const TSeccion* limitado);
// True when (x, y) is on the resize grip of the item.
bool EnAgarre(const TElemento& e, int x, int y);

// The sample data of a note with every header field and detail column filled, plus the
// three fields that place the payment and tax lines ("FormasPago", "FormasPagoCompleto",
// "FormasImpuestos"), so a format can be drawn with any of them and previewed.
void DatosDeMuestra(TNtaDatos& datos);

// The note the ticket printer prints from `datos` with the format as it is now, one string a
// line. A format the engine refuses gives the reason as the only line.
std::vector<std::string> LineasDeMuestra(const TDocumento& doc, const TNtaDatos& datos);
// The lines as a paper roll `columnas` characters wide.
std::vector<vcl::TTrazo> DibujarMuestra(const std::vector<std::string>& lineas, int columnas);
// Pixels of one preview character and line.
inline constexpr int kCeldaMuestra = 8;
inline constexpr int kLineaMuestra = 15;

}  // namespace notix::editor
