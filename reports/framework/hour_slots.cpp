// Slots within days, computed on whole milliseconds so boundaries never drift.
#include "reports/framework/hour_slots.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace reportes {
namespace {

constexpr std::int64_t kSegundo = 1000;
constexpr std::int64_t kMinuto = 60 * kSegundo;
constexpr std::int64_t kDia = 24 * 60 * kMinuto;

// Minutes of a time of day, seconds dropped.
std::int64_t Minutos(text::TDateTime hora) {
    const text::Time t = text::DecodeTime(hora);
    return t.hour * 60 + t.minute;
}

text::TDateTime Instante(text::TDateTime dia, std::int64_t ms) {
    return text::DateOf(dia) + static_cast<double>(ms) / static_cast<double>(kDia);
}

// The last instant a range ending at `minutos` counts: that minute's start, or the day's
// last millisecond for 23:59.
std::int64_t FinDeRango(std::int64_t minutos) {
    return minutos >= 23 * 60 + 59 ? kDia - 1 : minutos * kMinuto;
}

}  // namespace

std::vector<Franja> FranjasDelDia(text::TDateTime dia, text::TDateTime horaIni, text::TDateTime horaFin, int minutos) {
    std::vector<Franja> out;
    const std::int64_t inicio = Minutos(horaIni) * kMinuto;
    const std::int64_t fin = FinDeRango(Minutos(horaFin));
    const std::int64_t largo = std::max(minutos, 1) * kMinuto;
    if (inicio > fin) return out;
    std::int64_t desde = inicio;
    for (std::int64_t limite = inicio + largo;; limite += largo) {
        const std::int64_t hasta = std::min(limite, fin);
        out.push_back({Instante(dia, desde), Instante(dia, hasta)});
        if (hasta >= fin) break;
        desde = hasta + kSegundo;
    }
    return out;
}

std::optional<size_t> FranjaDe(const std::vector<Franja>& franjas, text::TDateTime momento) {
    // Compared in whole milliseconds: a time read back from the table and the same time
    // computed here may differ in the last bit of the double.
    auto ms = [](text::TDateTime t) { return std::llround(t * static_cast<double>(kDia)); };
    const std::int64_t m = ms(momento);
    if (franjas.empty() || m < ms(franjas.front().ini) || m > ms(franjas.back().fin)) return std::nullopt;
    const auto it = std::lower_bound(franjas.begin(), franjas.end(), m,
                                     [&](const Franja& f, std::int64_t v) { return ms(f.fin) < v; });
    return static_cast<size_t>(it - franjas.begin());
}

std::vector<Franja> FranjasPorHora(text::TDateTime primerDia, int dias, text::TDateTime horaIni,
                                   text::TDateTime horaFin) {
    std::vector<Franja> out;
    const std::int64_t inicio = Minutos(horaIni) * kMinuto;
    const std::int64_t ultimo = Minutos(horaFin) >= 23 * 60 + 59 ? kDia - 1 : Minutos(horaFin) * kMinuto - 1;
    for (int d = 0; d < dias; ++d) {
        const text::TDateTime dia = text::DateOf(primerDia) + d;
        for (std::int64_t desde = inicio; desde <= ultimo; desde += 60 * kMinuto)
            out.push_back({Instante(dia, desde), Instante(dia, std::min(desde + 60 * kMinuto - 1, ultimo))});
    }
    return out;
}

}  // namespace reportes
