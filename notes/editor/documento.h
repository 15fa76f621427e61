// The note format being edited, as plain data: three sections (header, detail, footer), each
// its stored section object and its items; the selection, the clipboard, undo and redo and the
// change mark. Every change is a command on this model, so forms, the script driver, the
// desktop view and tests all edit through the same calls.
// Not here: files (archivo.*), windows or drawing.
//
// An item keeps the component image it was read from; its typed properties read and write
// that image, so what the editor does not know (other classes, unknown properties, the type
// each value was stored with) goes back to the file unchanged.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/2_vcl/stream/image.h"

namespace notix::editor {

enum class TSeccion { Encabezado = 0, Detalle = 1, Pie = 2 };
inline constexpr std::array<TSeccion, 3> kSecciones = {TSeccion::Encabezado, TSeccion::Detalle,
                                                       TSeccion::Pie};
// "Encabezado", "Detalle", "Pie".
const char* NombreSeccion(TSeccion s);
// The section object's name: "DesignQuickReport1".."3".
const char* ObjetoSeccion(TSeccion s);

enum class TTipoElemento { Texto, Campo, Imagen, Figura, Otro };
enum class TAlineacion { Izquierda, Derecha, Centro };

// Shape types in stored order; kFiguraLineaHorizontal is what the ticket prints as dashes.
enum TFigura {
    kFiguraRectangulo, kFiguraCirculo, kFiguraLineaVertical, kFiguraLineaHorizontal,
    kFiguraArribaAbajo, kFiguraIzquierdaDerecha
};

struct TFuente {
    std::string Nombre = "Courier New";
    int Tamano = 10;  // points
    int Color = 0;
    bool Negrita = false, Cursiva = false, Subrayado = false;
    bool operator==(const TFuente&) const = default;
};

// Smallest item and grid step, in design units (96 to the inch).
inline constexpr int kMinimo = 5;
inline constexpr int kRejilla = 1;

class TElemento {
public:
    TElemento() = default;
    explicit TElemento(vcl::stream::Component imagen) : imagen_(std::move(imagen)) {}

    const vcl::stream::Component& Imagen() const { return imagen_; }
    int Id() const { return id_; }
    // Read nested inside its section object: written back there.
    bool Anidado() const { return anidado_; }

    TTipoElemento Tipo() const;
    const std::string& Nombre() const { return imagen_.name; }
    int Left() const { return Entero("Left", 0); }
    int Top() const { return Entero("Top", 0); }
    int Width() const { return Entero("Width", 0); }
    int Height() const { return Entero("Height", 0); }
    std::string Caption() const { return Texto("Caption"); }
    std::string NombreCampo() const { return Texto("NombreCampo"); }
    int Tag() const { return Entero("Tag", 0); }
    bool WordWrap() const { return Logico("WordWrap", false); }
    bool Transparent() const { return Logico("Transparent", false); }
    TAlineacion Alineacion() const;
    int Color() const;  // 0xBBGGRR; white when not stored
    TFuente Fuente() const;
    int Figura() const;

    // Setters store only what differs, so an unchanged item keeps its bytes.
    void SetLimites(int left, int top, int width, int height);
    void SetCaption(const std::string& v);
    void SetNombreCampo(const std::string& v);
    void SetTag(int v);
    void SetWordWrap(bool v);
    void SetTransparent(bool v);
    void SetAlineacion(TAlineacion a);
    void SetColor(int bgr);
    void SetFuente(const TFuente& f);
    void SetFigura(int figura);

private:
    friend class TDocumento;
    int Entero(const char* nombre, int omision) const;
    std::string Texto(const char* nombre) const;
    bool Logico(const char* nombre, bool omision) const;
    void SetEntero(const char* nombre, int v);

    vcl::stream::Component imagen_;
    int id_ = 0;
    bool anidado_ = false;
};

// The page settings a section object carries (the editor's own defaults when not stored).
struct TPagina {
    double AnchoMm = 98, LargoMm = 110;
    double MargenSuperior = 0, MargenInferior = 0, MargenIzquierdo = 0, MargenDerecho = 0;
    std::string Fuente = "Courier New";
    std::string Impresora;
    bool operator==(const TPagina&) const = default;
};
// Millimetres to design units, rounded.
int MmADiseno(double mm);

struct TSeccionDoc {
    vcl::stream::Component objeto;
    std::vector<TElemento> elementos;
};

class TDocumento {
public:
    TDocumento();

