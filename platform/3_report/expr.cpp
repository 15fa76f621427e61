// Parser (recursive descent) and evaluator of report expressions.
// Grammar, lowest precedence first:
//   or := and {OR and}   and := not {AND not}   not := NOT not | cmp
//   cmp := add [(= <> < <= > >=) add]   add := mul {(+ -) mul}   mul := unary {(* /) unary}
//   unary := - unary | primary
//   primary := number | string | name[.name] | name '(' [args] ')' | '(' or ')'
#include "platform/3_report/expr.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/3_report/names.h"
#include "platform/3_report/page.h"
#include "platform/1_text/datetime.h"
#include "platform/1_text/fold.h"

namespace report {

enum class Op { Const, Field, PageNumber, PageCount, Date, Time, DateTime, Neg, Not, Add, Sub, Mul,
                Div, Eq, Ne, Lt, Le, Gt, Ge, And, Or, If, Upper, Lower, Trim, Str,
                Sum, Count, Min, Max, Avg };

struct Node {
    Op op = Op::Const;
    Value value;                       // Const
    std::string dataset, field;        // Field, before binding
    int slot = -1;                     // Field, after binding
    std::vector<std::unique_ptr<Node>> args;
    // Aggregate state.
    double sum = 0;
    long long count = 0;
    Value best;
};

namespace {

bool IsAggregate(Op op) { return op >= Op::Sum; }

struct FuncEntry {
    std::string_view name;
    Op op;
    int minArgs, maxArgs;
};

constexpr FuncEntry kFunctions[] = {
    {"IF", Op::If, 3, 3},       {"UPPER", Op::Upper, 1, 1}, {"LOWER", Op::Lower, 1, 1},
    {"TRIM", Op::Trim, 1, 1},   {"STR", Op::Str, 1, 1},     {"SUM", Op::Sum, 1, 1},
    {"COUNT", Op::Count, 0, 1}, {"MIN", Op::Min, 1, 1},     {"MAX", Op::Max, 1, 1},
    {"AVG", Op::Avg, 1, 1},
};

struct VarEntry {
    std::string_view name;
    Op op;
};

constexpr VarEntry kVariables[] = {
    {"PAGENUMBER", Op::PageNumber}, {"PAGECOUNT", Op::PageCount}, {"DATE", Op::Date},
    {"TIME", Op::Time},             {"DATETIME", Op::DateTime},   {"TRUE", Op::Const},
    {"FALSE", Op::Const},
};

int Compare(const Value& a, const Value& b) {
    if (IsText(a) || IsText(b)) {
        std::string x = ToText(a), y = ToText(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    double x = ToNumber(a), y = ToNumber(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

Value Arith(Op op, const Value& a, const Value& b) {
    if (op == Op::Add && (IsText(a) || IsText(b))) return ToText(a) + ToText(b);
    bool ints = std::holds_alternative<std::int64_t>(a) && std::holds_alternative<std::int64_t>(b);
    if (ints && op != Op::Div) {
        std::int64_t x = std::get<std::int64_t>(a), y = std::get<std::int64_t>(b);
        switch (op) {
            case Op::Add: return x + y;
            case Op::Sub: return x - y;
            default: return x * y;
        }
    }
    double x = ToNumber(a), y = ToNumber(b);
    switch (op) {
        case Op::Add: return x + y;
        case Op::Sub: return x - y;
        case Op::Mul: return x * y;
        default: return y == 0 ? Value{} : Value{x / y};  // division by zero prints empty
    }
}

}  // namespace

class Parser {
public:
    Parser(std::string_view text, Expression& out) : s_(text), out_(out) {}

    std::unique_ptr<Node> Run() {
        Skip();
        if (pos_ >= s_.size()) Fail("la expresión está vacía");
        auto n = Or();
        Skip();
        if (pos_ < s_.size()) Fail("sobra texto");
        return n;
    }

private:
    [[noreturn]] void Fail(const std::string& what) {
        throw ExpressionError("Expresión \"" + std::string(s_) + "\", posición " +
                              std::to_string(pos_ + 1) + ": " + what);
    }
    void Skip() {
        while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    }
    bool Peek(std::string_view tok) {
        Skip();
        return s_.substr(pos_, tok.size()) == tok;
    }
    bool Eat(std::string_view tok) {
        if (!Peek(tok)) return false;
        pos_ += tok.size();
        return true;
    }
    bool EatWord(std::string_view word) {
        Skip();
        if (s_.size() - pos_ < word.size()) return false;
        if (!SameName(s_.substr(pos_, word.size()), word)) return false;
        std::size_t end = pos_ + word.size();
        if (end < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[end])) || s_[end] == '_'))
            return false;
        pos_ = end;
        return true;
    }
    static std::unique_ptr<Node> Make(Op op, std::unique_ptr<Node> a, std::unique_ptr<Node> b = {}) {
        auto n = std::make_unique<Node>();
        n->op = op;
        n->args.push_back(std::move(a));
        if (b) n->args.push_back(std::move(b));
        return n;
    }

    std::unique_ptr<Node> Or() {
        auto n = And();
        while (EatWord("OR")) n = Make(Op::Or, std::move(n), And());
        return n;
    }
    std::unique_ptr<Node> And() {
        auto n = Not();
        while (EatWord("AND")) n = Make(Op::And, std::move(n), Not());
        return n;
    }
    std::unique_ptr<Node> Not() {
        if (EatWord("NOT")) return Make(Op::Not, Not());
        return Cmp();
    }
    std::unique_ptr<Node> Cmp() {
        auto n = Add();
        static constexpr std::pair<std::string_view, Op> kOps[] = {
            {"<>", Op::Ne}, {"<=", Op::Le}, {">=", Op::Ge}, {"=", Op::Eq}, {"<", Op::Lt}, {">", Op::Gt}};
        for (auto [tok, op] : kOps)
            if (Eat(tok)) return Make(op, std::move(n), Add());
        return n;
    }
    std::unique_ptr<Node> Add() {
        auto n = Mul();
        for (;;) {
            if (Eat("+")) n = Make(Op::Add, std::move(n), Mul());
            else if (Eat("-")) n = Make(Op::Sub, std::move(n), Mul());
            else return n;
        }
    }
    std::unique_ptr<Node> Mul() {
        auto n = Unary();
        for (;;) {
            if (Eat("*")) n = Make(Op::Mul, std::move(n), Unary());
            else if (Eat("/")) n = Make(Op::Div, std::move(n), Unary());
            else return n;
        }
    }
    std::unique_ptr<Node> Unary() {
        if (Eat("-")) return Make(Op::Neg, Unary());
        return Primary();
    }
    std::unique_ptr<Node> Primary() {
        Skip();
        if (pos_ >= s_.size()) Fail("falta un valor");
        char c = s_[pos_];
        if (Eat("(")) {
            auto n = Or();
            if (!Eat(")")) Fail("falta \")\"");
            return n;
        }
        if (c == '\'' || c == '"') return String(c);
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') return Number();
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80)
            return Name();
        Fail(std::string("carácter inesperado \"") + c + "\"");
    }
    std::unique_ptr<Node> String(char quote) {
        ++pos_;
        std::string text;
        for (;;) {
            if (pos_ >= s_.size()) Fail("falta cerrar el texto");
            char c = s_[pos_++];
            if (c == quote) {
                if (pos_ < s_.size() && s_[pos_] == quote) { text += quote; ++pos_; continue; }
                break;
            }
            text += c;
        }
        auto n = std::make_unique<Node>();
        n->value = std::move(text);
        return n;
    }
    std::unique_ptr<Node> Number() {
        std::size_t start = pos_;
        bool dot = false;
        while (pos_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[pos_])) || (s_[pos_] == '.' && !dot))) {
            if (s_[pos_] == '.') dot = true;
            ++pos_;
        }
        std::string num(s_.substr(start, pos_ - start));
        if (num == ".") Fail("número mal escrito");
        auto n = std::make_unique<Node>();
        if (dot) n->value = std::stod(num);
        else {
            try { n->value = static_cast<std::int64_t>(std::stoll(num)); }
            catch (const std::out_of_range&) { n->value = std::stod(num); }
        }
        return n;
    }
    std::string Ident() {
        std::size_t start = pos_;
        while (pos_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '_' ||
                                    static_cast<unsigned char>(s_[pos_]) >= 0x80))
            ++pos_;
        return std::string(s_.substr(start, pos_ - start));
    }
    std::unique_ptr<Node> Name() {
        std::string first = Ident();
        if (Peek("(")) {
            ++pos_;
            for (const FuncEntry& f : kFunctions) {
                if (!SameName(f.name, first)) continue;
                auto n = std::make_unique<Node>();
                n->op = f.op;
                if (IsAggregate(f.op)) {
                    if (inAggregate_) Fail("un agregado no puede ir dentro de otro");
                    inAggregate_ = true;
                }
                if (!Eat(")")) {
                    do n->args.push_back(Or()); while (Eat(","));
                    if (!Eat(")")) Fail("falta \")\"");
                }
                if (IsAggregate(f.op)) inAggregate_ = false;
                int argc = static_cast<int>(n->args.size());
                if (argc < f.minArgs || argc > f.maxArgs)
                    Fail("número de argumentos incorrecto en " + std::string(f.name));
                if (IsAggregate(f.op)) out_.aggregates_.push_back(n.get());
                return n;
            }
            Fail("función desconocida \"" + first + "\"");
        }
        if (Peek(".")) {
            ++pos_;
            std::string field = Ident();
            if (field.empty()) Fail("falta el nombre del campo");
            auto n = std::make_unique<Node>();
            n->op = Op::Field;
            n->dataset = first;
            n->field = field;
            return n;
        }
        for (const VarEntry& v : kVariables) {
            if (!SameName(v.name, first)) continue;
            auto n = std::make_unique<Node>();
            n->op = v.op;
            if (v.op == Op::Const) n->value = static_cast<std::int64_t>(SameName(first, "TRUE") ? 1 : 0);
            if (v.op == Op::PageCount) out_.usesPageCount_ = true;
            return n;
        }
        auto n = std::make_unique<Node>();
        n->op = Op::Field;
        n->field = first;
        return n;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    Expression& out_;
    bool inAggregate_ = false;
};

