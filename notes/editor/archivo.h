// Format files for the editor: reading (a damaged file keeps what was read), the check of
// texts against what the component stream can hold, the atomic save, and the file commands of
// the editor window with their questions (New, Open, Save, Save as, Close, "Predeterminado").
// Not here: the model's editing commands (documento.*), the forms that ask for files.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "notes/editor/documento.h"

namespace notix::editor {

inline constexpr const char* kPregunta =
    "Las modificaciones del reporte se perderán\r\n¿Desea continuar con esta operación?";
inline constexpr const char* kPrecaucion = "Precaución";
inline constexpr const char* kFiltro = "Notas de venta (*.nta)|*.nta|Todos los archivos (*.*)|*.*";

struct TLectura {
    std::vector<vcl::stream::Component> componentes;  // everything read, up to a fault
    std::string error;                                 // empty when the whole file was read
};
// Never throws: a missing file or a damaged stream is said in `error`, in Spanish.
TLectura LeerFormato(const std::filesystem::path& archivo);

// What the stream cannot hold (names or short texts over 255 characters, letters the
// single-byte code page lacks in a short text), one Spanish line each; empty when it can be
// saved as it is.
std::vector<std::string> TextosFueraDeLimite(const TDocumento& doc);

// The bytes of the format, one image per piece, as Save writes them.
std::vector<std::string> Imagenes(const TDocumento& doc);

// Writes one piece to the open file; the default writes it and checks the stream. Tests put
// a writer that fails at a given piece.
using TEscritor = std::function<void(std::ostream& salida, std::string_view pieza)>;
// The pieces into a temporary file beside `destino`, synced and renamed over it. Throws
// std::runtime_error (Spanish) and leaves the old file as it was when anything fails.
void GuardarAtomico(const std::filesystem::path& destino, const std::vector<std::string>& piezas,
                    const TEscritor& escritor = {});

// The printers the editor offers and the default one.
struct TImpresoras {
    std::vector<std::string> nombres;
    std::string predeterminada;
    // The name if it is in the list, else the default one.
    std::string Elegir(const std::string& nombre) const;
};
TImpresoras ImpresorasDelSistema();  // the CUPS destinations

// The file side of the editor window. Questions go through vcl::MessageBox (the driver
// answers); files are chosen through the hooks, which return "" when the user cancels.
class TSesionEditor {
public:
    TDocumento Documento;
    std::string Archivo;         // the current file; empty for a new format
    std::string CarpetaFormatos; // where the open and save dialogs start
    TImpresoras Impresoras;
    std::string Impresora;       // the current printer

    std::function<std::string(const std::string& carpeta)> PedirAbrir, PedirGuardar;
    // The stored-formats dialog, limited to a section or not (Nuevo...).
    std::function<std::string(const TSeccion* limitado)> PedirFormato;
    TEscritor Escritor;

    // "&Nuevo formato": false when the user keeps the changes.
    bool Nuevo();
    // "&Abrir": a new format, then the chosen file.
    bool Abrir();
    // Reads a file into the model. A damaged file gives its message and keeps what was read,
    // with no file name and the change mark set, so Save cannot overwrite the original with
    // a part of it. False when nothing could be read.
    bool AbrirArchivo(const std::string& archivo);
    // "&Guardar": save as without a name. False when not saved (refused, failed, cancelled).
    bool Guardar();
    // "G&uardar como": ".nta" added unless the name ends so (any case); another existing file
    // is replaced only when the user answers Yes; the change mark and the name change only
    // once the file is written.
    bool GuardarComo();
    bool GuardarEn(const std::string& archivo);
    // "&Cerrar": true when the window may close. With changes: Yes closes, No runs save as
    // and stays open, a box closed without an answer stays open.
    bool Cerrar();
    // "Nuevo...": a stored format as a new one.
    bool NuevoDesde();
    // "Predeterminado": the current section's items replaced by the same section of a
    // stored format.
    bool Predeterminado();
    // The current printer; the format's own printer name is kept as it was read.
    void SetImpresora(const std::string& nombre);

private:
    bool Continuar();
};

// "Nota.nta" stays, "NOTA.NTA" stays, "nota" becomes "nota.nta".
std::string ConExtension(const std::string& archivo);

}  // namespace notix::editor
