// Sections and the preview as shapes. The preview goes through the real note engine (the
// format written to a file, loaded, printed to a file port), so it shows what the printer
// would get, not an imitation of it.
#include "notes/editor/lienzo.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "notes/demo.h"
#include "notes/editor/archivo.h"
#include "notes/report.h"
#include "platform/1_text/utf8.h"

namespace notix::editor {

namespace fs = std::filesystem;
using vcl::TTrazo;

namespace {

constexpr int kAzul = 0xC06000;      // selection
constexpr int kTinta = 0x202020;     // fixed texts
constexpr int kCampo = 0x8B3A00;     // data fields
constexpr int kFondoCampo = 0xF7EEE2;
constexpr int kGris = 0x909090;

TTrazo Rect(int x, int y, int w, int h, int pluma, int relleno = vcl::kSinColor, bool punteado = false) {
    TTrazo t;
    t.tipo = TTrazo::Rectangulo;
    t.x = x, t.y = y, t.ancho = w, t.alto = h;
    t.pluma = pluma;
    t.relleno = relleno;
    t.punteado = punteado;
    return t;
}

TTrazo Texto(int x, int y, int w, int h, const std::string& s, int color) {
    TTrazo t;
    t.tipo = TTrazo::Texto;
    t.x = x, t.y = y, t.ancho = w, t.alto = h;
    t.texto = s;
    t.pluma = color;
    t.fijo = true;
    t.celda = kCelda;
    return t;
}

bool EsListaDeLineas(const std::string& campo) {
    return campo == "FormasPago" || campo == "FormasPagoCompleto" || campo == "FormasImpuestos";
}

// Whether the ticket prints a field flush right in its width, and in how many cells beyond
// Width / 10 (-1: not flush right): asked of the note engine itself with a one-field note, so
// the drawing follows the engine's own list of amounts.
int ImpresoADerecha(const std::string& campo) {
    static std::map<std::string, int> sabidos;
    if (campo.empty()) return -1;
    if (auto it = sabidos.find(campo); it != sabidos.end()) return it->second;
    // A header field first, then a detail column: the engine looks them up in that order.
    auto prueba = [&campo](bool detalle) {
        try {
            TNtaDatos datos;
            TNtaReporte r;
            datos.SetNotaReporte(&r);
            datos.Campos().Add().SetNombre("Moneda");
            if (detalle) {
                TCampoDetalle& col = datos.CamposDetalle().Add();
                col.SetNombre(campo);
                datos.CamposDetalle().Append();
                col.SetAsString("$1.00");
            } else {
                TCampo& c = datos.Campos().Add();
                c.SetNombre(campo);
                c.SetAsString("$1.00");
            }
            TElementoNota e;
            e.tipo = TElementoNota::Etiqueta;
            e.NombreCampo = campo;
            e.Width = 10 * kCelda;
            const std::string t = r.CadenaAImprimir(e);
            return t.starts_with("  ") ? static_cast<int>(text::Utf8Length(t)) - 10 : -1;
        } catch (const std::exception&) {
            return -1;  // "Letras" with no number: words, not an amount
        }
    };
    const int cabecera = prueba(false);
    return sabidos[campo] = cabecera >= 0 ? cabecera : prueba(true);
}

// The text of an item as the ticket lays it out in its cells: cut to the width when it does
// not wrap, flush right when right-aligned.
std::string TextoEnCeldas(const TElemento& e, int celdas) {
    std::string s = e.Caption();
    std::size_t n = text::Utf8Length(s);
    if (!e.WordWrap() && n > static_cast<std::size_t>(celdas)) s = text::Utf8Left(s, std::max(celdas, 1));
    return s;
}

void DibujarElemento(const TElemento& e, std::vector<TTrazo>& out) {
    const int x = e.Left(), y = e.Top(), w = std::max(e.Width(), 1), h = std::max(e.Height(), 1);
    switch (e.Tipo()) {
        case TTipoElemento::Texto:
        case TTipoElemento::Campo: {
            const bool campo = e.Tipo() == TTipoElemento::Campo;
            if (EsListaDeLineas(e.NombreCampo())) {
                // Payment and tax lines print whole lines where the item is: shown so, not cut
                // to the item's own width.
                out.push_back(Rect(x, y, w, h, kCampo, kFondoCampo));
                TTrazo t = Texto(x + 2, y, 400, std::max(h, 17), "« " + e.NombreCampo() + " »", kCampo);
                t.cursiva = true;
                out.push_back(t);
                break;
            }
            out.push_back(Rect(x, y, w, h, campo ? kCampo : kGris, campo ? kFondoCampo : vcl::kSinColor, !campo));
            const int col = ColumnaImpresa(x) * kCelda;
            TTrazo t = Texto(col, y, std::max(w - (col - x), kCelda), h, TextoEnCeldas(e, w / kCelda + 1),
                             campo ? kCampo : kTinta);
            // Flush right where the ticket prints it so (amounts, line totals), whatever the
            // item's own alignment, which the ticket does not read.
            if (const int extra = campo ? ImpresoADerecha(e.NombreCampo()) : -1; extra >= 0) {
                t.derecha = true;
                t.ancho = (w / kCelda + extra) * kCelda;
            }
            t.negrita = e.Fuente().Negrita;
            out.push_back(t);
            break;
        }
        case TTipoElemento::Figura: {
            const int f = e.Figura();
            TTrazo t;
            t.tipo = f == kFiguraCirculo ? TTrazo::Elipse : f == kFiguraRectangulo ? TTrazo::Rectangulo : TTrazo::Linea;
            t.x = x, t.y = y, t.ancho = w, t.alto = h;
            t.pluma = 0;
            if (f == kFiguraLineaHorizontal) t.y = y + h / 2, t.alto = 0;
            if (f == kFiguraLineaVertical) t.x = x + w / 2, t.ancho = 0;
            if (f == kFiguraArribaAbajo || f == kFiguraIzquierdaDerecha) {
                out.push_back(Rect(x, y, w, h, kGris, vcl::kSinColor, true));
                t.tipo = TTrazo::Linea;
                if (f == kFiguraArribaAbajo) t.alto = 0;
                else t.ancho = 0;
                TTrazo otra = t;
                if (f == kFiguraArribaAbajo) otra.y = y + h - 1;
                else otra.x = x + w - 1;
                out.push_back(t);
                out.push_back(otra);
                break;
            }
            // Only horizontal lines reach a ticket; the others are drawn grey.
            if (f != kFiguraLineaHorizontal) t.pluma = kGris;
            out.push_back(t);
            break;
        }
        case TTipoElemento::Imagen: {
            out.push_back(Rect(x, y, w, h, kGris, 0xF4F4F4));
            TTrazo t = Texto(x + 2, y + 2, w - 4, 16, "Imagen", kGris);
            out.push_back(t);
            break;
        }
        case TTipoElemento::Otro: {
            out.push_back(Rect(x, y, w, h, kGris, vcl::kSinColor, true));
            out.push_back(Texto(x + 2, y, w - 4, std::max(h, 14), e.Imagen().className, kGris));
            break;
        }
    }
}

fs::path Temporal(const char* que) {
    static unsigned n = 0;
    return fs::temp_directory_path() /
           ("razir_muestra_" + std::to_string(::getpid()) + "_" + std::to_string(++n) + que);
}

}  // namespace

int ColumnaImpresa(int left) {
    int col = std::max(0, left / kCelda);
    if (col != 0 && left % 2 == 1) ++col;
    return col;
}

bool EnAgarre(const TElemento& e, int x, int y) {
    const int right = e.Left() + e.Width(), bottom = e.Top() + e.Height();
    return x >= right - kAgarre && x <= right + 1 && y >= bottom - kAgarre && y <= bottom + 1;
}

std::vector<TTrazo> DibujarSeccion(const TDocumento& doc, TSeccion s) {
    std::vector<TTrazo> out;
    const int papel = MmADiseno(doc.Pagina().AnchoMm);
    const int alto = doc.AltoDiseno(s);
    // Character cells every ten columns, faint, so columns can be counted.
    for (int x = 10 * kCelda; x < doc.AnchoDiseno(); x += 10 * kCelda) {
        TTrazo t;
        t.tipo = TTrazo::Linea;
        t.x = x, t.y = 0, t.ancho = 0, t.alto = alto;
        t.pluma = 0xEEEEEE;
        out.push_back(t);
    }
    if (papel < doc.AnchoDiseno()) {
        TTrazo borde;
        borde.tipo = TTrazo::Linea;
        borde.x = papel, borde.ancho = 0, borde.alto = alto;
        borde.pluma = 0x4040D0;
        borde.punteado = true;
        out.push_back(borde);
    }
    const auto& sel = doc.Seleccion();
    for (const auto& e : doc.Seccion(s).elementos) DibujarElemento(e, out);
    if (doc.SeccionActual() == s)
        for (int id : sel)
            if (const TElemento* e = doc.Buscar(id)) {
                out.push_back(Rect(e->Left() - 1, e->Top() - 1, e->Width() + 2, e->Height() + 2, kAzul));
                out.push_back(Rect(e->Left() + e->Width() - kAgarre + 1, e->Top() + e->Height() - kAgarre + 1,
                                   kAgarre, kAgarre, kAzul, kAzul));
            }
    return out;
}

std::vector<TTrazo> DibujarFormato(const TDocumento& doc, const TSeccion* limitado) {
    const int ancho = doc.AnchoDiseno();
    int alto = 0;
    for (TSeccion s : kSecciones)
        if (!limitado || *limitado == s) alto += doc.AltoDiseno(s);
    std::vector<TTrazo> out;
    out.push_back(Rect(5, 5, ancho, alto, vcl::kSinColor, 0x404040));
    out.push_back(Rect(0, 0, ancho, alto, 0, 0xFFFFFF));
    int y = 0;
    for (TSeccion s : kSecciones) {
        if (limitado && *limitado != s) continue;
        for (const auto& e : doc.Seccion(s).elementos) {
            std::vector<TTrazo> trazos;
            DibujarElemento(e, trazos);
            for (TTrazo& t : trazos) {
                // Images are not drawn in the sample; a fixed text's dotted frame neither.
                if (e.Tipo() == TTipoElemento::Imagen || t.punteado) continue;
                if (t.tipo == TTrazo::Rectangulo && e.Tipo() != TTipoElemento::Figura) continue;
                t.y += y;
                out.push_back(t);
            }
        }
        y += doc.AltoDiseno(s);
    }
    return out;
}

void DatosDeMuestra(TNtaDatos& datos) {
    LlenarNotaDemo(datos);
    struct Especial {
        const char *nombre, *descripcion;
    };
    const Especial kEspeciales[] = {{"FormasPago", "Formas de pago"},
                                    {"FormasPagoCompleto", "Formas de pago con documentos"},
                                    {"FormasImpuestos", "Impuestos desglosados"}};
    for (const auto& e : kEspeciales) {
        TCampo& c = datos.Campos().Add();
        c.SetNombre(e.nombre);
        c.Descripcion = e.descripcion;
    }
}

std::vector<std::string> LineasDeMuestra(const TDocumento& doc, const TNtaDatos& datos) {
    std::vector<std::string> lineas;
    const fs::path formato = Temporal(".nta"), puerto = Temporal(".prn");
    try {
        std::ofstream f(formato, std::ios::binary);
        for (const std::string& p : Imagenes(doc)) f << p;
        f.close();
        TNtaDatos copia;
        copia.SetCampos(datos.Campos());
        copia.SetCamposDetalle(datos.CamposDetalle());
        copia.Formatos = datos.Formatos;
        TNtaReporte r;
        copia.SetNotaReporte(&r);
        r.Puerto = PARALELO;
        r.SetMapaDePuertos({{"LPT1", puerto.string()}});
        r.ArchivoDatosNota = Temporal("datosnota").string();
        r.EspacioEntreNotas = 0;
        r.FormatoDeImpresion = formato.string();
        r.CargarFormato();
        r.OnLinea = [&](const std::string& l) { lineas.push_back(l); };
        copia.ImprimirNota();
    } catch (const std::exception& e) {
        lineas = {std::string("No se puede mostrar la nota: ") + e.what()};
    }
    std::error_code ignorado;
    fs::remove(formato, ignorado);
    fs::remove(puerto, ignorado);
    return lineas;
}

std::vector<TTrazo> DibujarMuestra(const std::vector<std::string>& lineas, int columnas) {
    std::vector<TTrazo> out;
    const int ancho = columnas * kCeldaMuestra + 16;
    const int alto = static_cast<int>(lineas.size()) * kLineaMuestra + 16;
    out.push_back(Rect(4, 4, ancho, alto, vcl::kSinColor, 0x808080));  // shadow
    out.push_back(Rect(0, 0, ancho, alto, 0, 0xFFFFFF));
    for (std::size_t i = 0; i < lineas.size(); ++i) {
        TTrazo t = Texto(8, 8 + static_cast<int>(i) * kLineaMuestra, columnas * kCeldaMuestra + 4, kLineaMuestra,
                         lineas[i], 0);
        t.celda = kCeldaMuestra;
        out.push_back(t);
    }
    return out;
}

}  // namespace notix::editor
