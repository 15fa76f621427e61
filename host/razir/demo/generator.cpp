// Runs the generation: catalogues first, then the per-day files by several writer threads
// (each takes the next day-and-key unit; files never shared), while one more thread writes
// MovProd and Ingresos in day order. Every unit draws from its own random stream, so the
// result does not depend on which thread took which unit.
#include "host/razir/demo/generator.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "host/razir/demo/chain.h"
#include "host/razir/demo/sales.h"
#include "platform/6_schema/tables.h"

namespace razir::demo {
namespace {

using tables::DayKind;

// Column numbers of a definition's fields, looked up once rather than per file.
struct Columns {
    explicit Columns(const db::TableDef& def) : def_(def) {}
    int operator[](std::string_view name) const {
        for (size_t i = 0; i < def_.fields.size(); ++i)
            if (def_.fields[i].name == name) return static_cast<int>(i);
        throw std::logic_error("campo desconocido " + std::string(name));
    }
    db::TableDef def_;
};

struct VCols {
    int nota, caja, cajero, vendedor, claveCli, nombreCli, direccion, ciudad, rfc, fecha, status,
        zod, totDoc, totDesc, totImp[4], tpago[4], monto[4], cambio[4], autoriza[4], numDoc[4], fecVenc[4];
    VCols() {
        Columns c(tables::DayTable(DayKind::Ventas, "x"));
        nota = c["Nota"]; caja = c["Caja"]; cajero = c["Cajero"]; vendedor = c["Vendedor"];
        claveCli = c["ClaveCli"]; nombreCli = c["NombreCli"]; direccion = c["Direccion"];
        ciudad = c["Ciudad"]; rfc = c["RFC"]; fecha = c["Fecha"]; status = c["Status"];
        zod = c["TIPODOCZOD"]; totDoc = c["TotDoc"]; totDesc = c["TotDesc"];
        for (int i = 0; i < 4; ++i) {
            const std::string k = std::to_string(i + 1);
            totImp[i] = c["TotImp" + k]; tpago[i] = c["TPago" + k]; monto[i] = c["MontoPago" + k];
            cambio[i] = c["TipoCambio" + k]; autoriza[i] = c["Autoriza" + k];
            numDoc[i] = c["NumDoc" + k]; fecVenc[i] = c["FecVenc" + k];
        }
    }
};

struct DCols {
    int nota, caja, renglon, producto, tipo, cantidad, precio, totPartida, totDesc, totImp[4],
        vendedor, comision, totComis;
    DCols() {
        Columns c(tables::DayTable(DayKind::Detalle, "x"));
        nota = c["Nota"]; caja = c["Caja"]; renglon = c["Renglon"]; producto = c["Producto"];
        tipo = c["TipoProducto"]; cantidad = c["Cantidad"]; precio = c["Precio"];
        totPartida = c["TotPartida"]; totDesc = c["TotDesc"];
        for (int i = 0; i < 4; ++i) totImp[i] = c["TotImp" + std::to_string(i + 1)];
        vendedor = c["Vendedor"]; comision = c["Comision"]; totComis = c["TotComis"];
    }
};

struct Unit {
    int day = 0;
    std::string key;
    std::vector<int> registers;
};

std::string NoteNumber(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%07d", n);
    return buf;
}

std::string TimeText(const std::string& isoDay, int seconds) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s %02d:%02d:%02d", isoDay.c_str(), seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return buf;
}

// A one-letter code, empty for 0; k must outlive the view (it is a member of a live row).
std::string_view Kind(const char& k) { return k ? std::string_view(&k, 1) : std::string_view(); }

class Run {
public:
    Run(const Options& o, const std::filesystem::path& folder) : chain_(BuildChain(o)), folder_(folder) {
        const int regs = static_cast<int>(chain_.registers.size());
        first_.assign(static_cast<size_t>(regs) * o.days, 0);
        for (int reg = 0; reg < regs; ++reg) {
            int next = 1;
            for (int d = 0; d < o.days; ++d) {
                first_[Index(reg, d)] = next;
                next += NoteCount(chain_, reg, d);
            }
        }
        for (int d = 0; d < o.days; ++d) {
            if (o.filesPerStore) {
                for (const auto& s : chain_.stores) units_.push_back({d, s.code, s.registers});
            } else {
                for (int reg = 0; reg < regs; ++reg) units_.push_back({d, chain_.registers[reg].code, {reg}});
            }
        }
    }

