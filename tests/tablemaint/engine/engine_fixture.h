// Helpers for the engine's tests: a temporary folder, an engine object opened on it with a
// dictionary written there, and small dictionaries built in code.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "tablemaint/engine/dictionary.h"
#include "tablemaint/engine/vlmctlarch.h"

namespace tablemaint::testing {

struct TempDir {
    std::string path;
    TempDir() {
        char tmpl[] = "/tmp/vlmtest.XXXXXX";
        path = mkdtemp(tmpl);
        path += "/";
    }
    ~TempDir() { std::filesystem::remove_all(path); }
};

using EnginePtr = std::unique_ptr<VlmCtlArch, int (*)(VlmCtlArch*)>;

// Writes the dictionary into `dir` and opens an engine on it, as the component does.
inline EnginePtr OpenEngine(const std::string& dir, const Diccionario& d) {
    std::string err;
    EXPECT_TRUE(EscribeDiccionario(d, dir + "VlmTablas.DB", dir + "VlmCampos.DB", &err)) << err;
    EnginePtr e(CreaVlmCtlArch(), DestruyeVlmCtlArch);
    std::strcpy(e->szRutaBD, dir.c_str());
    std::strcpy(e->szRutaTablas, (dir + "VlmTablas.DB").c_str());
    std::strcpy(e->szRutaCampos, (dir + "VlmCampos.DB").c_str());
    std::strcpy(e->szIndiceDetalle, "NumeroT");
    std::strcpy(e->szCamposMaestro, "Numero");
    e->Inicializa();
    return e;
}

// Builds dictionaries line by line.
struct DicBuilder {
    Diccionario d;
    int next = 1;
    DicBuilder& Tabla(int numero, const std::string& nombre, const std::string& tipo = "ttParadox",
                      const std::string& calculado = "N") {
        d.tablas.push_back({numero, nombre, tipo, calculado, "Tabla " + nombre});
        return *this;
    }
    DicBuilder& Campo(int numero, const std::string& nombre, int tipo, int tamano = 0) {
        RegistroCampo c;
        c.Identif = next++;
        c.Numero = numero;
        c.TipoReg = "C";
        c.Nombre = nombre;
        c.TipoCampo = tipo;
        c.Tamano = tamano;
        d.campos.push_back(c);
        return *this;
    }
    DicBuilder& Indice(int numero, const std::string& nombre, const std::string& campos, bool unico = false,
                       bool descend = false, bool sinCase = false) {
        RegistroCampo c;
        c.Identif = next++;
        c.Numero = numero;
        c.TipoReg = "I";
        c.Nombre = nombre;
        c.Mantenido = "T";
        c.Unico = unico ? "T" : "";
        c.Descend = descend ? "T" : "";
        c.SenCase = sinCase;
        c.Campos = campos;
        d.campos.push_back(c);
        return *this;
    }
};

// Runs one statement on a table file (setting up or damaging it); returns SQLite's code.
inline int Sql(const std::string& file, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return rc;
}

// The single number a query answers, or -1.
inline long long Scalar(const std::string& file, const std::string& sql) {
    sqlite3* db = nullptr;
    long long v = -1;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            v = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return v;
}

}  // namespace tablemaint::testing
