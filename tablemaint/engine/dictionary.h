// The data dictionary: the tables dictionary and the fields dictionary, as records, read from
// and written to their table files, read from the shipped text form, and turned into the
// data layer's table definitions.
// Not here: creating the application's tables (vlmctlarch.cpp), index file names (index_names.*).
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "platform/2_db/schema.h"

namespace tablemaint {

struct RegistroTabla {
    int Numero = 0;
    std::string Nombre;
    std::string Tipo;       // "ttParadox": ".db" is appended to the name
    std::string Calculado;  // "N" one file, "S" a group named by the application
    std::string Descrip;
};

struct RegistroCampo {
    int Identif = 0;
    int Numero = 0;
    std::string TipoReg;  // "C" field, "I" index
    std::string Nombre;
    int TipoCampo = 0;
    int Tamano = 0;
    std::string Mantenido, Unico, Descend;  // "T" when set
    bool SenCase = false;                   // true: case-insensitive index
    std::string Campos;                     // key fields separated by ";"
};

struct Diccionario {
    std::vector<RegistroTabla> tablas;  // in the order of Numero
    std::vector<RegistroCampo> campos;  // in the order of index "NumeroT": Numero, Identif

    const RegistroTabla* TablaPorNombre(const std::string& nombre) const;  // exact comparison
    const RegistroTabla* TablaPorNumero(int numero) const;
    const RegistroCampo* CampoPorIdentif(int identif) const;
    // "C" or "I" records of one table in dictionary order.
    std::vector<const RegistroCampo*> Registros(int numero, const char* tipoReg) const;
};

// The file name of a table record: Nombre + ".db" for "ttParadox", else Nombre.
std::string NombreArchivo(const RegistroTabla& t);

// Field type codes of the dictionary and the field type each creates; nullopt when the code
// is not supported (then nothing of the table is created).
//   1 alpha (Tamano characters), 3 short integer, 4 long integer, 5 logical, 6 number,
//   7 money, 9 date, 10 time, 11 timestamp, 15 autoincrement.
std::optional<db::FieldType> TipoDeCampo(int codigo);

// Key field names of an index record ("Tienda;Caja" -> {"Tienda", "Caja"}); empty parts kept.
std::vector<std::string> CamposDeIndice(const std::string& campos);
// The index definition of an "I" record (names, not yet checked against the table's fields).
db::IndexDef IndiceDe(const RegistroCampo& r);

// Codes of DescribeTabla and of table creation.
constexpr int kTipoNoSoportado = 1;
constexpr int kNoCreada = 3;

// The definition of table `numero`: 0, kTipoNoSoportado (with `detalle` naming the field) or
// kNoCreada when an index names a field that the table does not have.
int DescribeTabla(const Diccionario& d, int numero, db::TableDef& out, std::string* detalle = nullptr);

// Table definitions of the two dictionary files themselves.
db::TableDef DefinicionTablas(const std::string& nombre = "Tablas.DB");
db::TableDef DefinicionCampos(const std::string& nombre = "Campos.DB");

// Reads the two dictionary files; false with a reason.
bool LeeDiccionario(const std::string& rutaTablas, const std::string& rutaCampos, Diccionario& out,
                    std::string* error);
// Writes them (replacing existing files); false with a reason.
bool EscribeDiccionario(const Diccionario& d, const std::string& rutaTablas,
                        const std::string& rutaCampos, std::string* error);
// Reads the text form: two CSV files with a heading line, "," between fields, fields in
// double quotes when they hold a comma, lines starting with "#" ignored.
bool LeeDiccionarioTexto(const std::string& tablasCsv, const std::string& camposCsv, Diccionario& out,
                         std::string* error);
// The same from streams; the names are only for the error messages.
bool LeeDiccionarioCsv(std::istream& tablas, std::istream& campos, Diccionario& out, std::string* error,
                       const std::string& tablasCsv = "tablas.csv", const std::string& camposCsv = "campos.csv");

// The dictionary of the point-of-sale tables shipped with the engine (dictionary/*.csv).
Diccionario DiccionarioIncluido();

}  // namespace tablemaint