namespace {

void BindNode(Node& n, FieldBinder& binder) {
    if (n.op == Op::Field) n.slot = binder.BindField(n.dataset, n.field);
    for (auto& a : n.args) BindNode(*a, binder);
}

Value EvalNode(const Node& n, const EvalContext& ctx) {
    auto arg = [&](std::size_t i) { return EvalNode(*n.args[i], ctx); };
    switch (n.op) {
        case Op::Const: return n.value;
        case Op::Field: return ctx.Field(n.slot);
        case Op::PageNumber: return static_cast<std::int64_t>(ctx.PageNumber());
        case Op::PageCount: {
            int count = ctx.PageCount();
            if (count > 0) return static_cast<std::int64_t>(count);
            return std::string(kPageCountMark);
        }
        case Op::Date: return DateValue{std::floor(ctx.Now())};
        case Op::Time: return DateValue{ctx.Now() - std::floor(ctx.Now())};
        case Op::DateTime: return DateValue{ctx.Now()};
        case Op::Neg: {
            Value v = arg(0);
            if (auto* i = std::get_if<std::int64_t>(&v)) return -*i;
            return -ToNumber(v);
        }
        case Op::Not: return static_cast<std::int64_t>(!ToBool(arg(0)));
        case Op::Add: case Op::Sub: case Op::Mul: case Op::Div: return Arith(n.op, arg(0), arg(1));
        case Op::Eq: return static_cast<std::int64_t>(Compare(arg(0), arg(1)) == 0);
        case Op::Ne: return static_cast<std::int64_t>(Compare(arg(0), arg(1)) != 0);
        case Op::Lt: return static_cast<std::int64_t>(Compare(arg(0), arg(1)) < 0);
        case Op::Le: return static_cast<std::int64_t>(Compare(arg(0), arg(1)) <= 0);
        case Op::Gt: return static_cast<std::int64_t>(Compare(arg(0), arg(1)) > 0);
        case Op::Ge: return static_cast<std::int64_t>(Compare(arg(0), arg(1)) >= 0);
        case Op::And: return static_cast<std::int64_t>(ToBool(arg(0)) && ToBool(arg(1)));
        case Op::Or: return static_cast<std::int64_t>(ToBool(arg(0)) || ToBool(arg(1)));
        case Op::If: return ToBool(arg(0)) ? arg(1) : arg(2);
        case Op::Upper: return text::UpperCase(ToText(arg(0)));
        case Op::Lower: return text::LowerCase(ToText(arg(0)));
        case Op::Trim: {
            std::string s = ToText(arg(0));
            std::size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
            return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
        }
        case Op::Str: return ToText(arg(0));
        case Op::Sum: return n.sum;
        case Op::Count: return static_cast<std::int64_t>(n.count);
        case Op::Min: case Op::Max: return n.best;
        case Op::Avg: return n.count ? Value{n.sum / static_cast<double>(n.count)} : Value{};
    }
    return {};
}

}  // namespace

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;

Expression Expression::Parse(std::string_view text) {
    Expression e;
    Parser p(text, e);
    e.root_ = p.Run();
    return e;
}

void Expression::Bind(FieldBinder& binder) {
    if (root_) BindNode(*root_, binder);
}

Value Expression::Eval(const EvalContext& ctx) const {
    return root_ ? EvalNode(*root_, ctx) : Value{};
}

void Expression::Accumulate(const EvalContext& ctx) {
    for (Node* a : aggregates_) {
        Value v = a->args.empty() ? Value{std::int64_t{1}} : EvalNode(*a->args[0], ctx);
        if (IsNull(v)) continue;  // nulls are not counted, as in SQL
        ++a->count;
        if (a->op == Op::Sum || a->op == Op::Avg) a->sum += ToNumber(v);
        if (a->op == Op::Min || a->op == Op::Max) {
            if (IsNull(a->best)) a->best = v;
            else {
                int c = Compare(v, a->best);
                if ((a->op == Op::Min && c < 0) || (a->op == Op::Max && c > 0)) a->best = v;
            }
        }
    }
}

void Expression::ResetAggregates() {
    for (Node* a : aggregates_) {
        a->sum = 0;
        a->count = 0;
        a->best = Value{};
    }
}

}  // namespace report
