// Safe writing of user values into SQL text and filter text, for the places where report
// code builds criteria lines instead of binding parameters. Every criteria value goes
// through one of these; nothing else pastes a value.
#pragma once

#include <string>

namespace db {

// An SQL string literal: QuoteValue("O'Brien") == "'O''Brien'".
std::string QuoteValue(const std::string& text);

// A quoted value for a filter expression: quotes doubled, and a trailing "*" doubled so it
// stays a character instead of asking for a prefix.
std::string QuoteFilterValue(const std::string& text);

// The text with LIKE's wildcards (% and _) and the escape character itself escaped by
// `escape`; pair it with "ESCAPE '\'" in the statement.
std::string LikeEscape(const std::string& text, char escape = '\\');

// A LIKE operand that matches exactly the text, wildcards included:
// "Cajero Like " + QuoteLikeValue("01%") reads "Cajero Like '01\%' ESCAPE '\'".
std::string QuoteLikeValue(const std::string& text);

}  // namespace db
