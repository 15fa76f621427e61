// Tax scheme evaluation both ways, and the reading of a scheme from the EsqImp table file.
// SQLite stays inside this file; the rest of the library sees only Esquema.
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>

#include "host/tolmabase/tolmabase.h"

namespace tolmabase {
namespace {

// Taxes of a price without taxes, into resultado[4..7]; returns the price with taxes.
double Impuestos(const Esquema& e, double precio, Desglose& resultado) {
    double acumulado = 0;
    for (int i = 0; i < 4; ++i) {
        const double base = precio + ((i > 0 && e.cascada[i]) ? acumulado : 0.0);
        resultado[i] = e.porcen[i];
        resultado[4 + i] = base * e.porcen[i] / 100.0;
        acumulado += resultado[4 + i];
    }
    return precio + acumulado;
}

std::string& Carpeta() {
    static std::string carpeta;
    return carpeta;
}

// The file of a table in a folder, found ignoring case as every table name is.
std::filesystem::path TableFile(const std::string& carpeta, const std::string& nombre) {
    namespace fs = std::filesystem;
    const fs::path exacto = fs::path(carpeta) / nombre;
    if (fs::exists(exacto)) return exacto;
    std::error_code ec;
    for (const auto& entrada : fs::directory_iterator(carpeta, ec)) {
        const std::string n = entrada.path().filename().string();
        if (n.size() == nombre.size() &&
            std::equal(n.begin(), n.end(), nombre.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            }))
            return entrada.path();
    }
    return exacto;
}

}  // namespace

void CalculaEsquema(const Esquema& esquema, double precioSinImpuestos, Desglose& resultado) {
    resultado[8] = Impuestos(esquema, precioSinImpuestos, resultado);
}

void DesgloseEsquema(const Esquema& esquema, double precioConImpuestos, Desglose& resultado) {
    Desglose unidad{};
    const double factor = Impuestos(esquema, 1.0, unidad);
    const double precio = precioConImpuestos / factor;
    Impuestos(esquema, precio, resultado);
    resultado[8] = precio;
}

std::optional<Esquema> LeeEsquema(const std::string& carpetaDatos, const std::string& clave) {
    const auto archivo = TableFile(carpetaDatos, "EsqImp.DB");
    if (!std::filesystem::exists(archivo))
        throw std::runtime_error("No existe la tabla de esquemas de impuestos " + archivo.string());
    sqlite3* base = nullptr;
    if (sqlite3_open_v2(archivo.c_str(), &base, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(base);
        throw std::runtime_error("No se puede abrir la tabla de esquemas de impuestos " + archivo.string());
    }
    sqlite3_busy_timeout(base, 2000);
    sqlite3_stmt* consulta = nullptr;
    const char* sql =
        "SELECT Clave, Porcen1, Porcen2, Porcen3, Porcen4, Cascada2, Cascada3, Cascada4 "
        "FROM EsqImp WHERE Clave = ?1";
    std::optional<Esquema> hallado;
    int rc = sqlite3_prepare_v2(base, sql, -1, &consulta, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_bind_text(consulta, 1, clave.data(), static_cast<int>(clave.size()), SQLITE_TRANSIENT);
        rc = sqlite3_step(consulta);
        if (rc == SQLITE_ROW) {
            Esquema e;
            e.clave = reinterpret_cast<const char*>(sqlite3_column_text(consulta, 0));
            for (int i = 0; i < 4; ++i) e.porcen[i] = sqlite3_column_double(consulta, 1 + i);
            for (int i = 1; i < 4; ++i) e.cascada[i] = sqlite3_column_int(consulta, 4 + i) != 0;
            hallado = e;
            rc = SQLITE_DONE;
        }
    }
    const std::string error = sqlite3_errmsg(base);
    sqlite3_finalize(consulta);
    sqlite3_close(base);
    if (rc != SQLITE_DONE)
        throw std::runtime_error("Error al leer la tabla de esquemas de impuestos: " + error);
    return hallado;
}

void SetCarpetaDatos(const std::string& carpeta) { Carpeta() = carpeta; }
const std::string& CarpetaDatos() { return Carpeta(); }

void CalculaEsquema(const std::string& clave, double precioSinImpuestos, Desglose& resultado) {
    const auto e = LeeEsquema(CarpetaDatos(), clave);
    CalculaEsquema(e ? *e : Esquema{clave}, precioSinImpuestos, resultado);
}

void DesgloseEsquema(const std::string& clave, double precioConImpuestos, Desglose& resultado) {
    const auto e = LeeEsquema(CarpetaDatos(), clave);
    DesgloseEsquema(e ? *e : Esquema{clave}, precioConImpuestos, resultado);
}

}  // namespace tolmabase
