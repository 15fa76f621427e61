// The values of "datosnota", read through the text layer's INI reader (a malformed line is an
// error naming the file and the line); keys and section names compared without regard to case.
#include "notes/datosnota.h"

#include <algorithm>

#include "platform/2_shell/folders.h"
#include "platform/1_text/fold.h"
#include "platform/1_text/format.h"
#include "platform/1_text/ini.h"

namespace notix {
namespace {

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
    const auto ini = text::IniFile::Load(path);
    const text::IniSection* section = ini ? ini->Find("ProcesosCriticos") : nullptr;
    if (!section) return d;
    for (const text::IniEntry& e : section->entries) {
        if (text::SameText(e.key, "Proceso1")) d.Proceso1 = ToCount(e.value, 1000);
        if (text::SameText(e.key, "Proceso2")) d.Proceso2 = ToCount(e.value, 1000);
        if (text::SameText(e.key, "Proceso3")) d.Proceso3 = ToCount(e.value, 1000);
        if (text::SameText(e.key, "sleep")) d.Sleep = ToCount(e.value, TDatosNota::kMaxSleep);
    }
    return d;
}

std::string RutaDatosNota() { return shell::ProgramFolder() + "datosnota"; }

}  // namespace notix
