// Time slots within days: the slots of one day that the sales-by-hour report counts notes in
// (15 minutes to 2 hours), and the hourly slots of each day of a week that the weekly income
// grid sums. Pure functions over TDateTime, computed in whole milliseconds.
// Not here: the periods of whole days (periods.h), reading the notes.
//
// Slots leave no instant uncounted between them: a note at midnight, on a slot's boundary or
// in the last second of the day belongs to exactly one slot.
#pragma once

#include <optional>
#include <vector>

#include "platform/1_text/datetime.h"

namespace reportes {

struct Franja {
    text::TDateTime ini = 0;  // shown as the slot's start
    text::TDateTime fin = 0;  // last instant counted in the slot
    friend bool operator==(const Franja&, const Franja&) = default;
};

// The slots of `dia` from `horaIni` to `horaFin` (times of day; seconds ignored), each
// `minutos` long. Boundaries fall every `minutos` from horaIni; a boundary instant belongs to
// the slot it ends. The first slot starts at horaIni itself, each later one a second after
// the previous end (as the heading shows it); the last ends at horaFin, or at the day's last
// instant when horaFin is 23:59. Empty when horaIni is after horaFin.
std::vector<Franja> FranjasDelDia(text::TDateTime dia, text::TDateTime horaIni, text::TDateTime horaFin, int minutos);

// The slot of `franjas` (as FranjasDelDia gives them) that counts `momento`: the first whose
// end is not before it, once `momento` is within the first start and the last end.
std::optional<size_t> FranjaDe(const std::vector<Franja>& franjas, text::TDateTime momento);

// Hourly slots on each of `dias` days from `primerDia`, in order: from `horaIni` every hour
// while the start is before `horaFin`, each ending just before the next hour or just before
// horaFin (horaFin itself is not counted, except 23:59, which counts the whole last minute).
// 08:00 to 13:59 gives 08:00:00-08:59:59.999 ... 13:00:00-13:58:59.999 on each day.
std::vector<Franja> FranjasPorHora(text::TDateTime primerDia, int dias, text::TDateTime horaIni,
                                   text::TDateTime horaFin);

}  // namespace reportes
