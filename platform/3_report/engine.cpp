// The band engine.
//
// Page state: closed -> open (page header, on page 1 the title, column header printed) ->
// bands placed downwards while they fit above the page footer -> closed (page footer at the
// bottom, page handed to the sink). A band that does not fit closes the page and opens the
// next; a band taller than a whole page is split at its items' tops across pages. In
// continuous mode (page-mode switch off) the one page grows with its bands and is handed on
// at the end, as long as what was printed.
//
// Rows: the main dataset's live cursor is walked with Next(); a BandBeforePrint handler may
// move it and the walk continues from where it left it. Group footers print after the row
// that ends their group has been left, so the values they show come from a snapshot of the
// bound fields taken just before each Next().
#include "platform/3_report/engine.h"

#include <cmath>
#include <map>
#include <memory>

#include "platform/3_report/expr.h"
#include "platform/3_report/layout.h"
#include "platform/3_report/names.h"
#include "platform/3_report/spool.h"

namespace report {
namespace {

struct Slot {
    Dataset* dataset;
    int index;
};

class Engine : public FieldBinder, public EvalContext {
public:
    Engine(Report& r, const EngineOptions& o) : rep_(r), opt_(o) {}
    void SetSink(PageSink& sink) { sink_ = &sink; }

    void Bind();
    bool UsesPageCount() const { return usesPageCount_; }
    RunResult Run();

    // FieldBinder
    int BindField(std::string_view dataset, std::string_view field) override;
    // EvalContext
    Value Field(int slot) const override {
        if (slot < 0) return {};
        if (useSnapshot_ && static_cast<std::size_t>(slot) < snapshot_.size()) return snapshot_[static_cast<std::size_t>(slot)];
        const Slot& s = slots_[static_cast<std::size_t>(slot)];
        return s.dataset->Active() ? s.dataset->Rows().Get(s.index) : Value{};
    }
    int PageNumber() const override { return pageNumber_; }
    int PageCount() const override { return knownPages_; }
    double Now() const override { return opt_.now; }

private:
    void BindBand(Band* band, Dataset* context, std::vector<Expression*>* loop);
    [[noreturn]] void Fail(int line, const std::string& what) const { throw LayoutError(rep_.FileName, line, what); }

    void OpenPage();
    void ClosePage();
    bool PageHasBody() const { return y_ > bodyTop_ + 1e-9; }
    void PrintBand(Band* band, const std::function<void()>& beforeDraw = {});
    void PlaceBand(Band& band);
    void DrawItems(const Band& band, double top, double from, double to);
    void DrawItem(const Item& item, double x, double y);
    void ResetAfterPrint(const Band& band);
    void TakeSnapshot();
    void RunSubDetails();
    std::vector<Value> GroupKeys();
    void PrintFooters(std::size_t fromLevel);

    Report& rep_;
    const EngineOptions& opt_;
    PageSink* sink_ = nullptr;
    int knownPages_ = 0;
    bool usesPageCount_ = false;

    Dataset* bindContext_ = nullptr;
    int bindLine_ = 0;
    std::vector<Slot> slots_;
    std::vector<Value> snapshot_;
    bool useSnapshot_ = false;

    std::map<const Item*, Expression> exprs_;  // expression items and bar-code data
    std::map<const Item*, int> fieldSlots_;    // data fields
    std::vector<Expression> groupKeys_;
    std::vector<Expression*> mainAggregates_;
    std::vector<std::vector<Expression*>> subAggregates_;
    std::vector<Expression*> pageResets_;
    std::map<const Band*, std::vector<Expression*>> groupResets_;

