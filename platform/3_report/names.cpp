// Name matching through the text module's Spanish case folding.
#include "platform/3_report/names.h"

#include "platform/1_text/fold.h"

namespace report {

std::string FoldName(std::string_view name) { return text::FoldCase(name); }

bool SameName(std::string_view a, std::string_view b) { return text::SameText(a, b); }

}  // namespace report
