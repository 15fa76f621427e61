// BatchWriter: a prepared INSERT reused for every row inside one transaction, values bound
// straight into it, the disk's sync path left out until commit; new files built in memory and
// written in one piece.
#include "platform/2_db/batch.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>

#include "platform/2_db/field.h"
#include "platform/2_db/names.h"
#include "platform/2_db/sqlite_internal.h"

namespace db {
namespace {

// The flock TTable takes on every open, taken here exclusively: a reader's shared open and
// another exclusive holder both keep it out until they let go.
int LockExclusive(const std::string& path, const std::string& name, int waitMs) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw EDatabaseError("No se puede abrir la tabla " + name + ": " + std::strerror(errno));
    for (int waited = 0;; waited += 50) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= waitMs) {
            ::close(fd);
            throw EDatabaseError("La tabla " + name + " está en uso", ErrorKind::Locked);
        }
        ::usleep(50 * 1000);
    }
}

bool IsText(FieldType t) { return t == FieldType::String || t == FieldType::Memo; }
// ISO text already in the form a date or date-time column stores ("2026-05-29",
// "2026-05-29 13:45:00"): bound as it is, without a round trip through TDateTime.
bool StoredDateShape(FieldType t, std::string_view s) {
    const size_t want = t == FieldType::Date ? 10 : t == FieldType::DateTime ? 19 : 0;
    if (want == 0 || s.size() != want) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const bool sep = i == 4 || i == 7 || i == 10 || i == 13 || i == 16;
        if (sep ? c != (i < 10 ? '-' : i == 10 ? ' ' : ':') : (c < '0' || c > '9')) return false;
    }
    const int month = (s[5] - '0') * 10 + (s[6] - '0');
    const int day = (s[8] - '0') * 10 + (s[9] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

bool IsWhole(FieldType t) {
    return t == FieldType::SmallInt || t == FieldType::Integer || t == FieldType::AutoInc;
}

}  // namespace

BatchWriter::BatchWriter(const std::string& path, const TableDef& def) : BatchWriter(path, def, Options{}) {}

BatchWriter::BatchWriter(const std::string& path, const TableDef& def, const Options& options)
    : def_(def), options_(options), path_(path), uncaught_(std::uncaught_exceptions()) {
    // O_EXCL claims the name: of two writers that find no file, one creates it.
    const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0664);
    if (fd >= 0) {
        created_ = true;
        // Kept to write the image of a table built in memory: one open a file.
        if (options.newFileInMemory) imageFd_ = fd;
        else ::close(fd);
    } else if (errno != EEXIST) {
        throw EDatabaseError("No se puede crear la tabla " + def.name + ": " + std::strerror(errno));
    }
    try {
        if (options.exclusive) lockFd_ = LockExclusive(path, def.name, options.waitMs);
        memory_ = created_ && options.newFileInMemory;
        conn_ = std::make_unique<detail::Connection>(memory_ ? ":memory:" : path, memory_, 3000, def.name);
        // Index pages of a large load into an existing table stay in memory instead of being
        // written and read again. A new table builds its indexes after the rows, where a
        // larger cache only makes the sort hold (and fault in) more memory.
        if (!created_) conn_->Exec("PRAGMA cache_size=-65536");
        // No disk sync at each commit: loading thousands of small per-day files otherwise
        // waits on the disk for most of its time. A killed load still rolls back through the
        // journal.
        conn_->Exec("PRAGMA synchronous=OFF");
        if (created_) {
            // Secondary indexes are built once, after the rows: faster than row by row.
            const auto sql = CreateTableSql(def);
            conn_->Exec(sql[0]);
            deferred_.assign(sql.begin() + 1, sql.end());
        }
        detail::Statement name(*conn_, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid LIMIT 1");
        if (!name.Step()) throw EDatabaseError("El archivo " + path + " no contiene una tabla", ErrorKind::NotFound);
        const std::string table = name.Column(0).ToString();
        name = detail::Statement();
        std::string cols, vals;
        for (size_t k = 0; k < def.fields.size(); ++k) {
            cols += (k ? ", " : "") + QuoteIdent(def.fields[k].name);
            vals += k ? ", ?" : "?";
        }
        insert_ = std::make_unique<detail::Statement>(*conn_, "INSERT INTO " + QuoteIdent(table) + " (" + cols + ") VALUES (" + vals + ")");
    } catch (...) {
        Discard();
        throw;
    }
    replacePending_ = options.replaceRows && !created_;
}

BatchWriter::~BatchWriter() {
    if (std::uncaught_exceptions() > uncaught_) {
        Discard();
        return;
    }
    try {
        Commit();
    } catch (...) {
    }
    Discard();
}

void BatchWriter::Discard() {
    if (open_ && conn_) {
        try {
            conn_->Exec("ROLLBACK");
        } catch (...) {
        }
    }
    open_ = false;
    insert_.reset();
    conn_.reset();
    // A file this writer created and never wrote is no table at all.
    if (created_ && !committed_) {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
        created_ = false;
    }
    if (lockFd_ >= 0) ::close(lockFd_);
    lockFd_ = -1;
    if (imageFd_ >= 0) ::close(imageFd_);
    imageFd_ = -1;
}

