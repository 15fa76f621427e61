// Builds the chain's catalogues from the options and writes them as tables. Texts are Spanish
// and use accents on purpose, so reports and tickets meet them from the first run.
#include "host/razir/demo/chain.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "host/razir/demo/random.h"
#include "platform/6_schema/tables.h"

namespace razir::demo {
namespace {

enum Stream : uint64_t { kStores = 1, kProducts, kCustomers, kStock, kPolicies };

const char* const kStoreNames[] = {"Centro", "Norte", "Sur", "Oriente", "Poniente", "Plaza Mayor",
                                   "Las Águilas", "San Ángel", "Coyoacán", "Del Valle", "Satélite",
                                   "Tlalpan", "Polanco", "Lindavista", "Roma", "Condesa",
                                   "Mixcoac", "Tacuba", "Xochimilco", "Azcapotzalco"};
const char* const kTowns[] = {"Ciudad de México", "Guadalajara", "Monterrey", "Puebla", "Querétaro",
                              "León", "Toluca", "Mérida", "Morelia", "Oaxaca"};
const char* const kStreets[] = {"Av. Juárez", "Calle Hidalgo", "Av. Reforma", "Calle Morelos",
                                "Av. Insurgentes", "Calle Madero", "Av. Universidad", "Calle Allende"};
const char* const kFirstNames[] = {"José", "María", "Juan", "Guadalupe", "Luis", "Verónica", "Jesús",
                                   "Patricia", "Miguel", "Rocío", "Ángel", "Sofía", "Raúl", "Inés",
                                   "Héctor", "Begoña", "Martín", "Lucía", "Andrés", "Noemí"};
const char* const kLastNames[] = {"Hernández", "García", "Martínez", "López", "González", "Pérez",
                                  "Rodríguez", "Sánchez", "Ramírez", "Cruz", "Núñez", "Ibáñez",
                                  "Muñoz", "Gómez", "Díaz", "Peña"};

struct Dept { const char* code; const char* name; double commission; };
const Dept kDepts[] = {{"ABA", "Abarrotes", 1},      {"LAC", "Lácteos", 1.5},
                       {"LIM", "Limpieza", 2},       {"FER", "Ferretería", 3},
                       {"PAP", "Papelería", 2.5},    {"ELE", "Electrónica", 4},
                       {"JUG", "Juguetería", 3.5},   {"HOG", "Hogar", 3}};

struct Kind { const char* noun; int dept; const char* unit; int minPrice, maxPrice; bool weighed; };
const Kind kKinds[] = {
    {"Arroz", 0, "KG", 18, 45, true},          {"Azúcar", 0, "KG", 22, 40, true},
    {"Frijol", 0, "KG", 25, 60, true},         {"Café molido", 0, "PZA", 60, 180, false},
    {"Aceite", 0, "LT", 35, 90, false},        {"Galletas", 0, "PZA", 12, 45, false},
    {"Leche", 1, "LT", 20, 32, false},         {"Queso", 1, "KG", 90, 260, true},
    {"Yogur", 1, "PZA", 9, 30, false},         {"Jabón", 2, "PZA", 12, 40, false},
    {"Detergente", 2, "KG", 30, 95, false},    {"Cloro", 2, "LT", 15, 35, false},
    {"Martillo", 3, "PZA", 90, 350, false},    {"Desarmador", 3, "PZA", 35, 160, false},
    {"Cable", 3, "MT", 8, 30, true},           {"Cuaderno", 4, "PZA", 18, 70, false},
    {"Bolígrafo", 4, "PZA", 5, 25, false},     {"Audífonos", 5, "PZA", 150, 1200, false},
    {"Cargador", 5, "PZA", 120, 600, false},   {"Piñata", 6, "PZA", 150, 450, false},
    {"Muñeca", 6, "PZA", 180, 900, false},     {"Sartén", 7, "PZA", 160, 800, false},
    {"Toalla", 7, "PZA", 80, 300, false},      {"Vaso", 7, "PZA", 15, 60, false},
};
const char* const kBrands[] = {"La Sierra", "Don Ñico", "El Álamo", "Suprema", "Del Campo",
                               "Económica", "Real", "Hogareña", "Brisa", "Águila"};
const char* const kSizes[] = {"chico", "mediano", "grande", "familiar", "individual", "900 g",
                              "1 kg", "500 ml", "paquete 3", "surtido"};

std::string Fmt(const char* format, long value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

// A 13-digit EAN code with its check digit, so label reports can draw it as a bar code.
std::string Ean13(long serial) {
    std::string code = "750" + Fmt("%09ld", serial);
    int sum = 0;
    for (int i = 0; i < 12; ++i) sum += (code[i] - '0') * (i % 2 ? 3 : 1);
    code += static_cast<char>('0' + (10 - sum % 10) % 10);
    return code;
}

std::string PersonName(Random& r) {
    return std::string(kFirstNames[r.Below(20)]) + " " + kLastNames[r.Below(16)];
}

tolmabase::Esquema Scheme(const char* key, double r1, double r2, double r3, double r4, bool cascada2) {
    tolmabase::Esquema e;
    e.clave = key;
    e.porcen[0] = r1; e.porcen[1] = r2; e.porcen[2] = r3; e.porcen[3] = r4;
    e.cascada[1] = cascada2;
    return e;
}

}  // namespace

std::string StoreCode(int store) { return Fmt("%02ld", store + 1); }

std::string RegisterCode(const Options& options, int store, int reg) {
    const int n = store * options.registers + reg + 1;
    if (n <= 99) return Fmt("%02ld", n);
    // Beyond 99 registers: a letter and a digit or letter, still a two-character key that
    // keeps per-day file names letters and digits only.
    static const char kSecond[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const int k = n - 100;
    return {static_cast<char>('A' + k / 36), kSecond[k % 36]};
}

std::string CashierCode(const Options& options, int store, int reg, int shift) {
    // Cashiers first, two per register; the sellers follow all of them.
    return Fmt("%03ld", (store * options.registers + reg) * 2 + shift + 1);
}

void Validate(const Options& o) {
    auto fail = [](const std::string& why) { throw std::invalid_argument(why); };
    if (o.stores < 1 || o.stores > 99) fail("El número de tiendas debe estar entre 1 y 99");
    if (o.registers < 1 || o.registers > 99) fail("El número de cajas por tienda debe estar entre 1 y 99");
    if (o.stores * o.registers > 100 + 26 * 36 - 1)
        fail("Demasiadas cajas en la cadena: las claves de caja tienen dos caracteres");
    if (o.stores * (o.registers * 2 + 3) > 999)
        fail("Demasiados usuarios: las claves de usuario tienen tres dígitos; use menos cajas");
    if (o.products < 10 || o.products > 999999) fail("El número de productos debe estar entre 10 y 999999");
    if (o.days < 1 || o.days > 3660) fail("El número de días debe estar entre 1 y 3660");
    if (o.threads < 0 || o.threads > 64) fail("El número de hilos debe estar entre 0 y 64");
    const int year = text::DecodeDate(o.from).year;
    if (year < 1900 || year > 9000) fail("La fecha inicial está fuera de rango");
}

Chain BuildChain(const Options& o) {
    Validate(o);
    Chain c;
    c.options = o;
    Random r(o.seed, kStores);
    int cashierIndex = 0;
    for (int s = 0; s < o.stores; ++s) {
        Store st;
        st.code = StoreCode(s);
        st.name = std::string("Tienda ") + kStoreNames[s % 20] + (s >= 20 ? " " + std::to_string(s / 20 + 1) : "");
        st.address = std::string(kStreets[r.Below(8)]) + " " + std::to_string(r.Between(1, 2500));
        st.town = kTowns[s % 10];
        c.stores.push_back(st);
    }
    c.users.reserve(o.stores * (o.registers * 2 + 3));
    for (int s = 0; s < o.stores; ++s) {
        for (int k = 0; k < o.registers; ++k) {
            Register reg;
            reg.code = RegisterCode(o, s, k);
            reg.name = "Caja " + std::to_string(k + 1) + " " + c.stores[s].name.substr(7);
            reg.store = s;
            const int g = s * o.registers + k;
            reg.fortyColumns = g % 3 == 1;            // every third register has a 40-column printer
            reg.printer = reg.fortyColumns ? "001" : "002";  // its ticket or its note printer
            for (int shift = 0; shift < 2; ++shift) {
                User u;
                u.code = CashierCode(o, s, k, shift);
                u.name = PersonName(r);
                u.nick = u.name.substr(0, u.name.find(' '));
                if (u.nick.size() > 10) u.nick.resize(10);
                u.store = s;
                u.type = shift == 0 ? 'C' : 'A';
                reg.cashiers[shift] = static_cast<int>(c.users.size());
                c.users.push_back(u);
                ++cashierIndex;
            }
            c.stores[s].registers.push_back(static_cast<int>(c.registers.size()));
            c.registers.push_back(reg);
        }
    }
    for (int s = 0; s < o.stores; ++s) {
        for (int k = 0; k < 3; ++k) {
            User u;
            u.code = Fmt("%03ld", cashierIndex + s * 3 + k + 1);
            u.name = PersonName(r);
            u.nick = "Vend" + u.code;
            u.store = s;
            u.type = 'D';
            c.stores[s].sellers.push_back(static_cast<int>(c.users.size()));
            c.users.push_back(u);
        }
    }

    c.schemes = {Scheme("001", 16, 0, 0, 0, false), Scheme("002", 0, 0, 0, 0, false),
                 Scheme("003", 16, 8, 0, 0, true), Scheme("004", 8, 0, 0, 0, false)};
    c.schemeNames = {"IVA general", "Exento", "IVA e IEPS sobre IVA", "IVA frontera"};
    c.payTypes = {{"01", "Efectivo", "01", 112, 1},      {"02", "Tarjeta de crédito", "01", 113, 1},
                  {"03", "Tarjeta de débito", "01", 114, 1}, {"04", "Cheque", "01", 115, 1},
                  {"05", "Vales de despensa", "01", 116, 1}, {"06", "Dólares", "02", 117, 17.5}};

    Random p(o.seed, kProducts);
    c.products.reserve(o.products);
    for (int i = 0; i < o.products; ++i) {
        const Kind& k = kKinds[p.Below(static_cast<int>(std::size(kKinds)))];
        Product prod;
        prod.code = Ean13(i + 1);
        prod.name = std::string(k.noun) + " " + kBrands[p.Below(10)] + " " + kSizes[p.Below(10)];
        if (prod.name.size() > 40) prod.name.resize(40);
        prod.dept = kDepts[k.dept].code;
        prod.line = Fmt("%03ld", k.dept * 4 + p.Below(4) + 1);
        prod.unit = k.unit;
        prod.weighed = k.weighed;
        prod.commission = kDepts[k.dept].commission;
        prod.price = static_cast<int64_t>(p.Between(k.minPrice * 2, k.maxPrice * 2)) * 50;  // whole 50 cents
        prod.cost = prod.price * p.Between(55, 75) / 100;
        const int u = p.Below(100);
        prod.scheme = k.dept <= 1 ? (u < 70 ? 1 : u < 85 ? 2 : 0) : (u < 85 ? 0 : u < 95 ? 3 : 2);
        c.products.push_back(prod);
    }
    // One product in fifty is a package of the two or three products after it.
    for (int kitIndex = 7; kitIndex + 3 < o.products; kitIndex += 50) {
        Product& kit = c.products[kitIndex];
        kit.components = {kitIndex + 1, kitIndex + 2};
        if (p.Chance(0.5)) kit.components.push_back(kitIndex + 3);
        const std::string& first = c.products[kitIndex + 1].name;
        kit.name = "Paquete " + first.substr(0, first.find(' '));
        kit.weighed = false;
        kit.unit = "PAQ";
        int64_t sum = 0;
        for (int comp : kit.components) {
            c.products[comp].weighed = false;
            sum += c.products[comp].price;
        }
        kit.price = sum * 9 / 10 / 50 * 50;  // a tenth off the parts, in whole 50 cents
        kit.cost = sum * 6 / 10;
    }
    // Popularity: a random order; sales draw skewed toward the front.
    for (int i = 0; i < o.products; ++i) c.sellable.push_back(i);
    for (int i = o.products - 1; i > 0; --i) std::swap(c.sellable[i], c.sellable[p.Below(i + 1)]);

    Random cu(o.seed, kCustomers);
    for (int i = 0; i < 60; ++i) {
        Customer cust;
        cust.code = Fmt("C%05ld", i + 1);
        cust.name = PersonName(cu) + (cu.Chance(0.3) ? " S.A. de C.V." : "");
        cust.address = std::string(kStreets[cu.Below(8)]) + " " + std::to_string(cu.Between(1, 900));
        cust.town = kTowns[cu.Below(10)];
        cust.rfc = "XAXX" + Fmt("%06ld", cu.Between(100000, 999999)) + "AB" + std::to_string(cu.Below(10));
        c.customers.push_back(cust);
    }
    return c;
}

db::BatchWriter NewTable(const std::filesystem::path& folder, const db::TableDef& def, bool inMemory) {
    std::string name = def.name;
    if (name.find('.') == std::string::npos) name += ".DB";
    const std::filesystem::path path = folder / name;
    std::error_code ec;
    std::filesystem::remove(path, ec);
    db::BatchWriter::Options options;
    options.newFileInMemory = inMemory;
    return db::BatchWriter(path.string(), def, options);
}

int WriteCatalogues(const Chain& c, const std::filesystem::path& folder) {
    const Options& o = c.options;
    int files = 0;
    auto done = [&](db::BatchWriter& w) { w.Commit(); ++files; };
    {
        db::BatchWriter w = NewTable(folder, tables::Tiendas());
        for (const auto& s : c.stores) {
            w.Set(0, s.code); w.Set(1, s.name); w.Set(2, s.address); w.Set(3, s.town);
            w.Set(4, "55 " + s.code + "00 " + s.code + "00");
            w.Append();
        }
        done(w);
    }
    {
        db::BatchWriter w = NewTable(folder, tables::Cajas());
        for (const auto& reg : c.registers) {
            w.Set(0, c.stores[reg.store].code); w.Set(1, reg.code); w.Set(2, reg.name);
            w.Set(3, reg.fortyColumns ? "Ticket40.nta" : "Nota80.nta");  // the shipped formats
            w.SetInteger(4, reg.fortyColumns);
            w.Set(5, reg.printer);
            const bool lineByLine = reg.printer == "001";  // the ticket printers print as they go
            w.SetInteger(6, lineByLine); w.SetInteger(7, lineByLine); w.SetInteger(8, lineByLine);
            w.Append();
        }
        done(w);
    }
    {
        db::BatchWriter w = NewTable(folder, tables::Usuarios());
        for (const auto& u : c.users) {
            w.Set(0, u.code); w.Set(1, u.name.substr(0, 20)); w.Set(2, u.nick);
            w.Set(3, c.stores[u.store].code); w.Set(4, std::string(1, u.type));
            w.Append();
        }
        done(w);
    }
    {
        db::BatchWriter w = NewTable(folder, tables::CatInven());
        for (size_t i = 0; i < c.products.size(); ++i) {
            const auto& p = c.products[i];
            const double price = p.price / 100.0;
            w.Set(0, p.code); w.Set(1, p.name); w.Set(2, p.dept); w.Set(3, p.line);
            w.Set(4, price); w.Set(5, std::round(price * 95) / 100); w.Set(6, std::round(price * 90) / 100);
            w.Set(7, std::round(price * 85) / 100); w.Set(8, std::round(price * 80) / 100);
            SetCents(w, 9, p.cost); w.Set(10, c.schemes[p.scheme].clave); w.Set(11, p.unit);
            w.Set(12, p.components.empty() ? "" : "K");
            w.Set(13, static_cast<double>(i * 7 % 40));  // labels to print
            w.Append();
        }
        done(w);
    }
    {
        Random r(o.seed, kStock);
        db::BatchWriter w = NewTable(folder, tables::Exist());
        for (const auto& s : c.stores)
            for (const auto& p : c.products) {
                const int u = r.Below(100);
                const double qty = u < 5 ? -r.Between(1, 5) : u < 12 ? 0 : r.Between(1, 250);
                w.Set(0, s.code); w.Set(1, p.code);
                w.Set(2, p.components.empty() ? qty : 0.0);
                w.Set(3, std::string(1, static_cast<char>('A' + r.Below(6))) + "-" + Fmt("%02ld", r.Between(1, 30)) +
                             "-" + Fmt("%02ld", r.Between(1, 8)));
                w.Set(4, 10.0); w.Set(5, 300.0);
                w.Append();
            }
        done(w);
    }
    {
        db::BatchWriter w = NewTable(folder, tables::Deptos());
        for (const auto& d : kDepts) { w.Set(0, d.code); w.Set(1, d.name); w.Append(); }
        done(w);
    }
    {
        db::BatchWriter w = NewTable(folder, tables::Lineas());
        for (int d = 0; d < 8; ++d)
            for (int k = 0; k < 4; ++k) {
                w.Set(0, Fmt("%03ld", d * 4 + k + 1));
                w.Set(1, std::string(kDepts[d].name) + " " + static_cast<char>('A' + k));
                w.Append();
            }
        done(w);
    }
    {
        // The registers' printers, both on LPT2, which the demo's razir.ini maps to the file
        // out/tickets.prn, so every note a register prints (or reprints) can be read back.
        db::BatchWriter w = NewTable(folder, tables::Dispos());
        struct Dev { const char *key, *desc, *port, *name; };
        const Dev kDevs[] = {{"001", "Impresora de tickets de 40 columnas", "PARALELO", "LPT02"},
                             {"002", "Impresora de notas de 80 columnas", "PARALELO", "LPT02"}};
        const char* const kSeq[] = {"027 064", "", "010", "027 033 000", "029 086 001", "029 086 000",
                                    "027 112 000 025 250", ""};
        for (const auto& d : kDevs) {
            w.Set(0, d.key); w.Set(1, d.desc); w.Set(2, d.port); w.Set(3, d.name);
            w.SetInteger(4, 6); w.SetInteger(5, 3); w.SetInteger(6, 2); w.SetInteger(7, 0);  // 9600 8N1 positions
            for (int i = 0; i < 8; ++i) w.Set(8 + i, kSeq[i]);
            w.SetInteger(16, 2);
            w.Append();
        }
        done(w);
    }
    {
        db::BatchWriter w = NewTable(folder, tables::TPagos());
        for (const auto& t : c.payTypes) {
            w.Set(0, t.code); w.Set(1, t.name); w.SetInteger(2, t.shortcut); w.Set(3, t.currency);
            w.Append();
        }
        done(w);
    }
    {
        db::BatchWriter w = NewTable(folder, tables::Monedas());
        w.Set(0, "01"); w.Set(1, "pesos"); w.Set(2, "$"); w.Set(3, 1.0); w.SetInteger(4, 1); w.Append();
        w.Set(0, "02"); w.Set(1, "dólares"); w.Set(2, "US$"); w.Set(3, 17.5); w.SetInteger(4, 0); w.Append();
        done(w);
    }
    {
        db::BatchWriter w = NewTable(folder, tables::EsqImp());
        for (size_t i = 0; i < c.schemes.size(); ++i) {
            const auto& e = c.schemes[i];
            w.Set(0, e.clave); w.Set(1, c.schemeNames[i]);
            for (int k = 0; k < 4; ++k) w.Set(2 + k, e.porcen[k]);
            for (int k = 1; k < 4; ++k) w.SetInteger(5 + k, e.cascada[k]);
            w.Append();
        }
        done(w);
    }
    {
        db::BatchWriter w = NewTable(folder, tables::Clientes());
        for (const auto& cu : c.customers) {
            w.Set(0, cu.code); w.Set(1, cu.name.substr(0, 40)); w.Set(2, cu.address); w.Set(3, cu.town);
            w.Set(4, cu.rfc); w.Set(5, "");
            w.Append();
        }
        done(w);
    }
    {
        Random r(o.seed, kPolicies);
        db::BatchWriter w = NewTable(folder, tables::Politicas());
        for (const auto& s : c.stores)
            for (int k = 0; k < 6; ++k) {
                const auto& p = c.products[r.Below(o.products)];
                const text::TDateTime start = o.from + r.Below(o.days);
                w.Set(0, s.code); w.Set(1, Fmt("P%05ld", k + 1));
                w.Set(2, "Oferta " + p.name.substr(0, 33)); w.Set(3, p.code);
                w.Set(4, text::ToIsoDateTime(start)); w.Set(5, text::ToIsoDateTime(start + 14 + 0.99999));
                w.Set(6, k % 3 == 2 ? "F" : "T");
                w.Set(7, std::round(p.price * 0.85) / 100); w.Set(8, 15.0);
                w.Append();
            }
        done(w);
    }
    {
        db::BatchWriter w = NewTable(folder, tables::RepUsr());
        w.SetInteger(0, 1); w.Set(1, "Catálogo de tiendas propio"); w.Set(2, "T"); w.Set(3, "T");
        w.Set(4, o.layoutFolder + "RTiendas.QR2"); w.Append();
        w.SetInteger(0, 2); w.Set(1, "Lista de precios"); w.Set(2, "T"); w.Set(3, "F");
        w.Set(4, o.layoutFolder + "RListPre.QR2"); w.Append();
        done(w);
    }
    {
        db::BatchWriter w = NewTable(folder, tables::FecEst());
        done(w);
    }
    return files;
}

}  // namespace razir::demo
