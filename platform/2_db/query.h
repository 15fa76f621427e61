// A query over the table files of a database, in the old local-SQL dialect: SQL as a list
// of lines, named parameters that keep their values while the text changes, a master data
// source for master-detail, Open for rows and ExecSQL for changes.
// Not here: the dialect itself (translate.h) or the cursor (dataset.h).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/2_db/dataset.h"

namespace db {

// The lines of a query's SQL; every change closes the query and re-reads parameter names.
class TSqlLines {
public:
    void Add(const std::string& line);
    void Insert(int index, const std::string& line);  // index == Count() appends
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(lines_.size()); }
    const std::string& Strings(int index) const;
    const std::string& operator[](int index) const { return Strings(index); }
    void SetStrings(int index, const std::string& line);  // replaces one line
    std::string Text() const;  // lines joined by "\n"
    void SetText(const std::string& text);
    void Assign(const std::vector<std::string>& lines);

    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange) OnChange();
    }
    std::vector<std::string> lines_;
};

class TQuery : public TDataSet {
public:
    TQuery();
    ~TQuery() override;

    TSqlLines SQL;
    TParams Params;
    TDataSource* DataSource = nullptr;  // master: fills parameters that have no value

    TParam& ParamByName(const std::string& name) { return Params.ParamByName(name); }
    int ParamCount() const { return const_cast<TParams&>(Params).Count(); }
    // Runs a statement that returns no rows (INSERT, UPDATE, DELETE); returns rows changed.
    long ExecSQL();
    // The SQLite text the last Open or ExecSQL ran, for messages and tests.
    const std::string& TranslatedSql() const { return translated_; }

protected:
    void OpenSource() override;
    void CloseSource() override;
    void BuildCursorSql(detail::CursorSql& out, const std::string& filterSql,
                        const std::vector<Value>& filterBinds) override;
    void MasterScrolled(TDataSet& master) override;
    bool TakePrimed(detail::Statement& out) override;

private:
    void Prepare();     // attaches the files, translates, binds values
    void BindParams();  // values for the parameters, from themselves or the master
    std::string translated_;
    std::vector<Value> binds_;
    std::vector<std::string> paramNames_;                 // of ?1, ?2, ...
    std::vector<std::optional<FieldType>> paramColumns_;  // the column each one meets
    std::unique_ptr<detail::Statement> primed_;  // stepped once by OpenSource
};

}  // namespace db