int BatchWriter::FieldIndex(std::string_view name) const {
    for (size_t k = 0; k < def_.fields.size(); ++k)
        if (SameName(def_.fields[k].name, std::string(name))) return static_cast<int>(k);
    throw EDatabaseError("No existe el campo " + std::string(name) + " en la tabla " + def_.name, ErrorKind::NotFound);
}

void BatchWriter::Bind(int field, const Value& stored) {
    if (field < 0 || field >= static_cast<int>(def_.fields.size()))
        throw EDatabaseError("La tabla " + def_.name + " no tiene el campo número " + std::to_string(field));
    if (!stored.IsNull()) insert_->Bind(field + 1, stored);
}

void BatchWriter::PrepareForThreads() { sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0); }

void BatchWriter::Set(int field, std::string_view text) {
    if (field >= 0 && field < static_cast<int>(def_.fields.size()) &&
        (IsText(def_.fields[field].type) || StoredDateShape(def_.fields[field].type, text))) {
        if (text.empty()) return;  // a blank stays null
        const int rc = sqlite3_bind_text(insert_->Handle(), field + 1, text.data(), static_cast<int>(text.size()),
                                         SQLITE_TRANSIENT);
        if (rc != SQLITE_OK) detail::Raise(rc, conn_->Handle(), def_.name);
        return;
    }
    SetValue(field, Value(std::string(text)));
}

void BatchWriter::Set(int field, double value) {
    if (field >= 0 && field < static_cast<int>(def_.fields.size()) &&
        (def_.fields[field].type == FieldType::Float || def_.fields[field].type == FieldType::Currency)) {
        sqlite3_bind_double(insert_->Handle(), field + 1, value);
        return;
    }
    SetValue(field, Value(value));
}

void BatchWriter::SetInteger(int field, std::int64_t value) {
    if (field >= 0 && field < static_cast<int>(def_.fields.size()) && IsWhole(def_.fields[field].type)) {
        sqlite3_bind_int64(insert_->Handle(), field + 1, value);
        return;
    }
    SetValue(field, Value(static_cast<long long>(value)));
}

void BatchWriter::SetValue(int field, const Value& value) {
    if (field < 0 || field >= static_cast<int>(def_.fields.size())) Bind(field, value);  // raises
    Bind(field, ConvertForField(def_.fields[field], value));
}

void BatchWriter::Begin() {
    if (open_) return;
    conn_->Exec("BEGIN IMMEDIATE");
    open_ = true;
    if (replacePending_) {
        replacePending_ = false;
        detail::Statement name(*conn_, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid LIMIT 1");
        if (name.Step()) conn_->Exec("DELETE FROM " + QuoteIdent(name.Column(0).ToString()));
    }
}

void BatchWriter::Append() {
    Begin();
    insert_->Step();
    insert_->Reset();
    sqlite3_clear_bindings(insert_->Handle());
    ++count_;
}

void BatchWriter::Append(const Row& row) {
    if (row.size() != def_.fields.size())
        throw EDatabaseError("El registro no tiene los campos de la tabla " + def_.name);
    sqlite3_clear_bindings(insert_->Handle());
    for (size_t k = 0; k < row.size(); ++k) SetValue(static_cast<int>(k), row[k]);
    Append();
}

void BatchWriter::CreateDeferredIndexes() {
    for (const auto& sql : deferred_) conn_->Exec(sql);
    deferred_.clear();
}

void BatchWriter::WriteImage() {
    sqlite3_int64 size = 0;
    unsigned char* image = sqlite3_serialize(conn_->Handle(), "main", &size, 0);
    if (!image) throw EDatabaseError("No hay memoria para escribir la tabla " + def_.name);
    // No O_TRUNC: the file system would then write the new contents out at close, as for a
    // file replaced by truncation, costing milliseconds a file; a longer old image is cut
    // after the new one is written.
    const int fd = imageFd_ >= 0 ? imageFd_ : ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
    imageFd_ = -1;
    bool ok = fd >= 0;
    if (ok && ::lseek(fd, 0, SEEK_SET) != 0) ok = false;
    for (sqlite3_int64 done = 0; ok && done < size;) {
        const ssize_t n = ::write(fd, image + done, static_cast<size_t>(size - done));
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += n;
    }
    struct stat st {};
    if (ok && ::fstat(fd, &st) == 0 && st.st_size > size) ok = ::ftruncate(fd, size) == 0;
    const int err = errno;
    if (fd >= 0 && ::close(fd) != 0) ok = false;
    sqlite3_free(image);
    if (!ok) throw EDatabaseError("No se puede escribir la tabla " + def_.name + ": " + std::strerror(err));
}

void BatchWriter::Commit() {
    if (!conn_) return;
    if (replacePending_) Begin();
    const bool changed = open_;
    if (open_) {
        open_ = false;
        conn_->Exec("COMMIT");
    }
    if (!deferred_.empty()) CreateDeferredIndexes();
    if (memory_ && (changed || !committed_)) WriteImage();
    committed_ = true;
}

void BatchWriter::Rollback() {
    if (!open_) return;
    open_ = false;
    conn_->Exec("ROLLBACK");
}

}  // namespace db
