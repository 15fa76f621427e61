// The cursor common to tables and queries: open and close, moving over records, fields,
// bookmarks, Locate, filters in the old engine's expression syntax, and the edit states.
// Records are read through a live SQLite statement in windows, never all at once, so a
// dataset over millions of rows costs a window of memory. While a dataset stands part way
// through a table larger than one window, its statement keeps SQLite's shared lock on the
// file, so a writer elsewhere waits (LockWaitMs) until it reads on to the end or closes.
//
// States: dsInactive --Open--> dsBrowse --Edit--> dsEdit --Post/Cancel--> dsBrowse
//                               dsBrowse --Insert/Append--> dsInsert --Post/Cancel--> dsBrowse
// Moving while editing posts first, as the old engine did.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/2_db/error.h"
#include "platform/2_db/field.h"
#include "platform/2_db/value.h"

namespace db {

namespace detail {
class Statement;
struct CursorState;
struct Row;
struct CursorSql;
}  // namespace detail

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

struct TLocateOptions {
    bool caseInsensitive = false;  // loCaseInsensitive
    bool partialKey = false;       // loPartialKey: the value is a prefix
};

struct TBookmark {
    bool valid = false;
    std::int64_t rowid = 0;  // tables
    long position = -1;      // queries
};

class TDataSet;

// Links a detail query to its master dataset.
class TDataSource {
public:
    explicit TDataSource(TDataSet* dataSet = nullptr) : DataSet(dataSet) {}
    TDataSet* DataSet;
};

class TDataSet {
public:
    TDataSet();
    virtual ~TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    std::string Name;          // component name, for messages
    std::string DatabaseName;  // alias, database name or folder
    std::string SessionName = "SessionRazirWindows";
    // How long an open, a read or a write waits for another's lock before it reports the
    // table in use. An exclusive open of a table waits at most half a second.
    int LockWaitMs = 3000;

    void Open();
    void Close();
    bool Active() const { return state_ != TDataSetState::dsInactive; }
    void SetActive(bool on) { on ? Open() : Close(); }
    TDataSetState State() const { return state_; }

    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);  // returns how far it moved
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    bool IsEmpty();
    long RecordCount();  // counts in SQL, under the filter and range
    long RecNo() const;  // 1-based; 0 when empty

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField& Fields(int i) { return *fields_.at(static_cast<size_t>(i)); }
    TField& FieldByName(const std::string& name);  // raises naming the field
    TField* FindField(const std::string& name);
    std::vector<std::string> FieldNames() const;

    TBookmark GetBookmark();
    void GotoBookmark(const TBookmark& bookmark);
    // Moves to the first record whose fields ("A;B") equal the values; false leaves the
    // cursor where it was.
    bool Locate(const std::string& fields, const std::vector<Value>& values, TLocateOptions options = {});

    // Filter text in the old engine's syntax ("Tienda = 01", "(Caja = '01') And (Status = 'N')").
    // Applied while Filtered is true; a malformed filter raises when it is applied.
    void SetFilter(const std::string& filter);
    const std::string& Filter() const { return filter_; }
    void SetFiltered(bool on);
    bool Filtered() const { return filtered_; }
    bool FilterCaseInsensitive = false;  // foCaseInsensitive
    void Refresh();  // reads again, keeping the current record when it still exists

    virtual void Edit();
    virtual void Insert();
    virtual void Append();
    virtual void Post();
    virtual void Cancel();
    virtual void Delete();

    std::function<void(TDataSet&)> BeforeOpen, AfterOpen, AfterScroll, BeforePost, AfterPost;

    // Detail datasets that follow this one's moves (master-detail); not for general use.
    void AddListener(TDataSet* detail);
    void RemoveListener(TDataSet* detail);

    // Field access for TField; not for general use.
    Value FieldValue(int index);
    void SetFieldValue(int index, const Value& v);

protected:
    // A subclass describes its rows: the SQL that yields them (columns first, then the rowid
    // as the last column when hasRowid), in order, and the fields.
    virtual void OpenSource() = 0;   // connection, fields
    virtual void CloseSource() = 0;
    virtual void BuildCursorSql(detail::CursorSql& out, const std::string& filterSql,
                                const std::vector<Value>& filterBinds) = 0;
    virtual std::int64_t InsertRecord(const std::vector<Value>& row);
    virtual void UpdateRecord(std::int64_t rowid, const std::vector<Value>& row);
    virtual void DeleteRecord(std::int64_t rowid);
    // Position under the current order of the record `rowid`; -1 when unknown.
    virtual long PositionOfRowid(std::int64_t rowid);
    // The record `rowid` itself, read without placing it in the order; false when unknown.
    virtual bool FetchRowid(std::int64_t rowid, detail::Row& out);
    virtual void MasterScrolled(TDataSet&) {}
    // A query hands over the statement it already stepped once to learn its columns, so
    // opening does not run it twice; the statement stands on the first row.
    virtual bool TakePrimed(detail::Statement& out);

    void SetFields(const std::vector<FieldDef>& defs);
    void CheckActive() const;
    void CheckBrowseMode();
    // Re-reads after a change of order, range or filter and moves to position `pos`.
    void Reopen(long pos);
    void GotoPosition(long pos);
    void NotifyScroll();
    detail::CursorState& Cursor() { return *cur_; }
    std::string DisplayName() const;
    TDataSet* master_ = nullptr;  // set by a detail that listens to this dataset's moves

private:
    bool LoadRow(long p);
    // After a post the new record is current before its place in the order is known; the
    // place is counted only when a move needs it, so a loop of Append and Post stays linear.
    void ResolvePending();
    const detail::Row* CurrentRow();
    void BuildCursor();
    void MoveTo(long p);

    std::unique_ptr<detail::CursorState> cur_;
    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<FieldDef> defs_;
    std::vector<Value> edit_;
    std::int64_t editRowid_ = 0;
    TDataSetState state_ = TDataSetState::dsInactive;
    long pos_ = -1;
    bool pending_ = false;
    std::unique_ptr<detail::Row> detached_;  // the posted record while pending_
    bool eof_ = true, bof_ = true;
    std::string filter_;
    bool filtered_ = false;
    std::vector<TDataSet*> listeners_;
};

}  // namespace db
