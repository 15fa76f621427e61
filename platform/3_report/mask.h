// Display masks of data fields and expressions: a value goes through text::FormatFloat
// (numbers) or text::FormatDateTime (dates) with the settings the application passes.
// Not here: the mask rules themselves (platform/1_text/format.h).
#pragma once

#include <string>
#include <string_view>

#include "platform/3_report/value.h"
#include "platform/1_text/locale.h"

namespace report {

using FormatSettings = text::FormatSettings;

// A value through a mask: dates take the date mask, numbers (and text holding a number) the
// number mask; an empty mask gives ToText; null gives empty text.
std::string FormatValue(const Value& v, std::string_view mask, const FormatSettings& fs);

}  // namespace report
