// Note format files (".nta"): the header, detail and footer section objects, each followed by
// its printable controls, as one component image after another. Builders for the controls,
// the writer of whole formats and the reading of layout items from the images.
// Not here: laying a note out from the items (report.cpp).
#pragma once

#include <string>
#include <vector>

#include "platform/2_vcl/stream/image.h"

namespace notix {

// A printable control of a format as the layout reads it (design units: 96 per inch).
struct TElementoNota {
    enum Tipo { Etiqueta, Figura, Imagen, Otro };
    Tipo tipo = Otro;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::string Caption, NombreCampo;
    bool WordWrap = true;
    int Shape = 0;  // shape type; kLineaHorizontal is a horizontal line
    vcl::stream::Component imagen;  // every stored property, for the format editor

    static constexpr int kLineaHorizontal = 3;
    static TElementoNota Desde(const vcl::stream::Component& c);
};

// Names the editor gives the section objects.
inline constexpr const char* kClaseSeccion = "TDesignQuickReport";
inline constexpr const char* kSeccionEncabezado = "DesignQuickReport1";
inline constexpr const char* kSeccionDetalle = "DesignQuickReport2";
inline constexpr const char* kSeccionPie = "DesignQuickReport3";

struct TSeccionFormato {
    vcl::stream::Component objeto;
    std::vector<vcl::stream::Component> controles;
};

struct TFormatoNota {
    TSeccionFormato encabezado, detalle, pie;
};

vcl::stream::Component Seccion(const std::string& nombre, const std::string& impresora);
vcl::stream::Component Etiqueta(const std::string& nombre, int left, int top, int width,
                                const std::string& caption, const std::string& campo = "",
                                bool wordWrap = false);
vcl::stream::Component LineaHorizontal(const std::string& nombre, int left, int top, int width);

std::string EscribirFormato(const TFormatoNota& formato);

// The controls stored inside a section object rather than after it, depth first: they belong
// to that section as much as the ones that follow it.
std::vector<vcl::stream::Component> ControlesAnidados(const vcl::stream::Component& seccion);

}  // namespace notix
