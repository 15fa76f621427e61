// Display masks of data fields and expressions: a number mask in the component library's
// style ("#0.00", "$ ###,##0.00", sections "pos;neg;zero") or a date mask ("dd/mm/yyyy",
// "hh:nn"), applied with the separators and month names of a FormatSettings.
// Not here: the locale itself, which the application fills from its configuration.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/report/value.h"

namespace report {

struct FormatSettings {
    char decimalSeparator = '.';
    char thousandSeparator = ',';
    char dateSeparator = '/';
    std::array<std::string, 12> longMonths{"enero", "febrero", "marzo", "abril", "mayo", "junio",
                                           "julio", "agosto", "septiembre", "octubre",
                                           "noviembre", "diciembre"};
    std::array<std::string, 12> shortMonths{"ene", "feb", "mar", "abr", "may", "jun",
                                            "jul", "ago", "sep", "oct", "nov", "dic"};
};

std::string FormatFloat(std::string_view mask, double value, const FormatSettings& fs);
std::string FormatDateTime(std::string_view mask, double value, const FormatSettings& fs);
// A value through a mask: dates take the date mask, numbers (and text holding a number) the
// number mask; an empty mask gives ToText; null gives empty text.
std::string FormatValue(const Value& v, std::string_view mask, const FormatSettings& fs);

}  // namespace report
