// Reads and writes the INI-style configuration file of the engine. Nothing is cached: every
// call reads the file, and a write replaces it with one rename.
#include "tablemaint/engine/settings.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/1_text/ini.h"
#include "platform/2_shell/atomic_file.h"
#include "platform/2_shell/folders.h"
#include "tablemaint/engine/table_file.h"

namespace tablemaint {
namespace {

// The entries and the language drivers the engine starts with. The drivers are the text
// encodings and orderings that the tables support: text is UTF-8 in the files; the code page
// decides what a ticket printer receives, the ordering how indexes compare text.
constexpr const char* kDefault =
    "; Configuración del motor de tablas.\n"
    "[\\SYSTEM\\INIT]\n"
    "LOCAL SHARE=FALSE\n"
    "\n"
    "[\\DRIVERS\\PARADOX\\INIT]\n"
    "NET DIR=\n"
    "LANGDRIVER=UTF8ES\n"
    "\n"
    "[\\DRIVERS\\PARADOX\\TABLE CREATE]\n"
    "LEVEL=7\n"
    "\n"
    "[LANGDRIVERS]\n"
    "UTF8ES=UTF-8, orden binario (español)\n"
    "UTF8NC=UTF-8, sin distinguir mayúsculas\n"
    "ES850=Español, página de códigos 850\n"
    "ES858=Español, página de códigos 858 (con €)\n"
    "ES437=Español, página de códigos 437\n"
    "ES1252=Español, página de códigos 1252 (Windows)\n";

// The file as it stands, created with the defaults when missing (whole or not at all: a
// half-written first file, on a full disk, would lose them). A folder where nothing can be
// written still gets the defaults.
std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        try {
            shell::EscribeArchivoAtomico(path, kDefault);
        } catch (const std::exception&) {
        }
        in.open(path, std::ios::binary);
    }
    if (!in) return kDefault;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The file's text and what it says. A malformed line is an error naming the file and the line
// (text::ConfigError), never skipped: a skipped "[section]" would hand its entries to another.
struct Config {
    std::string path;
    std::string text;
    text::IniFile ini;
};

Config Read() {
    Config c;
    c.path = RutaConfiguracion();
    c.text = Contents(c.path);
    c.ini = text::IniFile::Parse(c.text, c.path);
    return c;
}

const text::IniEntry* Find(const Config& c, const std::string& nodo, const std::string& entrada) {
    const text::IniSection* section = c.ini.Find(nodo);
    return section ? section->Find(entrada) : nullptr;
}

}  // namespace

std::string RutaConfiguracion() {
    if (const char* p = std::getenv("RAZIR_MOTOR"); p && *p) return p;
    if (const char* h = std::getenv("RAZIR_HOME"); h && *h) return WithSlash(h) + "motor.ini";
    return shell::ProgramFolder() + "motor.ini";
}

bool LeeValor(const std::string& nodo, const std::string& entrada, std::string& out) {
    const Config c = Read();
    const text::IniEntry* e = Find(c, nodo, entrada);
    if (!e) return false;
    out = e->value.substr(0, 128);
    return true;
}

bool EscribeValor(const std::string& nodo, const std::string& entrada, const std::string& valor) {
    const Config c = Read();
    const text::IniEntry* e = Find(c, nodo, entrada);
    if (!e || valor.find_first_of("\r\n") != std::string::npos) return false;
    // Only the entry's own line changes: the comments and the layout the user gave the file stay.
    std::vector<std::string> lines;
    std::istringstream in(c.text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::string& l = lines.at(size_t(e->line - 1));
    l = l.substr(0, l.find('=') + 1) + valor.substr(0, 128);
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    try {
        shell::EscribeArchivoAtomico(c.path, text);
        return true;
    } catch (const std::exception&) {
        return false;  // the old file is still whole
    }
}

bool ListaControladores(std::vector<ControladorIdioma>& out) {
    const Config c = Read();
    if (const text::IniSection* list = c.ini.Find("LANGDRIVERS"))
        for (const auto& e : list->entries) out.push_back({e.key, e.value});
    return true;
}

}  // namespace tablemaint
