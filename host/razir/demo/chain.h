// The generated chain in memory: stores, registers, users, products, tax schemes, payment
// types, customers; built from the options alone, then written as the catalogue tables.
// Not here: sales and movements (sales.h), the per-day files (generator.cpp).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "host/razir/demo/generator.h"
#include "host/tolmabase/tolmabase.h"
#include "platform/2_db/batch.h"

namespace razir::demo {

struct Store {
    std::string code, name, address, town;
    std::vector<int> registers, sellers;  // indexes into Chain::registers and Chain::users
};

struct Register {
    std::string code, name;
    int store = 0;
    int cashiers[2] = {0, 0};  // morning and afternoon shift, indexes into Chain::users
    bool fortyColumns = false;
    std::string printer;       // Dispos key
};

struct User {
    std::string code, name, nick;
    int store = 0;
    char type = 'C';  // 'C' or 'A' cashier, 'D' seller
};

struct Product {
    std::string code, name, dept, line, unit;
    int scheme = 0;  // index into Chain::schemes
    int64_t price = 0, cost = 0;  // cents, taxes included
    double commission = 1;        // percent paid to the seller
    bool weighed = false;         // sold by weight: fractional quantities
    std::vector<int> components;  // a package ("K") lists the products it is made of
};

struct PayType {
    std::string code, name, currency;
    int shortcut = 0;
    double rate = 1;  // exchange rate to the base currency
};

struct Customer {
    std::string code, name, address, town, rfc;
};

struct Chain {
    Options options;
    std::vector<Store> stores;
    std::vector<Register> registers;
    std::vector<User> users;
    std::vector<Product> products;
    std::vector<int> sellable;  // products in order of popularity (packages included)
    std::vector<tolmabase::Esquema> schemes;
    std::vector<std::string> schemeNames;
    std::vector<PayType> payTypes;  // index 0 is cash
    std::vector<Customer> customers;
};

Chain BuildChain(const Options& options);

// Writes the catalogue and statistics tables (everything but MovProd, Ingresos and the
// per-day files); returns the number of files written.
int WriteCatalogues(const Chain& chain, const std::filesystem::path& folder);

// A writer of the table `def` as a new file in `folder` (".DB" added to a name without one); a
// file of that name is replaced. Tables too large to hold in memory are built in their file.
db::BatchWriter NewTable(const std::filesystem::path& folder, const db::TableDef& def, bool inMemory = true);
// Amounts are generated in cents and stored as pesos.
inline void SetCents(db::BatchWriter& w, int field, int64_t cents) { w.Set(field, static_cast<double>(cents) / 100.0); }

}  // namespace razir::demo
