// SQL conditions from typed criteria: literals quoted, dates ISO, numbers with ".".
#include "reports/framework/sql_criteria.h"

#include <charconv>

#include "platform/2_db/quote.h"
#include "reports/framework/line_pattern.h"

namespace reportes {
namespace {

std::string Literal(std::string_view valor) { return db::QuoteValue(std::string(valor)); }

void Agrega(std::vector<std::string>& out, std::string condicion) {
    if (!condicion.empty()) out.push_back(std::move(condicion));
}

std::string Une(const std::vector<std::string>& condiciones, std::string_view inicio) {
    std::string out;
    for (const auto& c : condiciones) {
        if (c.empty()) continue;
        out += out.empty() ? std::string(inicio) : std::string(" And ");
        out += c;
    }
    return out;
}

}  // namespace

std::string CondicionIgual(std::string_view columna, std::string_view valor) {
    if (valor.empty() || columna.empty()) return {};
    return "(" + std::string(columna) + " = " + Literal(valor) + ")";
}

std::string CondicionRango(std::string_view columna, const RangoClaves& rango) {
    if (rango.Vacio() || columna.empty()) return {};
    const std::string x(columna);
    std::string dentro;
    if (rango.ini.empty()) dentro = x + " <= " + Literal(rango.fin);
    else if (rango.fin.empty()) dentro = x + " >= " + Literal(rango.ini);
    else dentro = x + " Between " + Literal(rango.ini) + " And " + Literal(rango.fin);
    if (rango.admiteNulos) return "((" + dentro + ") Or " + x + " Is Null)";
    return "(" + dentro + ")";
}

std::string CondicionLinea(std::string_view columna, std::string_view lineaTecleada) {
    const std::string patron = LineaPattern(lineaTecleada);
    if (patron.empty() || columna.empty()) return {};
    return "(" + std::string(columna) + " Like " + Literal(patron) + " ESCAPE '\\')";
}

std::string CondicionFechas(std::string_view columna, const RangoFechas& rango) {
    if (columna.empty()) return {};
    // "< next day" rather than "<= last day": a date-time of the last day compares greater
    // than the day written alone, and would be left out.
    const std::string x(columna);
    return "(" + x + " >= " + Literal(FechaSql(rango.desde)) + " And " + x + " < " +
           Literal(FechaSql(text::DateOf(rango.hasta) + 1)) + ")";
}

std::string CondicionDistinto(std::string_view columna, std::initializer_list<std::string_view> valores) {
    std::string lista;
    for (auto v : valores) lista += (lista.empty() ? "" : ", ") + Literal(v);
    const std::string x(columna);
    return "(" + x + " Is Null Or " + x + " Not In (" + lista + "))";
}

std::string CondicionEnBlanco(std::string_view columna) {
    const std::string x(columna);
    return "(" + x + " Is Null Or " + x + " = '')";
}

std::string CondicionNotasValidas(std::string_view alias) {
    const std::string p = alias.empty() ? std::string() : std::string(alias) + ".";
    return "(" + p + "Status = 'N' And " + CondicionDistinto(p + "TIPODOCZOD", {"P", "A"}) + ")";
}

std::string CondicionMayorQue(std::string_view expresion, double minimo) {
    return "(" + std::string(expresion) + " > " + NumeroSql(minimo) + ")";
}

std::string NumeroSql(double valor) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, valor);
    return std::string(buf, r.ptr);
}

std::string FechaSql(text::TDateTime dia) { return text::ToIsoDate(text::DateOf(dia)); }

RangoClaves CompletaInicial(RangoClaves rango, std::string_view primera) {
    if (rango.ini.empty() && !rango.fin.empty()) {
        rango.ini = std::string(primera);
        rango.admiteNulos = true;
    }
    return rango;
}

std::vector<std::string> Condiciones(const CriteriosElegidos& c, const ColumnasCriterio& col) {
    std::vector<std::string> out;
    Agrega(out, CondicionIgual(col.tienda, c.tienda));
    Agrega(out, CondicionRango(col.tienda, c.tiendas));
    Agrega(out, CondicionIgual(col.caja, c.caja));
    Agrega(out, CondicionRango(col.caja, c.cajas));
    Agrega(out, CondicionIgual(col.cajero, c.cajero));
    Agrega(out, CondicionRango(col.cajero, c.cajeros));
    Agrega(out, CondicionIgual(col.vendedor, c.vendedor));
    Agrega(out, CondicionRango(col.vendedor, c.vendedores));
    Agrega(out, CondicionRango(col.depto, c.deptos));
    Agrega(out, CondicionRango(col.producto, c.productos));
    Agrega(out, CondicionRango(col.linea, c.lineas));
    Agrega(out, CondicionLinea(col.linea, c.linea));
    if (c.fechas) Agrega(out, CondicionFechas(col.fecha, *c.fechas));
    return out;
}

std::string Where(const std::vector<std::string>& condiciones) { return Une(condiciones, "Where "); }

std::string YAdemas(const std::vector<std::string>& condiciones) { return Une(condiciones, " And "); }

}  // namespace reportes
