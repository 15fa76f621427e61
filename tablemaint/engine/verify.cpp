// Runs SQLite's integrity check on a table file and turns its findings into error records:
// damage in an index tree is an index out of date (regenerating it cures it), damage in the
// table's own tree is a damaged record (rebuilding cures it).
#include "tablemaint/engine/verify.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <set>

#include "tablemaint/engine/salvage.h"
#include "tablemaint/engine/table_file.h"

namespace tablemaint {
namespace {

std::string After(const std::string& s, const std::string& marker) {
    auto at = s.find(marker);
    if (at == std::string::npos) return "";
    std::string rest = s.substr(at + marker.size());
    auto end = rest.find_first_of(" :\n");
    return end == std::string::npos ? rest : rest.substr(0, end);
}

// The page number an integrity message is about: "Page 20: ...", "Tree 2 page 20 cell 0: ...",
// "On tree page 20 cell 0: ...".
long PageOf(const std::string& m) {
    for (const char* marker : {"Tree ", "On tree page ", "Page ", "page "}) {
        auto at = m.find(marker);
        if (at == std::string::npos) continue;
        if (std::string(marker) == "Tree ") {
            auto p = m.find(" page ", at);
            if (p == std::string::npos) continue;
            return std::atol(m.c_str() + p + 6);
        }
        return std::atol(m.c_str() + at + std::string(marker).size());
    }
    return 0;
}

}  // namespace

bool CodigoDeDano(int codigo) {
    switch (codigo) {
    case kRegistroDanado:
    case kEspacioLibreDanado:
    case kVerificacionIncompleta:
    case kArchivoTruncado:
    case kDefinicionIlegible:
    case kEncabezadoDanado:
    case kNoEsTabla: return true;
    default: return false;
    }
}

bool ResultadoVerificacion::Danado() const {
    for (const auto& e : errores)
        if (CodigoDeDano(e.codigo)) return true;
    return false;
}

void ResultadoVerificacion::Agrega(int codigo, int nivelError, std::string mensaje) {
    for (const auto& e : errores)
        if (e.codigo == codigo && e.mensaje == mensaje) return;
    errores.push_back({codigo, nivelError, std::move(mensaje)});
    nivel = std::max(nivel, nivelError);
}

int NivelComoResultado(int nivel) { return nivel >= 0 && nivel <= 4 ? nivel : 5; }

ResultadoVerificacion VerificaArchivo(const std::string& path) {
    ResultadoVerificacion r;
    struct stat fileStat {};
    stat(path.c_str(), &fileStat);
    if (fileStat.st_size == 0) {
        r.Agrega(kNoEsTabla, 4, "El archivo está vacío");
        return r;
    }
    unsigned char hdr[100] = {};
    char head[16] = {};
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        if (std::fread(hdr, 1, 100, f) != 100) hdr[0] = 0;
        std::memcpy(head, hdr, 16);
        std::fclose(f);
    }
    if (std::string(head, 15) != "SQLite format 3") {
        if (fileStat.st_size >= 1024) r.Agrega(kEncabezadoDanado, 3, "El encabezado del archivo está dañado");
        else r.Agrega(kNoEsTabla, 4, "El archivo no es una tabla");
        return r;
    }
    // The header's page count is trusted when its change counter matches the one it was
    // written with; a shorter file lost its end.
    auto be32 = [&](int at) {
        return (uint32_t(hdr[at]) << 24) | (uint32_t(hdr[at + 1]) << 16) | (uint32_t(hdr[at + 2]) << 8) | hdr[at + 3];
    };
    uint32_t pageSize = (uint32_t(hdr[16]) << 8) | hdr[17];
    if (pageSize == 1) pageSize = 65536;
    const uint32_t declared = be32(28);
    bool truncated = false;
    if (pageSize >= 512 && be32(24) == be32(92) && declared > 0 &&
        uint64_t(fileStat.st_size) < uint64_t(declared) * pageSize) {
        truncated = true;
        r.Agrega(kArchivoTruncado, 1,
                 "El archivo está truncado: tiene " + std::to_string(fileStat.st_size / pageSize) + " de " +
                     std::to_string(declared) + " páginas");
    }
    std::string err;
    auto con = Connection::Open(path, false, &err);
    if (!con) {
        r.Agrega(kDefinicionIlegible, 3, "No se puede abrir la tabla: " + err);
        return r;
    }
    if (!con->LockExclusive(&err)) {
        if (sqlite3_errcode(con->get()) == SQLITE_BUSY) r.ocupado = true;
        else if (truncated) r.Agrega(kVerificacionIncompleta, 1, "La verificación se detuvo en el final perdido: " + err);
        else r.Agrega(kDefinicionIlegible, 3, "La definición de la tabla no se puede leer: " + err);
        return r;
    }
    const std::string table = TableInFile(con->get());
    if (table.empty()) {
        // Either the schema is unreadable or the file holds no table.
        sqlite3_stmt* probe = nullptr;
        int rc = sqlite3_prepare_v2(con->get(), "SELECT count(*) FROM sqlite_master", -1, &probe, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_step(probe);
        sqlite3_finalize(probe);
        r.Agrega(kDefinicionIlegible, 3,
                 rc == SQLITE_ROW ? "El archivo no contiene ninguna tabla"
                                  : "La definición de la tabla no se puede leer");
        return r;
    }
    std::map<std::string, bool> isIndex;  // tree name -> index?
    {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(con->get(), "SELECT name, type FROM sqlite_master", -1, &s, nullptr) == SQLITE_OK)
            while (sqlite3_step(s) == SQLITE_ROW)
                isIndex[reinterpret_cast<const char*>(sqlite3_column_text(s, 0))] =
                    std::string(reinterpret_cast<const char*>(sqlite3_column_text(s, 1))) == "index";
        sqlite3_finalize(s);
    }
    auto indexMessage = [](const std::string& name) {
        return "El índice " + name + " no corresponde a los registros de la tabla";
    };
    // Messages naming only a page are sorted out after the connection is closed: reading the
    // file for the page map closes a descriptor, which would drop SQLite's locks on it.
    std::vector<std::pair<long, std::string>> byPage;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(con->get(), "PRAGMA integrity_check(200)", -1, &st, nullptr) != SQLITE_OK) {
        r.Agrega(kDefinicionIlegible, 3, "La definición de la tabla no se puede leer: " + con->LastError());
        sqlite3_finalize(st);
        return r;
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        std::string text = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        size_t start = 0;
        while (start <= text.size()) {
            size_t nl = text.find('\n', start);
            std::string m = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
            start = nl == std::string::npos ? text.size() + 1 : nl + 1;
            if (m.empty() || m == "ok" || m.rfind("*** in database", 0) == 0) continue;
            std::string idx = After(m, "missing from index ");
            if (idx.empty()) idx = After(m, "wrong # of entries in index ");
            if (!idx.empty()) {
                r.Agrega(kIndiceDesactualizado, 1, indexMessage(idx));
            } else if (!(idx = After(m, "non-unique entry in index ")).empty()) {
                r.Agrega(kClaveDuplicada, 1, "El índice único " + idx + " tiene claves repetidas");
            } else if (m.find("NULL value in") != std::string::npos) {
                r.Agrega(kValorNulo, 1, "Campo requerido sin valor: " + m);
            } else if (m.find("never used") != std::string::npos) {
                r.Agrega(kEspacioLibre, 0, "Página sin uso: " + m);
            } else if (m.find("reelist") != std::string::npos) {
                r.Agrega(kEspacioLibreDanado, 1, "Lista de páginas libres dañada: " + m);
            } else {
                byPage.emplace_back(PageOf(m), m);
            }
        }
    }
    sqlite3_finalize(st);
    auto placePages = [&] {
        if (byPage.empty()) return;
        auto trees = ArbolesPorPagina(path);
        for (const auto& [page, m] : byPage) {
            std::string tree;
            for (const auto& [p, name] : trees)
                if (long(p) == page) tree = name;
            if (!tree.empty() && isIndex[tree]) r.Agrega(kIndiceDesactualizado, 1, indexMessage(tree));
            else r.Agrega(kRegistroDanado, 1, "Registro o página dañada: " + m);
        }
    };
    if (rc != SQLITE_DONE) {
        // The check stops at the first damaged page it has to read row by row. When damage was
        // already located, the table's state is known (level 1); otherwise it is not (level 2).
        const bool located = !byPage.empty() || r.nivel >= 1;
        r.Agrega(kVerificacionIncompleta, located ? 1 : 2,
                 "La verificación se detuvo en la parte dañada: " + con->LastError());
        con.reset();
        placePages();
        return r;
    }
    if (r.nivel == 0 && byPage.empty()) {
        auto count = [&](const std::string& sql) -> long long {
            sqlite3_stmt* s = nullptr;
            long long n = -1;
            if (sqlite3_prepare_v2(con->get(), sql.c_str(), -1, &s, nullptr) == SQLITE_OK &&
                sqlite3_step(s) == SQLITE_ROW)
                n = sqlite3_column_int64(s, 0);
            sqlite3_finalize(s);
            return n;
        };
        if (count("SELECT count(*) FROM " + db::QuoteIdent(table)) == 0)
            r.Agrega(kTablaVacia, 0, "La tabla no tiene registros");
        if (count("SELECT count(*) FROM pragma_table_info(" + db::QuoteIdent(table) + ") WHERE pk > 0") == 0)
            r.Agrega(kSinIndicePrimario, 0, "La tabla no tiene índice primario");
        long long freePages = count("PRAGMA freelist_count");
        if (freePages > 0)
            r.Agrega(kEspacioLibre, 0, std::to_string(freePages) + " páginas libres dentro del archivo");
    }
    con->Exec("ROLLBACK");
    con.reset();
    placePages();
    return r;
}

