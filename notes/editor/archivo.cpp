// Reading, checking and saving formats, and the editor's file commands with their questions.
#include "notes/editor/archivo.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "notes/format.h"
#include "platform/1_text/codepage.h"
#include "platform/3_report/printers.h"
#include "platform/2_shell/atomic_file.h"
#include "platform/1_text/utf8.h"
#include "platform/2_vcl/dialogs.h"
#include "platform/2_vcl/stream/reader.h"
#include "platform/2_vcl/stream/writer.h"

namespace notix::editor {

namespace fs = std::filesystem;
using vcl::stream::Component;
using vcl::stream::Property;
using vcl::stream::Value;
using vcl::stream::ValueType;

namespace {

const char kCaptionAbrir[] = "Abrir formato";
const char kCaptionGuardar[] = "Guardar formato";

// ---- texts against the stream's limits ----

struct Revision {
    std::vector<std::string>& problemas;
    std::string donde;

    static bool CabeEnCp1252(const std::string& s) {
        return text::ToUtf8(text::FromUtf8(s, text::CodePage::CP1252), text::CodePage::CP1252) == s;
    }
    void Corto(const std::string& que, const std::string& s) {
        std::size_t bytes = text::FromUtf8(s, text::CodePage::CP1252).size();
        if (bytes > 255)
            problemas.push_back(donde + ": " + que + " tiene " + std::to_string(text::Utf8Length(s)) +
                                " caracteres; el formato admite hasta 255");
        else if (!CabeEnCp1252(s))
            problemas.push_back(donde + ": " + que + " tiene caracteres que el formato no puede guardar");
    }
    void Valor(const std::string& que, const Value& v) {
        switch (v.type) {
            case ValueType::vaString:
            case ValueType::vaIdent: Corto(que, v.text); break;
            case ValueType::vaLString:
                if (!CabeEnCp1252(v.text))
                    problemas.push_back(donde + ": " + que + " tiene caracteres que el formato no puede guardar");
                break;
            case ValueType::vaSet:
                for (const auto& e : v.set) Corto(que, e);
                break;
            case ValueType::vaList:
                for (const auto& e : v.list) Valor(que, e);
                break;
            case ValueType::vaCollection:
                for (const auto& item : v.items) Propiedades(item.properties);
                break;
            default: break;
        }
    }
    void Propiedades(const std::vector<Property>& ps) {
        for (const auto& p : ps) {
            Corto("el nombre de la propiedad " + p.name, p.name);
            Valor(p.name, p.value);
        }
    }
    void Componente(const Component& c) {
        Corto("la clase", c.className);
        Corto("el nombre", c.name);
        Propiedades(c.properties);
        for (const auto& h : c.children) Componente(h);
    }
};

void EscribirPieza(std::ostream& salida, std::string_view pieza) {
    salida.write(pieza.data(), static_cast<std::streamsize>(pieza.size()));
}

}  // namespace

TLectura LeerFormato(const fs::path& archivo) {
    TLectura r;
    std::ifstream in(archivo, std::ios::binary);
    if (!in || fs::is_directory(archivo)) {
        r.error = "No se encontró el formato " + archivo.string();
        return r;
    }
    std::stringstream buf;
    buf << in.rdbuf();
    const std::string bytes = buf.str();
    try {
        vcl::stream::ReadAll(bytes, r.componentes);
    } catch (const vcl::stream::EReadError& e) {
        r.error = "El formato " + archivo.string() + " está dañado (posición " + std::to_string(e.position()) +
                  "): " + e.what() + ".\r\nSe conserva lo que se pudo leer.";
    }
    return r;
}

std::vector<std::string> TextosFueraDeLimite(const TDocumento& doc) {
    std::vector<std::string> problemas;
    for (TSeccion s : kSecciones) {
        const TSeccionDoc& sec = doc.Seccion(s);
        Revision{problemas, std::string(NombreSeccion(s))}.Componente(sec.objeto);
        for (const auto& e : sec.elementos)
            Revision{problemas, e.Nombre() + " (" + NombreSeccion(s) + ")"}.Componente(e.Imagen());
    }
    return problemas;
}

std::vector<std::string> Imagenes(const TDocumento& doc) {
    std::vector<std::string> piezas;
    for (const Component& c : doc.Componentes()) piezas.push_back(vcl::stream::Write(c));
    return piezas;
}

void GuardarAtomico(const fs::path& destino, const std::vector<std::string>& piezas, const TEscritor& escritor) {
    shell::ArchivoAtomico archivo(destino);
    {
        std::ofstream salida(archivo.Temporal(), std::ios::binary | std::ios::trunc);
        if (!salida) throw std::runtime_error("No se pudo crear \"" + archivo.Temporal().string() + "\"");
        for (const std::string& p : piezas) {
            (escritor ? escritor : TEscritor(EscribirPieza))(salida, p);
            if (!salida) throw std::runtime_error("No se pudo escribir \"" + destino.string() + "\"");
        }
        salida.close();
        if (!salida) throw std::runtime_error("No se pudo escribir \"" + destino.string() + "\"");
    }
    archivo.Confirma();
}

std::string TImpresoras::Elegir(const std::string& nombre) const {
    for (const auto& n : nombres)
        if (!nombre.empty() && n == nombre) return n;
    return predeterminada;
}

TImpresoras ImpresorasDelSistema() {
    TImpresoras r;
    for (const auto& d : report::ListDestinations()) {
        if (d.name == report::kFileDestination) continue;
        r.nombres.push_back(d.name);
        if (d.isDefault) r.predeterminada = d.name;
    }
    if (r.predeterminada.empty() && !r.nombres.empty()) r.predeterminada = r.nombres.front();
    return r;
}

std::string ConExtension(const std::string& archivo) {
    std::string ext = fs::path(archivo).extension().string();
    for (auto& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".nta" ? archivo : archivo + ".nta";
}

// ---------------------------------------------------------------------------------------------
// TSesionEditor

bool TSesionEditor::Continuar() {
    if (!Documento.Modificado()) return true;
    return vcl::MessageBox(kPregunta, kPrecaucion, vcl::MB_YESNO | vcl::MB_ICONQUESTION) == vcl::IDYES;
}

void TSesionEditor::SetImpresora(const std::string& nombre) { Impresora = Impresoras.Elegir(nombre); }

bool TSesionEditor::Nuevo() {
    if (!Continuar()) return false;
    Archivo.clear();
    Documento.Nuevo(Impresora);
    return true;
}

bool TSesionEditor::Abrir() {
    if (!Nuevo()) return false;
    std::string elegido = PedirAbrir ? PedirAbrir(CarpetaFormatos) : std::string();
    if (elegido.empty()) return false;
    return AbrirArchivo(elegido);
}

bool TSesionEditor::AbrirArchivo(const std::string& archivo) {
    TLectura l = LeerFormato(archivo);
    if (!l.error.empty() && l.componentes.empty()) {
        vcl::MessageBox(l.error, kCaptionAbrir, vcl::MB_OK | vcl::MB_ICONERROR);
        return false;
    }
    Documento.Cargar(l.componentes);
    SetImpresora(Documento.Pagina().Impresora);
    if (!l.error.empty()) {
        Archivo.clear();
        Documento.SetModificado(true);
        vcl::MessageBox(l.error, kCaptionAbrir, vcl::MB_OK | vcl::MB_ICONWARNING);
        return true;
    }
    Archivo = archivo;
    return true;
}

bool TSesionEditor::Guardar() {
    if (Archivo.empty()) return GuardarComo();
    return GuardarEn(Archivo);
}

bool TSesionEditor::GuardarComo() {
    std::string elegido = PedirGuardar ? PedirGuardar(CarpetaFormatos) : std::string();
    if (elegido.empty()) return false;
    elegido = ConExtension(elegido);
    // Another format already there is replaced only when the user says so.
    std::error_code e;
    if (elegido != Archivo && fs::exists(elegido, e) &&
        vcl::MessageBox("El formato " + elegido + " ya existe.\r\n¿Desea reemplazarlo?", kCaptionGuardar,
                        vcl::MB_YESNO | vcl::MB_ICONQUESTION | vcl::MB_DEFBUTTON2) != vcl::IDYES)
        return false;
    return GuardarEn(elegido);
}

bool TSesionEditor::GuardarEn(const std::string& archivo) {
    std::vector<std::string> problemas = TextosFueraDeLimite(Documento);
    if (!problemas.empty()) {
        std::string texto = "No se guardó el formato:";
        for (const auto& p : problemas) texto += "\r\n" + p;
        vcl::MessageBox(texto, kCaptionGuardar, vcl::MB_OK | vcl::MB_ICONERROR);
        return false;
    }
    try {
        GuardarAtomico(archivo, Imagenes(Documento), Escritor);
    } catch (const std::exception& e) {
        vcl::MessageBox(std::string("No se guardó el formato: ") + e.what() +
                            ".\r\nEl archivo anterior no se modificó.",
                        kCaptionGuardar, vcl::MB_OK | vcl::MB_ICONERROR);
        return false;
    }
    Archivo = archivo;
    Documento.SetModificado(false);
    return true;
}

bool TSesionEditor::Cerrar() {
    if (!Documento.Modificado()) return true;
    int r = vcl::MessageBox(kPregunta, kPrecaucion, vcl::MB_YESNO | vcl::MB_ICONQUESTION);
    if (r == vcl::IDYES) return true;
    if (r == vcl::IDNO) GuardarComo();
    return false;
}

bool TSesionEditor::NuevoDesde() {
    std::string elegido = PedirFormato ? PedirFormato(nullptr) : std::string();
    if (elegido.empty()) return false;
    if (!Nuevo()) return false;
    return AbrirArchivo(elegido);
}

bool TSesionEditor::Predeterminado() {
    const TSeccion actual = Documento.SeccionActual();
    std::string elegido = PedirFormato ? PedirFormato(&actual) : std::string();
    if (elegido.empty()) return false;
    TLectura l = LeerFormato(elegido);
    if (!l.error.empty()) {
        vcl::MessageBox(l.error, kCaptionAbrir, vcl::MB_OK | vcl::MB_ICONWARNING);
        if (l.componentes.empty()) return false;
    }
    // Only what follows the current section's object, and what is nested inside it.
    std::vector<Component> controles;
    bool dentro = false;
    for (const Component& c : l.componentes) {
        if (c.className == kClaseSeccion) {
            dentro = c.name == ObjetoSeccion(actual);
            if (dentro) controles.insert(controles.end(), c.children.begin(), c.children.end());
            continue;
        }
        if (dentro) controles.push_back(c);
    }
    Documento.ReemplazarSeccion(actual, std::move(controles));
    return true;
}

}  // namespace notix::editor
