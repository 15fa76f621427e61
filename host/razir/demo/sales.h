// The sales of one register on one day and the other inventory movements of one store on one
// day, drawn from their own random streams so any unit can be produced alone, in any order.
// Amounts are whole cents (exact sums); files store them as currency.
// Not here: writing tables (generator.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/razir/demo/chain.h"

namespace razir::demo {

struct Line {
    int product = 0;
    char kind = 0;     // 0 plain, 'K' package, 'P' component of the package line before it
    double qty = 1;
    int64_t price = 0;             // unit price, taxes included
    int64_t total = 0;             // price * qty - discount
    int64_t discount = 0;
    int64_t tax[4] = {0, 0, 0, 0};
    double commissionRate = 1;     // percent
    int64_t commission = 0;        // 0 when the note has no seller
};

struct Payment {
    int type = 0;          // index into Chain::payTypes
    int64_t amount = 0;    // in the base currency
    std::string authorization, document;
    bool dueDate = false;  // cheques carry the day as due date
};

struct Note {
    int reg = 0;
    int number = 0;
    int seconds = 0;       // time of day
    int cashier = 0;
    int seller = -1;       // -1: no seller
    int customer = -1;     // -1: general public
    char status = 'N';     // 'N' paid, 'C' cancelled, 'P' pending, 'E' being edited
    char zod = 0;          // 0 sale, 'A' advance, 'P' payment of the administrative system (no lines)
    std::vector<Line> lines;
    std::vector<Payment> payments;  // 1 to 4
    int64_t total = 0, discount = 0;
    int64_t tax[4] = {0, 0, 0, 0};
    int64_t taxBase[4] = {0, 0, 0, 0};  // amount before taxes of the lines bearing tax i
    int64_t Paid() const;
    int64_t Change() const { return Paid() - total; }
};

// Notes a register takes on a day (0-based from the first day of the period).
int NoteCount(const Chain& chain, int reg, int day);
// The notes, in time order, numbered from firstNumber.
std::vector<Note> NotesOfDay(const Chain& chain, int reg, int day, int firstNumber);

// Whether the register's sales of the day were concentrated into MovProd: all but the last
// day of the first register of each store, so the concentration report shows both states.
bool Concentrated(const Chain& chain, int reg, int day);

struct Movement {
    int store = 0;
    int reg = -1;          // -1: not a register's movement
    int product = 0;
    char prodKind = 0;     // as Line::kind
    int kind = 0;          // TipoMov
    std::string reference;
    double qty = 0;
    int64_t amount = 0;
    int64_t tax[4] = {0, 0, 0, 0};
    int user = -1, seller = -1;
};

// Purchases, transfers, returns, adjustments and losses of a store on a day (not sales).
std::vector<Movement> OtherMovements(const Chain& chain, int store, int day);

// Taxes of an amount (cents, taxes included) under a scheme, each rounded to the cent.
void TaxesOf(const tolmabase::Esquema& scheme, int64_t amount, int64_t (&tax)[4]);

}  // namespace razir::demo
