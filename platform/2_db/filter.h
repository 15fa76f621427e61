// Filter expressions in the old engine's syntax, turned into an SQL condition with bound
// values. Accepts =, <>, <, >, <=, >=, and, or, not, parentheses, IS [NOT] NULL, quoted values
// ('x' or "x"; a trailing * asks for a prefix, ** at the end is a literal *), numbers, and
// unquoted values, which compare as text with text fields ("Tienda = 01" matches "01").
// Not here: the SQL dialect of queries (translate.h).
#pragma once

#include <string>
#include <vector>

#include "platform/2_db/schema.h"
#include "platform/2_db/value.h"

namespace db {

struct SqlCondition {
    std::string sql;  // empty when the filter is blank
    std::vector<Value> binds;
};

// Raises EDatabaseError (ErrorKind::Syntax) naming the filter when it is malformed or names
// a field that the dataset does not have.
SqlCondition FilterToSql(const std::string& filter, const std::vector<FieldDef>& fields,
                         bool caseInsensitive = false);

}  // namespace db
