// XML layout to Report. The element tables below are the whole vocabulary: one table from
// tag to builder for items and one for bands, so what a layout may say can be read here.
// Every element's attributes are checked against its list, so a misspelt attribute is an
// error with its line rather than a silently ignored setting.
#include "platform/3_report/layout.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <set>
#include <sstream>

#include "platform/3_report/expr.h"
#include "platform/3_report/names.h"

namespace report {

LayoutError::LayoutError(std::string file, int line, std::string what)
    : std::runtime_error(line > 0 ? file + ", línea " + std::to_string(line) + ": " + what : file + ": " + what),
      file_(std::move(file)), line_(line), what_(std::move(what)) {}

namespace {

class Reader {
public:
    Reader(std::string_view text, std::string file) : text_(text), file_(std::move(file)) {}

    int LineOf(std::ptrdiff_t offset) const {
        if (offset < 0) return 0;
        std::size_t end = std::min<std::size_t>(static_cast<std::size_t>(offset), text_.size());
        return 1 + static_cast<int>(std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
    }
    int LineOf(const pugi::xml_node& n) const { return LineOf(n.offset_debug()); }
    [[noreturn]] void Fail(const pugi::xml_node& n, const std::string& what) const {
        throw LayoutError(file_, LineOf(n), what);
    }
    const std::string& File() const { return file_; }

    void Allow(const pugi::xml_node& n, std::initializer_list<std::string_view> names) const {
        for (const pugi::xml_attribute& a : n.attributes()) {
            bool ok = false;
            for (std::string_view name : names) ok = ok || SameName(a.name(), name);
            if (!ok) Fail(n, "atributo desconocido \"" + std::string(a.name()) + "\" en <" + n.name() + ">");
        }
    }
    std::string Text(const pugi::xml_node& n, std::string_view attr, std::string def = {}) const {
        for (const pugi::xml_attribute& a : n.attributes())
            if (SameName(a.name(), attr)) return a.value();
        return def;
    }
    bool Has(const pugi::xml_node& n, std::string_view attr) const {
        for (const pugi::xml_attribute& a : n.attributes())
            if (SameName(a.name(), attr)) return true;
        return false;
    }
    std::string Required(const pugi::xml_node& n, std::string_view attr) const {
        if (!Has(n, attr)) Fail(n, "falta el atributo \"" + std::string(attr) + "\" en <" + n.name() + ">");
        return Text(n, attr);
    }
    double Number(const pugi::xml_node& n, std::string_view attr, double def, double lo = 0, double hi = 1e6) const {
        if (!Has(n, attr)) return def;
        std::string s = Text(n, attr);
        double d = 0;
        auto res = std::from_chars(s.data(), s.data() + s.size(), d);
        if (res.ec != std::errc() || res.ptr != s.data() + s.size())
            Fail(n, "el atributo \"" + std::string(attr) + "\" debe ser un número: \"" + s + "\"");
        if (d < lo || d > hi)
            Fail(n, "el atributo \"" + std::string(attr) + "\" está fuera de rango: " + s);
        return d;
    }
    bool Bool(const pugi::xml_node& n, std::string_view attr, bool def) const {
        if (!Has(n, attr)) return def;
        std::string s = Text(n, attr);
        if (SameName(s, "true") || s == "1" || SameName(s, "si") || SameName(s, "sí")) return true;
        if (SameName(s, "false") || s == "0" || SameName(s, "no")) return false;
        Fail(n, "el atributo \"" + std::string(attr) + "\" debe ser true o false: \"" + s + "\"");
    }
    template <class E>
    E Choice(const pugi::xml_node& n, std::string_view attr, E def,
             std::initializer_list<std::pair<std::string_view, E>> choices) const {
        if (!Has(n, attr)) return def;
        std::string s = Text(n, attr);
        for (auto& [name, value] : choices)
            if (SameName(name, s)) return value;
        std::string list;
        for (auto& c : choices) list += (list.empty() ? "" : ", ") + std::string(c.first);
        Fail(n, "valor \"" + s + "\" no válido para \"" + std::string(attr) + "\" (" + list + ")");
    }
    void CheckExpression(const pugi::xml_node& n, const std::string& text) const {
        try {
            (void)Expression::Parse(text);
        } catch (const ExpressionError& e) {
            Fail(n, e.what());
        }
    }

private:
    std::string_view text_;
    std::string file_;
};

struct Context {
    const Reader& r;
    Report& report;
    std::set<std::string> names;  // folded names already used

