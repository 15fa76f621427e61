// The SQL text of the inventory reports' stock condition.
#include <gtest/gtest.h>

#include <stdexcept>

#include "reports/inventory/product_criteria.h"

namespace {

TEST(StockCondition, EachItemGivesItsLineAndTypedTextNeverReachesTheQuery) {
    struct Case { int item; const char* op; const char* typed; const char* want; const char* why; };
    const Case kCases[] = {
        {0, ">", "5", "", "every product: no condition"},
        {2, ">", "5", " And E.Existencia <= 0", "zero or negative ignores operator and number"},
        {1, ">=", "1,000", " And E.Existencia >=1000", "thousands separators removed"},
        {1, ">", "0", " And E.Existencia >0", "the defaults"},
        {-1, ">", "0", " And E.Existencia >0", "no item chosen counts as the criterion"},
        {1, "<", "2.5", " And E.Existencia <2.5", "decimals kept"},
        {1, "<=", "-3", " And E.Existencia <=-3", "negative number"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(reportes::LineaExistencia(c.item, c.op, c.typed, "E.Existencia"), c.want) << c.why;
}

TEST(StockCondition, TextThatIsNoNumberIsRefusedWithASpanishMessage) {
    // What broke: the typed criterion was pasted into the query as typed, so "0 Or 1=1" listed everything.
    for (const char* typed : {"0 Or 1=1", "abc", "1;Delete From Exist", ""}) {
        try {
            reportes::LineaExistencia(1, ">", typed, "E.Existencia");
            ADD_FAILURE() << typed << " accepted";
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find("número"), std::string::npos) << typed;
        }
    }
    EXPECT_THROW(reportes::LineaExistencia(1, "<> 0 Or 1", "1", "E.Existencia"), std::invalid_argument);
}

}  // namespace
