// The SQLite file format as far as reading table b-trees needs it: the 100-byte header,
// interior (type 5) and leaf (type 13) table pages, cells with overflow chains, and records.
// Every offset read is checked against the page, and a record is accepted only when its
// header and its values add up to its payload size exactly, so garbage is not taken for rows.
#include "tablemaint/engine/salvage.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <set>

#include "tablemaint/engine/table_file.h"

namespace tablemaint {
namespace {

class File {
public:
    explicit File(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        const auto* b = reinterpret_cast<const unsigned char*>(bytes_.data());
        header_ = bytes_.size() >= 100 && std::memcmp(b, "SQLite format 3", 16) == 0;
        if (header_) {
            uint32_t ps = (b[16] << 8) | b[17];
            if (ps == 1) ps = 65536;
            if (ps < 512 || ps > 65536 || (ps & (ps - 1))) header_ = false;
            else {
                pageSize_ = ps;
                usable_ = ps - b[20];
                if (usable_ < 480) header_ = false;
            }
        }
        if (!header_) GuessPageSize();
        pages_ = uint32_t((bytes_.size() + pageSize_ - 1) / pageSize_);
        // A truncated last page is padded to its size so offsets stay valid, but nothing read
        // beyond the real end is taken as data (InFile).
        realSize_ = bytes_.size();
        bytes_.resize(size_t(pages_) * pageSize_, '\0');
    }

    bool header() const { return header_; }
    uint32_t pageSize() const { return pageSize_; }
    uint32_t usable() const { return usable_; }
    uint32_t pages() const { return pages_; }
    const unsigned char* page(uint32_t n) const {
        return reinterpret_cast<const unsigned char*>(bytes_.data()) + size_t(n - 1) * pageSize_;
    }
    bool valid(uint32_t n) const { return n >= 1 && n <= pages_; }
    // Whether `len` bytes at `offset` of page `n` were really in the file.
    bool InFile(uint32_t n, size_t offset, size_t len) const {
        return size_t(n - 1) * pageSize_ + offset + len <= realSize_;
    }
    uint32_t u32(const unsigned char* p) const {
        return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
    }

    std::set<uint32_t> FreelistPages() const {
        std::set<uint32_t> out;
        if (!header_) return out;
        uint32_t trunk = u32(page(1) + 32);
        while (valid(trunk) && !out.count(trunk)) {
            out.insert(trunk);
            const unsigned char* p = page(trunk);
            uint32_t n = u32(p + 4);
            if (n > (usable_ - 8) / 4) break;
            for (uint32_t i = 0; i < n; ++i) {
                uint32_t leaf = u32(p + 8 + 4 * i);
                if (valid(leaf)) out.insert(leaf);
            }
            trunk = u32(p);
        }
        return out;
    }

private:
    // Without a header the page size is the one under which most pages look like b-tree pages.
    void GuessPageSize() {
        uint32_t best = 4096, bestScore = 0;
        for (uint32_t ps : {4096u, 1024u, 2048u, 8192u, 16384u, 32768u, 65536u}) {
            uint32_t score = 0;
            const auto* b = reinterpret_cast<const unsigned char*>(bytes_.data());
            for (size_t off = ps; off + 8 <= bytes_.size(); off += ps) {
                unsigned char t = b[off];
                uint32_t cells = (b[off + 3] << 8) | b[off + 4];
                if ((t == 2 || t == 5 || t == 10 || t == 13) && cells < ps / 2) ++score;
            }
            if (score > bestScore) best = ps, bestScore = score;
        }
        pageSize_ = best;
        usable_ = best;
    }

