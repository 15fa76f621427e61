// SQLite side of TableWriter: one connection per file, no journal and no syncing while the
// file is being filled (a half-written file is removed, never left as data). In memory mode
// the database is built in memory and its image written with one write: the same bytes a file
// database would hold, for a fraction of the system calls.
#include "host/razir/demo/table_writer.h"

#include <sqlite3.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace razir::demo {

struct TableWriter::Impl {
    std::filesystem::path path;
    db::TableDef def;
    std::vector<std::string> deferred;  // CREATE INDEX statements run at Finish()
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
    bool finished = false;
    bool memory = false;
    bool touched = false;  // the file on disk is ours to remove if we fail
};

TableWriter::TableWriter(const std::filesystem::path& folder, const db::TableDef& def, Mode mode)
    : impl_(new Impl) {
    impl_->def = def;
    impl_->memory = mode == Mode::Memory;
    impl_->touched = !impl_->memory;
    std::string name = def.name;
    if (name.find('.') == std::string::npos) name += ".DB";
    impl_->path = folder / name;
    std::error_code ec;
    if (!impl_->memory) std::filesystem::remove(impl_->path, ec);  // memory mode truncates on writing
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX |
                      (impl_->memory ? SQLITE_OPEN_MEMORY : 0);
    if (sqlite3_open_v2(impl_->memory ? ":memory:" : impl_->path.c_str(), &impl_->db, flags,
                        nullptr) != SQLITE_OK) {
        const std::string why = sqlite3_errmsg(impl_->db);
        sqlite3_close(impl_->db);
        delete impl_;
        throw std::runtime_error("No se puede crear " + (folder / name).string() + ": " + why);
    }
    try {
        Check(sqlite3_exec(impl_->db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr,
                           nullptr, nullptr),
              "configurar");
        const auto sql = db::CreateTableSql(def);
        Check(sqlite3_exec(impl_->db, sql[0].c_str(), nullptr, nullptr, nullptr), "crear la tabla");
        impl_->deferred.assign(sql.begin() + 1, sql.end());
        Check(sqlite3_exec(impl_->db, "BEGIN", nullptr, nullptr, nullptr), "iniciar");
        const std::string stem = std::filesystem::path(name).stem().string();
        std::string insert = "INSERT INTO " + db::QuoteIdent(stem) + " VALUES (";
        for (size_t i = 0; i < def.fields.size(); ++i) insert += i ? ",?" : "?";
        insert += ")";
        Check(sqlite3_prepare_v2(impl_->db, insert.c_str(), -1, &impl_->insert, nullptr), "preparar");
    } catch (...) {
        sqlite3_finalize(impl_->insert);
        sqlite3_close(impl_->db);
        if (impl_->touched) std::filesystem::remove(impl_->path, ec);
        delete impl_;
        throw;
    }
}

void TableWriter::PrepareForThreads() { sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0); }

TableWriter::~TableWriter() {
    if (!impl_->finished) {
        sqlite3_finalize(impl_->insert);
        sqlite3_close(impl_->db);
        std::error_code ec;
        if (impl_->touched) std::filesystem::remove(impl_->path, ec);
    }
    delete impl_;
}

void TableWriter::Check(int rc, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error("Error al " + std::string(what) + " " + impl_->path.string() + ": " +
                                 sqlite3_errmsg(impl_->db));
}

int TableWriter::Col(std::string_view field) const {
    for (size_t i = 0; i < impl_->def.fields.size(); ++i)
        if (impl_->def.fields[i].name == field) return static_cast<int>(i);
    throw std::logic_error("campo desconocido " + std::string(field) + " en " + impl_->def.name);
}

void TableWriter::Set(int col, std::string_view value) {
    // An empty view may carry a null pointer, which SQLite would bind as NULL; an empty code
    // must stay an empty text, since the reports compare codes with <> and NOT LIKE.
    Check(sqlite3_bind_text(impl_->insert, col + 1, value.empty() ? "" : value.data(), static_cast<int>(value.size()),
                            SQLITE_TRANSIENT),
          "escribir");
}

void TableWriter::Set(int col, double value) {
    Check(sqlite3_bind_double(impl_->insert, col + 1, value), "escribir");
}

void TableWriter::SetInt(int col, int64_t value) {
    Check(sqlite3_bind_int64(impl_->insert, col + 1, value), "escribir");
}

void TableWriter::Insert() {
    Check(sqlite3_step(impl_->insert), "insertar en");
    sqlite3_reset(impl_->insert);
    sqlite3_clear_bindings(impl_->insert);
}

void TableWriter::Finish() {
    Check(sqlite3_finalize(impl_->insert), "cerrar");
    impl_->insert = nullptr;
    Check(sqlite3_exec(impl_->db, "COMMIT", nullptr, nullptr, nullptr), "confirmar");
    for (const auto& sql : impl_->deferred)
        Check(sqlite3_exec(impl_->db, sql.c_str(), nullptr, nullptr, nullptr), "indexar");
    if (impl_->memory) {
        sqlite3_int64 size = 0;
        unsigned char* image = sqlite3_serialize(impl_->db, "main", &size, 0);
        if (!image) Check(SQLITE_NOMEM, "escribir");
        impl_->touched = true;
        std::FILE* out = std::fopen(impl_->path.c_str(), "wb");
        const bool ok = out && std::fwrite(image, 1, static_cast<size_t>(size), out) == static_cast<size_t>(size);
        const bool closed = out && std::fclose(out) == 0;
        sqlite3_free(image);
        if (!ok || !closed)
            throw std::runtime_error("No se puede escribir " + impl_->path.string());
    }
    Check(sqlite3_close(impl_->db), "cerrar");
    impl_->db = nullptr;
    impl_->finished = true;
}

}  // namespace razir::demo