    // --- reading the model ---
    const TSeccionDoc& Seccion(TSeccion s) const { return secciones_[static_cast<int>(s)]; }
    const TElemento* Buscar(int id) const;
    std::optional<TSeccion> SeccionDe(int id) const;
    // The topmost item (last drawn) under a point of a section; nullptr when none.
    const TElemento* ElementoEn(TSeccion s, int x, int y) const;
    TPagina Pagina() const;  // the header's: the editor keeps the three in step
    // The width a section is drawn at: the paper's, or wider when an item reaches beyond it.
    int AnchoDiseno() const;
    int AltoDiseno(TSeccion s) const;

    TSeccion SeccionActual() const { return actual_; }
    void SetSeccionActual(TSeccion s);
    const std::vector<int>& Seleccion() const { return seleccion_; }
    bool Modificado() const { return modificado_; }
    void SetModificado(bool m) { modificado_ = m; }

    // --- commands (each one undoable, each one sets the change mark) ---
    // A new item at (x, y) of the section, selected alone. A data field takes the field's name
    // and description and the tag 1. Returns its id.
    int Insertar(TSeccion s, TTipoElemento tipo, int x, int y, const std::string& campo = "",
                 const std::string& descripcion = "");
    // Selection: on a section's items only; a click on another section's item moves there.
    void Seleccionar(int id, bool agregar = false);
    void SeleccionarNada();
    void SeleccionarTodo();
    // Moves the selection by (dx, dy) on the grid, never above or left of the section.
    void Mover(int dx, int dy);
    // Grows or shrinks the selection, never below the smallest item.
    void Redimensionar(int dw, int dh);
    void SetLimites(int id, int left, int top, int width, int height);
    // Any change to one item (the properties dialog): `cambio` edits a copy, which replaces
    // the item when it returns.
    void Editar(int id, const std::function<void(TElemento&)>& cambio);
    void Borrar();
    void Copiar();
    void Cortar();
    // The clipboard into the current section, with fresh names, selected.
    void Pegar();
    bool HayPortapapeles() const { return !portapapeles_.empty(); }
    // The section's items replaced by those of another format's same section.
    void ReemplazarSeccion(TSeccion s, std::vector<vcl::stream::Component> controles);
    // The page settings on all three sections.
    void SetPagina(const TPagina& p);
    bool Deshacer();
    bool Rehacer();
    bool PuedeDeshacer() const { return !deshacer_.empty(); }
    bool PuedeRehacer() const { return !rehacer_.empty(); }

    // --- whole documents (not undoable: New and Open) ---
    // Every item removed, default section objects for the printer, no undo, mark cleared.
    void Nuevo(const std::string& impresora = "");
    // From components read in file order. An item is placed on the section whose object
    // was read last; items before any section object, or after one of another name, on the
    // footer, as the ticket prints them; items nested in a section object on that section.
    void Cargar(const std::vector<vcl::stream::Component>& componentes);
    // The file's components: each section object (with its nested items), then its items.
    std::vector<vcl::stream::Component> Componentes() const;

    // Called after every change of the model (the views redraw, the preview is laid out again).
    std::function<void()> OnCambio;

private:
    struct Estado {
        std::array<TSeccionDoc, 3> secciones;
        std::vector<int> seleccion;
        TSeccion actual;
    };
    TSeccionDoc& Sec(TSeccion s) { return secciones_[static_cast<int>(s)]; }
    TElemento* BuscarMut(int id);
    // Saves the state for undo; then the caller changes the model and calls Cambiado.
    void Guardar();
    void Cambiado();
    bool Volver(std::vector<Estado>& desde, std::vector<Estado>& hacia);
    std::string NombreLibre(const std::string& prefijo) const;
    TElemento Nuevo(vcl::stream::Component imagen);

    std::array<TSeccionDoc, 3> secciones_;
    TSeccion actual_ = TSeccion::Encabezado;
    std::vector<int> seleccion_;
    std::vector<vcl::stream::Component> portapapeles_;
    std::vector<Estado> deshacer_, rehacer_;
    bool modificado_ = false;
    int siguienteId_ = 1;
};

}  // namespace notix::editor
