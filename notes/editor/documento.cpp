// The format model's commands. Undo keeps whole states: a format is a few dozen items, so a
// copy per command is cheap and leaves no command without its exact inverse.
#include "notes/editor/documento.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "notes/format.h"
#include "platform/1_text/utf8.h"
#include "platform/2_vcl/component.h"

namespace notix::editor {

using vcl::stream::Component;
using vcl::stream::Value;
using vcl::stream::ValueType;

namespace {

constexpr std::size_t kMaxDeshacer = 200;

const char* const kAlineaciones[] = {"taLeftJustify", "taRightJustify", "taCenter"};

struct ColorConNombre {
    const char* nombre;
    int bgr;
};
// The colour names a stored colour may carry; system colours read as what they look like.
constexpr ColorConNombre kColores[] = {
    {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},  {"clPurple", 0x800080}, {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},   {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},  {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF},
    {"clWindow", 0xFFFFFF}, {"clBtnFace", 0xC0C0C0}, {"clWindowText", 0x000000},
};

int ColorDe(const Value* v, int omision) {
    if (!v) return omision;
    if (v->IsInteger()) return static_cast<int>(v->integer);
    if (v->type == ValueType::vaIdent)
        for (const auto& c : kColores)
            if (v->text == c.nombre) return c.bgr;
    return omision;
}

long double Real(const Component& c, const char* nombre, long double omision) {
    const Value* v = c.Find(nombre);
    if (!v) return omision;
    try {
        return v->AsExtended();
    } catch (const vcl::stream::EReadError&) {
        return omision;
    }
}

std::string PrefijoDe(const Component& c) {
    return c.className.size() > 1 && c.className[0] == 'T' ? c.className.substr(1) : c.className;
}

// Stores a value only when it differs from what is stored (or nothing is), so reading and
// writing an untouched item gives its bytes back.
void Poner(Component& c, const char* nombre, Value v, bool (*igual)(const Value&, const Value&)) {
    if (const Value* actual = c.Find(nombre); actual && igual(*actual, v)) return;
    c.Set(nombre, std::move(v));
}

bool MismoEntero(const Value& a, const Value& b) { return a.IsInteger() && a.integer == b.integer; }
bool MismoTexto(const Value& a, const Value& b) { return a.IsString() && a.text == b.text; }
bool MismoTipo(const Value& a, const Value& b) {
    return a.type == b.type && (a.type != ValueType::vaIdent || a.text == b.text);
}
bool MismoReal(const Value& a, const Value& b) {
    try {
        return a.AsExtended() == b.AsExtended();
    } catch (const vcl::stream::EReadError&) {
        return false;
    }
}
bool MismoConjunto(const Value& a, const Value& b) { return a.type == ValueType::vaSet && a.set == b.set; }

}  // namespace

const char* NombreSeccion(TSeccion s) {
    static const char* const kNombres[] = {"Encabezado", "Detalle", "Pie"};
    return kNombres[static_cast<int>(s)];
}

const char* ObjetoSeccion(TSeccion s) {
    static const char* const kObjetos[] = {kSeccionEncabezado, kSeccionDetalle, kSeccionPie};
    return kObjetos[static_cast<int>(s)];
}

int MmADiseno(double mm) { return static_cast<int>(std::lround(mm * 96.0 / 25.4)); }

// ---------------------------------------------------------------------------------------------
// TElemento

TTipoElemento TElemento::Tipo() const {
    const std::string& k = imagen_.className;
    if (k == "TQRDesignLabel") return Tag() == 1 || !NombreCampo().empty() ? TTipoElemento::Campo : TTipoElemento::Texto;
    if (k == "TQRDesignShape") return TTipoElemento::Figura;
    if (k == "TQRDesignImage") return TTipoElemento::Imagen;
    return TTipoElemento::Otro;
}

int TElemento::Entero(const char* nombre, int omision) const {
    const Value* v = imagen_.Find(nombre);
    if (!v || !v->IsInteger()) return omision;
    return static_cast<int>(std::clamp<std::int64_t>(v->integer, INT_MIN, INT_MAX));
}

std::string TElemento::Texto(const char* nombre) const {
    const Value* v = imagen_.Find(nombre);
    return v && v->IsString() ? v->text : std::string();
}

bool TElemento::Logico(const char* nombre, bool omision) const {
    const Value* v = imagen_.Find(nombre);
    if (!v || (v->type != ValueType::vaTrue && v->type != ValueType::vaFalse)) return omision;
    return v->AsBool();
}

void TElemento::SetEntero(const char* nombre, int v) {
    // An absent integer reads as 0: storing a 0 there would change the bytes for nothing.
    if (!imagen_.Find(nombre) && v == 0) return;
    Poner(imagen_, nombre, Value::Int(v), MismoEntero);
}

TAlineacion TElemento::Alineacion() const {
    const Value* v = imagen_.Find("Alignment");
    if (v && v->type == ValueType::vaIdent) {
        if (v->text == kAlineaciones[1]) return TAlineacion::Derecha;
        if (v->text == kAlineaciones[2]) return TAlineacion::Centro;
    }
    return TAlineacion::Izquierda;
}

int TElemento::Color() const { return ColorDe(imagen_.Find("Color"), 0xFFFFFF); }

TFuente TElemento::Fuente() const {
    TFuente f;
    if (const Value* v = imagen_.Find("Font.Name"); v && v->IsString()) f.Nombre = v->text;
    if (const Value* v = imagen_.Find("Font.Size"); v && v->IsInteger())
        f.Tamano = static_cast<int>(v->integer);
    else if (const Value* h = imagen_.Find("Font.Height"); h && h->IsInteger())
        f.Tamano = static_cast<int>(std::lround(std::abs(static_cast<double>(h->integer)) * 72.0 / 96.0));
    f.Color = ColorDe(imagen_.Find("Font.Color"), 0);
    if (const Value* s = imagen_.Find("Font.Style"); s && s->type == ValueType::vaSet)
        for (const auto& e : s->set) {
            f.Negrita |= e == "fsBold";
            f.Cursiva |= e == "fsItalic";
            f.Subrayado |= e == "fsUnderline";
        }
    return f;
}

int TElemento::Figura() const { return TElementoNota::Desde(imagen_).Shape; }

void TElemento::SetLimites(int left, int top, int width, int height) {
    SetEntero("Left", left);
    SetEntero("Top", top);
    SetEntero("Width", width);
    SetEntero("Height", height);
}

void TElemento::SetCaption(const std::string& v) {
    if (v == Caption()) return;
    Poner(imagen_, "Caption", Value::String(v), MismoTexto);
}

void TElemento::SetNombreCampo(const std::string& v) {
    // A short string in the file, whatever its length: an over-long name is refused when
    // saving (archivo.h), never written in another type the loader would not expect.
    if (v == NombreCampo()) return;
    Value s = Value::String(v);
    s.type = ValueType::vaString;
    Poner(imagen_, "NombreCampo", std::move(s), MismoTexto);
}

void TElemento::SetTag(int v) {
    if (v == Tag()) return;
    SetEntero("Tag", v);
}

void TElemento::SetWordWrap(bool v) {
    if (v == WordWrap()) return;
    Poner(imagen_, "WordWrap", Value::Bool(v), MismoTipo);
}

void TElemento::SetTransparent(bool v) {
    if (v == Transparent()) return;
    Poner(imagen_, "Transparent", Value::Bool(v), MismoTipo);
}

void TElemento::SetAlineacion(TAlineacion a) {
    if (a == Alineacion()) return;
    Poner(imagen_, "Alignment", Value::Ident(kAlineaciones[static_cast<int>(a)]), MismoTipo);
}

void TElemento::SetColor(int bgr) {
    if (bgr == Color()) return;
    SetEntero("Color", bgr);
}

void TElemento::SetFuente(const TFuente& f) {
    const TFuente antes = Fuente();
    if (f.Nombre != antes.Nombre) Poner(imagen_, "Font.Name", Value::String(f.Nombre), MismoTexto);
    if (f.Tamano != antes.Tamano) {
        if (imagen_.Find("Font.Size"))
            SetEntero("Font.Size", f.Tamano);
        else
            SetEntero("Font.Height", -static_cast<int>(std::lround(f.Tamano * 96.0 / 72.0)));
    }
    if (f.Color != antes.Color) SetEntero("Font.Color", f.Color);
    if (f.Negrita != antes.Negrita || f.Cursiva != antes.Cursiva || f.Subrayado != antes.Subrayado) {
        Value s;
        s.type = ValueType::vaSet;
        if (f.Negrita) s.set.push_back("fsBold");
        if (f.Cursiva) s.set.push_back("fsItalic");
        if (f.Subrayado) s.set.push_back("fsUnderline");
        Poner(imagen_, "Font.Style", std::move(s), MismoConjunto);
    }
}

void TElemento::SetFigura(int figura) {
    static const char* const kNombres[] = {"qrsRectangle", "qrsCircle", "qrsVertLine",
                                           "qrsHorLine", "qrsTopAndBottom", "qrsRightAndLeft"};
    if (figura < 0 || figura > 5 || figura == Figura()) return;
    Poner(imagen_, "Shape", Value::Ident(kNombres[figura]), MismoTipo);
}

// ---------------------------------------------------------------------------------------------
// TDocumento: reading

TDocumento::TDocumento() { Nuevo(); }

const TElemento* TDocumento::Buscar(int id) const {
    for (const auto& s : secciones_)
        for (const auto& e : s.elementos)
            if (e.id_ == id) return &e;
    return nullptr;
}

TElemento* TDocumento::BuscarMut(int id) { return const_cast<TElemento*>(Buscar(id)); }

std::optional<TSeccion> TDocumento::SeccionDe(int id) const {
    for (TSeccion s : kSecciones)
        for (const auto& e : Seccion(s).elementos)
            if (e.id_ == id) return s;
    return std::nullopt;
}

const TElemento* TDocumento::ElementoEn(TSeccion s, int x, int y) const {
    const auto& els = Seccion(s).elementos;
    for (auto it = els.rbegin(); it != els.rend(); ++it)
        if (x >= it->Left() && x < it->Left() + std::max(it->Width(), 1) && y >= it->Top() &&
            y < it->Top() + std::max(it->Height(), 1))
            return &*it;
    return nullptr;
}

TPagina TDocumento::Pagina() const {
    const Component& o = Seccion(TSeccion::Encabezado).objeto;
    TPagina p;
    p.AnchoMm = static_cast<double>(Real(o, "Page.Width", p.AnchoMm));
    p.LargoMm = static_cast<double>(Real(o, "Page.Length", p.LargoMm));
    p.MargenSuperior = static_cast<double>(Real(o, "Page.TopMargin", 0));
    p.MargenInferior = static_cast<double>(Real(o, "Page.BottomMargin", 0));
    p.MargenIzquierdo = static_cast<double>(Real(o, "Page.LeftMargin", 0));
    p.MargenDerecho = static_cast<double>(Real(o, "Page.RightMargin", 0));
    if (const Value* v = o.Find("Font.Name"); v && v->IsString()) p.Fuente = v->text;
    if (const Value* v = o.Find("NombredeImpresora"); v && v->IsString()) p.Impresora = v->text;
    return p;
}

int TDocumento::AnchoDiseno() const {
    int ancho = MmADiseno(Pagina().AnchoMm);
    for (const auto& s : secciones_)
        for (const auto& e : s.elementos) ancho = std::max(ancho, e.Left() + e.Width());
    return ancho;
}

int TDocumento::AltoDiseno(TSeccion s) const {
    int alto = 40;
    for (const auto& e : Seccion(s).elementos) alto = std::max(alto, e.Top() + e.Height() + 10);
    return alto;
}

// ---------------------------------------------------------------------------------------------
// TDocumento: commands

void TDocumento::Guardar() {
    deshacer_.push_back({secciones_, seleccion_, actual_});
    if (deshacer_.size() > kMaxDeshacer) deshacer_.erase(deshacer_.begin());
    rehacer_.clear();
}

void TDocumento::Cambiado() {
    modificado_ = true;
    if (OnCambio) OnCambio();
}

std::string TDocumento::NombreLibre(const std::string& prefijo) const {
    for (int n = 1;; ++n) {
        std::string nombre = prefijo + std::to_string(n);
        bool usado = false;
        for (const auto& s : secciones_) {
            usado |= vcl::SameName(s.objeto.name, nombre);
            for (const auto& e : s.elementos) usado |= vcl::SameName(e.Nombre(), nombre);
        }
        if (!usado) return nombre;
    }
}

TElemento TDocumento::Nuevo(Component imagen) {
    TElemento e(std::move(imagen));
    e.id_ = siguienteId_++;
    return e;
}

void TDocumento::SetSeccionActual(TSeccion s) {
    if (s == actual_) return;
    actual_ = s;
    seleccion_.clear();
    if (OnCambio) OnCambio();
}

int TDocumento::Insertar(TSeccion s, TTipoElemento tipo, int x, int y, const std::string& campo,
                         const std::string& descripcion) {
    Guardar();
    x = std::max(0, x - x % kRejilla);
    y = std::max(0, y - y % kRejilla);
    Component c;
    switch (tipo) {
        case TTipoElemento::Texto: {
            std::string nombre = NombreLibre("QRDesignLabel");
            c = Etiqueta(nombre, x, y, static_cast<int>(10 * text::Utf8Length(nombre)), nombre);
            break;
        }
        case TTipoElemento::Campo: {
            std::string caption = descripcion.empty() ? campo : descripcion;
            c = Etiqueta(NombreLibre("QRDesignLabel"), x, y,
                         std::max(50, static_cast<int>(10 * text::Utf8Length(caption))), caption, campo);
            c.Set("Tag", Value::Int(1));
            break;
        }
        case TTipoElemento::Figura:
            // The one shape a ticket prints (as dashes); its type is changed in the shape dialog.
            c = LineaHorizontal(NombreLibre("QRDesignShape"), x, y, 100);
            c.Set("Height", Value::Int(kMinimo));
            break;
        case TTipoElemento::Imagen:
        case TTipoElemento::Otro:
            c.className = "TQRDesignImage";
            c.name = NombreLibre("QRDesignImage");
            c.Set("Left", Value::Int(x));
            c.Set("Top", Value::Int(y));
            c.Set("Width", Value::Int(105));
            c.Set("Height", Value::Int(105));
            break;
    }
    TElemento e = Nuevo(std::move(c));
    int id = e.id_;
    Sec(s).elementos.push_back(std::move(e));
    actual_ = s;
    seleccion_ = {id};
    Cambiado();
    return id;
}

void TDocumento::Seleccionar(int id, bool agregar) {
    std::optional<TSeccion> s = SeccionDe(id);
    if (!s) return;
    if (*s != actual_) {
        actual_ = *s;
        seleccion_.clear();
    }
    if (!agregar) seleccion_.clear();
    if (std::find(seleccion_.begin(), seleccion_.end(), id) == seleccion_.end()) seleccion_.push_back(id);
    if (OnCambio) OnCambio();
}

void TDocumento::SeleccionarNada() {
    seleccion_.clear();
    if (OnCambio) OnCambio();
}

void TDocumento::SeleccionarTodo() {
    seleccion_.clear();
    for (const auto& e : Seccion(actual_).elementos) seleccion_.push_back(e.id_);
    if (OnCambio) OnCambio();
}

void TDocumento::Mover(int dx, int dy) {
    if (seleccion_.empty()) return;
    // The group keeps its shape: the step is cut so that no item leaves the section.
    int minLeft = INT_MAX, minTop = INT_MAX;
    for (int id : seleccion_) {
        minLeft = std::min(minLeft, Buscar(id)->Left());
        minTop = std::min(minTop, Buscar(id)->Top());
    }
    dx = std::max(dx, -minLeft);
    dy = std::max(dy, -minTop);
    dx -= dx % kRejilla;
    dy -= dy % kRejilla;
    if (dx == 0 && dy == 0) return;
    Guardar();
    for (int id : seleccion_) {
        TElemento* e = BuscarMut(id);
        e->SetEntero("Left", e->Left() + dx);
        e->SetEntero("Top", e->Top() + dy);
    }
    Cambiado();
}

void TDocumento::Redimensionar(int dw, int dh) {
    bool cambia = false;
    for (int id : seleccion_) {
        const TElemento* e = Buscar(id);
        cambia |= std::max(kMinimo, e->Width() + dw) != e->Width() ||
                  std::max(kMinimo, e->Height() + dh) != e->Height();
    }
    if (!cambia) return;
    Guardar();
    for (int id : seleccion_) {
        TElemento* e = BuscarMut(id);
        e->SetEntero("Width", std::max(kMinimo, e->Width() + dw));
        e->SetEntero("Height", std::max(kMinimo, e->Height() + dh));
    }
    Cambiado();
}

void TDocumento::SetLimites(int id, int left, int top, int width, int height) {
    const TElemento* e = Buscar(id);
    if (!e) return;
    left = std::max(0, left), top = std::max(0, top);
    width = std::max(kMinimo, width), height = std::max(kMinimo, height);
    if (left == e->Left() && top == e->Top() && width == e->Width() && height == e->Height()) return;
    Guardar();
    BuscarMut(id)->SetLimites(left, top, width, height);
    Cambiado();
}

void TDocumento::Editar(int id, const std::function<void(TElemento&)>& cambio) {
    const TElemento* e = Buscar(id);
    if (!e) return;
    TElemento copia = *e;
    cambio(copia);
    copia.id_ = id;
    Guardar();
    *BuscarMut(id) = std::move(copia);
    Cambiado();
}

void TDocumento::Copiar() {
    if (seleccion_.empty()) return;
    portapapeles_.clear();
    // In section order, so pasting keeps the items' drawing order.
    for (const auto& e : Seccion(actual_).elementos)
        if (std::find(seleccion_.begin(), seleccion_.end(), e.id_) != seleccion_.end())
            portapapeles_.push_back(e.imagen_);
}

void TDocumento::Borrar() {
    if (seleccion_.empty()) return;
    Guardar();
    for (auto& s : secciones_)
        std::erase_if(s.elementos, [&](const TElemento& e) {
            return std::find(seleccion_.begin(), seleccion_.end(), e.id_) != seleccion_.end();
        });
    seleccion_.clear();
    Cambiado();
}

void TDocumento::Cortar() {
    Copiar();
    Borrar();
}

void TDocumento::Pegar() {
    if (portapapeles_.empty()) return;
    Guardar();
    seleccion_.clear();
    for (Component c : portapapeles_) {
        c.name = NombreLibre(PrefijoDe(c));
        TElemento e = Nuevo(std::move(c));
        seleccion_.push_back(e.id_);
        Sec(actual_).elementos.push_back(std::move(e));
    }
    Cambiado();
}

void TDocumento::ReemplazarSeccion(TSeccion s, std::vector<Component> controles) {
    Guardar();
    Sec(s).elementos.clear();
    for (Component& c : controles) {
        if (!c.name.empty()) {
            bool usado = false;
            for (const auto& sec : secciones_)
                for (const auto& e : sec.elementos) usado |= vcl::SameName(e.Nombre(), c.name);
            if (usado) c.name = NombreLibre(PrefijoDe(c));
        }
        Sec(s).elementos.push_back(Nuevo(std::move(c)));
    }
    actual_ = s;
    seleccion_.clear();
    Cambiado();
}

void TDocumento::SetPagina(const TPagina& p) {
    Guardar();
    for (auto& s : secciones_) {
        Component& o = s.objeto;
        Poner(o, "Page.PaperSize", Value::Ident("Custom"), MismoTipo);
        Poner(o, "Page.Width", Value::Double(p.AnchoMm), MismoReal);
        Poner(o, "Page.Length", Value::Double(p.LargoMm), MismoReal);
        Poner(o, "Page.TopMargin", Value::Double(p.MargenSuperior), MismoReal);
        Poner(o, "Page.BottomMargin", Value::Double(p.MargenInferior), MismoReal);
        Poner(o, "Page.LeftMargin", Value::Double(p.MargenIzquierdo), MismoReal);
        Poner(o, "Page.RightMargin", Value::Double(p.MargenDerecho), MismoReal);
        Poner(o, "Font.Name", Value::String(p.Fuente), MismoTexto);
        Value impresora = Value::String(p.Impresora);
        impresora.type = ValueType::vaString;
        Poner(o, "NombredeImpresora", std::move(impresora), MismoTexto);
    }
    Cambiado();
}

// Undo and redo are one move: the present state goes on one stack, the other's top returns.
bool TDocumento::Volver(std::vector<Estado>& desde, std::vector<Estado>& hacia) {
    if (desde.empty()) return false;
    hacia.push_back({secciones_, seleccion_, actual_});
    Estado e = std::move(desde.back());
    desde.pop_back();
    secciones_ = std::move(e.secciones);
    seleccion_ = std::move(e.seleccion);
    actual_ = e.actual;
    Cambiado();
    return true;
}

bool TDocumento::Deshacer() { return Volver(deshacer_, rehacer_); }
bool TDocumento::Rehacer() { return Volver(rehacer_, deshacer_); }

// ---------------------------------------------------------------------------------------------
// TDocumento: whole documents

void TDocumento::Nuevo(const std::string& impresora) {
    for (TSeccion s : kSecciones) {
        Sec(s).objeto = notix::Seccion(ObjetoSeccion(s), impresora);
        Sec(s).elementos.clear();
    }
    actual_ = TSeccion::Encabezado;
    seleccion_.clear();
    deshacer_.clear();
    rehacer_.clear();
    modificado_ = false;
    if (OnCambio) OnCambio();
}

void TDocumento::Cargar(const std::vector<Component>& componentes) {
    // A section whose object the file lacks gets a default one.
    for (TSeccion s : kSecciones) {
        Sec(s).objeto = notix::Seccion(ObjetoSeccion(s), "");
        Sec(s).elementos.clear();
    }
    bool visto[3] = {false, false, false};
    TSeccion actual = TSeccion::Pie;  // what comes before any section object prints in the footer
    for (const Component& c : componentes) {
        if (c.className == kClaseSeccion) {
            actual = TSeccion::Pie;
            for (TSeccion s : kSecciones)
                if (c.name == ObjetoSeccion(s)) actual = s;
            // The first object of each section is kept as read; items nested in it are
            // written back inside it. Nested in any other section object they are written
            // after their section's object.
            const int i = static_cast<int>(actual);
            const bool propio = c.name == ObjetoSeccion(actual) && !visto[i];
            if (propio) {
                visto[i] = true;
                Sec(actual).objeto = c;
                Sec(actual).objeto.children.clear();
            }
            for (const Component& hijo : c.children) {
                TElemento e = Nuevo(hijo);
                e.anidado_ = propio;
                Sec(actual).elementos.push_back(std::move(e));
            }
            continue;
        }
        Sec(actual).elementos.push_back(Nuevo(c));
    }
    actual_ = TSeccion::Encabezado;
    seleccion_.clear();
    deshacer_.clear();
    rehacer_.clear();
    modificado_ = false;
    if (OnCambio) OnCambio();
}

std::vector<Component> TDocumento::Componentes() const {
    std::vector<Component> out;
    for (const auto& s : secciones_) {
        Component objeto = s.objeto;
        for (const auto& e : s.elementos)
            if (e.anidado_) objeto.children.push_back(e.imagen_);
        out.push_back(std::move(objeto));
        for (const auto& e : s.elementos)
            if (!e.anidado_) out.push_back(e.imagen_);
    }
    return out;
}

}  // namespace notix::editor
