// Finding the query's own ORDER BY and putting the chosen one in its place.
#include "reports/framework/order_by.h"

#include <cctype>
#include <optional>
#include <utility>

namespace reportes {
namespace {

bool EsPalabra(std::string_view texto, std::size_t pos, std::string_view palabra) {
    if (pos + palabra.size() > texto.size()) return false;
    for (std::size_t i = 0; i < palabra.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(texto[pos + i])) != palabra[i]) return false;
    auto letra = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    if (pos > 0 && letra(texto[pos - 1])) return false;
    const std::size_t fin = pos + palabra.size();
    return fin >= texto.size() || !letra(texto[fin]);
}

// Line and column of the last top-level "ORDER BY" (any blanks between the two words).
std::optional<std::pair<std::size_t, std::size_t>> UltimoOrderBy(const std::vector<std::string>& sql) {
    std::optional<std::pair<std::size_t, std::size_t>> hallado;
    char comilla = 0;
    int nivel = 0;
    std::optional<std::pair<std::size_t, std::size_t>> order;  // an ORDER waiting for its BY
    for (std::size_t l = 0; l < sql.size(); ++l) {
        const std::string& s = sql[l];
        for (std::size_t i = 0; i < s.size(); ++i) {
            const char c = s[i];
            if (comilla) {
                if (c == comilla) comilla = 0;
                continue;
            }
            if (c == '\'' || c == '"') comilla = c;
            else if (c == '(') ++nivel;
            else if (c == ')') --nivel;
            else if (nivel == 0 && EsPalabra(s, i, "ORDER")) {
                order = {l, i};
                i += 4;
                continue;
            } else if (nivel == 0 && order && EsPalabra(s, i, "BY")) {
                hallado = order;
            }
            if (!std::isspace(static_cast<unsigned char>(c)) && !(order && EsPalabra(s, i, "BY")))
                order.reset();
        }
    }
    return hallado;
}

}  // namespace

void PonOrderBy(std::vector<std::string>& sql, std::string_view clausula) {
    if (auto pos = UltimoOrderBy(sql)) {
        const auto [linea, columna] = *pos;
        sql.resize(linea + 1);
        sql[linea].erase(columna);
        if (sql[linea].find_first_not_of(" \t") == std::string::npos) sql.pop_back();
    }
    sql.emplace_back(clausula);
}

}  // namespace reportes