    void Name(const pugi::xml_node& n, const std::string& name) {
        if (name.empty()) return;
        if (!names.insert(FoldName(name)).second) r.Fail(n, "el nombre \"" + name + "\" está repetido");
    }
};

constexpr std::string_view kItemAttrs[] = {
    "name", "left", "top", "width", "height", "font", "size", "bold", "italic", "align",
    "visible", "autosize", "wordwrap"};

void AllowItem(const Reader& r, const pugi::xml_node& n, std::initializer_list<std::string_view> more) {
    std::vector<std::string_view> all(std::begin(kItemAttrs), std::end(kItemAttrs));
    all.insert(all.end(), more.begin(), more.end());
    for (const pugi::xml_attribute& a : n.attributes()) {
        bool ok = std::any_of(all.begin(), all.end(), [&](std::string_view s) { return SameName(a.name(), s); });
        if (!ok) r.Fail(n, "atributo desconocido \"" + std::string(a.name()) + "\" en <" + n.name() + ">");
    }
}

void CommonItem(Context& c, const pugi::xml_node& n, Item& item) {
    const Reader& r = c.r;
    item.Left = r.Number(n, "left", 0);
    item.Top = r.Number(n, "top", 0);
    item.Width = r.Number(n, "width", 0);
    item.Height = r.Number(n, "height", 4.5);
    item.TextFont.family = r.Text(n, "font", "DejaVu Sans");
    item.TextFont.size = r.Number(n, "size", 10, 1, 200);
    item.TextFont.bold = r.Bool(n, "bold", false);
    item.TextFont.italic = r.Bool(n, "italic", false);
    item.Alignment = r.Choice(n, "align", Align::Left,
                              {{"left", Align::Left}, {"center", Align::Center}, {"right", Align::Right}});
    item.Visible = r.Bool(n, "visible", true);
    item.AutoSize = r.Bool(n, "autosize", false);
    item.WordWrap = r.Bool(n, "wordwrap", false);
    item.Line = r.LineOf(n);
    c.Name(n, item.Name());
}

std::string MaskOf(const Reader& r, const pugi::xml_node& n) { return r.Text(n, "mask"); }

std::unique_ptr<Item> BuildLabel(Context& c, const pugi::xml_node& n) {
    AllowItem(c.r, n, {"caption"});
    auto item = std::make_unique<Label>(c.r.Text(n, "name"));
    CommonItem(c, n, *item);
    item->SetCaption(c.r.Has(n, "caption") ? c.r.Text(n, "caption") : std::string(n.text().get()));
    return item;
}

std::unique_ptr<Item> BuildField(Context& c, const pugi::xml_node& n) {
    AllowItem(c.r, n, {"dataset", "field", "mask"});
    auto item = std::make_unique<DataField>(c.r.Text(n, "name"));
    CommonItem(c, n, *item);
    item->SetField(c.r.Text(n, "dataset"), c.r.Required(n, "field"));
    item->SetDisplayMask(MaskOf(c.r, n));
    return item;
}

std::unique_ptr<Item> BuildExpr(Context& c, const pugi::xml_node& n) {
    AllowItem(c.r, n, {"expression", "mask", "reset"});
    auto item = std::make_unique<ExprItem>(c.r.Text(n, "name"));
    CommonItem(c, n, *item);
    std::string text = c.r.Required(n, "expression");
    c.r.CheckExpression(n, text);
    item->SetExpression(text);
    item->SetDisplayMask(MaskOf(c.r, n));
    item->Reset = c.r.Choice(n, "reset", ResetKind::Report,
                             {{"group", ResetKind::Group}, {"page", ResetKind::Page}, {"report", ResetKind::Report}});
    return item;
}

std::unique_ptr<Item> BuildSystem(Context& c, const pugi::xml_node& n) {
    AllowItem(c.r, n, {"kind", "mask", "prefix"});
    auto item = std::make_unique<SystemData>(c.r.Text(n, "name"));
    CommonItem(c, n, *item);
    item->What = c.r.Choice(n, "kind", SystemKind::PageNumber,
                            {{"pagenumber", SystemKind::PageNumber}, {"pagecount", SystemKind::PageCount},
                             {"date", SystemKind::Date}, {"time", SystemKind::Time},
                             {"datetime", SystemKind::DateTime}});
    item->Prefix = c.r.Text(n, "prefix");
    item->SetDisplayMask(MaskOf(c.r, n));
    return item;
}

std::unique_ptr<Item> BuildShape(Context& c, const pugi::xml_node& n) {
    AllowItem(c.r, n, {"kind", "pen", "filled"});
    auto item = std::make_unique<Shape>(c.r.Text(n, "name"));
    CommonItem(c, n, *item);
    item->Form = c.r.Choice(n, "kind", ShapeKind::Rectangle,
                            {{"rectangle", ShapeKind::Rectangle}, {"hline", ShapeKind::HorizontalLine},
                             {"vline", ShapeKind::VerticalLine}});
    item->PenWidth = c.r.Number(n, "pen", 0.2, 0, 20);
    item->Filled = c.r.Bool(n, "filled", false);
    return item;
}

std::unique_ptr<Item> BuildImage(Context& c, const pugi::xml_node& n) {
    AllowItem(c.r, n, {"file"});
    auto item = std::make_unique<Image>(c.r.Text(n, "name"));
    CommonItem(c, n, *item);
    std::string file = c.r.Text(n, "file");
    if (!file.empty()) {
        std::filesystem::path p(file);
        if (p.is_relative()) p = std::filesystem::path(c.report.FileName).parent_path() / p;
        item->PictureFile = p.string();
    }
    return item;
}

std::unique_ptr<Item> BuildBarcode(Context& c, const pugi::xml_node& n) {
    AllowItem(c.r, n, {"symbology", "data", "showtext"});
    auto item = std::make_unique<BarcodeItem>(c.r.Text(n, "name"));
    CommonItem(c, n, *item);
    std::string sym = c.r.Text(n, "symbology", "CODE128");
    auto s = SymbologyFromName(sym);
    if (!s) c.r.Fail(n, "simbología desconocida \"" + sym + "\" (EAN13, EAN8, UPCA, CODE128, CODE39, ITF, QR)");
    item->Code = *s;
    item->DataExpression = c.r.Required(n, "data");
    c.r.CheckExpression(n, item->DataExpression);
    item->ShowText = c.r.Bool(n, "showtext", true);
    return item;
}

using ItemBuilder = std::unique_ptr<Item> (*)(Context&, const pugi::xml_node&);

struct ItemTag {
    std::string_view tag;
    ItemBuilder build;
};

constexpr ItemTag kItemTags[] = {
    {"label", BuildLabel},   {"field", BuildField}, {"expr", BuildExpr},       {"sysdata", BuildSystem},
    {"shape", BuildShape},   {"image", BuildImage}, {"barcode", BuildBarcode},
};

Band* BuildBand(Context& c, const pugi::xml_node& n, BandKind kind, std::initializer_list<std::string_view> extra = {}) {
    const Reader& r = c.r;
    std::vector<std::string_view> allowed = {"name", "height", "enabled", "printifempty", "newpage"};
    allowed.insert(allowed.end(), extra.begin(), extra.end());
    for (const pugi::xml_attribute& a : n.attributes())
        if (std::none_of(allowed.begin(), allowed.end(), [&](std::string_view s) { return SameName(s, a.name()); }))
            r.Fail(n, "atributo desconocido \"" + std::string(a.name()) + "\" en <" + n.name() + ">");
    auto band = std::make_unique<Band>(kind, r.Text(n, "name"));
    c.Name(n, band->Name());
    band->Height = r.Number(n, "height", 0, 0, 5000);
    band->Enabled = r.Bool(n, "enabled", true);
    band->PrintIfEmpty = r.Bool(n, "printifempty", false);
    band->ForceNewPage = r.Bool(n, "newpage", false);
    band->Line = r.LineOf(n);
    for (const pugi::xml_node& child : n.children()) {
        if (child.type() != pugi::node_element) continue;
        const ItemTag* tag = nullptr;
        for (const ItemTag& t : kItemTags)
            if (SameName(t.tag, child.name())) tag = &t;
        if (!tag) r.Fail(child, "elemento desconocido <" + std::string(child.name()) + "> en una banda");
        band->Items().push_back(tag->build(c, child));
    }
    return &c.report.AddBand(std::move(band));
}

void Once(Context& c, const pugi::xml_node& n, Band*& slot, BandKind kind) {
    if (slot) c.r.Fail(n, "la banda <" + std::string(n.name()) + "> aparece dos veces");
    slot = BuildBand(c, n, kind);
}

void BuildGroup(Context& c, const pugi::xml_node& n) {
    c.r.Allow(n, {"name", "expression"});
    Group g;
    g.name = c.r.Text(n, "name");
    g.expression = c.r.Required(n, "expression");
    c.r.CheckExpression(n, g.expression);
    g.line = c.r.LineOf(n);
    for (const pugi::xml_node& child : n.children()) {
        if (child.type() != pugi::node_element) continue;
        if (SameName(child.name(), "header")) {
            if (g.header) c.r.Fail(child, "el grupo ya tiene <header>");
            g.header = BuildBand(c, child, BandKind::GroupHeader);
        } else if (SameName(child.name(), "footer")) {
            if (g.footer) c.r.Fail(child, "el grupo ya tiene <footer>");
            g.footer = BuildBand(c, child, BandKind::GroupFooter);
        } else {
            c.r.Fail(child, "elemento desconocido <" + std::string(child.name()) + "> en <group>");
        }
    }
    c.report.Groups.push_back(std::move(g));
}

void BuildSubDetail(Context& c, const pugi::xml_node& n) {
    c.r.Allow(n, {"dataset"});
    SubDetailSection s;
    s.dataset = c.r.Required(n, "dataset");
    Dataset* ds = c.report.FindDataset(s.dataset);
    if (!ds) c.r.Fail(n, "el conjunto de datos \"" + s.dataset + "\" no está declarado");
    if (ds->MasterName().empty() || !SameName(ds->MasterName(), c.report.MainDatasetName))
        c.r.Fail(n, "el conjunto de datos \"" + s.dataset + "\" debe tener como maestro a \"" +
                        c.report.MainDatasetName + "\"");
    for (const pugi::xml_node& child : n.children()) {
        if (child.type() != pugi::node_element) continue;
        if (SameName(child.name(), "header") && !s.header) s.header = BuildBand(c, child, BandKind::SubDetailHeader);
        else if (SameName(child.name(), "detail") && !s.detail) s.detail = BuildBand(c, child, BandKind::SubDetail);
        else if (SameName(child.name(), "footer") && !s.footer) s.footer = BuildBand(c, child, BandKind::SubDetailFooter);
        else c.r.Fail(child, "elemento <" + std::string(child.name()) + "> no válido o repetido en <subdetail>");
    }
    if (!s.detail) c.r.Fail(n, "falta <detail> en <subdetail>");
    c.report.SubDetails.push_back(std::move(s));
}

void BuildBands(Context& c, const pugi::xml_node& n) {
    c.r.Allow(n, {"dataset"});
    c.report.MainDatasetName = c.r.Text(n, "dataset");
    if (!c.report.MainDatasetName.empty() && !c.report.FindDataset(c.report.MainDatasetName))
        c.r.Fail(n, "el conjunto de datos \"" + c.report.MainDatasetName + "\" no está declarado");
    Report& rep = c.report;
    for (const pugi::xml_node& child : n.children()) {
        if (child.type() != pugi::node_element) continue;
        std::string tag = FoldName(child.name());
        if (tag == "title") Once(c, child, rep.Title, BandKind::Title);
        else if (tag == "pageheader") Once(c, child, rep.PageHeader, BandKind::PageHeader);
        else if (tag == "columnheader") Once(c, child, rep.ColumnHeader, BandKind::ColumnHeader);
        else if (tag == "group") BuildGroup(c, child);
        else if (tag == "detail") Once(c, child, rep.Detail, BandKind::Detail);
        else if (tag == "subdetail") BuildSubDetail(c, child);
        else if (tag == "summary") Once(c, child, rep.Summary, BandKind::Summary);
        else if (tag == "pagefooter") Once(c, child, rep.PageFooter, BandKind::PageFooter);
        else c.r.Fail(child, "elemento desconocido <" + std::string(child.name()) + "> en <bands>");
    }
    if ((rep.Detail || !rep.Groups.empty()) && rep.MainDatasetName.empty())
        c.r.Fail(n, "<bands> necesita el atributo \"dataset\" para la banda de detalle");
}

struct PaperSize {
    std::string_view name;
    double width, height;
};
constexpr PaperSize kPapers[] = {{"A4", 210, 297}, {"Letter", 215.9, 279.4}, {"Legal", 215.9, 355.6}, {"A5", 148, 210}};

void BuildPage(Context& c, const pugi::xml_node& n) {
    const Reader& r = c.r;
    r.Allow(n, {"size", "width", "height", "orientation", "left", "top", "right", "bottom", "continuous",
                "columns", "lineheight"});
    PageSetup& p = c.report.Page;
    p.size = r.Text(n, "size", "A4");
    const PaperSize* paper = nullptr;
    for (const PaperSize& ps : kPapers)
        if (SameName(ps.name, p.size)) paper = &ps;
    if (paper) {
        p.width = paper->width;
        p.height = paper->height;
    } else if (SameName(p.size, "custom")) {
        p.width = r.Number(n, "width", 0, 10, 5000);
        p.height = r.Number(n, "height", 0, 10, 50000);
        if (p.width == 0) r.Fail(n, "una página \"custom\" necesita \"width\"");
        if (p.height == 0) p.height = 297;
    } else {
        r.Fail(n, "tamaño de página desconocido \"" + p.size + "\" (A4, Letter, Legal, A5, custom)");
    }
    p.orientation = r.Choice(n, "orientation", Orientation::Portrait,
                             {{"portrait", Orientation::Portrait}, {"landscape", Orientation::Landscape}});
    if (p.orientation == Orientation::Landscape) std::swap(p.width, p.height);
    p.marginLeft = r.Number(n, "left", 10, 0, 500);
    p.marginTop = r.Number(n, "top", 10, 0, 500);
    p.marginRight = r.Number(n, "right", 10, 0, 500);
    p.marginBottom = r.Number(n, "bottom", 10, 0, 500);
    if (p.marginLeft + p.marginRight >= p.width || p.marginTop + p.marginBottom >= p.height)
        r.Fail(n, "los márgenes no dejan espacio en la página");
    p.continuous = r.Bool(n, "continuous", false);
    p.columns = static_cast<int>(r.Number(n, "columns", 0, 0, 1000));
    p.lineHeight = r.Number(n, "lineheight", 25.4 / 6, 0.5, 100);
    c.report.PageMode = !p.continuous;
}

ParamType ParamTypeOf(const Reader& r, const pugi::xml_node& n) {
    return r.Choice(n, "type", ParamType::String,
                    {{"string", ParamType::String}, {"integer", ParamType::Integer}, {"float", ParamType::Float},
                     {"date", ParamType::Date}, {"boolean", ParamType::Boolean}});
}

void BuildDataset(Context& c, const pugi::xml_node& n, DatasetFactory& factory) {
    const Reader& r = c.r;
    DatasetDef def;
    def.line = r.LineOf(n);
    bool query = SameName(n.name(), "query");
    if (query) {
        r.Allow(n, {"name", "database", "session", "master"});
        def.kind = DatasetKind::Query;
    } else {
        r.Allow(n, {"name", "database", "session", "table", "index", "master"});
        def.kind = DatasetKind::Table;
        def.tableName = r.Text(n, "table");
        def.indexName = r.Text(n, "index");
    }
    def.name = r.Required(n, "name");
    if (def.name.empty()) r.Fail(n, "el conjunto de datos necesita un nombre");
    c.Name(n, def.name);
    def.databaseName = r.Text(n, "database");
    def.sessionName = r.Text(n, "session");
    def.master = r.Text(n, "master");
    if (!def.master.empty() && !c.report.FindDataset(def.master))
        r.Fail(n, "el maestro \"" + def.master + "\" debe declararse antes que \"" + def.name + "\"");
    for (const pugi::xml_node& child : n.children()) {
        if (child.type() != pugi::node_element) continue;
        std::string tag = FoldName(child.name());
        if (tag == "sql" && query) {
            r.Allow(child, {});
            for (const pugi::xml_node& line : child.children()) {
                if (line.type() != pugi::node_element) continue;
                if (!SameName(line.name(), "line")) r.Fail(line, "dentro de <sql> sólo van elementos <line>");
                r.Allow(line, {});
                def.sql.emplace_back(line.text().get());
            }
        } else if (tag == "param" && query) {
            r.Allow(child, {"name", "type", "value"});
            Param p;
            p.name = r.Required(child, "name");
            p.type = ParamTypeOf(r, child);
            if (r.Has(child, "value")) p.SetValue(r.Text(child, "value"));
            def.params.push_back(std::move(p));
        } else if (tag == "link") {
            r.Allow(child, {"detail", "master"});
            if (def.master.empty()) r.Fail(child, "<link> sin atributo \"master\" en el conjunto de datos");
            def.links.push_back({r.Required(child, "detail"), r.Required(child, "master")});
        } else {
            r.Fail(child, "elemento desconocido <" + std::string(child.name()) + "> en <" + n.name() + ">");
        }
    }
    if (!def.master.empty() && def.links.empty()) r.Fail(n, "un detalle necesita al menos un <link>");
    try {
        c.report.AddDataset(factory.Create(def));
    } catch (const std::exception& e) {
        r.Fail(n, e.what());
    }
}

}  // namespace

std::string FindLayoutFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path p(path);
    if (fs::is_regular_file(p, ec)) return p.string();
    fs::path dir = p.parent_path().empty() ? fs::path(".") : p.parent_path();
    std::string wanted = p.filename().string();
    // Only the file name is matched ignoring case; the folder is the caller's.
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec) && SameName(it->path().filename().string(), wanted))
            return (p.parent_path().empty() ? it->path().filename() : it->path()).string();
    return {};
}