    std::string bytes_;
    size_t realSize_ = 0;
    bool header_ = false;
    uint32_t pageSize_ = 4096, usable_ = 4096, pages_ = 0;
};

// Reads a varint at p (at most `left` bytes); 0 on failure, else its length.
int Varint(const unsigned char* p, size_t left, uint64_t& v) {
    v = 0;
    for (int i = 0; i < 9; ++i) {
        if (size_t(i) >= left) return 0;
        if (i == 8) {
            v = (v << 8) | p[i];
            return 9;
        }
        v = (v << 7) | (p[i] & 0x7f);
        if (!(p[i] & 0x80)) return i + 1;
    }
    return 0;
}

bool ValidUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = s[i];
        int n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (n < 0 || i + n >= s.size()) return false;
        for (int k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n + 1;
    }
    return true;
}

// Decodes one record; false when it does not add up.
bool DecodeRecord(const std::string& payload, std::vector<Valor>& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(payload.data());
    const size_t n = payload.size();
    uint64_t hs;
    int len = Varint(p, n, hs);
    if (!len || hs > n || hs < uint64_t(len)) return false;
    std::vector<uint64_t> types;
    size_t off = len;
    uint64_t body = 0;
    while (off < hs) {
        uint64_t t;
        int l = Varint(p + off, hs - off, t);
        if (!l) return false;
        off += l;
        if (t == 10 || t == 11) return false;
        types.push_back(t);
        static const int kSizes[] = {0, 1, 2, 3, 4, 6, 8, 8, 0, 0};
        body += t < 10 ? kSizes[t] : (t - 12) / 2;
    }
    if (types.empty() || hs + body != n) return false;
    out.clear();
    size_t at = hs;
    for (uint64_t t : types) {
        Valor v;
        if (t == 0) {
        } else if (t >= 1 && t <= 6) {
            static const int kSizes[] = {0, 1, 2, 3, 4, 6, 8};
            int s = kSizes[t];
            int64_t x = (p[at] & 0x80) ? -1 : 0;
            for (int i = 0; i < s; ++i) x = int64_t((uint64_t(x) << 8) | p[at + i]);
            v.tipo = Valor::Entero, v.entero = x;
            at += s;
        } else if (t == 7) {
            uint64_t bits = 0;
            for (int i = 0; i < 8; ++i) bits = (bits << 8) | p[at + i];
            std::memcpy(&v.real, &bits, 8);
            v.tipo = Valor::Real;
            at += 8;
        } else if (t == 8 || t == 9) {
            v.tipo = Valor::Entero, v.entero = t == 9;
        } else {
            size_t s = (t - 12) / 2;
            v.tipo = (t & 1) ? Valor::Texto : Valor::Blob;
            v.bytes.assign(payload, at, s);
            if (v.tipo == Valor::Texto && !ValidUtf8(v.bytes)) return false;
            at += s;
        }
        out.push_back(std::move(v));
    }
    return true;
}

struct Page {
    unsigned char type = 0;
    std::vector<uint16_t> cells;
    uint32_t right = 0;
};

bool ParsePage(const File& f, uint32_t n, Page& out) {
    if (!f.valid(n)) return false;
    const unsigned char* p = f.page(n);
    const uint32_t hdr = n == 1 ? 100 : 0;
    out.type = p[hdr];
    if (out.type != 2 && out.type != 5 && out.type != 10 && out.type != 13) return false;
    const uint32_t hsize = (out.type == 2 || out.type == 5) ? 12 : 8;
    const uint32_t ncells = (p[hdr + 3] << 8) | p[hdr + 4];
    const uint32_t arrayEnd = hdr + hsize + 2 * ncells;
    if (arrayEnd > f.usable()) return false;
    out.cells.clear();
    for (uint32_t i = 0; i < ncells; ++i) {
        uint16_t off = (p[hdr + hsize + 2 * i] << 8) | p[hdr + hsize + 2 * i + 1];
        if (off < arrayEnd || off >= f.usable()) return false;
        out.cells.push_back(off);
    }
    out.right = hsize == 12 ? f.u32(p + hdr + 8) : 0;
    return true;
}

class Reader {
public:
    Reader(const File& f, Rescate& r) : f_(f), r_(r) {}

    std::set<uint32_t> visited;
    std::set<uint32_t> freelist;

    // Walks a b-tree from `root`. For a table tree with `rows`, leaf cells are decoded.
    void Walk(uint32_t root, std::map<int64_t, FilaRescatada>* rows, size_t columnas) {
        std::vector<uint32_t> stack{root};
        while (!stack.empty()) {
            uint32_t n = stack.back();
            stack.pop_back();
            if (visited.count(n)) continue;
            if (!f_.valid(n)) {
                if (rows) r_.ilegibles.push_back({n, 0, "página fuera del archivo (archivo truncado)", ""});
                continue;
            }
            visited.insert(n);
            Page pg;
            if (!ParsePage(f_, n, pg)) {
                if (rows)
                    r_.ilegibles.push_back({n, 0, "página ilegible",
                                            std::string(reinterpret_cast<const char*>(f_.page(n)), f_.pageSize())});
                continue;
            }
            const unsigned char* p = f_.page(n);
            if (pg.type == 5 || pg.type == 2) {
                for (uint16_t c : pg.cells)
                    if (uint32_t(c) + 4 <= f_.usable()) stack.push_back(f_.u32(p + c));
                stack.push_back(pg.right);
            } else if (pg.type == 13) {
                for (uint16_t c : pg.cells) LeafCell(n, c, rows, columnas, false);
            } else if (pg.type == 10) {
                for (uint16_t c : pg.cells) MarkIndexOverflow(n, c);
            }
        }
    }

