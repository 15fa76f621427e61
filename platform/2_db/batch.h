// Bulk loading of a table file: one prepared INSERT inside one transaction, for the demo
// generator, benchmarks, table copies and the tables reports refill (FecEst). Rows go in as
// written; there is no cursor.
// Not here: browsing or editing (table.h).
//
// Values are stored as a record edit stores them (ConvertForField): dates as ISO-8601 text,
// and a blank text as null, as the old tables kept a blank; so a row loaded here and a row
// posted through a TTable read back the same.
//
// A new file (one the writer creates) is built with its secondary indexes deferred to the
// commit and, by default, in memory, its image written into the file at the commit: a small
// table costs a handful of system calls. Until the first commit the new file is empty, and a
// writer abandoned by an exception removes it. An existing file is written in place, in a
// transaction that a crash or an exception rolls back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/2_db/schema.h"
#include "platform/2_db/value.h"

namespace db {

namespace detail {
class Connection;
class Statement;
}  // namespace detail

class BatchWriter {
public:
    using Row = std::vector<Value>;  // one value per field of the definition, in order

    struct Options {
        // Holds the table as TTable::Exclusive does (every other open waits or is refused)
        // from construction to destruction; another holder is waited for up to waitMs, then
        // EDatabaseError (Locked) "La tabla <name> está en uso".
        bool exclusive = false;
        int waitMs = 3000;
        // The existing rows go in the same transaction as the first rows appended: readers
        // see the old rows or the new ones, never a mix or an empty table.
        bool replaceRows = false;
        // A new file is built in memory and written whole at each commit; false builds it in
        // its file (tables too large to hold in memory).
        bool newFileInMemory = true;
    };

    // Opens `path` (creating the table from `def` when the file does not exist) and starts
    // the transaction. The fields of `def` must be columns of the table.
    BatchWriter(const std::string& path, const TableDef& def);
    BatchWriter(const std::string& path, const TableDef& def, const Options& options);
    // Commits what was appended unless Rollback was called or an exception is unwinding the
    // writer's scope (then it rolls back); errors at that point are lost, so call Commit to
    // see them.
    ~BatchWriter();
    BatchWriter(const BatchWriter&) = delete;
    BatchWriter& operator=(const BatchWriter&) = delete;

    // Field number of a field of the definition (ignoring case); throws EDatabaseError.
    int FieldIndex(std::string_view name) const;

    // The row being built: fields not set are null. Text is copied.
    void Set(int field, std::string_view text);
    void Set(int field, double value);
    void SetInteger(int field, std::int64_t value);
    void SetValue(int field, const Value& value);
    void Append();  // stores the row being built and starts an empty one

    void Append(const Row& row);  // a whole row at once
    void Commit();    // ends the transaction; further appends start a new one
    void Rollback();  // drops what was appended since the last commit
    long Appended() const { return count_; }

    // Turns off SQLite's process-wide memory statistics, whose one mutex every writer thread
    // would otherwise take on each allocation. Effective only before SQLite's first use in
    // the process; harmless after.
    static void PrepareForThreads();

private:
    void Begin();
    void Bind(int field, const Value& stored);
    void CreateDeferredIndexes();
    void WriteImage();
    void Discard();

    std::unique_ptr<detail::Connection> conn_;
    std::unique_ptr<detail::Statement> insert_;
    TableDef def_;
    Options options_;
    std::string path_;
    std::vector<std::string> deferred_;  // CREATE INDEX of a new file, run at its first commit
    int lockFd_ = -1;
    int imageFd_ = -1;  // the new file, held open from its creation until the image is written
    int uncaught_ = 0;  // exceptions in flight when the writer was made
    bool created_ = false;   // the writer created the file
    bool memory_ = false;    // the new file is being built in memory
    bool committed_ = false; // a commit has written the file once
    bool open_ = false;
    bool replacePending_ = false;
    long count_ = 0;
};

}  // namespace db
