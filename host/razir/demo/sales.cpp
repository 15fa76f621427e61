// Draws notes, lines, payments and movements. A day's register traffic follows the week
// (weekends busier), cashiers follow their shift, popular products sell more.
#include "host/razir/demo/sales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "host/razir/demo/random.h"

namespace razir::demo {
namespace {

enum Stream : uint64_t { kCount = 101, kNotes, kMoves };

constexpr int kOpen = 8 * 3600, kClose = 21 * 3600, kShiftChange = 14 * 3600 + 1800;

int64_t RoundUp(int64_t cents, int64_t step) { return (cents + step - 1) / step * step; }

std::string Digits(Random& r, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>('0' + r.Below(10));
    return s;
}

Line MakeLine(const Chain& c, int product, double qty, int64_t total, int64_t discount, bool withSeller) {
    const Product& p = c.products[product];
    Line l;
    l.product = product;
    l.qty = qty;
    l.price = p.price;
    l.total = total;
    l.discount = discount;
    TaxesOf(c.schemes[p.scheme], total, l.tax);
    l.commissionRate = p.commission;
    if (withSeller) l.commission = std::llround(static_cast<double>(total) * p.commission / 100.0);
    return l;
}

void AddPayments(const Chain& c, Note& n, Random& r) {
    const int64_t t = n.total;
    auto pay = [&](int type, int64_t amount) {
        Payment p;
        p.type = type;
        p.amount = amount;
        if (type == 1 || type == 2) p.authorization = Digits(r, 6);
        if (type == 3) { p.document = Digits(r, 8); p.dueDate = true; }
        if (type == 4) p.document = "V" + Digits(r, 7);
        n.payments.push_back(p);
    };
    const double u = r.Unit();
    if (t <= 0) {
        pay(0, 0);
    } else if (u < 0.60) {
        static const int64_t kSteps[] = {1, 1000, 5000, 10000, 50000};
        pay(0, RoundUp(t, kSteps[r.Below(5)]));
    } else if (u < 0.80) {
        pay(1, t);
    } else if (u < 0.88) {
        pay(2, t);
    } else if (u < 0.92) {
        pay(3, t);
    } else if (u < 0.96) {
        const int64_t vouchers = t / 5000 * 5000;  // in 50-peso vouchers
        if (vouchers > 0) pay(4, vouchers);
        if (t > vouchers) pay(0, RoundUp(t - vouchers, 1000));
    } else {
        const double rate = c.payTypes[5].rate;
        const int64_t dollars = static_cast<int64_t>(std::ceil(static_cast<double>(t) / (rate * 100)));
        pay(5, std::llround(static_cast<double>(dollars) * rate * 100));
    }
}

}  // namespace

int64_t Note::Paid() const {
    int64_t sum = 0;
    for (const auto& p : payments) sum += p.amount;
    return sum;
}

void TaxesOf(const tolmabase::Esquema& scheme, int64_t amount, int64_t (&tax)[4]) {
    tolmabase::Desglose d{};
    tolmabase::DesgloseEsquema(scheme, static_cast<double>(amount), d);
    for (int i = 0; i < 4; ++i) tax[i] = std::llround(d[4 + i]);
}

int NoteCount(const Chain& c, int reg, int day) {
    Random r(c.options.seed, kCount, static_cast<uint64_t>(reg), static_cast<uint64_t>(day));
    const int weekday = text::DayOfWeek(c.options.from + day);  // 1 Sunday .. 7 Saturday
    const int base = r.Between(24, 32);
    return weekday == 1 || weekday == 7 ? base * 13 / 10 : base;
}

bool Concentrated(const Chain& c, int reg, int day) {
    const Register& r = c.registers[reg];
    const bool firstOfStore = c.stores[r.store].registers.front() == reg;
    return !(firstOfStore && day == c.options.days - 1);
}

std::vector<Note> NotesOfDay(const Chain& c, int reg, int day, int firstNumber) {
    Random r(c.options.seed, kNotes, static_cast<uint64_t>(reg), static_cast<uint64_t>(day));
    const Register& regInfo = c.registers[reg];
    const Store& store = c.stores[regInfo.store];
    const int count = NoteCount(c, reg, day);
    std::vector<int> times(count);
    for (auto& t : times) t = kOpen + r.Below(kClose - kOpen);
    std::sort(times.begin(), times.end());
    const int n = static_cast<int>(c.sellable.size());

    std::vector<Note> notes(count);
    for (int k = 0; k < count; ++k) {
        Note& note = notes[k];
        note.reg = reg;
        note.number = firstNumber + k;
        note.seconds = times[k];
        note.cashier = regInfo.cashiers[times[k] < kShiftChange ? 0 : 1];
        const double s = r.Unit();
        note.status = s < 0.94 ? 'N' : s < 0.96 ? 'C' : s < 0.98 ? 'P' : 'E';
        if (r.Chance(0.2)) note.customer = r.Below(static_cast<int>(c.customers.size()));

        if (r.Chance(0.015)) {  // a document of the administrative system: an amount, no lines
            note.zod = r.Chance(0.5) ? 'A' : 'P';
            note.status = 'N';
            if (note.customer < 0) note.customer = r.Below(static_cast<int>(c.customers.size()));
            note.total = static_cast<int64_t>(r.Between(4, 100)) * 5000;
            AddPayments(c, note, r);
            continue;
        }
        if (r.Chance(0.6)) note.seller = store.sellers[r.Below(static_cast<int>(store.sellers.size()))];
        const int lines = 1 + std::min(11, static_cast<int>(-std::log(1.0 - r.Unit()) * 2.6));
        for (int l = 0; l < lines; ++l) {
            const double u = r.Unit();
            const int product = c.sellable[std::min(n - 1, static_cast<int>(u * u * n))];
            const Product& p = c.products[product];
            double qty;
            if (p.weighed) {
                qty = r.Between(250, 2500) / 1000.0;
            } else {
                const double q = r.Unit();
                qty = q < 0.7 ? 1 : q < 0.9 ? 2 : r.Between(3, 6);
            }
            const int64_t gross = std::llround(static_cast<double>(p.price) * qty);
            int64_t discount = 0;
            if (r.Chance(0.08)) discount = gross * (r.Chance(0.5) ? 5 : 10) / 100;
            Line line = MakeLine(c, product, qty, gross - discount, discount, note.seller >= 0);
            if (p.components.empty()) {
                note.lines.push_back(line);
                continue;
            }
            line.kind = 'K';
            note.lines.push_back(line);
            // The components share the package's amount by their own prices, to the cent.
            int64_t sum = 0;
            for (int comp : p.components) sum += c.products[comp].price;
            int64_t left = line.total;
            for (size_t j = 0; j < p.components.size(); ++j) {
                const int comp = p.components[j];
                const int64_t share = j + 1 == p.components.size()
                                          ? left
                                          : line.total * c.products[comp].price / sum;
                left -= share;
                Line part = MakeLine(c, comp, qty, share, 0, note.seller >= 0);
                part.kind = 'P';
                part.price = std::llround(static_cast<double>(share) / qty);
                note.lines.push_back(part);
            }
        }
        for (const auto& l : note.lines) {
            if (l.kind == 'P') continue;
            note.total += l.total;
            note.discount += l.discount;
            int64_t taxes = 0;
            for (int i = 0; i < 4; ++i) { note.tax[i] += l.tax[i]; taxes += l.tax[i]; }
            for (int i = 0; i < 4; ++i)
                if (c.schemes[c.products[l.product].scheme].porcen[i] != 0) note.taxBase[i] += l.total - taxes;
        }
        AddPayments(c, note, r);
    }
    return notes;
}

std::vector<Movement> OtherMovements(const Chain& c, int store, int day) {
    Random r(c.options.seed, kMoves, static_cast<uint64_t>(store), static_cast<uint64_t>(day));
    std::vector<Movement> out;
    const Store& st = c.stores[store];
    const int n = static_cast<int>(c.products.size());
    const int clerk = c.registers[st.registers.front()].cashiers[0];
    char ref[24];
    auto add = [&](int kind, const char* prefix, int product, double qty, bool atCost) {
        const Product& p = c.products[product];
        if (!p.components.empty()) return;  // packages have no stock of their own
        Movement m;
        m.store = store;
        m.product = product;
        m.kind = kind;
        std::snprintf(ref, sizeof ref, "%s%02d%05d", prefix, store + 1, day + 1);
        m.reference = ref;
        m.qty = qty;
        m.amount = std::llround(static_cast<double>(atCost ? p.cost : p.price) * qty);
        TaxesOf(c.schemes[p.scheme], m.amount, m.tax);
        m.user = clerk;
        out.push_back(m);
    };
    const int weekday = text::DayOfWeek(c.options.from + day);
    if (weekday == 2) {  // Monday deliveries
        for (int k = 0; k < 12; ++k) add(TipoMov::Compras, "COM", r.Below(n), r.Between(12, 120), true);
        add(TipoMov::DevCompras, "DCO", r.Below(n), r.Between(1, 6), true);
    }
    if (c.stores.size() > 1 && day % 3 == store % 3) {  // transfer to the next store
        const int to = (store + 1) % static_cast<int>(c.stores.size());
        for (int k = 0; k < 3; ++k) {
            const int product = r.Below(n);
            const double qty = r.Between(2, 20);
            add(TipoMov::Salida, "TRA", product, qty, true);
            if (!out.empty() && out.back().product == product) {
                Movement in = out.back();
                in.store = to;
                in.kind = TipoMov::Entrada;
                in.user = c.registers[c.stores[to].registers.front()].cashiers[0];
                out.push_back(in);
            }
        }
    }
    if (weekday == 3 || r.Chance(0.5)) {  // a customer brings something back (every Tuesday at least)
        add(TipoMov::DevVentas, "DVE", c.sellable[r.Below(std::min(n, 40))], 1, false);
        if (!out.empty() && out.back().kind == TipoMov::DevVentas) out.back().reg = st.registers.front();
    }
    if (weekday == 7) add(TipoMov::Ajustes, "AJU", r.Below(n), r.Between(-5, 5) + 0.0, true);
    if (day % 4 == store % 4) add(TipoMov::Perdidas, "PER", r.Below(n), r.Between(1, 3), true);
    return out;
}

}  // namespace razir::demo
