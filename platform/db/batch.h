// Bulk loading of a table file: one prepared INSERT inside one transaction, for the demo
// generator, benchmarks and table copies. Rows go in as written; there is no cursor.
// Not here: browsing or editing (table.h).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/db/schema.h"
#include "platform/db/value.h"

namespace db {

namespace detail {
class Connection;
class Statement;
}  // namespace detail

class BatchWriter {
public:
    using Row = std::vector<Value>;  // one value per field of the definition, in order

    // Opens `path` (creating the table from `def` when the file does not exist) and starts
    // the transaction. The fields of `def` must be columns of the table.
    BatchWriter(const std::string& path, const TableDef& def);
    // Commits what was appended unless Rollback was called; errors at that point are lost,
    // so call Commit to see them.
    ~BatchWriter();
    BatchWriter(const BatchWriter&) = delete;
    BatchWriter& operator=(const BatchWriter&) = delete;

    // Values are converted as the field types store them (dates as ISO-8601 text).
    void Append(const Row& row);
    void Commit();    // ends the transaction; further appends start a new one
    void Rollback();  // drops what was appended since the last commit
    long Appended() const { return count_; }

private:
    std::unique_ptr<detail::Connection> conn_;
    std::unique_ptr<detail::Statement> insert_;
    TableDef def_;
    bool open_ = false;
    long count_ = 0;
};

}  // namespace db
