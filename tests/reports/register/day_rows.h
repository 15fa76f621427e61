// Rows of the wide per-day tables for the register reports' tests, written by field name.
#pragma once

#include <map>
#include <string>

#include "platform/db/batch.h"

// A row of `def` with the named fields set and every other one null.
inline db::BatchWriter::Row Fila(const db::TableDef& def, const std::map<std::string, db::Value>& valores) {
    db::BatchWriter::Row r(def.fields.size());
    for (size_t i = 0; i < def.fields.size(); ++i)
        if (auto it = valores.find(def.fields[i].name); it != valores.end()) r[i] = it->second;
    return r;
}
