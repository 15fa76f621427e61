// Writes one new table file fast: creates it from its definition and inserts rows in a single
// transaction. The generator's only door to SQLite.
// Not here: reading tables, or writing to files that others have open (no locking is awaited).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/db/schema.h"

namespace razir::demo {

class TableWriter {
public:
    // Where the table is built until Finish(): in memory and then written out in one piece
    // (small tables: no file system traffic per row or page), or in its file all along
    // (tables too big to hold twice in memory).
    enum class Mode { Memory, File };

    // Creates `folder/def.name` (".DB" added when the name has none), replacing a file of that
    // name. Secondary indexes are built at Finish(), after the rows, which is faster.
    TableWriter(const std::filesystem::path& folder, const db::TableDef& def, Mode mode = Mode::Memory);
    ~TableWriter();
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    // Column number of a field, for the Set calls; throws for an unknown name.
    int Col(std::string_view field) const;

    // Values of the current row by column; unset columns are NULL, an empty text is an empty
    // text (not NULL). Text is copied.
    void Set(int col, std::string_view value);
    void Set(int col, double value);
    void SetInt(int col, int64_t value);
    void SetCents(int col, int64_t cents) { Set(col, static_cast<double>(cents) / 100.0); }
    void Insert();  // stores the row and clears the values

    // Turns off SQLite's process-wide memory statistics, whose one mutex every writer thread
    // would otherwise take on each allocation. Effective only before SQLite's first use in the
    // process; harmless after.
    static void PrepareForThreads();

    // Commits, builds the secondary indexes and closes the file. Without it (an exception on
    // the way) the destructor removes the unfinished file.
    void Finish();

private:
    void Check(int rc, const char* what);
    struct Impl;
    Impl* impl_;
};

}  // namespace razir::demo
