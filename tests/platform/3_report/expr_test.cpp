// Expressions: operators, functions, text joining, field references and aggregates.
#include "platform/3_report/expr.h"

#include <gtest/gtest.h>

#include "platform/3_report/page.h"

namespace report {
namespace {

// Fields by slot: 0 = Query1.Total, 1 = Query1.Nombre, 2 = Query1.Nulo.
class Fields : public FieldBinder, public EvalContext {
public:
    std::vector<Value> row{std::int64_t{10}, std::string("Ana"), Value{}};
    int BindField(std::string_view ds, std::string_view field) override {
        if (!ds.empty() && ds != "Query1") throw ExpressionError("no existe el conjunto de datos");
        if (field == "Total") return 0;
        if (field == "Nombre") return 1;
        if (field == "Nulo") return 2;
        throw ExpressionError("no existe el campo");
    }
    Value Field(int slot) const override { return row[static_cast<std::size_t>(slot)]; }
    int PageNumber() const override { return 3; }
    int PageCount() const override { return 0; }
    double Now() const override { return 45000.5; }
};

TEST(ReportExpression, EvaluatesCases) {
    struct Case { const char* text; const char* expected; };
    const Case cases[] = {
        {"1 + 2 * 3", "7"},
        {"(1 + 2) * 3", "9"},
        {"7 / 2", "3.5"},
        {"1 / 0", ""},                          // division by zero prints empty
        {"-Total + 4", "-6"},
        {"'Sr. ' + Nombre", "Sr. Ana"},
        {"\"Total: \" + Query1.Total", "Total: 10"},
        {"'It''s'", "It's"},
        {"IF(Total > 5, 'alto', 'bajo')", "alto"},
        {"IF(Total <= 5, 'alto', 'bajo')", "bajo"},
        {"Total = 10 AND Nombre <> 'Luis'", "1"},
        {"NOT (Total >= 11) OR 0", "1"},
        {"UPPER(Nombre) + LOWER('XY') + TRIM('  z ')", "ANAxyz"},
        {"UPPER('señor José')", "SEÑOR JOSÉ"},
        {"Nulo + 1", "1"},                      // null counts as zero in arithmetic
        {"'Página ' + PAGENUMBER", "Página 3"},
        {"2.5 * 2", "5"},
    };
    for (const Case& c : cases) {
        Fields f;
        Expression e = Expression::Parse(c.text);
        e.Bind(f);
        EXPECT_EQ(ToText(e.Eval(f)), c.expected) << c.text;
    }
}

TEST(ReportExpression, PageCountBeforeItIsKnownIsTheSpoolMark) {
    Fields f;
    Expression e = Expression::Parse("'de ' + PAGECOUNT");
    e.Bind(f);
    EXPECT_TRUE(e.UsesPageCount());
    EXPECT_EQ(ToText(e.Eval(f)), std::string("de ") + kPageCountMark);
}

TEST(ReportExpression, AggregatesAccumulateAndReset) {
    Fields f;
    Expression sum = Expression::Parse("SUM(Total) + COUNT() * 1000");
    Expression minmax = Expression::Parse("MIN(Total) + '/' + MAX(Total) + '/' + AVG(Total)");
    Expression count = Expression::Parse("COUNT(Nulo)");
    for (Expression* e : {&sum, &minmax, &count}) e->Bind(f);
    for (std::int64_t v : {10, 4, 7}) {
        f.row[0] = v;
        for (Expression* e : {&sum, &minmax, &count}) e->Accumulate(f);
    }
    EXPECT_EQ(ToText(sum.Eval(f)), "3021");
    EXPECT_EQ(ToText(minmax.Eval(f)), "4/10/7");
    EXPECT_EQ(ToText(count.Eval(f)), "0") << "nulls are not counted";
    sum.ResetAggregates();
    EXPECT_EQ(ToText(sum.Eval(f)), "0");
}

TEST(ReportExpression, RejectsMalformedText) {
    const char* bad[] = {"", "1 +", "(1", "'abierto", "FOO(1)", "SUM(SUM(Total))", "IF(1, 2)", "1 2", "#"};
    for (const char* text : bad) EXPECT_THROW(Expression::Parse(text), ExpressionError) << text;
    Fields f;
    Expression e = Expression::Parse("Query1.Falta");
    EXPECT_THROW(e.Bind(f), ExpressionError);
}

}  // namespace
}  // namespace report
