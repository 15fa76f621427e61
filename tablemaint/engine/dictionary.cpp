// Reads and writes the two dictionary tables and maps their records to table definitions.
// The dictionary files are ordinary table files of the data layer (one SQLite table each).
#include "tablemaint/engine/dictionary.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>

#include "platform/2_db/table.h"
#include "tablemaint/engine/table_file.h"

namespace tablemaint {
namespace {

// Reads every record of one dictionary table through the data layer.
bool ReadAll(const std::string& path, const char* what, const std::function<void(db::TTable&)>& row,
             std::string* error) {
    const std::string file = ResolvePath(path);
    if (!FileExists(file)) {
        if (error) *error = std::string("no existe el diccionario de ") + what + " " + path;
        return false;
    }
    try {
        db::TTable t;
        t.TableName = file;
        t.ReadOnly = true;
        t.Open();
        for (t.First(); !t.Eof(); t.Next()) row(t);
        t.Close();
        return true;
    } catch (const std::exception& e) {
        if (error) *error = std::string("no se puede leer el diccionario de ") + what + " " + path + ": " + e.what();
        return false;
    }
}

// Fields by name, so a dictionary file made elsewhere may order or omit fields.
std::string Col(db::TTable& t, const char* name) {
    db::TField* f = t.FindField(name);
    return f ? f->AsString() : std::string();
}

int ColInt(db::TTable& t, const char* name) {
    db::TField* f = t.FindField(name);
    return f ? int(f->AsInteger()) : 0;
}

bool Truthy(const std::string& v) {
    const std::string u = Upper(v);
    return u == "1" || u == "T" || u == "TRUE" || u == "S";
}

std::vector<std::vector<std::string>> ReadCsv(std::istream& in) {
    std::vector<std::vector<std::string>> rows;
    std::string line;
    bool heading = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (heading) {
            heading = false;
            continue;
        }
        std::vector<std::string> fields(1);
        bool quoted = false;
        for (size_t i = 0; i < line.size(); ++i) {
            char c = line[i];
            if (quoted) {
                if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') fields.back() += '"', ++i;
                else if (c == '"') quoted = false;
                else fields.back() += c;
            } else if (c == '"') {
                quoted = true;
            } else if (c == ',') {
                fields.emplace_back();
            } else {
                fields.back() += c;
            }
        }
        rows.push_back(std::move(fields));
    }
    return rows;
}

void Sort(Diccionario& d) {
    std::stable_sort(d.tablas.begin(), d.tablas.end(),
                     [](const auto& a, const auto& b) { return a.Numero < b.Numero; });
    std::stable_sort(d.campos.begin(), d.campos.end(), [](const auto& a, const auto& b) {
        return a.Numero != b.Numero ? a.Numero < b.Numero : a.Identif < b.Identif;
    });
}

}  // namespace

const RegistroTabla* Diccionario::TablaPorNombre(const std::string& nombre) const {
    for (const auto& t : tablas)
        if (t.Nombre == nombre) return &t;
    return nullptr;
}

const RegistroTabla* Diccionario::TablaPorNumero(int numero) const {
    for (const auto& t : tablas)
        if (t.Numero == numero) return &t;
    return nullptr;
}

const RegistroCampo* Diccionario::CampoPorIdentif(int identif) const {
    for (const auto& c : campos)
        if (c.Identif == identif) return &c;
    return nullptr;
}

std::vector<const RegistroCampo*> Diccionario::Registros(int numero, const char* tipoReg) const {
    std::vector<const RegistroCampo*> out;
    for (const auto& c : campos)
        if (c.Numero == numero && c.TipoReg == tipoReg) out.push_back(&c);
    return out;
}

std::string NombreArchivo(const RegistroTabla& t) {
    return t.Tipo == "ttParadox" ? t.Nombre + ".db" : t.Nombre;
}

std::optional<db::FieldType> TipoDeCampo(int codigo) {
    switch (codigo) {
    case 1: return db::FieldType::String;
    case 3: return db::FieldType::SmallInt;
    case 4: return db::FieldType::Integer;
    case 5: return db::FieldType::Boolean;
    case 6: return db::FieldType::Float;
    case 7: return db::FieldType::Currency;
    case 9: return db::FieldType::Date;
    case 10: return db::FieldType::Time;
    case 11: return db::FieldType::DateTime;
    case 15: return db::FieldType::AutoInc;
    default: return std::nullopt;
    }
}

std::vector<std::string> CamposDeIndice(const std::string& campos) {
    std::vector<std::string> out(1);
    for (char c : campos) {
        if (c == ';') out.emplace_back();
        else out.back() += c;
    }
    return out;
}

