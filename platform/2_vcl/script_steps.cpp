// The text form of script steps, key names and answer names: parsed once at the edge, with
// errors that name the line, and written back the same way for the driver's log.
#include <algorithm>
#include <cctype>
#include <charconv>

#include "platform/2_vcl/script.h"
#include "platform/1_text/trim.h"

namespace vcl {

namespace {

using text::Trim;

struct KeyNameEntry {
    const char* name;
    WORD key;
};
// The first name of a key is the one KeyName writes.
constexpr KeyNameEntry kKeys[] = {
    {"Escape", VK_ESCAPE}, {"Esc", VK_ESCAPE},       {"Enter", VK_RETURN},    {"Return", VK_RETURN},
    {"Intro", VK_RETURN},  {"Tab", VK_TAB},          {"Space", VK_SPACE},     {"Backspace", VK_BACK},
    {"Delete", VK_DELETE}, {"Supr", VK_DELETE},      {"Insert", VK_INSERT},   {"Home", VK_HOME},
    {"End", VK_END},       {"PageUp", VK_PRIOR},     {"PageDown", VK_NEXT},   {"Up", VK_UP},
    {"Down", VK_DOWN},     {"Left", VK_LEFT},        {"Right", VK_RIGHT},
};

struct AnswerEntry {
    const char* name;
    TModalResult result;
};
constexpr AnswerEntry kAnswers[] = {
    {"Aceptar", mrOk},       {"OK", mrOk},           {"Cancelar", mrCancel},    {"Cancel", mrCancel},
    {"Anular", mrAbort},     {"Abort", mrAbort},     {"Reintentar", mrRetry},   {"Retry", mrRetry},
    {"Omitir", mrIgnore},    {"Ignorar", mrIgnore},  {"Ignore", mrIgnore},      {"Sí", mrYes},
    {"Si", mrYes},           {"Yes", mrYes},         {"No", mrNo},              {"Todos", mrAll},
    {"All", mrAll},          {"No a todo", mrNoToAll}, {"Sí a todo", mrYesToAll},
};

std::string Path(std::string_view rest) {
    const std::string_view path = Trim(rest);
    if (path.empty()) throw ScriptError("falta el nombre del control");
    if (path.find_first_of(" \t") != std::string_view::npos)
        throw ScriptError("\"" + std::string(path) + "\" no es un nombre de control");
    return std::string(path);
}

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits to an int; nullopt for anything else or a number too large for one.
std::optional<int> ToInt(std::string_view s) {
    int value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || !AllDigits(s)) return std::nullopt;
    return value;
}

}  // namespace

namespace {

Step Make(Step::Kind kind, std::string_view target = {}, std::string_view text = {}) {
    Step s;
    s.kind = kind;
    s.target = target;
    s.text = text;
    return s;
}

}  // namespace

Step Step::Focus(std::string_view path) { return Make(Kind::Focus, path); }
Step Step::Type(std::string_view text) { return Make(Kind::Type, {}, text); }
Step Step::Set(std::string_view path, std::string_view value) { return Make(Kind::Set, path, value); }
Step Step::Pick(std::string_view path, std::string_view item) { return Make(Kind::Pick, path, item); }
Step Step::PickIndex(std::string_view path, int index) {
    Step s = Make(Kind::PickIndex, path);
    s.index = index;
    return s;
}
Step Step::Drop(std::string_view path) { return Make(Kind::Drop, path); }
Step Step::CloseUp(std::string_view path) { return Make(Kind::CloseUp, path); }
Step Step::Press(WORD key, TShiftState shift) {
    Step s = Make(Kind::Press);
    s.key = key;
    s.shift = shift;
    return s;
}
Step Step::Click(std::string_view path) { return Make(Kind::Click, path); }
Step Step::Answer(TModalResult answer) {
    Step s = Make(Kind::Answer);
    s.answer = answer;
    return s;
}
Step Step::Close(std::string_view form) { return Make(Kind::Close, form); }

std::optional<std::pair<WORD, TShiftState>> ParseKey(std::string_view name) {
    TShiftState shift = ssNone;
    name = Trim(name);
    while (true) {
        const auto plus = name.find('+');
        if (plus == std::string_view::npos || plus + 1 == name.size()) break;
        const std::string_view mod = name.substr(0, plus);
        if (SameName(mod, "Shift") || SameName(mod, "Mayús")) shift |= ssShift;
        else if (SameName(mod, "Ctrl") || SameName(mod, "Control")) shift |= ssCtrl;
        else if (SameName(mod, "Alt")) shift |= ssAlt;
        else return std::nullopt;
        name.remove_prefix(plus + 1);
    }
    for (const auto& k : kKeys)
        if (SameName(name, k.name)) return std::pair{k.key, shift};
    if ((name.size() == 2 || name.size() == 3) && (name[0] == 'F' || name[0] == 'f')) {
        const auto n = ToInt(name.substr(1));
        if (n && *n >= 1 && *n <= 12) return std::pair{static_cast<WORD>(VK_F1 + *n - 1), shift};
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return std::pair{static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0]))), shift};
    return std::nullopt;
}

