// Format images to layout items and back.
#include "notes/format.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/2_vcl/stream/writer.h"

namespace notix {

using vcl::stream::Component;
using vcl::stream::Value;

namespace {

int IntOf(const Component& c, const char* name, int otherwise) {
    const Value* v = c.Find(name);
    if (!v) return otherwise;
    // Positions of any size are brought within int; the layout cuts them further.
    if (v->IsInteger())
        return static_cast<int>(std::clamp<std::int64_t>(v->integer, INT_MIN, INT_MAX));
    if (v->type == vcl::stream::ValueType::vaExtended || v->type == vcl::stream::ValueType::vaSingle) {
        long double x = v->AsExtended();
        if (std::isnan(x)) return otherwise;
        return static_cast<int>(std::clamp<long double>(x, INT_MIN, INT_MAX));
    }
    return otherwise;
}

std::string TextOf(const Component& c, const char* name) {
    const Value* v = c.Find(name);
    return v && v->IsString() ? v->text : std::string();
}

}  // namespace

TElementoNota TElementoNota::Desde(const Component& c) {
    TElementoNota e;
    e.imagen = c;
    e.tipo = c.className == "TQRDesignLabel"   ? Etiqueta
             : c.className == "TQRDesignShape" ? Figura
             : c.className == "TQRDesignImage" ? Imagen
                                               : Otro;
    e.Left = IntOf(c, "Left", 0);
    e.Top = IntOf(c, "Top", 0);
    e.Width = IntOf(c, "Width", 0);
    e.Height = IntOf(c, "Height", 0);
    e.Caption = TextOf(c, "Caption");
    e.NombreCampo = TextOf(c, "NombreCampo");
    if (const Value* w = c.Find("WordWrap"); w && (w->type == vcl::stream::ValueType::vaTrue ||
                                                   w->type == vcl::stream::ValueType::vaFalse))
        e.WordWrap = w->AsBool();
    if (const Value* s = c.Find("Shape")) {
        static const char* kShapes[] = {"qrsRectangle", "qrsCircle", "qrsVertLine", "qrsHorLine",
                                        "qrsTopAndBottom", "qrsRightAndLeft"};
        if (s->IsInteger()) e.Shape = static_cast<int>(s->integer);
        for (int i = 0; i < 6; ++i)
            if (s->type == vcl::stream::ValueType::vaIdent && s->text == kShapes[i]) e.Shape = i;
    }
    return e;
}

Component Seccion(const std::string& nombre, const std::string& impresora) {
    Component c;
    c.className = kClaseSeccion;
    c.name = nombre;
    c.Set("Left", Value::Int(0));
    c.Set("Top", Value::Int(0));
    c.Set("NombredeImpresora", Value::String(impresora));
    return c;
}

Component Etiqueta(const std::string& nombre, int left, int top, int width,
                   const std::string& caption, const std::string& campo, bool wordWrap) {
    Component c;
    c.className = "TQRDesignLabel";
    c.name = nombre;
    c.Set("Left", Value::Int(left));
    c.Set("Top", Value::Int(top));
    c.Set("Width", Value::Int(width));
    c.Set("Height", Value::Int(17));
    c.Set("Caption", Value::String(caption));
    c.Set("WordWrap", Value::Bool(wordWrap));
    c.Set("NombreCampo", Value::String(campo));
    return c;
}

Component LineaHorizontal(const std::string& nombre, int left, int top, int width) {
    Component c;
    c.className = "TQRDesignShape";
    c.name = nombre;
    c.Set("Left", Value::Int(left));
    c.Set("Top", Value::Int(top));
    c.Set("Width", Value::Int(width));
    c.Set("Height", Value::Int(2));
    c.Set("Shape", Value::Ident("qrsHorLine"));
    return c;
}

std::string EscribirFormato(const TFormatoNota& f) {
    std::string out;
    for (const TSeccionFormato* s : {&f.encabezado, &f.detalle, &f.pie}) {
        vcl::stream::WriteComponent(out, s->objeto);
        for (const auto& c : s->controles) vcl::stream::WriteComponent(out, c);
    }
    return out;
}

namespace {
void Anidados(const Component& c, std::vector<Component>& out) {
    for (const Component& h : c.children) {
        Component sin = h;
        sin.children.clear();
        out.push_back(std::move(sin));
        Anidados(h, out);
    }
}
}  // namespace

std::vector<Component> ControlesAnidados(const Component& seccion) {
    std::vector<Component> out;
    Anidados(seccion, out);
    return out;
}

}  // namespace notix