    // Leaf pages of a table that nothing points to any more.
    void ScanOrphans(std::map<int64_t, FilaRescatada>& rows, size_t columnas) {
        for (uint32_t n = 2; n <= f_.pages(); ++n) {
            if (visited.count(n) || freelist.count(n)) continue;
            Page pg;
            if (!ParsePage(f_, n, pg) || pg.type != 13) continue;
            std::map<int64_t, FilaRescatada> found;
            for (uint16_t c : pg.cells) LeafCell(n, c, &found, columnas, true);
            // A page is taken only when its rows are the table's (same number of columns).
            for (auto& [rowid, fila] : found) {
                if (fila.valores.size() != columnas || rows.count(rowid)) continue;
                rows.emplace(rowid, std::move(fila));
                ++r_.filasHuerfanas;
            }
        }
    }

private:
    bool Payload(uint32_t n, uint16_t c, size_t headerLen, uint64_t size, std::string& out, std::string* why) {
        const unsigned char* p = f_.page(n);
        const uint32_t U = f_.usable();
        const uint64_t X = U - 35;
        uint64_t local = size;
        if (size > X) {
            uint64_t M = ((U - 12) * 32 / 255) - 23;
            uint64_t K = M + ((size - M) % (U - 4));
            local = K <= X ? K : M;
        }
        const size_t start = c + headerLen;
        if (start + local > U || (local < size && start + local + 4 > U)) {
            *why = "registro fuera de su página";
            return false;
        }
        if (!f_.InFile(n, start, local + (local < size ? 4 : 0))) {
            *why = "registro cortado por el final del archivo";
            return false;
        }
        out.assign(reinterpret_cast<const char*>(p + start), local);
        if (local == size) return true;
        uint32_t next = f_.u32(p + start + local);
        std::set<uint32_t> chain;
        while (out.size() < size) {
            if (!f_.valid(next) || chain.count(next) || freelist.count(next)) {
                *why = "cadena de desbordamiento rota";
                return false;
            }
            chain.insert(next);
            const unsigned char* o = f_.page(next);
            size_t take = std::min<uint64_t>(U - 4, size - out.size());
            if (!f_.InFile(next, 0, 4 + take)) {
                *why = "cadena de desbordamiento cortada por el final del archivo";
                return false;
            }
            out.append(reinterpret_cast<const char*>(o + 4), take);
            next = f_.u32(o);
        }
        visited.insert(chain.begin(), chain.end());
        return true;
    }

    void LeafCell(uint32_t n, uint16_t c, std::map<int64_t, FilaRescatada>* rows, size_t columnas, bool quiet) {
        const unsigned char* p = f_.page(n);
        const size_t left = f_.usable() - c;
        uint64_t size, rowid;
        int a = Varint(p + c, left, size);
        int b = a ? Varint(p + c + a, left - a, rowid) : 0;
        std::string raw(reinterpret_cast<const char*>(p + c), std::min<size_t>(left, 64));
        if (!a || !b || size > 1u << 30) {
            if (!quiet && rows) r_.ilegibles.push_back({n, 0, "celda ilegible", raw});
            return;
        }
        std::string payload, why;
        FilaRescatada fila;
        fila.rowid = int64_t(rowid);
        fila.pagina = n;
        if (!Payload(n, c, a + b, size, payload, &why)) {
            if (!quiet && rows) r_.ilegibles.push_back({n, int64_t(rowid), why, raw});
            return;
        }
        if (!DecodeRecord(payload, fila.valores) || (columnas && fila.valores.size() > columnas)) {
            if (!quiet && rows) r_.ilegibles.push_back({n, int64_t(rowid), "registro ilegible", payload});
            return;
        }
        if (rows) rows->emplace(fila.rowid, std::move(fila));
    }

