// The register reports' test data: rows of the wide per-day tables written by field name, and
// a generated day.
#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "host/razir/demo/generator.h"
#include "platform/2_db/batch.h"

// A row of `def` with the named fields set and every other one null.
inline db::BatchWriter::Row Fila(const db::TableDef& def, const std::map<std::string, db::Value>& valores) {
    db::BatchWriter::Row r(def.fields.size());
    for (size_t i = 0; i < def.fields.size(); ++i)
        if (auto it = valores.find(def.fields[i].name); it != valores.end()) r[i] = it->second;
    return r;
}

// One generated day of a store with two registers (01 prints on sheets, 02 on a 40-column
// roll) written into `datos`, which is emptied first.
inline razir::demo::Options GeneraDia(const std::filesystem::path& datos, text::TDateTime dia, bool porTienda = false) {
    razir::demo::Options o;
    o.stores = 1;
    o.registers = 2;
    o.products = 60;
    o.days = 1;
    o.from = dia;
    o.filesPerStore = porTienda;
    std::filesystem::remove_all(datos);
    razir::demo::Generate(o, datos);
    return o;
}
