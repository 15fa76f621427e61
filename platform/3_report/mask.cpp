// Choosing the formatter for a value.
#include "platform/3_report/mask.h"

#include "platform/1_text/format.h"

namespace report {

std::string FormatValue(const Value& v, std::string_view mask, const FormatSettings& fs) {
    if (IsNull(v)) return {};
    if (mask.empty()) return ToText(v);
    if (auto* d = std::get_if<DateValue>(&v)) return text::FormatDateTime(mask, d->days, fs);
    if (auto* s = std::get_if<std::string>(&v)) {
        // Text that is not a number keeps its own form rather than printing as zero.
        if (s->empty() || s->find_first_not_of(" 0123456789.-") != std::string::npos) return *s;
    }
    return text::FormatFloat(mask, ToNumber(v), fs);
}

}  // namespace report
