// Calendar periods of a date range and the exclusive, all-or-nothing refill of FecEst.
#include "reports/framework/periods.h"

#include <algorithm>
#include <cmath>

#include "platform/2_db/batch.h"
#include "platform/2_db/names.h"
#include "platform/2_db/session.h"
#include "platform/2_vcl/dialogs.h"
#include "platform/6_schema/tables.h"

namespace reportes {
namespace {

// The last day of the week, fortnight or month that `dia` falls in (itself for daily).
text::TDateTime FinDeUnidad(text::TDateTime dia, Resumen resumen, int primerDiaSemana) {
    const text::Date d = text::DecodeDate(dia);
    const int diasMes = text::DaysInMonth(d.year, d.month);
    switch (resumen) {
    case Resumen::Diario:
        return dia;
    case Resumen::Semanal: {
        // Weekdays numbered 1 (Sunday) to 7; the week ends the day before the next one starts.
        const int inicio = ((primerDiaSemana % 7) + 7) % 7 + 1;
        const int ultimo = inicio == 1 ? 7 : inicio - 1;
        return dia + (ultimo - text::DayOfWeek(dia) + 7) % 7;
    }
    case Resumen::Quincenal:
        return dia + (d.day <= 15 ? 15 - d.day : diasMes - d.day);
    case Resumen::Mensual:
        return dia + (diasMes - d.day);
    }
    return dia;
}

}  // namespace

text::TDateTime InicioDelDia(text::TDateTime dia) { return text::DateOf(dia); }

text::TDateTime FinDelDia(text::TDateTime dia) { return text::DateOf(dia) + text::EncodeTime(23, 59, 59, 999); }

std::vector<Periodo> Periodos(text::TDateTime desde, text::TDateTime hasta, Resumen resumen, int primerDiaSemana) {
    std::vector<Periodo> out;
    const text::TDateTime fin = text::DateOf(hasta);
    for (text::TDateTime dia = text::DateOf(desde); dia <= fin;) {
        const text::TDateTime ultimo = std::min(FinDeUnidad(dia, resumen, primerDiaSemana), fin);
        out.push_back({InicioDelDia(dia), FinDelDia(ultimo)});
        dia = ultimo + 1;
    }
    return out;
}

std::vector<Periodo> PeriodosDeDias(text::TDateTime desde, text::TDateTime hasta, int dias) {
    std::vector<Periodo> out;
    const text::TDateTime fin = text::DateOf(hasta);
    const int paso = std::max(dias, 1) - 1;
    for (text::TDateTime dia = text::DateOf(desde); dia <= fin; dia += paso + 1)
        out.push_back({InicioDelDia(dia), FinDelDia(std::min(dia + paso, fin))});
    return out;
}

text::TDateTime RetrocedeADia(text::TDateTime fecha, int diaSemana) {
    const text::TDateTime dia = text::DateOf(fecha);
    return dia - (text::DayOfWeek(dia) - 1 - diaSemana + 7) % 7;
}

void EscribeFecEst(const std::string& database, const std::vector<Periodo>& periodos, int esperaMs) {
    const db::TableDef def = tables::FecEst();
    const std::string archivo = db::ResolveTableFile(db::DatabaseFolder(database), def.name);
    db::BatchWriter::Options opciones;
    opciones.exclusive = true;
    opciones.waitMs = esperaMs;
    opciones.replaceRows = true;
    db::BatchWriter tabla(archivo, def, opciones);
    for (const Periodo& p : periodos) tabla.Append({db::Value(p.ini), db::Value(p.fin)});
    tabla.Commit();
}

bool LlenaFecEst(text::TDateTime desde, text::TDateTime hasta, Resumen resumen, int primerDiaSemana,
                 const std::string& database) {
    if (text::DateOf(hasta) < text::DateOf(desde)) {
        vcl::ShowMessage(kRangoFechaNoValido);
        return false;
    }
    EscribeFecEst(database, Periodos(desde, hasta, resumen, primerDiaSemana));
    return true;
}

}  // namespace reportes
