// The windowed cursor under every table and query, fields by name, bookmarks, Locate, the
// filter switch and the edit states. Not here: what the rows are (table.cpp, query.cpp).
#include "platform/2_db/dataset.h"

#include <algorithm>

#include "platform/2_db/dataset_internal.h"
#include "platform/2_db/filter.h"
#include "platform/2_db/names.h"

namespace db {

using detail::kWindow;

TDataSet::TDataSet() : cur_(std::make_unique<detail::CursorState>()) {}

TDataSet::~TDataSet() {
    if (master_) master_->RemoveListener(this);
    for (TDataSet* l : listeners_) l->master_ = nullptr;
}

std::string TDataSet::DisplayName() const { return Name.empty() ? "el conjunto de datos" : Name; }

void TDataSet::AddListener(TDataSet* detail) {
    if (std::find(listeners_.begin(), listeners_.end(), detail) == listeners_.end())
        listeners_.push_back(detail);
}

void TDataSet::RemoveListener(TDataSet* detail) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), detail), listeners_.end());
}

void TDataSet::NotifyScroll() {
    if (AfterScroll) AfterScroll(*this);
    for (TDataSet* l : std::vector<TDataSet*>(listeners_)) l->MasterScrolled(*this);
}

void TDataSet::CheckActive() const {
    if (!Active()) throw EDatabaseError("No se puede realizar esta operación en " + DisplayName() + " cerrado");
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert) Post();
}

void TDataSet::SetFields(const std::vector<FieldDef>& defs) {
    defs_ = defs;
    fields_.clear();
    for (size_t k = 0; k < defs.size(); ++k)
        fields_.push_back(std::make_unique<TField>(*this, static_cast<int>(k), defs[k]));
}

std::vector<std::string> TDataSet::FieldNames() const {
    std::vector<std::string> out;
    for (const auto& f : fields_) out.push_back(f->FieldName());
    return out;
}

TField* TDataSet::FindField(const std::string& name) {
    const std::string folded = FoldName(name);
    for (auto& f : fields_)
        if (FoldName(f->FieldName()) == folded) return f.get();
    return nullptr;
}

TField& TDataSet::FieldByName(const std::string& name) {
    if (TField* f = FindField(name)) return *f;
    throw EDatabaseError(DisplayName() + ": no se encontró el campo '" + name + "'", ErrorKind::NotFound);
}

void TDataSet::BuildCursor() {
    SqlCondition cond;
    if (filtered_) cond = FilterToSql(filter_, defs_, FilterCaseInsensitive);
    // Built aside first: a bad filter or index leaves the cursor as it was.
    detail::CursorSql q;
    BuildCursorSql(q, cond.sql, cond.binds);
    cur_->Invalidate();
    cur_->q = std::move(q);
    cur_->columns = static_cast<int>(defs_.size());
}

void TDataSet::Open() {
    if (Active()) return;
    if (BeforeOpen) BeforeOpen(*this);
    OpenSource();
    try {
        BuildCursor();
    } catch (...) {
        cur_->Invalidate();
        cur_->conn.reset();
        CloseSource();
        throw;
    }
    state_ = TDataSetState::dsBrowse;
    pos_ = -1;
    eof_ = bof_ = true;
    if (LoadRow(0)) {
        pos_ = 0;
        eof_ = false;
    }
    if (AfterOpen) AfterOpen(*this);
    NotifyScroll();
}

void TDataSet::Close() {
    if (!Active()) return;
    pending_ = false;
    detached_.reset();
    cur_->Invalidate();
    cur_->conn.reset();
    CloseSource();
    state_ = TDataSetState::dsInactive;
    pos_ = -1;
    eof_ = bof_ = true;
    edit_.clear();
    NotifyScroll();
}

