// Layout datasets over db::TQuery and db::TTable.
#include "platform/4_adapters/report/db_dataset.h"

#include "platform/2_db/error.h"
#include "platform/3_report/names.h"

namespace report {
namespace {

db::Value ToDb(const Value& v, ParamType type) {
    struct Visitor {
        ParamType type;
        db::Value operator()(std::monostate) const { return {}; }
        db::Value operator()(const std::string& s) const { return db::Value(s); }
        db::Value operator()(std::int64_t i) const { return db::Value(static_cast<long long>(i)); }
        db::Value operator()(double d) const { return db::Value(d); }
        db::Value operator()(DateValue d) const {
            return type == ParamType::Date ? db::Value::Date(d.days) : db::Value::DateTime(d.days);
        }
    };
    return std::visit(Visitor{type}, v);
}

void SetParam(db::TParam& p, const Value& v, ParamType type) {
    if (auto* d = std::get_if<DateValue>(&v)) {
        if (type == ParamType::Date || d->days == static_cast<double>(static_cast<long long>(d->days))) p.SetAsDate(d->days);
        else p.SetAsDateTime(d->days);
        return;
    }
    switch (type) {
        case ParamType::Integer: p.SetAsInteger(static_cast<long long>(ToNumber(v))); break;
        case ParamType::Float: p.SetAsFloat(ToNumber(v)); break;
        case ParamType::Boolean: p.SetAsBoolean(ToBool(v)); break;
        default:
            if (IsNumber(v) && type != ParamType::String) p.SetValue(ToDb(v, type));
            else p.SetAsString(ToText(v));
    }
}

}  // namespace

std::string DbCursor::FieldName(int index) const { return ds_.Fields(index).FieldName(); }

int DbCursor::FieldIndex(std::string_view name) const {
    for (int i = 0; i < ds_.FieldCount(); ++i)
        if (SameName(ds_.Fields(i).FieldName(), name)) return i;
    return -1;
}

Value DbCursor::Get(int index) const {
    if (ds_.Eof() && ds_.Bof()) return {};
    db::TField& f = ds_.Fields(index);
    if (f.IsNull()) return {};
    switch (f.DataType()) {
        case db::FieldType::SmallInt:
        case db::FieldType::Integer:
        case db::FieldType::AutoInc:
        case db::FieldType::Boolean:
            return static_cast<std::int64_t>(f.AsInteger());
        case db::FieldType::Float:
        case db::FieldType::Currency:
            return f.AsFloat();
        case db::FieldType::Date:
        case db::FieldType::Time:
        case db::FieldType::DateTime:
            return DateValue{f.AsDateTime()};
        default:
            return f.AsString();
    }
}

bool DbCursor::DisplayText(int index, std::string& text) const {
    db::TField& f = ds_.Fields(index);
    if (!f.OnGetText) return false;
    text = f.DisplayText();
    return true;
}

struct DbDataset::Seen {
    std::string databaseName, sessionName, tableName, indexName;
    std::vector<std::string> sql;
    std::vector<Value> params;
};

DbDataset::DbDataset(const DatasetDef& def)
    : Dataset(def),
      native_(def.kind == DatasetKind::Query ? std::unique_ptr<db::TDataSet>(new db::TQuery)
                                             : std::unique_ptr<db::TDataSet>(new db::TTable)),
      cursor_(*native_) {
    native_->Name = def.name;
    native_->DatabaseName = def.databaseName;
    if (!def.sessionName.empty()) native_->SessionName = def.sessionName;
    if (def.kind == DatasetKind::Query) {
        query_ = static_cast<db::TQuery*>(native_.get());
        query_->SQL.Assign(def.sql);
        for (const Param& p : def.params) {
            query_->Params.Ensure({p.name});
            if (p.bound) SetParam(query_->ParamByName(p.name), p.value, p.type);
        }
    } else {
        table_ = static_cast<db::TTable*>(native_.get());
        table_->TableName = def.tableName;
        if (!def.indexName.empty()) table_->SetIndexName(def.indexName);
    }
}

DbDataset::~DbDataset() = default;

void DbDataset::PrepareForEvents() {
    seen_ = std::make_unique<Seen>();
    DatabaseName = seen_->databaseName = native_->DatabaseName;
    SessionName = seen_->sessionName = native_->SessionName;
    if (query_) {
        SQL.clear();
        for (int i = 0; i < query_->SQL.Count(); ++i) SQL.push_back(query_->SQL[i]);
        seen_->sql = SQL;
        for (int i = 0; i < query_->Params.Count(); ++i) {
            db::TParam& dp = query_->Params.Items(i);
            if (!Parameters().FindParam(dp.Name())) Parameters().Add(Param{dp.Name(), ParamType::String, {}, false});
        }
    }
    if (table_) {
        TableName = seen_->tableName = table_->TableName;
        IndexName = seen_->indexName = table_->IndexName();
    }
    for (const Param& p : Parameters()) seen_->params.push_back(p.bound ? p.value : Value{});
}

void DbDataset::PushChanges() {
    Seen none;
    const Seen& seen = seen_ ? *seen_ : none;
    if (!seen_ || DatabaseName != seen.databaseName) native_->DatabaseName = DatabaseName;
    if ((!seen_ || SessionName != seen.sessionName) && !SessionName.empty()) native_->SessionName = SessionName;
    if (query_) {
        if (!seen_ || SQL != seen.sql) query_->SQL.Assign(SQL);
        std::size_t k = 0;
        for (const Param& p : Parameters()) {
            bool changed = !seen_ || k >= seen.params.size() || !(seen.params[k] == p.value);
            ++k;
            if (!p.bound || !changed) continue;
            db::TParam* dp = query_->Params.FindParam(p.name);
            if (dp) SetParam(*dp, p.value, p.type);
        }
    }
    if (table_) {
        if (!seen_ || TableName != seen.tableName) table_->TableName = TableName;
        if ((!seen_ || IndexName != seen.indexName) && !IndexName.empty()) table_->SetIndexName(IndexName);
    }
    seen_.reset();
}

void DbDataset::OpenNative() {
    try {
        if (native_->Active()) native_->Close();
        native_->Open();
    } catch (const db::EDatabaseError& e) {
        throw DatasetError(Name() + ": " + e.what());
    }
}

void DbDataset::DoOpen() {
    PushChanges();
    OpenNative();
}

void DbDataset::DoClose() { native_->Close(); }

void DbDataset::DoOpenForMaster(const std::vector<Value>& masterValues) {
    if (seen_) PushChanges();
    try {
        if (query_) {
            // The link's detail field names the parameter that takes the master's value.
            for (std::size_t i = 0; i < Links().size() && i < masterValues.size(); ++i) {
                db::TParam* p = query_->Params.FindParam(Links()[i].detailField);
                if (!p) p = query_->Params.FindParam(Links()[i].masterField);
                if (!p) throw DatasetError(Name() + ": no existe el parámetro \"" + Links()[i].detailField + "\"");
                SetParam(*p, masterValues[i], ParamType::String);
                if (IsNumber(masterValues[i])) p->SetValue(ToDb(masterValues[i], ParamType::Float));
            }
            OpenNative();
        } else {
            if (!native_->Active()) OpenNative();
            std::string fields;
            std::vector<db::Value> key;
            for (std::size_t i = 0; i < Links().size() && i < masterValues.size(); ++i) {
                if (!fields.empty()) fields += ';';
                fields += Links()[i].detailField;
                key.push_back(ToDb(masterValues[i], ParamType::String));
            }
            if (table_->IndexFieldNames() != fields) table_->SetIndexFieldNames(fields);
            table_->SetRange(key, key);
        }
    } catch (const db::EDatabaseError& e) {
        throw DatasetError(Name() + ": " + e.what());
    }
}

db::TQuery* AsQuery(Dataset& ds) {
    auto* d = dynamic_cast<DbDataset*>(&ds);
    return d ? d->Query() : nullptr;
}

db::TTable* AsTable(Dataset& ds) {
    auto* d = dynamic_cast<DbDataset*>(&ds);
    return d ? d->Table() : nullptr;
}

}  // namespace report