    bool continuous_ = false;
    bool pageOpen_ = false;
    bool titlePending_ = true;
    Page page_;
    int pageNumber_ = 0;
    double y_ = 0, bodyTop_ = 0, bodyBottom_ = 0;
};

int Engine::BindField(std::string_view dataset, std::string_view field) {
    Dataset* ds = dataset.empty() ? bindContext_ : rep_.FindDataset(dataset);
    if (!ds) {
        if (dataset.empty()) Fail(bindLine_, "el campo \"" + std::string(field) + "\" no indica su conjunto de datos");
        Fail(bindLine_, "no existe el conjunto de datos \"" + std::string(dataset) + "\"");
    }
    if (!ds->Active()) Fail(bindLine_, "el conjunto de datos \"" + ds->Name() + "\" no está abierto");
    int index = ds->Rows().FieldIndex(field);
    if (index < 0) Fail(bindLine_, "no existe el campo \"" + std::string(field) + "\" en \"" + ds->Name() + "\"");
    for (std::size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i].dataset == ds && slots_[i].index == index) return static_cast<int>(i);
    slots_.push_back({ds, index});
    return static_cast<int>(slots_.size() - 1);
}

void Engine::BindBand(Band* band, Dataset* context, std::vector<Expression*>* loop) {
    if (!band) return;
    bindContext_ = context;
    for (auto& itemPtr : band->Items()) {
        Item& item = *itemPtr;
        bindLine_ = item.Line;
        std::string text;
        if (auto* e = dynamic_cast<ExprItem*>(&item)) text = e->ExpressionText();
        else if (auto* b = dynamic_cast<BarcodeItem*>(&item)) text = b->DataExpression;
        else if (auto* f = dynamic_cast<DataField*>(&item)) {
            if (!f->FieldName().empty()) fieldSlots_[&item] = BindField(f->DatasetName(), f->FieldName());
            continue;
        } else if (auto* s = dynamic_cast<SystemData*>(&item)) {
            if (s->What == SystemKind::PageCount) usesPageCount_ = true;
            continue;
        } else {
            continue;
        }
        try {
            Expression expr = Expression::Parse(text);
            expr.Bind(*this);
            auto [it, _] = exprs_.emplace(&item, std::move(expr));
            Expression* e = &it->second;
            usesPageCount_ = usesPageCount_ || e->UsesPageCount();
            if (e->HasAggregates()) {
                if (loop) loop->push_back(e);
                auto* ei = dynamic_cast<ExprItem*>(&item);
                if (ei && ei->Reset == ResetKind::Page) pageResets_.push_back(e);
                if (ei && ei->Reset == ResetKind::Group) groupResets_[band].push_back(e);
            }
        } catch (const ExpressionError& err) {
            Fail(item.Line, std::string(item.Name().empty() ? "" : item.Name() + ": ") + err.what());
        }
    }
}

void Engine::Bind() {
    Dataset* main = rep_.MainDataset();
    for (Band* b : {rep_.Title, rep_.PageHeader, rep_.ColumnHeader, rep_.Detail, rep_.Summary, rep_.PageFooter})
        BindBand(b, main, &mainAggregates_);
    for (Group& g : rep_.Groups) {
        BindBand(g.header, main, &mainAggregates_);
        BindBand(g.footer, main, &mainAggregates_);
        bindContext_ = main;
        bindLine_ = g.line;
        try {
            groupKeys_.push_back(Expression::Parse(g.expression));
            groupKeys_.back().Bind(*this);
        } catch (const ExpressionError& err) {
            Fail(g.line, err.what());
        }
    }
    subAggregates_.resize(rep_.SubDetails.size());
    for (std::size_t i = 0; i < rep_.SubDetails.size(); ++i) {
        SubDetailSection& s = rep_.SubDetails[i];
        Dataset* ds = rep_.FindDataset(s.dataset);
        for (Band* b : {s.header, s.detail, s.footer}) BindBand(b, ds, &subAggregates_[i]);
    }
}

void Engine::OpenPage() {
    ++pageNumber_;
    page_ = Page{};
    page_.number = pageNumber_;
    page_.width = rep_.Page.width;
    page_.height = rep_.Page.height;
    pageOpen_ = true;
    y_ = rep_.Page.marginTop;
    double footer = rep_.PageFooter && rep_.PageFooter->Enabled ? rep_.PageFooter->Height : 0;
    bodyBottom_ = continuous_ ? 1e12 : rep_.Page.height - rep_.Page.marginBottom - footer;
    for (Expression* e : pageResets_) e->ResetAggregates();
    bodyTop_ = y_;
    PrintBand(rep_.PageHeader);
    if (titlePending_) {
        titlePending_ = false;
        PrintBand(rep_.Title);
    }
    PrintBand(rep_.ColumnHeader);
    bodyTop_ = y_;
}

void Engine::ClosePage() {
    if (!pageOpen_) return;
    if (Band* f = rep_.PageFooter; f && f->Enabled) {
        bool print = true;
        if (opt_.bandBeforePrint) opt_.bandBeforePrint(*f, print);
        double top = continuous_ ? y_ : rep_.Page.height - rep_.Page.marginBottom - f->Height;
        if (print) {
            DrawItems(*f, top, 0, 1e12);
            ResetAfterPrint(*f);
        }
        if (continuous_) y_ = top + f->Height;
    }
    if (continuous_) page_.height = std::max(y_ + rep_.Page.marginBottom, 10.0);
    pageOpen_ = false;
    sink_->AddPage(page_);
    page_.elements.clear();
}

void Engine::PrintBand(Band* band, const std::function<void()>& beforeDraw) {
    if (!band || !band->Enabled) {
        if (beforeDraw) beforeDraw();
        return;
    }
    bool print = true;
    if (opt_.bandBeforePrint) opt_.bandBeforePrint(*band, print);
    if (!print) {
        if (beforeDraw) beforeDraw();
        return;
    }
    const bool fixed = band->Kind() == BandKind::PageHeader || band->Kind() == BandKind::ColumnHeader ||
                       (band->Kind() == BandKind::Title && pageOpen_ && !PageHasBody());
    if (!fixed) {
        if (!pageOpen_) OpenPage();
        bool newPage = band->ForceNewPage && PageHasBody();
        bool noRoom = !continuous_ && y_ + band->Height > bodyBottom_ + 1e-9 && PageHasBody();
        if (newPage || noRoom) {
            ClosePage();
            OpenPage();
        }
    }
    if (beforeDraw) beforeDraw();
    PlaceBand(*band);
    ResetAfterPrint(*band);
}

void Engine::PlaceBand(Band& band) {
    const bool header = band.Kind() == BandKind::PageHeader || band.Kind() == BandKind::ColumnHeader ||
                        band.Kind() == BandKind::Title;
    if (continuous_ || header || y_ + band.Height <= bodyBottom_ + 1e-9) {
        DrawItems(band, y_, 0, 1e12);
        y_ += band.Height;
        return;
    }
    // Taller than what is left of a fresh page: the items go to the page where their top
    // falls, each page taking as much of the band as its body holds.
    double offset = 0;
    for (;;) {
        double avail = bodyBottom_ - y_;
        if (avail <= 0.5)
            Fail(band.Line, "la banda \"" + band.Name() + "\" no cabe en la página: los encabezados ocupan toda la página");
        DrawItems(band, y_ - offset, offset, offset + avail);
        if (offset + avail >= band.Height) {
            y_ += band.Height - offset;
            return;
        }
        offset += avail;
        ClosePage();
        OpenPage();
    }
}

void Engine::DrawItems(const Band& band, double top, double from, double to) {
    for (const auto& item : band.Items()) {
        if (!item->Visible) continue;
        if (item->Top < from - 1e-9 || item->Top >= to - 1e-9) continue;
        DrawItem(*item, rep_.Page.marginLeft + item->Left, top + item->Top);
    }
}

void Engine::DrawItem(const Item& item, double x, double y) {
    auto text = [&](std::string s) {
        TextElement t;
        t.x = x; t.y = y; t.width = item.Width; t.height = item.Height;
        t.text = std::move(s);
        t.font = item.TextFont;
        t.align = item.Alignment;
        t.wordWrap = item.WordWrap;
        t.autoSize = item.AutoSize;
        page_.elements.push_back(std::move(t));
    };
    auto copyCanvas = [&](const Canvas& c) {
        for (Element e : c.Elements()) {
            std::visit([&](auto& el) {
                using T = std::decay_t<decltype(el)>;
                if constexpr (std::is_same_v<T, LineElement>) { el.x1 += x; el.x2 += x; el.y1 += y; el.y2 += y; }
                else { el.x += x; el.y += y; }
            }, e);
            page_.elements.push_back(std::move(e));
        }
    };
    switch (item.Kind()) {
        case ItemKind::Label: text(static_cast<const Label&>(item).Caption()); break;
        case ItemKind::DataField: {
            auto& f = const_cast<DataField&>(static_cast<const DataField&>(item));
            auto it = fieldSlots_.find(&item);
            if (it == fieldSlots_.end() || f.FieldName().empty()) { text({}); break; }
            Value v = Field(it->second);
            std::string s;
            const Slot& slot = slots_[static_cast<std::size_t>(it->second)];
            if (f.OnGetText) f.OnGetText(v, s);
            else if (!(f.DisplayMask().empty() && !useSnapshot_ && slot.dataset->Active() &&
                       slot.dataset->Rows().DisplayText(slot.index, s)))
                s = FormatValue(v, f.DisplayMask(), opt_.formats);
            if (f.OnPrint) f.OnPrint(f, s);
            text(std::move(s));
            break;
        }
        case ItemKind::Expression: {
            auto& e = static_cast<const ExprItem&>(item);
            auto it = exprs_.find(&item);
            text(it == exprs_.end() ? std::string() : FormatValue(it->second.Eval(*this), e.DisplayMask(), opt_.formats));
            break;
        }
        case ItemKind::SystemData: {
            auto& s = static_cast<const SystemData&>(item);
            Value v;
            std::string mask = s.DisplayMask();
            switch (s.What) {
                case SystemKind::PageNumber: v = static_cast<std::int64_t>(pageNumber_); break;
                case SystemKind::PageCount:
                    v = knownPages_ > 0 ? Value{static_cast<std::int64_t>(knownPages_)} : Value{std::string(kPageCountMark)};
                    break;
                case SystemKind::Date: v = DateValue{std::floor(opt_.now)}; if (mask.empty()) mask = "dd/mm/yyyy"; break;
                case SystemKind::Time: v = DateValue{opt_.now}; if (mask.empty()) mask = "hh:nn:ss"; break;
                case SystemKind::DateTime: v = DateValue{opt_.now}; if (mask.empty()) mask = "dd/mm/yyyy hh:nn:ss"; break;
            }
            text(s.Prefix + FormatValue(v, mask, opt_.formats));
            break;
        }
        case ItemKind::Shape: {
            auto& s = static_cast<const Shape&>(item);
            if (s.Form == ShapeKind::Rectangle)
                page_.elements.push_back(RectElement{x, y, s.Width, s.Height, s.PenWidth, s.Filled, 0});
            else if (s.Form == ShapeKind::HorizontalLine)
                page_.elements.push_back(LineElement{x, y + s.Height / 2, x + s.Width, y + s.Height / 2, s.PenWidth});
            else
                page_.elements.push_back(LineElement{x + s.Width / 2, y, x + s.Width / 2, y + s.Height, s.PenWidth});
            break;
        }
        case ItemKind::Image: {
            auto& img = static_cast<const Image&>(item);
            if (!img.PictureFile.empty())
                page_.elements.push_back(PictureElement{x, y, img.Width, img.Height, img.PictureFile});
            copyCanvas(img.Picture());
            break;
        }
        case ItemKind::Barcode: {
            auto& b = static_cast<const BarcodeItem&>(item);
            auto it = exprs_.find(&item);
            std::string data = it == exprs_.end() ? std::string() : ToText(it->second.Eval(*this));
            if (data.empty()) break;
            Canvas c;
            try {
                c.Barcode(0, 0, b.Width, b.Height, EncodeBarcode(b.Code, data), b.ShowText);
            } catch (const BarcodeError& err) {
                // One unreadable key must not stop the report: the box says what is wrong.
                c.Text(0, 0, b.Width, b.Height, err.what(), b.TextFont);
            }
            copyCanvas(c);
            break;
        }
    }
}

void Engine::ResetAfterPrint(const Band& band) {
    auto it = groupResets_.find(&band);
    if (it == groupResets_.end()) return;
    for (Expression* e : it->second) e->ResetAggregates();
}

void Engine::TakeSnapshot() {
    snapshot_.resize(slots_.size());
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        const Slot& s = slots_[i];
        snapshot_[i] = s.dataset->Active() ? s.dataset->Rows().Get(s.index) : Value{};
    }
}