db::IndexDef IndiceDe(const RegistroCampo& r) {
    db::IndexDef idx;
    idx.name = r.Nombre;
    idx.primary = r.Nombre == "PRIMARIO";
    idx.unique = r.Unico == "T";
    idx.descending = r.Descend == "T";
    idx.caseInsensitive = r.SenCase;
    idx.fields = CamposDeIndice(r.Campos);
    return idx;
}

int DescribeTabla(const Diccionario& d, int numero, db::TableDef& out, std::string* detalle) {
    const RegistroTabla* t = d.TablaPorNumero(numero);
    out = {};
    if (t) out.name = NombreArchivo(*t);
    for (const RegistroCampo* c : d.Registros(numero, "C")) {
        auto type = TipoDeCampo(c->TipoCampo);
        if (!type) {
            if (detalle)
                *detalle = "el campo " + c->Nombre + " tiene el tipo " + std::to_string(c->TipoCampo) +
                           ", que no se puede crear";
            return kTipoNoSoportado;
        }
        db::FieldDef f{c->Nombre, *type, *type == db::FieldType::String ? c->Tamano : 0, false};
        out.fields.push_back(f);
    }
    for (const RegistroCampo* i : d.Registros(numero, "I")) {
        db::IndexDef idx = IndiceDe(*i);
        for (const auto& name : idx.fields) {
            bool known = std::any_of(out.fields.begin(), out.fields.end(),
                                     [&](const db::FieldDef& f) { return f.name == name; });
            // An index on a field the table lacks would be created on nothing: refuse the table.
            if (!known) {
                if (detalle) *detalle = "el índice " + idx.name + " usa el campo inexistente \"" + name + "\"";
                return kNoCreada;
            }
        }
        out.indexes.push_back(idx);
    }
    return 0;
}

db::TableDef DefinicionTablas(const std::string& nombre) {
    using db::FieldType;
    return {nombre,
            {{"Numero", FieldType::Integer, 0, true},
             {"Nombre", FieldType::String, 40, false},
             {"Tipo", FieldType::String, 20, false},
             {"Calculado", FieldType::String, 1, false},
             {"Descrip", FieldType::String, 80, false}},
            {{"PRIMARIO", {"Numero"}, true, true, false, false}}};
}

db::TableDef DefinicionCampos(const std::string& nombre) {
    using db::FieldType;
    return {nombre,
            {{"Identif", FieldType::Integer, 0, true},
             {"Numero", FieldType::Integer, 0, true},
             {"TipoReg", FieldType::String, 1, false},
             {"Nombre", FieldType::String, 40, false},
             {"TipoCampo", FieldType::SmallInt, 0, false},
             {"Tamano", FieldType::SmallInt, 0, false},
             {"Mantenido", FieldType::String, 1, false},
             {"Unico", FieldType::String, 1, false},
             {"Descend", FieldType::String, 1, false},
             {"SenCase", FieldType::Boolean, 0, false},
             {"Campos", FieldType::String, 255, false}},
            {{"PRIMARIO", {"Identif"}, true, true, false, false},
             {"NumeroT", {"Numero", "Identif"}, false, false, false, false}}};
}

bool LeeDiccionario(const std::string& rutaTablas, const std::string& rutaCampos, Diccionario& out,
                    std::string* error) {
    Diccionario d;
    bool ok = ReadAll(rutaTablas, "tablas",
                      [&](db::TTable& st) {
                          d.tablas.push_back({ColInt(st, "Numero"), Col(st, "Nombre"),
                                              Col(st, "Tipo"), Col(st, "Calculado"),
                                              Col(st, "Descrip")});
                      },
                      error) &&
              ReadAll(rutaCampos, "campos",
                      [&](db::TTable& st) {
                          RegistroCampo r;
                          r.Identif = ColInt(st, "Identif");
                          r.Numero = ColInt(st, "Numero");
                          r.TipoReg = Col(st, "TipoReg");
                          r.Nombre = Col(st, "Nombre");
                          r.TipoCampo = ColInt(st, "TipoCampo");
                          r.Tamano = ColInt(st, "Tamano");
                          r.Mantenido = Col(st, "Mantenido");
                          r.Unico = Col(st, "Unico");
                          r.Descend = Col(st, "Descend");
                          r.SenCase = Truthy(Col(st, "SenCase"));
                          r.Campos = Col(st, "Campos");
                          d.campos.push_back(std::move(r));
                      },
                      error);
    if (!ok) return false;
    Sort(d);
    out = std::move(d);
    return true;
}

