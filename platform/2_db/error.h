// The one exception type of the data layer. Its message is the Spanish text a user may see;
// the kind lets callers (safe edit and post, temporary tables) react to locks and duplicates
// without parsing messages.
#pragma once

#include <stdexcept>
#include <string>

namespace db {

enum class ErrorKind {
    General,
    Locked,        // another process holds the table
    KeyViolation,  // a primary or unique key already present
    NotFound,      // table file, field, parameter or alias missing
    Syntax,        // malformed filter or SQL
};

class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const std::string& message, ErrorKind kind = ErrorKind::General)
        : std::runtime_error(message), kind_(kind) {}
    ErrorKind Kind() const { return kind_; }

private:
    ErrorKind kind_;
};

}  // namespace db