std::vector<Value> Engine::GroupKeys() {
    std::vector<Value> keys;
    keys.reserve(groupKeys_.size());
    for (const Expression& e : groupKeys_) keys.push_back(e.Eval(*this));
    return keys;
}

void Engine::PrintFooters(std::size_t fromLevel) {
    useSnapshot_ = true;
    for (std::size_t i = rep_.Groups.size(); i-- > fromLevel;) PrintBand(rep_.Groups[i].footer);
    useSnapshot_ = false;
}

void Engine::RunSubDetails() {
    Dataset* main = rep_.MainDataset();
    for (std::size_t i = 0; i < rep_.SubDetails.size(); ++i) {
        SubDetailSection& s = rep_.SubDetails[i];
        Dataset* ds = rep_.FindDataset(s.dataset);
        std::vector<Value> keys;
        for (const FieldLink& link : ds->Links()) {
            int idx = main->Rows().FieldIndex(link.masterField);
            if (idx < 0) Fail(0, "no existe el campo maestro \"" + link.masterField + "\" en \"" + main->Name() + "\"");
            keys.push_back(main->Rows().Get(idx));
        }
        ds->OpenForMaster(keys);
        Cursor& rows = ds->Rows();
        rows.First();
        bool any = !rows.Eof();
        if (any || (s.header && s.header->PrintIfEmpty)) PrintBand(s.header);
        while (!rows.Eof()) {
            PrintBand(s.detail, [&] { for (Expression* e : subAggregates_[i]) e->Accumulate(*this); });
            rows.Next();
        }
        if (any || (s.footer && s.footer->PrintIfEmpty)) PrintBand(s.footer);
        for (Expression* e : subAggregates_[i]) e->ResetAggregates();
    }
}

