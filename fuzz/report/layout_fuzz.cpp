// Feeds arbitrary bytes to the layout loader and, when they load, lays the report out over
// empty and one-row datasets into the text renderer: any input must end in a report or a
// LayoutError, never a crash or a hang.
#include <cstdint>
#include <sstream>
#include <string_view>

#include "platform/3_report/engine.h"
#include "platform/3_report/layout.h"
#include "platform/3_report/memory_dataset.h"
#include "platform/3_report/render_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view xml(reinterpret_cast<const char*>(data), size);
    report::MemoryDatasetFactory factory;
    factory.Fallback([](const report::Dataset&) {
        return report::MemoryTable{{"A", "B"}, {{std::string("x"), 1.5}, {std::string("y"), std::int64_t{2}}}};
    });
    try {
        auto rep = report::ParseLayout(xml, "fuzz.QR2", factory);
        for (auto& d : rep->Datasets()) d->Open();
        // Keep the page count bounded: a fuzzed page can be tiny and its bands tall.
        if (rep->Page.height - rep->Page.marginTop - rep->Page.marginBottom < 5) return 0;
        for (auto& b : rep->Bands()) if (b->Height > 2000) return 0;
        std::ostringstream out;
        report::TextRenderer text(rep->Page, out);
        report::RunReport(*rep, {}, text);
    } catch (const std::exception&) {
        // LayoutError, DatasetError, ExpressionError: all clear, reported errors.
    }
    return 0;
}
