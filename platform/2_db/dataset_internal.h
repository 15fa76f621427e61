// Cursor state shared by dataset.cpp, table.cpp and query.cpp: the connection, the live
// statement and the window of records read from it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/2_db/sqlite_internal.h"

namespace db::detail {

struct Row {
    std::vector<Value> values;
    std::int64_t rowid = 0;
};

struct CursorSql {
    std::string sql;           // rows in order; rowid last when hasRowid
    std::vector<Value> binds;
    std::string countSql;      // SELECT COUNT(*) ... with the same binds
    bool hasRowid = false;
    bool offsetable = false;   // sql accepts " LIMIT -1 OFFSET ?" appended
};

struct CursorState {
    std::shared_ptr<Connection> conn;
    CursorSql q;
    Statement live;
    long liveNext = 0;  // position of the row the live statement yields next
    bool liveDone = true;
    bool primed = false;  // the live statement already stands on row liveNext
    std::vector<Row> window;
    long winStart = 0;
    long count = -1;  // cached record count, -1 unknown
    int columns = 0;  // value columns (without the rowid)

    void Invalidate() {
        live = Statement();
        liveDone = true;
        primed = false;
        window.clear();
        winStart = 0;
        count = -1;
    }
};

// Steps the live statement, or takes the row it already stands on.
inline bool StepLive(CursorState& c) {
    if (c.primed) {
        c.primed = false;
        return true;
    }
    return c.live.Step();
}

// Rows a window holds: enough to make sequential reads cheap, small enough to keep memory
// flat on tables of millions of rows.
constexpr long kWindow = 512;

}  // namespace db::detail