RunResult Engine::Run() {
    RunResult result;
    continuous_ = rep_.Page.continuous || !rep_.PageMode;
    if (continuous_) knownPages_ = 1;
    Dataset* main = rep_.MainDataset();
    if (main) {
        if (!main->Active()) Fail(0, "el conjunto de datos \"" + main->Name() + "\" no está abierto");
        main->Rows().First();
        result.empty = main->Rows().Eof();
    }
    if (result.empty && !opt_.printIfEmpty) return result;

    OpenPage();
    if (main && !result.empty) {
        Cursor& rows = main->Rows();
        std::vector<Value> previous;
        bool first = true;
        auto accumulate = [&] { for (Expression* e : mainAggregates_) e->Accumulate(*this); };
        while (!rows.Eof()) {
            std::vector<Value> keys = GroupKeys();
            std::size_t level = 0;
            if (!first) {
                level = keys.size();
                for (std::size_t i = 0; i < keys.size(); ++i) {
                    const Value &a = keys[i], &b = previous[i];
                    bool same = (IsNumber(a) && IsNumber(b)) ? ToNumber(a) == ToNumber(b) : ToText(a) == ToText(b);
                    if (!same) { level = i; break; }
                }
                if (level < keys.size()) PrintFooters(level);
            }
            for (std::size_t i = level; i < rep_.Groups.size(); ++i) PrintBand(rep_.Groups[i].header);
            TakeSnapshot();
            PrintBand(rep_.Detail, accumulate);
            if (!rows.Eof()) RunSubDetails();
            previous = std::move(keys);
            first = false;
            rows.Next();
        }
        PrintFooters(0);
    }
    PrintBand(rep_.Summary);
    ClosePage();
    result.pages = pageNumber_;
    return result;
}

}  // namespace

RunResult RunReport(Report& report, const EngineOptions& options, PageSink& sink) {
    Engine engine(report, options);
    engine.Bind();
    const bool continuous = report.Page.continuous || !report.PageMode;
    if (!engine.UsesPageCount() || continuous) {
        engine.SetSink(sink);
        sink.BeginDocument(continuous ? 1 : 0);
        RunResult r = engine.Run();
        sink.EndDocument();
        return r;
    }
    // The count is shown: pages wait in the spool until the last one is known.
    PageSpool spool;
    engine.SetSink(spool);
    RunResult r = engine.Run();
    spool.Replay(sink);
    return r;
}

}  // namespace report
