// Quoting of values for SQL literals, filter values and LIKE operands.
#include "platform/2_db/quote.h"

namespace db {

std::string QuoteValue(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

std::string QuoteFilterValue(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') out += '\'';
        out += c;
    }
    if (!text.empty() && text.back() == '*') out += '*';
    return out + "'";
}

std::string LikeEscape(const std::string& text, char escape) {
    std::string out;
    for (char c : text) {
        if (c == '%' || c == '_' || c == escape) out += escape;
        out += c;
    }
    return out;
}

std::string QuoteLikeValue(const std::string& text) { return QuoteValue(LikeEscape(text)) + " ESCAPE '\\'"; }

}  // namespace db
