// A dataset of a loaded report: the query or table a layout declares, with the properties the
// dialogs' handlers set before it opens (database and session name, SQL lines, parameters,
// table and index name) and the live cursor the engine reads once it is open. Concrete
// datasets come from a DatasetFactory: the one over platform/2_db, or in-memory tables.
// Not here: how rows are laid out (engine.h).
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/3_report/component.h"
#include "platform/3_report/cursor.h"

namespace report {

// A dataset failed to open: its message is the database's own, prefixed with the dataset name.
class DatasetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class ParamType { String, Integer, Float, Date, Boolean };

struct Param {
    std::string name;
    ParamType type = ParamType::String;
    Value value;  // null until set
    bool bound = false;

    void SetValue(Value v) { value = std::move(v); bound = true; }
    void SetString(std::string s) { SetValue(std::move(s)); }
};

// Parameters of a query, found by name ignoring case. A name the query lacks gives nullptr,
// so a handler that fills parameters of several layouts skips what a layout does not declare.
class Params {
public:
    Param* FindParam(std::string_view name);
    const Param* FindParam(std::string_view name) const;
    // Sets the parameter if the query has it; false when it does not.
    bool Set(std::string_view name, Value value);
    void Add(Param p) { list_.push_back(std::move(p)); }
    std::size_t Count() const { return list_.size(); }
    Param& operator[](std::size_t i) { return list_[i]; }
    const Param& operator[](std::size_t i) const { return list_[i]; }
    auto begin() { return list_.begin(); }
    auto end() { return list_.end(); }
    auto begin() const { return list_.begin(); }
    auto end() const { return list_.end(); }

private:
    std::vector<Param> list_;
};

enum class DatasetKind { Query, Table };

// Detail field = master field: a detail dataset shows the rows whose detail field equals the
// master's current value.
struct FieldLink {
    std::string detailField;
    std::string masterField;
};

// What a layout declares about a dataset; the factory builds the live dataset from it.
struct DatasetDef {
    std::string name;
    DatasetKind kind = DatasetKind::Query;
    std::string databaseName, sessionName;
    std::vector<std::string> sql;     // queries: one entry per line
    std::vector<Param> params;        // queries: declared parameters, unset
    std::string tableName, indexName; // tables
    std::string master;               // name of the master dataset, empty for none
    std::vector<FieldLink> links;
    int line = 0;                     // line of the layout that declared it
};

class Dataset : public Component {
public:
    explicit Dataset(const DatasetDef& def);

    DatasetKind Kind() const { return kind_; }
    // Properties a handler may change before the dataset opens.
    std::string DatabaseName, SessionName, TableName, IndexName;
    std::vector<std::string> SQL;
    Params& Parameters() { return params_; }
    const Params& Parameters() const { return params_; }
    Param* ParamByName(std::string_view name) { return params_.FindParam(name); }
    std::string SqlText() const;  // the lines joined with line feeds

    const std::string& MasterName() const { return master_; }
    const std::vector<FieldLink>& Links() const { return links_; }

    // Opens with the current properties; a failure raises DatasetError carrying the database's
    // message. Opening an open dataset re-opens it.
    void Open();
    void Close();
    bool Active() const { return active_; }
    // Re-opens a detail on the rows matching the master's current row; no events are raised.
    void OpenForMaster(const std::vector<Value>& masterValues);

    // The live cursor, stable for the life of the dataset; valid while the dataset is open.
    virtual Cursor& Rows() = 0;

    // Called by the printer dialog before it raises a dataset's events, so a dataset that
    // wraps another object (a db::TQuery) can show that object's current properties.
    virtual void PrepareForEvents() {}

protected:
    virtual void DoOpen() = 0;
    virtual void DoClose() = 0;
    // Default: keep the rows whose link fields equal the master values.
    virtual void DoOpenForMaster(const std::vector<Value>& masterValues) = 0;

private:
    DatasetKind kind_;
    Params params_;
    std::string master_;
    std::vector<FieldLink> links_;
    bool active_ = false;
};

// Builds the live dataset for a layout declaration. A factory may refuse a declaration it
// cannot serve by throwing DatasetError.
class DatasetFactory {
public:
    virtual ~DatasetFactory() = default;
    virtual std::unique_ptr<Dataset> Create(const DatasetDef& def) = 0;
};

}  // namespace report