// Makes row p part of the window, reading through the live statement when it is ahead of
// the window and starting it again (at an offset, or from the top for queries) otherwise.
bool TDataSet::LoadRow(long p) {
    auto& c = *cur_;
    if (p < 0 || !c.conn) return false;
    if (p >= c.winStart && p < c.winStart + static_cast<long>(c.window.size())) return true;
    if (c.count >= 0 && p >= c.count) return false;

    long fillFrom = p;
    if (!(c.live.Valid() && !c.liveDone && p >= c.liveNext)) {
        // Going back, keep the rows before p in the window so that Prior stays cheap.
        const long start = (p < c.winStart) ? std::max(0L, p - kWindow + 1) : p;
        c.primed = false;
        if (c.q.offsetable) {
            c.live = detail::Statement(*c.conn, c.q.sql + " LIMIT -1 OFFSET ?");
            c.live.BindAll(c.q.binds);
            c.live.Bind(static_cast<int>(c.q.binds.size()) + 1, Value(static_cast<long long>(start)));
            c.liveNext = start;
        } else {
            if (!TakePrimed(c.live)) {
                c.live = detail::Statement(*c.conn, c.q.sql);
                c.live.BindAll(c.q.binds);
            } else {
                c.primed = true;
            }
            c.liveNext = 0;
        }
        c.liveDone = false;
        fillFrom = start;
    }
    while (c.liveNext < fillFrom && !c.liveDone) {
        if (!detail::StepLive(c)) c.liveDone = true;
        else ++c.liveNext;
    }
    c.window.clear();
    c.winStart = c.liveNext;
    while (!c.liveDone && static_cast<long>(c.window.size()) < kWindow) {
        if (!detail::StepLive(c)) {
            c.liveDone = true;
            break;
        }
        detail::Row row;
        row.values.reserve(static_cast<size_t>(c.columns));
        for (int k = 0; k < c.columns; ++k) row.values.push_back(c.live.Column(k));
        if (c.q.hasRowid) row.rowid = c.live.Column(c.columns).ToInteger();
        c.window.push_back(std::move(row));
        ++c.liveNext;
    }
    if (c.liveDone) {
        // Reading is over: let go of the statement so the file's shared lock goes with it.
        c.live = detail::Statement();
        c.count = c.liveNext;
    }
    return p >= c.winStart && p < c.winStart + static_cast<long>(c.window.size());
}

bool TDataSet::TakePrimed(detail::Statement&) { return false; }

void TDataSet::ResolvePending() {
    if (!pending_) return;
    pending_ = false;
    const long p = PositionOfRowid(detached_->rowid);
    detached_.reset();
    eof_ = bof_ = false;
    if (p >= 0 && LoadRow(p)) {
        pos_ = p;
        return;
    }
    GotoPosition(0);
}

long TDataSet::RecNo() const {
    const_cast<TDataSet*>(this)->ResolvePending();
    return pos_ + 1;
}

bool TDataSet::FetchRowid(std::int64_t, detail::Row&) { return false; }

const detail::Row* TDataSet::CurrentRow() {
    if (pending_) return detached_.get();
    if (pos_ < 0 || !LoadRow(pos_)) return nullptr;
    return &cur_->window[static_cast<size_t>(pos_ - cur_->winStart)];
}

Value TDataSet::FieldValue(int index) {
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert)
        return edit_.at(static_cast<size_t>(index));
    const detail::Row* r = CurrentRow();
    if (!r) return Value();
    return r->values.at(static_cast<size_t>(index));
}

void TDataSet::SetFieldValue(int index, const Value& v) {
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
        throw EDatabaseError(DisplayName() + " no está en modo de edición o inserción");
    edit_.at(static_cast<size_t>(index)) = v;
}

void TDataSet::MoveTo(long p) {
    pending_ = false;
    detached_.reset();
    pos_ = p;
    NotifyScroll();
}

void TDataSet::First() {
    CheckBrowseMode();
    bof_ = true;
    if (LoadRow(0)) {
        eof_ = false;
        MoveTo(0);
    } else {
        eof_ = true;
        MoveTo(-1);
    }
}

void TDataSet::Next() {
    CheckBrowseMode();
    ResolvePending();
    if (eof_) return;
    if (LoadRow(pos_ + 1)) {
        bof_ = false;
        MoveTo(pos_ + 1);
    } else {
        eof_ = true;
    }
}

void TDataSet::Prior() {
    CheckBrowseMode();
    ResolvePending();
    if (bof_) return;
    if (pos_ > 0 && LoadRow(pos_ - 1)) {
        eof_ = false;
        MoveTo(pos_ - 1);
    } else {
        bof_ = true;
    }
}

