// Summary periods of the statistics reports: the days, weeks, fortnights or months of a date
// range, and the refill of the shared period table FecEst with them. The periods are plain
// values computed by pure functions; only EscribeFecEst and LlenaFecEst touch the table.
// Not here: the hour slots of one day (hour_slots.h), the dialogs that choose the summary.
//
// Every period covers whole days: it starts at 00:00:00.000 of its first day and ends at
// 23:59:59.999 of its last, so an income stamped at midnight or in the last minute of a day
// belongs to a period, and "Fecha Between FechaIni And FechaFin" leaves no gap between two
// periods.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/1_text/datetime.h"

namespace reportes {

// The summary kinds of the income dialogs, in the order of their radio buttons.
enum class Resumen { Diario = 0, Semanal = 1, Quincenal = 2, Mensual = 3 };

struct Periodo {
    text::TDateTime ini = 0;  // first day at 00:00:00
    text::TDateTime fin = 0;  // last day at 23:59:59.999
    friend bool operator==(const Periodo&, const Periodo&) = default;
};

inline constexpr std::string_view kRangoFechaNoValido = "La especificación del rango de fecha no es válida!";

// The day at 00:00:00 and at 23:59:59.999: the bounds of a whole-day range.
text::TDateTime InicioDelDia(text::TDateTime dia);
text::TDateTime FinDelDia(text::TDateTime dia);

// The calendar periods from `desde` to `hasta` (times of day ignored): days; weeks that start
// on `primerDiaSemana` (0 Sunday .. 6 Saturday); fortnights 1-15 and 16-end of month; months.
// The first period starts on `desde`, the last ends on `hasta` (both cut short as needed);
// periods are contiguous, in ascending order. Empty when `hasta` is before `desde`.
std::vector<Periodo> Periodos(text::TDateTime desde, text::TDateTime hasta, Resumen resumen,
                              int primerDiaSemana = 0);

// Periods of a fixed number of days (1, 7, 15 or 30) from `desde`, the last cut at `hasta`:
// the income-by-period report counts fortnights and months in days, not on the calendar.
std::vector<Periodo> PeriodosDeDias(text::TDateTime desde, text::TDateTime hasta, int dias);

// The latest day on or before `fecha` that falls on `diaSemana` (0 Sunday .. 6 Saturday).
text::TDateTime RetrocedeADia(text::TDateTime fecha, int diaSemana);

// Replaces the rows of FecEst (in the folder of `database`: alias, database name or folder)
// by `periodos`, as one transaction with the table held exclusively: a second station waits
// for it, or gets db::EDatabaseError "La tabla FecEst está en uso" after `esperaMs`; a
// failure half way leaves the old periods. The table is created when the folder lacks it.
void EscribeFecEst(const std::string& database, const std::vector<Periodo>& periodos, int esperaMs = 3000);

// The dialogs' call: the periods of the range written to FecEst. An initial date after the
// final one shows kRangoFechaNoValido, leaves the table as it was and returns false.
bool LlenaFecEst(text::TDateTime desde, text::TDateTime hasta, Resumen resumen, int primerDiaSemana,
                 const std::string& database);

}  // namespace reportes