std::string KeyName(WORD key, TShiftState shift) {
    std::string out;
    if (shift & ssCtrl) out += "Ctrl+";
    if (shift & ssAlt) out += "Alt+";
    if (shift & ssShift) out += "Shift+";
    for (const auto& k : kKeys)
        if (k.key == key) return out + k.name;
    if (key >= VK_F1 && key <= VK_F12) return out + "F" + std::to_string(key - VK_F1 + 1);
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return out + static_cast<char>(key);
    return out + "#" + std::to_string(key);
}

std::optional<TModalResult> ParseAnswer(std::string_view name) {
    name = Trim(name);
    for (const auto& a : kAnswers)
        if (SameName(name, a.name)) return a.result;
    return std::nullopt;
}

Step ParseStep(std::string_view line) {
    line = Trim(line);
    const auto space = line.find(' ');
    const std::string_view verb = line.substr(0, space);
    const std::string_view rest = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    if (SameName(verb, "focus")) return Step::Focus(Path(rest));
    if (SameName(verb, "click")) return Step::Click(Path(rest));
    if (SameName(verb, "drop")) return Step::Drop(Path(rest));
    if (SameName(verb, "closeup")) return Step::CloseUp(Path(rest));
    if (SameName(verb, "type")) {
        if (rest.empty()) throw ScriptError("falta el texto que se escribe");
        return Step::Type(rest);
    }
    if (SameName(verb, "set")) {
        const auto eq = rest.find('=');
        if (eq == std::string_view::npos) throw ScriptError("se esperaba control=valor");
        return Step::Set(Path(rest.substr(0, eq)), rest.substr(eq + 1));
    }
    if (SameName(verb, "pick")) {
        const std::string_view body = Trim(rest);
        const auto gap = body.find(' ');
        if (gap == std::string_view::npos) throw ScriptError("se esperaba el control y el elemento que se elige");
        const std::string path = Path(body.substr(0, gap));
        const std::string_view item = body.substr(gap + 1);
        if (item.size() > 1 && item[0] == '#' && AllDigits(item.substr(1))) {
            const auto index = ToInt(item.substr(1));
            if (!index) throw ScriptError("índice fuera de rango \"" + std::string(item) + "\"");
            return Step::PickIndex(path, *index);
        }
        return Step::Pick(path, item);
    }
    if (SameName(verb, "press")) {
        const auto key = ParseKey(rest);
        if (!key) throw ScriptError("tecla desconocida \"" + std::string(Trim(rest)) + "\"");
        return Step::Press(key->first, key->second);
    }
    if (SameName(verb, "answer")) {
        const auto answer = ParseAnswer(rest);
        if (!answer) throw ScriptError("respuesta desconocida \"" + std::string(Trim(rest)) + "\"");
        return Step::Answer(*answer);
    }
    if (SameName(verb, "close")) return Step::Close(Trim(rest).empty() ? std::string() : Path(rest));
    throw ScriptError("acción desconocida \"" + std::string(verb) +
                      "\" (se esperaba focus, type, set, pick, drop, closeup, press, click, answer o close)");
}

Step ParseOption(std::string_view option, std::string_view value) {
    std::string_view name = option;
    while (!name.empty() && name.front() == '-') name.remove_prefix(1);
    if (SameName(name, "press") && !ParseKey(value)) return Step::Click(Path(value));
    if (name.empty() || name.find(' ') != std::string_view::npos)
        throw ScriptError("opción desconocida \"" + std::string(option) + "\"");
    try {
        return ParseStep(std::string(name) + " " + std::string(value));
    } catch (const ScriptError& e) {
        throw ScriptError(std::string(option) + " " + std::string(value) + ": " + e.what());
    }
}

std::vector<Step> ParseScript(std::string_view text) {
    std::vector<Step> steps;
    int number = 0;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        const std::string_view line = Trim(text.substr(0, nl));
        ++number;
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        if (line.empty() || line[0] == '#') continue;
        try {
            Step step = ParseStep(line);
            step.line = number;
            steps.push_back(std::move(step));
        } catch (const ScriptError& e) {
            throw ScriptError("línea " + std::to_string(number) + ": " + e.what());
        }
    }
    return steps;
}

std::string Describe(const Step& s) {
    switch (s.kind) {
        case Step::Kind::Focus: return "focus " + s.target;
        case Step::Kind::Type: return "type " + s.text;
        case Step::Kind::Set: return "set " + s.target + "=" + s.text;
        case Step::Kind::Pick: return "pick " + s.target + " " + s.text;
        case Step::Kind::PickIndex: return "pick " + s.target + " #" + std::to_string(s.index);
        case Step::Kind::Drop: return "drop " + s.target;
        case Step::Kind::CloseUp: return "closeup " + s.target;
        case Step::Kind::Press: return "press " + KeyName(s.key, s.shift);
        case Step::Kind::Click: return "click " + s.target;
        case Step::Kind::Answer: return "answer " + ButtonName(s.answer);
        case Step::Kind::Close: return s.target.empty() ? "close" : "close " + s.target;
    }
    return {};
}

}  // namespace vcl
