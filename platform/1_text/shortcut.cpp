// Names of keyboard shortcuts as the component library stores them (virtual key in the low
// byte, scShift/scCtrl/scAlt above it), for the payment types' hot-key column and menus.
// The modifier words stay in English ("Ctrl", "Shift", "Alt") as the platform printed them.
#include <string>

#include "platform/1_text/fold.h"
#include "platform/1_text/gcc12_restrict.h"
#include "platform/1_text/format.h"

namespace text {
namespace {

struct KeyName {
    int key;
    const char* name;
};

constexpr KeyName kNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},   {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"},  {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},   {0x2E, "Del"},
    {0x60, "Num 0"}, {0x61, "Num 1"}, {0x62, "Num 2"}, {0x63, "Num 3"}, {0x64, "Num 4"},
    {0x65, "Num 5"}, {0x66, "Num 6"}, {0x67, "Num 7"}, {0x68, "Num 8"}, {0x69, "Num 9"},
    {0x6A, "Num *"}, {0x6B, "Num +"}, {0x6D, "Num -"}, {0x6E, "Num Del"}, {0x6F, "Num /"},
};

GCC12_FALSE_RESTRICT_BEGIN
std::string KeyText(int key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
    if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x70 + 1);
    for (const auto& k : kNames)
        if (k.key == key) return k.name;
    return {};
}
GCC12_FALSE_RESTRICT_END

}  // namespace

std::string ShortCutToText(int shortcut) {
    const std::string name = KeyText(shortcut & 0xFF);
    if (name.empty()) return {};
    std::string out;
    if (shortcut & scShift) out += "Shift+";
    if (shortcut & scCtrl) out += "Ctrl+";
    if (shortcut & scAlt) out += "Alt+";
    return out + name;
}

int TextToShortCut(std::string_view text) {
    int modifiers = 0;
    while (true) {
        const size_t plus = text.find('+');
        // A lone "+" after a modifier is the key itself ("Ctrl++" is not a name we print).
        if (plus == std::string_view::npos || plus == 0) break;
        const std::string_view word = text.substr(0, plus);
        if (SameText(word, "Shift")) modifiers |= scShift;
        else if (SameText(word, "Ctrl")) modifiers |= scCtrl;
        else if (SameText(word, "Alt")) modifiers |= scAlt;
        else return 0;
        text.remove_prefix(plus + 1);
    }
    for (int key = 1; key <= 0xFF; ++key) {
        const std::string name = KeyText(key);
        if (!name.empty() && SameText(name, text)) return key | modifiers;
    }
    return 0;
}

}  // namespace text
