// Builds the LIKE pattern of a line criterion, counting characters (code points), not bytes.
#include "reports/framework/line_pattern.h"

#include <vector>

#include "platform/1_text/trim.h"

namespace reportes {
namespace {

std::vector<std::string> CodePoints(std::string_view s) {
    std::vector<std::string> out;
    for (size_t i = 0; i < s.size();) {
        size_t len = 1;
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 0xF0) len = 4;
        else if (c >= 0xE0) len = 3;
        else if (c >= 0xC0) len = 2;
        out.emplace_back(s.substr(i, len));
        i += len;
    }
    return out;
}

}  // namespace

bool LineaIsPattern(std::string_view typed) { return typed.find('?') != std::string_view::npos; }

std::string LineaPattern(std::string_view typed) {
    if (text::Trim(typed).empty()) return {};
    const auto chars = CodePoints(typed);
    // Where the last run of "?" began, or npos when the text does not end in such a run.
    size_t runStart = std::string::npos;
    for (size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] == "?") {
            if (runStart == std::string::npos) runStart = i;
        } else {
            runStart = std::string::npos;
        }
    }
    const bool openTail = chars.size() == 5 && runStart != std::string::npos;
    std::string pattern;
    for (size_t i = 0; i < chars.size(); ++i) {
        if (openTail && i == runStart) {
            pattern += '%';
            break;
        }
        const std::string& c = chars[i];
        if (c == "?") pattern += '_';
        else if (c == "%" || c == "_" || c == "\\") pattern += "\\" + c;
        else pattern += c;
    }
    return pattern;
}

}  // namespace reportes