void TDataSet::Last() {
    CheckBrowseMode();
    const long n = RecordCount();
    eof_ = true;
    if (n > 0 && LoadRow(n - 1)) {
        bof_ = false;
        MoveTo(n - 1);
    } else {
        bof_ = true;
        MoveTo(-1);
    }
}

int TDataSet::MoveBy(int distance) {
    CheckBrowseMode();
    ResolvePending();
    if (distance == 0 || pos_ < 0) return 0;
    long target = pos_ + distance;
    if (target < 0) {
        const int moved = static_cast<int>(-pos_);
        bof_ = true;
        eof_ = false;
        LoadRow(0);
        MoveTo(0);
        return moved;
    }
    if (LoadRow(target)) {
        eof_ = bof_ = false;
        const int moved = distance;
        MoveTo(target);
        return moved;
    }
    const long n = RecordCount();
    const int moved = static_cast<int>(n - 1 - pos_);
    eof_ = true;
    bof_ = false;
    LoadRow(n - 1);
    MoveTo(n - 1);
    return moved;
}

bool TDataSet::IsEmpty() {
    CheckActive();
    if (state_ == TDataSetState::dsInsert) return false;
    return !LoadRow(0);
}

long TDataSet::RecordCount() {
    CheckActive();
    auto& c = *cur_;
    if (c.count < 0) {
        detail::Statement st(*c.conn, c.q.countSql);
        st.BindAll(c.q.binds);
        c.count = st.Step() ? static_cast<long>(st.Column(0).ToInteger()) : 0;
    }
    return c.count;
}

void TDataSet::GotoPosition(long pos) {
    pending_ = false;
    detached_.reset();
    eof_ = bof_ = false;
    if (pos < 0) pos = 0;
    if (!LoadRow(pos)) {
        const long n = RecordCount();
        if (n == 0) {
            eof_ = bof_ = true;
            MoveTo(-1);
            return;
        }
        pos = n - 1;
        LoadRow(pos);
    }
    MoveTo(pos);
}

void TDataSet::Reopen(long pos) {
    if (!Active()) return;
    BuildCursor();
    GotoPosition(pos);
}

TBookmark TDataSet::GetBookmark() {
    CheckActive();
    TBookmark b;
    const detail::Row* r = CurrentRow();
    if (!r) return b;
    b.valid = true;
    if (!cur_->q.hasRowid) b.position = RecNo() - 1;
    b.rowid = r->rowid;
    return b;
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
    CheckBrowseMode();
    if (!bookmark.valid) return;
    long pos = bookmark.position;
    if (cur_->q.hasRowid) {
        pos = PositionOfRowid(bookmark.rowid);
        if (pos < 0 || !LoadRow(pos) || cur_->window[static_cast<size_t>(pos - cur_->winStart)].rowid != bookmark.rowid)
            throw EDatabaseError("No se encontró el registro marcado en " + DisplayName(), ErrorKind::NotFound);
    }
    GotoPosition(pos);
}

long TDataSet::PositionOfRowid(std::int64_t) { return -1; }

namespace {

std::vector<std::string> SplitFields(const std::string& text) {
    std::vector<std::string> out;
    std::string cur;
    for (char ch : text) {
        if (ch == ';' || ch == ',') {
            out.push_back(cur);
            cur.clear();
        } else {
            cur += ch;
        }
    }
    out.push_back(cur);
    for (auto& s : out) {
        s.erase(0, s.find_first_not_of(' '));
        s.erase(s.find_last_not_of(' ') + 1);
    }
    out.erase(std::remove(out.begin(), out.end(), std::string()), out.end());
    return out;
}

bool Matches(const Value& have, const Value& want, TLocateOptions o) {
    if (want.IsNull()) return have.IsNull();
    if (have.IsNull()) return false;
    if (want.kind == Value::Kind::Text || have.kind == Value::Kind::Text) {
        std::string a = have.ToString(), b = want.ToString();
        if (o.caseInsensitive) {
            a = FoldName(a);
            b = FoldName(b);
        }
        return o.partialKey ? a.compare(0, b.size(), b) == 0 : a == b;
    }
    return have.ToFloat() == want.ToFloat();
}

}  // namespace

