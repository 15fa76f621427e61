// The demo data generator: a whole retail chain (catalogues, stock, customers, movements,
// income and the per-day note, line, tax and cash-cut files of every register and day) written
// as table files into a data folder. Deterministic: the same options give the same bytes.
// Not here: the configuration file and the rest of an installation (host/razir/cmd_demo.cpp).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/1_text/datetime.h"

namespace razir::demo {

struct Options {
    uint64_t seed = 1;
    int stores = 3;
    int registers = 2;  // per store
    int products = 200;
    int days = 31;
    text::TDateTime from = text::EncodeDate(2026, 1, 1);
    bool filesPerStore = false;  // per-day files named after the store (ArchivosPorTienda)
    int threads = 0;             // writers of per-day files; 0 picks from the machine's cores
    // Folder of the report layouts, as the user-defined reports (RepUsr) name their files.
    std::string layoutFolder = "Reportes/";
};

// The movement kinds as the generated MovProd holds them (TipoMov); the installation's
// configuration must name the same codes.
struct TipoMov {
    static constexpr int Compras = 1, Ventas = 2, DevCompras = 3, DevVentas = 4, Entrada = 5,
                         Salida = 6, Ajustes = 7, Perdidas = 8;
};

struct Summary {
    int stores = 0, registers = 0, users = 0, products = 0, days = 0;
    int64_t notes = 0, lines = 0, movements = 0, dayFiles = 0;
    double seconds = 0;
};

// Rejects impossible sizes with a Spanish message (std::invalid_argument).
void Validate(const Options& options);

// Writes every table into `dataFolder` (created when missing; table files of the same names
// are replaced). Throws std::runtime_error with a Spanish message on failure.
Summary Generate(const Options& options, const std::filesystem::path& dataFolder);

// Codes of the generated chain, for callers that configure an installation around it.
std::string StoreCode(int store);                             // "01"
std::string RegisterCode(const Options& options, int store, int reg);  // chain-wide unique
std::string CashierCode(const Options& options, int store, int reg, int shift);  // shift 0 or 1

}  // namespace razir::demo