db::TableDef DefinicionTablaErrores(const std::string& nombre) {
    using db::FieldType;
    return {nombre,
            {{"Drive", FieldType::String, 2, false},
             {"Directory", FieldType::String, 255, false},
             {"Table Name", FieldType::String, 80, false},
             {"Extension", FieldType::String, 10, false},
             {"Error Code", FieldType::SmallInt, 0, false},
             {"Error Level", FieldType::SmallInt, 0, false},
             {"Error Message", FieldType::String, 255, false},
             {"Date", FieldType::Date, 0, false},
             {"Time", FieldType::Time, 0, false}},
            {}};
}

bool EscribeTablaErrores(const std::string& errTable, const std::string& tablePath,
                         const std::vector<ErrorVerificacion>& errores, std::string* error) {
    const std::string target = ResolvePath(errTable);
    const std::string tmp = target + ".vlmnuevo";
    std::remove(tmp.c_str());
    {
        auto con = Connection::Open(tmp, true, error);
        if (!con) return false;
        db::TableDef def = DefinicionTablaErrores(FileNameOf(target));
        std::string sql = "BEGIN;";
        for (const auto& s : db::CreateTableSql(def)) sql += s + ";";
        if (!con->Exec(sql, error)) return false;
        sqlite3_stmt* st = nullptr;
        std::string insert = "INSERT INTO " + db::QuoteIdent(StemOf(target)) + " VALUES (?,?,?,?,?,?,?,?,?)";
        if (sqlite3_prepare_v2(con->get(), insert.c_str(), -1, &st, nullptr) != SQLITE_OK) {
            if (error) *error = con->LastError();
            return false;
        }
        std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        char date[16], time[16];
        std::strftime(date, sizeof date, "%Y-%m-%d", &tm);
        std::strftime(time, sizeof time, "%H:%M:%S", &tm);
        const std::string folder = FolderOf(tablePath), stem = StemOf(tablePath), ext = ExtensionOf(tablePath);
        for (const auto& e : errores) {
            sqlite3_reset(st);
            sqlite3_bind_text(st, 1, "", -1, SQLITE_STATIC);  // no drive letters here
            sqlite3_bind_text(st, 2, folder.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 3, stem.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 4, ext.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(st, 5, e.codigo);
            sqlite3_bind_int(st, 6, e.nivel);
            sqlite3_bind_text(st, 7, e.mensaje.substr(0, 255).c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 8, date, -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 9, time, -1, SQLITE_STATIC);
            if (sqlite3_step(st) != SQLITE_DONE) {
                if (error) *error = con->LastError();
                sqlite3_finalize(st);
                return false;
            }
        }
        sqlite3_finalize(st);
        if (!con->Exec("COMMIT", error)) return false;
    }
    if (std::rename(tmp.c_str(), target.c_str()) != 0) {
        if (error) *error = "no se pudo escribir " + target;
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

std::vector<ErrorVerificacion> LeeTablaErrores(const std::string& errTable) {
    std::vector<ErrorVerificacion> out;
    const std::string path = ResolvePath(errTable);
    sqlite3* db = nullptr;
    if (FileExists(path) && sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        std::string q = "SELECT \"Error Code\", \"Error Level\", \"Error Message\" FROM " +
                        db::QuoteIdent(TableInFile(db)) + " ORDER BY rowid";
        if (sqlite3_prepare_v2(db, q.c_str(), -1, &st, nullptr) == SQLITE_OK)
            while (sqlite3_step(st) == SQLITE_ROW) {
                const unsigned char* m = sqlite3_column_text(st, 2);
                out.push_back({sqlite3_column_int(st, 0), sqlite3_column_int(st, 1),
                               m ? reinterpret_cast<const char*>(m) : ""});
            }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return out;
}

}  // namespace tablemaint
