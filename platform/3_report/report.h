// A loaded report: page set-up, datasets, bands and items, all found by name. This is what
// the AfterReportLoaded handlers receive and change before the engine prints it.
// Not here: reading the layout file (layout.h) or printing (engine.h, printer_dialog.h).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/3_report/band.h"
#include "platform/3_report/dataset.h"

namespace report {

enum class Orientation { Portrait, Landscape };

struct PageSetup {
    std::string size = "A4";  // A4, Letter, Legal or custom
    double width = 210, height = 297;  // mm, after orientation
    Orientation orientation = Orientation::Portrait;
    double marginLeft = 10, marginTop = 10, marginRight = 10, marginBottom = 10;
    // Roll paper: one page as long as its contents, no page breaks.
    bool continuous = false;
    // Characters per line of fixed-pitch output; 0 takes 10 per inch of the printable width.
    int columns = 0;
    double lineHeight = 25.4 / 6;  // mm per text line of fixed-pitch output (6 per inch)
};

class Report {
public:
    std::string Name;
    std::string FileName;  // the layout it came from
    PageSetup Page;
    // The page-mode switch: on prints pages, off prints one continuous page (roll printers).
    // Starts as the layout says (off for continuous layouts).
    bool PageMode = true;
    bool PrintIfEmpty = true;
    std::string MainDatasetName;  // the dataset the detail band loops over

    // Any dataset, band or item by name, ignoring case; nullptr when the layout lacks it.
    Component* FindComponent(std::string_view name) const;
    template <class T>
    T* Find(std::string_view name) const { return dynamic_cast<T*>(FindComponent(name)); }

    // Shortcuts for the heading handlers; each returns false when the name is missing or of
    // another kind, and changes nothing then.
    bool SetCaption(std::string_view label, std::string caption);
    bool SetDisplayMask(std::string_view fieldOrExpression, std::string mask);
    bool SetExpression(std::string_view expression, std::string text);

    // Datasets in layout order.
    const std::vector<std::unique_ptr<Dataset>>& Datasets() const { return datasets_; }
    Dataset* FindDataset(std::string_view name) const;
    Dataset* MainDataset() const { return FindDataset(MainDatasetName); }

    // The band structure.
    Band* Title = nullptr;
    Band* PageHeader = nullptr;
    Band* ColumnHeader = nullptr;
    std::vector<Group> Groups;  // outermost first
    Band* Detail = nullptr;
    std::vector<SubDetailSection> SubDetails;
    Band* Summary = nullptr;
    Band* PageFooter = nullptr;
    const std::vector<std::unique_ptr<Band>>& Bands() const { return bands_; }

    // Used by the loader.
    Band& AddBand(std::unique_ptr<Band> band);
    void AddDataset(std::unique_ptr<Dataset> dataset) { datasets_.push_back(std::move(dataset)); }

private:
    std::vector<std::unique_ptr<Dataset>> datasets_;
    std::vector<std::unique_ptr<Band>> bands_;
};

}  // namespace report
