// Works out index identifiers from the indexes inside a table file, and index file names.
#include "tablemaint/engine/index_names.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cstdio>
#include <set>

#include "platform/2_db/schema.h"
#include "tablemaint/engine/table_file.h"

namespace tablemaint {
namespace {

std::string Col(sqlite3_stmt* st, int i) {
    const unsigned char* t = sqlite3_column_text(st, i);
    return t ? reinterpret_cast<const char*>(t) : "";
}

struct KeyColumn {
    int cid;
    std::string name;
    bool desc;
    std::string coll;
};

std::vector<KeyColumn> KeyColumns(sqlite3* db, const std::string& index) {
    std::vector<KeyColumn> out;
    sqlite3_stmt* st = nullptr;
    std::string sql = "PRAGMA index_xinfo(" + ::db::QuoteIdent(index) + ")";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW)
            if (sqlite3_column_int(st, 5) == 1)
                out.push_back({sqlite3_column_int(st, 1), Col(st, 2), sqlite3_column_int(st, 3) != 0,
                               Col(st, 4)});
    }
    sqlite3_finalize(st);
    return out;
}

}  // namespace

std::string NombreIndice(unsigned id, const std::string& table) {
    std::string base = table.size() >= 2 ? table.substr(0, table.size() - 2) : std::string();
    char buf[16];
    if (id <= 255) std::snprintf(buf, sizeof buf, "X%02X", id);
    else std::snprintf(buf, sizeof buf, "XG%X", id - 256);
    return base + buf;
}

std::vector<IndiceEnArchivo> IndicesEnArchivo(sqlite3* db, const std::string& table) {
    std::vector<IndiceEnArchivo> out;
    // A rowid primary key has no index of its own.
    {
        sqlite3_stmt* st = nullptr;
        std::string sql = "PRAGMA table_info(" + ::db::QuoteIdent(table) + ")";
        std::vector<std::pair<int, std::string>> pk;
        std::string pkType;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK)
            while (sqlite3_step(st) == SQLITE_ROW)
                if (sqlite3_column_int(st, 5) > 0) {
                    pk.emplace_back(sqlite3_column_int(st, 5), Col(st, 1));
                    pkType = Upper(Col(st, 2));
                }
        sqlite3_finalize(st);
        if (pk.size() == 1 && pkType == "INTEGER") {
            IndiceEnArchivo p;
            p.nombre = "PRIMARIO";
            p.primario = p.unico = true;
            p.campos = {pk[0].second};
            out.push_back(p);
        }
    }
    sqlite3_stmt* st = nullptr;
    std::vector<std::pair<std::string, bool>> indexes;  // name, has SQL (created by us)
    if (sqlite3_prepare_v2(db,
                           "SELECT name, sql IS NOT NULL FROM sqlite_master WHERE type='index' AND "
                           "tbl_name=? ORDER BY rowid",
                           -1, &st, nullptr) == SQLITE_OK) {
        sqlite3_bind_text(st, 1, table.c_str(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(st) == SQLITE_ROW) indexes.emplace_back(Col(st, 0), sqlite3_column_int(st, 1));
    }
    sqlite3_finalize(st);
    std::set<unsigned> used;
    unsigned composite = 0;
    for (const auto& [name, created] : indexes) {
        auto keys = KeyColumns(db, name);
        IndiceEnArchivo idx;
        idx.sqliteName = name;
        for (const auto& k : keys) idx.campos.push_back(k.name);
        if (!created) {
            // sqlite_autoindex_T_1 backs the PRIMARY KEY; later ones back UNIQUE columns.
            if (name.find("_autoindex_") == std::string::npos || name.back() != '1') continue;
            idx.nombre = "PRIMARIO";
            idx.primario = idx.unico = true;
            out.insert(out.begin(), idx);
            continue;
        }
        idx.nombre = name;
        sqlite3_stmt* u = nullptr;
        std::string sql = "PRAGMA index_list(" + ::db::QuoteIdent(table) + ")";
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &u, nullptr) == SQLITE_OK)
            while (sqlite3_step(u) == SQLITE_ROW)
                if (Col(u, 1) == name) idx.unico = sqlite3_column_int(u, 2) != 0;
        sqlite3_finalize(u);
        bool single = keys.size() == 1 && !keys[0].desc && EqualsIgnoringCase(keys[0].coll, "BINARY") &&
                      keys[0].cid >= 0 && !used.count(unsigned(keys[0].cid + 1));
        idx.id = single ? unsigned(keys[0].cid + 1) : 256 + composite++;
        used.insert(idx.id);
        out.push_back(idx);
    }
    return out;
}

std::optional<unsigned> IdentificadorIndice(const std::string& tablePath, const std::string& index) {
    const std::string file = ResolvePath(tablePath);
    if (!FileExists(file)) return std::nullopt;
    sqlite3* db = nullptr;
    std::optional<unsigned> id;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 200);
        for (const auto& i : IndicesEnArchivo(db, TableInFile(db)))
            if (EqualsIgnoringCase(i.nombre, index)) {
                id = i.id;
                break;
            }
    }
    sqlite3_close(db);
    return id;
}

DescripcionArchivo DescribeArchivo(const std::string& folder, const std::string& name) {
    DescripcionArchivo d;
    if (name.empty()) return d;
    const std::string ext = Upper(ExtensionOf(name));
    auto statFile = [&](const std::string& path) {
        struct stat st {};
        if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
        d.existe = true;
        d.ruta = path;
        d.bytes = st.st_size;
        d.modificado = st.st_mtime;
        d.tipo = "SQLite 3";
        return true;
    };
    // Index names: ".PX", ".Xhh", ".Yhh", ".XGh", ".YGh".
    std::optional<unsigned> wanted;
    bool primary = ext == ".PX";
    if (!primary && ext.size() >= 3 && (ext[1] == 'X' || ext[1] == 'Y')) {
        std::string digits = ext.substr(2);
        bool group = !digits.empty() && digits[0] == 'G';
        if (group) digits = digits.substr(1);
        char* end = nullptr;
        unsigned long v = std::strtoul(digits.c_str(), &end, 16);
        if (!digits.empty() && end && *end == 0) wanted = unsigned(v) + (group ? 256 : 0);
    }
    if (!primary && !wanted) {
        statFile(ResolveIgnoringCase(folder, name));
        return d;
    }
    const std::string table = ResolveIgnoringCase(folder, StemOf(name) + ".db");
    DescripcionArchivo t;
    std::swap(t, d);
    if (!statFile(table)) return t;
    std::swap(t, d);  // d empty again, t the table file
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(table.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 200);
        for (const auto& i : IndicesEnArchivo(db, TableInFile(db))) {
            if (primary ? !i.primario : (i.primario || i.id != *wanted)) continue;
            d = t;
            d.tipo = "Índice";
            d.bytes = 0;
            if (!i.sqliteName.empty()) {
                sqlite3_stmt* st = nullptr;
                if (sqlite3_prepare_v2(db, "SELECT sum(pgsize) FROM dbstat WHERE name=?", -1, &st,
                                       nullptr) == SQLITE_OK) {
                    sqlite3_bind_text(st, 1, i.sqliteName.c_str(), -1, SQLITE_TRANSIENT);
                    if (sqlite3_step(st) == SQLITE_ROW) d.bytes = sqlite3_column_int64(st, 0);
                }
                sqlite3_finalize(st);
            }
            break;
        }
    }
    sqlite3_close(db);
    return d;
}

}  // namespace tablemaint