    // Overflow pages of index cells belong to the index, not to lost rows.
    void MarkIndexOverflow(uint32_t n, uint16_t c) {
        const unsigned char* p = f_.page(n);
        uint64_t size;
        int a = Varint(p + c, f_.usable() - c, size);
        if (!a) return;
        const uint32_t U = f_.usable();
        uint64_t X = ((U - 12) * 64 / 255) - 23;
        if (size <= X) return;
        uint64_t M = ((U - 12) * 32 / 255) - 23;
        uint64_t K = M + ((size - M) % (U - 4));
        uint64_t local = K <= X ? K : M;
        if (c + a + local + 4 > U) return;
        uint32_t next = f_.u32(p + c + a + local);
        while (f_.valid(next) && !visited.count(next)) {
            visited.insert(next);
            next = f_.u32(f_.page(next));
        }
    }

    const File& f_;
    Rescate& r_;
};

std::vector<EntradaEsquema> SchemaOf(const File& f, Reader& reader) {
    std::vector<EntradaEsquema> out;
    Rescate scratch;
    Reader quiet(f, scratch);
    std::map<int64_t, FilaRescatada> rows;
    quiet.freelist = reader.freelist;
    quiet.Walk(1, &rows, 5);
    reader.visited.insert(quiet.visited.begin(), quiet.visited.end());
    for (auto& [rowid, fila] : rows) {
        auto& v = fila.valores;
        if (v.size() != 5 || v[0].tipo != Valor::Texto || v[3].tipo != Valor::Entero) continue;
        out.push_back({v[0].bytes, v[1].bytes, v[2].bytes, v[4].bytes, uint32_t(v[3].entero)});
    }
    return out;
}

}  // namespace

std::vector<EntradaEsquema> LeeEsquema(const std::string& path) {
    File f(path);
    Rescate r;
    Reader reader(f, r);
    if (!f.header()) return {};
    return SchemaOf(f, reader);
}

std::vector<std::pair<uint32_t, std::string>> ArbolesPorPagina(const std::string& path) {
    File f(path);
    Rescate r;
    Reader reader(f, r);
    std::vector<std::pair<uint32_t, std::string>> out;
    if (!f.header()) return out;
    reader.freelist = f.FreelistPages();
    auto schema = SchemaOf(f, reader);
    reader.visited.clear();
    for (const auto& e : schema) {
        if (!e.rootpage) continue;
        auto before = reader.visited;
        reader.Walk(e.rootpage, nullptr, 0);
        for (uint32_t p : reader.visited)
            if (!before.count(p)) out.emplace_back(p, e.name);
    }
    return out;
}

Rescate RescataTabla(const std::string& path, const std::string& table, int columnas, int rowidColumn) {
    File f(path);
    Rescate r;
    r.encabezadoValido = f.header();
    r.tamanoPagina = f.pageSize();
    r.paginas = f.pages();
    Reader reader(f, r);
    reader.freelist = f.FreelistPages();
    if (f.header()) r.esquema = SchemaOf(f, reader);
    uint32_t root = 0;
    for (const auto& e : r.esquema) {
        if (e.type == "table" && EqualsIgnoringCase(e.name, table)) root = e.rootpage;
    }
    std::map<int64_t, FilaRescatada> rows;
    if (root) reader.Walk(root, &rows, size_t(std::max(columnas, 0)));
    // Other trees of the file (its indexes) are walked only to know their pages, after the
    // table's own, so a damaged index cannot claim a page of the table.
    for (const auto& e : r.esquema)
        if (e.rootpage && e.rootpage != root) reader.Walk(e.rootpage, nullptr, 0);
    if (columnas > 0) reader.ScanOrphans(rows, size_t(columnas));
    for (auto& [rowid, fila] : rows) {
        if (columnas > 0) fila.valores.resize(size_t(columnas));
        if (rowidColumn >= 0 && size_t(rowidColumn) < fila.valores.size() &&
            fila.valores[rowidColumn].tipo == Valor::Nulo) {
            fila.valores[rowidColumn].tipo = Valor::Entero;
            fila.valores[rowidColumn].entero = rowid;
        }
        r.filas.push_back(std::move(fila));
    }
    return r;
}

}  // namespace tablemaint