namespace {

bool WriteTable(const std::string& path, const db::TableDef& def,
                const std::vector<std::vector<std::string>>& rows, std::string* error) {
    const std::string tmp = path + ".vlmnuevo";
    std::remove(tmp.c_str());
    {
        auto con = Connection::Open(tmp, true, error);
        if (!con) return false;
        std::string sql = "BEGIN;";
        for (const auto& s : db::CreateTableSql(def)) sql += s + ";";
        if (!con->Exec(sql, error)) return false;
        std::string insert = "INSERT INTO " + db::QuoteIdent(StemOf(def.name)) + " VALUES (";
        for (size_t i = 0; i < def.fields.size(); ++i) insert += i ? ",?" : "?";
        insert += ")";
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(con->get(), insert.c_str(), -1, &st, nullptr) != SQLITE_OK) {
            if (error) *error = con->LastError();
            return false;
        }
        for (const auto& row : rows) {
            sqlite3_reset(st);
            for (size_t i = 0; i < def.fields.size(); ++i) {
                const std::string& v = row[i];
                auto t = def.fields[i].type;
                if (t == db::FieldType::String) sqlite3_bind_text(st, int(i + 1), v.c_str(), -1, SQLITE_TRANSIENT);
                else sqlite3_bind_int64(st, int(i + 1), std::atoll(v.c_str()));
            }
            if (sqlite3_step(st) != SQLITE_DONE) {
                if (error) *error = "registro duplicado o inválido en " + def.name + ": " + con->LastError();
                sqlite3_finalize(st);
                return false;
            }
        }
        sqlite3_finalize(st);
        if (!con->Exec("COMMIT", error)) return false;
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        if (error) *error = "no se pudo escribir " + path;
        return false;
    }
    return true;
}

}  // namespace

bool EscribeDiccionario(const Diccionario& d, const std::string& rutaTablas,
                        const std::string& rutaCampos, std::string* error) {
    std::vector<std::vector<std::string>> tablas, campos;
    for (const auto& t : d.tablas)
        tablas.push_back({std::to_string(t.Numero), t.Nombre, t.Tipo, t.Calculado, t.Descrip});
    for (const auto& c : d.campos)
        campos.push_back({std::to_string(c.Identif), std::to_string(c.Numero), c.TipoReg, c.Nombre,
                          std::to_string(c.TipoCampo), std::to_string(c.Tamano), c.Mantenido, c.Unico,
                          c.Descend, c.SenCase ? "1" : "0", c.Campos});
    return WriteTable(rutaTablas, DefinicionTablas(FileNameOf(rutaTablas)), tablas, error) &&
           WriteTable(rutaCampos, DefinicionCampos(FileNameOf(rutaCampos)), campos, error);
}

bool LeeDiccionarioTexto(const std::string& tablasCsv, const std::string& camposCsv, Diccionario& out,
                         std::string* error) {
    std::ifstream tablas(tablasCsv), campos(camposCsv);
    if (!tablas || !campos) {
        if (error) *error = "no se puede abrir " + (tablas ? camposCsv : tablasCsv);
        return false;
    }
    return LeeDiccionarioCsv(tablas, campos, out, error, tablasCsv, camposCsv);
}

bool LeeDiccionarioCsv(std::istream& tablasIn, std::istream& camposIn, Diccionario& out, std::string* error,
                       const std::string& tablasCsv, const std::string& camposCsv) {
    auto tablas = ReadCsv(tablasIn);
    auto campos = ReadCsv(camposIn);
    Diccionario d;
    int line = 1;
    for (auto& r : tablas) {
        ++line;
        if (r.size() != 5) {
            if (error) *error = tablasCsv + ": el renglón " + std::to_string(line) + " no tiene 5 campos";
            return false;
        }
        d.tablas.push_back({std::atoi(r[0].c_str()), r[1], r[2], r[3], r[4]});
    }
    line = 1;
    for (auto& r : campos) {
        ++line;
        if (r.size() != 11) {
            if (error) *error = camposCsv + ": el renglón " + std::to_string(line) + " no tiene 11 campos";
            return false;
        }
        RegistroCampo c;
        c.Identif = std::atoi(r[0].c_str());
        c.Numero = std::atoi(r[1].c_str());
        c.TipoReg = r[2];
        c.Nombre = r[3];
        c.TipoCampo = std::atoi(r[4].c_str());
        c.Tamano = std::atoi(r[5].c_str());
        c.Mantenido = r[6];
        c.Unico = r[7];
        c.Descend = r[8];
        c.SenCase = Truthy(r[9]);
        c.Campos = r[10];
        d.campos.push_back(std::move(c));
    }
    Sort(d);
    out = std::move(d);
    return true;
}

}  // namespace tablemaint