    Summary Go() {
        const auto start = std::chrono::steady_clock::now();
        std::filesystem::create_directories(folder_);
        Summary s;
        s.dayFiles = 0;
        WriteCatalogues(chain_, folder_);
        int workers = chain_.options.threads;
        if (workers == 0) workers = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 2);
        std::vector<std::thread> threads;
        threads.emplace_back([this] { Guard([this] { WriteMovements(); }); });
        for (int w = 0; w < workers; ++w)
            threads.emplace_back([this] { Guard([this] { WriteDays(); }); });
        for (auto& t : threads) t.join();
        if (error_) std::rethrow_exception(error_);

        s.stores = static_cast<int>(chain_.stores.size());
        s.registers = static_cast<int>(chain_.registers.size());
        s.users = static_cast<int>(chain_.users.size());
        s.products = static_cast<int>(chain_.products.size());
        s.days = chain_.options.days;
        s.notes = notes_;
        s.lines = lines_;
        s.movements = movements_;
        s.dayFiles = static_cast<int64_t>(units_.size()) * 4;
        s.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return s;
    }

private:
    size_t Index(int reg, int day) const { return static_cast<size_t>(reg) * chain_.options.days + day; }

    std::vector<Note> Notes(int reg, int day) const {
        return NotesOfDay(chain_, reg, day, first_[Index(reg, day)]);
    }

    template <typename F>
    void Guard(F f) {
        try {
            f();
        } catch (...) {
            std::lock_guard lock(errorMutex_);
            if (!error_) error_ = std::current_exception();
            stop_ = true;
        }
    }

    std::string IsoDay(int day) const { return text::ToIsoDate(chain_.options.from + day); }

    void WriteDays() {
        while (!stop_) {
            const size_t u = next_++;
            if (u >= units_.size()) return;
            WriteUnit(units_[u]);
        }
    }

    void WriteUnit(const Unit& unit) {
        std::vector<Note> notes;
        for (int reg : unit.registers) {
            auto n = Notes(reg, unit.day);
            notes.insert(notes.end(), std::make_move_iterator(n.begin()), std::make_move_iterator(n.end()));
        }
        // A file shared by a store's registers lists its notes as they happened.
        std::stable_sort(notes.begin(), notes.end(),
                         [](const Note& a, const Note& b) { return a.seconds < b.seconds; });
        const std::string stem = tables::DayFileStem(unit.key, chain_.options.from + unit.day);
        const std::string day = IsoDay(unit.day);
        int64_t lines = 0;

        {
            static const VCols v;
            db::BatchWriter w = NewTable(folder_, tables::DayTable(DayKind::Ventas, stem));
            for (const Note& n : notes) {
                const Register& reg = chain_.registers[n.reg];
                w.Set(v.nota, NoteNumber(n.number));
                w.Set(v.caja, reg.code);
                w.Set(v.cajero, chain_.users[n.cashier].code);
                if (n.seller >= 0) w.Set(v.vendedor, chain_.users[n.seller].code);
                if (n.customer >= 0) {
                    const Customer& c = chain_.customers[n.customer];
                    w.Set(v.claveCli, c.code); w.Set(v.nombreCli, c.name.substr(0, 40));
                    w.Set(v.direccion, c.address); w.Set(v.ciudad, c.town); w.Set(v.rfc, c.rfc);
                } else {
                    w.Set(v.claveCli, ""); w.Set(v.nombreCli, "PÚBLICO EN GENERAL");
                }
                w.Set(v.fecha, TimeText(day, n.seconds));
                w.Set(v.status, std::string_view(&n.status, 1));
                w.Set(v.zod, Kind(n.zod));
                SetCents(w, v.totDoc, n.total);
                SetCents(w, v.totDesc, n.discount);
                for (int i = 0; i < 4; ++i) SetCents(w, v.totImp[i], n.tax[i]);
                for (int i = 0; i < 4; ++i) {
                    if (i < static_cast<int>(n.payments.size())) {
                        const Payment& p = n.payments[i];
                        const PayType& t = chain_.payTypes[p.type];
                        w.Set(v.tpago[i], t.code);
                        SetCents(w, v.monto[i], p.amount);
                        w.Set(v.cambio[i], t.rate);
                        w.Set(v.autoriza[i], p.authorization);
                        w.Set(v.numDoc[i], p.document);
                        if (p.dueDate) w.Set(v.fecVenc[i], day);
                    } else {
                        SetCents(w, v.monto[i], 0);
                        w.Set(v.cambio[i], 1.0);
                    }
                }
                w.Append();
            }
            w.Commit();
        }
        {
            static const DCols d;
            db::BatchWriter w = NewTable(folder_, tables::DayTable(DayKind::Detalle, stem));
            for (const Note& n : notes) {
                const std::string number = NoteNumber(n.number);
                const std::string& caja = chain_.registers[n.reg].code;
                int row = 0;
                for (const Line& l : n.lines) {
                    w.Set(d.nota, number);
                    w.Set(d.caja, caja);
                    w.SetInteger(d.renglon, ++row);
                    w.Set(d.producto, chain_.products[l.product].code);
                    w.Set(d.tipo, Kind(l.kind));
                    w.Set(d.cantidad, l.qty);
                    SetCents(w, d.precio, l.price);
                    SetCents(w, d.totPartida, l.total);
                    SetCents(w, d.totDesc, l.discount);
                    for (int i = 0; i < 4; ++i) SetCents(w, d.totImp[i], l.tax[i]);
                    if (n.seller >= 0) w.Set(d.vendedor, chain_.users[n.seller].code);
                    w.Set(d.comision, l.commissionRate);
                    SetCents(w, d.totComis, l.commission);
                    w.Append();
                }
                lines += row;
            }
            w.Commit();
        }
        {
            db::BatchWriter w = NewTable(folder_, tables::DayTable(DayKind::Impuestos, stem));
            for (const Note& n : notes) {
                const std::string number = NoteNumber(n.number);
                for (int i = 0; i < 4; ++i) {
                    if (n.tax[i] == 0) continue;
                    w.Set(0, chain_.registers[n.reg].code);
                    w.Set(1, number);
                    w.SetInteger(2, i + 1);
                    w.Set(3, n.taxBase[i] ? std::round(10000.0 * n.tax[i] / n.taxBase[i]) / 100 : 0.0);
                    SetCents(w, 4, n.taxBase[i]);
                    SetCents(w, 5, n.tax[i]);
                    w.Append();
                }
            }
            w.Commit();
        }
        WriteCut(stem, notes);
        notes_ += static_cast<int64_t>(notes.size());
        lines_ += lines;
    }