bool TDataSet::Locate(const std::string& fields, const std::vector<Value>& values, TLocateOptions options) {
    CheckBrowseMode();
    const auto names = SplitFields(fields);
    if (names.size() != values.size())
        throw EDatabaseError("Locate: el número de campos y de valores no coincide en " + DisplayName());
    std::vector<int> idx;
    for (const auto& n : names) idx.push_back(FieldByName(n).Index());
    // A scan through the windows: the same code serves tables and queries, and Locate is
    // used on the small lookup tables of the dialogs.
    for (long p = 0; LoadRow(p); ++p) {
        const auto& row = cur_->window[static_cast<size_t>(p - cur_->winStart)];
        bool ok = true;
        for (size_t k = 0; k < idx.size() && ok; ++k)
            ok = Matches(row.values[static_cast<size_t>(idx[k])], values[k], options);
        if (ok) {
            eof_ = bof_ = false;
            MoveTo(p);
            return true;
        }
    }
    return false;
}

void TDataSet::SetFilter(const std::string& filter) {
    const std::string old = filter_;
    filter_ = filter;
    try {
        if (Active() && filtered_) Reopen(0);
    } catch (...) {
        filter_ = old;  // the records stay as the old filter showed them
        throw;
    }
}

void TDataSet::SetFiltered(bool on) {
    if (on == filtered_) return;
    filtered_ = on;
    try {
        if (Active()) Reopen(0);
    } catch (...) {
        filtered_ = !on;
        throw;
    }
}

void TDataSet::Refresh() {
    CheckBrowseMode();
    ResolvePending();
    const detail::Row* r = CurrentRow();
    const std::int64_t rowid = r ? r->rowid : 0;
    const long pos = pos_;
    BuildCursor();
    long target = pos;
    if (r && cur_->q.hasRowid) {
        const long p = PositionOfRowid(rowid);
        if (p >= 0) target = p;
    }
    GotoPosition(target);
}

void TDataSet::Edit() {
    CheckActive();
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert) return;
    const detail::Row* r = CurrentRow();
    if (!r) {
        Insert();
        return;
    }
    edit_ = r->values;
    editRowid_ = r->rowid;
    state_ = TDataSetState::dsEdit;
}

void TDataSet::Insert() {
    CheckBrowseMode();
    edit_.assign(defs_.size(), Value());
    editRowid_ = 0;
    state_ = TDataSetState::dsInsert;
}

void TDataSet::Append() { Insert(); }

void TDataSet::Post() {
    CheckActive();
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert) return;
    if (BeforePost) BeforePost(*this);
    std::int64_t rowid = editRowid_;
    if (state_ == TDataSetState::dsInsert)
        rowid = InsertRecord(edit_);
    else
        UpdateRecord(editRowid_, edit_);
    state_ = TDataSetState::dsBrowse;
    edit_.clear();
    BuildCursor();
    auto row = std::make_unique<detail::Row>();
    if (FetchRowid(rowid, *row)) {
        detached_ = std::move(row);
        pending_ = true;
        eof_ = bof_ = false;
        NotifyScroll();
    } else {
        const long p = PositionOfRowid(rowid);
        GotoPosition(p < 0 ? 0 : p);
    }
    if (AfterPost) AfterPost(*this);
}

void TDataSet::Cancel() {
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert) {
        state_ = TDataSetState::dsBrowse;
        edit_.clear();
    }
}

void TDataSet::Delete() {
    CheckActive();
    if (state_ == TDataSetState::dsInsert) {
        Cancel();
        return;
    }
    Cancel();
    ResolvePending();
    const detail::Row* r = CurrentRow();
    if (!r) throw EDatabaseError("No hay registro que borrar en " + DisplayName());
    const long pos = pos_;
    DeleteRecord(r->rowid);
    BuildCursor();
    GotoPosition(pos);
}

std::int64_t TDataSet::InsertRecord(const std::vector<Value>&) {
    throw EDatabaseError(DisplayName() + " no se puede modificar");
}
void TDataSet::UpdateRecord(std::int64_t, const std::vector<Value>&) {
    throw EDatabaseError(DisplayName() + " no se puede modificar");
}
void TDataSet::DeleteRecord(std::int64_t) { throw EDatabaseError(DisplayName() + " no se puede modificar"); }

}  // namespace db
