// Placing the user's sort order in a layout's SQL, wherever its lines break.
#include "reports/framework/order_by.h"

#include <gtest/gtest.h>

namespace {

TEST(OrderBy, TheChosenClauseReplacesTheQuerysOwnOrIsAppended) {
    using Sql = std::vector<std::string>;
    struct Case { Sql sql; Sql want; const char* why; };
    const Case kCases[] = {
        {{"SELECT a FROM t", "WHERE a > 1"}, {"SELECT a FROM t", "WHERE a > 1", "Order by b"}, "none: appended"},
        {{"SELECT a FROM t", "ORDER BY a"}, {"SELECT a FROM t", "Order by b"}, "its own line replaced"},
        {{"SELECT a FROM t ORDER BY a DESC"}, {"SELECT a FROM t ", "Order by b"}, "in the middle of a line"},
        {{"SELECT a FROM t order", "  by a,", "  c"}, {"SELECT a FROM t ", "Order by b"}, "over three lines"},
        {{"SELECT a FROM (SELECT a FROM t ORDER BY a) x"}, {"SELECT a FROM (SELECT a FROM t ORDER BY a) x", "Order by b"},
         "a subquery's own is left"},
        {{"SELECT 'ORDER BY' AS a FROM t"}, {"SELECT 'ORDER BY' AS a FROM t", "Order by b"}, "text in quotes is left"},
        {{"SELECT Order_By FROM t"}, {"SELECT Order_By FROM t", "Order by b"}, "a name is not the clause"},
    };
    for (const auto& c : kCases) {
        Sql sql = c.sql;
        reportes::PonOrderBy(sql, "Order by b");
        EXPECT_EQ(sql, c.want) << c.why;
    }
}

}  // namespace
