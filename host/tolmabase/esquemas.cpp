// Tax scheme evaluation both ways, and the schemes of a data folder's EsqImp table, read
// through the data layer and kept until the table file changes (the reprint evaluates a
// scheme for every line it prints).
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

#include "host/tolmabase/tolmabase.h"
#include "platform/2_db/error.h"
#include "platform/2_db/session.h"
#include "platform/2_db/table.h"

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

// The schemes of one table file as last read, and what the file looked like then: its time,
// size and the change counter SQLite keeps in the file header (offset 24, bumped by every
// write), which catches a change within the file system's time resolution.
struct Cache {
    std::string archivo;
    std::filesystem::file_time_type cambio;
    std::uintmax_t tamano = 0;
    uint32_t contador = 0;
    std::map<std::string, Esquema> esquemas;
};

uint32_t ContadorDeCambios(const std::string& archivo) {
    std::ifstream in(archivo, std::ios::binary);
    unsigned char b[4] = {0, 0, 0, 0};
    in.seekg(24);
    in.read(reinterpret_cast<char*>(b), 4);
    return (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | b[3];
}

std::mutex cacheMutex;
Cache cache;

std::map<std::string, Esquema> LeeTabla(const std::string& carpetaDatos) {
    db::TTable t;
    t.Name = "tblEsqImp";
    t.DatabaseName = carpetaDatos;
    t.TableName = "EsqImp";
    t.ReadOnly = true;
    if (!t.Exists())
        throw std::runtime_error("No existe la tabla de esquemas de impuestos EsqImp en " + carpetaDatos);
    t.Open();
    std::map<std::string, Esquema> out;
    for (t.First(); !t.Eof(); t.Next()) {
        Esquema e;
        e.clave = t.FieldByName("Clave").AsString();
        for (int i = 0; i < 4; ++i) e.porcen[i] = t.FieldByName("Porcen" + std::to_string(i + 1)).AsFloat();
        for (int i = 1; i < 4; ++i) {
            const db::TField* f = t.FindField("Cascada" + std::to_string(i + 1));
            e.cascada[i] = f && f->AsBoolean();  // a table made without the flags has none
        }
        out[e.clave] = e;
    }
    return out;
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
    db::TTable probe;
    probe.DatabaseName = carpetaDatos;
    probe.TableName = "EsqImp";
    const std::string archivo = probe.FileName();
    std::error_code ec;
    const auto cambio = std::filesystem::last_write_time(archivo, ec);
    const auto tamano = ec ? 0 : std::filesystem::file_size(archivo, ec);
    const uint32_t contador = ec ? 0 : ContadorDeCambios(archivo);
    std::lock_guard lock(cacheMutex);
    if (ec || cache.archivo != archivo || cache.cambio != cambio || cache.tamano != tamano ||
        cache.contador != contador) {
        cache.esquemas = LeeTabla(carpetaDatos);
        cache.archivo = archivo;
        cache.cambio = cambio;
        cache.tamano = tamano;
        cache.contador = contador;
    }
    const auto it = cache.esquemas.find(clave);
    if (it == cache.esquemas.end()) return std::nullopt;
    return it->second;
}

void SetCarpetaDatos(const std::string& carpeta) { Carpeta() = carpeta; }

std::string CarpetaDatos() {
    if (!Carpeta().empty()) return Carpeta();
    return db::AliasExists("RazirWin10") ? db::DatabaseFolder("RazirWin10") : std::string();
}

void CalculaEsquema(const std::string& clave, double precioSinImpuestos, Desglose& resultado) {
    const auto e = LeeEsquema(CarpetaDatos(), clave);
    CalculaEsquema(e ? *e : Esquema{clave}, precioSinImpuestos, resultado);
}

void DesgloseEsquema(const std::string& clave, double precioConImpuestos, Desglose& resultado) {
    const auto e = LeeEsquema(CarpetaDatos(), clave);
    DesgloseEsquema(e ? *e : Esquema{clave}, precioConImpuestos, resultado);
}

}  // namespace tolmabase
