// The engine object: dictionary-driven creation of tables and indexes, index regeneration,
// verification and rebuilding of table files, and the settings operations.
#include "tablemaint/engine/vlmctlarch.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstring>

#include "platform/2_vcl/dialogs.h"
#include "tablemaint/engine/busy.h"
#include "tablemaint/engine/engine_internal.h"
#include "tablemaint/engine/index_names.h"
#include "tablemaint/engine/verify.h"

namespace tablemaint {

void CopiaTexto(char* out, size_t size, const std::string& s) {
    if (!out || size == 0) return;
    std::strncpy(out, s.c_str(), size - 1);
    out[size - 1] = 0;
}

namespace {

std::string Str(const char* s) { return s ? s : ""; }

constexpr const char* kNodoSistema = "\\SYSTEM\\INIT";
constexpr const char* kNodoParadox = "\\DRIVERS\\PARADOX\\INIT";
constexpr const char* kNodoCreacion = "\\DRIVERS\\PARADOX\\TABLE CREATE";

int Setting(const char* node, const char* entry, char* value, bool write) {
    if (!value) return 0;
    if (write) return EscribeValor(node, entry, value) ? 1 : 0;
    std::string v;
    if (!LeeValor(node, entry, v)) return 0;
    CopiaTexto(value, 260, v);
    return 1;
}

}  // namespace

// Operations are exported: nothing thrown inside (memory, the data layer) may leave them.
int VlmCtlArch::Inesperado(int code) {
    error_ = "error inesperado en el motor de tablas";
    return code;
}

VlmCtlArch::VlmCtlArch()
    : szRutaBD{}, tblTablas(nullptr), tblCampos(nullptr), dsTablas(nullptr), hBD(nullptr), szRutaTablas{},
      szRutaCampos{}, szIndiceDetalle{}, szCamposMaestro{}, curProps{}, hTUSes(0) {}

VlmCtlArch::~VlmCtlArch() {
    // Safe on an object that was never initialised: every pointer starts as null.
    delete tblTablas;
    delete tblCampos;
    delete dsTablas;
    delete hBD;
}

void VlmCtlArch::Inicializa() {
    delete tblTablas;
    delete tblCampos;
    delete dsTablas;
    delete hBD;
    tblTablas = new TablaDiccionario;
    tblCampos = new TablaDiccionario;
    dsTablas = new FuenteDatos;
    hBD = new TBaseDatos{WithSlash(RutaLocal(szRutaBD))};
    inicializado_ = true;
    error_.clear();
}

std::string VlmCtlArch::RutaTabla(const char* tabla) const {
    std::string t = RutaLocal(Str(tabla));
    if (t.empty()) return "";
    if (t[0] == '/') return ResolvePath(t);
    // A relative name needs a data folder: never the working folder or the root by default.
    if (!CarpetaDeDatosValida(szRutaBD)) return "";
    return ResolveIgnoringCase(RutaLocal(szRutaBD), t);
}

void VlmCtlArch::AsociaTabla(bool enlazar) try {
    if (!inicializado_) Inicializa();
    tblTablas->ruta = RutaLocal(szRutaTablas);
    tblCampos->ruta = RutaLocal(szRutaCampos);
    tblTablas->abierta = tblCampos->abierta = false;
    dsTablas->enlazada = enlazar;
    dsTablas->indiceDetalle = enlazar ? szIndiceDetalle : "";
    dsTablas->camposMaestro = enlazar ? szCamposMaestro : "";
    dsTablas->dic = {};
    if (LeeDiccionario(tblTablas->ruta, tblCampos->ruta, dsTablas->dic, &error_)) {
        tblTablas->abierta = tblCampos->abierta = true;
        error_.clear();
    }
} catch (...) {
    error_ = "no se pudo leer el diccionario de datos";
}

bool VlmCtlArch::Diccionario_(std::string* error) {
    AsociaTabla(true);
    if (!tblTablas->abierta && error) *error = error_;
    return tblTablas->abierta;
}

int VlmCtlArch::GetNumCampo(const char* campo, int numero) {
    if (!inicializado_ || !tblTablas->abierta) AsociaTabla(false);
    int n = 0;
    for (const RegistroCampo* c : dsTablas->dic.Registros(numero, "C")) {
        ++n;
        if (c->Nombre == Str(campo)) return n;
    }
    return 0;
}

int VlmCtlArch::DameNumCamposIdx(int numero, int16_t* nCampos, int16_t* nIndices) {
    if (!inicializado_ || !tblTablas->abierta) AsociaTabla(true);
    if (!nCampos || !nIndices) return kNoCreadoTbl;
    *nCampos = int16_t(dsTablas->dic.Registros(numero, "C").size());
    *nIndices = int16_t(dsTablas->dic.Registros(numero, "I").size());
    return 0;
}

int VlmCtlArch::LLenaDescCampos(int numero, FLDDesc* campos, IDXDesc* indices) try {
    if (!inicializado_ || !tblTablas->abierta) AsociaTabla(true);
    db::TableDef def;
    std::string detail;
    int r = DescribeTabla(dsTablas->dic, numero, def, &detail);
    if (r != 0) {
        error_ = detail;
        return r;
    }
    for (size_t i = 0; i < def.fields.size(); ++i)
        if (campos) campos[i] = {uint16_t(i + 1), def.fields[i]};
    auto records = dsTablas->dic.Registros(numero, "I");
    for (size_t i = 0; i < def.indexes.size(); ++i) {
        if (!indices) break;
        IDXDesc& d = indices[i];
        d.indice = def.indexes[i];
        d.bMantenido = records[i]->Mantenido == "T";
        d.aiKeyFld.clear();
        for (const auto& name : d.indice.fields)
            for (size_t f = 0; f < def.fields.size(); ++f)
                if (def.fields[f].name == name) d.aiKeyFld.push_back(uint16_t(f + 1));
        d.iFldsInKey = uint16_t(d.indice.fields.size());
    }
    return 0;
} catch (...) {
    return Inesperado(kNoCreadoTbl);
}

int VlmCtlArch::LLenaDescIdx(uint16_t identif, IDXDesc* indice) try {
    AsociaTabla(false);
    const RegistroCampo* r = dsTablas->dic.CampoPorIdentif(identif);
    if (!r || r->TipoReg != "I" || !indice) {
        error_ = "no hay un índice con el identificador " + std::to_string(identif) + " en el diccionario";
        return kNoCreadoTbl;
    }
    indice->indice = IndiceDe(*r);
    indice->bMantenido = r->Mantenido == "T";
    indice->iFldsInKey = uint16_t(indice->indice.fields.size());
    indice->aiKeyFld.clear();
    int missing = 0;
    for (const auto& name : indice->indice.fields) {
        int n = GetNumCampo(name.c_str(), r->Numero);
        if (!n) ++missing;
        indice->aiKeyFld.push_back(uint16_t(n));
    }
    if (missing) {
        error_ = "el índice " + r->Nombre + " usa campos que la tabla no tiene";
        return kNoCreadoTbl;
    }
    return 0;
} catch (...) {
    return Inesperado(kNoCreadoTbl);
}

int VlmCtlArch::CreaBD() try {
    if (!Diccionario_(&error_)) return kNoCreadoTbl;
    const auto tablas = dsTablas->dic.tablas;  // CreaTbl reloads the dictionary
    for (const auto& t : tablas) {
        // Groups are files the application names (per-day files): nothing to create here.
        if (t.Nombre.empty() || t.Calculado == "S") continue;
        const std::string name = NombreArchivo(t);
        // Nobody was asked about the tables that exist: they and their rows are left as they
        // are (replacing one is CreaTbl's, after the user chose it).
        if (FileExists(RutaTabla(name.c_str()))) continue;
        int r = CreaTbl(name.c_str(), t.Numero);
        if (r != 0) {
            std::string why = error_;
            error_ = "No se pudo crear \"" + name + "\"";
            vcl::ShowMessage(error_);
            if (!why.empty()) error_ += ": " + why;
            return kNoCreadoTbl;
        }
    }
    error_.clear();
    return 0;
} catch (...) {
    return Inesperado(kNoCreadoTbl);
}

int VlmCtlArch::CreaTbl(const char* tabla) try {
    if (!Diccionario_(&error_)) return kNoCreadoTbl;
    const RegistroTabla* t = dsTablas->dic.TablaPorNombre(Str(tabla));
    if (!t) {
        error_ = "la tabla " + Str(tabla) + " no está en el diccionario";
        return kNoCreadoTbl;
    }
    const std::string name = NombreArchivo(*t);
    return CreaTbl(name.c_str(), t->Numero);
} catch (...) {
    return Inesperado(kNoCreadoTbl);
}

int VlmCtlArch::CreaTbl(const char* tabla, int numero) try {
    error_.clear();
    if (!Diccionario_(&error_)) return kErrorDiccionario;
    const std::string path = RutaTabla(tabla);
    if (path.empty() || FileNameOf(path).empty()) {
        const bool sinCarpeta = !Str(tabla).empty() && !CarpetaDeDatosValida(szRutaBD);
        error_ = sinCarpeta ? "la carpeta de datos \"" + Str(szRutaBD) + "\" no es válida" : "falta el nombre de la tabla";
        return kNoCreadoTbl;
    }
    if (!dsTablas->dic.TablaPorNumero(numero)) {
        error_ = "no hay una tabla número " + std::to_string(numero) + " en el diccionario";
        return kSinNumeroTabla;
    }
    int16_t nFields = 0, nIndexes = 0;
    DameNumCamposIdx(numero, &nFields, &nIndexes);
    std::vector<FLDDesc> fields(static_cast<size_t>(nFields));
    std::vector<IDXDesc> indexes(static_cast<size_t>(nIndexes));
    int r = LLenaDescCampos(numero, fields.data(), indexes.data());
    if (r != 0) return r;
    db::TableDef def;
    def.name = FileNameOf(path);
    for (const auto& f : fields) def.fields.push_back(f.campo);
    for (const auto& i : indexes) def.indexes.push_back(i.indice);
    if (def.fields.empty()) {
        error_ = "la tabla número " + std::to_string(numero) + " no tiene campos en el diccionario";
        return kNoCreadoTbl;
    }
    if (FileExists(path)) {
        if (ArchivoOcupado(path)) {
            error_ = "otro programa está usando " + path;
            return kOcupadoTbl;
        }
        // Overwriting discards the rows: keep them beside the table first, never over an
        // earlier backup.
        const std::string backup = RutaSinUsar(FolderOf(path) + "~" + FileNameOf(path));
        if (!CopyFileAtomically(path, backup, &error_)) return kNoCreadoTbl;
        if (FileExists(path + "-journal") && !CopyFileAtomically(path + "-journal", backup + "-journal", &error_))
            return kNoCreadoTbl;
    }
    if (!hBD) Inicializa();
    return kCreaTabla(hBD, true, &def) ? 0 : (error_ = "no se pudo crear " + path, kNoCreadoTbl);
} catch (...) {
    return Inesperado(kNoCreadoTbl);
}

int VlmCtlArch::CreaIdx(const char* tabla, const char* indice) try {
    if (!Diccionario_(&error_)) return kNoCreadoTbl;
    const RegistroTabla* t = dsTablas->dic.TablaPorNombre(Str(tabla));
    if (!t) {
        error_ = "la tabla " + Str(tabla) + " no está en el diccionario";
        return kNoCreadoTbl;
    }
    for (const RegistroCampo* c : dsTablas->dic.Registros(t->Numero, "I"))
        if (c->Nombre == Str(indice)) return CreaIdx(NombreArchivo(*t).c_str(), int16_t(c->Identif));
    error_ = "la tabla " + Str(tabla) + " no tiene el índice " + Str(indice) + " en el diccionario";
    return kNoCreadoTbl;
} catch (...) {
    return Inesperado(kNoCreadoTbl);
}

int VlmCtlArch::CreaIdx(const char* tabla, int16_t identif) try {
    IDXDesc idx;
    if (LLenaDescIdx(uint16_t(identif), &idx) != 0) return kNoCreadoTbl;
    return CreaIdxConDef(RutaTabla(tabla), idx);
} catch (...) {
    return Inesperado(kNoCreadoTbl);
}

int VlmCtlArch::CreaIdxConDef(const std::string& path, const IDXDesc& idx) {
    error_.clear();
    bool busy = false;
    auto cur = AbreCursorExclusivo(path, &busy, &error_);
    if (!cur) return busy ? kOcupadoIdx : kNoCreadoTbl;
    return AgregaIndice(*cur, idx.indice, &error_) ? 0 : kNoCreadoTbl;
}

int VlmCtlArch::RegeneraIdx(const char* tabla, const char* indice) try {
    error_.clear();
    bool busy = false;
    auto cur = AbreCursorExclusivo(RutaTabla(tabla), &busy, &error_);
    if (!cur) return busy ? kOcupadoIdx : kNoRegenerado;
    // The index is rebuilt in place: nothing is deleted before its replacement exists.
    return RegeneraIndice(*cur, Str(indice), &error_) ? 0 : kNoRegenerado;
} catch (...) {
    return Inesperado(kNoRegenerado);
}

int VlmCtlArch::VerificaTbl(const char* tabla, const char* tablaErrores, const char* password) try {
    (void)password;  // table files carry no passwords
    error_.clear();
    hTUSes = 0;
    const std::string path = RutaTabla(tabla);
    if (!FileExists(path)) {
        error_ = "no existe " + Str(tabla);
        return 6;
    }
    if (ArchivoOcupado(path)) {
        error_ = "otro programa está usando " + path;
        return -1;
    }
    hTUSes = 1;
    ResultadoVerificacion v = VerificaArchivo(path);
    if (v.ocupado) {
        hTUSes = 0;
        error_ = "otro programa está usando " + path;
        return -1;
    }
    // Indexes the dictionary declares and the file lacks.
    if (v.nivel < 2 && Diccionario_(nullptr)) {
        const RegistroTabla* rec = nullptr;
        for (const auto& t : dsTablas->dic.tablas)
            if (EqualsIgnoringCase(NombreArchivo(t), FileNameOf(path)) || EqualsIgnoringCase(t.Nombre, StemOf(path)))
                rec = &t;
        if (rec) {
            std::string err;
            auto con = Connection::Open(path, false, &err);
            std::vector<IndiceEnArchivo> present;
            const std::string table = con ? TableInFile(con->get()) : "";
            if (!table.empty()) present = IndicesEnArchivo(con->get(), table);
            con.reset();
            // A file whose list of indexes cannot be read lacks nothing that creating indexes
            // would cure: its damage is already in the findings and calls for a rebuild.
            const bool legible = !table.empty() && !v.Danado();
            for (const RegistroCampo* c : dsTablas->dic.Registros(rec->Numero, "I")) {
                bool found = !legible;  // an unreadable list reports nothing as missing
                for (const auto& p : present)
                    if (EqualsIgnoringCase(p.nombre, c->Nombre)) found = true;
                if (!found) v.Agrega(kIndiceInexistente, 1, "El índice " + c->Nombre + " no existe");
            }
        }
    }
    std::string err;
    bool written = EscribeTablaErrores(RutaLocal(Str(tablaErrores)), path, v.errores, &err);
    hTUSes = 0;
    if (!written) {
        error_ = "no se pudo escribir la tabla de errores: " + err;
        return -1;
    }
    return NivelComoResultado(v.nivel);
} catch (...) {
    hTUSes = 0;
    return Inesperado(-1);
}

int VlmCtlArch::RecuperaTbl(const char* tabla, const char* tablaErrores, const char* respaldo,
                            const char* problemas, const char* violaciones, const char* password) try {
    (void)password;
    error_.clear();
    const std::string path = RutaTabla(tabla);
    // The dictionary's definition serves when the file has lost its own.
    db::TableDef def;
    bool haveDef = false;
    if (FileExists(path) && Diccionario_(nullptr)) {
        for (const auto& t : dsTablas->dic.tablas)
            if (EqualsIgnoringCase(NombreArchivo(t), FileNameOf(path)) || EqualsIgnoringCase(t.Nombre, StemOf(path)))
                haveDef = DescribeTabla(dsTablas->dic, t.Numero, def) == 0;
        def.name = FileNameOf(path);
    }
    hTUSes = 1;
    ultima_ = RecuperaArchivo(path.empty() ? Str(tabla) : path, RutaLocal(Str(tablaErrores)), RutaLocal(Str(respaldo)),
                              RutaLocal(Str(problemas)), RutaLocal(Str(violaciones)), haveDef ? &def : nullptr);
    hTUSes = 0;
    error_ = ultima_.motivo;
    return ultima_.resultado;
} catch (...) {
    hTUSes = 0;
    return Inesperado(kRecuperacionFallida);
}

void VlmCtlArch::GetNomReal(char* out, const char* tabla, const char* indice) try {
    if (!out) return;
    out[0] = 0;
    // The identifier 2 is a real index (a single-field index on field 2) as much as "none",
    // so the lookup here tells the two apart.
    auto id = IdentificadorIndice(RutaTabla(tabla), Str(indice));
    if (id) ArmaNombreIndice(out, uint16_t(*id), FileNameOf(RutaLocal(Str(tabla))).c_str());
} catch (...) {
    if (out) out[0] = 0;
}

void VlmCtlArch::ArmaNombreIndice(char* out, uint16_t id, const char* tabla) {
    CopiaTexto(out, 260, NombreIndice(id, Str(tabla)));
}

bool VlmCtlArch::GetTCursorProps(const char* tabla) try {
    curProps = {};
    const std::string path = RutaTabla(tabla);
    if (!FileExists(path)) return false;
    hTUSes = 1;
    sqlite3* db = nullptr;
    bool ok = false;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 200);
        const std::string table = TableInFile(db);
        if (!table.empty()) {
            CopiaTexto(curProps.szName, sizeof curProps.szName, path);
            CopiaTexto(curProps.szTableType, sizeof curProps.szTableType, "SQLite 3");
            sqlite3_stmt* st = nullptr;
            std::string q = "SELECT (SELECT count(*) FROM pragma_table_info(" + db::QuoteIdent(table) +
                            ")), (SELECT count(*) FROM " + db::QuoteIdent(table) + ")";
            if (sqlite3_prepare_v2(db, q.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW) {
                curProps.iFields = uint16_t(sqlite3_column_int(st, 0));
                curProps.iRecords = sqlite3_column_int64(st, 1);
                ok = true;
            }
            sqlite3_finalize(st);
            curProps.iIndexes = uint16_t(IndicesEnArchivo(db, table).size());
        }
    }
    sqlite3_close(db);
    hTUSes = 0;
    return ok;
} catch (...) {
    hTUSes = 0;
    return false;
}

