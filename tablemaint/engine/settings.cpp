// Reads and writes the INI-style configuration file of the engine. Nothing is cached: every
// call reads the file, and a write replaces it with one rename.
#include "tablemaint/engine/settings.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/2_shell/atomic_file.h"
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

std::string ProgramFolder() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "";
    buf[n] = 0;
    return FolderOf(buf);
}

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

std::vector<std::string> Lines() {
    const std::string path = RutaConfiguracion();
    std::ifstream in(path);
    if (!in) {
        // Whole or not at all: a half-written first file (a full disk) would lose the defaults.
        try {
            shell::EscribeArchivoAtomico(path, kDefault);
        } catch (const std::exception&) {
        }
        in.open(path);
    }
    std::vector<std::string> lines;
    std::string line;
    if (in) {
        while (std::getline(in, line)) lines.push_back(line);
    } else {
        // A folder where nothing can be written still gets the defaults.
        std::istringstream def(kDefault);
        while (std::getline(def, line)) lines.push_back(line);
    }
    return lines;
}

bool IsSection(const std::string& line, std::string& name) {
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
    name = t.substr(1, t.size() - 2);
    return true;
}

// Finds the line of `entrada` in `nodo`; -1 when none.
long Find(const std::vector<std::string>& lines, const std::string& nodo, const std::string& entrada) {
    bool inNode = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string section;
        if (IsSection(lines[i], section)) {
            inNode = EqualsIgnoringCase(section, nodo);
            continue;
        }
        if (!inNode) continue;
        auto eq = lines[i].find('=');
        if (eq != std::string::npos && EqualsIgnoringCase(Trim(lines[i].substr(0, eq)), entrada)) return long(i);
    }
    return -1;
}

}  // namespace

std::string RutaConfiguracion() {
    if (const char* p = std::getenv("RAZIR_MOTOR"); p && *p) return p;
    if (const char* h = std::getenv("RAZIR_HOME"); h && *h) return WithSlash(h) + "motor.ini";
    return ProgramFolder() + "motor.ini";
}

bool LeeValor(const std::string& nodo, const std::string& entrada, std::string& out) {
    auto lines = Lines();
    long at = Find(lines, nodo, entrada);
    if (at < 0) return false;
    out = Trim(lines[at].substr(lines[at].find('=') + 1)).substr(0, 128);
    return true;
}

bool EscribeValor(const std::string& nodo, const std::string& entrada, const std::string& valor) {
    auto lines = Lines();
    long at = Find(lines, nodo, entrada);
    if (at < 0 || valor.find('\n') != std::string::npos) return false;
    const std::string& l = lines[at];
    lines[at] = l.substr(0, l.find('=') + 1) + valor.substr(0, 128);
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    try {
        shell::EscribeArchivoAtomico(RutaConfiguracion(), text);
        return true;
    } catch (const std::exception&) {
        return false;  // the old file is still whole
    }
}

bool ListaControladores(std::vector<ControladorIdioma>& out) {
    bool inList = false;
    for (const auto& line : Lines()) {
        std::string section;
        if (IsSection(line, section)) {
            inList = EqualsIgnoringCase(section, "LANGDRIVERS");
            continue;
        }
        auto eq = line.find('=');
        if (!inList || eq == std::string::npos || Trim(line).rfind(";", 0) == 0) continue;
        out.push_back({Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))});
    }
    return true;
}

}  // namespace tablemaint
