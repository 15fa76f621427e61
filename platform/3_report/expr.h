// Expressions of expression items, group breaks and bar-code data: parsed once into a tree,
// field references bound once to slots, then evaluated per row. The language: numbers,
// 'text' or "text", field references (Query1.Total, or Total in the report's main dataset),
// + - * / (+ joins text when either side is text), = <> < <= > >=, AND OR NOT,
// IF(c, a, b), UPPER, LOWER, TRIM, STR, the variables PAGENUMBER, PAGECOUNT, DATE, TIME,
// DATETIME, and the aggregates SUM, COUNT, MIN, MAX, AVG over the rows of the band's loop.
// Not here: when aggregates accumulate or reset (engine.cpp).
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/3_report/value.h"

namespace report {

// A malformed expression or an unknown field; the message is Spanish and names the position.
class ExpressionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Resolves field references when an expression is bound.
class FieldBinder {
public:
    virtual ~FieldBinder() = default;
    // Slot of a field; `dataset` is empty for a bare field name. Throws ExpressionError.
    virtual int BindField(std::string_view dataset, std::string_view field) = 0;
};

// What an expression reads while it is evaluated.
class EvalContext {
public:
    virtual ~EvalContext() = default;
    virtual Value Field(int slot) const = 0;
    virtual int PageNumber() const = 0;
    // The total when known; otherwise PAGECOUNT evaluates to kPageCountMark (page.h) as text,
    // which the spooler replaces once the count is known.
    virtual int PageCount() const = 0;
    virtual double Now() const = 0;  // TDateTime
};

struct Node;

class Expression {
public:
    Expression();
    ~Expression();
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;

    static Expression Parse(std::string_view text);  // throws ExpressionError
    void Bind(FieldBinder& binder);
    Value Eval(const EvalContext& ctx) const;

    bool HasAggregates() const { return !aggregates_.empty(); }
    bool UsesPageCount() const { return usesPageCount_; }
    // One more row for every aggregate of the expression.
    void Accumulate(const EvalContext& ctx);
    void ResetAggregates();
    bool Empty() const { return root_ == nullptr; }

private:
    std::unique_ptr<Node> root_;
    std::vector<Node*> aggregates_;
    bool usesPageCount_ = false;
    friend class Parser;
};

}  // namespace report
