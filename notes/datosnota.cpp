// INI reading of "datosnota": [Section] headers, key=value lines, ';' comments; keys and
// section names compared without regard to case, as INI files are.
#include "notes/datosnota.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <fstream>

#include "platform/text/fold.h"
#include "platform/text/format.h"

namespace notix {
namespace {

std::string Trim(const std::string& s) {
    auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

int ToCount(const std::string& v, int max) {
    try {
        long long n = text::StrToInt(v);
        return static_cast<int>(std::clamp<long long>(n, 0, max));
    } catch (const text::ConvertError&) {
        return 0;
    }
}

}  // namespace

TDatosNota LeerDatosNota(const std::string& path) {
    TDatosNota d;
    std::ifstream in(path);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[') {
            inSection = text::SameText(Trim(line.substr(1, line.find(']') - 1)), "ProcesosCriticos");
            continue;
        }
        auto eq = line.find('=');
        if (!inSection || eq == std::string::npos) continue;
        std::string key = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
        if (text::SameText(key, "Proceso1")) d.Proceso1 = ToCount(value, 1000);
        if (text::SameText(key, "Proceso2")) d.Proceso2 = ToCount(value, 1000);
        if (text::SameText(key, "Proceso3")) d.Proceso3 = ToCount(value, 1000);
        if (text::SameText(key, "sleep")) d.Sleep = ToCount(value, TDatosNota::kMaxSleep);
    }
    return d;
}

std::string RutaDatosNota() {
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string exe = n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
    auto slash = exe.rfind('/');
    return (slash == std::string::npos ? std::string(".") : exe.substr(0, slash)) + "/datosnota";
}

}  // namespace notix
