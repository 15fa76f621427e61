// INI text as razir.ini, "datosnota" and the other settings files use it: "[Sección]" headers,
// "Clave=Valor" lines, ";" or "#" comments. Sections and keys match ignoring case; order is kept
// for writing. Not here: what the keys mean (host/velmor/installation.*, notes/datosnota.*).
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// A configuration that cannot be used. The message is Spanish and names the file, the line,
// the section and key, and the value, so the user can mend it.
class ConfigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct IniEntry {
    std::string key;
    std::string value;
    int line = 0;  // 0 for entries not read from a file
};

struct IniSection {
    std::string name;
    std::vector<IniEntry> entries;
    int line = 0;

    const IniEntry* Find(std::string_view key) const;
};

class IniFile {
public:
    // Parses text. fileName only labels errors. Text that is not UTF-8 is read as Windows-1252,
    // the code page such files were written in. Throws ConfigError for a line that is neither
    // a header, an entry nor a comment, an entry before any header, and repeated sections or
    // keys (a second value would silently win or lose).
    static IniFile Parse(std::string_view text, std::string_view fileName);
    // Reads and parses a file; nothing when there is no such file. Throws ConfigError for a
    // file that cannot be read and for the faults Parse reports.
    static std::optional<IniFile> Load(const std::string& path);

    const IniSection* Find(std::string_view section) const;
    const std::vector<IniSection>& Sections() const { return sections_; }

    // Adds the section when missing; adds or replaces the key.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // "[Name]" headers and "Key=Value" lines, a blank line between sections. A value with
    // blanks at either end, or starting with a quote, is written between double quotes.
    std::string ToText() const;

private:
    std::vector<IniSection> sections_;
};

}  // namespace text