int VlmCtlArch::SetLocalShare(char* valor) { return Setting(kNodoSistema, "LOCAL SHARE", valor, true); }
int VlmCtlArch::SetNetDir(char* valor) { return Setting(kNodoParadox, "NET DIR", valor, true); }
int VlmCtlArch::SetLevel(char* valor) { return Setting(kNodoCreacion, "LEVEL", valor, true); }
int VlmCtlArch::GetNetDir(char* out) { return Setting(kNodoParadox, "NET DIR", out, false); }
int VlmCtlArch::GetLocalShare(char* out) { return Setting(kNodoSistema, "LOCAL SHARE", out, false); }
int VlmCtlArch::GetLevel(char* out) { return Setting(kNodoCreacion, "LEVEL", out, false); }
bool VlmCtlArch::GetListaLD(ListaLD* lista) { return kGetListaLD(lista); }
int VlmCtlArch::GetLangDriver(char* out) { return Setting(kNodoParadox, "LANGDRIVER", out, false); }
int VlmCtlArch::SetLangDriver(char* valor) { return Setting(kNodoParadox, "LANGDRIVER", valor, true); }

ResumenRecuperacion VlmCtlArch::UltimaRecuperacion() const { return ultima_; }
const char* VlmCtlArch::UltimoError() const { return error_.c_str(); }

}  // namespace tablemaint