    // One row per payment type used by each cashier at each register, plus the summary rows.
    void WriteCut(const std::string& stem, const std::vector<Note>& notes) {
        struct Key {
            int cashier, reg;
            bool operator<(const Key& o) const { return cashier != o.cashier ? cashier < o.cashier : reg < o.reg; }
        };
        struct Totals { int64_t amount[6] = {}; int count[6] = {}; int paid = 0, all = 0; };
        std::vector<std::pair<Key, Totals>> cut;
        auto at = [&](Key k) -> Totals& {
            for (auto& e : cut)
                if (!(e.first < k) && !(k < e.first)) return e.second;
            cut.push_back({k, {}});
            return cut.back().second;
        };
        for (const Note& n : notes) {
            Totals& t = at({n.cashier, n.reg});
            ++t.all;
            if (n.status != 'N') continue;
            ++t.paid;
            for (const Payment& p : n.payments) { t.amount[p.type] += p.amount; ++t.count[p.type]; }
            t.amount[0] -= n.Change();  // the change leaves the drawer in cash
        }
        std::sort(cut.begin(), cut.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        db::BatchWriter w = NewTable(folder_, tables::DayTable(DayKind::Corte, stem));
        for (const auto& [k, t] : cut) {
            const std::string& cajero = chain_.users[k.cashier].code;
            const std::string& caja = chain_.registers[k.reg].code;
            auto row = [&](std::string_view tpago, std::string_view desc, int64_t amount, double qty,
                           int64_t vouchers, double rate) {
                w.Set(0, cajero); w.Set(1, caja); w.Set(2, tpago); w.Set(3, desc);
                SetCents(w, 4, amount); w.Set(5, qty); SetCents(w, 6, vouchers); w.Set(7, rate);
                w.Append();
            };
            for (int type = 0; type < 6; ++type) {
                if (t.count[type] == 0 && type != 0) continue;
                const PayType& pt = chain_.payTypes[type];
                // Cash above 5,000 pesos is withdrawn in 2,000-peso vouchers during the shift.
                const int64_t vouchers = type == 0 ? std::max<int64_t>(0, (t.amount[0] - 500000) / 200000) * 200000 : 0;
                row(pt.code, pt.name, t.amount[type], t.count[type], vouchers, pt.rate);
            }
            row(tables::kCorteFondo, "Fondo de caja", 50000, 0, 0, 1);
            row(tables::kCorteNotas, "Notas", 0, t.paid, 0, 1);
            row(tables::kCorteTransacciones, "Transacciones", 0, t.all, 0, 1);
        }
        w.Commit();
    }

    void WriteMovements() {
        const db::TableDef movDef = tables::MovProd();
        const Columns mc(movDef);
        const int cFolio = mc["Folio"], cTienda = mc["Tienda"], cCaja = mc["Caja"], cProd = mc["Producto"],
                  cFecha = mc["Fecha"], cTipo = mc["TipoMov"], cTipoProd = mc["TipoProd"],
                  cRef = mc["referencia"], cCant = mc["Cantidad"], cMonto = mc["MontoAcum"],
                  cImp = mc["MontoImp1"], cUsr = mc["Usuario"], cVen = mc["Vendedor"];
        const db::TableDef ingDef = tables::Ingresos();
        const Columns ic(ingDef);
        const int iTienda = ic["Tienda"], iCaja = ic["Caja"], iNota = ic["Nota"], iCajero = ic["Cajero"],
                  iVend = ic["Vendedor"], iFecha = ic["Fecha"], iVentas = ic["Ventas"],
                  iImp = ic["Impuestos"], iDesc = ic["Descuentos"], iZod = ic["Doc_Zod"];
        db::BatchWriter mov = NewTable(folder_, movDef, false);
        db::BatchWriter ing = NewTable(folder_, ingDef, false);
        int64_t folio = 0;
        auto write = [&](const Movement& m, const std::string& day) {
            mov.SetInteger(cFolio, ++folio);
            mov.Set(cTienda, chain_.stores[m.store].code);
            if (m.reg >= 0) mov.Set(cCaja, chain_.registers[m.reg].code);
            mov.Set(cProd, chain_.products[m.product].code);
            mov.Set(cFecha, day);
            mov.SetInteger(cTipo, m.kind);
            mov.Set(cTipoProd, Kind(m.prodKind));
            mov.Set(cRef, m.reference);
            mov.Set(cCant, m.qty);
            SetCents(mov, cMonto, m.amount);
            for (int i = 0; i < 4; ++i) SetCents(mov, cImp + i, m.tax[i]);
            if (m.user >= 0) mov.Set(cUsr, chain_.users[m.user].code);
            if (m.seller >= 0) mov.Set(cVen, chain_.users[m.seller].code);
            mov.Append();
        };
        for (int d = 0; d < chain_.options.days && !stop_; ++d) {
            const std::string day = IsoDay(d);
            for (int reg = 0; reg < static_cast<int>(chain_.registers.size()); ++reg) {
                const bool concentrated = Concentrated(chain_, reg, d);
                const int store = chain_.registers[reg].store;
                for (const Note& n : Notes(reg, d)) {
                    if (n.status != 'N') continue;
                    const std::string number = NoteNumber(n.number);
                    ing.Set(iTienda, chain_.stores[store].code);
                    ing.Set(iCaja, chain_.registers[reg].code);
                    ing.Set(iNota, number);
                    ing.Set(iCajero, chain_.users[n.cashier].code);
                    if (n.seller >= 0) ing.Set(iVend, chain_.users[n.seller].code);
                    ing.Set(iFecha, TimeText(day, n.seconds));
                    SetCents(ing, iVentas, n.total);
                    SetCents(ing, iImp, n.tax[0] + n.tax[1] + n.tax[2] + n.tax[3]);
                    SetCents(ing, iDesc, n.discount);
                    ing.Set(iZod, n.zod ? "S" : "N");
                    ing.Append();
                    if (!concentrated || n.zod) continue;
                    for (const Line& l : n.lines) {
                        Movement m;
                        m.store = store;
                        m.reg = reg;
                        m.product = l.product;
                        m.prodKind = l.kind;
                        m.kind = TipoMov::Ventas;
                        m.reference = number;
                        m.qty = l.qty;
                        m.amount = l.total;
                        std::copy(std::begin(l.tax), std::end(l.tax), m.tax);
                        m.user = n.cashier;
                        m.seller = n.seller;
                        write(m, day);
                    }
                }
            }
            for (int s = 0; s < static_cast<int>(chain_.stores.size()); ++s)
                for (const Movement& m : OtherMovements(chain_, s, d)) write(m, day);
        }
        if (stop_) return;
        mov.Commit();
        ing.Commit();
        movements_ = folio;
    }

    Chain chain_;
    std::filesystem::path folder_;
    std::vector<int> first_;  // first note number of each register and day
    std::vector<Unit> units_;
    std::atomic<size_t> next_{0};
    std::atomic<bool> stop_{false};
    std::atomic<int64_t> notes_{0}, lines_{0}, movements_{0};
    std::mutex errorMutex_;
    std::exception_ptr error_;
};

}  // namespace

Summary Generate(const Options& options, const std::filesystem::path& dataFolder) {
    db::BatchWriter::PrepareForThreads();
    Run run(options, dataFolder);
    return run.Go();
}

}  // namespace razir::demo