std::unique_ptr<Report> ParseLayout(std::string_view xml, const std::string& file, DatasetFactory& factory) {
    Reader r(xml, file);
    pugi::xml_document doc;
    pugi::xml_parse_result res = doc.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!res) throw LayoutError(file, r.LineOf(res.offset), std::string("XML mal formado: ") + res.description());
    pugi::xml_node root = doc.document_element();
    if (!SameName(root.name(), "report")) throw LayoutError(file, r.LineOf(root), "el elemento raíz debe ser <report>");
    r.Allow(root, {"name", "printifempty", "units"});
    if (r.Has(root, "units") && !SameName(r.Text(root, "units"), "mm"))
        r.Fail(root, "la única unidad admitida es \"mm\"");

    auto report = std::make_unique<Report>();
    report->FileName = file;
    report->Name = r.Text(root, "name", std::filesystem::path(file).stem().string());
    report->PrintIfEmpty = r.Bool(root, "printifempty", true);
    Context c{r, *report, {}};
    bool sawPage = false, sawBands = false;
    for (const pugi::xml_node& child : root.children()) {
        if (child.type() != pugi::node_element) continue;
        std::string tag = FoldName(child.name());
        if (tag == "page") {
            if (sawPage) r.Fail(child, "<page> aparece dos veces");
            sawPage = true;
            BuildPage(c, child);
        } else if (tag == "datasets") {
            if (sawBands) r.Fail(child, "<datasets> debe ir antes de <bands>");
            r.Allow(child, {});
            for (const pugi::xml_node& d : child.children()) {
                if (d.type() != pugi::node_element) continue;
                if (!SameName(d.name(), "query") && !SameName(d.name(), "table"))
                    r.Fail(d, "elemento desconocido <" + std::string(d.name()) + "> en <datasets>");
                BuildDataset(c, d, factory);
            }
        } else if (tag == "bands") {
            if (sawBands) r.Fail(child, "<bands> aparece dos veces");
            sawBands = true;
            BuildBands(c, child);
        } else {
            r.Fail(child, "elemento desconocido <" + std::string(child.name()) + "> en <report>");
        }
    }
    if (!sawBands) r.Fail(root, "falta el elemento <bands>");
    return report;
}

std::unique_ptr<Report> LoadLayout(const std::string& path, DatasetFactory& factory) {
    std::string found = FindLayoutFile(path);
    if (found.empty()) throw LayoutError(path, 0, "no existe el archivo del reporte");
    std::ifstream in(found, std::ios::binary);
    if (!in) throw LayoutError(found, 0, "no es posible leer el archivo del reporte");
    std::ostringstream text;
    text << in.rdbuf();
    return ParseLayout(text.str(), found, factory);
}

}  // namespace report
