// A small point-of-sale data folder for query tests: catalogue, users, movements and the
// day files of register 01 on 29 May 2002, written through BatchWriter.
#pragma once

#include <string>

#include "platform/2_db/batch.h"
#include "platform/2_db/names.h"
#include "platform/2_db/query.h"
#include "tests/platform/2_db/temp_folder.h"

namespace dbtest {

inline void WriteTable(const std::string& folder, const db::TableDef& def, const std::vector<db::BatchWriter::Row>& rows) {
    db::BatchWriter w(db::ResolveTableFile(folder, def.name), def);
    for (const auto& r : rows) w.Append(r);
    w.Commit();
}

class SalesFolder : public TempFolder {
public:
    SalesFolder() : TempFolder("RazirWin10") {
        using db::FieldType;
        using db::Value;
        WriteTable(Path(), {"CatInven", {{"Producto", FieldType::String, 16}, {"Descripcio", FieldType::String, 40},
                                         {"Linea", FieldType::String, 5}, {"PrecioP", FieldType::Float}},
                            {{"", {"Producto"}, true, true}}},
                   {{"P1", "Pan", "AB1", 10.0}, {"P2", "Leche", "ab1", 20.0}, {"P3", "Queso 50%", "AC2", 30.0}, {"P4", "Sal", "", 5.0}});
        WriteTable(Path(), {"Usuarios", {{"Usuario", FieldType::String, 3}, {"Nombre", FieldType::String, 20},
                                         {"TipoUsr", FieldType::String, 1}},
                            {{"", {"Usuario"}, true, true}}},
                   {{"001", "Ana", "C"}, {"015", "Beto", "A"}, {"020", "Dora", "D"}});
        WriteTable(Path(), {"MovProd", {{"Tienda", FieldType::String, 2}, {"Producto", FieldType::String, 16},
                                        {"Fecha", FieldType::DateTime}, {"TipoMov", FieldType::Integer},
                                        {"TipoProd", FieldType::String, 1}, {"Cantidad", FieldType::Float},
                                        {"MontoAcum", FieldType::Float}, {"Usuario", FieldType::String, 3}},
                            {{"XFECHA", {"Fecha"}}}},
                   {{"01", "P1", "2002-05-29 09:30:00", 1, "N", 2.0, 20.0, "001"},
                    {"01", "P2", "2002-05-29 13:00:00", 1, "N", 1.0, 20.0, "015"},
                    {"01", "P1", "2002-05-30 00:00:00", 1, "N", 3.0, 30.0, "001"},
                    {"02", "P3", "2002-05-31 18:15:00", 1, "K", 1.0, 30.0, "015"},
                    {"02", "P3", "2002-06-01 10:00:00", 2, "N", 5.0, 150.0, "001"}});
        WriteTable(Path(), {"V012905H.DB", {{"Nota", FieldType::String, 20}, {"Caja", FieldType::String, 2},
                                            {"Cajero", FieldType::String, 3}, {"Fecha", FieldType::DateTime},
                                            {"Status", FieldType::String, 1}, {"TotDoc", FieldType::Float},
                                            {"TotImp1", FieldType::Float}},
                            {{"", {"Nota"}, true, true}}},
                   {{"0001", "01", "001", "2002-05-29 09:30:00", "N", 100.0, 10.0},
                    {"0002", "01", "015", "2002-05-29 13:00:00", "N", 50.0, 5.0},
                    {"0003", "02", "001", "2002-05-29 18:00:00", "C", 70.0, 7.0}});
        WriteTable(Path(), {"D012905H.DB", {{"Nota", FieldType::String, 20}, {"Caja", FieldType::String, 2},
                                            {"Producto", FieldType::String, 16}, {"TotPartida", FieldType::Float},
                                            {"TotImp1", FieldType::Float}},
                            {}},
                   {{"0001", "01", "P1", 60.0, 6.0}, {"0001", "01", "P2", 40.0, 4.0}, {"0002", "01", "P1", 50.0, 5.0}});
    }
};

// The rows of an open dataset as "a,b;c,d", fields by AsString.
inline std::string Rows(db::TDataSet& ds) {
    std::string out;
    for (ds.First(); !ds.Eof(); ds.Next()) {
        if (!out.empty()) out += ";";
        for (int k = 0; k < ds.FieldCount(); ++k) out += (k ? "," : "") + ds.Fields(k).AsString();
    }
    return out;
}

}  // namespace dbtest
