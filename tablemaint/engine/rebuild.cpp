// The rebuild: verify, learn the table's definition (from the file, from what page 1 still
// holds, or from the dictionary), salvage the rows, write them into a new file, back the
// original up, then put the new file in its place with one rename.
#include "platform/2_shell/atomic_file.h"
#include "tablemaint/engine/rebuild.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cstdio>

#include "tablemaint/engine/busy.h"
#include "tablemaint/engine/salvage.h"
#include "tablemaint/engine/table_file.h"
#include "tablemaint/engine/verify.h"

namespace tablemaint {
namespace {

struct Columna {
    std::string nombre, tipo;
    bool rowidAlias = false;
};

struct Definicion {
    std::string tabla;
    std::vector<std::string> sql;  // CREATE TABLE, then CREATE INDEX
    std::vector<Columna> columnas;
};

// Learns the columns by running the CREATE statements in memory.
bool Columnas(Definicion& d) {
    sqlite3* mem = nullptr;
    sqlite3_open(":memory:", &mem);
    bool ok = true;
    for (const auto& s : d.sql) ok = ok && sqlite3_exec(mem, s.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    if (ok) {
        if (d.tabla.empty()) d.tabla = TableInFile(mem);
        sqlite3_stmt* st = nullptr;
        std::string q = "PRAGMA table_info(" + db::QuoteIdent(d.tabla) + ")";
        int pks = 0;
        if (sqlite3_prepare_v2(mem, q.c_str(), -1, &st, nullptr) == SQLITE_OK)
            while (sqlite3_step(st) == SQLITE_ROW) {
                Columna c{reinterpret_cast<const char*>(sqlite3_column_text(st, 1)),
                          reinterpret_cast<const char*>(sqlite3_column_text(st, 2)), false};
                if (sqlite3_column_int(st, 5) > 0) {
                    ++pks;
                    c.rowidAlias = Upper(c.tipo) == "INTEGER";
                }
                d.columnas.push_back(c);
            }
        sqlite3_finalize(st);
        if (pks != 1)
            for (auto& c : d.columnas) c.rowidAlias = false;
    }
    sqlite3_close(mem);
    return ok && !d.columnas.empty();
}

bool DefinicionDelArchivo(const std::string& path, int nivel, Definicion& d) {
    if (nivel < 3) {
        std::string err;
        if (auto con = Connection::Open(path, false, &err)) {
            d.tabla = TableInFile(con->get());
            if (!d.tabla.empty()) d.sql = SchemaSqlInFile(con->get());
        }
        if (!d.sql.empty() && Columnas(d)) return true;
    }
    // What page 1 still holds.
    d = {};
    auto schema = LeeEsquema(path);
    for (const auto& e : schema)
        if (e.type == "table" && e.name.rfind("sqlite_", 0) != 0 && d.tabla.empty()) {
            d.tabla = e.name;
            d.sql.push_back(e.sql);
        }
    for (const auto& e : schema)
        if (e.type == "index" && !e.sql.empty() && EqualsIgnoringCase(e.tblName, d.tabla)) d.sql.push_back(e.sql);
    return !d.tabla.empty() && Columnas(d);
}

void Bind(sqlite3_stmt* st, int at, const Valor& v) {
    switch (v.tipo) {
    case Valor::Nulo: sqlite3_bind_null(st, at); break;
    case Valor::Entero: sqlite3_bind_int64(st, at, v.entero); break;
    case Valor::Real: sqlite3_bind_double(st, at, v.real); break;
    case Valor::Texto: sqlite3_bind_text(st, at, v.bytes.data(), int(v.bytes.size()), SQLITE_TRANSIENT); break;
    case Valor::Blob: sqlite3_bind_blob(st, at, v.bytes.data(), int(v.bytes.size()), SQLITE_TRANSIENT); break;
    }
}

// A side table (problem or key violations) with the table's columns and no keys, created
// on its first record.
class SideTable {
public:
    SideTable(std::string path, const Definicion& d, bool problem) : path_(std::move(path)), d_(d), problem_(problem) {}

    bool Add(const FilaRescatada* fila, const DatoIlegible* dato, const std::string& motivo) {
        if (!con_ && !Create()) return false;
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
        int at = 1;
        for (size_t i = 0; i < d_.columnas.size(); ++i, ++at)
            if (fila && i < fila->valores.size()) Bind(st_, at, fila->valores[i]);
        if (problem_) {
            sqlite3_bind_int64(st_, at++, fila ? fila->pagina : dato->pagina);
            sqlite3_bind_int64(st_, at++, fila ? fila->rowid : dato->rowid);
            sqlite3_bind_text(st_, at++, motivo.c_str(), -1, SQLITE_TRANSIENT);
            if (dato) sqlite3_bind_blob(st_, at, dato->datos.data(), int(dato->datos.size()), SQLITE_TRANSIENT);
        }
        ++count_;
        return sqlite3_step(st_) == SQLITE_DONE;
    }
    bool Finish() {
        if (!con_) return true;
        sqlite3_finalize(st_);
        st_ = nullptr;
        bool ok = con_->Exec("COMMIT");
        con_.reset();
        return ok && ConfirmaReemplazo(*archivo_, nullptr);
    }
    int count() const { return count_; }
    ~SideTable() {
        if (st_) sqlite3_finalize(st_);
    }

private:
    bool Create() {
        archivo_ = std::make_unique<shell::ArchivoAtomico>(path_);
        con_ = Connection::Open(archivo_->Temporal().string(), true, nullptr);
        if (!con_) return false;
        std::string create = "CREATE TABLE " + db::QuoteIdent(StemOf(path_)) + " (";
        std::string insert = "INSERT INTO " + db::QuoteIdent(StemOf(path_)) + " VALUES (";
        for (size_t i = 0; i < d_.columnas.size(); ++i) {
            create += (i ? ", " : "") + db::QuoteIdent(d_.columnas[i].nombre) + " " + d_.columnas[i].tipo;
            insert += i ? ",?" : "?";
        }
        if (problem_) {
            create += ", \"VlmPagina\" INTEGER, \"VlmRenglon\" INTEGER, \"VlmMotivo\" VARCHAR(255), \"VlmDatos\" BLOB";
            insert += ",?,?,?,?";
        }
        if (!con_->Exec("BEGIN; " + create + ")")) return false;
        return sqlite3_prepare_v2(con_->get(), (insert + ")").c_str(), -1, &st_, nullptr) == SQLITE_OK;
    }

    std::string path_;
    const Definicion& d_;
    bool problem_;
    std::unique_ptr<shell::ArchivoAtomico> archivo_;  // declared first: removed after the connection closes
    std::unique_ptr<Connection> con_;
    sqlite3_stmt* st_ = nullptr;
    int count_ = 0;
};

struct FileStamp {
    off_t size = 0;
    long mtimeNs = 0;
    time_t mtime = 0;
    bool operator==(const FileStamp&) const = default;
};
// "VLMPRBLM.db" for table "MovProd.DB" is "VLMPRBLM-MovProd.db": each table its own side
// tables, so rebuilding one never replaces what another set aside.
std::string DeLaTabla(const std::string& side, const std::string& table) {
    const std::string stem = StemOf(side), own = "-" + StemOf(table);
    if (stem.size() >= own.size() && EqualsIgnoringCase(stem.substr(stem.size() - own.size()), own)) return side;
    return FolderOf(side) + stem + own + ExtensionOf(side);
}

FileStamp Stamp(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return {st.st_size, st.st_mtim.tv_nsec, st.st_mtime};
}

}  // namespace

ResumenRecuperacion RecuperaArchivo(const std::string& tablePath, const std::string& errTable,
                                    const std::string& respaldo, const std::string& problemas,
                                    const std::string& violaciones, const db::TableDef* definicion) {
    ResumenRecuperacion out;
    auto fail = [&](int code, std::string why) {
        out.resultado = code;
        out.motivo = std::move(why);
        return out;
    };
    const std::string path = ResolvePath(tablePath);
    if (!FileExists(path)) return fail(kNoExisteTabla, "no existe " + tablePath);
    if (ArchivoOcupado(path)) return fail(kVerificacionFallida, "otro programa está usando " + path);

    // 1. Verification into the error table.
    ResultadoVerificacion v = VerificaArchivo(path);
    if (v.ocupado) return fail(kVerificacionFallida, "otro programa está usando " + path);
    std::string err;
    if (!errTable.empty() && !EscribeTablaErrores(errTable, path, v.errores, &err))
        return fail(kVerificacionFallida, "no se pudo escribir la tabla de errores: " + err);
    out.nivelPrevio = v.nivel;

    // 2. The table's definition.
    Definicion d;
    if (!DefinicionDelArchivo(path, v.nivel, d)) {
        d = {};
        if (definicion && !definicion->fields.empty()) {
            d.sql = db::CreateTableSql(*definicion);
            d.tabla = StemOf(definicion->name);
            if (!Columnas(d)) return fail(kDescripcionFallida, "la definición del diccionario no es válida");
        } else {
            return fail(kSinDescripcion, "el archivo ya no guarda la definición de la tabla");
        }
    }
    int rowidColumn = -1;
    for (size_t i = 0; i < d.columnas.size(); ++i)
        if (d.columnas[i].rowidAlias) rowidColumn = int(i);

    // 3. Rows, and the backup, both read before the lock is taken (closing any descriptor of
    // the file would drop SQLite's lock); the lock then proves that nothing changed since.
    const FileStamp before = Stamp(path);
    Rescate rescate = RescataTabla(path, d.tabla, int(d.columnas.size()), rowidColumn);
    // Earlier backups and side tables are kept: each rebuild takes names nothing holds yet.
    out.respaldo = RutaSinUsar(respaldo.empty() ? FolderOf(path) + "~" + FileNameOf(path) : respaldo);
    if (!CopyFileAtomically(path, out.respaldo, &err)) return fail(kRecuperacionFallida, err);
    std::unique_ptr<Connection> lock;
    if (rescate.encabezadoValido && v.nivel < 3) {
        lock = Connection::Open(path, false, nullptr);
        if (lock && !lock->LockExclusive(nullptr) && sqlite3_errcode(lock->get()) == SQLITE_BUSY)
            return fail(kVerificacionFallida, "otro programa está usando " + path);
    }
    if (!(Stamp(path) == before)) return fail(kVerificacionFallida, path + " cambió mientras se recuperaba");

    // 4. The new file.
    shell::ArchivoAtomico nuevo(path);
    const std::string tmp = nuevo.Temporal().string();
    out.tablaProblemas = problemas.empty() ? "" : RutaSinUsar(DeLaTabla(problemas, path));
    out.tablaViolaciones = violaciones.empty() ? "" : RutaSinUsar(DeLaTabla(violaciones, path));
    // Every failure below leaves the original untouched; `nuevo` removes its temporary file.
    {
        auto con = Connection::Open(tmp, true, &err);
        if (!con) return fail(kRecuperacionFallida, err);
        std::string create = "BEGIN;";
        for (const auto& s : d.sql) create += s + ";";
        if (!con->Exec(create, &err)) {
            return fail(kDescripcionFallida, "no se pudo crear la tabla nueva: " + err);
        }
        std::string insert = "INSERT INTO " + db::QuoteIdent(d.tabla) + " (";
        std::string values = ") VALUES (";
        if (rowidColumn < 0) insert += "rowid, ", values += "?, ";
        for (size_t i = 0; i < d.columnas.size(); ++i) {
            insert += (i ? ", " : "") + db::QuoteIdent(d.columnas[i].nombre);
            values += i ? ", ?" : "?";
        }
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(con->get(), (insert + values + ")").c_str(), -1, &st, nullptr) != SQLITE_OK) {
            err = con->LastError();
            return fail(kDescripcionFallida, err);
        }
        SideTable problem(out.tablaProblemas, d, true), keys(out.tablaViolaciones, d, false);
        bool sideOk = true;
        for (const auto& dato : rescate.ilegibles)
            sideOk = sideOk && (problemas.empty() || problem.Add(nullptr, &dato, dato.motivo));
        for (const auto& fila : rescate.filas) {
            sqlite3_reset(st);
            int at = 1;
            if (rowidColumn < 0) sqlite3_bind_int64(st, at++, fila.rowid);
            for (const auto& val : fila.valores) Bind(st, at++, val);
            int rc = sqlite3_step(st);
            if (rc == SQLITE_DONE) {
                ++out.filasGuardadas;
            } else if ((rc & 0xff) == SQLITE_CONSTRAINT) {
                sideOk = sideOk && (violaciones.empty() || keys.Add(&fila, nullptr, ""));
            } else {
                sideOk = sideOk && (problemas.empty() || problem.Add(&fila, nullptr, con->LastError()));
            }
        }
        sqlite3_finalize(st);
        out.filasHuerfanas = rescate.filasHuerfanas;
        out.problemas = problemas.empty() ? int(rescate.ilegibles.size()) : problem.count();
        out.violaciones = keys.count();
        if (!sideOk || !problem.Finish() || !keys.Finish()) {
            return fail(kRecuperacionFallida, "no se pudieron escribir las tablas de problemas");
        }
        if (!con->Exec("COMMIT", &err)) {
            return fail(kRecuperacionFallida, err);
        }
        sqlite3_stmt* chk = nullptr;
        bool ok = sqlite3_prepare_v2(con->get(), "PRAGMA integrity_check", -1, &chk, nullptr) == SQLITE_OK &&
                  sqlite3_step(chk) == SQLITE_ROW &&
                  std::string(reinterpret_cast<const char*>(sqlite3_column_text(chk, 0))) == "ok";
        sqlite3_finalize(chk);
        if (!ok) {
            return fail(kRecuperacionFallida, "la tabla nueva no pasó la verificación");
        }
    }

    // 5. Into place. A journal left beside the old file would be played into the new one.
    const std::string journal = path + "-journal";
    if (FileExists(journal)) {
        if (!CopyFileAtomically(journal, out.respaldo + "-journal", &err)) {
            return fail(kRecuperacionFallida, err);
        }
    }
    if (!ConfirmaReemplazo(nuevo, &err)) return fail(kRecuperacionFallida, err);
    std::remove(journal.c_str());
    lock.reset();
    out.resultado = out.problemas || out.violaciones ? kRecuperadaConApartados : kRecuperada;
    return out;
}

}  // namespace tablemaint
