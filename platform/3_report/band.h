// Bands of a report as plain data: kind, name, height, switches and the items they hold, and
// the structure that ties them together (groups breaking on an expression, sub-details over
// their own dataset).
// Not here: when bands print (engine.cpp).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/3_report/component.h"
#include "platform/3_report/item.h"

namespace report {

enum class BandKind {
    Title, PageHeader, ColumnHeader, GroupHeader, GroupFooter, Detail,
    SubDetailHeader, SubDetail, SubDetailFooter, Summary, PageFooter
};

class Band : public Component {
public:
    Band(BandKind kind, std::string name) : Component(std::move(name)), kind_(kind) {}
    BandKind Kind() const { return kind_; }

    double Height = 0;  // mm
    bool Enabled = true;
    // Sub-detail header and footer: print even when the sub-detail has no rows.
    bool PrintIfEmpty = false;
    bool ForceNewPage = false;  // start on a new page
    int Line = 0;

    std::vector<std::unique_ptr<Item>>& Items() { return items_; }
    const std::vector<std::unique_ptr<Item>>& Items() const { return items_; }

private:
    BandKind kind_;
    std::vector<std::unique_ptr<Item>> items_;
};

struct Group {
    std::string name;
    std::string expression;  // the group breaks when its value changes
    Band* header = nullptr;
    Band* footer = nullptr;
    int line = 0;
};

struct SubDetailSection {
    std::string dataset;  // a detail dataset linked to the main one
    Band* header = nullptr;
    Band* detail = nullptr;
    Band* footer = nullptr;
};

}  // namespace report
