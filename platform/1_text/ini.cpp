// Reading and writing INI text. Values may be written between double quotes to keep blanks
// at their ends (a blank thousands separator); nothing else is unescaped.
#include "platform/1_text/ini.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/1_text/fold.h"
#include "platform/1_text/trim.h"
#include "platform/1_text/utf8.h"

namespace text {
namespace {

bool IsUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const size_t n = Utf8CharSize(s, i);
        if (n == 1 && static_cast<unsigned char>(s[i]) >= 0x80) return false;
        i += n;
    }
    return true;
}

// Windows-1252 to UTF-8: Latin-1 everywhere but 0x80..0x9F, where the code page puts the
// euro sign, curly quotes and dashes.
std::string FromWindows1252(std::string_view s) {
    static constexpr char32_t k80[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    std::string out;
    for (unsigned char c : s) {
        if (c < 0x80) out += static_cast<char>(c);
        else Utf8Append(out, c < 0xA0 ? k80[c - 0x80] : c);
    }
    return out;
}

std::string Where(std::string_view file, int line) {
    return "\"" + std::string(file) + "\", línea " + std::to_string(line);
}

}  // namespace

const IniEntry* IniSection::Find(std::string_view key) const {
    for (const auto& e : entries)
        if (SameText(e.key, key)) return &e;
    return nullptr;
}

IniFile IniFile::Parse(std::string_view raw, std::string_view fileName) {
    std::string converted;
    if (raw.size() >= 3 && raw.substr(0, 3) == "\xEF\xBB\xBF") raw.remove_prefix(3);
    if (!IsUtf8(raw)) {
        converted = FromWindows1252(raw);
        raw = converted;
    }
    IniFile ini;
    int lineNo = 0;
    size_t pos = 0;
    while (pos <= raw.size()) {
        const size_t nl = raw.find('\n', pos);
        const std::string_view line =
            Trim(raw.substr(pos, nl == std::string_view::npos ? raw.size() - pos : nl - pos));
        ++lineNo;
        pos = nl == std::string_view::npos ? raw.size() + 1 : nl + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            if (line.back() != ']' || line.size() < 3)
                throw ConfigError("Error en " + Where(fileName, lineNo) +
                                  ": encabezado de sección mal formado: " + std::string(line));
            const std::string name(Trim(line.substr(1, line.size() - 2)));
            if (ini.Find(name))
                throw ConfigError("Error en " + Where(fileName, lineNo) + ": la sección [" + name +
                                  "] aparece dos veces");
            ini.sections_.push_back({name, {}, lineNo});
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0)
            throw ConfigError("Error en " + Where(fileName, lineNo) +
                              ": se esperaba Clave=Valor: " + std::string(line));
        if (ini.sections_.empty())
            throw ConfigError("Error en " + Where(fileName, lineNo) +
                              ": la clave está fuera de toda sección: " + std::string(line));
        const std::string key(Trim(line.substr(0, eq)));
        std::string_view value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        IniSection& section = ini.sections_.back();
        if (section.Find(key))
            throw ConfigError("Error en " + Where(fileName, lineNo) + ": la clave " + key +
                              " aparece dos veces en [" + section.name + "]");
        section.entries.push_back({key, std::string(value), lineNo});
    }
    return ini;
}

std::optional<IniFile> IniFile::Load(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return std::nullopt;
    if (!std::filesystem::is_regular_file(path, ec))
        throw ConfigError("No se puede leer \"" + path + "\": no es un archivo");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ConfigError("No se puede leer \"" + path + "\": " + std::strerror(errno));
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw ConfigError("No se puede leer \"" + path + "\": " + std::strerror(errno));
    return Parse(text.str(), path);
}

const IniSection* IniFile::Find(std::string_view section) const {
    for (const auto& s : sections_)
        if (SameText(s.name, section)) return &s;
    return nullptr;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view raw) {
    // One entry is one line: a line break inside a value would turn its tail into a new key.
    std::string value(raw);
    for (char& c : value)
        if (c == '\n' || c == '\r') c = ' ';
    IniSection* target = nullptr;
    for (auto& s : sections_)
        if (SameText(s.name, section)) target = &s;
    if (!target) {
        sections_.push_back({std::string(section), {}, 0});
        target = &sections_.back();
    }
    for (auto& e : target->entries) {
        if (SameText(e.key, key)) {
            e.value = value;
            return;
        }
    }
    target->entries.push_back({std::string(key), value, 0});
}

std::string IniFile::ToText() const {
    std::string out;
    for (size_t i = 0; i < sections_.size(); ++i) {
        if (i) out += '\n';
        out += "[" + sections_[i].name + "]\n";
        for (const auto& e : sections_[i].entries) {
            const std::string_view v = e.value;
            const bool quote = !v.empty() && (v.front() == ' ' || v.front() == '\t' ||
                                              v.back() == ' ' || v.back() == '\t' ||
                                              v.front() == '"');
            out += e.key + "=" + (quote ? "\"" + e.value + "\"" : e.value) + "\n";
        }
    }
    return out;
}

}  // namespace text
