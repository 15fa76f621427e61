// Binary spool of pages. The format is private to one run: native-endian numbers, strings as
// a length and bytes, one tag byte per element.
#include "platform/3_report/spool.h"

#include <stdexcept>
#include <string>

namespace report {
namespace {

class Writer {
public:
    explicit Writer(std::FILE* f) : f_(f) {}
    template <class T>
    void Put(const T& v) { Raw(&v, sizeof v); }
    void Str(const std::string& s) { Put<std::uint32_t>(static_cast<std::uint32_t>(s.size())); Raw(s.data(), s.size()); }
    void FontOf(const Font& f) { Str(f.family); Put(f.size); Put(f.bold); Put(f.italic); }
    void Raw(const void* p, std::size_t n) {
        if (n && std::fwrite(p, 1, n, f_) != n) throw std::runtime_error("No es posible escribir la cola de páginas");
    }

private:
    std::FILE* f_;
};

class Reader {
public:
    explicit Reader(std::FILE* f) : f_(f) {}
    template <class T>
    T Get() { T v{}; Raw(&v, sizeof v); return v; }
    std::string Str() {
        std::string s(Get<std::uint32_t>(), '\0');
        Raw(s.data(), s.size());
        return s;
    }
    Font FontOf() { Font f; f.family = Str(); f.size = Get<double>(); f.bold = Get<bool>(); f.italic = Get<bool>(); return f; }
    void Raw(void* p, std::size_t n) {
        if (n && std::fread(p, 1, n, f_) != n) throw std::runtime_error("La cola de páginas está dañada");
    }

private:
    std::FILE* f_;
};

struct WriteElement {
    Writer& w;
    void operator()(const TextElement& t) {
        w.Put<char>('T'); w.Put(t.x); w.Put(t.y); w.Put(t.width); w.Put(t.height); w.Str(t.text); w.FontOf(t.font);
        w.Put(t.align); w.Put(t.wordWrap); w.Put(t.autoSize);
    }
    void operator()(const LineElement& l) { w.Put<char>('L'); w.Put(l); }
    void operator()(const RectElement& r) { w.Put<char>('R'); w.Put(r); }
    void operator()(const BitmapElement& b) {
        w.Put<char>('B'); w.Put(b.x); w.Put(b.y); w.Put(b.width); w.Put(b.height); w.Put(b.pixelWidth); w.Put(b.pixelHeight);
        w.Put<std::uint64_t>(b.pixels.size()); w.Raw(b.pixels.data(), b.pixels.size() * sizeof(std::uint32_t));
    }
    void operator()(const PictureElement& p) { w.Put<char>('P'); w.Put(p.x); w.Put(p.y); w.Put(p.width); w.Put(p.height); w.Str(p.path); }
};

void ReplaceAll(std::string& s, const std::string& what, const std::string& with) {
    for (std::size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + with.size())) s.replace(p, what.size(), with);
}

}  // namespace

PageSpool::PageSpool() : file_(std::tmpfile()) {
    if (!file_) throw std::runtime_error("No es posible crear el archivo temporal de páginas");
}

PageSpool::~PageSpool() { std::fclose(file_); }

void PageSpool::AddPage(const Page& page) {
    Writer w(file_);
    w.Put(page.number); w.Put(page.width); w.Put(page.height);
    w.Put<std::uint64_t>(page.elements.size());
    for (const Element& e : page.elements) std::visit(WriteElement{w}, e);
    ++pages_;
}

void PageSpool::Replay(PageSink& sink) {
    std::fflush(file_);
    std::rewind(file_);
    Reader r(file_);
    const std::string mark = kPageCountMark, count = std::to_string(pages_);
    sink.BeginDocument(pages_);
    Page page;
    for (int i = 0; i < pages_; ++i) {
        page.elements.clear();
        page.number = r.Get<int>(); page.width = r.Get<double>(); page.height = r.Get<double>();
        auto n = r.Get<std::uint64_t>();
        page.elements.reserve(n);
        for (std::uint64_t k = 0; k < n; ++k) {
            switch (r.Get<char>()) {
                case 'T': {
                    TextElement t;
                    t.x = r.Get<double>(); t.y = r.Get<double>(); t.width = r.Get<double>(); t.height = r.Get<double>();
                    t.text = r.Str(); t.font = r.FontOf(); t.align = r.Get<Align>(); t.wordWrap = r.Get<bool>(); t.autoSize = r.Get<bool>();
                    if (t.text.find(mark) != std::string::npos) ReplaceAll(t.text, mark, count);
                    page.elements.push_back(std::move(t));
                    break;
                }
                case 'L': page.elements.push_back(r.Get<LineElement>()); break;
                case 'R': page.elements.push_back(r.Get<RectElement>()); break;
                case 'B': {
                    BitmapElement b;
                    b.x = r.Get<double>(); b.y = r.Get<double>(); b.width = r.Get<double>(); b.height = r.Get<double>();
                    b.pixelWidth = r.Get<int>(); b.pixelHeight = r.Get<int>();
                    b.pixels.resize(r.Get<std::uint64_t>());
                    r.Raw(b.pixels.data(), b.pixels.size() * sizeof(std::uint32_t));
                    page.elements.push_back(std::move(b));
                    break;
                }
                case 'P': {
                    PictureElement p;
                    p.x = r.Get<double>(); p.y = r.Get<double>(); p.width = r.Get<double>(); p.height = r.Get<double>(); p.path = r.Str();
                    page.elements.push_back(std::move(p));
                    break;
                }
                default: throw std::runtime_error("La cola de páginas está dañada");
            }
        }
        sink.AddPage(page);
    }
    sink.EndDocument();
}

}  // namespace report
